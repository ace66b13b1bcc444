#include "gx_rocket.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "gx_ball.h"
#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_random.h"
#include "gx_rotate.h"
#include "gx_traflist.h"

namespace {
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kWhite = 0xFFFFFF;
constexpr int kFragments = 30;
constexpr int kExplosionTicks = 84;  // 4.2 s at 50 ms a tick
constexpr int kHullCorners = 8;

std::unique_ptr<TPolygon> OpenOutline(TColor c, int width) {
  auto p = std::make_unique<TPolygon>();
  p->open = true;
  p->width = width;
  p->fillcolor = -1;
  p->fillstyle = bsClear;
  p->SetColor(c);
  return p;
}
}  // namespace

TRocket::TRocket() {
  FId = 6;
  startpos = tvec2d();
  color = kGreen;
  width = 2;
  sx = 0.0859375;
  sy = 0.03125;
  reset();
}

TRocket::~TRocket() {
  // Whichever goes first lets go of the other: a maze that outlives its rocket must not reach
  // for it.
  if (maze && maze->FRocket == this) maze->FRocket = nullptr;
}

void TRocket::reset() {
  restart(std::numbers::pi / 2);
  score = 0;
}

void TRocket::restart(double a) {
  ++jumps;
  ++restarts;
  MakeShape();
  FTrafList->ClearAll();
  auto rot = std::make_unique<TRotate>();
  FRot = rot.get();
  FTrafList->AddTraf(std::move(rot));
  auto force = std::make_unique<TForce>();
  force->init(0.001, 3, 0, a, 0, -0.001, 0, 0, 0, 0, startpos.x, startpos.y);
  FForce = force.get();
  FTrafList->AddTraf(std::move(force));
  FBullitTicks = 0;
  FCannonHeat = 0;
  health = 1000;
  FJammed = false;
  FRefusalReported = false;
  FStanding = true;  // it starts on its pad: touching it as the run begins is no landing
  SetExploded(false);
  SetThrustOn(false);
  color = kGreen;
  SetAngle(a);
  RefreshMatrix();
}

void TRocket::execute(TMaze& mz, double t) {
  TDrawList::Execute(t);
  if (FExploded) {
    color = color == kRed ? kWhite : kRed;
    --FExplTicks;
    if (FExplTicks < 1) mz.reset();  // restarts this rocket too
  }

  TPolygon* p = nullptr;
  TSide* s = nullptr;
  // Ramming: touching a ball destroys it and never harms the rocket.
  if (mz.balllist && CheckHit(*mz.balllist, p, s)) {
    auto* ball = dynamic_cast<TBall*>(p);
    if (ball && ball->ExplTicks() <= 0) {
      ball->SetExplTicks(10);
      ++score;
      mz.Report(TGameEvent::BallRammed);
    }
  }

  bool landed = false;
  if (CheckHit(mz, p, s)) {
    if (s && s->sidetype == st_landing) {
      landed = mz.Land(p, s);
      SetExploded(!landed);
    } else {
      SetExploded(true);
    }
    if (FExploded) {
      FExplTicks = kExplosionTicks;
      mz.Report(TGameEvent::Crash);
    }
  }
  // Standing on the edge touches it again every tick: only setting down is a landing.
  if (landed && !FStanding) mz.Report(TGameEvent::Landing);
  FStanding = landed;

  if (FBullitTicks > 0) --FBullitTicks;
  if (FCannonHeat > 0) --FCannonHeat;
}

bool TRocket::TakeRefusal() {
  if (ShootOK() || !FJammed || FRefusalReported) return false;
  FRefusalReported = true;
  return true;
}

void TRocket::rotate(double da) {
  FForce->SetA(FForce->a() + da);
  SetAngle(FForce->a());
}

void TRocket::SetAngle(double x) {
  fangle = x;
  FRot->SetAngle(0, x);
  FForce->SetA(x);  // the thrust points along the rocket
}

void TRocket::SetExploded(bool v) {
  FExploded = v;
  if (v) MakeDebris();
}

bool TRocket::ThrustOn() const {
  return tail && !tail_owner_ && IndexOf(tail) >= 0;
}

void TRocket::SetThrustOn(bool v) {
  if (v && !FExploded) {
    if (tail_owner_) Add(std::move(tail_owner_));
  } else if (ThrustOn()) {
    tail_owner_.reset(static_cast<TPolygon*>(Extract(tail).release()));
  }
}

bool TRocket::CheckHit(TDrawList& dl, TPolygon*& p, TSide*& s) const {
  if (FExploded) return false;
  const TPolygon* hull = GetPolygon(0);
  if (!hull) return false;
  const int n = hull->Count();
  if (n < 2) return false;
  // Each corner is mapped once; the hull has eight, so they fit on the stack.
  std::array<TDPoint, kHullCorners> fixed;
  std::unique_ptr<TDPoint[]> spill;  // only for a hull that someone gave more corners
  TDPoint* pts = fixed.data();
  if (n > kHullCorners) {
    spill = std::make_unique<TDPoint[]>(n);
    pts = spill.get();
  }
  for (int i = 0; i < n; ++i) {
    const TSide* c = hull->GetSide(i);
    pts[i] = {c->x(), c->y()};
    matrix.Transform(pts[i].x, pts[i].y);
  }
  bool finite = true;
  for (int i = 0; i < n; ++i) finite = finite && std::isfinite(pts[i].x) && std::isfinite(pts[i].y);
  if (!BoxShortcut || !finite) {
    for (int i = 1; i < n; ++i) {
      const TDRect l{pts[i - 1].x, pts[i].x, pts[i - 1].y, pts[i].y};
      if (CheckHitLine(dl, l, p, s)) return true;
    }
    return false;
  }

  // Only polygons near the hull can be touched; the plain loops then run over those, hull
  // edge by hull edge and in list order, so the first touch found is the same.
  TDRect hb{pts[0].x, pts[0].x, pts[0].y, pts[0].y};
  for (int i = 1; i < n; ++i) {
    hb.x1 = std::min(hb.x1, pts[i].x);
    hb.x2 = std::max(hb.x2, pts[i].x);
    hb.y1 = std::min(hb.y1, pts[i].y);
    hb.y2 = std::max(hb.y2, pts[i].y);
  }
  near_.clear();
  for (int j = 0; j < dl.Count(); ++j) {
    TPolygon* q = dl.GetPolygon(j);
    if (q->invisible || q->harmless) continue;
    TDRect qb;
    if (!MappedBoundingBox(*q, qb) || BoxesOverlap(hb, qb)) near_.push_back(q);
  }
  for (int i = 1; i < n; ++i) {
    const TDRect l{pts[i - 1].x, pts[i].x, pts[i - 1].y, pts[i].y};
    for (TPolygon* q : near_) {
      if (q->Intersect(l, s)) {
        p = q;
        return true;
      }
    }
  }
  // As the plain loop leaves it: the last entry tried.
  if (dl.Count() > 0) p = dl.GetPolygon(dl.Count() - 1);
  return false;
}

bool MappedBoundingBox(const TPolygon& p, TDRect& r) {
  const int n = p.Count();
  if (n == 0) return false;
  const mat2darray& m = p.matrix.mat;
  for (int k = 0; k < n; ++k) {
    // The corners as the polygon's own edge tests read them.
    const TSide* c = static_cast<const TSide*>(p.Items(k));
    const double cx = c->pos.x, cy = c->pos.y;
    const double x = m[0][0] * cx + m[0][1] * cy + m[0][2];
    const double y = m[1][0] * cx + m[1][1] * cy + m[1][2];
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    if (k == 0) {
      r = TDRect{x, x, y, y};
    } else {
      r.x1 = std::min(r.x1, x);
      r.x2 = std::max(r.x2, x);
      r.y1 = std::min(r.y1, y);
      r.y2 = std::max(r.y2, y);
    }
  }
  // The segment routines divide; a crossing they report lies on both segments up to a few
  // units in the last place. This margin is far wider than that at any maze's scale.
  const double margin =
      1e-9 * (1 + std::max({std::fabs(r.x1), std::fabs(r.x2), std::fabs(r.y1), std::fabs(r.y2)}));
  r.x1 -= margin;
  r.x2 += margin;
  r.y1 -= margin;
  r.y2 += margin;
  return true;
}

bool TRocket::CheckHitLine(TDrawList& dl, const TDRect& l, TPolygon*& p, TSide*& s) const {
  for (int i = 0; i < dl.Count(); ++i) {
    p = dl.GetPolygon(i);
    if (!p->invisible && !p->harmless && p->Intersect(l, s)) return true;
  }
  return false;
}

void TRocket::Draw(const TControl& f, TCanvas& cv, const tmat2d& m, int w, bool doPoints) {
  if (w > 0) width = w;
  TDrawList::Draw(f, cv, m, w, doPoints);
}

void TRocket::DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz) {
  TPolygon* first = GetPolygon(0);
  if (!first) return;
  first->DrawSpot(f, cv, m * matrix, sz);
}

void TRocket::MakeShape() {
  SetThrustOn(false);  // takes the flame out of the list before the entries go
  ClearAll();
  color = kGreen;

  auto hull = OpenOutline(color, 2);
  const double fx = -sx / 5;
  const TDPoint corners[kHullCorners] = {
      {fx, 8 * sy / 5},  {fx, 6 * sy / 5},  {sx, 0},  {fx, -6 * sy / 5},
      {fx, -8 * sy / 5}, {fx, -6 * sy / 5}, {0, -sy}, {0, sy},
  };
  for (const TDPoint& c : corners) hull->AddSide(c.x, c.y, st_normal, color);
  AddPolygon(std::move(hull));

  tail_owner_ = OpenOutline(color, 1);
  tail_owner_->AddSide(0, sy, st_normal, color);
  tail_owner_->AddSide(-sx, 0, st_normal, color);
  tail_owner_->AddSide(0, -sy, st_normal, color);
  tail = tail_owner_.get();
}

void TRocket::MakeDebris() {
  SetThrustOn(false);
  ClearAll();
  for (int i = 0; i < kFragments; ++i) AddPolygon(MakeFragment(kFragments));
}

std::unique_ptr<TPolygon> TRocket::MakeFragment(int n) {
  TRandomService& rnd = GameRandom();
  const double theta = n > 0 ? 2 * std::numbers::pi / n * Count() : 0.0;
  auto p = std::make_unique<TPolygon>();
  p->open = false;
  p->SetColor(color);
  p->fillcolor = -1;
  p->fillstyle = bsClear;
  p->width = 0;
  for (int i = 0; i < 3; ++i) {
    const double x = rnd.RandomReal() * sx;
    const double y = rnd.RandomReal() * sy;
    p->AddSide(x, y, st_normal, color);
  }
  const double cx = (p->extent.x1 + p->extent.x2) / 2;
  const double cy = (p->extent.y1 + p->extent.y2) / 2;

  const double r3 = rnd.RandomReal();
  const double r4 = rnd.RandomReal();
  const double r5 = rnd.RandomReal();
  // One turn per period; a draw of exactly 0 would give an endless period: the fragment
  // then simply does not spin.
  const int per = RoundToInt(2 * std::numbers::pi / (r3 * std::numbers::pi / 8));
  auto rot = std::make_unique<TRotate>();
  rot->init(0, cx, cy, per);
  rot->SetCw(r4 > 0.5);
  rot->reset();
  p->SetRot(std::move(rot));

  const double s = r5 * 0.04;
  auto force = std::make_unique<TForce>();
  force->init(0, 1000, 10, theta, 0, -0.001, 0, 0, s * std::cos(theta), s * std::sin(theta), 0, 0);
  p->TrafList()->AddTraf(std::move(force));
  return p;
}

void TRocket::RefreshMatrix() {
  FTrafList->MakeMatrix();
  matrix = FTrafList->matrix();
}

// The record: the rocket's own state only. Hull, flame, fragments and physics follow from it
// through restart, so the reader reads exactly what the writer writes:
//   "6 {TRocket}", startpos x y w, score, color, width, sx sy, angle, exploded (0/1).
bool TRocket::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.RealsLine({startpos.x, startpos.y, startpos.w});
  f.IntLine(score);
  f.IntLine(color);
  f.IntLine(width);
  f.RealsLine({sx, sy});
  f.RealsLine({fangle});
  f.IntLine(FExploded ? 1 : 0);
  return true;
}

// The header line has been read by the caller, as for every other record.
bool TRocket::LoadFromF(TTextReader& f, const TQorClass*) {
  startpos.x = f.ReadReal();
  startpos.y = f.ReadReal();
  startpos.w = f.ReadReal();
  f.ReadLn();
  const int sc = f.ReadInteger();
  f.ReadLn();
  const TColor c = f.ReadInteger();
  f.ReadLn();
  width = f.ReadInteger();
  f.ReadLn();
  sx = f.ReadReal();
  sy = f.ReadReal();
  f.ReadLn();
  const double a = f.ReadReal();
  f.ReadLn();
  const bool exploded = f.ReadInteger() != 0;
  f.ReadLn();

  restart(a);
  score = sc;
  if (exploded) {
    SetExploded(true);
    FExplTicks = kExplosionTicks;
  }
  color = c;
  return true;
}
