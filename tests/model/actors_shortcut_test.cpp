// The bounding-box shortcuts of the crash test and of the bullets' search for moving polygons
// must not change a single result: a long scripted run on a crowded maze is played with and
// without them and compared tick by tick, bit for bit.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../../tools/stress_maze.h"
#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_rocket.h"
#include "gx_traflist.h"
#include "testing/scripted_keys.h"
#include "testing/seeded_random.h"

namespace {

struct TRunLog {
  std::vector<std::vector<double>> ticks;
  int crashes = 0;
  int landings = 0;  // ticks on which the rocket stood on a landing edge
  int moving_hits = 0;
  int score_total = 0;
};

void Put(std::vector<double>& v, const TDRect& r) {
  v.insert(v.end(), {r.x1, r.x2, r.y1, r.y2});
}

TRunLog Play(bool shortcut, int ticks) {
  const bool rocket_before = TRocket::BoxShortcut;
  const bool bullets_before = TBullitList::BoxShortcut;
  TRocket::BoxShortcut = shortcut;
  TBullitList::BoxShortcut = shortcut;

  TScopedGameRandom random(99);
  TScriptedKeys keys;
  TStressOptions o;
  o.polygons = 400;
  o.balls = 60;
  o.clear_radius = 2;
  TRocket rocket;
  auto maze = MakeStressMaze(o);
  maze->SetKeyService(&keys);
  maze->SetRocket(&rocket);
  maze->reset();

  TRunLog log;
  std::uint32_t lcg = 12345;
  auto draw = [&lcg](int percent) {
    lcg = lcg * 1664525u + 1013904223u;
    return static_cast<int>((lcg >> 16) % 100) < percent;
  };
  const std::uint8_t game_keys[] = {vk::LControl, vk::Left, vk::Right, vk::Up};
  const int odds[] = {65, 20, 20, 50};
  bool was_exploded = false;
  for (int tick = 0; tick < ticks; ++tick) {
    if (tick % 6 == 0) {
      for (int k = 0; k < 4; ++k) {
        if (draw(odds[k])) {
          keys.Down(game_keys[k]);
        } else {
          keys.Up(game_keys[k]);
        }
      }
    }
    const int score_before = rocket.score;
    maze->TickTime(1);
    if (rocket.score > score_before) log.score_total += rocket.score - score_before;

    std::vector<double> s;
    const TForce& f = *rocket.FForce;
    s.insert(
        s.end(),
        {f.px(), f.py(), f.vx(), f.vy(), rocket.angle(), static_cast<double>(rocket.Exploded()),
         static_cast<double>(rocket.score), static_cast<double>(rocket.FExplTicks),
         static_cast<double>(maze->GameState()), static_cast<double>(maze->duration)});
    Put(s, maze->Landing());
    for (int i = 0; i < maze->bullitlist->Count(); ++i) {
      const TBullit& b = *maze->bullitlist->Bullits(i);
      s.insert(s.end(), {b.x(), b.y(), b.Explx, b.Exply, static_cast<double>(b.TicksTillExpl),
                         static_cast<double>(b.Age), static_cast<double>(b.Exploded),
                         static_cast<double>(maze->IndexOf(b.Polygon)),
                         static_cast<double>(maze->balllist->IndexOf(b.Polygon))});
      if (b.Exploded && b.FExplTicks == 10 && b.Polygon && b.Polygon->TrafList()->Count() > 0) {
        ++log.moving_hits;
      }
    }
    for (int i = 0; i < maze->balllist->Count(); ++i) {
      const TBall& ball = *maze->balllist->GetBall(i);
      s.insert(s.end(),
               {static_cast<double>(ball.ExplTicks()), static_cast<double>(ball.invisible)});
    }
    if (rocket.Exploded() && !was_exploded) ++log.crashes;
    was_exploded = rocket.Exploded();
    if (!rocket.Exploded() && f.vy() == 0 && f.ay() == 0 && maze->GameState() == gs_practice) {
      ++log.landings;
    }
    log.ticks.push_back(std::move(s));
  }
  maze->SetKeyService(nullptr);
  TRocket::BoxShortcut = rocket_before;
  TBullitList::BoxShortcut = bullets_before;
  return log;
}

TEST(ActorShortcuts, LongScriptedRunIsIdenticalWithAndWithoutBoundingBoxes) {
  constexpr int kTicks = 2500;
  const TRunLog plain = Play(false, kTicks);
  const TRunLog fast = Play(true, kTicks);
  ASSERT_EQ(plain.ticks.size(), fast.ticks.size());
  for (size_t t = 0; t < plain.ticks.size(); ++t) {
    const auto& a = plain.ticks[t];
    const auto& b = fast.ticks[t];
    // Bit for bit: the same doubles, not merely close ones.
    ASSERT_TRUE(a.size() == b.size() &&
                std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0)
        << "runs part at tick " << t;
  }
  // The run went through what the shortcuts touch.
  EXPECT_GT(plain.crashes, 3);
  EXPECT_GT(plain.score_total, 0);
  EXPECT_GT(plain.moving_hits, 0);
  RecordProperty("crashes", plain.crashes);
  RecordProperty("score", plain.score_total);
  RecordProperty("moving_hits", plain.moving_hits);
  RecordProperty("landings", plain.landings);
}

}  // namespace
