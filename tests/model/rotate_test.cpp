// Rotation: the matrix about the reference point, starting phases, ticks of every kind of
// motion, the marker and the record.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "anim_test_support.h"
#include "gx_rotate.h"
#include "testing/recording_canvas.h"

namespace {
using anim_test::Corners;
using anim_test::Crlf;
using anim_test::ExpectMapsTo;
using anim_test::ReadRecord;
using anim_test::Record;
constexpr double pi = std::numbers::pi;

std::unique_ptr<TRotate> MakeRotation(bool swing, TAniType kind, bool cw, double a1, double a2,
                                      int period) {
  auto r = std::make_unique<TRotate>();
  r->SetSwing(swing);
  r->SetAniType(kind);
  r->SetCw(cw);
  r->SetA1(a1);
  r->SetA2(a2);
  r->SetPeriod(period);
  return r;
}

// The angles after each of n ticks.
std::vector<double> Angles(TRotate& r, int n) {
  std::vector<double> a;
  for (int i = 0; i < n; ++i) {
    r.settime(1);
    a.push_back(r.a());
  }
  return a;
}

void ExpectAngles(const std::vector<double>& got, const std::vector<double>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-12) << "tick " << i;
}

TEST(Rotate, NewRotationIsStill) {
  TRotate r;
  EXPECT_EQ(r.Id(), 13);
  EXPECT_EQ(r.period(), 0);
  EXPECT_FALSE(r.Swing());
  EXPECT_FALSE(r.cw());
  r.reset();
  ExpectAngles(Angles(r, 3), {0, 0, 0});
  EXPECT_EQ(r.matrix, tmat2d());
}

TEST(Rotate, InitSetsCentrePeriodAndAngle) {
  TRotate r;
  r.init(0, 1, 2, 0);
  EXPECT_DOUBLE_EQ(r.rx(), 1);
  EXPECT_DOUBLE_EQ(r.ry(), 2);
  EXPECT_EQ(r.period(), 200);
  EXPECT_EQ(r.a(), 0);
  EXPECT_EQ(r.matrix, tmat2d());

  r.init(pi / 2, 1, 0, 10);
  EXPECT_EQ(r.period(), 10);
  EXPECT_DOUBLE_EQ(r.a(), pi / 2);
  ExpectMapsTo(r.matrix, 2, 0, 1, 1);  // turned about (1, 0)
  ExpectMapsTo(r.matrix, 1, 0, 1, 0);  // the centre stays
}

TEST(Rotate, SetAngleByIndex) {
  TRotate r;
  r.SetAngle(1, -0.5);
  r.SetAngle(2, 0.75);
  r.SetAngle(3, 9);
  EXPECT_EQ(r.a1(), -0.5);
  EXPECT_EQ(r.a2(), 0.75);
  EXPECT_EQ(r.a(), 0);
  EXPECT_EQ(r.matrix, tmat2d());  // only index 0 touches the matrix
}

TEST(Rotate, ContinuousLinearTurnsOnceAPeriodInItsDirection) {
  for (bool cw : {false, true}) {
    auto owned = MakeRotation(false, at_linear, cw, 0, 0, 4);
    TRotate& r = *owned;
    r.reset();
    EXPECT_EQ(r.da(), cw ? -1 : 1);
    const double d = cw ? -1 : 1;
    ExpectAngles(Angles(r, 4), {d * pi / 2, d * pi, d * 3 * pi / 2, 0});
  }
}

TEST(Rotate, ContinuousSinusoidalSwingsAFullTurnForwardAndBack) {
  auto owned = MakeRotation(false, at_sinusoidal, false, 0, 0, 8);
  TRotate& r = *owned;
  r.reset();
  ExpectAngles(Angles(r, 4), {std::sin(pi / 4) * 2 * pi, 2 * pi, std::sin(3 * pi / 4) * 2 * pi, 0});
}

TEST(Rotate, DirectionFollowsCwOnlyAtReset) {
  auto owned = MakeRotation(false, at_linear, false, 0, 0, 4);
  TRotate& r = *owned;
  r.reset();
  r.SetCw(true);
  ExpectAngles(Angles(r, 1), {pi / 2});
  r.reset();
  ExpectAngles(Angles(r, 1), {-pi / 2});
}

TEST(Rotate, ResetPutsTheSwingWhereItPassesAngleZero) {
  struct Case {
    const char* what;
    bool swing;
    TAniType kind;
    bool cw;
    double a1, a2;
    int period;
    int cnt;
  } cases[] = {
      {"linear swing", true, at_linear, false, -pi / 4, pi / 4, 8, 2},
      {"linear swing, cw is irrelevant", true, at_linear, true, -pi / 4, pi / 4, 8, 2},
      {"linear swing above 0 waits", true, at_linear, false, 0.2, 0.6, 200, -50},
      {"sine swing about 0", true, at_sinusoidal, false, -pi / 4, pi / 4, 200, 0},
      {"sine swing, off centre", true, at_sinusoidal, false, -0.1, 0.3, 200, -17},
      {"sine swing, off centre, cw", true, at_sinusoidal, true, -0.1, 0.3, 200, 17},
      // No phase passes 0: start at phase 0.
      {"equal extremes, linear", true, at_linear, false, 0, 0, 200, 0},
      {"equal extremes, sine", true, at_sinusoidal, false, 0.3, 0.3, 200, 0},
      {"sine swing that never reaches 0", true, at_sinusoidal, false, 0.2, 0.6, 200, 0},
      {"sine swing that never reaches 0, cw", true, at_sinusoidal, true, 0.2, 0.6, 200, 0},
      {"continuous", false, at_linear, false, -pi / 4, pi / 4, 8, 0},
  };
  for (const Case& c : cases) {
    auto owned = MakeRotation(c.swing, c.kind, c.cw, c.a1, c.a2, c.period);
    TRotate& r = *owned;
    r.cnt = 5;
    r.SetA(1.0);
    r.reset();
    EXPECT_EQ(r.cnt, c.cnt) << c.what;
    EXPECT_EQ(r.a(), 0) << c.what;
    EXPECT_EQ(r.matrix, tmat2d()) << c.what;
  }
}

TEST(Rotate, LinearSwingFollowsThePathFromItsStartingPhase) {
  auto owned = MakeRotation(true, at_linear, false, -pi / 4, pi / 4, 8);
  TRotate& r = *owned;
  r.reset();
  ExpectAngles(Angles(r, 6), {pi / 8, pi / 4, pi / 8, 0, -pi / 8, -pi / 4});
  EXPECT_EQ(r.cnt, 0);
}

TEST(Rotate, LinearSwingRestsAtZeroUntilItsCounterReachesThePeriod) {
  auto owned = MakeRotation(true, at_linear, false, 0.2, 0.6, 200);
  TRotate& r = *owned;
  r.reset();
  ASSERT_EQ(r.cnt, -50);
  for (int i = 0; i < 49; ++i) r.settime(1);
  EXPECT_EQ(r.cnt, -1);
  EXPECT_EQ(r.a(), 0);
  ExpectAngles(Angles(r, 2), {0.2, 0.2 + 0.4 * 2.0 / 200});
}

TEST(Rotate, SineSwingReachesItsExtremesAtQuarterPeriods) {
  for (bool cw : {false, true}) {
    auto owned = MakeRotation(true, at_sinusoidal, cw, -pi / 4, pi / 4, 200);
    TRotate& r = *owned;
    r.reset();
    r.cnt = 49;
    ExpectAngles(Angles(r, 1), {cw ? -pi / 4 : pi / 4});
    r.cnt = 149;
    ExpectAngles(Angles(r, 1), {cw ? pi / 4 : -pi / 4});
  }
}

TEST(Rotate, AStillRotationKeepsTheAngleItWasGiven) {
  // The rocket turns its heading through the angle; ticks must not undo it.
  for (int period : {0, -8}) {
    auto owned = MakeRotation(false, at_linear, false, 0, 0, 4);
    TRotate& r = *owned;
    r.FPeriod = period;
    r.SetA(1.25);
    const tmat2d before = r.matrix;
    ExpectAngles(Angles(r, 3), {1.25, 1.25, 1.25});
    EXPECT_EQ(r.matrix, before) << period;
  }
}

TEST(Rotate, APathWithoutValueKeepsTheAngleForThatTick) {
  // Hand-made paths that do not cover every phase: the motion holds still where the path has
  // no value instead of failing in the middle of the game tick.
  for (bool swing : {false, true}) {
    auto owned = MakeRotation(swing, at_linear, false, 0, pi, 4);
    TRotate& r = *owned;
    r.flinear = anim_test::Path({{0, 0}, {0.5, 1}});
    r.reset();
    std::vector<double> a;
    ASSERT_NO_THROW(a = Angles(r, 4));
    const double half = swing ? pi / 2 : pi;  // the path's value at phase 0.25 is 0.5
    const double full = swing ? pi : 2 * pi;
    ExpectAngles(a, {half, full, full, 0});
  }
}

TEST(Rotate, MatrixTurnsAboutTheReferencePoint) {
  TRotate r;
  r.refpt.x = 1;
  r.SetA(pi / 2);
  ExpectMapsTo(r.matrix, 2, 0, 1, 1);
  ExpectMapsTo(r.matrix, 1, 0, 1, 0);
  r.refpt.x = -2;
  r.refpt.y = 3;
  r.UpdateMatrix();
  ExpectMapsTo(r.matrix, -2, 3, -2, 3);
  ExpectMapsTo(r.matrix, -1, 3, -2, 4);
}

TEST(Rotate, MarkerIsABlueCircleAroundTheMappedReferencePoint) {
  TFixedControl control(100, 50);
  TRecordingCanvas cv;
  cv.Pen.Mode = TPenMode::pmXor;
  cv.Pen.Width = 2;
  TRotate r;
  r.refpt.x = 10;
  r.refpt.y = 20;
  r.DrawRefPoint(control, cv, tmat2d::trans(5, 0));
  ASSERT_EQ(cv.calls.size(), 1u);
  const TCanvasCall& c = cv.calls[0];
  EXPECT_EQ(c.op, "Ellipse");
  EXPECT_EQ(c.args, (std::vector<int>{12, 27, 19, 34}));  // around (15, 50 - 20)
  EXPECT_EQ(c.pen.Color, 0xFF0000);
  EXPECT_EQ(c.pen.Width, 2);  // the caller's width
  EXPECT_EQ(c.brush.Style, bsClear);
  EXPECT_EQ(cv.Pen.Mode, TPenMode::pmXor);
}

TEST(Rotate, RecordLayoutAndRoundTrip) {
  auto owned = MakeRotation(true, at_sinusoidal, true, -0.25, 1.5, 400);
  TRotate& r = *owned;
  r.refpt.x = 0.5;
  r.refpt.y = 0.25;
  r.flinear = anim_test::Path({{0, 0}, {0.25, 1}, {0.5, 0.5}, {1, 0}});
  r.SetA(0.7);  // the current angle is not stored
  const std::string bytes = Record(r);
  const std::string head =
      Crlf({"13 {TRotate}", "-2.50000000000000E-0001  1.50000000000000E+0000 1", "13 {TRotate}",
            " 5.00000000000000E-0001  2.50000000000000E-0001 1 1 400", "2 {TPolygon}"});
  EXPECT_EQ(bytes.substr(0, head.size()), head);

  auto back = ReadRecord<TRotate>(bytes, 13);
  EXPECT_EQ(back->a1(), -0.25);
  EXPECT_EQ(back->a2(), 1.5);
  EXPECT_TRUE(back->cw());
  EXPECT_TRUE(back->Swing());
  EXPECT_EQ(back->AniType(), at_sinusoidal);
  EXPECT_EQ(back->period(), 400);
  EXPECT_EQ(Corners(*back->flinear), Corners(*r.flinear));  // a rotation keeps its path
  EXPECT_EQ(Record(*back), bytes);
  back->reset();
  EXPECT_EQ(back->da(), -1);
}

}  // namespace
