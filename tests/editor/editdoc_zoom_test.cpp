// Zoom and pan in the document: the view a maze opens on, that the view is no edit, that at
// zoom 1 everything is the design view's to the bit, and that picks, drags, new shapes, nudges
// and the grid keep their sizes in screen pixels (or, for new shapes, in model units) at any
// zoom.
#include <cmath>
#include <numbers>

#include "edit_fixture.h"

namespace {

class TStepCount : public TEditStepObserver {
 public:
  void StepBegin(TEditDocument&, const TEditStepInfo&) override {}
  void StepEnd(TEditDocument&, const TEditStepInfo& s) override { names.push_back(s.name); }
  std::vector<std::string> names;
};

class ZoomTest : public EditDocTest {
 protected:
  void SetUp() override {
    EditDocTest::SetUp();
    doc.SetStepObserver(&steps);
  }
  // The screen pixel (y down) nearest to a model point, through the view as it is.
  TPoint Px(double x, double y) const {
    const TDPoint p = ToImage(x, y);
    return TPoint{static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(kSide - p.y))};
  }
  TDPoint ModelOf(TPoint p) const { return doc.ImageToModel(p.X, kSide - p.Y); }
  // Zoom 4^k about the pixel p (k = -1, 0, 1: a quarter, one, four).
  void ZoomAbout(TPoint p, int k) {
    doc.ZoomAt(p.X, p.Y, 8 * k);
    ASSERT_DOUBLE_EQ(doc.View().Zoom(), std::pow(4.0, k));
  }
  void Drag(TPoint from, TPoint to, bool shift = false) {
    doc.PlayFieldMouseDown(shift, from.X, from.Y);
    for (int k = 1; k <= 4; ++k) {
      doc.PlayFieldMouseMove(shift, from.X + (to.X - from.X) * k / 4,
                             from.Y + (to.Y - from.Y) * k / 4);
    }
    doc.PlayFieldMouseUp(shift, to.X, to.Y);
  }
  double Scale() const { return doc.View().Scale(); }

  TStepCount steps;
};

// A maze whose roof (y = 3) lies above the design view of any field.
std::unique_ptr<TMazeList> Tall() {
  auto list = std::make_unique<TMazeList>();
  auto m = EmptyMaze("Tall");
  AddPolygon(*m, {{-2, -2}, {-2, 3}, {2, 3}, {2, -2}});
  list->Add(std::move(m));
  auto b = EmptyMaze("Small");
  AddTriangle(*b, 0, 0, 0.3);
  list->Add(std::move(b));
  return list;
}

TEST_F(ZoomTest, AMazeOpensOnTheDesignViewWhenItFitsElseFittedAndEachMazeShownChoosesAgain) {
  Open(TwoCaves());
  EXPECT_TRUE(doc.View().IsDesignView());
  doc.ZoomAt(100, 100, 3);
  EXPECT_FALSE(doc.View().IsDesignView());
  doc.MazeComboSelect(1);
  EXPECT_TRUE(doc.View().IsDesignView());

  Open(Tall());
  EXPECT_LT(doc.View().Zoom(), 1);
  // The roof is on the field, with room to spare.
  const TDPoint roof = ToImage(2, 3);
  EXPECT_LT(roof.y, kSide - 10);
  EXPECT_GT(ToImage(-2, -2).y, 10);
  doc.MazeComboSelect(1);
  EXPECT_TRUE(doc.View().IsDesignView());
  // Shown again: chosen again, not remembered.
  doc.MazeComboSelect(0);
  EXPECT_LT(doc.View().Zoom(), 1);
  // The commands: Fit Maze enlarges Cave 1's small squares, Design View goes back.
  Open(TwoCaves());
  doc.mmFitMazeClick();
  EXPECT_GT(doc.View().Zoom(), 1.5);
  doc.mmDesignViewClick();
  EXPECT_TRUE(doc.View().IsDesignView());
  doc.mmZoomInClick();
  EXPECT_DOUBLE_EQ(doc.View().Zoom(), std::exp2(0.25));
  doc.mmZoomOutClick();
  EXPECT_TRUE(doc.View().IsDesignView());  // about the middle: the very view again
}

TEST_F(ZoomTest, ZoomAndPanChangeNoByteMakeNoStepAndAreForgottenWhenTheEditorCloses) {
  auto l = TwoCaves();
  const std::string file = CollectionBytes(*l);
  Open(std::move(l));
  const std::string bytes = doc.CleanCollection();
  int announced = 0;
  struct TWatch : TEditListener {
    int& n;
    explicit TWatch(int& count) : n(count) {}
    void EditChanged(TEditAspects what) override { n += (what & ea_View) != 0; }
  } watch(announced);
  doc.AddListener(&watch);
  doc.ZoomAt(40, 400, 5);
  doc.BeginPan(100, 100);
  doc.PanTo(150, 60);
  doc.EndPan(170, 40);
  doc.ZoomAt(300, 20, -11);
  doc.mmFitMazeClick();
  doc.mmZoomInClick();
  doc.MazeComboSelect(1);
  doc.ZoomAt(1, 1, 2);
  doc.MazeComboSelect(0);
  doc.ZoomAt(500, 500, 9);
  doc.RemoveListener(&watch);
  EXPECT_GE(announced, 5);
  EXPECT_EQ(doc.CleanCollection(), bytes);
  EXPECT_TRUE(steps.names.empty());
  EXPECT_EQ(doc.StepCount(), 0);
  EXPECT_FALSE(doc.Modified());
  EXPECT_FALSE(doc.DiffersFromOpening());
  // The maze is drawn through the zoomed view while the editor is open ...
  EXPECT_EQ(Maze(0).matrix, doc.M2I());
  // ... and closing leaves the file as it was.
  ASSERT_TRUE(doc.CloseQuery(true));
  EXPECT_EQ(CollectionBytes(*list), file);
}

// The same gestures, at the same pixels, on a document that never zoomed and on one that
// zoomed, panned and went back to the design view: the same collection and the same picture.
TEST_F(ZoomTest, AtZoomOneEveryGestureGivesTheDesignViewsResultToTheLastBit) {
  const auto script = [](TEditDocument& d) {
    const auto drag = [&](int x0, int y0, int x1, int y1, bool shift) {
      d.PlayFieldMouseDown(shift, x0, y0);
      d.PlayFieldMouseMove(shift, (x0 + x1) / 2, (y0 + y1) / 2);
      d.PlayFieldMouseMove(shift, x1, y1);
      d.PlayFieldMouseUp(shift, x1, y1);
    };
    drag(175, 335, 190, 301, false);  // a corner of the first square
    drag(135, 375, 150, 391, true);   // the whole square
    drag(175, 355, 160, 355, false);  // an edge: a new corner
    d.mmSizeClick();
    drag(315, 330, 377, 330, false);
    d.mmRotateClick();
    drag(355, 170, 355, 137, false);
    d.mmDragClick();
    drag(305, 305, 290, 250, false);  // the ball at (0.5, -0.5)
    d.sPolClick();
    drag(430, 100, 430, 100, false);
    d.sGearClick();
    drag(80, 420, 80, 420, false);
    d.sBallClick();
    drag(60, 60, 60, 60, false);
    d.NudgeSelection(1, -1, true);
    d.NudgeSelection(-1, 0, false);
    d.sNewMazeClick();
    d.eMazenameChange("New");
    drag(255, 245, 270, 230, false);
    d.Redraw();
  };
  struct TRun {
    TRecordingCanvas canvas;
    TFixedSurface surface{canvas, 510, 510};
    TRecordingDialogs dialogs{mrYes};
    TEditDocument doc{dialogs};
    std::unique_ptr<TMazeList> list = TwoCaves();
    TRun() {
      doc.SetSurface(&surface);
      doc.SetMazeList(list.get());
    }
  };
  TRun plain, zoomed;
  zoomed.doc.ZoomAt(30, 70, 8);
  zoomed.doc.BeginPan(10, 10);
  zoomed.doc.EndPan(33, 3);
  zoomed.doc.mmDesignViewClick();
  plain.canvas.calls.clear();
  zoomed.canvas.calls.clear();
  script(plain.doc);
  script(zoomed.doc);
  EXPECT_GE(plain.doc.StepCount(), 10);
  EXPECT_EQ(zoomed.doc.StepCount(), plain.doc.StepCount());
  EXPECT_EQ(zoomed.doc.CleanCollection(), plain.doc.CleanCollection());
  EXPECT_EQ(zoomed.canvas.Log(), plain.canvas.Log());
}

TEST_F(ZoomTest, PicksDragsNudgesAndNewShapesKeepTheirScreenPixelsAtAQuarterOneAndFourTimes) {
  const int t = TEditDocument::PickTolerance();
  for (const int k : {-1, 0, 1}) {
    const std::string zoom = "zoom 4^" + std::to_string(k);
    Open(TwoCaves());
    TPolygon* sq = Maze(0).GetPolygon(0);  // corners (-1.2, -1.2) .. (-0.8, -0.8)
    const TPoint corner = Px(-0.8, -0.8);  // corner 2
    ZoomAbout(corner, k);
    ASSERT_EQ(Px(-0.8, -0.8).X, corner.X) << zoom;  // the point under the pointer stays
    const double s = Scale();
    // Picks: within the tolerance diagonally off the corner, and just beyond it.
    doc.SetPolygon(Maze(0).GetPolygon(1));
    const TPoint near{corner.X + t - 1, corner.Y - (t - 1)};
    doc.PlayFieldMouseDown(false, near.X, near.Y);
    doc.PlayFieldMouseUp(false, near.X, near.Y);
    EXPECT_EQ(doc.Polygon(), sq) << zoom;
    EXPECT_EQ(doc.Side(), sq->GetSide(2)) << zoom;
    doc.SetPolygon(Maze(0).GetPolygon(1));
    doc.PlayFieldMouseDown(false, corner.X + t + 2, corner.Y - (t + 2));
    doc.PlayFieldMouseUp(false, corner.X + t + 2, corner.Y - (t + 2));
    EXPECT_EQ(doc.Polygon(), Maze(0).GetPolygon(1)) << zoom;
    EXPECT_TRUE(steps.names.empty()) << zoom;
    // A corner goes where the mouse lets go, to the model point of that pixel.
    const TPoint to{corner.X + 13, corner.Y - 9};
    Drag(corner, to);
    const TDPoint at = ModelOf(to);
    EXPECT_EQ(sq->GetSide(2)->x(), at.x) << zoom;
    EXPECT_EQ(sq->GetSide(2)->y(), at.y) << zoom;
    EXPECT_NEAR(at.x, -0.8 + 13 / s, 0.5 / s) << zoom;
    // Size: 200 ln 2 pixels to the right double the size, whatever the zoom.
    const double w0 = sq->GetSide(3)->x() - sq->GetSide(0)->x();
    doc.mmSizeClick();
    Drag(Px(sq->GetSide(3)->x(), sq->GetSide(3)->y()),
         TPoint{Px(sq->GetSide(3)->x(), sq->GetSide(3)->y()).X + 139,
                Px(sq->GetSide(3)->x(), sq->GetSide(3)->y()).Y});
    const double w1 = sq->GetSide(3)->x() - sq->GetSide(0)->x();
    EXPECT_NEAR(w1, std::exp(139 / 200.0) * w0, 2 / s) << zoom;
    // Rotation: 50 pixels up turn a quarter clockwise about the middle.
    doc.mmRotateClick();
    const TDPoint a0{sq->GetSide(0)->x(), sq->GetSide(0)->y()};
    const TDPoint a1{sq->GetSide(1)->x(), sq->GetSide(1)->y()};
    const TPoint grab = Px(sq->GetSide(2)->x(), sq->GetSide(2)->y());  // on the field
    Drag(grab, TPoint{grab.X, grab.Y - 50});
    // Clockwise a quarter: the edge from corner 0 to 1 (up) now points right.
    const double ex = sq->GetSide(1)->x() - sq->GetSide(0)->x();
    const double ey = sq->GetSide(1)->y() - sq->GetSide(0)->y();
    EXPECT_NEAR(ex, a1.y - a0.y, 3 / s) << zoom;
    EXPECT_NEAR(ey, -(a1.x - a0.x), 3 / s) << zoom;
    doc.mmDragClick();
    // Nudge: one screen pixel.
    doc.SetSide(sq->GetSide(1));
    const double x0 = sq->GetSide(1)->x();
    doc.NudgeSelection(1, 0, false);
    EXPECT_NEAR(sq->GetSide(1)->x() - x0, 1 / s, 1e-12) << zoom;
    // New shapes get the design view's model size: a square's corners 50 pixels of the design
    // view (100 per unit) from where the click was.
    const TPoint empty{30, 480};
    const TDPoint c = ModelOf(empty);
    doc.sPolClick();
    doc.PlayFieldMouseDown(false, empty.X, empty.Y);
    doc.PlayFieldMouseUp(false, empty.X, empty.Y);
    const TPolygon* q = doc.Polygon();
    ASSERT_EQ(q->Count(), 4) << zoom;
    const double r = 0.5 * std::cos(std::numbers::pi / 4);
    EXPECT_NEAR(q->GetSide(0)->x() - c.x, r, 1e-12) << zoom;
    EXPECT_NEAR(q->GetSide(0)->y() - c.y, r, 1e-12) << zoom;
    doc.sGearClick();
    const TPoint empty2{480, 30};
    doc.PlayFieldMouseDown(false, empty2.X, empty2.Y);
    doc.PlayFieldMouseUp(false, empty2.X, empty2.Y);
    const TDPoint c2 = ModelOf(empty2);
    ASSERT_EQ(doc.Polygon()->Count(), 20);
    EXPECT_NEAR(doc.Polygon()->GetSide(0)->x() - c2.x, 0.5, 1e-12) << zoom;
    steps.names.clear();
  }
}

TEST_F(ZoomTest, ZoomedOutAMovedPolygonLandsOnDesignPixelsSoItKeepsItsShape) {
  Open(TwoCaves());
  const TPoint corner = Px(-0.8, -0.8);
  doc.ZoomAt(corner.X, corner.Y, -16);
  ASSERT_EQ(doc.View().Zoom(), 1.0 / 16);  // 6.25 pixels per unit: a pixel is 0.16 units
  const TPolygon& sq = *Maze(0).GetPolygon(0);
  const TDPoint c0{sq.GetSide(0)->x(), sq.GetSide(0)->y()};
  Drag(corner, TPoint{corner.X + 3, corner.Y}, /*shift=*/true);
  ASSERT_EQ(steps.names, std::vector<std::string>{"Move Polygon"});
  // 3 pixels are 0.48 units, 48 pixels of the design view; the square stays 0.4 wide.
  EXPECT_NEAR(sq.GetSide(0)->x() - c0.x, 0.48, 0.005);
  EXPECT_NEAR(sq.GetSide(0)->y(), c0.y, 0.005);
  EXPECT_NEAR(sq.GetSide(3)->x() - sq.GetSide(0)->x(), 0.4, 1e-9);
  EXPECT_NEAR(sq.GetSide(1)->y() - sq.GetSide(0)->y(), 0.4, 1e-9);
}

TEST_F(ZoomTest, PanFollowsTheMouseAndNeitherPanNorZoomMixesWithADrag) {
  Open(TwoCaves());
  const TDPoint before = ToImage(0.5, 0.5);
  doc.BeginPan(100, 100);
  EXPECT_TRUE(doc.Panning());
  EXPECT_EQ(doc.CursorAt(false, 100, 100), TEditCursor::Pan);
  doc.PanTo(130, 80);
  // A press of a gesture while panning does nothing.
  doc.PlayFieldMouseDown(false, 175, 335);
  EXPECT_FALSE(doc.Dragging());
  doc.EndPan(140, 90);
  EXPECT_FALSE(doc.Panning());
  const TDPoint after = ToImage(0.5, 0.5);
  EXPECT_NEAR(after.x - before.x, 40, 1e-9);
  EXPECT_NEAR(after.y - before.y, 10, 1e-9);  // 10 pixels up on the screen
  EXPECT_TRUE(steps.names.empty());
  // During a drag the view stays: the preview is in its pixels.
  const TPoint corner = Px(-0.8, -0.8);
  doc.PlayFieldMouseDown(false, corner.X, corner.Y);
  ASSERT_TRUE(doc.Dragging());
  const tmat2d view = doc.M2I();
  doc.ZoomAt(corner.X, corner.Y, 3);
  doc.mmFitMazeClick();
  doc.BeginPan(corner.X, corner.Y);
  doc.PanTo(corner.X + 50, corner.Y);
  EXPECT_FALSE(doc.Panning());
  EXPECT_EQ(doc.M2I(), view);
  doc.PlayFieldMouseUp(false, corner.X + 20, corner.Y);
  EXPECT_EQ(steps.names, std::vector<std::string>{"Move Point"});
}

TEST_F(ZoomTest, TheGridFollowsTheViewAndSkipsLinesCloserThanFivePixels) {
  Open(TwoCaves());
  doc.SetGridOn(true);
  doc.SetGridStep(0.1);  // 10 pixels in the design view
  struct TCase {
    int k;  // zoom 4^k
    bool drawn;
  };
  for (const TCase c : {TCase{-1, false}, TCase{0, true}, TCase{1, true}}) {
    doc.mmDesignViewClick();
    ZoomAbout(TPoint{200, 300}, c.k);
    canvas.calls.clear();
    doc.Redraw();
    std::vector<int> xs;
    // The vertical lines: from (x, 0) to (x, the field's height).
    for (const TCanvasCall& call : canvas.calls) {
      if (call.op == "LineTo" && call.pen.Color == doc.GridColor() && call.args[1] == kSide) {
        xs.push_back(call.args[0]);
      }
    }
    EXPECT_EQ(!xs.empty(), c.drawn) << c.k;
    // Each vertical line at a whole multiple of the step, as the view maps it.
    for (int x : xs) {
      const double mx = doc.ImageToModel(x, 0).x;
      EXPECT_NEAR(mx * 10, std::round(mx * 10), 10 * 0.5 / Scale()) << c.k << " at " << x;
    }
    if (c.drawn) {
      EXPECT_NEAR(xs.size(), kSide / (0.1 * Scale()), 1.5) << c.k;
    }
  }
}

}  // namespace
