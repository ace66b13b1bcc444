#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "gx_side.h"
#include "scene_test_support.h"

namespace {

using scene_test::Crlf;

TEST(SceneSide, FreshSideHasTheFileDefaults) {
  TSide s;
  EXPECT_EQ(s.Id(), 1);
  EXPECT_EQ(s.color, -1);
  EXPECT_EQ(s.width, -1);
  EXPECT_EQ(s.sidetype, st_none);
  EXPECT_EQ(s.pos.x, 0);
  EXPECT_EQ(s.pos.w, 0);
}

TEST(SceneSide, CoordinatesAreIndexZeroAndOneOnly) {
  TSide s;
  s.SetCoord(0, 1.5);
  s.SetCoord(1, -2.5);
  s.SetCoord(2, 99);  // no third coordinate on a plain corner
  EXPECT_EQ(s.pos.x, 1.5);
  EXPECT_EQ(s.pos.y, -2.5);
  EXPECT_EQ(s.GetCoord(2), 0);
  EXPECT_EQ(s.GetCoord(-1), 0);
  EXPECT_EQ(s.x(), 1.5);
  EXPECT_EQ(s.y(), -2.5);
}

TEST(SceneSide, RoundToIntSendsHalvesToEvenAndClampsWhatIsNoPixel) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double v;
    int expected;
  } cases[] = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-3.5, -4},
      {2.4999, 2},
      {0.5, 0},
      {1e300, kMaxScreenCoord},
      {-1e300, -kMaxScreenCoord},
      {inf, kMaxScreenCoord},
      {-inf, -kMaxScreenCoord},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(RoundToInt(c.v), c.expected);
  }
}

TEST(SceneSide, ScreenPointMapsThroughTheMatrixAndRounds) {
  TSide s;
  s.SetCoord(0, 2.5);
  s.SetCoord(1, 3.5);
  TPoint pt;
  s.ScreenPoint(tmat2d(), pt);
  EXPECT_EQ(pt, (TPoint{2, 4}));

  // Scale by 2 about the origin, then move by (10, 0.25): no flip of y here.
  tmat2d m = tmat2d::scale(2, 2);
  m.MatXM(tmat2d::trans(10, 0.25));
  s.ScreenPoint(m, pt);
  EXPECT_EQ(pt, (TPoint{15, 7}));  // 15, 7.25
}

// A subclass that redirects its coordinates, as a bullet does: drawing and picking must follow.
class TShiftedSide : public TSide {
 public:
  double GetCoord(int index) const override { return TSide::GetCoord(index) + 100; }
};

TEST(SceneSide, ScreenPointAndPickingReadTheRedirectedAccessors) {
  TShiftedSide s;
  TPoint pt;
  s.ScreenPoint(tmat2d(), pt);
  EXPECT_EQ(pt, (TPoint{100, 100}));
  EXPECT_TRUE(s.PointInRect(TDRect{99, 101, 99, 101}));
  EXPECT_FALSE(s.PointInRect(TDRect{-1, 1, -1, 1}));
}

TEST(SceneSide, PointInRectIsHalfOpen) {
  const TDRect r{0, 1, 0, 1};
  const struct {
    double x, y;
    bool inside;
  } cases[] = {
      {0, 0, true},      // on x1 and y1
      {0.5, 0.5, true},  //
      {1, 0.5, false},   // on x2
      {0.5, 1, false},   // on y2
      {-0.01, 0.5, false}, {0.5, -0.01, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    TSide s;
    s.SetCoord(0, c.x);
    s.SetCoord(1, c.y);
    EXPECT_EQ(s.PointInRect(r, tmat2d::scale(5, 5)), c.inside) << "the matrix is not used";
  }
}

TEST(SceneSide, RecordIsWrittenAndReadBackByteForByte) {
  TSide s;
  s.pos.x = -0.25;
  s.pos.y = 1.5;
  s.pos.w = 1;
  s.color = 0xFF00FF;
  s.width = 3;
  s.sidetype = st_landing;
  TTextWriter w;
  ASSERT_TRUE(s.SaveToF(w));
  const std::string expected = Crlf({
      "1 {TSide}",
      "-2.50000000000000E-0001  1.50000000000000E+0000  1.00000000000000E+0000",
      "16711935",
      "3",
      "2",
  });
  ASSERT_EQ(w.Bytes(), expected);

  TTextReader r(expected);
  ASSERT_EQ(r.ReadHeaderId(), 1);  // the container reads the header
  TSide back;
  ASSERT_TRUE(back.LoadFromF(r));
  EXPECT_TRUE(r.AtEnd());
  TTextWriter again;
  back.SaveToF(again);
  EXPECT_EQ(again.Bytes(), expected);
}

TEST(SceneSide, ReaderSkipsTheRestOfEachLine) {
  TTextReader r(Crlf({"1 2 3 trailing words", "7 colour", "2 px", "1 normal", "42"}));
  TSide s;
  s.LoadFromF(r);
  EXPECT_EQ(s.pos.x, 1);
  EXPECT_EQ(s.pos.w, 3);
  EXPECT_EQ(s.color, 7);
  EXPECT_EQ(s.width, 2);
  EXPECT_EQ(s.sidetype, st_normal);
  EXPECT_EQ(r.ReadInteger(), 42);
}

TEST(SceneSide, UnknownSideTypeInAFileReadsAsNone) {
  for (int v : {3, 255, 258, -1}) {
    SCOPED_TRACE(v);
    TTextReader r(Crlf({"0 0 0", "0", "0", std::to_string(v)}));
    TSide s;
    s.LoadFromF(r);
    EXPECT_EQ(s.sidetype, st_none);
  }
}

TEST(SceneSide, MalformedNumberStopsTheLoad) {
  TTextReader r(Crlf({"0 zero 0", "0", "0", "0"}));
  TSide s;
  try {
    s.LoadFromF(r);
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Invalid numeric input");
  }
}

}  // namespace
