// The starter collection the game installs: it is what the tool builds, every maze is
// playable and cleared by the pilot in its stored best time, and together the mazes show every
// feature of the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "gx_ball.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "gx_rocket.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_trans.h"
#include "qor_text.h"
#include "scripted_keys.h"
#include "seeded_random.h"
#include "starter_mazes.h"
#include "starter_shapes.h"

namespace {

std::string Committed() {
  return ReadFileBytes(GRAVONAUT_STARTER_CAV);
}

void Read(const std::string& bytes, TMazeList& list) {
  TTextReader r(bytes);
  r.ReadLn();
  list.LoadFromF(r);
}

bool DrawnPath(const TTransform& t) {
  // A default path has two or three corners on the unit square's corners and middle.
  const TPolygon& p = *t.flinear;
  if (p.Count() > 3) return true;
  for (int i = 0; i < p.Count(); ++i) {
    const double x = p.GetSide(i)->x(), y = p.GetSide(i)->y();
    if ((x != 0 && x != 0.5 && x != 1) || (y != 0 && y != 1)) return true;
  }
  return false;
}

// Whether (x, y) lies inside the polygon's outline (even-odd rule on its stored corners).
bool Inside(const TPolygon& p, double x, double y) {
  bool in = false;
  for (int i = 0, j = p.Count() - 1; i < p.Count(); j = i++) {
    const double xi = p.GetSide(i)->x(), yi = p.GetSide(i)->y();
    const double xj = p.GetSide(j)->x(), yj = p.GetSide(j)->y();
    if ((yi > y) != (yj > y) && x < xj + (y - yj) * (xi - xj) / (yi - yj)) in = !in;
  }
  return in;
}

TEST(StarterCollection, RebuildingItGivesTheCommittedBytes) {
  std::vector<TStarterRun> runs;
  const std::string built = BuildStarterCollection(&runs);
  for (const TStarterRun& r : runs) {
    EXPECT_TRUE(r.finished) << r.name;
    EXPECT_EQ(r.crashes, 0) << r.name;
  }
  EXPECT_TRUE(built == Committed())
      << "the mazes or the pilot changed: rebuild tools/starter.cav with make_starter_collection";
}

TEST(StarterCollection, HasThreePartsOfEightEachMazeNamedAndColouredItsOwnWay) {
  TMazeList list;
  Read(Committed(), list);
  EXPECT_EQ(starter::LearningPlans().size(), 8u);
  EXPECT_EQ(starter::CavePlans().size(), 8u);
  EXPECT_EQ(starter::MachinePlans().size(), 8u);
  ASSERT_EQ(list.Count(), 24);
  std::set<std::string> names;
  std::set<std::tuple<TColor, TColor, TColor>> colours;
  for (int i = 0; i < list.Count(); ++i) {
    const TMaze& m = *list.GetMaze(i);
    names.insert(m.mazename);
    colours.insert({m.incolor, m.outcolor, m.linecolor});
  }
  EXPECT_EQ(names.size(), 24u);
  EXPECT_EQ(colours.size(), 24u);
}

// The rocket lands level on an edge only when the edge is horizontal (a landing sets it on the
// edge's height), and it must fit on it; the start zone is one of those edges, and every ball
// lies in the open cave rather than in the rock around it.
TEST(StarterCollection, EveryMazeStartsOnALandingEdgeAndKeepsItsBallsInTheCave) {
  TMazeList list;
  Read(Committed(), list);
  for (int i = 0; i < list.Count(); ++i) {
    const TMaze& m = *list.GetMaze(i);
    SCOPED_TRACE(m.mazename);
    bool start_on_edge = false;
    for (int j = 0; j < m.Count(); ++j) {
      const TPolygon& p = *m.GetPolygon(j);
      for (int k = 0; k < p.Count(); ++k) {
        if (p.GetSide(k)->sidetype != st_landing) continue;
        const TDRect e = TMaze::SideRect(p, *p.GetSide(k));
        EXPECT_EQ(e.y1, e.y2) << "landing edge " << k << " of polygon " << j;
        EXPECT_GT(e.x2 - e.x1, 0.3) << "landing edge " << k << " of polygon " << j;
        const TDRect s = m.Start();
        start_on_edge =
            start_on_edge || (e.x1 == s.x1 && e.x2 == s.x2 && e.y1 == s.y1 && e.y2 == s.y2);
      }
    }
    EXPECT_TRUE(start_on_edge);
    ASSERT_GT(m.Count(), 0);
    const TPolygon& cave = *m.GetPolygon(0);
    for (int b = 0; b < m.balllist->Count(); ++b) {
      const TBall& ball = *m.balllist->GetBall(b);
      EXPECT_TRUE(Inside(cave, ball.CenterX(), ball.CenterY())) << "ball " << b;
    }
  }
}

// The file as the player gets it: every maze read back from it is cleared by the pilot without
// a crash, in exactly the best time the file holds.
TEST(StarterCollection, ThePilotClearsEveryMazeInItsStoredBestTime) {
  TMazeList list;
  Read(Committed(), list);
  for (int i = 0; i < list.Count(); ++i) {
    TMaze& m = *list.GetMaze(i);
    const double stored = m.bestdur;
    // Without a best time to beat, the run's own time becomes the maze's.
    m.bestdur = 0;
    const TStarterRun run = FlyStarterMaze(m, i);
    EXPECT_TRUE(run.finished) << m.mazename;
    EXPECT_EQ(run.crashes, 0) << m.mazename;
    EXPECT_EQ(run.seconds, stored) << m.mazename;
    EXPECT_EQ(run.name, m.mazename);
  }
  EXPECT_THROW(FlyStarterMaze(*list.GetMaze(0), list.Count()), std::out_of_range);
}

// A route waits for a gate by how far it has gone from its first pose to its second; whichever
// way a gate moves (a slide, a shrinking pulse, a swing to a negative angle, on a sine or a
// drawn path), that measure runs from 0 to 1 and back within a period, and a crossing fires once
// per period in the direction asked for.
TEST(StarterCollection, GatesAreWaitedForByTheLevelTheyCross) {
  using namespace starter;
  const struct {
    const char* gate;
    void (*animate)(TPolygon&);
  } cases[] = {
      {"slide up on a sine", [](TPolygon& p) { Slide(p, 0, 0, 0, 1.0, 40); }},
      {"slide left on a drawn path",
       [](TPolygon& p) {
         Slide(p, 0, 0, -1.0, 0, 40, TimePath({{0, 0}, {0.2, 1}, {0.6, 1}, {0.8, 0}, {1, 0}}));
       }},
      {"shrink sideways on a sine", [](TPolygon& p) { Pulse(p, 0, 0, 0.1, 1, 40); }},
      {"shrink upwards on a drawn path",
       [](TPolygon& p) {
         Pulse(p, 0, 0, 1, 0.1, 40, TimePath({{0, 0}, {0.5, 1}, {1, 0}}));
       }},
      {"swing clockwise", [](TPolygon& p) { Swing(p, 0, 0, 0, -1.45, 40); }},
      {"swing anticlockwise", [](TPolygon& p) { Swing(p, 0, 0, 0, 1.45, 40); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.gate);
    TMaze m;
    c.animate(Box(m, 0, 0, 0.8, 0.2, clWhite, clWhite));
    m.SetTickUnit(50);
    m.reset();
    auto up = Crossing(0, 0.75), down = Crossing(0, 0.25, false);
    double low = 1, high = 0;
    int ups = 0, downs = 0;
    for (int t = 0; t < 80; ++t) {
      m.Execute(1);
      const double level = Level(m, 0);
      low = std::min(low, level);
      high = std::max(high, level);
      const bool rising = up(m), falling = down(m);
      if (rising) {
        EXPECT_GE(level, 0.75) << "tick " << t;
      }
      if (falling) {
        EXPECT_LE(level, 0.25) << "tick " << t;
      }
      ups += rising;
      downs += falling;
    }
    EXPECT_NEAR(low, 0, 0.05);
    EXPECT_NEAR(high, 1, 0.05);
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(downs, 2);
  }
}

TEST(StarterCollection, EveryMazeLoadsAndPlays) {
  TMazeList list;
  Read(Committed(), list);
  ASSERT_EQ(list.Count(), 24);
  for (int i = 0; i < list.Count(); ++i) {
    TMaze* m = list.GetMaze(i);
    SCOPED_TRACE(m->mazename);
    EXPECT_FALSE(m->mazename.empty());
    EXPECT_GT(m->balllist->Count(), 0);
    EXPECT_GT(m->bestdur, 0);
    EXPECT_GT(m->Start().x2 - m->Start().x1, 0.3) << "a start zone the rocket fits on";
    EXPECT_EQ(m->TickUnit(), 50);
    if (i > 0) {
      EXPECT_GE(m->bestdur, list.GetMaze(0)->bestdur) << "the first maze is the quickest";
    }

    // A player who lifts off, turns, fires and freezes: 500 ticks on the maze's own clock.
    TScopedGameRandom random(7);
    TScriptedKeys keys;
    TRocket rocket;
    m->SetKeyService(&keys);
    m->SetRocket(&rocket);
    m->reset();
    TKeyScript script;
    script.At(5, vk::LControl, TKeyScript::ka_tap)
        .Hold(10, 40, vk::LControl)
        .Hold(40, 46, vk::Left)
        .Hold(50, 150, vk::Up)
        .Hold(150, 160, vk::Right)
        .Hold(160, 200, vk::LControl)
        .At(300, vk::Down, TKeyScript::ka_tap)
        .At(320, vk::Up, TKeyScript::ka_tap)
        .Hold(330, 420, vk::Up);
    for (int t = 0; t < 500; ++t) {
      script.Apply(t, keys);
      EXPECT_NO_THROW(m->TickTime(1)) << "tick " << t;
    }
    EXPECT_NE(m->GameState(), gs_finished);
    // The rocket dies before the collection: detach it.
    m->SetKeyService(nullptr);
    rocket.maze = nullptr;
    m->FRocket = nullptr;
  }
}

TEST(StarterCollection, TheMazesTogetherUseEveryFeature) {
  TMazeList list;
  Read(Committed(), list);
  std::set<int> fills;
  std::set<TColor> colours;
  bool landing_away_from_start = false, harmless = false, gear = false, arm = false;
  bool scale_sine = false, scale_drawn = false, trans_sine = false, trans_drawn = false;
  for (int i = 0; i < list.Count(); ++i) {
    const TMaze& m = *list.GetMaze(i);
    colours.insert(m.incolor);
    for (int j = 0; j < m.Count(); ++j) {
      const TPolygon& p = *m.GetPolygon(j);
      fills.insert(p.fillstyle);
      colours.insert(p.Color());
      harmless = harmless || p.harmless;
      for (int k = 0; k < p.Count(); ++k) {
        const TSide& s = *p.GetSide(k);
        if (s.sidetype == st_landing && s.y() != m.Start().y2) landing_away_from_start = true;
      }
      if (const TRotate* r = p.Rot()) {
        gear = gear || (!r->Swing() && r->period() > 0);
        arm = arm || (r->Swing() && r->a1() != r->a2());
      }
      if (const TScale* s = p.Scale()) {
        scale_sine = scale_sine || s->AniType() == at_sinusoidal;
        scale_drawn = scale_drawn || (s->AniType() == at_linear && DrawnPath(*s));
      }
      if (const TTrans* t = p.Trans()) {
        trans_sine = trans_sine || t->AniType() == at_sinusoidal;
        trans_drawn = trans_drawn || (t->AniType() == at_linear && DrawnPath(*t));
      }
    }
  }
  EXPECT_TRUE(landing_away_from_start);
  EXPECT_TRUE(harmless);
  EXPECT_TRUE(gear);
  EXPECT_TRUE(arm);
  EXPECT_TRUE(scale_sine);
  EXPECT_TRUE(scale_drawn);
  EXPECT_TRUE(trans_sine);
  EXPECT_TRUE(trans_drawn);
  EXPECT_GE(fills.size(), 5u);
  EXPECT_GE(colours.size(), 10u);
}

}  // namespace
