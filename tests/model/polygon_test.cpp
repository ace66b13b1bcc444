// Polygons: construction, corners, geometry and picking.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "gx_polygon.h"
#include "gx_traflist.h"
#include "scene_test_support.h"

namespace {

using scene_test::MakePolygon;
using scene_test::Pt;
using scene_test::TMarkerTransform;

std::vector<std::pair<double, double>> Corners(const TPolygon& p) {
  std::vector<std::pair<double, double>> v;
  for (int i = 0; i < p.Count(); ++i) v.emplace_back(p.GetSide(i)->x(), p.GetSide(i)->y());
  return v;
}

using CornerList = std::vector<std::pair<double, double>>;

// ---------------------------------------------------------------------------- construction

TEST(ScenePolygon, FreshPolygonIsAnEmptyBlackClosedOutline) {
  TPolygon p;
  EXPECT_EQ(p.Id(), 2);
  EXPECT_EQ(p.Color(), 0);
  EXPECT_EQ(p.width, 0);
  EXPECT_EQ(p.fillstyle, bsSolid);
  EXPECT_FALSE(p.open || p.invisible || p.harmless);
  EXPECT_EQ(p.GetSide(0), nullptr);
  EXPECT_EQ(p.TrafList()->Count(), 0);
}

TEST(ScenePolygon, CreateCircleRunsClockwiseFromTheStartAngle) {
  auto p = TPolygon::CreateCircle(0, 0, 1, 1, 0, 4, 0x00AA00);
  const CornerList expected = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}};
  ASSERT_EQ(p->Count(), 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(p->GetSide(i)->x(), expected[i].first, 1e-12);
    EXPECT_NEAR(p->GetSide(i)->y(), expected[i].second, 1e-12);
    EXPECT_EQ(p->GetSide(i)->sidetype, st_normal);
    EXPECT_EQ(p->GetSide(i)->color, 0x00AA00);
  }
  EXPECT_EQ(p->Color(), 0) << "the outline colour is the caller's to set";
  EXPECT_FALSE(p->open);

  // An ellipse off the origin starting straight up.
  auto e = TPolygon::CreateCircle(10, 20, 2, 3, std::numbers::pi / 2, 2, 0);
  EXPECT_NEAR(e->GetSide(0)->x(), 10, 1e-12);
  EXPECT_NEAR(e->GetSide(0)->y(), 23, 1e-12);
  EXPECT_NEAR(e->GetSide(1)->y(), 17, 1e-12);
  EXPECT_NEAR(e->extent.y1, 17, 1e-12);
  EXPECT_NEAR(e->extent.y2, 23, 1e-12);
}

TEST(ScenePolygon, WavesAreOpenWhitePathsEvaluatedAsFunctions) {
  auto swing = TPolygon::CreateSwingWave();
  auto ramp = TPolygon::CreateContinuousWave();
  EXPECT_TRUE(swing->open);
  EXPECT_TRUE(ramp->open);
  EXPECT_EQ(swing->GetSide(1)->color, 0xFFFFFF);
  EXPECT_EQ(ramp->GetSide(1)->sidetype, st_normal);

  const struct {
    const TPolygon* path;
    double x;
    bool ok;
    double y;
  } cases[] = {
      {swing.get(), 0, true, 0},
      {swing.get(), 0.25, true, 0.5},
      {swing.get(), 0.5, true, 1},
      {swing.get(), 0.75, true, 0.5},
      {swing.get(), 1, true, 0},
      {swing.get(), 1.01, false, 0},
      {swing.get(), -0.01, false, 0},
      {ramp.get(), 0.3, true, 0.3},
      {ramp.get(), 1, true, 1},
      {ramp.get(), std::numeric_limits<double>::quiet_NaN(), false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    double y = 42;
    EXPECT_EQ(c.path->ybyx(c.x, y), c.ok);
    EXPECT_DOUBLE_EQ(y, c.y);
  }
}

TEST(ScenePolygon, YbyxTakesTheFirstSegmentAndStepsAtVerticalOnes) {
  // A step: flat at 0.2 up to x = 0.5, vertical to 0.9, flat again.
  auto step = MakePolygon({{0, 0.2}, {0.5, 0.2}, {0.5, 0.9}, {1, 0.9}}, /*open=*/true);
  double y = 0;
  ASSERT_TRUE(step->ybyx(0.5, y));
  EXPECT_EQ(y, 0.2) << "the earlier segment wins at a shared corner";

  auto vertical_first = MakePolygon({{0.5, 0.2}, {0.5, 0.9}, {1, 0.9}}, /*open=*/true);
  ASSERT_TRUE(vertical_first->ybyx(0.5, y));
  EXPECT_EQ(y, 0.9) << "a vertical segment gives its end corner's value";

  // Nearly vertical counts as vertical.
  auto steep = MakePolygon({{0.5, 0}, {0.50005, 1}}, /*open=*/true);
  ASSERT_TRUE(steep->ybyx(0.50001, y));
  EXPECT_EQ(y, 1);

  // A closed path also has the segment back to its first corner; the matrix is not used.
  auto closed = MakePolygon({{0, 0}, {1, 0}, {2, 2}});
  closed->matrix = tmat2d::trans(100, 100);
  ASSERT_TRUE(closed->ybyx(1.5, y));
  EXPECT_EQ(y, 1);
  closed->open = true;
  ASSERT_TRUE(closed->ybyx(1.5, y));  // still (1,0)-(2,2)
  EXPECT_FALSE(closed->ybyx(2.5, y));

  TPolygon empty;
  EXPECT_FALSE(empty.ybyx(0, y));
  EXPECT_EQ(y, 0);
  EXPECT_FALSE(MakePolygon({{0, 0}}, true)->ybyx(0, y));
}

// ---------------------------------------------------------------------------- corners

TEST(ScenePolygon, GetSideIndexesCyclically) {
  auto p = MakePolygon({{0, 0}, {1, 0}, {2, 0}});
  const struct {
    int index;
    double x;
  } cases[] = {{0, 0},
               {2, 2},
               {3, 0},
               {-1, 2},
               {-3, 0},
               {7, 1},
               {std::numeric_limits<int>::min(), 1},
               {std::numeric_limits<int>::max(), 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    ASSERT_NE(p->GetSide(c.index), nullptr);
    EXPECT_EQ(p->GetSide(c.index)->x(), c.x);
  }
}

TEST(ScenePolygon, AddSideGrowsTheExtentButOtherEditsLeaveIt) {
  TPolygon p;
  p.extent = TDRect{-50, 50, -50, 50};
  p.AddSide(2, 3, st_normal, 0);
  EXPECT_EQ(p.extent.x1, 2);  // the first corner starts a fresh box
  EXPECT_EQ(p.extent.y2, 3);
  p.AddSide(-1, 5, st_landing, 0);
  EXPECT_EQ(p.extent.x1, -1);
  EXPECT_EQ(p.extent.x2, 2);
  EXPECT_EQ(p.extent.y1, 3);
  EXPECT_EQ(p.extent.y2, 5);
  EXPECT_EQ(p.GetSide(1)->width, -1);

  p.MoveTo(10, 10);
  p.TransForm(tmat2d::scale(3, 3));
  EXPECT_EQ(p.extent.x1, -1);
  EXPECT_EQ(p.extent.y2, 5);
}

TEST(ScenePolygon, SetSideReplacesOrAppendsWithTheIndexClamped) {
  auto p = MakePolygon({{0, 0}, {1, 0}});
  auto side = [](double x) {
    auto s = std::make_unique<TSide>();
    s->SetCoord(0, x);
    return s;
  };
  p->SetSide(-4, side(10));
  p->SetSide(1, side(11));
  p->SetSide(2, side(12));
  p->SetSide(99, side(13));
  EXPECT_EQ(Corners(*p), (CornerList{{10, 0}, {11, 0}, {12, 0}, {13, 0}}));
}

TEST(ScenePolygon, RemoveSideRemovesOnlyItsOwnCorners) {
  auto p = MakePolygon({{0, 0}, {1, 0}, {2, 0}});
  p->RemoveSide(p->GetSide(1));
  EXPECT_EQ(Corners(*p), (CornerList{{0, 0}, {2, 0}}));
  TSide stranger;
  p->RemoveSide(&stranger);  // not a corner here: untouched, and still the caller's
  EXPECT_EQ(p->Count(), 2);
  p->RemoveSide(nullptr);
  EXPECT_EQ(p->Count(), 2);
}

TEST(ScenePolygon, MoveToMakesThePointTheOrigin) {
  auto p = MakePolygon({{1, 2}, {3, 5}});
  p->MoveTo(1, 2);
  EXPECT_EQ(Corners(*p), (CornerList{{0, 0}, {2, 3}}));
}

TEST(ScenePolygon, TrafCenterPutsTheReferencePointOnTheCornersMean) {
  auto p = MakePolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  p->matrix = tmat2d::trans(100, 100);  // untransformed corners are averaged
  TMarkerTransform t;
  p->TrafCenter(t);
  EXPECT_EQ(t.refpt.x, 2);
  EXPECT_EQ(t.refpt.y, 1);

  TPolygon empty;
  t.refpt.x = 7;
  empty.TrafCenter(t);
  EXPECT_EQ(t.refpt.x, 7) << "no corners, no mean: the point stays";
}

TEST(ScenePolygon, TransFormAppliesTheCallersMatrixAfterTheOwnOne) {
  auto p = MakePolygon({{1, 0}, {0, 1}});
  p->matrix = tmat2d::rot(std::numbers::pi / 2);
  const tmat2d own = p->matrix;
  p->TransForm(tmat2d::trans(10, 0));
  const CornerList moved = Corners(*p);
  EXPECT_NEAR(moved[0].first, 10, 1e-12);  // (1,0) turned to (0,1), then moved
  EXPECT_NEAR(moved[0].second, 1, 1e-12);
  EXPECT_NEAR(moved[1].first, 9, 1e-12);
  EXPECT_NEAR(moved[1].second, 0, 1e-12);
  EXPECT_EQ(p->matrix, own);
}

TEST(ScenePolygon, CleanPointsRemovesCoincidentNeighbours) {
  const struct {
    std::string name;
    std::vector<Pt> corners;
    bool open;
    CornerList kept;
  } cases[] = {
      {"closed, last repeats first: corner 0 goes",
       {{0, 0}, {1, 0}, {1, 1}, {0.0005, 0}},
       false,
       {{1, 0}, {1, 1}, {0.0005, 0}}},
      {"open, same corners: nothing goes",
       {{0, 0}, {1, 0}, {1, 1}, {0.0005, 0}},
       true,
       {{0, 0}, {1, 0}, {1, 1}, {0.0005, 0}}},
      {"runs collapse onto the last kept corner",
       {{0, 0}, {0.0006, 0}, {0.0012, 0}, {5, 5}, {5, 5}, {5, 5.0009}},
       true,
       {{0, 0}, {0.0012, 0}, {5, 5}}},
      {"0.001 apart is not coincident",
       {{0, 0}, {0.001, 0}, {1, 1}},
       false,
       {{0, 0}, {0.001, 0}, {1, 1}}},
      {"all corners the same", {{2, 2}, {2, 2}, {2, 2}}, false, {{2, 2}}},
      {"single corner", {{2, 2}}, false, {{2, 2}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TPolygon p;
    for (const Pt& pt : c.corners) p.AddSide(pt.x, pt.y, st_normal, 0);
    p.open = c.open;
    p.CleanPoints();
    EXPECT_EQ(Corners(p), c.kept);
  }
  TPolygon empty;
  empty.CleanPoints();
  EXPECT_EQ(empty.Count(), 0);
}

// ---------------------------------------------------------------------------- crossing

TEST(ScenePolygon, IntersectReportsTheCornerThatEndsTheCrossedEdge) {
  // A square whose bottom edge (into corner 1) is the landing strip.
  auto p = MakePolygon({{0, 0}, {4, 0, st_landing, 0x0000FF}, {4, 4}, {0, 4}});
  TSide* s = nullptr;
  ASSERT_TRUE(p->Intersect(TDRect{2, 2, -1, 1}, s));  // down through the bottom
  EXPECT_EQ(s, p->GetSide(1));
  EXPECT_EQ(s->sidetype, st_landing);
  ASSERT_TRUE(p->Intersect(TDRect{-1, 1, 2, 2}, s));  // through the closing edge
  EXPECT_EQ(s, p->GetSide(0));
  EXPECT_FALSE(p->Intersect(TDRect{1, 3, 1, 3.5}, s)) << "inside, touching nothing";
}

TEST(ScenePolygon, IntersectTestsTheClosingEdgeOnlyWhenClosed) {
  auto p = MakePolygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, /*open=*/true);
  TSide* s = nullptr;
  const TDRect through_left{-1, 1, 2, 2};
  EXPECT_FALSE(p->Intersect(through_left, s));
  p->open = false;
  EXPECT_TRUE(p->Intersect(through_left, s));
}

TEST(ScenePolygon, IntersectWorksInMazeCoordinates) {
  auto p = MakePolygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  p->matrix = tmat2d::trans(10, 0);
  TSide* s = nullptr;
  EXPECT_FALSE(p->Intersect(TDRect{0.5, 0.5, -1, 0.5}, s));
  EXPECT_TRUE(p->Intersect(TDRect{10.5, 10.5, -1, 0.5}, s));
  TPolygon empty;
  EXPECT_FALSE(empty.Intersect(TDRect{0, 1, 0, 1}, s));
  EXPECT_FALSE(MakePolygon({{0, 0}}, true)->Intersect(TDRect{-1, 1, 0, 0}, s));
}

// ---------------------------------------------------------------------------- nearest hit

class ScenePolygonNearest : public ::testing::Test {
 protected:
  // The square 2..3 by -1..1 and the ray along the x axis.
  std::unique_ptr<TPolygon> square = MakePolygon({{2, -1}, {2, 1}, {3, 1}, {3, -1}});
  const TDRect ray{0, 1, 0, 0};
  TPolygon* pol = nullptr;
  double x = -1, y = -1, t = -1;
};

TEST_F(ScenePolygonNearest, FindsTheNearerEdge) {
  ASSERT_TRUE(square->GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(pol, square.get());
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(t, 2);
}

TEST_F(ScenePolygonNearest, OnlyStrictlyNearerHitsReplaceTheOneHeld) {
  TPolygon other;
  pol = &other;
  t = 2;  // an equal hit was found elsewhere first
  EXPECT_FALSE(square->GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(pol, &other);
  t = 2.5;  // a farther one was
  EXPECT_TRUE(square->GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(t, 2);
}

TEST_F(ScenePolygonNearest, HarmlessAndTheOtherPassAreSkipped) {
  square->harmless = true;
  EXPECT_FALSE(square->GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_FALSE(square->GetNearestIntersectionPoint(ray, true, pol, x, y, t));
  square->harmless = false;
  EXPECT_FALSE(square->GetNearestIntersectionPoint(ray, true, pol, x, y, t))
      << "a fixed polygon is not searched in the moving pass";
  square->TrafList()->AddTraf(std::make_unique<TMarkerTransform>());
  EXPECT_FALSE(square->GetNearestIntersectionPoint(ray, false, pol, x, y, t))
      << "an animated polygon is not searched in the fixed pass";
  EXPECT_TRUE(square->GetNearestIntersectionPoint(ray, true, pol, x, y, t));
  EXPECT_EQ(t, 2);
  EXPECT_EQ(pol, square.get());
}

TEST_F(ScenePolygonNearest, EdgesAreHalfOpenAndTheMatrixApplies) {
  // The ray y = 1 passes through the corner (2, 1): an edge that starts there is hit, one
  // that ends there is not.
  const TDRect along_y1{0, 1, 1, 1};
  EXPECT_FALSE(MakePolygon({{2, -1}, {2, 1}}, true)
                   ->GetNearestIntersectionPoint(along_y1, false, pol, x, y, t));
  ASSERT_TRUE(MakePolygon({{2, 1}, {2, 3}}, true)
                  ->GetNearestIntersectionPoint(along_y1, false, pol, x, y, t));
  EXPECT_EQ(x, 2);
  EXPECT_EQ(t, 2);

  square->matrix = tmat2d::trans(-10, 0);  // now behind the ray
  EXPECT_FALSE(square->GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(t, 2) << "outputs untouched on a miss";
}

// ---------------------------------------------------------------------------- picking

TEST(ScenePolygon, PointInRectFindsTheFirstCornerInTheHalfOpenRect) {
  auto p = MakePolygon({{5, 5}, {1, 0}, {0, 0}, {0.5, 0.5}});
  int six = 99;
  EXPECT_TRUE(p->PointInRect(TDRect{0, 1, 0, 1}, six));
  EXPECT_EQ(six, 2) << "(1,0) lies on x2, (0,0) on x1/y1";
  EXPECT_FALSE(p->PointInRect(TDRect{10, 11, 10, 11}, six));
  EXPECT_EQ(six, -1);

  TPolygon* owner = nullptr;
  EXPECT_TRUE(p->PointInRect(TDRect{4.9, 5.1, 4.9, 5.1}, owner, six));
  EXPECT_EQ(owner, p.get());
  EXPECT_EQ(six, 0);
}

TEST(ScenePolygon, NewPointInRectInsertsAtTheFootOfThePerpendicular) {
  auto p = MakePolygon({{0, 0}, {4, 4}, {8, 0}}, /*open=*/true);
  p->SetColor(0x112233);
  const TDRect extent_before = p->extent;
  int six = -1;
  // Around (1, 2): 0.707 from the first edge, tolerance 1.
  ASSERT_TRUE(p->NewPointInRect(TDRect{0.5, 1.5, 1.5, 2.5}, six));
  EXPECT_EQ(six, 1);
  ASSERT_EQ(p->Count(), 4);
  EXPECT_DOUBLE_EQ(p->GetSide(1)->x(), 1.5);
  EXPECT_DOUBLE_EQ(p->GetSide(1)->y(), 1.5);
  EXPECT_EQ(p->GetSide(1)->color, 0x112233);
  EXPECT_EQ(p->GetSide(1)->sidetype, st_normal);
  EXPECT_EQ(p->extent.x2, extent_before.x2);

  // Too far from every edge, and the tolerance is strict.
  EXPECT_FALSE(p->NewPointInRect(TDRect{3.5, 4.5, 0, 1}, six));
  EXPECT_EQ(p->Count(), 4);
}

TEST(ScenePolygon, NewPointInRectOnTheClosingEdgeBecomesCornerZero) {
  auto p = MakePolygon({{0, 0}, {4, 0}, {0, 4}});  // closing edge (0,4) -> (0,0) is vertical
  int six = -1;
  ASSERT_TRUE(p->NewPointInRect(TDRect{-0.5, 0.5, 1.5, 2.5}, six));
  EXPECT_EQ(six, 0);
  EXPECT_EQ(p->GetSide(0)->x(), 0);
  EXPECT_EQ(p->GetSide(0)->y(), 2);
  auto q = MakePolygon({{0, 0}, {4, 0}, {4, 4}});  // closing edge (4,4) -> (0,0)
  ASSERT_TRUE(q->NewPointInRect(TDRect{1.5, 2.5, 1.5, 2.5}, six));
  EXPECT_EQ(six, 0);
  EXPECT_DOUBLE_EQ(q->GetSide(0)->x(), 2);
  EXPECT_DOUBLE_EQ(q->GetSide(1)->x(), 0);
}

TEST(ScenePolygon, NewPointInRectSkipsEdgesWithoutLength) {
  // Two coincident corners before a diagonal edge: the zero edge has no line to measure.
  auto p = MakePolygon({{1, 1}, {1, 1}, {3, 3}}, /*open=*/true);
  int six = -1;
  ASSERT_TRUE(p->NewPointInRect(TDRect{1.5, 2.5, 1.5, 2.5}, six));
  EXPECT_EQ(six, 2);
  EXPECT_DOUBLE_EQ(p->GetSide(2)->x(), 2);
  EXPECT_FALSE(std::isnan(p->GetSide(2)->y()));

  TPolygon empty;
  EXPECT_FALSE(empty.NewPointInRect(TDRect{0, 1, 0, 1}, six));
  EXPECT_FALSE(MakePolygon({{0, 0}}, true)->NewPointInRect(TDRect{-1, 1, -1, 1}, six));
}

TEST(ScenePolygon, RefPointInRectFindsTheFirstTransformAndLeavesPolygonAlone) {
  auto p = MakePolygon({{0, 0}, {1, 0}, {0, 1}});
  auto a = std::make_unique<TMarkerTransform>();
  auto b = std::make_unique<TMarkerTransform>();
  a->refpt.x = 5;
  b->refpt.x = 0.5;
  TTransform* pa = a.get();
  TTransform* pb = b.get();
  p->TrafList()->AddTraf(std::move(a));
  p->TrafList()->AddTraf(std::move(b));

  TPolygon* owner = nullptr;
  TTransform* trf = nullptr;
  EXPECT_TRUE(p->RefPointInRect(TDRect{0, 1, 0, 1}, owner, trf));
  EXPECT_EQ(trf, pb);
  EXPECT_EQ(owner, nullptr);
  EXPECT_FALSE(p->RefPointInRect(TDRect{-3, -2, 0, 1}, owner, trf));
  EXPECT_EQ(trf, pb) << "left at the last transform tried";
  EXPECT_NE(trf, pa);

  TPolygon plain;
  trf = nullptr;
  EXPECT_FALSE(plain.RefPointInRect(TDRect{0, 1, 0, 1}, owner, trf));
  EXPECT_EQ(trf, nullptr);
}

}  // namespace
