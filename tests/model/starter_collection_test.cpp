// The starter collection the game installs: it is what the tool builds, every maze is
// playable, and together the mazes show every feature of the game.
#include <gtest/gtest.h>

#include <set>
#include <string>

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

TEST(StarterCollection, EveryMazeLoadsAndPlays) {
  TMazeList list;
  Read(Committed(), list);
  ASSERT_GE(list.Count(), 8);
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
