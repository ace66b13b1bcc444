// The editor's view on its own: zoom about a point, pan, fit, the design view and what each
// does when the field changes its size.
#include <cmath>
#include <optional>

#include "edit_fixture.h"
#include "gx_editview.h"

namespace {

// The design view's matrices, written out.
void ExpectDesignMatrices(const TEditView& v, int w, int h) {
  const double cw = w, ch = h;
  const double s = std::min(cw / 5.1, ch / 5.1);
  tmat2d m2i, i2m;
  m2i.mat[0][0] = s;
  m2i.mat[0][2] = cw / 2;
  m2i.mat[1][1] = s;
  m2i.mat[1][2] = ch / 2;
  i2m.mat[0][0] = 1 / s;
  i2m.mat[0][2] = (-cw / 2) / s;
  i2m.mat[1][1] = 1 / s;
  i2m.mat[1][2] = (-ch / 2) / s;
  EXPECT_EQ(v.M2I(), m2i) << w << " x " << h;  // bit for bit
  EXPECT_EQ(v.I2M(), i2m) << w << " x " << h;
  EXPECT_TRUE(v.IsDesignView());
  EXPECT_EQ(v.ZoomPercent(), 100);
}

TEST(EditViewTest, ZoomingAboutAPointKeepsTheModelPointUnderItAndGoesByLevels) {
  struct TCase {
    int w, h;
    int steps;
    double x, y;  // image point (y up)
    double zoom;  // afterwards
  };
  const TCase cases[] = {
      {510, 510, 1, 100, 400, std::exp2(0.25)},
      {1280, 800, 4, 1200, 30, 2},  // four levels double the scale, exactly
      {1280, 800, -4, 3, 797, 0.5},
      {800, 1280, 16, 400, 640, 16},      // the limit
      {800, 1280, 40, 17, 1000, 16},      // and not past it
      {510, 300, -16, 509, 0, 1.0 / 16},  // the other limit
      {510, 300, -99, 0, 299, 1.0 / 16},
      {1, 1, 3, 0, 0, std::exp2(0.75)},
  };
  for (const TCase& c : cases) {
    TEditView v;
    v.Layout(c.w, c.h, nullptr);
    // From a panned view, so that the centre is not the origin.
    v.PanBy(37, -21);
    const TDPoint before = v.ImageToModel(c.x, c.y);
    EXPECT_TRUE(v.ZoomAbout(c.steps, c.x, c.y));
    EXPECT_DOUBLE_EQ(v.Zoom(), c.zoom) << c.steps;
    const TDPoint after = v.ModelToImage(before.x, before.y);
    EXPECT_NEAR(after.x, c.x, 1e-9) << c.w << " x " << c.h << ", " << c.steps << " steps";
    EXPECT_NEAR(after.y, c.y, 1e-9) << c.w << " x " << c.h << ", " << c.steps << " steps";
    EXPECT_EQ(v.Mode(), TEditView::TMode::Free);
    // At the limit a further step changes nothing.
    if (c.zoom == TEditView::kMaxZoom) {
      EXPECT_FALSE(v.ZoomAbout(1, c.x, c.y));
    }
    if (c.zoom == TEditView::kMinZoom) {
      EXPECT_FALSE(v.ZoomAbout(-1, c.x, c.y));
    }
  }
}

TEST(EditViewTest, ZoomingInAndOutAboutTheMiddleGivesTheDesignViewBackBitForBit) {
  for (const auto& [w, h] : {std::pair{510, 510}, {1061, 777}, {1, 1}, {640, 2000}}) {
    TEditView v;
    v.Layout(w, h, nullptr);
    ExpectDesignMatrices(v, w, h);
    for (int k = 0; k < 7; ++k) v.ZoomAbout(1, w / 2.0, h / 2.0);
    for (int k = 0; k < 11; ++k) v.ZoomAbout(-1, w / 2.0, h / 2.0);
    v.ZoomAbout(4, w / 2.0, h / 2.0);
    ExpectDesignMatrices(v, w, h);
    // Anywhere else the centre moves; the design view puts it back.
    v.ZoomAbout(3, 1, 2);
    EXPECT_FALSE(v.IsDesignView());
    v.ShowDesign();
    ExpectDesignMatrices(v, w, h);
  }
}

TEST(EditViewTest, AFittedZoomStepsToTheNextLevelFirst) {
  TEditView v;
  v.Layout(1000, 1000, nullptr);
  ASSERT_TRUE(v.SetZoomAbout(0.9, 500, 500));  // between the levels 2^(-1/4) and 1
  v.ZoomAbout(1, 500, 500);
  EXPECT_EQ(v.Zoom(), 1);
  v.SetZoomAbout(0.9, 500, 500);
  v.ZoomAbout(-1, 500, 500);
  EXPECT_DOUBLE_EQ(v.Zoom(), std::exp2(-0.25));
  v.SetZoomAbout(0.9, 500, 500);
  v.ZoomAbout(-2, 500, 500);
  EXPECT_DOUBLE_EQ(v.Zoom(), std::exp2(-0.5));
  EXPECT_EQ(v.ZoomPercent(), 71);
  EXPECT_FALSE(v.ZoomAbout(0, 500, 500));
}

TEST(EditViewTest, PanMovesThePictureByImagePixelsAtAnyZoom) {
  for (const double zoom : {0.25, 1.0, 4.0}) {
    TEditView v;
    v.Layout(800, 600, nullptr);
    v.SetZoomAbout(zoom, 10, 10);
    const TDPoint a = v.ModelToImage(0.3, -1.7);
    EXPECT_TRUE(v.PanBy(10, -5));
    const TDPoint b = v.ModelToImage(0.3, -1.7);
    EXPECT_NEAR(b.x - a.x, 10, 1e-9) << zoom;
    EXPECT_NEAR(b.y - a.y, -5, 1e-9) << zoom;
    EXPECT_DOUBLE_EQ(v.Zoom(), zoom);
    EXPECT_FALSE(v.PanBy(0, 0));
  }
}

// How much of the field the extents take after fitting, and where they sit.
struct TFitted {
  double left, right, bottom, top;  // margins in pixels
};
TFitted Margins(const TEditView& v, const TDRect& r) {
  const TDPoint a = v.ModelToImage(r.x1, r.y1);
  const TDPoint b = v.ModelToImage(r.x2, r.y2);
  return TFitted{a.x, v.Width() - b.x, a.y, v.Height() - b.y};
}

TEST(EditViewTest, FitShowsTheExtentsCentredWithAMarginOnTheTighterAxis) {
  struct TCase {
    TDRect r;
    int w, h;
    double zoom;  // expected; 0: as the margin says
  };
  const TCase cases[] = {
      {{-4, 4, -1, 1}, 1280, 800, 0},      // wide: the margin left and right
      {{-1, 1, -2.6, 3.0}, 1280, 800, 0},  // tall: above and below
      {{-4, 4, -1, 1}, 300, 900, 0},
      {{0.5, 0.5, 1, 1}, 640, 480, 1},             // a point: the design's scale
      {{-2000, 2000, -1, 1}, 800, 600, 1.0 / 16},  // too large: the lower limit
      {{0, 1e-5, 0, 1e-5}, 800, 600, 16},          // too small: the upper limit
      {{-3, 3, 0.2, 0.2}, 800, 600, 0},            // no height at all
  };
  for (const TCase& c : cases) {
    TEditView v;
    v.FitMaze();
    v.Layout(c.w, c.h, nullptr);  // nothing to fit yet: the design view
    EXPECT_TRUE(v.IsDesignView());
    // A maze with exactly these extents.
    TMaze m;
    AddPolygon(m, {{c.r.x1, c.r.y1}, {c.r.x2, c.r.y2}, {c.r.x1, c.r.y2}});
    v.FitMaze();
    v.Layout(c.w, c.h, &m);
    const std::string what = std::to_string(c.r.x1) + ".." + std::to_string(c.r.x2) + " on " +
                             std::to_string(c.w) + " x " + std::to_string(c.h);
    // Centred.
    const TDPoint mid = v.ModelToImage((c.r.x1 + c.r.x2) / 2, (c.r.y1 + c.r.y2) / 2);
    EXPECT_NEAR(mid.x, c.w / 2.0, 1e-6) << what;
    EXPECT_NEAR(mid.y, c.h / 2.0, 1e-6) << what;
    if (c.zoom != 0) {
      EXPECT_DOUBLE_EQ(v.Zoom(), c.zoom) << what;
      continue;
    }
    const TFitted f = Margins(v, c.r);
    const double mx = c.w * TEditView::kFitMargin, my = c.h * TEditView::kFitMargin;
    EXPECT_GE(f.left, mx - 1e-6) << what;
    EXPECT_GE(f.bottom, my - 1e-6) << what;
    EXPECT_TRUE(std::fabs(f.left - mx) < 1e-6 || std::fabs(f.bottom - my) < 1e-6) << what;
  }
}

TEST(EditViewTest, EachWayOfSettingTheViewMeetsANewFieldSizeItsOwnWay) {
  TMaze wide;
  AddPolygon(wide, {{-3, -1}, {3, -1}, {3, 2}});  // fits the design view of 4000 x 3000
  TMaze small;
  AddSquare(small, 0.5, 0.5, 0.3);
  // Auto: the design view while the maze fits, fitted when it does not, and again on resize.
  TEditView v;
  v.ShowAuto();
  v.Layout(510, 510, &small);
  ExpectDesignMatrices(v, 510, 510);
  v.ShowAuto();
  v.Layout(510, 510, &wide);
  EXPECT_LT(v.Zoom(), 1);
  EXPECT_EQ(v.Mode(), TEditView::TMode::Auto);
  v.Layout(4000, 3000, &wide);  // now it fits
  ExpectDesignMatrices(v, 4000, 3000);
  // Fit: fitted again for the new size.
  v.FitMaze();
  v.Layout(4000, 3000, &wide);
  const double fitted = v.Zoom();
  EXPECT_GT(fitted, 1);
  v.Layout(2000, 1500, &wide);
  EXPECT_NEAR(v.Zoom(), fitted, 1e-12);  // the same share of the field
  EXPECT_FALSE(v.IsDesignView());
  // Free: the zoom and the model point in the middle stay.
  v.ZoomAbout(2, 100, 100);
  const double zoom = v.Zoom();
  const TDPoint mid = v.ImageToModel(1000, 750);
  v.Layout(900, 300, &wide);
  EXPECT_EQ(v.Zoom(), zoom);
  const TDPoint now = v.ImageToModel(450, 150);
  EXPECT_NEAR(now.x, mid.x, 1e-12);
  EXPECT_NEAR(now.y, mid.y, 1e-12);
  // Design: the design view at every size.
  v.ShowDesign();
  v.Layout(333, 777, &wide);
  ExpectDesignMatrices(v, 333, 777);
}

TEST(EditViewTest, ExtentsTakeCornersThroughTheirMatrixBallsWithTheirSizeAndBothTranslationEnds) {
  TMaze m;
  EXPECT_FALSE(TEditView::MazeExtents(m).has_value());
  TPolygon* p = AddSquare(m, 0, 0, 0.5);
  p->matrix = tmat2d::trans(1, 0);  // drawn at 0.5 .. 1.5
  auto t = std::make_unique<TTrans>();
  t->refpt.x = 0.25;
  t->refpt.y = 0.25;
  t->x1 = 0;
  t->y1 = 3;  // the end, through the polygon's matrix at (1.25, 3.25)
  p->TrafList()->AddTraf(std::move(t));
  m.AddBall(-2, -1, -1);
  const double r = m.balllist->GetBall(0)->Size();
  const std::optional<TDRect> e = TEditView::MazeExtents(m);
  ASSERT_TRUE(e.has_value());
  EXPECT_DOUBLE_EQ(e->x1, -2 - r);
  EXPECT_DOUBLE_EQ(e->x2, 1.5);
  EXPECT_DOUBLE_EQ(e->y1, -1 - r);
  EXPECT_DOUBLE_EQ(e->y2, 3.25);
}

}  // namespace
