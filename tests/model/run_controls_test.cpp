// The controls and rules a player meets within minutes, played headless with scripted keys:
// the wheel, freezing and resuming, landing after loops and on moving polygons, resets and the
// balls, the reset keys, clearing the best time, and the key sampling after a dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "gx_traflist.h"
#include "referee_fixture.h"

namespace {

using referee_test::MakeCave;
using referee_test::Slab;
using referee_test::TCaveOptions;
using referee_test::TGame;

constexpr double kPi = std::numbers::pi;
constexpr double kStep = kPi / 15;  // one tick of a turn key
const TCaveOptions kOneBall{.target_ball = true, .two_balls = false};
const TCaveOptions kSpareOnly{.target_ball = false, .two_balls = true};

// Starts the run and hops off the floor: a rocket standing there would land again, upright,
// on the next tick after a small turn.
void TakeOff(TGame& g) {
  g.Start();
  g.keys.Down(vk::LControl);
  g.Ticks(12);
  g.keys.Up(vk::LControl);
  g.Ticks(5);  // clear of the floor before the nose may swing down
}

// --- the wheel ------------------------------------------------------------------------------

TEST(RunWheel, EveryDeltaTurnsByItsShareOfANotch) {
  struct Case {
    const char* what;
    std::vector<int> deltas;  // wheel events before one tick
    double turn;
  };
  const Case cases[] = {
      {"one notch up turns left", {120}, kStep},
      {"two notches down turn right", {-240}, -2 * kStep},
      {"a third of a notch (touchpad)", {40}, kStep / 3},
      {"two events add up", {120, 40}, kStep + kStep / 3},
      {"half notches add up to one", {60, 60}, kStep},
      {"a zero delta leaves a waiting one alone", {120, 0}, kStep},
      {"up and down cancel", {120, -120}, 0},
  };
  for (const Case& c : cases) {
    TGame g(MakeCave(kSpareOnly));
    TakeOff(g);
    const double a0 = g.rocket.angle();
    for (int d : c.deltas) g.maze->AddWheelDelta(d);
    g.Tick();
    EXPECT_NEAR(g.rocket.angle() - a0, c.turn, 1e-12) << c.what;
    EXPECT_EQ(g.maze->KeyState.M_WHEEL, 0) << c.what;
    g.Tick();
    EXPECT_NEAR(g.rocket.angle() - a0, c.turn, 1e-12) << c.what << ": turned once only";
  }
}

TEST(RunWheel, OneNotchTurnsExactlyAsFarAsOneKeyTick) {
  TGame keys(MakeCave(kSpareOnly)), wheel(MakeCave(kSpareOnly));
  TakeOff(keys);
  TakeOff(wheel);
  keys.TapTick(vk::Left);
  wheel.maze->AddWheelDelta(120);
  wheel.Tick();
  EXPECT_EQ(wheel.rocket.angle(), keys.rocket.angle());
}

TEST(RunWheel, DeltasSaturateInsteadOfOverflowing) {
  TMaze m;
  m.AddWheelDelta(std::numeric_limits<std::int32_t>::max());
  m.AddWheelDelta(120);
  EXPECT_EQ(m.KeyState.M_WHEEL, std::numeric_limits<std::int32_t>::max());
  m.KeyState.M_WHEEL = 0;
  m.AddWheelDelta(std::numeric_limits<std::int32_t>::min());
  m.AddWheelDelta(-1);
  EXPECT_EQ(m.KeyState.M_WHEEL, std::numeric_limits<std::int32_t>::min());
}

// --- freezing -------------------------------------------------------------------------------

// Freezing a frozen game (the help key again, or held so that it repeats) keeps the state to
// return to: any resume key still ends the freeze.
TEST(RunFreeze, FreezingAgainKeepsTheStateToReturnTo) {
  struct Case {
    const char* what;
    bool by_key;  // the first freeze by the freeze key, else as the help key does
    int again;    // further freezes as the help key does
  };
  const Case cases[] = {
      {"help key twice", false, 1},
      {"help key held (repeats)", false, 5},
      {"freeze key, then help key", true, 1},
  };
  for (const Case& c : cases) {
    for (std::uint8_t resume : {vk::LControl, vk::Up, vk::Left}) {
      TGame g(MakeCave(kSpareOnly));
      std::vector<TGameState> seen;
      g.maze->FOnGameStateChange = [&](TMaze* m) { seen.push_back(m->GameState()); };
      g.Start();
      g.Ticks(3);
      if (c.by_key) {
        g.TapTick(vk::Down);
      } else {
        g.maze->SetGameState(gs_freeze);
      }
      for (int i = 0; i < c.again; ++i) g.maze->SetGameState(gs_freeze);
      EXPECT_EQ(g.maze->FPrevState, gs_practice) << c.what;
      g.Ticks(3);
      EXPECT_EQ(g.maze->GameState(), gs_freeze) << c.what;
      EXPECT_EQ(g.maze->MsgLine(), "Game Frozen") << c.what;
      g.TapTick(resume);
      EXPECT_EQ(g.maze->GameState(), gs_practice) << c.what << " resumed by " << int(resume);
      EXPECT_EQ(g.maze->MsgLine(), "") << c.what;
      EXPECT_EQ(seen.back(), gs_practice) << c.what;
    }
  }
}

// A flight key already down when the freeze began does not end it; one pressed after does.
TEST(RunFreeze, AKeyHeldIntoTheFreezeDoesNotEndIt) {
  struct Case {
    const char* what;
    std::uint8_t held;
    bool by_key;  // frozen by the freeze key, else as the help key does
  };
  const Case cases[] = {
      {"thrust, freeze key", vk::LControl, true},
      {"thrust, help key", vk::LControl, false},
      {"fire (Left Alt), freeze key", vk::LMenu, true},
      {"turn, help key", vk::Left, false},
  };
  for (const Case& c : cases) {
    TGame g(MakeCave(kSpareOnly));
    g.Start();
    g.keys.Down(c.held);
    g.Ticks(2);
    if (c.by_key) {
      g.TapTick(vk::Down);
    } else {
      g.maze->SetGameState(gs_freeze);
    }
    ASSERT_EQ(g.maze->GameState(), gs_freeze) << c.what;
    const std::uint32_t clock = g.maze->duration;
    g.Ticks(20);
    EXPECT_EQ(g.maze->GameState(), gs_freeze) << c.what << ": held all along";
    EXPECT_EQ(g.maze->duration, clock) << c.what;

    // Let go and pressed again: a new press.
    g.keys.Up(c.held);
    g.Tick();
    EXPECT_EQ(g.maze->GameState(), gs_freeze) << c.what << ": letting go resumes nothing";
    g.keys.Down(c.held);
    g.Tick();
    EXPECT_EQ(g.maze->GameState(), gs_practice) << c.what;
  }

  // Released and pressed again between two ticks counts too, and so does another key.
  for (bool other_key : {false, true}) {
    TGame g(MakeCave(kSpareOnly));
    g.Start();
    g.keys.Down(vk::LControl);
    g.Tick();
    g.TapTick(vk::Down);
    g.Ticks(5);
    ASSERT_EQ(g.maze->GameState(), gs_freeze);
    if (other_key) {
      g.keys.Tap(vk::Up);
    } else {
      g.keys.Up(vk::LControl);
      g.keys.Down(vk::LControl);
    }
    g.Tick();
    EXPECT_EQ(g.maze->GameState(), gs_practice) << "other key " << other_key;
  }
}

// --- landing --------------------------------------------------------------------------------

// Hops off the floor, turns in the air with the keys and comes down upright and slowly.
struct TLoop {
  const char* what;
  int left, right;  // ticks of each turn key, one after the other
  bool lands;
};

void FlyLoop(const TLoop& c) {
  TGame g(MakeCave(kSpareOnly));
  TakeOff(g);
  for (auto [key, ticks] : {std::pair{vk::Left, c.left}, {vk::Right, c.right}}) {
    if (ticks == 0) continue;  // a key put down and up again would count as a tap
    g.keys.Down(key);
    g.Ticks(ticks);
    g.keys.Up(key);
  }
  ASSERT_FALSE(g.rocket.Exploded()) << c.what << ": still in the air";
  ASSERT_GT(g.Force().py(), 0.1) << c.what;
  EXPECT_NEAR(std::remainder(g.rocket.angle() - kPi / 2, 2 * kPi), c.lands ? 0 : kPi, 1e-9)
      << c.what;
  int t = 0;
  while (!g.rocket.Exploded() && g.Force().py() != g.rocket.sx / 5 && t < 200) {
    g.Tick();
    ++t;
  }
  EXPECT_EQ(g.rocket.Exploded(), !c.lands) << c.what;
  if (!c.lands) return;
  g.Ticks(20);
  EXPECT_FALSE(g.rocket.Exploded()) << c.what << ": it stands";
  EXPECT_EQ(g.Force().py(), g.rocket.sx / 5) << c.what;
  EXPECT_EQ(g.rocket.angle(), kPi / 2) << c.what << ": the loops are forgotten";
}

TEST(RunLanding, LoopsFlownBeforeDoNotSpoilAnUprightLanding) {
  const TLoop cases[] = {
      {"a full turn left and back", 30, 30, true},
      {"a full turn left", 30, 0, true},
      {"two full turns right", 0, 60, true},
      {"half a turn: upside down", 15, 0, false},
  };
  for (const TLoop& c : cases) FlyLoop(c);
}

// A landing pad sliding up and to the right; the rocket starts standing on it.
TEST(RunLanding, ARocketLandsOnTheEdgeWhereTheAnimationHasItNow) {
  auto maze = std::make_unique<TMaze>();
  auto pad = Slab(-0.5, -0.2, 0.5, 0, true);
  auto slide = std::make_unique<TForce>();
  slide->init(0, 1, 0, 0, 0, 0, 0, 0, 0.003, 0.002, 0, 0);
  pad->TrafList()->AddTraf(std::move(slide));
  TPolygon* p = pad.get();
  maze->AddPolygon(std::move(pad));
  maze->AddPolygon(Slab(-2, 1.5, 2, 2.0, false));
  maze->SetStart(TMaze::SideRect(*p, *p->GetSide(2)));
  maze->AddBall(1.7, 0.5, 0x00FF00);  // keeps the run going
  maze->SetTickUnit(50);
  TGame g(std::move(maze));
  g.Start();
  for (int i = 0; i < 40; ++i) {
    // The crash test meets the pad where the previous tick left it.
    const tmat2d m = p->matrix;
    g.Tick();
    ASSERT_FALSE(g.rocket.Exploded()) << "tick " << i;
    const double dx = m.mat[0][2], dy = m.mat[1][2];
    ASSERT_GT(dy, 0) << "tick " << i << ": the pad has moved";
    EXPECT_DOUBLE_EQ(g.Force().py(), dy + g.rocket.sx / 5) << "tick " << i;
    const TDRect l = g.maze->Landing();
    EXPECT_EQ((std::array{l.x1, l.x2, l.y1, l.y2}), (std::array{0.5 + dx, -0.5 + dx, dy, dy}))
        << "tick " << i;
    EXPECT_DOUBLE_EQ(g.rocket.startpos.y, dy + g.rocket.sx / 5);
  }
  EXPECT_NEAR(g.Force().py(), 40 * 0.002 + g.rocket.sx / 5, 1e-9) << "it rode the pad up";
  EXPECT_NEAR(g.Force().px(), 0, 1e-12) << "the pad slides under it";
}

// --- resets and the balls ---------------------------------------------------------------------

enum TResetBy { rb_space, rb_x, rb_window };

void ResetBy(TGame& g, TResetBy how) {
  if (how == rb_window) {
    g.maze->reset();
    return;
  }
  const std::uint8_t key = how == rb_space ? vk::Space : vk::X;
  g.keys.Down(key);
  g.Ticks(3);
  ASSERT_EQ(g.maze->GameState(), gs_practice) << "nothing while held";
  g.keys.Up(key);
  g.Tick();
  ASSERT_EQ(g.maze->GameState(), gs_intro) << "reset on release";
}

// Shoots the target ball and resets while its explosion is still counting down.
TEST(RunReset, EveryResetLeavesEveryBallWholeForTheNextRun) {
  for (TResetBy how : {rb_space, rb_x, rb_window}) {
    TGame g(MakeCave());
    TBall* target = g.maze->balllist->GetBall(0);
    const TColor colour = target->Color();
    g.Start();
    g.TapTick(vk::Up);
    while (target->ExplTicks() == 0 && g.tick < 60) g.Tick();
    ASSERT_EQ(target->ExplTicks(), 10) << how;
    g.Tick();
    ResetBy(g, how);
    for (int i = 0; i < g.maze->balllist->Count(); ++i) {
      const TBall* b = g.maze->balllist->GetBall(i);
      EXPECT_EQ(b->ExplTicks(), 0) << how << " ball " << i;
      EXPECT_FALSE(b->invisible) << how << " ball " << i;
    }
    EXPECT_EQ(target->Color(), colour) << how;
    EXPECT_EQ(target->FColList[4], TColor{0x0000FF}) << how << ": its own shades again";

    g.Start();
    g.Ticks(30);
    EXPECT_FALSE(target->invisible) << how << ": it does not vanish by itself";
    EXPECT_EQ(target->Color(), colour) << how;
    EXPECT_FALSE(g.maze->NoMoreBalls()) << how;
    EXPECT_EQ(g.rocket.score, 0) << how;
  }
}

// A bullet flies at the target ball, and the rocket (put on the ball) rams it first.
TEST(RunReset, ABallRammedBeforeTheBulletArrivesScoresOnce) {
  struct Case {
    const char* what;
    int ram_after;  // ticks after the shot
    bool bursts_on_ball;
  };
  const Case cases[] = {
      {"still exploding when the bullet arrives: it bursts there", 15, true},
      // The ceiling lies beyond the rest of its life: it fades out unburst.
      {"gone when the bullet arrives: it flies on through", 2, false},
  };
  for (const Case& c : cases) {
    TGame g(MakeCave());
    TBall* target = g.maze->balllist->GetBall(0);
    g.Start();
    g.TapTick(vk::Up);
    TBullit* b = g.maze->bullitlist->Bullits(0);
    ASSERT_EQ(b->Polygon, target);
    g.Ticks(c.ram_after - 1);
    g.Force().SetPx(target->CenterX());
    g.Force().SetPy(target->CenterY());
    g.Tick();
    ASSERT_EQ(g.rocket.score, 1) << c.what << ": rammed";
    bool burst = false;
    const TPolygon* burst_on = nullptr;
    for (int t = 0; t < 40 && g.maze->bullitlist->IndexOf(b) >= 0; ++t) {
      g.Tick();
      if (g.maze->bullitlist->IndexOf(b) >= 0 && b->Exploded && !burst) {
        burst = true;
        burst_on = b->Polygon;
      }
    }
    EXPECT_EQ(burst, c.bursts_on_ball) << c.what;
    if (burst) {
      EXPECT_EQ(burst_on, target) << c.what;
    }
    EXPECT_EQ(g.maze->bullitlist->IndexOf(b), -1) << c.what << ": gone in the end";
    EXPECT_EQ(g.rocket.score, 1) << c.what << ": no second point";
    g.Ticks(12);
    EXPECT_TRUE(target->invisible) << c.what;
    EXPECT_EQ(g.rocket.score, 1) << c.what;
  }
}

// --- the best time ----------------------------------------------------------------------------

TEST(RunBestTime, RClearingTheBestTimeIsAChangeOfTheMaze) {
  TGame g(MakeCave());
  int changes = 0;
  g.maze->FOnChange = [&](TMaze*) { ++changes; };
  g.maze->bestdur = 4.5;
  g.TapTick(vk::R);
  EXPECT_EQ(g.maze->bestdur, 0);
  EXPECT_EQ(changes, 1);
  g.TapTick(vk::R);
  EXPECT_EQ(changes, 1) << "nothing left to clear";
  g.keys.Down(vk::R);
  g.maze->bestdur = 2;
  g.Ticks(3);
  EXPECT_EQ(changes, 2);
}

// --- the sampling after a dialog ----------------------------------------------------------------

// What the player did with the game keys while a dialog was open, and then after it closed.
TEST(RunAfterDialog, KeysOfTheDialogNeverActOnTheGame) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> tapped;  // pressed and let go in the dialog
    std::vector<std::uint8_t> held;    // still held when the dialog closes, let go later
  };
  const Case cases[] = {
      {"R typed", {vk::R}, {}},
      {"Space typed", {vk::Space}, {}},
      {"X typed", {vk::X}, {}},
      {"thrust tapped", {vk::LControl}, {}},
      {"R held", {}, {vk::R}},
      {"Space held", {}, {vk::Space}},
      {"X held", {}, {vk::X}},
      {"thrust held", {}, {vk::LControl}},
      {"Space and Escape typed, R held", {vk::Space, vk::Escape}, {vk::R}},
  };
  for (const Case& c : cases) {
    for (bool reset_pending : {false, true}) {
      TGame g(MakeCave());
      g.maze->bestdur = 4.5;
      g.maze->KeyState.K_RESET = reset_pending;
      for (std::uint8_t k : c.tapped) g.keys.Tap(k);
      for (std::uint8_t k : c.held) g.keys.Down(k);
      g.maze->DiscardGameKeys();
      EXPECT_EQ(g.maze->bestdur, 4.5) << c.what;
      EXPECT_EQ(g.maze->KeyState.K_RESET, reset_pending) << c.what;
      EXPECT_FALSE(g.maze->KeyState.K_RESETDOWN) << c.what;

      g.Ticks(5);
      for (std::uint8_t k : c.held) g.keys.Up(k);
      g.Ticks(5);
      EXPECT_EQ(g.maze->GameState(), gs_intro) << c.what << ": nothing started or ended";
      EXPECT_EQ(g.maze->bestdur, 4.5) << c.what;
      EXPECT_EQ(g.maze->KeyState.K_RESET, reset_pending) << c.what;

      // Pressed anew after the dialog, the keys work again.
      g.keys.Tap(vk::R);
      g.Start();
      EXPECT_EQ(g.maze->bestdur, 0) << c.what;
      ASSERT_EQ(g.maze->GameState(), gs_practice) << c.what;
      if (reset_pending) {
        g.Tick();
        EXPECT_EQ(g.maze->GameState(), gs_intro) << c.what << ": the old request stays";
        g.Start();
      }
      g.keys.Tap(vk::Space);
      g.Ticks(2);
      EXPECT_EQ(g.maze->GameState(), gs_intro) << c.what << ": a new Space resets";
    }
  }
}

// Space went down in the game, the dialog opened and Space was let go in it or after it.
TEST(RunAfterDialog, ASpaceHalfSeenBeforeTheDialogRaisesNoReset) {
  for (bool let_go_in_dialog : {true, false}) {
    TGame g(MakeCave(kSpareOnly));
    g.Start();
    g.keys.Down(vk::Space);
    g.Tick();
    ASSERT_TRUE(g.maze->KeyState.K_RESETDOWN);
    g.maze->reset();  // the window resets the run before the editor or the selection
    if (let_go_in_dialog) g.keys.Up(vk::Space);
    g.maze->DiscardGameKeys();
    g.keys.Up(vk::Space);
    g.Ticks(3);
    EXPECT_FALSE(g.maze->KeyState.K_RESET) << let_go_in_dialog;
    g.Start();
    g.Ticks(3);
    EXPECT_EQ(g.maze->GameState(), gs_practice) << let_go_in_dialog;
  }
}

}  // namespace
