// Bullets: firing with the precomputed hit, flight, bursts on fixed and moving polygons and on
// balls, re-aiming, the cannon's rate, drawing.
#include <cmath>
#include <vector>

#include "actors_fixture.h"
#include "gx_traflist.h"
#include "testing/recording_canvas.h"

namespace {

class BulletTest : public ActorsTest {
 protected:
  // The nose of the upright rocket at the start: bullets leave from here, straight up.
  double NoseY() const { return rocket.startpos.y + rocket.sx; }
  double NoseX() const { return rocket.startpos.x; }

  TBullit* Fire() {
    rocket.FBullitTicks = 0;  // these tests aim; the cannon's rate is tested on its own
    maze.RocketShoot();
    return maze.bullitlist->Bullits(maze.bullitlist->Count() - 1);
  }
  // One tick of what moves bullets: the maze's polygons, its balls, then the bullets.
  void Tick() {
    maze.TDrawList::Execute(1);
    maze.balllist->Execute(1);
    maze.bullitlist->Execute(maze, rocket, 1);
  }
  int Bullets() const { return maze.bullitlist->Count(); }
};

TEST(Bullit, CoordinatesAndBrightness) {
  TBullit b;
  EXPECT_EQ(b.color, 0xFFFFFF);
  EXPECT_EQ(b.width, 3);
  EXPECT_EQ(b.Id(), 1);
  const double values[] = {1.5, -2.5, 0.25, -0.75};
  for (int i = 0; i < 4; ++i) b.SetCoord(i, values[i]);
  b.SetCoord(4, 99);
  b.SetCoord(-1, 99);
  EXPECT_DOUBLE_EQ(b.pos.x, 1.5);
  EXPECT_DOUBLE_EQ(b.pos.y, -2.5);
  EXPECT_DOUBLE_EQ(b.vx(), 0.25);
  EXPECT_DOUBLE_EQ(b.vy(), -0.75);
  EXPECT_DOUBLE_EQ(b.GetCoord(4), 0);
  EXPECT_DOUBLE_EQ(b.GetCoord(-1), 0);

  struct Case {
    int life, age;
    double force;
  } cases[] = {{30, 0, 1.0}, {30, 15, 0.5}, {30, 30, 0.0}, {0, 7, 1.0}};
  for (const Case& c : cases) {
    b.LifeTime = c.life;
    b.Age = c.age;
    EXPECT_DOUBLE_EQ(b.Force(), c.force) << c.life << "/" << c.age;
  }
  b.SetForce(0.5);
  b.LifeTime = 0;
  EXPECT_DOUBLE_EQ(b.Force(), 0.5);
}

TEST(Bullit, FlightAgeAndBurst) {
  TBullit b;
  b.LifeTime = 30;
  b.TicksTillExpl = 2;
  b.SetVx(0.1);
  b.SetVy(-0.2);
  b.Execute(0);
  EXPECT_DOUBLE_EQ(b.x(), 0.1);
  EXPECT_DOUBLE_EQ(b.y(), -0.2);
  EXPECT_EQ(b.Age, 1);
  EXPECT_FALSE(b.EndOfTravel());
  b.Execute(0);
  EXPECT_TRUE(b.EndOfTravel());
  EXPECT_FALSE(b.EndOfLife() && b.FExplTicks > 0);
  b.Explode();
  EXPECT_TRUE(b.Exploded);
  EXPECT_EQ(b.FExplTicks, 10);
  EXPECT_DOUBLE_EQ(b.vx(), 0);
  EXPECT_FALSE(b.EndOfTravel());
  EXPECT_FALSE(b.EndOfLife());
  for (int i = 0; i < 10; ++i) b.Execute(0);
  EXPECT_EQ(b.Age, 2);  // no ageing while bursting
  EXPECT_DOUBLE_EQ(b.y(), -0.4);
  EXPECT_TRUE(b.EndOfLife());
}

TEST_F(BulletTest, ShootFromTheNoseWithTheRocketsVelocity) {
  rocket.FForce->SetVx(0.01);
  rocket.FForce->SetVy(-0.002);
  std::unique_ptr<TBullit> b = rocket.Shoot();
  EXPECT_NEAR(b->vx(), 0.01, 1e-15);
  EXPECT_NEAR(b->vy(), 0.03 - 0.002, 1e-15);
  EXPECT_NEAR(b->x(), NoseX(), 1e-15);
  EXPECT_NEAR(b->y(), NoseY(), 1e-15);
  EXPECT_EQ(b->LifeTime, 30);
  EXPECT_EQ(b->TicksTillExpl, 30);  // nothing ahead
  EXPECT_EQ(b->Polygon, nullptr);
  EXPECT_EQ(rocket.FCannonHeat, 10);
  EXPECT_EQ(rocket.FBullitTicks, 2);

  TRocket lone;  // not attached to a maze: flies its 30 ticks
  EXPECT_EQ(lone.Shoot()->TicksTillExpl, 30);
}

TEST_F(BulletTest, WallAheadIsHitOnThePrecomputedTick) {
  TPolygon* wall = Box(0.5, NoseY() + 0.095, 1.5, NoseY() + 0.2);
  TBullit* b = Fire();
  EXPECT_EQ(b->TicksTillExpl, 3);  // 0.095 / 0.03, truncated
  EXPECT_EQ(b->Polygon, wall);
  EXPECT_NEAR(b->Explx, NoseX(), 1e-12);
  EXPECT_NEAR(b->Exply, NoseY() + 0.095, 1e-12);

  Tick();
  Tick();
  EXPECT_FALSE(b->Exploded);
  Tick();
  EXPECT_TRUE(b->Exploded);
  EXPECT_EQ(b->Age, 3);
  EXPECT_DOUBLE_EQ(b->y(), b->Exply);  // from now on at the point of impact

  // The sparks are centred on it.
  TFixedControl f(400, 400);
  TRecordingCanvas cv;
  b->Draw(f, cv, tmat2d::scale(100, 100));
  const TPoint p{RoundToInt(b->Explx * 100), 400 - RoundToInt(b->Exply * 100)};
  const auto moves = cv.CallsOf("MoveTo");
  const auto lines = cv.CallsOf("LineTo");
  ASSERT_EQ(moves.size(), 18u);
  ASSERT_EQ(lines.size(), 18u);
  for (size_t i = 0; i < moves.size(); ++i) {
    EXPECT_EQ(moves[i].args[0] + lines[i].args[0], 2 * p.X);
    EXPECT_EQ(moves[i].args[1] + lines[i].args[1], 2 * p.Y);
  }
  // Blue, yellow, red, six lines each.
  EXPECT_EQ(lines[0].pen.Color, 0xFF0000);
  EXPECT_EQ(lines[6].pen.Color, 0x00FFFF);
  EXPECT_EQ(lines[12].pen.Color, 0x0000FF);

  for (int i = 0; i < 9; ++i) Tick();
  EXPECT_EQ(Bullets(), 1);
  Tick();
  EXPECT_EQ(Bullets(), 0);
}

TEST_F(BulletTest, NothingAheadBurstsUnseenAtAge30AndGoes10TicksLater) {
  TBullit* b = Fire();
  for (int i = 0; i < 29; ++i) Tick();
  EXPECT_FALSE(b->Exploded);
  Tick();
  EXPECT_TRUE(b->Exploded);
  EXPECT_EQ(b->Polygon, nullptr);
  TFixedControl f(100, 100);
  TRecordingCanvas cv;
  b->Draw(f, cv, tmat2d());
  EXPECT_TRUE(cv.calls.empty());
  for (int i = 0; i < 9; ++i) Tick();
  EXPECT_EQ(Bullets(), 1);
  Tick();
  EXPECT_EQ(Bullets(), 0);
}

TEST_F(BulletTest, HeldFireKeyCannonPattern) {
  std::vector<int> shots;
  for (int tick = 1; tick <= 100; ++tick) {
    const int before = Bullets();
    maze.RocketShoot();  // the fire key is handled before the rocket's tick
    if (Bullets() > before) shots.push_back(tick);
    if (tick == 49) {
      EXPECT_EQ(rocket.FCannonHeat, 202);
    }
    rocket.execute(maze, 1);
  }
  std::vector<int> expected;
  for (int t = 1; t <= 49; t += 2) expected.push_back(t);
  for (int t = 59; t <= 100; t += 10) expected.push_back(t);
  EXPECT_EQ(shots, expected);
  EXPECT_EQ(
      static_cast<int>(std::count_if(shots.begin(), shots.end(), [](int t) { return t <= 49; })),
      25);
}

TEST_F(BulletTest, ShotBallExplodesScoresAndTheSecondBulletIsReAimed) {
  TBall* ball = maze.AddBall(NoseX(), NoseY() + 0.305, -1);  // lowest point 0.275 ahead
  TPolygon* wall = Box(0.5, NoseY() + 0.5, 1.5, NoseY() + 0.6);
  TBullit* first = Fire();
  EXPECT_EQ(first->Polygon, ball);
  EXPECT_EQ(first->TicksTillExpl, 9);
  Tick();
  Tick();
  TBullit* second = Fire();
  EXPECT_EQ(second->Polygon, ball);
  for (int i = 0; i < 7; ++i) Tick();
  ASSERT_TRUE(first->Exploded);
  EXPECT_EQ(rocket.score, 1);
  EXPECT_EQ(ball->ExplTicks(), 10);
  // The second bullet, 7 ticks old at 0.21, now flies at the wall 0.29 ahead of it.
  EXPECT_EQ(second->Polygon, wall);
  EXPECT_EQ(second->Age, 7);
  EXPECT_EQ(second->TicksTillExpl, 17);  // round(0.29 / 0.03) + 7
  EXPECT_NEAR(second->Exply, NoseY() + 0.5, 1e-12);

  while (!second->Exploded && second->Age < 30) Tick();
  EXPECT_EQ(second->Age, 17);
  EXPECT_EQ(rocket.score, 1);
}

TEST_F(BulletTest, ReAimedAtNothingExpiresWithoutBursting) {
  TBall* ball = maze.AddBall(NoseX(), NoseY() + 0.305, -1);
  Fire();
  Tick();
  Tick();
  TBullit* second = Fire();
  for (int i = 0; i < 7; ++i) Tick();
  EXPECT_EQ(rocket.score, 1);
  EXPECT_EQ(second->Polygon, ball);  // not changed: nothing else was found
  EXPECT_EQ(second->TicksTillExpl, 31);
  for (int i = 0; i < 22; ++i) Tick();
  EXPECT_EQ(second->Age, 29);
  EXPECT_FALSE(second->Exploded);
  Tick();
  // Age 30: removed without a burst; the first bullet's burst is long over as well.
  EXPECT_EQ(Bullets(), 0);
  EXPECT_EQ(rocket.score, 1);
}

TEST_F(BulletTest, BallsThatCannotBeHitAreSkippedOrScoreNothing) {
  TBall* ball = maze.AddBall(NoseX(), NoseY() + 0.305, -1);
  TPolygon* wall = Box(0.5, NoseY() + 0.5, 1.5, NoseY() + 0.6);

  // Exploding or gone when the shot is fired: the aim goes past it.
  ball->SetExplTicks(5);
  EXPECT_EQ(Fire()->Polygon, wall);
  ball->FExplTicks = 0;
  ball->invisible = true;
  EXPECT_EQ(Fire()->Polygon, wall);
  maze.bullitlist->ClearAll();

  // Struck by the rocket after the shot. Still exploding when the bullet arrives: the bullet
  // bursts where the ball was and scores nothing. Already gone: nothing is there to burst on,
  // so the bullet flies on through the empty place to the wall behind (0.23 further at 0.03
  // a tick).
  struct Case {
    const char* name;
    int expl_ticks;
    bool invisible;
    TPolygon* burst_on;
    int burst_age;
  } cases[] = {{"still exploding", 20, false, ball, 9}, {"already gone", 0, true, wall, 17}};
  for (const Case& c : cases) {
    ball->FExplTicks = 0;
    ball->invisible = false;
    TBullit* b = Fire();
    ASSERT_EQ(b->Polygon, ball) << c.name;
    ball->FExplTicks = c.expl_ticks;
    ball->invisible = c.invisible;
    while (!b->Exploded && b->Age < 30) maze.bullitlist->Execute(maze, rocket, 1);
    EXPECT_TRUE(b->Exploded) << c.name;
    EXPECT_EQ(b->Polygon, c.burst_on) << c.name;
    EXPECT_EQ(b->Age, c.burst_age) << c.name;
    EXPECT_EQ(rocket.score, 0) << c.name;
    EXPECT_EQ(ball->ExplTicks(), c.expl_ticks) << c.name;
    EXPECT_EQ(ball->invisible, c.invisible) << c.name;
    maze.bullitlist->ClearAll();
  }
}

TEST_F(BulletTest, BurstBulletsStayWhereTheyAreWhenTheirBallGoes) {
  TBall* ball = maze.AddBall(NoseX(), NoseY() + 0.305, -1);
  Box(0.5, NoseY() + 0.5, 1.5, NoseY() + 0.6);
  TBullit* b = Fire();
  auto stuck = std::make_unique<TBullit>();
  stuck->Polygon = ball;
  stuck->Exploded = true;
  stuck->FExplTicks = 5;
  stuck->LifeTime = 30;
  stuck->TicksTillExpl = 4;
  stuck->Explx = stuck->pos.x = 0.01;
  TBullit* s = stuck.get();
  maze.bullitlist->AddBullit(std::move(stuck));
  maze.bullitlist->RecomputeBallHits(maze, b);
  EXPECT_EQ(s->Polygon, ball);
  EXPECT_EQ(s->TicksTillExpl, 4);
  EXPECT_DOUBLE_EQ(s->x(), 0.01);
}

TEST_F(BulletTest, MovingPolygonIsHitInTheTickItCrossesThePath) {
  // A thin bar sliding left at 0.05 a tick; it reaches the bullet's path in tick 5, just as
  // the bullet passes its height.
  TPolygon* bar = Box(1.22, NoseY() + 0.14, 1.27, NoseY() + 0.145);
  auto force = std::make_unique<TForce>();
  force->init(0, 1, 0, 0, 0, 0, 0, 0, -0.05, 0, 0, 0);
  bar->TrafList()->AddTraf(std::move(force));
  TBullit* b = Fire();
  EXPECT_EQ(b->TicksTillExpl, 30);  // moving polygons are not aimed at
  for (int i = 0; i < 4; ++i) Tick();
  EXPECT_FALSE(b->Exploded);
  Tick();
  ASSERT_TRUE(b->Exploded);
  EXPECT_EQ(b->Polygon, bar);
  EXPECT_EQ(b->Age, 5);
  // The point of impact in the bar's own coordinates: 0.25 to the right of where it is now.
  EXPECT_NEAR(b->Explx, NoseX() + 0.25, 1e-12);
  EXPECT_NEAR(b->Exply, NoseY() + 0.14, 1e-12);

  // The sparks move with the bar.
  TFixedControl f(400, 400);
  auto centre_x = [&] {
    TRecordingCanvas cv;
    b->Draw(f, cv, tmat2d::scale(100, 100));
    const auto m = cv.CallsOf("MoveTo");
    const auto l = cv.CallsOf("LineTo");
    return (m[0].args[0] + l[0].args[0]) / 2;
  };
  const int x5 = centre_x();
  Tick();
  Tick();
  EXPECT_EQ(x5 - centre_x(), 10);  // 0.1 maze units at 100 pixels each
}

TEST_F(BulletTest, FlyingBulletBlendsATwoByTwoSquare) {
  TBullit b;
  b.LifeTime = 30;
  b.Age = 15;  // half faded
  b.SetX(0.5);
  b.SetY(0.25);
  TFixedControl f(100, 100);
  TRecordingCanvas cv;
  cv.SetPixel(49, 74, 0x0000FF);
  cv.calls.clear();
  b.Draw(f, cv, tmat2d::scale(100, 100));  // P = (50, 75)
  const auto sets = cv.CallsOf("SetPixel");
  ASSERT_EQ(sets.size(), 4u);
  std::vector<std::pair<int, int>> where;
  for (const auto& c : sets) where.emplace_back(c.args[0], c.args[1]);
  EXPECT_EQ(where, (std::vector<std::pair<int, int>>{{49, 74}, {50, 74}, {49, 75}, {50, 75}}));
  EXPECT_EQ(cv.GetPixel(49, 74), BlendColor(0x0000FF, 0xFFFFFF, 0.5));
  EXPECT_EQ(cv.GetPixel(50, 75), BlendColor(0, 0xFFFFFF, 0.5));
}

TEST(Sparks, SixLinesOfHalfLengthR) {
  TScopedGameRandom rnd(3);
  TRecordingCanvas cv;
  DrawSparks(cv, TPoint{10, 20}, 0, 0x00FFFF);
  const auto lines = cv.CallsOf("LineTo");
  ASSERT_EQ(lines.size(), 6u);
  for (const auto& l : lines) EXPECT_EQ(l.args, (std::vector<int>{10, 20}));

  cv.calls.clear();
  DrawSparks(cv, TPoint{10, 20}, 8, 0x00FFFF);
  for (const auto& l : cv.CallsOf("LineTo")) {
    const int dx = l.args[0] - 10, dy = l.args[1] - 20;
    EXPECT_LE(dx * dx + dy * dy, 81);
    EXPECT_GE(dx * dx + dy * dy, 49);
    EXPECT_EQ(l.pen.Color, 0x00FFFF);
  }
}

TEST(BullitList, IndexOutsideGivesNull) {
  TBullitList list;
  list.AddBullit(std::make_unique<TBullit>());
  EXPECT_NE(list.Bullits(0), nullptr);
  EXPECT_EQ(list.Bullits(1), nullptr);
  EXPECT_EQ(list.Bullits(-1), nullptr);
}

}  // namespace
