// Pictures between two ticks: the blends of poses and matrices, the snapshot of a maze after a
// tick, the blend put into the maze for one picture (and taken out again bit for bit), the
// jumps that forbid blending, and the game played with pictures drawn between its ticks.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "gx_motion.h"
#include "gx_rotate.h"
#include "recording_canvas.h"
#include "referee_fixture.h"

namespace {

using referee_test::MakeCave;
using referee_test::TGame;

constexpr double kPi = std::numbers::pi;

// The point (x, y) through m.
TDPoint Apply(const tmat2d& m, double x, double y) {
  m.Transform(x, y);
  return {x, y};
}

tmat2d RotationAbout(double angle, double cx, double cy) {
  return tmat2d::trans(cx, cy) * tmat2d::rot(angle) * tmat2d::trans(-cx, -cy);
}

TEST(BlendPose, PositionsStraightAnglesAlongTheShortArc) {
  const struct {
    const char* what;
    TPose a, b;
    double f;
    TPose expected;
  } cases[] = {
      {"start", {1, 2, 0.5}, {3, -2, 1.0}, 0, {1, 2, 0.5}},
      {"half", {1, 2, 0.5}, {3, -2, 1.0}, 0.5, {2, 0, 0.75}},
      {"end", {1, 2, 0.5}, {3, -2, 1.0}, 1, {3, -2, 1.0}},
      {"beyond the ends", {1, 2, 0.5}, {3, -2, 1.0}, 1.5, {3, -2, 1.0}},
      {"before the start", {1, 2, 0.5}, {3, -2, 1.0}, -0.5, {1, 2, 0.5}},
      // Across +-pi: through pi, not back through 0.
      {"across pi, half", {0, 0, kPi - 0.1}, {0, 0, -kPi + 0.1}, 0.5, {0, 0, kPi}},
      {"across pi, quarter", {0, 0, kPi - 0.1}, {0, 0, -kPi + 0.1}, 0.25, {0, 0, kPi - 0.05}},
      {"across -pi, half", {0, 0, -kPi + 0.1}, {0, 0, kPi - 0.1}, 0.5, {0, 0, -kPi}},
      // An accumulated heading (loops flown) keeps its turns.
      {"many turns", {0, 0, 10 * kPi + 0.2}, {0, 0, 10 * kPi + 0.4}, 0.5, {0, 0, 10 * kPi + 0.3}},
      {"turns end exactly", {0, 0, 0.1}, {0, 0, 4 * kPi - 0.1}, 1, {0, 0, 4 * kPi - 0.1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TPose p = BlendPose(c.a, c.b, c.f);
    EXPECT_NEAR(p.x, c.expected.x, 1e-12);
    EXPECT_NEAR(p.y, c.expected.y, 1e-12);
    EXPECT_NEAR(p.angle, c.expected.angle, 1e-12);
  }
  // The ends are the poses themselves, bit for bit, so a picture at fraction 1 is the tick's.
  const TPose a{0.1, 0.7, 2.9}, b{0.3, 0.9, -3.1};
  EXPECT_EQ(BlendPose(a, b, 1).angle, b.angle);
  EXPECT_EQ(BlendPose(a, b, 1).x, b.x);
  EXPECT_EQ(BlendPose(a, b, 0).angle, a.angle);
}

TEST(BlendMatrix, ATurningPolygonTurnsAboutItsCentreAndKeepsItsShape) {
  const double cx = 2, cy = -1;
  const struct {
    const char* what;
    double a0, a1, mid;
  } cases[] = {
      {"small step", 0.1, 0.3, 0.2},
      {"across pi", kPi - 0.2, -kPi + 0.2, kPi},
      {"backwards", 0.5, 0.1, 0.3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const tmat2d a = RotationAbout(c.a0, cx, cy);
    const tmat2d b = RotationAbout(c.a1, cx, cy);
    const tmat2d m = BlendMatrix(a, b, 0.5, cx, cy);
    const tmat2d want = RotationAbout(c.mid, cx, cy);
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {3.0, 1.0}, {-1.0, 4.0}}) {
      const TDPoint got = Apply(m, x, y), exp = Apply(want, x, y);
      EXPECT_NEAR(got.x, exp.x, 1e-12);
      EXPECT_NEAR(got.y, exp.y, 1e-12);
    }
  }
  // A sliding, growing polygon: its centre moves straight, its size is mixed.
  const tmat2d a = tmat2d::trans(1, 1) * tmat2d::scale(1, 1);
  const tmat2d b = tmat2d::trans(3, 5) * tmat2d::scale(2, 2);
  const tmat2d m = BlendMatrix(a, b, 0.5);
  EXPECT_NEAR(m.mat[0][0], 1.5, 1e-12);
  EXPECT_NEAR(m.mat[1][1], 1.5, 1e-12);
  EXPECT_NEAR(m.mat[0][2], 2, 1e-12);
  EXPECT_NEAR(m.mat[1][2], 3, 1e-12);
  // The ends exactly.
  EXPECT_EQ(BlendMatrix(a, b, 1).mat, b.mat);
  EXPECT_EQ(BlendMatrix(a, b, 0).mat, a.mat);
}

// The cave of the referee tests with a polygon spinning about its centre out of the way.
std::unique_ptr<TMaze> AnimatedCave() {
  auto maze = MakeCave({.target_ball = true, .two_balls = true});
  auto p = referee_test::Slab(-1.8, 0.9, -1.6, 1.1, false);
  p->harmless = true;
  auto rot = std::make_unique<TRotate>();
  rot->init(0, -1.7, 1.0, 40);
  p->SetRot(std::move(rot));
  maze->AddPolygon(std::move(p));
  maze->SetTickUnit(50);
  return maze;
}

// The values a picture draws, compared between two games (identities differ).
void ExpectSameDrawnState(const TFrameSnapshot& a, const TFrameSnapshot& b) {
  EXPECT_EQ(a.rocket_matrix.mat, b.rocket_matrix.mat);
  EXPECT_EQ(a.rocket.angle, b.rocket.angle);
  EXPECT_EQ(a.scroll_x, b.scroll_x);
  EXPECT_EQ(a.scroll_y, b.scroll_y);
  EXPECT_EQ(a.rocket_exploded, b.rocket_exploded);
  ASSERT_EQ(a.rocket_parts.size(), b.rocket_parts.size());
  for (std::size_t i = 0; i < a.rocket_parts.size(); ++i) {
    EXPECT_EQ(a.rocket_parts[i].matrix.mat, b.rocket_parts[i].matrix.mat);
  }
  ASSERT_EQ(a.polygons.size(), b.polygons.size());
  for (std::size_t i = 0; i < a.polygons.size(); ++i) {
    EXPECT_EQ(a.polygons[i].matrix.mat, b.polygons[i].matrix.mat);
  }
  ASSERT_EQ(a.shots.size(), b.shots.size());
  for (std::size_t i = 0; i < a.shots.size(); ++i) {
    EXPECT_EQ(a.shots[i].x, b.shots[i].x);
    EXPECT_EQ(a.shots[i].y, b.shots[i].y);
    EXPECT_EQ(a.shots[i].age, b.shots[i].age);
  }
}

// Starts the run and flies up with thrust, a turn now and then and shots, for n ticks.
void Fly(TGame& game, int n, bool turn = true) {
  game.Start();
  for (int i = 0; i < n; ++i) {
    game.keys.Down(vk::LControl);
    if (i % 4 == 0) game.keys.Tap(vk::Up);
    if (turn && i % 3 == 0) game.keys.Tap(vk::Left);
    game.Tick();
  }
  game.keys.Up(vk::LControl);
}

class MotionBlendTest : public ::testing::Test {
 protected:
  MotionBlendTest() : game(AnimatedCave()) {}
  void Fly(int n) { ::Fly(game, n); }
  TFrameSnapshot Snap() { return TakeSnapshot(*game.maze, ++ticks); }

  TGame game;
  std::int64_t ticks = 0;
};

TEST_F(MotionBlendTest, AHalfwayPictureShowsTheStateBetweenTheTicksAndPutsItBack) {
  Fly(12);
  const TFrameSnapshot s0 = Snap();
  game.Tick();
  const TFrameSnapshot s1 = Snap();
  ASSERT_TRUE(Continuous(s0, s1));
  ASSERT_FALSE(s1.shots.empty());
  TRocket& r = game.rocket;
  TPolygon* spinner = game.maze->GetPolygon(2);
  ASSERT_NE(s0.rocket.x, s1.rocket.x);
  ASSERT_NE(s0.polygons[2].matrix.mat, s1.polygons[2].matrix.mat);
  {
    TMotionBlend blend(*game.maze, s0, s1, 0.5);
    ASSERT_TRUE(blend.Blended());
    EXPECT_NEAR(r.matrix.mat[0][2], (s0.rocket.x + s1.rocket.x) / 2, 1e-12);
    EXPECT_NEAR(r.matrix.mat[1][2], (s0.rocket.y + s1.rocket.y) / 2, 1e-12);
    EXPECT_NEAR(std::atan2(r.matrix.mat[1][0], r.matrix.mat[0][0]),
                std::remainder((s0.rocket.angle + s1.rocket.angle) / 2, 2 * kPi), 1e-9);
    // The scroll follows the rocket's physical position.
    EXPECT_NEAR(r.Force()->px(), (s0.scroll_x + s1.scroll_x) / 2, 1e-12);
    EXPECT_NEAR(r.Force()->py(), (s0.scroll_y + s1.scroll_y) / 2, 1e-12);
    // The spinner's centre stays, its corners turn half a step.
    const TDPoint c = Apply(spinner->matrix, -1.7, 1.0);
    EXPECT_NEAR(c.x, -1.7, 1e-12);
    EXPECT_NEAR(c.y, 1.0, 1e-12);
    const TDPoint k0 = Apply(s0.polygons[2].matrix, -1.8, 0.9);
    const TDPoint k1 = Apply(s1.polygons[2].matrix, -1.8, 0.9);
    const TDPoint k = Apply(spinner->matrix, -1.8, 0.9);
    const auto turn = [](TDPoint from, TDPoint to) {
      return std::remainder(
          std::atan2(to.y - 1.0, to.x + 1.7) - std::atan2(from.y - 1.0, from.x + 1.7), 2 * kPi);
    };
    ASSERT_GT(std::fabs(turn(k0, k1)), 0.1);
    EXPECT_NEAR(turn(k0, k), turn(k0, k1) / 2, 1e-9);
    // A bullet in flight (one tick older, not burst) halfway along its step.
    int checked = 0;
    for (int i = 0; i < game.maze->bullitlist->Count(); ++i) {
      const TBullit* b = game.maze->bullitlist->Bullits(i);
      for (std::size_t j = 0; j < s0.shots.size(); ++j) {
        if (s0.shots[j].id != b || b->Exploded || s0.shots[j].exploded) continue;
        const auto& now = s1.shots[static_cast<std::size_t>(i)];
        EXPECT_NEAR(b->pos.x, (s0.shots[j].x + now.x) / 2, 1e-12);
        EXPECT_NEAR(b->pos.y, (s0.shots[j].y + now.y) / 2, 1e-12);
        ++checked;
      }
    }
    EXPECT_GT(checked, 0);
  }
  // Everything back as the tick left it, bit for bit.
  EXPECT_TRUE(StillAsTaken(*game.maze, s1));
  // At fraction 1 nothing is touched: the picture is the tick's own.
  TMotionBlend at_one(*game.maze, s0, s1, 1);
  EXPECT_FALSE(at_one.Blended());
  EXPECT_TRUE(StillAsTaken(*game.maze, s1));
}

TEST(MotionBlendJumps, NoPictureIsBlendedAcrossAJump) {
  const struct {
    const char* what;
    bool new_run;  // the whole maze starts again; else only the rocket was put somewhere
    std::function<void(TGame&)> jump;
  } cases[] = {
      {"reset to the start", true, [](TGame& g) { g.maze->reset(); }},
      {"new run (Space)", true,
       [](TGame& g) {
         g.keys.Down(vk::Space);
         g.Tick();
         g.keys.Up(vk::Space);
         g.Tick();
       }},
      {"crash reset", true,
       [](TGame& g) {
         g.keys.Down(vk::LControl);
         for (int i = 0; i < 400 && !g.rocket.Exploded(); ++i) g.Tick();
         g.keys.Up(vk::LControl);
         ASSERT_TRUE(g.rocket.Exploded());
         for (int i = 0; i < 200 && g.rocket.Exploded(); ++i) g.Tick();
         ASSERT_FALSE(g.rocket.Exploded());
       }},
      {"landing snap", false,
       [](TGame& g) {
         TPolygon* floor = g.maze->GetPolygon(0);
         ASSERT_TRUE(g.maze->Land(floor, floor->GetSide(2)));
         g.Tick();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TGame game(AnimatedCave());
    Fly(game, 4, false);
    const TFrameSnapshot before = TakeSnapshot(*game.maze, 1);
    c.jump(game);
    const TFrameSnapshot after = TakeSnapshot(*game.maze, 2);
    EXPECT_EQ(Continuous(before, after), !c.new_run);
    EXPECT_FALSE(RocketContinuous(before, after));
    const tmat2d exact = game.rocket.matrix;
    const double px = game.rocket.Force()->px(), py = game.rocket.Force()->py();
    const tmat2d spinner = game.maze->GetPolygon(2)->matrix;
    TMotionBlend blend(*game.maze, before, after, 0.5);
    EXPECT_EQ(blend.Blended(), !c.new_run);
    // The rocket and the scroll show the new state at once ...
    EXPECT_EQ(game.rocket.matrix.mat, exact.mat);
    EXPECT_EQ(game.rocket.Force()->px(), px);
    EXPECT_EQ(game.rocket.Force()->py(), py);
    // ... and after a new run the animations too; a landing leaves them turning smoothly.
    if (c.new_run) {
      EXPECT_EQ(game.maze->GetPolygon(2)->matrix.mat, spinner.mat);
    } else {
      EXPECT_NE(game.maze->GetPolygon(2)->matrix.mat, spinner.mat);
    }
  }
  // Another maze: pictures never mix two mazes.
  TGame here(AnimatedCave()), there(AnimatedCave());
  here.Tick();
  there.Tick();
  const TFrameSnapshot a = TakeSnapshot(*here.maze, 1);
  const TFrameSnapshot b = TakeSnapshot(*there.maze, 2);
  EXPECT_FALSE(Continuous(a, b));
  TMotionBlend blend(*there.maze, a, b, 0.5);
  EXPECT_FALSE(blend.Blended());
}

TEST_F(MotionBlendTest, AMazeChangedSinceItsSnapshotIsDrawnAsItIs) {
  Fly(5);
  const TFrameSnapshot s0 = Snap();
  game.Tick();
  const TFrameSnapshot s1 = Snap();
  // A key of the window (zoom, clear) or the editor moved something without a tick.
  game.maze->GetPolygon(2)->matrix = tmat2d::trans(5, 5);
  EXPECT_FALSE(StillAsTaken(*game.maze, s1));
  TMotionBlend blend(*game.maze, s0, s1, 0.5);
  EXPECT_FALSE(blend.Blended());
  EXPECT_EQ(game.maze->GetPolygon(2)->matrix.mat, tmat2d::trans(5, 5).mat);
}

// The whole game, with crashes, shots and bursts, played twice from one seed: once as the
// tests play it, once with three pictures drawn between every two ticks. The pictures must
// not change a single value of the game, also not through the sparks' random numbers.
struct TPlayed {
  std::vector<TFrameSnapshot> states;  // after each tick
  std::vector<int> scores, durations, game_states;
  int blended = 0;
};

TPlayed PlayCave(bool draw_between) {
  TPlayed out;
  TGame g(AnimatedCave(), 7);
  g.script.At(10, vk::LControl, TKeyScript::ka_tap)
      .Hold(20, 60, vk::Up)
      .Hold(70, 82, vk::LControl)
      .Hold(90, 93, vk::Left)
      .Hold(110, 135, vk::LControl)
      .Hold(160, 240, vk::LControl)
      .Hold(250, 260, vk::Up)
      .Hold(400, 402, vk::Space)
      .At(420, vk::LControl, TKeyScript::ka_tap)
      .Hold(430, 470, vk::Up);
  TRecordingCanvas cv;
  TFixedControl f(640, 480);
  const TDRect playvp{0, 640, 0, 480}, mapvp{540, 630, 10, 80};
  TFrameSnapshot prev, cur;
  for (int t = 0; t < 700; ++t) {
    g.Tick();
    prev = std::move(cur);
    cur = TakeSnapshot(*g.maze, t + 1);
    for (double fr : {0.2, 0.5, 0.8}) {
      if (!draw_between) break;
      TMotionBlend blend(*g.maze, prev, cur, fr);
      out.blended += blend.Blended();
      const tmat2d m;
      g.maze->MapToViewport(playvp, true, true);
      g.maze->Draw(f, cv, m, 0, true, true, false);
      g.maze->MapToViewport(mapvp, true, false);
      g.maze->DrawSpot(f, cv, m, 3);
      cv.calls.clear();
    }
    out.states.push_back(TakeSnapshot(*g.maze, t + 1));
    out.scores.push_back(g.rocket.score);
    out.durations.push_back(g.maze->duration);
    out.game_states.push_back(static_cast<int>(g.maze->GameState()));
  }
  return out;
}

TEST(MotionBlendGame, PicturesBetweenTheTicksLeaveTheGameAsItWas) {
  const TPlayed plain = PlayCave(false);
  const TPlayed drawn = PlayCave(true);
  ASSERT_EQ(plain.states.size(), drawn.states.size());
  for (std::size_t t = 0; t < plain.states.size(); ++t) {
    SCOPED_TRACE(t);
    ASSERT_NO_FATAL_FAILURE(ExpectSameDrawnState(plain.states[t], drawn.states[t]));
  }
  EXPECT_EQ(plain.scores, drawn.scores);
  EXPECT_EQ(plain.durations, drawn.durations);
  EXPECT_EQ(plain.game_states, drawn.game_states);
  // The script crashes and shoots: the comparison covered debris and bullets.
  bool crashed = false, shot = false;
  for (const TFrameSnapshot& s : plain.states) {
    crashed = crashed || s.rocket_exploded;
    shot = shot || !s.shots.empty();
  }
  EXPECT_TRUE(crashed);
  EXPECT_TRUE(shot);
  // Most pictures were blends; the jumps (restarts) were not.
  EXPECT_GT(drawn.blended, 3 * 600);
  EXPECT_LT(drawn.blended, 3 * 700);
}

}  // namespace
