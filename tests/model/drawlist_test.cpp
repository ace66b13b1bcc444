// Draw lists: entries, order, extent, animation and the traversals over their polygons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gx_drawlist.h"
#include "gx_polygon.h"
#include "gx_traflist.h"
#include "scene_test_support.h"

namespace {

using scene_test::MakePolygon;
using scene_test::TMarkerTransform;

// A list of three unit squares at x = 0, 10 and 20, kept with raw pointers to look at them.
class SceneDrawList : public ::testing::Test {
 protected:
  SceneDrawList() {
    for (int i = 0; i < 3; ++i) {
      const double x = 10.0 * i;
      auto p = MakePolygon({{x, 0}, {x + 1, 0}, {x + 1, 1}, {x, 1}});
      polys.push_back(p.get());
      list.AddPolygon(std::move(p));
    }
  }

  std::vector<TPolygon*> Order() const {
    std::vector<TPolygon*> v;
    for (int i = 0; i < list.Count(); ++i) v.push_back(list.GetPolygon(i));
    return v;
  }

  TDrawList list;
  std::vector<TPolygon*> polys;
};

TEST_F(SceneDrawList, FreshListDefaults) {
  TDrawList fresh;
  EXPECT_EQ(fresh.Id(), 5);
  EXPECT_EQ(fresh.TickUnit(), 0);
  EXPECT_EQ(fresh.matrix, tmat2d());
  EXPECT_EQ(fresh.TrafList()->Count(), 0);
  fresh.SetTickUnit(50);
  EXPECT_EQ(fresh.TickUnit(), 50);
}

TEST_F(SceneDrawList, GetPolygonIsNullOutsideTheList) {
  EXPECT_EQ(list.GetPolygon(0), polys[0]);
  EXPECT_EQ(list.GetPolygon(2), polys[2]);
  EXPECT_EQ(list.GetPolygon(3), nullptr);
  EXPECT_EQ(list.GetPolygon(-1), nullptr);
}

TEST_F(SceneDrawList, RaisePolOrderSwapsWithTheNeighbourWhenThereIsOne) {
  list.RaisePolOrder(true, polys[0]);
  EXPECT_EQ(Order(), (std::vector<TPolygon*>{polys[1], polys[0], polys[2]}));
  list.RaisePolOrder(false, polys[0]);
  EXPECT_EQ(Order(), (std::vector<TPolygon*>{polys[0], polys[1], polys[2]}));
  list.RaisePolOrder(true, polys[2]);   // already on top
  list.RaisePolOrder(false, polys[0]);  // already at the bottom
  TPolygon stranger;
  list.RaisePolOrder(true, &stranger);
  EXPECT_EQ(Order(), (std::vector<TPolygon*>{polys[0], polys[1], polys[2]}));
}

TEST_F(SceneDrawList, RemovePolygonTakesOutItsOwnEntriesOnly) {
  list.RemovePolygon(polys[1]);
  EXPECT_EQ(Order(), (std::vector<TPolygon*>{polys[0], polys[2]}));
  TPolygon stranger;
  list.RemovePolygon(&stranger);  // owned elsewhere: left alone
  list.RemovePolygon(nullptr);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(SceneDrawList, GetExtentUnitesTheEntriesStoredExtents) {
  TDrawList empty;
  empty.GetExtent();
  EXPECT_EQ(empty.extent.x1, -1);
  EXPECT_EQ(empty.extent.x2, 1);
  EXPECT_EQ(empty.extent.y1, -1);
  EXPECT_EQ(empty.extent.y2, 1);

  TDrawList one;
  auto p = MakePolygon({{0, 0}, {1, 1}});
  p->extent = TDRect{0.125, -3, 7, 2};  // copied as it is, even unordered
  one.AddPolygon(std::move(p));
  one.GetExtent();
  EXPECT_EQ(one.extent.x1, 0.125);
  EXPECT_EQ(one.extent.x2, -3);

  polys[0]->extent = TDRect{0, 1, 0, 1};
  polys[1]->extent = TDRect{2, 3, -1, 0};
  polys[2]->extent = TDRect{0.5, 0.5, 0.5, 0.5};
  polys[2]->MoveTo(100, 100);  // corners are not consulted
  list.GetExtent();
  EXPECT_EQ(list.extent.x1, 0);
  EXPECT_EQ(list.extent.x2, 3);
  EXPECT_EQ(list.extent.y1, -1);
  EXPECT_EQ(list.extent.y2, 1);
}

TEST_F(SceneDrawList, InVisibleReadsAllAndWritesAll) {
  TDrawList empty;
  EXPECT_TRUE(empty.InVisible());
  EXPECT_FALSE(list.InVisible());
  polys[0]->invisible = true;
  polys[2]->invisible = true;
  EXPECT_FALSE(list.InVisible());
  list.SetInVisible(true);
  EXPECT_TRUE(list.InVisible());
  list.SetInVisible(false);
  EXPECT_FALSE(polys[1]->invisible);
}

TEST_F(SceneDrawList, ExecuteAdvancesTheSubtreeAndResetReturnsIt) {
  list.matrix = tmat2d::trans(5, 5);  // as loaded from a file
  polys[1]->TrafList()->AddTraf(std::make_unique<TMarkerTransform>());
  polys[2]->matrix = tmat2d::scale(3, 3);

  list.Execute(2);
  EXPECT_EQ(list.matrix, tmat2d()) << "no transforms: the identity, whatever was stored";
  EXPECT_EQ(polys[1]->matrix, tmat2d::trans(2, 0));
  EXPECT_EQ(polys[2]->matrix, tmat2d());
  EXPECT_EQ(polys[1]->TrafList()->GetTraf(0)->cnt, 0) << "period 0 keeps the counter at 0";

  // The list's own transforms move the whole group.
  list.TrafList()->AddTraf(std::make_unique<TMarkerTransform>());
  list.Execute(7);
  EXPECT_EQ(list.matrix, tmat2d::trans(7, 0));
  EXPECT_EQ(polys[1]->matrix, tmat2d::trans(7, 0));

  list.reset();
  EXPECT_EQ(list.matrix, tmat2d());
  EXPECT_EQ(polys[1]->matrix, tmat2d());
}

TEST_F(SceneDrawList, TransFormMovesCornersThroughBothMatrices) {
  list.matrix = tmat2d::trans(100, 0);
  polys[0]->matrix = tmat2d::scale(2, 2);
  list.TransForm(tmat2d::trans(0, 1));
  // (1, 1) of the first square: own scale, then the list's move, then the caller's.
  EXPECT_EQ(polys[0]->GetSide(2)->x(), 102);
  EXPECT_EQ(polys[0]->GetSide(2)->y(), 3);
  EXPECT_EQ(polys[1]->GetSide(0)->x(), 110);
  EXPECT_EQ(list.matrix, tmat2d::trans(100, 0));
  EXPECT_EQ(polys[0]->matrix, tmat2d::scale(2, 2));
}

TEST_F(SceneDrawList, NearestHitIsTheNearestOverAllEntriesWhateverTheirOrder) {
  const TDRect ray{30, 29, 0.5, 0.5};  // from x = 30 towards -x
  TPolygon* pol = nullptr;
  double x = 0, y = 0, t = -1;
  ASSERT_TRUE(list.GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(pol, polys[2]);
  EXPECT_EQ(x, 21);
  EXPECT_EQ(t, 9);

  list.Exchange(0, 2);  // nearest polygon now last
  t = -1;
  ASSERT_TRUE(list.GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(pol, polys[2]);
  EXPECT_EQ(t, 9);

  // A nearer hit already held elsewhere is kept, and so are all outputs.
  TPolygon elsewhere;
  pol = &elsewhere;
  x = y = 0;
  t = 4;
  EXPECT_FALSE(list.GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(pol, &elsewhere);
  EXPECT_EQ(t, 4);
  EXPECT_EQ(x, 0);

  // An empty list finds nothing and leaves t alone.
  TDrawList empty;
  t = -1;
  EXPECT_FALSE(empty.GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(t, -1);
}

TEST_F(SceneDrawList, NearestHitSeparatesMovingAndFixedPolygons) {
  polys[2]->TrafList()->AddTraf(std::make_unique<TMarkerTransform>());
  polys[1]->harmless = true;
  const TDRect ray{30, 29, 0.5, 0.5};
  TPolygon* pol = nullptr;
  double x = 0, y = 0, t = -1;
  ASSERT_TRUE(list.GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(pol, polys[0]) << "moving and harmless polygons skipped";
  t = -1;
  ASSERT_TRUE(list.GetNearestIntersectionPoint(ray, true, pol, x, y, t));
  EXPECT_EQ(pol, polys[2]);
}

TEST_F(SceneDrawList, PickingReturnsTheFirstPolygonThatAnswers) {
  auto overlap = MakePolygon({{10, 0}, {12, 0}, {12, 2}});  // shares a corner with square 1
  TPolygon* top = overlap.get();
  list.AddPolygon(std::move(overlap));
  TPolygon* p = nullptr;
  int six = -1;
  ASSERT_TRUE(list.PointInRect(TDRect{9.9, 10.1, -0.1, 0.1}, p, six));
  EXPECT_EQ(p, polys[1]);
  EXPECT_EQ(six, 0);
  p = nullptr;
  EXPECT_FALSE(list.PointInRect(TDRect{50, 51, 50, 51}, p, six));
  EXPECT_EQ(p, nullptr);

  // Only the triangle has an edge whose foot from (12, 1) lies between its ends: the
  // vertical one from (12, 0) to (12, 2).
  ASSERT_TRUE(list.NewPointInRect(TDRect{11.5, 12.5, 0.5, 1.5}, p, six));
  EXPECT_EQ(p, top);
  EXPECT_EQ(six, 2);
  EXPECT_EQ(top->Count(), 4);
}

TEST_F(SceneDrawList, RefPointSearchStopsAtTheFirstHitOrEndsOnTheLastEntry) {
  auto marker = std::make_unique<TMarkerTransform>();
  marker->refpt.x = 10.5;
  marker->refpt.y = 0.5;
  TTransform* m = marker.get();
  polys[1]->TrafList()->AddTraf(std::move(marker));
  TPolygon* p = nullptr;
  TTransform* trf = nullptr;
  ASSERT_TRUE(list.RefPointInRect(TDRect{10, 11, 0, 1}, p, trf));
  EXPECT_EQ(p, polys[1]);
  EXPECT_EQ(trf, m);
  EXPECT_FALSE(list.RefPointInRect(TDRect{50, 51, 0, 1}, p, trf));
  EXPECT_EQ(p, polys[2]) << "left at the last entry tried";
}

}  // namespace
