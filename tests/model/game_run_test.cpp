// Whole runs played headless, tick by tick, with scripted keys: the referee's rules as the
// player meets them.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "referee_fixture.h"

namespace {

using referee_test::MakeCave;
using referee_test::TCaveOptions;
using referee_test::TGame;

constexpr double kPi = std::numbers::pi;
const TCaveOptions kOneBall{.target_ball = true, .two_balls = false};
const TCaveOptions kNoBalls{.target_ball = false, .two_balls = false};
const TCaveOptions kSpareOnly{.target_ball = false, .two_balls = true};

TEST(GameRun, NothingMovesUntilLeftControlStartsTheRun) {
  TGame g(MakeCave());
  g.maze->SetMsgLine("Press F1 for Help");
  const double y0 = g.Force().py();
  g.keys.Down(vk::Up);
  g.keys.Down(vk::Left);
  g.Ticks(20);
  EXPECT_EQ(g.maze->GameState(), gs_intro);
  EXPECT_EQ(g.Force().py(), y0);
  EXPECT_EQ(g.rocket.angle(), kPi / 2) << "turning waits for the run";
  EXPECT_EQ(g.maze->bullitlist->Count(), 0);
  EXPECT_EQ(g.maze->duration, 0u);
  g.keys.ReleaseAll();

  g.Start();
  EXPECT_EQ(g.maze->GameState(), gs_practice);
  EXPECT_EQ(g.maze->MsgLine(), "");
  EXPECT_EQ(g.maze->duration, 1u) << "the clock runs from the starting tick";
  EXPECT_FALSE(g.rocket.ThrustOn()) << "the starting tick does not thrust yet";
  g.Ticks(9);
  EXPECT_EQ(g.maze->duration, 10u);
}

TEST(GameRun, ThrustLiftsTheRocketOnlyWhileHeld) {
  TGame g(MakeCave({.target_ball = false, .two_balls = true}));
  g.Start();
  const double y0 = g.Force().py();
  g.keys.Down(vk::LControl);
  g.Ticks(5);
  EXPECT_TRUE(g.rocket.ThrustOn());
  EXPECT_DOUBLE_EQ(g.Force().f(), std::fabs(g.Force().gy()) * 5);
  EXPECT_DOUBLE_EQ(g.Force().f(), 0.005);
  EXPECT_GT(g.Force().py(), y0);
  EXPECT_GT(g.Force().vy(), 0);
  g.keys.Up(vk::LControl);
  g.Tick();
  EXPECT_FALSE(g.rocket.ThrustOn());
  EXPECT_EQ(g.Force().f(), 0);
}

TEST(GameRun, TurnKeysAndTheWheel) {
  TGame g(MakeCave());
  g.maze->KeyState.M_WHEEL = 120;
  g.Tick();
  EXPECT_EQ(g.maze->KeyState.M_WHEEL, 120) << "a wheel turn waits for the run";
  g.Start();
  EXPECT_EQ(g.maze->KeyState.M_WHEEL, 120) << "the starting tick only changes the state";
  g.Tick();
  EXPECT_EQ(g.maze->KeyState.M_WHEEL, 0);
  EXPECT_NEAR(g.rocket.angle(), kPi / 2 + kPi / 15, 1e-12) << "a notch turns as a key tick";
  g.maze->reset();
  g.Start();

  struct Step {
    std::uint8_t key;
    double turn;  // in steps of pi/15
  };
  const Step steps[] = {{vk::Left, 1}, {vk::A, 1}, {vk::Right, -1}, {vk::D, -1}, {vk::Right, -1}};
  double want = g.rocket.angle();
  for (const Step& s : steps) {
    g.TapTick(s.key);
    want += s.turn * kPi / 15;
    EXPECT_NEAR(g.rocket.angle(), want, 1e-12) << "key " << int(s.key);
    if (g.rocket.Exploded()) break;
  }
}

TEST(GameRun, TurningIsIgnoredWhileExplodedButTheWheelStillTurns) {
  TGame g(MakeCave(kSpareOnly));
  g.Start();
  g.TapTick(vk::Left);  // 12 degrees off upright: the next contact with the floor is a crash
  ASSERT_TRUE(g.rocket.Exploded());
  EXPECT_EQ(g.rocket.FExplTicks, 84);
  const double a = g.rocket.angle();
  g.TapTick(vk::Left);
  g.TapTick(vk::Right);
  EXPECT_EQ(g.rocket.angle(), a);
  g.maze->AddWheelDelta(-120);
  g.Tick();
  EXPECT_NEAR(g.rocket.angle(), a - kPi / 15, 1e-12);
  g.keys.Down(vk::LControl);
  g.Tick();
  EXPECT_FALSE(g.rocket.ThrustOn()) << "no flame on a broken rocket";
  EXPECT_EQ(g.Force().f(), 0);
}

TEST(GameRun, AShotDestroysTheBallAndScores) {
  TGame g(MakeCave());
  g.Start();
  g.TapTick(vk::Up);
  ASSERT_EQ(g.maze->bullitlist->Count(), 1);
  TBall* target = g.maze->balllist->GetBall(0);
  int ticks = 1;
  while (target->ExplTicks() == 0 && ticks < 40) {
    g.Tick();
    ++ticks;
  }
  // From the nose (0.103 up) to the ball's lower edge (0.77) at 0.03 per tick.
  EXPECT_EQ(ticks, 22);
  EXPECT_EQ(target->ExplTicks(), 10);
  EXPECT_EQ(g.rocket.score, 1);
  g.Ticks(10);
  EXPECT_TRUE(target->invisible);
  EXPECT_EQ(g.maze->GameState(), gs_practice) << "the spare ball keeps the run going";
  EXPECT_FALSE(g.maze->FFinished);
  g.Ticks(10);
  EXPECT_EQ(g.maze->bullitlist->Count(), 0) << "the burst is over";
  EXPECT_EQ(g.rocket.score, 1);
}

TEST(GameRun, RammingDestroysTheBallAndCrashingExplodesFor84Ticks) {
  TGame g(MakeCave());
  g.Start();
  g.keys.Down(vk::LControl);
  TBall* target = g.maze->balllist->GetBall(0);
  int t = 0;
  while (g.rocket.score == 0 && t < 100) {
    g.Tick();
    ++t;
  }
  ASSERT_EQ(g.rocket.score, 1) << "rammed";
  EXPECT_EQ(target->ExplTicks(), 9) << "the balls' tick comes after the rocket's";
  EXPECT_FALSE(g.rocket.Exploded()) << "a ball never harms the rocket";

  while (!g.rocket.Exploded() && t < 200) {
    g.Tick();
    ++t;
  }
  ASSERT_TRUE(g.rocket.Exploded()) << "into the ceiling";
  EXPECT_EQ(g.rocket.FExplTicks, 84);
  EXPECT_EQ(g.rocket.Count(), 30) << "fragments";
  const std::uint32_t clock = g.maze->duration;
  g.Ticks(83);
  EXPECT_EQ(g.maze->GameState(), gs_practice);
  EXPECT_TRUE(g.rocket.Exploded());
  EXPECT_EQ(g.maze->duration, clock) << "the clock stops while the rocket is broken";
  g.Tick();
  EXPECT_EQ(g.maze->GameState(), gs_intro);
  EXPECT_FALSE(g.rocket.Exploded());
  EXPECT_EQ(g.rocket.score, 0);
  EXPECT_EQ(g.maze->duration, 1u) << "the rest of the resetting tick still ran";
  EXPECT_FALSE(target->invisible);
  EXPECT_FALSE(g.rocket.ThrustOn()) << "thrust is held, but not applied in the intro";
  EXPECT_DOUBLE_EQ(g.Force().px(), 0);
}

TEST(GameRun, AnUprightSlowLandingHoldsTheRocket) {
  TGame g(MakeCave(kSpareOnly));
  g.Start();
  const double stand = g.rocket.sx / 5;
  for (int i = 0; i < 100; ++i) {
    g.Tick();
    ASSERT_FALSE(g.rocket.Exploded()) << "tick " << i;
    ASSERT_EQ(g.Force().py(), stand) << "tick " << i;
  }
  const TDRect l = g.maze->Landing();
  EXPECT_EQ((std::array{l.x1, l.x2, l.y1, l.y2}), (std::array{2.0, -2.0, 0.0, 0.0}));

  // A short hop comes down slowly enough to land again.
  g.keys.Down(vk::LControl);
  g.Ticks(10);
  g.keys.Up(vk::LControl);
  g.Ticks(150);
  EXPECT_FALSE(g.rocket.Exploded());
  EXPECT_EQ(g.Force().py(), stand);

  // From higher up the rocket comes down too fast and breaks.
  g.keys.Down(vk::LControl);
  g.Ticks(15);
  g.keys.Up(vk::LControl);
  int t = 0;
  while (!g.rocket.Exploded() && t < 200) {
    g.Tick();
    ++t;
  }
  EXPECT_TRUE(g.rocket.Exploded());
  EXPECT_LT(g.Force().py(), 0.1);
}

TEST(GameRun, AMazeWithoutBallsFinishesAtOnceWithARecordEveryTime) {
  TGame g(MakeCave(kNoBalls));
  int changes = 0;
  g.maze->FOnChange = [&](TMaze*) { ++changes; };
  for (int run = 0; run < 2; ++run) {
    g.keys.Tap(vk::LControl);
    EXPECT_TRUE(g.Tick()) << "run " << run;
    EXPECT_EQ(g.maze->MsgLine(), "New Record Time!");
    EXPECT_EQ(g.maze->bestdur, 0);
    EXPECT_EQ(g.maze->duration, 0u);
    EXPECT_TRUE(g.maze->FFinished);
    EXPECT_EQ(changes, run + 1);
    EXPECT_FALSE(g.Ticks(82));
    EXPECT_EQ(g.maze->GameState(), gs_practice);
    EXPECT_EQ(g.maze->FFinishTicks, 1);
    g.Tick();  // the 84th tick of the finish
    EXPECT_EQ(g.maze->GameState(), gs_intro);
    EXPECT_EQ(g.maze->MsgLine(), "");
  }
}

// Shoots the only ball from the floor: a run of a fixed length.
struct TShotRun {
  bool record;
  std::string msg;
  double best;
};
TShotRun PlayShotRun(TGame& g) {
  g.Start();
  g.TapTick(vk::Up);
  bool record = false;
  for (int t = 0; t < 60 && !g.maze->FFinished; ++t) record = g.Tick() || record;
  return {record, g.maze->MsgLine(), g.maze->bestdur};
}

TEST(GameRun, ARunInExactlyTheBestTimeIsNoRecord) {
  TGame g(MakeCave(kOneBall));
  const TShotRun first = PlayShotRun(g);
  ASSERT_TRUE(first.record);
  const std::uint32_t d = g.maze->duration;
  EXPECT_EQ(first.best, d * 50 / 1000.0);
  EXPECT_EQ(d, 33u) << "start, shot, 22 ticks of flight, 10 of the ball's explosion";

  struct Case {
    const char* what;
    double best;
    bool record;
    const char* msg;
  };
  const Case cases[] = {
      {"equal", d * 50 / 1000.0, false, "No New Record Time!"},
      {"best one tick longer", (d + 1) * 50 / 1000.0, true, "New Record Time!"},
      {"best one tick shorter", (d - 1) * 50 / 1000.0, false, "No New Record Time!"},
      {"no best yet", 0, true, "New Record Time!"},
      {"negative best counts as none", -1, true, "New Record Time!"},
  };
  for (const Case& c : cases) {
    g.maze->reset();
    g.maze->bestdur = c.best;
    const TShotRun r = PlayShotRun(g);
    EXPECT_EQ(g.maze->duration, d) << c.what;
    EXPECT_EQ(r.record, c.record) << c.what;
    EXPECT_EQ(r.msg, c.msg) << c.what;
    EXPECT_EQ(r.best, c.record ? d * 50 / 1000.0 : c.best) << c.what;
  }
}

TEST(GameRun, FreezeAndResumeWithEachKey) {
  const std::uint8_t resume_keys[] = {vk::LControl, vk::Up,    vk::LMenu, vk::Left,
                                      vk::A,        vk::Right, vk::D};
  for (std::uint8_t key : resume_keys) {
    TGame g(MakeCave(kSpareOnly));
    g.Start();
    g.Ticks(3);
    const std::uint32_t clock = g.maze->duration;
    g.TapTick(vk::Down);
    EXPECT_EQ(g.maze->GameState(), gs_freeze);
    EXPECT_EQ(g.maze->MsgLine(), "Game Frozen");
    EXPECT_EQ(g.maze->FPrevState, gs_practice);
    const double angle = g.rocket.angle();
    g.Ticks(10);
    EXPECT_EQ(g.maze->duration, clock) << "the freezing tick already stands still";
    EXPECT_EQ(g.maze->GameState(), gs_freeze);

    g.TapTick(key);
    EXPECT_EQ(g.maze->GameState(), gs_practice) << "key " << int(key);
    EXPECT_EQ(g.maze->MsgLine(), "");
    EXPECT_EQ(g.rocket.angle(), angle) << "the resuming key does not act in that tick";
    g.TapTick(vk::F);
    EXPECT_EQ(g.maze->GameState(), gs_freeze) << "freezes again";
  }
}

TEST(GameRun, HoldingSpaceRaisesOneResetOnRelease) {
  TGame g(MakeCave(kSpareOnly));
  std::vector<TGameState> changes;
  g.maze->FOnGameStateChange = [&](TMaze* m) { changes.push_back(m->GameState()); };
  g.Start();
  g.Ticks(5);
  g.keys.Down(vk::Space);
  g.Ticks(10);
  EXPECT_EQ(g.maze->GameState(), gs_practice) << "nothing while held";
  g.keys.Up(vk::Space);
  g.Tick();
  EXPECT_EQ(g.maze->GameState(), gs_intro);
  EXPECT_EQ(changes, (std::vector<TGameState>{gs_practice, gs_intro}));
  g.Ticks(5);
  EXPECT_EQ(changes.size(), 2u);

  // Released during a freeze: pending until the run goes on, then it resets at once.
  g.Start();
  g.TapTick(vk::Down);
  g.keys.Down(vk::Space);
  g.Tick();
  g.keys.Up(vk::Space);
  g.Ticks(3);
  EXPECT_EQ(g.maze->GameState(), gs_freeze);
  EXPECT_TRUE(g.maze->KeyState.K_RESET);
  g.TapTick(vk::Left);
  EXPECT_EQ(g.maze->GameState(), gs_practice);
  g.Tick();
  EXPECT_EQ(g.maze->GameState(), gs_intro);
  EXPECT_FALSE(g.maze->KeyState.K_RESET);
}

TEST(GameRun, ABulletFiredInTheResettingTickWaitsAtTheNose) {
  TGame g(MakeCave(kSpareOnly));
  g.Start();
  g.keys.Down(vk::Space);
  g.Tick();
  g.keys.Up(vk::Space);
  g.keys.Tap(vk::Up);
  g.Tick();
  EXPECT_EQ(g.maze->GameState(), gs_intro);
  ASSERT_EQ(g.maze->bullitlist->Count(), 1);
  const double y = g.maze->bullitlist->Bullits(0)->y();
  g.Ticks(5);
  EXPECT_EQ(g.maze->bullitlist->Bullits(0)->y(), y);
}

TEST(GameRun, RClearsTheBestTimeInAnyState) {
  for (bool running : {false, true}) {
    TGame g(MakeCave());
    if (running) g.Start();
    g.maze->bestdur = 4.5;
    g.Tick();
    EXPECT_EQ(g.maze->bestdur, 4.5);
    g.TapTick(vk::R);
    EXPECT_EQ(g.maze->bestdur, 0);
  }
}

TEST(GameRun, EscapeEndsTheGameFromEveryState) {
  for (TGameState from : {gs_intro, gs_practice, gs_freeze}) {
    TGame g(MakeCave(kSpareOnly));
    if (from != gs_intro) g.Start();
    if (from == gs_freeze) g.TapTick(vk::Down);
    ASSERT_EQ(g.maze->GameState(), from);
    EXPECT_FALSE(g.TapTick(vk::Escape));
    EXPECT_EQ(g.maze->GameState(), gs_finished) << "from " << int(from);
    const double y = g.Force().py();
    const std::uint32_t clock = g.maze->duration;
    g.keys.Down(vk::LControl);
    g.keys.Down(vk::Up);
    EXPECT_FALSE(g.Ticks(20));
    EXPECT_EQ(g.maze->GameState(), gs_finished);
    EXPECT_EQ(g.Force().py(), y);
    EXPECT_EQ(g.maze->duration, clock);
    EXPECT_EQ(g.maze->bullitlist->Count(), 0);
  }
}

TEST(GameRun, HeldFireKeyFollowsTheCannonsRateAndHeat) {
  TGame g(MakeCave(kSpareOnly));
  g.Start();
  g.keys.Down(vk::Up);
  std::vector<int> shots;
  int last = g.rocket.FBullitTicks;
  for (int tick = 1; tick <= 80; ++tick) {
    g.Tick();
    if (g.rocket.FBullitTicks > last) shots.push_back(tick);
    last = g.rocket.FBullitTicks;
  }
  std::vector<int> want;
  for (int t = 1; t <= 49; t += 2) want.push_back(t);
  for (int t = 59; t <= 80; t += 10) want.push_back(t);
  EXPECT_EQ(shots, want);
}

}  // namespace
