#include "gx_bullet.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <utility>

#include "gx_ball.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_random.h"
#include "gx_rocket.h"
#include "gx_traflist.h"

namespace {
constexpr double kMuzzleSpeed = 0.03;  // maze units per tick
constexpr int kLifeTime = 30;
constexpr int kBurstTicks = 10;

// Whether the ray from (l.x1, l.y1) through (l.x2, l.y2) meets the box b (ordered), t >= 0.
bool RayMeetsBox(const TDRect& l, const TDRect& b) {
  double tmin = 0, tmax = std::numeric_limits<double>::infinity();
  const double o[2] = {l.x1, l.y1};
  const double d[2] = {l.x2 - l.x1, l.y2 - l.y1};
  const double lo[2] = {b.x1, b.y1};
  const double hi[2] = {b.x2, b.y2};
  for (int k = 0; k < 2; ++k) {
    if (d[k] == 0) {
      if (o[k] < lo[k] || o[k] > hi[k]) return false;
      continue;
    }
    double t1 = (lo[k] - o[k]) / d[k], t2 = (hi[k] - o[k]) / d[k];
    if (t1 > t2) std::swap(t1, t2);
    tmin = std::max(tmin, t1);
    tmax = std::min(tmax, t2);
  }
  return tmin <= tmax;
}

// The draw list's nearest-hit search for fixed polygons, skipping the entries whose box the
// ray misses: such an entry cannot report a hit, so the result is the plain search's.
bool NearestFixedOnRay(TDrawList& dl, const TDRect& l, TPolygon*& pol, double& x, double& y,
                       double& t) {
  if (!TBullitList::BoxShortcut) return dl.GetNearestIntersectionPoint(l, false, pol, x, y, t);
  double t2 = t, x2 = 0, y2 = 0;
  TPolygon* pol2 = nullptr;
  bool found = false;
  for (int j = 0; j < dl.Count(); ++j) {
    TPolygon* q = dl.GetPolygon(j);
    if (q->harmless || (q->TrafList() && q->TrafList()->Count() > 0)) continue;  // never found
    TDRect box;
    if (MappedBoundingBox(*q, box) && !RayMeetsBox(l, box)) continue;
    if (q->GetNearestIntersectionPoint(l, false, pol2, x2, y2, t2) && (t == -1 || t > t2)) {
      x = x2;
      y = y2;
      t = t2;
      pol = pol2;
      found = true;
    }
  }
  return found;
}

// The nearest fixed obstacle on the ray l: the maze's polygons, then its balls; only a ball
// nearer than the polygon found replaces it. Both searches always run.
bool FindFixedHit(TMaze& maze, const TDRect& l, TPolygon*& pol, double& x, double& y) {
  double t = -1;
  const bool hit1 = NearestFixedOnRay(maze, l, pol, x, y, t);
  const bool hit2 = maze.balllist && NearestFixedOnRay(*maze.balllist, l, pol, x, y, t);
  return hit1 || hit2;
}

// (x, y) in the polygon's own coordinates, so that a burst stays on a moving polygon; left in
// maze coordinates when the polygon's matrix has no inverse.
void ToPolygonCoords(const TPolygon& pol, double& x, double& y) {
  if (auto inv = pol.matrix.MatInv()) inv->Transform(x, y);
}

// Ticks of flight to cover dist at speed. A bullet that does not move (the rocket's own
// velocity cancelling the muzzle speed) or a hit absurdly far away never arrives: such counts
// are kept far beyond any lifetime instead of overflowing the integer.
int FlightTicks(double dist, double speed, bool round) {
  constexpr double kNever = 1e9;
  if (!(speed > 0)) return static_cast<int>(kNever);
  const double v = dist / speed;
  if (!(v < kNever)) return static_cast<int>(kNever);
  return static_cast<int>(round ? std::nearbyint(v) : std::trunc(v));
}

double Distance(double x1, double y1, double x2, double y2) {
  return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

double Speed(const TBullit& b) {
  return std::sqrt(b.vx() * b.vx() + b.vy() * b.vy());
}

// Aims a bullet in flight anew, from where it is, at the nearest fixed obstacle ahead; with
// nothing ahead it never bursts and goes when its life ends.
void AimAgain(TMaze& maze, TBullit& c) {
  const TDRect l{c.x(), c.x() + c.vx(), c.y(), c.y() + c.vy()};
  TPolygon* pol = nullptr;
  double x = 0, y = 0;
  if (FindFixedHit(maze, l, pol, x, y)) {
    const double dist = Distance(c.x(), c.y(), x, y);
    const int ticks = FlightTicks(dist, Speed(c), true);
    c.TicksTillExpl = ticks > INT32_MAX - c.Age ? ticks : ticks + c.Age;
    c.SetImpact(pol, x, y);
  } else {
    c.TicksTillExpl = c.LifeTime + 1;
  }
}
}  // namespace

TBullit::TBullit() {
  color = 0xFFFFFF;
  width = 3;
  FForce = 1.0;
}

double TBullit::GetCoord(int index) const {
  switch (index) {
    case 0:
      return pos.x;
    case 1:
      return pos.y;
    case 2:
      return Vel.x;
    case 3:
      return Vel.y;
    default:
      return 0;
  }
}

void TBullit::SetCoord(int index, double value) {
  switch (index) {
    case 0:
      pos.x = value;
      break;
    case 1:
      pos.y = value;
      break;
    case 2:
      Vel.x = value;
      break;
    case 3:
      Vel.y = value;
      break;
    default:
      break;
  }
}

double TBullit::Force() const {
  return LifeTime > 0 ? (LifeTime - Age) * FForce / LifeTime : FForce;
}

void TBullit::Execute(int) {
  pos.x += Vel.x;
  pos.y += Vel.y;
  if (FExplTicks > 0) {
    --FExplTicks;
  } else if (Age < LifeTime) {
    ++Age;
  }
}

void TBullit::HitAnimatedObjects(TMaze& maze) {
  const TDRect l{x() - vx(), x(), y() - vy(), y()};
  double t = -1, hx = 0, hy = 0;
  TPolygon* pol = nullptr;
  if (maze.GetNearestIntersectionPoint(l, true, pol, hx, hy, t) && t <= 1) {
    TicksTillExpl = 0;
    SetImpact(pol, hx, hy);
  }
}

void TBullit::SetImpact(TPolygon* pol, double x, double y) {
  Polygon = pol;
  ToPolygonCoords(*pol, x, y);
  Explx = x;
  Exply = y;
}

void TBullit::Explode() {
  Exploded = true;
  FExplTicks = kBurstTicks;
  SetVx(0);
  SetVy(0);
}

void TBullit::Draw(const TControl& f, TCanvas& cv, const tmat2d& m) {
  if (Age >= LifeTime) return;
  const tmat2d M = Exploded && Polygon ? m * Polygon->matrix : m;
  TPoint p;
  ScreenPoint(M, p);
  p.Y = f.ClientHeight() - p.Y;
  if (FExplTicks > 0) {
    TRandomService& rnd = DrawRandom();
    const int r1 = rnd.RandomInt(FExplTicks + 4);
    DrawSparks(cv, p, r1, 0xFF0000);
    const int r2 = rnd.RandomInt(FExplTicks + 2);
    DrawSparks(cv, p, r2, 0x00FFFF);
    const int r3 = rnd.RandomInt(FExplTicks);
    DrawSparks(cv, p, r3, 0x0000FF);
    return;
  }
  // A small square blended into what lies below, fading out over the bullet's life.
  const int h = width / 2;
  const double force = Force();
  for (int row = p.Y - h; row < p.Y + h; ++row) {
    for (int col = p.X - h; col < p.X + h; ++col) {
      cv.SetPixel(col, row, BlendColor(cv.GetPixel(col, row), color, force));
    }
  }
}

TBullit* TBullitList::Bullits(int index) const {
  return index < 0 || index >= Count() ? nullptr : static_cast<TBullit*>(items_[index].get());
}

int TBullitList::AddBullit(std::unique_ptr<TBullit> b) {
  return Add(std::move(b));
}

void TBullitList::TakeMovingBoxes(TMaze& maze) {
  moving_.clear();
  for (int j = 0; j < maze.Count(); ++j) {
    TPolygon* q = maze.GetPolygon(j);
    // The same polygons the search for moving obstacles considers at all.
    if (q->harmless || !q->TrafList() || q->TrafList()->Count() == 0) continue;
    TBox box{q, {}, false};
    box.always = !MappedBoundingBox(*q, box.r);
    moving_.push_back(box);
  }
}

void TBullitList::HitMovingBoxes(TBullit& b) const {
  const TDRect l{b.x() - b.vx(), b.x(), b.y() - b.vy(), b.y()};
  TDRect lb = l;
  SortRect(lb);
  const bool finite =
      std::isfinite(lb.x1) && std::isfinite(lb.x2) && std::isfinite(lb.y1) && std::isfinite(lb.y2);
  // The draw list's nearest-hit search, over the polygons whose box meets the stretch flown:
  // a hit within it (t <= 1) lies in both boxes, and only such a hit counts.
  double t = -1, hx = 0, hy = 0;
  TPolygon* pol = nullptr;
  double t2 = t, x2 = 0, y2 = 0;
  TPolygon* pol2 = nullptr;
  bool found = false;
  for (const TBox& box : moving_) {
    if (finite && !box.always && !BoxesOverlap(lb, box.r)) continue;
    if (box.p->GetNearestIntersectionPoint(l, true, pol2, x2, y2, t2) && (t == -1 || t > t2)) {
      hx = x2;
      hy = y2;
      t = t2;
      pol = pol2;
      found = true;
    }
  }
  if (found && t <= 1) {
    b.TicksTillExpl = 0;
    b.SetImpact(pol, hx, hy);
  }
}

void TBullitList::Execute(TMaze& maze, TRocket& rkt, int t) {
  // The polygons stand still while the bullets move: their boxes hold for the whole tick.
  if (BoxShortcut && Count() > 0) TakeMovingBoxes(maze);
  int i = 0;
  while (i < Count()) {
    TBullit* b = Bullits(i);
    b->Execute(t);
    if (!b->Exploded) {
      if (BoxShortcut) {
        HitMovingBoxes(*b);
      } else {
        b->HitAnimatedObjects(maze);
      }
    }
    // The ball it was aimed at has gone since (rammed): nothing is there to burst on, so it
    // flies on through the empty place at whatever lies behind.
    if (auto* gone = dynamic_cast<TBall*>(b->Polygon);
        gone && gone->invisible && b->EndOfTravel()) {
      AimAgain(maze, *b);
    }
    if (b->EndOfTravel()) {
      b->Explode();
      if (b->Polygon) {
        b->SetX(b->Explx);
        b->SetY(b->Exply);
        // A ball scores only while it is there to be hit: not while it is still exploding
        // (rammed after this bullet was aimed at it).
        auto* ball = dynamic_cast<TBall*>(b->Polygon);
        if (ball && ball->ExplTicks() <= 0 && !ball->invisible) {
          ball->SetExplTicks(kBurstTicks);
          ++rkt.score;
          RecomputeBallHits(maze, b);
          maze.Report(TGameEvent::BallShot);
        } else if (b->Age < b->LifeTime) {  // a burst at the very end of its life is not shown
          maze.Report(TGameEvent::WallBurst);
        }
      }
      ++i;
    } else if (b->EndOfLife()) {
      FreeItem(i);
    } else {
      ++i;
    }
  }
}

void TBullitList::RecomputeBallHits(TMaze& maze, TBullit* b) {
  for (int i = 0; i < Count(); ++i) {
    TBullit* c = Bullits(i);
    // Only bullets still flying at the destroyed ball; one that has burst already sits on
    // its polygon in that polygon's coordinates and must stay where it is.
    if (c == b || c->Polygon != b->Polygon || c->Exploded) continue;
    AimAgain(maze, *c);
  }
}

void TBullitList::Draw(const TControl& f, TCanvas& cv, const tmat2d& m) {
  for (int i = 0; i < Count(); ++i) Bullits(i)->Draw(f, cv, m);
}

void DrawSparks(TCanvas& cv, TPoint p, int r, TColor c) {
  cv.Pen.Color = c;
  TRandomService& rnd = DrawRandom();
  for (int k = 0; k < 6; ++k) {
    const double theta = rnd.RandomReal() * 2 * std::numbers::pi;
    const int dx = RoundToInt(std::cos(theta) * r);
    const int dy = RoundToInt(std::sin(theta) * r);
    cv.MoveTo(p.X - dx, p.Y - dy);
    cv.LineTo(p.X + dx, p.Y + dy);
  }
}

// Firing belongs with the bullets: the aim is worked out here, once, against everything that
// does not move.
std::unique_ptr<TBullit> TRocket::Shoot() {
  auto b = std::make_unique<TBullit>();
  const double a = angle();
  b->SetVx(std::cos(a) * kMuzzleSpeed + FForce->vx());
  b->SetVy(std::sin(a) * kMuzzleSpeed + FForce->vy());
  const double speed = Speed(*b);
  b->SetX(std::cos(a) * sx + FForce->px());
  b->SetY(std::sin(a) * sx + FForce->py());
  b->LifeTime = kLifeTime;
  b->TicksTillExpl = kLifeTime;

  if (maze) {
    const TDRect l{b->x(), b->x() + b->vx(), b->y(), b->y() + b->vy()};
    TPolygon* pol = nullptr;
    double x = 0, y = 0;
    if (FindFixedHit(*maze, l, pol, x, y)) {
      b->TicksTillExpl = FlightTicks(Distance(b->x(), b->y(), x, y), speed, false);
      b->SetImpact(pol, x, y);
    }
  }

  FCannonHeat += 10;
  FJammed = FCannonHeat > 200;
  FRefusalReported = false;
  FBullitTicks = FJammed ? 10 : 2;
  return b;
}
