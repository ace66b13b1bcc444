// What a run reports for the player's ears: scripted runs through a recording sink, each event
// exactly once and in the tick that causes it.
#include <gtest/gtest.h>

#include <vector>

#include "recording_events.h"
#include "referee_fixture.h"

namespace {

using referee_test::MakeCave;
using referee_test::Slab;
using referee_test::TCaveOptions;
using referee_test::TGame;
using E = TGameEvent;

const TCaveOptions kOneBall{.target_ball = true, .two_balls = false};
const TCaveOptions kSpareOnly{.target_ball = false, .two_balls = true};

// A game whose events are recorded with the number of the tick they came in.
struct TEventGame : TGame {
  explicit TEventGame(std::unique_ptr<TMaze> m) : TGame(std::move(m)) {
    maze->SetEventSink(&events);
    events.clock = &tick;
  }
  // Ticks until done() or n ticks; the number of the tick that made done() true, or -1.
  template <typename F>
  int TickUntil(F done, int n = 300) {
    for (int i = 0; i < n; ++i) {
      Tick();
      if (done()) return tick;
    }
    return -1;
  }
  TRecordingEvents events;
};

std::vector<int> Once(int tick) { return {tick}; }

TEST(GameEvents, AShotAndItsBurstOnAWall) {
  auto cave = MakeCave(kSpareOnly);
  cave->AddPolygon(Slab(-1, 0.5, 1, 0.6, false));  // a ledge within a bullet's reach
  TEventGame g(std::move(cave));
  g.Start();
  g.TapTick(vk::Up);
  const int fired = g.tick;
  const int burst =
      g.TickUntil([&] { return g.maze->bullitlist->Count() > 0 && g.maze->bullitlist->Bullits(0)->Exploded; });
  ASSERT_GT(burst, fired + 5);
  g.Ticks(30);  // the burst fades and the bullet goes
  ASSERT_EQ(g.maze->bullitlist->Count(), 0);
  EXPECT_EQ(g.events.TicksOf(E::Shot), Once(fired)) << g.events.Text();
  EXPECT_EQ(g.events.TicksOf(E::WallBurst), Once(burst)) << g.events.Text();
  EXPECT_EQ(g.events.entries.size(), 2u) << g.events.Text();
}

TEST(GameEvents, ABulletFlyingIntoEmptySpaceMakesNoBurst) {
  TEventGame g(MakeCave(kSpareOnly));
  g.Start();
  g.TapTick(vk::Up);  // straight up: the ceiling lies beyond a bullet's reach
  g.Ticks(60);
  EXPECT_EQ(g.maze->bullitlist->Count(), 0);
  EXPECT_EQ(g.events.Count(E::Shot), 1) << g.events.Text();
  EXPECT_EQ(g.events.Count(E::WallBurst), 0) << g.events.Text();
}

TEST(GameEvents, ABallStruckByABullet) {
  TEventGame g(MakeCave());
  g.Start();
  g.TapTick(vk::Up);
  TBall* target = g.maze->balllist->GetBall(0);
  const int struck = g.TickUntil([&] { return target->ExplTicks() > 0; });
  ASSERT_GT(struck, 0);
  g.Ticks(40);
  EXPECT_EQ(g.events.TicksOf(E::BallShot), Once(struck)) << g.events.Text();
  EXPECT_EQ(g.events.Count(E::WallBurst), 0) << "the burst on the ball is its own sound";
  EXPECT_EQ(g.events.Count(E::BallRammed), 0);
}

TEST(GameEvents, RammingABallThenCrashingIntoTheCeiling) {
  TEventGame g(MakeCave());
  g.Start();
  g.keys.Down(vk::LControl);
  const int lit = g.TickUntil([&] { return g.rocket.ThrustOn(); });
  const int rammed = g.TickUntil([&] { return g.rocket.score == 1; });
  const int crashed = g.TickUntil([&] { return g.rocket.Exploded(); });
  ASSERT_GT(crashed, rammed);
  const int reset = g.TickUntil([&] { return g.maze->GameState() == gs_intro; });
  ASSERT_EQ(reset, crashed + 84) << "the explosion runs out";
  EXPECT_EQ(g.events.TicksOf(E::ThrustOn), Once(lit)) << g.events.Text();
  EXPECT_EQ(g.events.TicksOf(E::BallRammed), Once(rammed)) << g.events.Text();
  EXPECT_EQ(g.events.TicksOf(E::Crash), Once(crashed)) << g.events.Text();
  EXPECT_EQ(g.events.TicksOf(E::ThrustOff), Once(crashed)) << "the flame dies with the rocket";
  EXPECT_EQ(g.events.Count(E::BallShot), 0);
  EXPECT_EQ(g.events.Count(E::Landing), 0);
  // Thrust still held starts the next run and lights the flame again.
  g.Ticks(3);
  EXPECT_EQ(g.events.TicksOf(E::ThrustOn), (std::vector<int>{lit, reset + 2})) << g.events.Text();
}

TEST(GameEvents, OneLandingForEachSettingDownNotForStanding) {
  TEventGame g(MakeCave(kSpareOnly));
  g.Start();
  g.Ticks(50);  // standing on the start pad touches it every tick
  EXPECT_TRUE(g.events.entries.empty()) << g.events.Text();

  std::vector<int> landings;
  for (int hop = 0; hop < 2; ++hop) {
    g.keys.Down(vk::LControl);
    g.Ticks(10);
    g.keys.Up(vk::LControl);
    const double stand = g.rocket.sx / 5;
    landings.push_back(g.TickUntil([&] { return g.Force().py() == stand; }));
    g.Ticks(40);
  }
  ASSERT_FALSE(g.rocket.Exploded());
  EXPECT_EQ(g.events.TicksOf(E::Landing), landings) << g.events.Text();
  EXPECT_EQ(g.events.Count(E::ThrustOn), 2);
  EXPECT_EQ(g.events.Count(E::ThrustOff), 2);
  EXPECT_EQ(g.events.Count(E::Crash), 0);
}

TEST(GameEvents, AnOverheatedCannonRefusesOnceForEachWait) {
  TEventGame g(MakeCave(kSpareOnly));
  g.Start();
  g.keys.Down(vk::Up);
  g.Ticks(80);
  // Held fire shoots every second tick until the cannon is hot, then once every ten ticks;
  // each of those waits is refused once, in its first tick.
  std::vector<int> shots, refusals;
  for (int t = 2; t <= 50; t += 2) shots.push_back(t);
  for (int t = 60; t <= 81; t += 10) shots.push_back(t);
  for (int t = 51; t <= 81; t += 10) refusals.push_back(t);
  EXPECT_EQ(g.events.TicksOf(E::Shot), shots);
  EXPECT_EQ(g.events.TicksOf(E::ShotRefused), refusals);

  // A second press in the normal two-tick rhythm is not a refusal: the cannon is not hot.
  TEventGame cool(MakeCave(kSpareOnly));
  cool.Start();
  cool.TapTick(vk::Up);
  cool.TapTick(vk::Up);
  EXPECT_EQ(cool.events.Count(E::Shot), 1);
  EXPECT_EQ(cool.events.Count(E::ShotRefused), 0);
}

TEST(GameEvents, AFinishedRunAndANewRecordTime) {
  TEventGame g(MakeCave(kOneBall));
  int first_end = -1, second_end = -1;
  for (int* end : {&first_end, &second_end}) {
    g.Start();
    g.TapTick(vk::Up);
    *end = g.TickUntil([&] { return g.maze->FFinished; });
    ASSERT_GT(*end, 0);
    g.TickUntil([&] { return g.maze->GameState() == gs_intro; });
  }
  // The same shot again takes exactly as long: no new record.
  EXPECT_EQ(g.events.TicksOf(E::NewRecord), Once(first_end)) << g.events.Text();
  EXPECT_EQ(g.events.TicksOf(E::RunFinished), Once(second_end)) << g.events.Text();
}

TEST(GameEvents, FreezeAndResumeOnceEach) {
  TEventGame g(MakeCave(kSpareOnly));
  g.Start();
  g.keys.Down(vk::LControl);
  g.Ticks(3);
  g.keys.Up(vk::LControl);
  g.TapTick(vk::F);
  const int frozen = g.tick;
  g.maze->SetGameState(gs_freeze);  // the help dialog freezes a frozen game again
  g.TapTick(vk::Down);
  g.Ticks(5);
  g.TapTick(vk::Left);
  const int resumed = g.tick;
  g.Ticks(3);
  EXPECT_EQ(g.events.TicksOf(E::Freeze), Once(frozen)) << g.events.Text();
  EXPECT_EQ(g.events.TicksOf(E::Resume), Once(resumed)) << g.events.Text();

  // Escape while frozen ends the game: nothing resumes.
  g.TapTick(vk::F);
  g.TapTick(vk::Escape);
  EXPECT_EQ(g.maze->GameState(), gs_finished);
  EXPECT_EQ(g.events.Count(E::Resume), 1) << g.events.Text();
}

}  // namespace
