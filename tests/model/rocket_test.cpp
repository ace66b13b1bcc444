// The rocket: shape, restart, controls, hull contact, ramming, crash, debris, landing, record.
#include <cmath>
#include <vector>

#include "actors_fixture.h"
#include "gx_traflist.h"
#include "testing/recording_canvas.h"

namespace {

using RocketTest = ActorsTest;
constexpr double kTurn = std::numbers::pi / 15;

TEST_F(RocketTest, FreshRocketStandsUprightOnTheStartZone) {
  EXPECT_EQ(rocket.Id(), 6);
  ASSERT_EQ(rocket.Count(), 1);
  EXPECT_EQ(rocket.GetPolygon(0)->Count(), 8);
  ASSERT_EQ(rocket.TrafList()->Count(), 2);
  EXPECT_EQ(rocket.TrafList()->GetTraf(0), rocket.FRot);
  EXPECT_EQ(rocket.TrafList()->GetTraf(1), rocket.FForce);
  EXPECT_DOUBLE_EQ(rocket.angle(), kUp);
  EXPECT_DOUBLE_EQ(Physics().a(), kUp);
  EXPECT_DOUBLE_EQ(rocket.FRot->a(), kUp);
  EXPECT_EQ(rocket.score, 0);
  EXPECT_EQ(rocket.health, 1000);
  EXPECT_FALSE(rocket.ThrustOn());
  EXPECT_FALSE(rocket.Exploded());
  EXPECT_TRUE(rocket.ShootOK());
  EXPECT_EQ(rocket.color, 0x00FF00);

  // Start position: the middle of the start zone, raised so that the fins touch it.
  EXPECT_DOUBLE_EQ(rocket.startpos.x, 1.0);
  EXPECT_DOUBLE_EQ(rocket.startpos.y, 1.0 + rocket.sx / 5);
  const TDPoint nose = Mapped(rocket.sx, 0);
  EXPECT_NEAR(nose.x, rocket.startpos.x, 1e-15);
  EXPECT_NEAR(nose.y, rocket.startpos.y + rocket.sx, 1e-15);
  const TDPoint fin = Mapped(-rocket.sx / 5, 8 * rocket.sy / 5);
  EXPECT_NEAR(fin.y, 1.0, 1e-15);

  // Either may go first: a maze does not reach for a rocket that is gone.
  {
    auto gone = std::make_unique<TRocket>();
    TMaze other;
    other.SetRocket(gone.get());
    gone.reset();
    EXPECT_EQ(other.Rocket(), nullptr);
  }

  // A rocket made on its own starts at the origin.
  TRocket lone;
  EXPECT_DOUBLE_EQ(lone.Force()->px(), 0.0);
  EXPECT_EQ(lone.maze, nullptr);
}

TEST_F(RocketTest, HullAndFlameShapes) {
  const double sx = rocket.sx, sy = rocket.sy;
  const TPolygon& hull = *rocket.GetPolygon(0);
  const TDPoint expected[] = {
      {-sx / 5, 8 * sy / 5},  {-sx / 5, 6 * sy / 5},  {sx, 0},  {-sx / 5, -6 * sy / 5},
      {-sx / 5, -8 * sy / 5}, {-sx / 5, -6 * sy / 5}, {0, -sy}, {0, sy}};
  for (int i = 0; i < 8; ++i) {
    EXPECT_DOUBLE_EQ(hull.GetSide(i)->x(), expected[i].x) << i;
    EXPECT_DOUBLE_EQ(hull.GetSide(i)->y(), expected[i].y) << i;
    EXPECT_EQ(hull.GetSide(i)->sidetype, st_normal);
    EXPECT_EQ(hull.GetSide(i)->color, 0x00FF00);
  }
  EXPECT_TRUE(hull.open);
  EXPECT_EQ(hull.width, 2);
  EXPECT_EQ(hull.fillcolor, -1);
  EXPECT_EQ(hull.fillstyle, bsClear);
  EXPECT_EQ(hull.Color(), 0x00FF00);

  const TPolygon& tail = *rocket.Tail();
  ASSERT_EQ(tail.Count(), 3);
  EXPECT_DOUBLE_EQ(tail.GetSide(0)->y(), sy);
  EXPECT_DOUBLE_EQ(tail.GetSide(1)->x(), -sx);
  EXPECT_DOUBLE_EQ(tail.GetSide(2)->y(), -sy);
  EXPECT_TRUE(tail.open);
  EXPECT_EQ(tail.width, 1);
  EXPECT_EQ(tail.fillstyle, bsClear);
}

TEST_F(RocketTest, FlameIsAnEntryOnlyWhileShown) {
  rocket.SetThrustOn(true);
  rocket.SetThrustOn(true);
  EXPECT_TRUE(rocket.ThrustOn());
  ASSERT_EQ(rocket.Count(), 2);
  EXPECT_EQ(rocket.GetPolygon(1), rocket.Tail());

  // Rebuilding the shape with the flame shown (a reset with the thrust key held) leaves just
  // the new hull, and a new flame that is not an entry.
  rocket.reset();
  EXPECT_EQ(rocket.Count(), 1);
  EXPECT_FALSE(rocket.ThrustOn());
  ASSERT_NE(rocket.Tail(), nullptr);
  EXPECT_EQ(rocket.Tail()->Count(), 3);
  EXPECT_EQ(rocket.GetPolygon(0)->Count(), 8);

  rocket.SetThrustOn(true);
  rocket.SetThrustOn(false);
  EXPECT_EQ(rocket.Count(), 1);
  EXPECT_FALSE(rocket.ThrustOn());

  rocket.SetExploded(true);
  rocket.SetThrustOn(true);
  EXPECT_FALSE(rocket.ThrustOn());
  EXPECT_EQ(rocket.Count(), 30);
}

TEST_F(RocketTest, TurningAccumulatesTheAngle) {
  for (int i = 0; i < 15; ++i) rocket.rotate(kTurn);
  EXPECT_NEAR(rocket.angle(), 3 * kUp, 1e-12);  // pointing down
  rocket.RefreshMatrix();
  const TDPoint nose = Mapped(rocket.sx, 0);
  EXPECT_NEAR(nose.y, rocket.startpos.y - rocket.sx, 1e-12);

  for (int i = 0; i < 15; ++i) rocket.rotate(kTurn);
  EXPECT_NEAR(rocket.angle(), kUp + 2 * std::numbers::pi, 1e-12);  // never wrapped
  EXPECT_DOUBLE_EQ(Physics().a(), rocket.angle());
  EXPECT_DOUBLE_EQ(rocket.FRot->a(), rocket.angle());

  for (int i = 0; i < 30; ++i) rocket.rotate(-kTurn);
  EXPECT_NEAR(rocket.angle(), kUp, 1e-12);
}

TEST_F(RocketTest, ThrustGravityAndTheFlameOverTicks) {
  // The initial thrust of 0.001 upwards cancels gravity.
  for (int i = 0; i < 10; ++i) rocket.execute(maze, 1);
  EXPECT_NEAR(Physics().py(), rocket.startpos.y, 1e-15);
  EXPECT_NEAR(Physics().px(), rocket.startpos.x, 1e-15);

  // Full thrust straight up: (0.005 - 0.001) / 3 per tick squared.
  Physics().SetF(0.005);
  rocket.SetThrustOn(true);
  rocket.execute(maze, 1);
  EXPECT_NEAR(Physics().vy(), 0.004 / 3, 1e-15);
  EXPECT_NEAR(Physics().py(), rocket.startpos.y + 0.004 / 3, 1e-15);
  // The flame goes with the hull: its tip is sx below the base.
  const TDPoint tip = Mapped(-rocket.sx, 0);
  EXPECT_NEAR(tip.y, Physics().py() - rocket.sx, 1e-12);
  EXPECT_TRUE(rocket.ThrustOn());

  // Thrust off: gravity alone.
  Physics().SetF(0);
  const double vy = Physics().vy();
  rocket.execute(maze, 1);
  EXPECT_NEAR(Physics().vy(), vy - 0.001 / 3, 1e-15);
}

TEST_F(RocketTest, HullContactReportsThePolygonAndTheEdgeEnd) {
  // A thin bar across the nose (the nose is at startpos.y + sx).
  const double ny = rocket.startpos.y + rocket.sx;
  TPolygon* bar =
      Wall({{0.5, ny - 0.01}, {1.5, ny - 0.01, st_landing}, {1.5, ny + 0.01}, {0.5, ny + 0.01}});
  TPolygon* p = nullptr;
  TSide* s = nullptr;
  ASSERT_TRUE(rocket.CheckHit(maze, p, s));
  EXPECT_EQ(p, bar);
  EXPECT_EQ(s, bar->GetSide(1));  // the lower edge ends at corner 1

  struct Case {
    const char* name;
    bool harmless, invisible, hit;
  } cases[] = {{"harmless", true, false, false},
               {"invisible", false, true, false},
               {"solid", false, false, true}};
  for (const Case& c : cases) {
    bar->harmless = c.harmless;
    bar->invisible = c.invisible;
    EXPECT_EQ(rocket.CheckHit(maze, p, s), c.hit) << c.name;
  }

  rocket.SetExploded(true);  // fragments never touch anything
  EXPECT_FALSE(rocket.CheckHit(maze, p, s));
}

TEST_F(RocketTest, TheFlameAndTheClosingEdgeOfTheHullAreNeverTested) {
  // A box inside the V of the flame and the open end of the hull (between the base corners
  // (0, -sy), (0, sy) and the upper fin tip) touches neither tested edge.
  rocket.SetThrustOn(true);
  rocket.RefreshMatrix();
  const double y = rocket.startpos.y;
  const double x = rocket.startpos.x;
  // Upright: the rocket's -x is maze -y; the flame reaches sx below the base.
  Box(x - 0.002, y - rocket.sx * 0.8, x + 0.002, y - rocket.sx * 0.5);
  TPolygon* p = nullptr;
  TSide* s = nullptr;
  EXPECT_FALSE(rocket.CheckHit(maze, p, s));
}

TEST_F(RocketTest, RammingScoresAVisibleRestingBallOnce) {
  const double x = rocket.startpos.x, y = rocket.startpos.y;
  TBall* ball = maze.AddBall(x, y + rocket.sx, 0x0000FF);  // on the nose
  rocket.execute(maze, 1);
  EXPECT_EQ(rocket.score, 1);
  EXPECT_EQ(ball->ExplTicks(), 10);
  EXPECT_FALSE(rocket.Exploded());

  // Still touching, but exploding: nothing more.
  rocket.execute(maze, 1);
  EXPECT_EQ(rocket.score, 1);
  EXPECT_EQ(ball->ExplTicks(), 10);  // the ball list ticks the explosion, not the rocket

  ball->FExplTicks = 0;
  ball->invisible = true;  // shot down earlier
  rocket.execute(maze, 1);
  EXPECT_EQ(rocket.score, 1);
}

TEST_F(RocketTest, CrashExplodesFor84TicksThenTheMazeResets) {
  Box(0.5, 0.8, 1.5, 0.9);  // a plain floor 0.1 below the start zone
  maze.SetGameState(gs_practice);
  maze.balllist->AddPolygon(std::make_unique<TBall>());  // far away, for the score reset
  rocket.score = 3;
  Physics().SetF(0);  // fall
  int ticks = 0;
  while (!rocket.Exploded() && ticks < 100) {
    rocket.execute(maze, 1);
    ++ticks;
  }
  ASSERT_TRUE(rocket.Exploded());
  EXPECT_EQ(rocket.FExplTicks, 84);
  EXPECT_EQ(rocket.Count(), 30);
  EXPECT_FALSE(rocket.ThrustOn());
  const double crash_x = Physics().px();

  std::vector<TColor> colours;
  for (int i = 1; i < 84; ++i) {
    rocket.execute(maze, 1);
    colours.push_back(rocket.color);
    ASSERT_TRUE(rocket.Exploded()) << "tick " << i;
    EXPECT_EQ(rocket.FExplTicks, 84 - i);
  }
  EXPECT_EQ(colours[0], 0x0000FF);
  EXPECT_EQ(colours[1], 0xFFFFFF);
  EXPECT_EQ(colours[2], 0x0000FF);
  EXPECT_EQ(maze.GameState(), gs_practice);
  EXPECT_EQ(rocket.score, 3);
  EXPECT_NEAR(Physics().px(), crash_x, 1e-9);  // the cloud drifts with the wreck

  rocket.execute(maze, 1);  // the 84th tick
  EXPECT_FALSE(rocket.Exploded());
  EXPECT_EQ(maze.GameState(), gs_intro);
  EXPECT_EQ(rocket.Count(), 1);
  EXPECT_EQ(rocket.GetPolygon(0)->Count(), 8);
  EXPECT_EQ(rocket.score, 0);
  EXPECT_EQ(rocket.color, 0x00FF00);
  EXPECT_DOUBLE_EQ(Physics().py(), rocket.startpos.y);
  EXPECT_DOUBLE_EQ(rocket.angle(), kUp);
}

TEST_F(RocketTest, DebrisFragmentsAreBuiltFromTheRandomDraws) {
  const double sx = rocket.sx, sy = rocket.sy;
  TSplitMixRandom replay(20240607);  // the same stream the fixture installed
  rocket.SetExploded(true);
  ASSERT_EQ(rocket.Count(), 30);
  for (int k = 0; k < 30; ++k) {
    const TPolygon& f = *rocket.GetPolygon(k);
    ASSERT_EQ(f.Count(), 3);
    EXPECT_FALSE(f.open);
    EXPECT_EQ(f.width, 0);
    EXPECT_EQ(f.fillstyle, bsClear);
    EXPECT_EQ(f.Color(), 0x00FF00);
    for (int i = 0; i < 3; ++i) {
      const double rx = replay.RandomReal(), ry = replay.RandomReal();
      EXPECT_DOUBLE_EQ(f.GetSide(i)->x(), rx * sx);
      EXPECT_DOUBLE_EQ(f.GetSide(i)->y(), ry * sy);
    }
    const double r3 = replay.RandomReal(), r4 = replay.RandomReal(), r5 = replay.RandomReal();
    ASSERT_EQ(f.TrafList()->Count(), 2);
    const TRotate* rot = f.Rot();
    ASSERT_NE(rot, nullptr);
    EXPECT_EQ(f.TrafList()->GetTraf(0), rot);
    EXPECT_EQ(rot->period(), static_cast<int>(std::nearbyint(16 / r3)));
    EXPECT_EQ(rot->cw(), r4 > 0.5);
    EXPECT_DOUBLE_EQ(rot->da(), r4 > 0.5 ? -1.0 : 1.0);
    EXPECT_DOUBLE_EQ(rot->rx(), (f.extent.x1 + f.extent.x2) / 2);
    EXPECT_DOUBLE_EQ(rot->ry(), (f.extent.y1 + f.extent.y2) / 2);
    const auto* force = dynamic_cast<const TForce*>(f.TrafList()->GetTraf(1));
    ASSERT_NE(force, nullptr);
    const double theta = 2 * std::numbers::pi / 30 * k;
    EXPECT_DOUBLE_EQ(force->a(), theta);
    EXPECT_DOUBLE_EQ(force->m(), 1000);
    EXPECT_DOUBLE_EQ(force->fr(), 10);
    EXPECT_DOUBLE_EQ(force->gy(), -0.001);
    EXPECT_DOUBLE_EQ(force->vx(), r5 * 0.04 * std::cos(theta));
    EXPECT_DOUBLE_EQ(force->vy(), r5 * 0.04 * std::sin(theta));
    EXPECT_DOUBLE_EQ(force->px(), 0);
  }
}

TEST_F(RocketTest, FragmentsSpinAndFlyOutwardsSlowingByFriction) {
  rocket.SetExploded(true);
  rocket.FExplTicks = 84;
  const auto* force = dynamic_cast<const TForce*>(rocket.GetPolygon(7)->TrafList()->GetTraf(1));
  const double v0 = force->vx();
  rocket.execute(maze, 1);
  rocket.execute(maze, 1);
  EXPECT_NEAR(force->vx(), v0 * 0.99 * 0.99, 1e-15);
  // Fragment 7 flies at 7 * 12 degrees in the rocket's frame: away from the origin.
  EXPECT_GT(force->px() * std::cos(force->a()) + force->py() * std::sin(force->a()), 0);
  EXPECT_EQ(rocket.GetPolygon(7)->Rot()->cnt, 2);
}

TEST_F(RocketTest, SameSeedSameDebris) {
  auto cloud = [](std::uint64_t seed) {
    TScopedGameRandom r(seed);
    TRocket k;
    k.SetExploded(true);
    TTextWriter w;
    for (int i = 0; i < k.Count(); ++i) k.GetPolygon(i)->SaveToF(w);
    return w.Bytes();
  };
  EXPECT_EQ(cloud(7), cloud(7));
  EXPECT_NE(cloud(7), cloud(8));
}

struct LandingCase {
  const char* name;
  double drop;  // height of the fall onto the edge, thrust off
  double tilt;  // radians off upright
  TSideType edge;
  bool lands;
};

class RocketLandingTest : public ActorsTest, public ::testing::WithParamInterface<LandingCase> {};

TEST_P(RocketLandingTest, GentleUprightContactWithALandingEdgeHolds) {
  const LandingCase& c = GetParam();
  // A pad whose upper edge (corner 2 ends it) lies `drop` below the fins.
  const double top = 1.0 - c.drop;
  TPolygon* pad = Wall({{0.5, top - 0.1}, {0.5, top}, {1.5, top, c.edge}, {1.5, top - 0.1}});
  rocket.SetAngle(kUp + c.tilt);
  Physics().SetF(0);
  // Long enough to reach the pad from any drop used here, short of the 84 ticks after which
  // a wreck would be reset.
  for (int i = 0; i < 100 && !rocket.Exploded(); ++i) rocket.execute(maze, 1);
  if (!c.lands) {
    EXPECT_TRUE(rocket.Exploded());
    return;
  }
  ASSERT_FALSE(rocket.Exploded());
  EXPECT_DOUBLE_EQ(Physics().vy(), 0);
  EXPECT_DOUBLE_EQ(Physics().py(), top + rocket.sx / 5);
  EXPECT_DOUBLE_EQ(rocket.angle(), kUp);
  EXPECT_DOUBLE_EQ(maze.Landing().y1, top);
  // Standing: every tick touches the edge again and lands again.
  for (int i = 0; i < 50; ++i) rocket.execute(maze, 1);
  EXPECT_FALSE(rocket.Exploded());
  EXPECT_NEAR(Physics().py(), top + rocket.sx / 5, 1e-3);
  EXPECT_EQ(pad->Count(), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RocketLandingTest,
    ::testing::Values(LandingCase{"slow_upright", 0.1, 0, st_landing, true},
                      LandingCase{"slow_tilted_9deg", 0.1, 0.157, st_landing, true},
                      LandingCase{"slow_tilted_11deg", 0.1, 0.192, st_landing, false},
                      LandingCase{"full_turn_more", 0.1, 2 * std::numbers::pi, st_landing, true},
                      LandingCase{"two_turns_back_tilted_11deg", 0.1, -4 * std::numbers::pi + 0.192,
                                  st_landing, false},
                      LandingCase{"too_fast", 0.7, 0, st_landing, false},
                      LandingCase{"plain_edge", 0.1, 0, st_normal, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RocketTest, CannonCountersCoolOneATick) {
  rocket.FBullitTicks = 2;
  rocket.FCannonHeat = 1;
  EXPECT_FALSE(rocket.ShootOK());
  rocket.execute(maze, 1);
  EXPECT_EQ(rocket.FBullitTicks, 1);
  EXPECT_EQ(rocket.FCannonHeat, 0);
  rocket.execute(maze, 1);
  rocket.execute(maze, 1);
  EXPECT_EQ(rocket.FBullitTicks, 0);
  EXPECT_EQ(rocket.FCannonHeat, 0);
  EXPECT_TRUE(rocket.ShootOK());
  rocket.FBullitTicks = 5;
  rocket.FCannonHeat = 50;
  rocket.reset();  // a restart cools the cannon
  EXPECT_EQ(rocket.FBullitTicks, 0);
  EXPECT_EQ(rocket.FCannonHeat, 0);
}

TEST_F(RocketTest, DrawingHullFlameAndSpot) {
  TFixedControl f(400, 300);
  TRecordingCanvas cv;
  const tmat2d view = tmat2d::scale(100, 100);
  rocket.SetThrustOn(true);
  rocket.Draw(f, cv, view, 3, false);
  EXPECT_EQ(rocket.width, 3);
  const auto lines = cv.CallsOf("Polyline");
  ASSERT_EQ(lines.size(), 2u);  // hull, then flame
  EXPECT_EQ(lines[0].points.size(), 8u);
  EXPECT_EQ(lines[1].points.size(), 3u);
  // The nose, upright, mapped and flipped against the client height.
  const TDPoint nose = Mapped(rocket.sx, 0);
  EXPECT_EQ(lines[0].points[2], (TPoint{RoundToInt(nose.x * 100), 300 - RoundToInt(nose.y * 100)}));
  EXPECT_EQ(lines[0].pen.Color, 0x00FF00);

  rocket.Draw(f, cv, view, 0, false);
  EXPECT_EQ(rocket.width, 3);

  TRecordingCanvas spot;
  rocket.DrawSpot(f, spot, view, 2);
  EXPECT_EQ(spot.CallsOf("Ellipse").size(), 1u);
  EXPECT_EQ(spot.calls.size(), 1u);

  rocket.ClearAll();
  TRecordingCanvas none;
  rocket.DrawSpot(f, none, view, 2);
  EXPECT_TRUE(none.calls.empty());
}

std::string RocketRecord(const TRocket& r) {
  TTextWriter w;
  r.SaveToF(w);
  return w.Bytes();
}

TEST_F(RocketTest, RecordReadsBackWhatItWrites) {
  rocket.startpos.x = 2.5;
  rocket.score = 7;
  rocket.rotate(kTurn);
  const std::string bytes = RocketRecord(rocket);
  EXPECT_EQ(bytes.substr(0, 13), "6 {TRocket}\r\n");

  TRocket back;
  TTextReader r(bytes);
  EXPECT_EQ(r.ReadHeaderId(), 6);
  ASSERT_TRUE(back.LoadFromF(r));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(RocketRecord(back), bytes);
  EXPECT_DOUBLE_EQ(back.startpos.x, 2.5);
  EXPECT_EQ(back.score, 7);
  EXPECT_NEAR(back.angle(), kUp + kTurn, 1e-14);  // 15 digits in the file
  EXPECT_DOUBLE_EQ(back.Force()->px(), 2.5);
  EXPECT_EQ(back.Count(), 1);

  rocket.SetExploded(true);
  rocket.color = 0x0000FF;
  const std::string wreck = RocketRecord(rocket);
  TRocket back2;
  TTextReader r2(wreck);
  r2.ReadHeaderId();
  back2.LoadFromF(r2);
  EXPECT_TRUE(back2.Exploded());
  EXPECT_EQ(back2.Count(), 30);
  EXPECT_EQ(back2.FExplTicks, 84);
  EXPECT_EQ(RocketRecord(back2), wreck);

  // Cut short: zeros, no harm.
  TRocket cut;
  TTextReader r3("6 {TRocket}\r\n 1.0 2.0\r\n");
  r3.ReadHeaderId();
  EXPECT_TRUE(cut.LoadFromF(r3));
  EXPECT_EQ(cut.Count(), 1);
}

}  // namespace
