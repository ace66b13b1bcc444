// Drawing polygons and draw lists onto a recording canvas.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gx_drawlist.h"
#include "gx_polygon.h"
#include "gx_traflist.h"
#include "recording_canvas.h"
#include "scene_test_support.h"

namespace {

using scene_test::MakePolygon;
using scene_test::TMarkerTransform;

constexpr TColor kBlue = 0xFF0000;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kGrey = 0x808080;

std::vector<std::string> Ops(const TRecordingCanvas& cv) {
  std::vector<std::string> v;
  for (const auto& c : cv.calls) v.push_back(c.Describe());
  return v;
}

// Screen scale for one test; the handles' size follows it.
class ScreenScale {
 public:
  explicit ScreenScale(int ppi) { SetScreenPixelsPerInch(ppi); }
  ~ScreenScale() { SetScreenPixelsPerInch(96); }
};

class ScenePolygonDraw : public ::testing::Test {
 protected:
  ScenePolygonDraw() {
    // Corner 0 ends the landing edge that comes from the last corner.
    poly = MakePolygon(
        {{10, 10, st_landing, kRed}, {30, 10, st_normal, kGreen}, {20, 30, st_normal, kGrey}});
    poly->SetColor(kBlue);
    poly->width = 2;
    poly->fillcolor = kGreen;
    poly->fillstyle = bsCross;
    poly->matrix = tmat2d::trans(5, 0);  // the polygon's own matrix acts first
    auto marker = std::make_unique<TMarkerTransform>();
    marker->refpt.x = 20;
    marker->refpt.y = 20;
    poly->TrafList()->AddTraf(std::move(marker));
  }

  std::unique_ptr<TPolygon> poly;
  const TFixedControl window{200, 100};
  const tmat2d view = tmat2d::scale(2, 2);
  TRecordingCanvas cv;
};

TEST_F(ScenePolygonDraw, OutlineSpecialEdgesHandlesAndReferencePointsInOrder) {
  ScreenScale scale(144);  // handles of 3 px at 96 ppi are 4.5 -> 5 px here
  poly->Draw(window, cv, view, 0, /*doPoints=*/true);

  // Corners map to (30,20) (70,20) (50,60), flipped against the height 100.
  const std::vector<std::string> expected = {
      "Polygon (30,80) (70,80) (50,40)",
      "MoveTo 50 40",  // landing edge from the last corner to corner 0
      "LineTo 30 80",
      "Rectangle 25 75 35 85",
      "Rectangle 65 75 75 85",
      "Rectangle 45 35 55 45",
      "Ellipse 48 58 52 62",  // reference point (20,20) -> (50,40) -> y 60
  };
  ASSERT_EQ(Ops(cv), expected);

  const auto& outline = cv.calls[0];
  EXPECT_EQ(outline.pen.Color, kBlue);
  EXPECT_EQ(outline.pen.Width, 2);
  EXPECT_EQ(outline.pen.Style, TPenStyle::psSolid);
  EXPECT_EQ(outline.brush.Color, kGreen);
  EXPECT_EQ(outline.brush.Style, bsCross);

  EXPECT_EQ(cv.calls[2].pen.Color, kRed) << "the landing edge in its own colour";
  EXPECT_EQ(cv.calls[2].pen.Width, 2);

  const TColor handle_colours[] = {kRed, kGreen, kGrey};
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const auto& handle = cv.calls[3 + k];
    EXPECT_EQ(handle.pen.Color, handle_colours[k]);
    EXPECT_EQ(handle.brush.Color, handle_colours[k]);
    EXPECT_EQ(handle.brush.Style, bsSolid);
    EXPECT_EQ(handle.pen.Width, 2);
  }
}

TEST_F(ScenePolygonDraw, WithoutHandlesOnlyOutlineAndSpecialEdges) {
  poly->Draw(window, cv, view, 0, /*doPoints=*/false);
  EXPECT_EQ(Ops(cv), (std::vector<std::string>{"Polygon (30,80) (70,80) (50,40)", "MoveTo 50 40",
                                               "LineTo 30 80"}));
}

TEST_F(ScenePolygonDraw, OpenOutlineIsAPolylineYetItsFirstCornerStillDrawsItsEdge) {
  poly->open = true;
  poly->GetSide(0)->sidetype = st_none;  // anything but st_normal is drawn on its own
  poly->Draw(window, cv, view, 0, false);
  EXPECT_EQ(Ops(cv), (std::vector<std::string>{"Polyline (30,80) (70,80) (50,40)", "MoveTo 50 40",
                                               "LineTo 30 80"}));
}

TEST_F(ScenePolygonDraw, CallersWidthStaysWithThePolygon) {
  const struct {
    int w;
    bool invisible;
    int width_after;
    bool drawn;
  } cases[] = {{3, false, 3, true}, {0, false, 2, true}, {-1, false, 2, true}, {3, true, 2, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << (c.invisible ? " invisible" : ""));
    poly->width = 2;
    poly->invisible = c.invisible;
    cv.calls.clear();
    poly->Draw(window, cv, view, c.w, false);
    EXPECT_EQ(poly->width, c.width_after);
    EXPECT_EQ(!cv.calls.empty(), c.drawn);
    if (c.drawn) {
      EXPECT_EQ(cv.calls[0].pen.Width, c.width_after);
    }
  }
}

TEST_F(ScenePolygonDraw, FarAwayCornersAreClampedNotUndefined) {
  auto far = MakePolygon({{0, 0}, {1e300, -1e300}, {0, std::nan("")}});
  far->Draw(window, cv, tmat2d(), 0, true);
  ASSERT_FALSE(cv.calls.empty());
  const auto& pts = cv.calls[0].points;
  EXPECT_EQ(pts[1], (TPoint{kMaxScreenCoord, 100 + kMaxScreenCoord}));
  EXPECT_EQ(pts[2], (TPoint{0, 100}));
}

TEST_F(ScenePolygonDraw, EmptyPolygonDrawsNothing) {
  TPolygon empty;
  empty.Draw(window, cv, view, 4, true);
  empty.DrawSpot(window, cv, view, 3);
  EXPECT_TRUE(cv.calls.empty());
  EXPECT_EQ(empty.width, 4);
}

TEST_F(ScenePolygonDraw, SpotIsADotAtTheCentroidOfTheScreenPoints) {
  cv.Pen.Mode = TPenMode::pmXor;  // left over from an earlier drawing
  poly->DrawSpot(window, cv, view, 3);
  // Points (30,80) (70,80) (50,40): centre (50, 66.67).
  ASSERT_EQ(Ops(cv), (std::vector<std::string>{"Ellipse 47 70 53 64"}));
  const auto& dot = cv.calls[0];
  EXPECT_EQ(dot.pen.Color, kBlue);
  EXPECT_EQ(dot.pen.Width, 2);
  EXPECT_EQ(dot.pen.Mode, TPenMode::pmCopy);
  EXPECT_EQ(dot.brush.Color, kBlue);
  EXPECT_EQ(dot.brush.Style, bsSolid);

  // Bounds of x.5 round to even.
  auto pair = MakePolygon({{0, 0}, {1, 0}});
  cv.calls.clear();
  pair->DrawSpot(window, cv, tmat2d(), 2);
  EXPECT_EQ(Ops(cv), (std::vector<std::string>{"Ellipse -2 102 2 98"}));

  poly->invisible = true;
  cv.calls.clear();
  poly->DrawSpot(window, cv, view, 3);
  EXPECT_TRUE(cv.calls.empty());
}

TEST(SceneDrawListDraw, EntriesAreDrawnWithTheListsMatrixAppliedFirst) {
  TDrawList list;
  list.matrix = tmat2d::trans(0, 10);
  list.AddPolygon(MakePolygon({{0, 0}, {1, 0}, {0, 1}}));
  auto hidden = MakePolygon({{5, 5}, {6, 5}, {5, 6}});
  hidden->invisible = true;
  list.AddPolygon(std::move(hidden));
  list.AddPolygon(MakePolygon({{2, 2}, {3, 2}}, /*open=*/true));
  TRecordingCanvas cv;
  list.Draw(TFixedControl(100, 100), cv, tmat2d::scale(10, 10), 1, false);
  EXPECT_EQ(Ops(cv), (std::vector<std::string>{"Polygon (0,0) (10,0) (0,-10)",
                                               "Polyline (20,-20) (30,-20)"}));
  EXPECT_EQ(list.GetPolygon(0)->width, 1);
  EXPECT_EQ(list.GetPolygon(1)->width, 0) << "an invisible polygon keeps its width";

  cv.calls.clear();
  list.DrawSpot(TFixedControl(100, 100), cv, tmat2d::scale(10, 10), 1);
  EXPECT_EQ(Ops(cv), (std::vector<std::string>{"Ellipse 2 -2 4 -4", "Ellipse 24 -19 26 -21"}));
}

}  // namespace
