#include "gx_mazegame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "gx_ball.h"
#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_polygon.h"
#include "gx_rocket.h"

namespace {

constexpr double kTurnStep = std::numbers::pi / 15;  // 12 degrees per tick of a turn key
constexpr double kWheelNotch = 120;                  // wheel delta of one notch: one turn step
constexpr double kUpright = std::numbers::pi / 2;
constexpr double kLandAngle = 0.17453292519943295;  // 10 degrees either side of upright
constexpr double kLandSpeed = 0.02;                 // maze units per tick, each direction
constexpr int kFinishTicks = 84;                    // 4.2 s at 50 ms per tick

// The corner before s in p, cyclically; s itself when it is not a corner of p.
const TSide& PreviousCorner(const TPolygon& p, const TSide& s) {
  const int n = p.Count();
  const int ix = p.IndexOf(&s);
  if (ix < 0 || n == 0) return s;
  const TSide* prev = p.GetSide(ix == 0 ? n - 1 : ix - 1);
  return prev ? *prev : s;
}

// Names are written on the record's first line; a line break inside one would split the
// record, so control characters go out as blanks.
std::string NameForFile(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < ' ') c = ' ';
  }
  return out;
}

}  // namespace

TMaze::TMaze()
    : balllist(std::make_unique<TBallList>()), bullitlist(std::make_unique<TBullitList>()) {
  FId = 7;
}

TMaze::~TMaze() {
  if (FRocket && FRocket->maze == this) FRocket->maze = nullptr;
  // Bullets point at polygons and balls of this maze: they go first.
  bullitlist.reset();
  balllist.reset();
}

// --- properties -----------------------------------------------------------------------------

void TMaze::SetGameState(TGameState v) {
  // A second freeze (the help key again, or its auto-repeat) must not make the freeze the
  // state to return to: no key would end it.
  const bool refreeze = v == gs_freeze && FGameState == gs_freeze;
  if (!refreeze) FPrevState = FGameState;
  if (FGameState == gs_freeze) FMsgLine.clear();
  FGameState = v;
  if (v == gs_intro) reset();
  if (v == gs_freeze) {
    FMsgLine = "Game Frozen";
    // Thrust still held from the run must not end the freeze on the next tick.
    if (!refreeze) {
      for (int i : {0, 2, 3, 6}) HoldOverKeys(GameKeys[i]);
    }
  }
  if (v == gs_practice) FMsgLine.clear();
  if (v == gs_freeze && !refreeze) Report(TGameEvent::Freeze);
  if (FPrevState == gs_freeze && v != gs_freeze && v != gs_finished) Report(TGameEvent::Resume);
  if (FOnGameStateChange) FOnGameStateChange(this);
}

void TMaze::SetLanding(const TDRect& r) {
  Flanding = r;
  if (FRocket) {
    FRocket->startpos.x = (r.x1 + r.x2) / 2;
    FRocket->startpos.y = (r.y1 + r.y2) / 2 + FRocket->sx / 5;
  }
}

void TMaze::SetStart(const TDRect& r) {
  FStart = r;
  SetLanding(r);
}

void TMaze::SetRocket(TRocket* r) {
  FRocket = r;
  if (!r) return;
  r->startpos.x = (Flanding.x1 + Flanding.x2) / 2;
  r->startpos.y = Flanding.y1 + r->sx / 5;
  r->maze = this;
}

bool TMaze::NoMoreBalls() const {
  return balllist->InVisible();
}

void TMaze::SetTickUnit(int v) {
  TDrawList::SetTickUnit(v);
  for (int i = 0; i < Count(); ++i) {
    if (TPolygon* p = GetPolygon(i)) p->SetTickUnit(v);
  }
}

// --- keys -----------------------------------------------------------------------------------

TKeyQuery TMaze::QueryKey(std::uint8_t code) {
  if (!FKeys) return {};
  TKeyQuery q = FKeys->Query(code);
  if (FHeldOver[code]) {
    // Let go, or let go and pressed again since the last query: no longer the old press.
    if (q.pressed || !q.down) FHeldOver[code] = false;
    if (!q.pressed) q.down = false;
  }
  return q;
}

void TMaze::HoldOverKey(std::uint8_t code) {
  if (!FKeys || code == 0) return;
  FHeldOver[code] = FKeys->Query(code).down;
}

void TMaze::HoldOverKeys(const TKeyList& kl) {
  for (std::uint8_t code : kl) HoldOverKey(code);
}

void TMaze::AddWheelDelta(int delta) {
  const std::int64_t sum = std::int64_t{KeyState.M_WHEEL} + delta;
  KeyState.M_WHEEL = static_cast<std::int32_t>(std::clamp<std::int64_t>(
      sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool TMaze::KeysAreHit(const TKeyList& kl) {
  if (QueryKey(kl[0]).Hit()) return true;
  return kl[1] != 0 && QueryKey(kl[1]).Hit();
}

void TMaze::CheckGameKeys() {
  KeyState.K_THRUST = KeysAreHit(GameKeys[0]);
  KeyState.K_SHOOT = KeysAreHit(GameKeys[6]);
  KeyState.K_FREEZE = KeysAreHit(GameKeys[1]);
  KeyState.K_LEFT = KeysAreHit(GameKeys[2]);
  KeyState.K_RIGHT = KeysAreHit(GameKeys[3]);
  KeyState.K_TERMINATE = KeysAreHit(GameKeys[4]);
  // Space or X raises one reset request, when the last of them is let go.
  const TKeyList& reset_keys = GameKeys[5];
  if (!KeyState.K_RESETDOWN) {
    KeyState.K_RESETDOWN = KeysAreHit(reset_keys);
  } else if (!QueryKey(reset_keys[0]).down && !QueryKey(reset_keys[1]).down) {
    KeyState.K_RESET = true;
    KeyState.K_RESETDOWN = false;
  }
  // The main window saves a cleared best time like a new one.
  if (QueryKey(vk::R).Hit() && bestdur != 0) {
    bestdur = 0;
    if (FOnChange) FOnChange(this);
  }
  if (FOnKeysSampled) FOnKeysSampled(this);
}

void TMaze::DiscardGameKeys() {
  for (const TKeyList& kl : GameKeys) HoldOverKeys(kl);
  // Its release would come after the dialog and raise a reset nobody asked for.
  KeyState.K_RESETDOWN = false;
}

void TMaze::HandleKeyboard() {
  CheckGameKeys();
  if (KeyState.K_TERMINATE) SetGameState(gs_finished);
  switch (FGameState) {
    case gs_intro:
      if (KeyState.K_THRUST) SetGameState(gs_practice);
      break;
    case gs_practice:
    case gs_compete: {
      RocketFire(KeyState.K_THRUST);
      if (KeyState.K_FREEZE) SetGameState(gs_freeze);
      const bool steerable = FRocket && !FRocket->Exploded();
      if (KeyState.K_LEFT && steerable) FRocket->rotate(kTurnStep);
      if (KeyState.K_RIGHT && steerable) FRocket->rotate(-kTurnStep);
      if (KeyState.M_WHEEL != 0) {
        // A notch turns as far as one tick of a turn key, a finer delta by its share. The wheel
        // turns even a broken rocket: it only spins the debris cloud.
        if (FRocket) FRocket->rotate(KeyState.M_WHEEL / kWheelNotch * kTurnStep);
        KeyState.M_WHEEL = 0;
      }
      if (KeyState.K_RESET) {
        KeyState.K_RESET = false;
        SetGameState(gs_intro);
      }
      if (KeyState.K_SHOOT) RocketShoot();
      break;
    }
    case gs_freeze:
      if (KeyState.K_THRUST || KeyState.K_SHOOT || KeyState.K_LEFT || KeyState.K_RIGHT) {
        SetGameState(FPrevState);
      }
      break;
    case gs_finished:
      break;
  }
}

void TMaze::RocketFire(bool b) {
  if (!FRocket) return;
  TForce* force = FRocket->FForce;
  if (b && !FRocket->Exploded()) {
    if (force) force->SetF(std::fabs(force->gy()) * 5);
    FRocket->SetThrustOn(true);
  } else {
    if (force) force->SetF(0);
    FRocket->SetThrustOn(false);
  }
}

void TMaze::RocketShoot() {
  if (!FRocket || FRocket->Exploded()) return;
  if (FRocket->ShootOK()) {
    bullitlist->AddBullit(FRocket->Shoot());
    Report(TGameEvent::Shot);
  } else if (FRocket->TakeRefusal()) {
    Report(TGameEvent::ShotRefused);
  }
}

// --- the tick -------------------------------------------------------------------------------

bool TMaze::TickTime(int t) {
  bool record = false;
  HandleKeyboard();
  if (FGameState == gs_finished) return false;
  if (FGameState == gs_practice || FGameState == gs_compete) {
    // A crash that ends its explosion here resets the run; the rest of the tick still runs.
    if (FRocket) FRocket->execute(*this, t);
    if (!NoMoreBalls() && !(FRocket && FRocket->Exploded())) ++duration;
    TDrawList::Execute(t);
    balllist->Execute(t);
    if (FRocket) bullitlist->Execute(*this, *FRocket, t);
  }
  if (FGameState == gs_practice && NoMoreBalls() && !FFinished) {
    FFinished = true;
    FFinishTicks = kFinishTicks;
    const std::int64_t ms = static_cast<std::int64_t>(duration) * FTickUnit;
    const double secs = static_cast<double>(ms) / 1000;
    if (bestdur > secs || bestdur <= 0) {
      FMsgLine = "New Record Time!";
      bestdur = secs;
      if (FOnChange) FOnChange(this);
      record = true;
    } else {
      FMsgLine = "No New Record Time!";
    }
    Report(record ? TGameEvent::NewRecord : TGameEvent::RunFinished);
  }
  if (FFinished) {
    --FFinishTicks;
    if (FFinishTicks <= 0) SetGameState(gs_intro);
  }
  if (FRocket && FRocket->ThrustOn() != FRocket->FThrustReported) {
    FRocket->FThrustReported = FRocket->ThrustOn();
    Report(FRocket->FThrustReported ? TGameEvent::ThrustOn : TGameEvent::ThrustOff);
  }
  return record;
}

bool TMaze::Land(TPolygon* p, TSide* s) {
  if (!FRocket || !FRocket->FForce || !p || !s) return false;
  TForce& force = *FRocket->FForce;
  // The heading is accumulated over the whole run; loops flown before do not matter, so it is
  // compared with straight up within one turn. Written so that a speed or angle that is not a
  // number fails the landing too.
  const double tilt = std::remainder(FRocket->angle() - kUpright, 2 * std::numbers::pi);
  const bool gentle = std::fabs(force.vy()) <= kLandSpeed && std::fabs(force.vx()) <= kLandSpeed &&
                      std::fabs(tilt) <= kLandAngle;
  if (!gentle) return false;
  // The edge where the polygon's animation has it now, as the crash test met it.
  const TSide& prev = PreviousCorner(*p, *s);
  double ex = s->x(), ey = s->y(), px = prev.x(), py = prev.y();
  p->matrix.Transform(ex, ey);
  p->matrix.Transform(px, py);
  const double stand_y = ey + FRocket->sx / 5;
  force.SetAx(0);
  force.SetAy(0);
  force.SetVx(0);
  force.SetVy(0);
  force.SetPy(stand_y);
  FRocket->SetAngle(kUpright);
  FRocket->startpos.x = force.px();
  FRocket->startpos.y = stand_y;
  Flanding = TDRect{ex, px, ey, py};
  ++FRocket->jumps;
  return true;
}

void TMaze::reset() {
  FGameState = gs_intro;
  FFinished = false;
  FFinishTicks = 0;
  FMsgLine.clear();
  SetLanding(FStart);
  if (FRocket) FRocket->reset();
  // A new run starts with every ball whole: none may vanish by itself later.
  for (int i = 0; i < balllist->Count(); ++i) {
    if (TBall* b = balllist->GetBall(i)) b->StopExplosion();
  }
  balllist->SetInVisible(false);
  bullitlist->ClearAll();
  TDrawList::reset();
  duration = 0;
}

// --- editing helpers ------------------------------------------------------------------------

TBall* TMaze::AddBall(double x, double y, TColor col) {
  auto b = std::make_unique<TBall>();
  if (col >= 0) b->SetColor(col);
  b->matrix.mat[0][2] = x;
  b->matrix.mat[1][2] = y;
  TBall* raw = b.get();
  balllist->AddPolygon(std::move(b));
  return raw;
}

namespace {
void ForgetTarget(TBullitList& bullets, const TPolygon* p) {
  for (int i = 0; i < bullets.Count(); ++i) {
    TBullit* b = bullets.Bullits(i);
    if (b && b->Polygon == p) b->Polygon = nullptr;
  }
}
}  // namespace

void TMaze::RemoveBall(TBall* b) {
  if (!b) return;
  ForgetTarget(*bullitlist, b);
  balllist->RemovePolygon(b);
}

void TMaze::RemovePolygon(TPolygon* p) {
  if (!p) return;
  ForgetTarget(*bullitlist, p);
  TDrawList::RemovePolygon(p);
}

bool TMaze::PointInBall(double x, double y, TBall*& b) const {
  for (int i = 0; i < balllist->Count(); ++i) {
    TBall* ball = balllist->GetBall(i);
    if (!ball) continue;
    b = ball;
    if (ball->PointInBall(x, y)) return true;
  }
  return false;
}

TDRect TMaze::SideRect(const TPolygon& p, const TSide& s) {
  const TSide& prev = PreviousCorner(p, s);
  return TDRect{prev.x(), s.x(), prev.y(), s.y()};
}

bool TMaze::PointInRect(const TDRect& r, TPolygon*& p, int& six) {
  p = nullptr;
  return TDrawList::PointInRect(r, p, six);
}

void TMaze::TransForm(const tmat2d& m) {
  for (int i = 0; i < Count(); ++i) {
    if (TPolygon* p = GetPolygon(i)) p->TransForm(m);
  }
  balllist->TransForm(m);
}

// --- text record ----------------------------------------------------------------------------

bool TMaze::LoadFromF(TTextReader& f, const TQorClass*) {
  bestdur = f.ReadReal();
  f.ReadLn();
  ReadRectLine(f, FStart);
  const int tick_unit = f.ReadInteger();
  f.ReadLn();
  FTickUnit = tick_unit;
  TColor* colours[] = {&incolor, &outcolor, &linecolor, &landcolor};
  for (TColor* c : colours) {
    *c = f.ReadInteger();
    f.ReadLn();
  }
  // Records written before mazes had balls go straight on with the maze's own header.
  if (f.ReadHeaderId() == 9) {
    balllist->LoadFromF(f);
    f.ReadLn();  // the maze's own header line
  }
  TDrawList::LoadFromF(f);
  SetLanding(FStart);
  SetTickUnit(tick_unit);
  return true;
}

bool TMaze::SaveToF(TTextWriter& f) const {
  f.Integer(FId).Blank().Str(NameForFile(mazename)).EndLine();
  f.RealsLine({bestdur});
  WriteRectLine(f, FStart);
  f.IntLine(FTickUnit);
  f.IntLine(incolor);
  f.IntLine(outcolor);
  f.IntLine(linecolor);
  f.IntLine(landcolor);
  balllist->SaveToF(f);
  return TDrawList::SaveToF(f);
}
