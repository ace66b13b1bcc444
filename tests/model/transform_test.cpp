// The transform base: tick counting, period and swing setters, reference points, the marker
// position and the base record.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "anim_test_support.h"
#include "gx_polygon.h"
#include "testing/recording_canvas.h"

namespace {
using anim_test::CornerList;
using anim_test::Corners;
using anim_test::Crlf;
using anim_test::Record;
using anim_test::TProbe;

TEST(Transform, NewTransformHasTheDocumentedDefaults) {
  TProbe t;
  EXPECT_EQ(t.Id(), 11);
  EXPECT_EQ(t.matrix, tmat2d());
  EXPECT_FALSE(t.Swing());
  EXPECT_EQ(t.AniType(), at_linear);
  EXPECT_EQ(t.period(), 0);
  EXPECT_EQ(t.cnt, 0);
  EXPECT_TRUE(t.flinear->open);
  EXPECT_EQ(Corners(*t.flinear), (CornerList{{0, 0}, {1, 1}}));
}

TEST(Transform, SettimeCountsTicksAndWrapsAtThePeriod) {
  TProbe t;
  t.FPeriod = 3;
  std::vector<int> seen;
  for (int i = 0; i < 5; ++i) {
    t.settime(0.5 * i);
    seen.push_back(t.cnt);
    EXPECT_DOUBLE_EQ(t.Ft, 0.5 * i);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1, 2}));
}

TEST(Transform, SettimeCounterEdgeCases) {
  struct Case {
    int period;
    int cnt;
    int expected;
  } cases[] = {
      {1, 0, 0},                       // a period of 1 keeps the counter at 0
      {0, 0, 0},                       // no period: the counter stays 0
      {-8, 5, 0},                      // a negative period from a hand-made file: likewise
      {-8, -20, 0},      {8, -3, -2},  // a counter placed before the period climbs towards 0
      {8, 9, 0},                       // one placed beyond the period wraps at once
      {200, INT_MAX, 0},               // the largest counter wraps without overflowing
  };
  for (const Case& c : cases) {
    TProbe t;
    t.FPeriod = c.period;
    t.cnt = c.cnt;
    t.settime(1);
    EXPECT_EQ(t.cnt, c.expected) << "period " << c.period << ", cnt " << c.cnt;
  }
}

TEST(Transform, SetPeriodReplacesOnlyZero) {
  const std::pair<int, int> cases[] = {{0, 200}, {1, 1}, {400, 400}, {-5, -5}};
  for (const auto& [in, out] : cases) {
    TProbe t;
    t.SetPeriod(in);
    EXPECT_EQ(t.period(), out) << in;
  }
}

TEST(Transform, SetSwingDiscardsAnEditedPathEvenWithoutChange) {
  TProbe t;
  t.SetSwing(true);
  t.flinear->AddSide(0.7, 0.3, st_normal, clWhite);
  t.SetSwing(true);
  EXPECT_TRUE(t.Swing());
  EXPECT_EQ(Corners(*t.flinear), (CornerList{{0, 0}, {0.5, 1}, {1, 0}}));
  EXPECT_TRUE(t.flinear->open);
  t.flinear->AddSide(0.2, 0.9, st_normal, clWhite);
  t.SetSwing(false);
  EXPECT_FALSE(t.Swing());
  EXPECT_EQ(Corners(*t.flinear), (CornerList{{0, 0}, {1, 1}}));
}

TEST(Transform, ReferenceCoordinatesByIndex) {
  TProbe t;
  t.SetRefCoord(0, 1.5);
  t.SetRefCoord(1, -2.5);
  t.SetRefCoord(2, 9);
  t.SetRefCoord(-1, 9);
  EXPECT_DOUBLE_EQ(t.rx(), 1.5);
  EXPECT_DOUBLE_EQ(t.ry(), -2.5);
  EXPECT_DOUBLE_EQ(t.GetRefCoord(2), 0);
  EXPECT_DOUBLE_EQ(t.refpt.w, 0);
}

TEST(Transform, RefPointInRectIncludesTheLowEdgesOnly) {
  const TDRect r{1, 2, 1, 2};  // x1, x2, y1, y2
  struct Case {
    double x, y;
    bool in;
  } cases[] = {
      {1, 1, true}, {1.5, 1.5, true}, {2, 1.5, false}, {1.5, 2, false}, {0.99, 1.5, false},
  };
  for (const Case& c : cases) {
    TProbe t;
    t.refpt.x = c.x;
    t.refpt.y = c.y;
    EXPECT_EQ(t.RefPointInRect(r), c.in) << c.x << ", " << c.y;
  }
}

TEST(Transform, DrawRefPointMapsFlipsAndRoundsHalvesToEven) {
  TFixedControl control(200, 100);
  TRecordingCanvas cv;
  TProbe t;
  t.refpt.x = 2;
  t.refpt.y = 10;
  t.DrawRefPoint(control, cv, tmat2d::trans(0.5, 0.5));  // (2.5, 10.5): 100 - 10.5 = 89.5
  t.DrawRefPoint(control, cv, tmat2d::trans(1.5, 1.5));  // (3.5, 11.5): 88.5
  EXPECT_EQ(t.marks, (std::vector<std::pair<int, int>>{{2, 90}, {4, 88}}));
}

TEST(Transform, BaseRecordLayout) {
  TProbe t;
  t.refpt.x = 0.5;
  t.refpt.y = 0.25;
  t.FPeriod = 400;
  const std::string zero = " 0.00000000000000E+0000", one = " 1.00000000000000E+0000";
  EXPECT_EQ(Record(t), Crlf({"11 {TTransform}",
                             " 5.00000000000000E-0001  2.50000000000000E-0001 0 0 400",
                             "2 {TPolygon}",
                             "0",
                             "0",
                             "0",
                             "0",
                             one + " " + zero + " " + zero,
                             zero + " " + one + " " + zero,
                             zero + " " + zero + " " + one,
                             zero + " " + one + " " + zero + " " + one,
                             "1",
                             "0 0",
                             "2",
                             "1 {TSide}",
                             zero + " " + zero + " " + zero,
                             "16777215",
                             "-1",
                             "1",
                             "1 {TSide}",
                             one + " " + one + " " + zero,
                             "16777215",
                             "-1",
                             "1",
                             "16 {TTrafList}",
                             "0"}));
}

TEST(Transform, BaseRecordRoundTripKeepsAnEditedPath) {
  TProbe t;
  t.refpt.x = -1.25;
  t.refpt.y = 1.0 / 3;
  t.FSwing = true;
  t.FAniType = at_sinusoidal;
  t.FPeriod = 123;
  t.flinear = anim_test::Path({{0, 0}, {0.3, 0.9}, {0.6, 0.2}, {1, 1}});
  const std::string bytes = Record(t);

  TTextReader r(bytes);
  EXPECT_EQ(r.ReadHeaderId(), 11);
  TProbe back;
  EXPECT_TRUE(back.LoadFromF(r));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_DOUBLE_EQ(back.refpt.x, -1.25);
  EXPECT_NEAR(back.refpt.y, 1.0 / 3, 1e-15);
  EXPECT_TRUE(back.Swing());
  EXPECT_EQ(back.AniType(), at_sinusoidal);
  EXPECT_EQ(back.period(), 123);
  EXPECT_EQ(Corners(*back.flinear), Corners(*t.flinear));
  EXPECT_EQ(Record(back), bytes);
}

TEST(Transform, LoadKeepsPeriodAsReadAndReadsOtherKindsAsTheSine) {
  const std::string path = Crlf({"2 {TPolygon}", "0", "0", "0", "0", " 1 0 0", " 0 1 0", " 0 0 1",
                                 " 0 0 0 0", "1", "0 0", "0", "0"});
  struct Case {
    std::string line;
    int period;
    TAniType kind;
  } cases[] = {
      {" 0 0 0 0 0", 0, at_linear},
      {" 0 0 1 1 -40", -40, at_sinusoidal},
      {" 0 0 1 7 5", 5, at_sinusoidal},
  };
  for (const Case& c : cases) {
    TTextReader r(c.line + "\r\n" + path);
    TProbe t;
    t.SetPeriod(77);
    ASSERT_TRUE(t.LoadFromF(r));
    EXPECT_EQ(t.period(), c.period) << c.line;
    EXPECT_EQ(t.AniType(), c.kind) << c.line;
    EXPECT_EQ(t.flinear->Count(), 0) << c.line;
  }
}

TEST(Transform, MalformedBaseRecordRaisesTheReaderError) {
  TTextReader r(Crlf({" 0 0 x 0 0"}));
  TProbe t;
  try {
    t.LoadFromF(r);
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Invalid numeric input");
  }
  EXPECT_EQ(Corners(*t.flinear), (CornerList{{0, 0}, {1, 1}}));  // path untouched
}

}  // namespace
