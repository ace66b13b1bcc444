#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "gx_geometry.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TDRect Seg(double x1, double y1, double x2, double y2) {
  return TDRect{x1, x2, y1, y2};
}

TEST(SceneGeometry, SortRectOrdersEachAxisOnItsOwn) {
  TDRect r{3, 1, -1, 2};  // x reversed, y already ordered
  SortRect(r);
  EXPECT_EQ(r.x1, 1);
  EXPECT_EQ(r.x2, 3);
  EXPECT_EQ(r.y1, -1);
  EXPECT_EQ(r.y2, 2);
}

TEST(SceneGeometry, RectUnionOrdersInputsAndMayWriteIntoAnInput) {
  TDRect r;
  RectUnion(TDRect{0, 1, 0, 1}, TDRect{2, 3, -1, 0}, r);
  EXPECT_EQ(r.x1, 0);
  EXPECT_EQ(r.x2, 3);
  EXPECT_EQ(r.y1, -1);
  EXPECT_EQ(r.y2, 1);

  // A reversed input counts as its ordered form and is not itself changed.
  const TDRect reversed{1, 0, 1, 0};
  RectUnion(reversed, TDRect{0.25, 0.5, 0.25, 0.5}, r);
  EXPECT_EQ(r.x1, 0);
  EXPECT_EQ(r.x2, 1);
  EXPECT_EQ(r.y1, 0);
  EXPECT_EQ(r.y2, 1);
  EXPECT_EQ(reversed.x1, 1);

  // r may be the same variable as a.
  TDRect a{0, 1, 0, 1};
  RectUnion(a, TDRect{-2, -1, 5, 6}, a);
  EXPECT_EQ(a.x1, -2);
  EXPECT_EQ(a.x2, 1);
  EXPECT_EQ(a.y1, 0);
  EXPECT_EQ(a.y2, 6);
}

struct RayCase {
  std::string name;
  TDRect ray;
  TDRect seg;
  bool hit;
  double x, y, t;
};

TEST(SceneGeometry, RaySegmentIntersection) {
  const TDRect east = Seg(0, 0, 1, 0);
  const RayCase cases[] = {
      {"crossing", east, Seg(5, -1, 5, 1), true, 5, 0, 5},
      {"segment start on the ray counts", east, Seg(5, 0, 5, 1), true, 5, 0, 5},
      {"segment end on the ray does not", east, Seg(5, -1, 5, 0), false, 0, 0, 0},
      {"behind the start", east, Seg(-5, -1, -5, 1), false, 0, 0, 0},
      {"at the ray's start", east, Seg(0, -1, 0, 1), true, 0, 0, 0},
      {"parallel", east, Seg(0, 1, 5, 1), false, 0, 0, 0},
      {"collinear", east, Seg(2, 0, 4, 0), false, 0, 0, 0},
      {"point segment", east, Seg(5, 0, 5, 0), false, 0, 0, 0},
      {"point ray", Seg(1, 1, 1, 1), Seg(5, -1, 5, 1), false, 0, 0, 0},
      {"missing the segment's side", east, Seg(5, 1, 5, 2), false, 0, 0, 0},
      {"t in units of the direction", Seg(0, 0, 2, 0), Seg(5, -1, 5, 1), true, 5, 0, 2.5},
      {"far beyond the ray's second point", Seg(0, 0, 0, 1), Seg(-1, 100, 1, 100), true, 0, 100,
       100},
      {"slanted", Seg(0, 0, 1, 1), Seg(0, 4, 4, 0), true, 2, 2, 2},
      {"NaN corner", east, Seg(5, kNaN, 5, 1), false, 0, 0, 0},
  };
  for (const RayCase& c : cases) {
    SCOPED_TRACE(c.name);
    double x = -7, y = -7, t = -7;
    ASSERT_EQ(RaySegmentIntersection(c.ray, c.seg, x, y, t), c.hit);
    if (c.hit) {
      EXPECT_DOUBLE_EQ(x, c.x);
      EXPECT_DOUBLE_EQ(y, c.y);
      EXPECT_DOUBLE_EQ(t, c.t);
    } else {  // a miss leaves the outputs alone
      EXPECT_EQ(x, -7);
      EXPECT_EQ(y, -7);
      EXPECT_EQ(t, -7);
    }
  }
}

TEST(SceneGeometry, RayHitTakesXAlongTheRayAndYAlongTheSegment) {
  // Both coordinates of the hit are the same point; check that they come from the two
  // parametrisations, each exact on its own axis here.
  double x = 0, y = 0, t = 0;
  ASSERT_TRUE(RaySegmentIntersection(Seg(0, 0.5, 1, 0.5), Seg(3, 0, 3, 4), x, y, t));
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 0.5);
}

struct SegCase {
  std::string name;
  TDRect a;
  TDRect b;
  bool crosses;
};

TEST(SceneGeometry, SegmentsIntersect) {
  const SegCase cases[] = {
      {"plain crossing", Seg(0, 0, 2, 0), Seg(1, -1, 1, 1), true},
      {"touching b's end", Seg(0, 0, 2, 0), Seg(1, 0, 1, 1), true},
      {"touching b's start", Seg(0, 0, 2, 0), Seg(1, 1, 1, 0), true},
      {"exact diagonal a crosses nothing", Seg(0, 0, 1, 1), Seg(0, 1, 1, 0), false},
      {"shallow a", Seg(0, 0, 2, 1), Seg(0, 1, 2, 0), true},
      {"steep a uses its y component", Seg(0, 0, 1, 2), Seg(0, 2, 1, 0), true},
      {"vertical a", Seg(1, -1, 1, 1), Seg(0, 0, 2, 0), true},
      {"a ends on b", Seg(0, 0, 1, 0), Seg(1, -1, 1, 1), true},
      {"a starts on b", Seg(1, 0, 3, 0), Seg(1, -1, 1, 1), true},
      {"b beyond a's end", Seg(0, 0, 1, 0), Seg(1.5, -1, 1.5, 1), false},
      {"b before a's start", Seg(0, 0, 1, 0), Seg(-0.5, -1, -0.5, 1), false},
      {"lines cross beyond b", Seg(0, 0, 2, 0), Seg(1, 1, 1, 2), false},
      {"parallel", Seg(0, 0, 2, 0), Seg(0, 1, 2, 1), false},
      {"collinear overlap", Seg(0, 0, 2, 0), Seg(1, 0, 3, 0), false},
      {"point a", Seg(1, 0, 1, 0), Seg(1, -1, 1, 1), false},
      {"NaN in b", Seg(0, 0, 2, 0), Seg(1, kNaN, 1, 1), false},
  };
  for (const SegCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SegmentsIntersect(c.a, c.b), c.crosses);
  }
}

}  // namespace
