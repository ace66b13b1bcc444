// The box tests in front of the crash test and the moving-obstacle search may only save time:
// a long scripted run on the stress maze must come out the same, tick for tick, with and
// without them.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

#include "../../tools/stress_maze.h"
#include "referee_fixture.h"

namespace {

using referee_test::TGame;
using referee_test::THash;

struct TShortcuts {
  explicit TShortcuts(bool on) : rocket_(TRocket::BoxShortcut), bullets_(TBullitList::BoxShortcut) {
    TRocket::BoxShortcut = on;
    TBullitList::BoxShortcut = on;
  }
  ~TShortcuts() {
    TRocket::BoxShortcut = rocket_;
    TBullitList::BoxShortcut = bullets_;
  }
  bool rocket_, bullets_;
};

struct TRun {
  std::uint64_t hash;
  int crashes = 0;
  int bursts = 0;  // bullets that burst on a polygon
};

// Flies about the middle of the stress maze, firing all the time: it crashes into the moving
// and fixed polygons round the clear square, restarts, and its bullets meet both kinds.
TRun Play(bool shortcuts) {
  TShortcuts use(shortcuts);
  TStressOptions small;
  small.polygons = 600;
  small.balls = 60;
  small.clear_radius = 2;
  TGame g(MakeStressMaze(small), 5);
  TRun run{};
  THash h;
  g.keys.Down(vk::Up);
  for (int t = 0; t < 1200; ++t) {
    const int phase = t % 150;
    if (phase == 0) g.keys.Tap(vk::LControl);
    if (phase == 5) g.keys.Down(vk::LControl);
    if (phase == 25 + (t / 150) % 4 * 5) g.keys.Up(vk::LControl);
    if (phase == 30) g.keys.Down((t / 150) % 2 ? vk::Left : vk::Right);
    if (phase == 33) g.keys.Up(vk::Left), g.keys.Up(vk::Right);
    const bool was = g.rocket.Exploded();
    h.Add(g.Tick());
    run.crashes += !was && g.rocket.Exploded();
    const TMaze& m = *g.maze;
    h.Add(static_cast<int>(m.GameState())).Add(m.duration).Add(g.rocket.score);
    h.Add(g.rocket.matrix.mat).Add(g.rocket.FExploded).Add(g.rocket.Count());
    for (int i = 0; i < m.bullitlist->Count(); ++i) {
      const TBullit* b = m.bullitlist->Bullits(i);
      h.Add(b->x()).Add(b->y()).Add(b->TicksTillExpl).Add(b->Exploded);
      // The polygon by its place, not its address, which differs from run to run.
      h.Add(m.IndexOf(b->Polygon)).Add(m.balllist->IndexOf(b->Polygon));
      run.bursts += b->Exploded && b->Polygon && b->FExplTicks == 10;
    }
    for (int i = 0; i < m.balllist->Count(); ++i) h.Add(m.balllist->GetBall(i)->ExplTicks());
  }
  run.hash = h.Value();
  return run;
}

TEST(HitShortcuts, ALongRunIsTheSameWithAndWithoutThem) {
  const TRun fast = Play(true);
  const TRun plain = Play(false);
  EXPECT_GE(plain.crashes, 3) << "the run must meet the walls to show anything";
  EXPECT_GE(plain.bursts, 20) << "and its bullets must hit polygons";
  EXPECT_EQ(fast.crashes, plain.crashes);
  EXPECT_EQ(fast.bursts, plain.bursts);
  EXPECT_EQ(fast.hash, plain.hash);
}

}  // namespace
