// The snapping grid without widgets: the grid points, what lands on them while the grid is on
// (new shapes, dragged corners, balls and reference points, moved polygons) and what the
// previews show, that with the grid off every gesture gives the very bits it gives without a
// grid, that the grid is view state (no step), and its picture under the maze.
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

#include "edit_fixture.h"

namespace {

class GridTest : public EditDocTest {
 protected:
  // The screen pixel (y down) nearest to a model point on the 510 x 510 field.
  static TPoint Px(double x, double y) {
    return TPoint{static_cast<int>(std::lround(255 + 100 * x)),
                  static_cast<int>(std::lround(255 - 100 * y))};
  }
  static TPoint Off(TPoint p, int dx, int dy) { return TPoint{p.X + dx, p.Y + dy}; }
  static void Drag(TEditDocument& d, TPoint from, TPoint to, bool shift = false) {
    d.PlayFieldMouseDown(shift, from.X, from.Y);
    for (int k = 1; k <= 4; ++k) {
      d.PlayFieldMouseMove(shift, from.X + (to.X - from.X) * k / 4,
                           from.Y + (to.Y - from.Y) * k / 4);
    }
    d.PlayFieldMouseUp(shift, to.X, to.Y);
  }
  void GridOn(double step) {
    doc.SetGridStep(step);
    doc.SetGridOn(true);
  }
};

// Two points are the same when their bits are.
void ExpectSame(const TDPoint& got, double x, double y) {
  EXPECT_EQ(got.x, x);
  EXPECT_EQ(got.y, y);
  EXPECT_EQ(std::signbit(got.x), std::signbit(x));
  EXPECT_EQ(std::signbit(got.y), std::signbit(y));
}

TEST(GridPointTest, TheNearestMultipleOfTheStepAsTheDecimalNumberItIs) {
  struct TCase {
    double step;
    double x, y;
    double gx, gy;
  };
  const TCase cases[] = {
      {0.1, 0.37, -0.62, 0.4, -0.6},    // 0.37 / 0.1 is a hair below 3.7
      {0.1, 0.3, 2.5, 0.3, 2.5},        // on the grid already (0.3, not 3 x 0.1)
      {0.1, -1.234, 2.551, -1.2, 2.6},  //
      {0.1, -0.02, -0.04, 0, 0},        // just left of and below the origin: +0, not -0
      {0.25, 0.37, -0.62, 0.25, -0.5},  //
      {0.25, -0.13, 0.88, -0.25, 1},    //
      {0.05, 1.234, -0.026, 1.25, -0.05},
      {0.3, 0.5, -0.5, 0.6, -0.6},  // a step that 1 is not a multiple of
      {1, -2.4, 0.49, -2, 0},       //
      {0.01, 0.12345, -3.14159, 0.12, -3.14},
      {0.1, 1e12 + 0.04, -1e12, 1e12, -1e12},  // far out the product is not exact: k x step
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " by " << c.step);
    ExpectSame(TEditDocument::GridPoint(TDPoint{c.x, c.y}, c.step), c.gx, c.gy);
  }
  const double inf = std::numeric_limits<double>::infinity();
  const TDPoint odd = TEditDocument::GridPoint(TDPoint{inf, std::nan("")}, 0.1);
  EXPECT_EQ(odd.x, inf);
  EXPECT_TRUE(std::isnan(odd.y));
}

TEST_F(GridTest, OffByDefaultAndTheStepIsKeptInRangeInWholeMillionths) {
  Open(TwoCaves());
  EXPECT_FALSE(doc.GridOn());
  EXPECT_EQ(doc.GridStep(), TEditDocument::kGridStepDefault);
  struct TCase {
    double step;
    double kept;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const TCase cases[] = {
      {0.25, 0.25},
      {0.001, TEditDocument::kMinGridStep},
      {-1, TEditDocument::kMinGridStep},
      {5, TEditDocument::kMaxGridStep},
      {inf, TEditDocument::kMaxGridStep},
      {0.1234567, 0.123457},
      {std::nan(""), 0.123457},  // not a number: the step stays
  };
  for (const TCase& c : cases) {
    doc.SetGridStep(c.step);
    EXPECT_EQ(doc.GridStep(), c.kept) << c.step;
  }
}

TEST_F(GridTest, SwitchingTheGridOrItsStepIsNoStepButRedrawsWhileItIsShown) {
  Open(TwoCaves());
  struct TListener : TEditListener {
    void EditChanged(TEditAspects what) override { heard.push_back(what); }
    std::vector<TEditAspects> heard;
  } listener;
  doc.AddListener(&listener);
  const std::string before = doc.CleanCollection();
  doc.SetGridStep(0.5);  // off: nothing to draw
  doc.SetGridOn(true);
  doc.SetGridStep(0.2);
  doc.SetGridOn(true);  // as it is: nothing at all
  doc.SetGridOn(false);
  doc.RemoveListener(&listener);
  EXPECT_EQ(listener.heard,
            (std::vector<TEditAspects>{ea_Controls, ea_Tools | ea_Redraw, ea_Controls | ea_Redraw,
                                       ea_Tools | ea_Redraw}));
  EXPECT_EQ(doc.StepCount(), 0);
  EXPECT_FALSE(doc.DiffersFromOpening());
  EXPECT_EQ(doc.CleanCollection(), before);
}

// What lands where, for the mouse at a pixel: where the thing ended up.
struct TLanding {
  const char* what;
  double step;
  std::function<void(TEditDocument&)> setup;
  TPoint press, release;
  std::function<TDPoint(TEditDocument&, TMaze&)> where;
  TDPoint expected;
  double tolerance = 0;  // 0: the very bits
};

std::vector<TLanding> LandingCases() {
  const auto px = [](double x, double y) {
    return TPoint{static_cast<int>(std::lround(255 + 100 * x)),
                  static_cast<int>(std::lround(255 - 100 * y))};
  };
  const auto none = [](TEditDocument&) {};
  const auto centre_of_last = [](TEditDocument&, TMaze& m) {
    const TPolygon& p = *m.GetPolygon(m.Count() - 1);
    double sx = 0, sy = 0;
    for (int i = 0; i < p.Count(); ++i) {
      sx += p.GetSide(i)->x();
      sy += p.GetSide(i)->y();
    }
    return TDPoint{sx / p.Count(), sy / p.Count()};
  };
  const auto last_ball = [](TEditDocument&, TMaze& m) {
    const TBall& b = *m.balllist->GetBall(m.balllist->Count() - 1);
    return TDPoint{b.matrix.mat[0][2], b.matrix.mat[1][2]};
  };
  const auto first_ball = [](TEditDocument&, TMaze& m) {
    const TBall& b = *m.balllist->GetBall(0);
    return TDPoint{b.matrix.mat[0][2], b.matrix.mat[1][2]};
  };
  const auto corner = [](TEditDocument& d, TMaze&) {
    return TDPoint{d.Side()->x(), d.Side()->y()};
  };
  const auto rotation_centre = [](TEditDocument&, TMaze& m) {
    const TRotate* r = m.GetPolygon(2)->Rot();
    return TDPoint{r->rx(), r->ry()};
  };
  const auto rotate_third = [](TEditDocument& d) {
    d.SetPolygon(d.Maze()->GetPolygon(2));
    d.sAutoRotClick();
  };
  // A translation of the first square from (-0.5, 0.5) to (0.5, 0.5), no balls about.
  const auto translate_first = [](TEditDocument& d) {
    d.SetPolygon(d.Maze()->GetPolygon(0));
    d.sAutoTransClick();
    TTrans* t = d.Maze()->GetPolygon(0)->Trans();
    t->refpt.x = -0.5;
    t->refpt.y = 0.5;
    t->x1 = 1.0;
    t->y1 = 0;
    d.sdelballsClick();
  };
  const auto translation_end = [](TEditDocument&, TMaze& m) {
    const TTrans* t = m.GetPolygon(0)->Trans();
    return TDPoint{t->refpt.x + t->x1, t->refpt.y + t->y1};
  };
  const auto tool = [](void (TEditDocument::*set)(bool)) {
    return [set](TEditDocument& d) { (d.*set)(true); };
  };
  const TPoint empty = px(-1.63, 0.87);
  const TPoint empty2 = px(1.37, -1.62);
  return {
      {"new polygon",
       0.25,
       tool(&TEditDocument::SetAddPol),
       empty,
       empty,
       centre_of_last,
       {-1.75, 0.75},
       1e-12},
      {"new polygon, step 0.1",
       0.1,
       tool(&TEditDocument::SetAddPol),
       empty2,
       empty2,
       centre_of_last,
       {1.4, -1.6},
       1e-12},
      {"new gear",
       0.5,
       tool(&TEditDocument::SetAddGear),
       empty,
       empty,
       centre_of_last,
       {-1.5, 1},
       1e-12},
      {"new ball", 0.25, tool(&TEditDocument::SetDoBall), empty, empty, last_ball, {-1.75, 0.75}},
      {"new ball, step 0.3",
       0.3,
       tool(&TEditDocument::SetDoBall),
       empty2,
       empty2,
       last_ball,
       {1.5, -1.5}},
      {"corner", 0.25, none, px(-0.8, -0.8), px(-0.37, -0.13), corner, {-0.25, -0.25}},
      {"corner, step 0.1", 0.1, none, px(-0.8, -0.8), px(-1.63, -0.47), corner, {-1.6, -0.5}},
      {"corner onto a grid point", 0.5, none, px(-0.8, -0.8), px(-1.5, 0.5), corner, {-1.5, 0.5}},
      {"corner put on an edge", 0.2, none, px(-1, -0.8), px(-1.13, -0.47), corner, {-1.2, -0.4}},
      {"ball", 0.25, none, px(0.5, -0.5), px(0.13, -0.87), first_ball, {0.25, -0.75}},
      {"ball, step 0.05", 0.05, none, px(0.5, -0.5), px(-0.32, -1.01), first_ball, {-0.3, -1}},
      {"reference point",
       0.25,
       rotate_third,
       px(1, 1),
       px(1.37, 0.62),
       rotation_centre,
       {1.25, 0.5}},
      {"translation end",
       0.25,
       translate_first,
       px(0.5, 0.5),
       px(0.87, 0.13),
       translation_end,
       {0.75, 0.25},
       1e-12},
  };
}

TEST_F(GridTest, WithTheGridOnNewShapesAndDraggedThingsLandOnGridPoints) {
  for (const TLanding& c : LandingCases()) {
    SCOPED_TRACE(c.what);
    Open(TwoCaves());
    c.setup(doc);
    GridOn(c.step);
    const int steps = doc.StepCount();
    Drag(doc, c.press, c.release);
    EXPECT_GT(doc.StepCount(), steps);
    const TDPoint at = c.where(doc, Maze(0));
    if (c.tolerance == 0) {
      ExpectSame(at, c.expected.x, c.expected.y);
    } else {
      EXPECT_NEAR(at.x, c.expected.x, c.tolerance);
      EXPECT_NEAR(at.y, c.expected.y, c.tolerance);
    }
  }
}

TEST_F(GridTest, ANewPolygonOnTheGridIsTheRegularPolygonAboutTheGridPoint) {
  Open(TwoCaves());
  GridOn(0.25);
  doc.sPolClick();
  const TPoint at = Px(-1.63, 0.87);
  doc.PlayFieldMouseDown(false, at.X, at.Y);
  const TPolygon& made = *Maze(0).GetPolygon(Maze(0).Count() - 1);
  const std::unique_ptr<TPolygon> want =
      doc.CreateRegularPolygon(doc.Controls().ePolN, -1.75, 0.75);
  ASSERT_EQ(made.Count(), want->Count());
  for (int i = 0; i < made.Count(); ++i) {
    EXPECT_EQ(made.GetSide(i)->x(), want->GetSide(i)->x()) << i;
    EXPECT_EQ(made.GetSide(i)->y(), want->GetSide(i)->y()) << i;
  }
}

TEST_F(GridTest, AMovedPolygonPutsTheGrabbedCornerOnAGridPointAndKeepsItsShape) {
  struct TCase {
    const char* what;
    double step;
    TPoint grab;  // a corner, or an edge (which takes a corner first)
    TPoint release;
    double gx, gy;  // where the grabbed corner lands
  };
  const TCase cases[] = {
      {"by a corner", 0.25, Px(-0.8, -0.8), Px(-0.41, 0.37), -0.5, 0.25},
      {"by a corner, step 0.1", 0.1, Px(-0.8, -0.8), Px(0.76, -1.97), 0.8, -2},
      {"by an edge", 0.25, Px(-1, -0.8), Px(-1.13, 0.12), -1.25, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open(TwoCaves());
    GridOn(c.step);
    doc.PlayFieldMouseDown(true, c.grab.X, c.grab.Y);
    TPolygon* p = doc.Polygon();
    const int grabbed = p->IndexOf(doc.Side());
    std::vector<TDPoint> before;
    for (int i = 0; i < p->Count(); ++i) before.push_back({p->GetSide(i)->x(), p->GetSide(i)->y()});
    const int steps = doc.StepCount();
    doc.PlayFieldMouseMove(true, c.release.X - 17, c.release.Y + 5);
    doc.PlayFieldMouseMove(true, c.release.X, c.release.Y);
    // The preview shows the polygon where the release puts it.
    double sx = doc.DragPoints()[grabbed].x, sy = doc.DragPoints()[grabbed].y;
    doc.DragMat().Transform(sx, sy);
    EXPECT_NEAR(sx, 255 + 100 * c.gx, 1e-9);
    EXPECT_NEAR(sy, 255 - 100 * c.gy, 1e-9);
    doc.PlayFieldMouseUp(true, c.release.X, c.release.Y);
    ASSERT_EQ(doc.StepCount(), steps + 1);
    EXPECT_EQ(doc.LastStep().name, "Move Polygon");
    ASSERT_EQ(p->Count(), static_cast<int>(before.size()));
    ExpectSame(TDPoint{p->GetSide(grabbed)->x(), p->GetSide(grabbed)->y()}, c.gx, c.gy);
    const double dx = c.gx - before[grabbed].x, dy = c.gy - before[grabbed].y;
    for (int i = 0; i < p->Count(); ++i) {
      EXPECT_NEAR(p->GetSide(i)->x(), before[i].x + dx, 1e-12) << i;
      EXPECT_NEAR(p->GetSide(i)->y(), before[i].y + dy, 1e-12) << i;
    }
  }
}

TEST_F(GridTest, ThePreviewsShowTheSnappedPlaceAndOnlyThePreviewIsDrawnWhileDragging) {
  Open(TwoCaves());
  doc.SetPolygon(Maze(0).GetPolygon(2));
  doc.sAutoRotClick();
  GridOn(0.25);
  const TPoint to = Px(0.13, -0.87);  // snaps to (0.25, -0.75): pixel (280, 330)
  // A corner: its point in the preview.
  doc.PlayFieldMouseDown(false, Px(-0.8, -0.8).X, Px(-0.8, -0.8).Y);
  canvas.calls.clear();
  doc.PlayFieldMouseMove(false, to.X, to.Y);
  EXPECT_EQ(doc.DragPoints()[1].x, 280);
  EXPECT_EQ(doc.DragPoints()[1].y, 330);
  const auto lines = canvas.CallsOf("LineTo");
  ASSERT_EQ(lines.size(), 4u);  // erased and drawn again: the grid is not redrawn
  EXPECT_EQ(lines[2].Describe(), "LineTo 280 330");
  EXPECT_TRUE(canvas.CallsOf("FillRect").empty());
  doc.PlayFieldMouseUp(false, Px(-0.8, -0.8).X, Px(-0.8, -0.8).Y);  // a click: nothing moves
  // A ball: the preview circle about the grid point.
  doc.PlayFieldMouseDown(false, Px(0.5, -0.5).X, Px(0.5, -0.5).Y);
  canvas.calls.clear();
  doc.PlayFieldMouseMove(false, to.X, to.Y);
  const auto circles = canvas.CallsOf("Polygon");
  ASSERT_EQ(circles.size(), 2u);
  double cx = 0, cy = 0;
  for (const TPoint& q : circles[1].points) {
    cx += q.X;
    cy += q.Y;
  }
  EXPECT_NEAR(cx / circles[1].points.size(), 280, 1);
  EXPECT_NEAR(cy / circles[1].points.size(), 330, 1);
  doc.PlayFieldMouseUp(false, Px(0.5, -0.5).X, Px(0.5, -0.5).Y);
  // A reference point: the cross on the grid point.
  doc.PlayFieldMouseDown(false, Px(1, 1).X, Px(1, 1).Y);
  canvas.calls.clear();
  doc.PlayFieldMouseMove(false, to.X, to.Y);
  const auto moves = canvas.CallsOf("MoveTo");
  ASSERT_EQ(moves.size(), 4u);
  EXPECT_EQ(moves[2].Describe(), "MoveTo 277 330");
  EXPECT_EQ(moves[3].Describe(), "MoveTo 280 327");
}

// A collection's every coordinate, as the exact bits ("%a").
std::string Coordinates(const TMazeList& l) {
  std::string out;
  char buf[64];
  const auto put = [&](double v) {
    std::snprintf(buf, sizeof buf, "%a ", v);
    out += buf;
  };
  for (int mi = 0; mi < l.Count(); ++mi) {
    const TMaze& m = *l.GetMaze(mi);
    for (int pi = 0; pi < m.Count(); ++pi) {
      const TPolygon& p = *m.GetPolygon(pi);
      for (int i = 0; i < p.Count(); ++i) {
        put(p.GetSide(i)->x());
        put(p.GetSide(i)->y());
      }
      if (const TTrafList* t = p.TrafList()) {
        for (int k = 0; k < t->Count(); ++k) {
          put(t->GetTraf(k)->rx());
          put(t->GetTraf(k)->ry());
        }
      }
      out += "\n";
    }
    for (int b = 0; b < m.balllist->Count(); ++b) {
      put(m.balllist->GetBall(b)->matrix.mat[0][2]);
      put(m.balllist->GetBall(b)->matrix.mat[1][2]);
    }
    out += "\n";
  }
  return out;
}

// A document of its own, for comparing gestures between documents.
struct TDesk {
  TRecordingCanvas canvas;
  TFixedSurface surface{canvas, 510, 510};
  TRecordingDialogs dialogs{mrYes};
  TEditDocument doc{dialogs};
  std::unique_ptr<TMazeList> list = TwoCaves();
  TDesk() {
    doc.SetSurface(&surface);
    doc.SetMazeList(list.get());
    doc.SetPolygon(list->GetMaze(0)->GetPolygon(2));
    doc.sAutoRotClick();
  }
};

TEST_F(GridTest, WithTheGridOffEveryGestureGivesTheSameBitsAsWithoutAGrid) {
  struct TCase {
    const char* what;
    std::function<void(TEditDocument&)> gesture;
    bool snaps;  // whether the grid, when on, changes the result
  };
  const auto drag = [](TPoint from, TPoint to, bool shift = false, TDragType type = dt_translate) {
    return [=](TEditDocument& d) {
      d.SetDragType(type);
      Drag(d, from, to, shift);
    };
  };
  const auto place = [](void (TEditDocument::*click)(), TPoint at) {
    return [=](TEditDocument& d) {
      (d.*click)();
      d.PlayFieldMouseDown(false, at.X, at.Y);
      d.PlayFieldMouseUp(false, at.X, at.Y);
    };
  };
  const TPoint corner = Px(-0.8, -0.8);
  const std::vector<TCase> cases = {
      {"new polygon", place(&TEditDocument::sPolClick, Px(-1.63, 0.87)), true},
      {"new gear", place(&TEditDocument::sGearClick, Px(-1.63, 0.87)), true},
      {"new ball", place(&TEditDocument::sBallClick, Px(-1.63, 0.87)), true},
      {"corner", drag(corner, Px(-0.37, -0.13)), true},
      {"corner on an edge", drag(Px(-1, -0.8), Px(-1.13, -0.51)), true},
      {"polygon", drag(corner, Px(-0.41, 0.37), true), true},
      {"ball", drag(Px(0.5, -0.5), Px(0.13, -0.87)), true},
      {"reference point", drag(Px(1, 1), Px(1.37, 0.62)), true},
      {"resize", drag(corner, Off(corner, 37, 3), false, dt_size), false},
      {"rotate", drag(corner, Off(corner, 2, -23), false, dt_rotate), false},
      {"nudge", [](TEditDocument& d) { d.FormKeyDown(TEditKey::Left, false); }, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TDesk plain, toggled, on;
    toggled.doc.SetGridStep(0.25);
    toggled.doc.SetGridOn(true);
    toggled.doc.SetGridOn(false);
    on.doc.SetGridStep(0.25);
    on.doc.SetGridOn(true);
    plain.canvas.calls.clear();
    toggled.canvas.calls.clear();
    c.gesture(plain.doc);
    c.gesture(toggled.doc);
    c.gesture(on.doc);
    EXPECT_EQ(Coordinates(*toggled.list), Coordinates(*plain.list));
    EXPECT_EQ(toggled.doc.CleanCollection(), plain.doc.CleanCollection());
    EXPECT_EQ(toggled.canvas.Log(), plain.canvas.Log()) << "the same picture and previews";
    if (c.snaps) {
      EXPECT_NE(Coordinates(*on.list), Coordinates(*plain.list)) << "the case should snap";
    } else {
      EXPECT_EQ(Coordinates(*on.list), Coordinates(*plain.list)) << "the grid does not apply";
    }
  }
}

TEST_F(GridTest, WithTheGridOffThingsLandWhereTheMouseIs) {
  // The mouse's own model point, not rounded to a pixel or to anything else.
  for (const TLanding& c : LandingCases()) {
    SCOPED_TRACE(c.what);
    Open(TwoCaves());
    c.setup(doc);
    doc.SetGridStep(c.step);
    doc.SetGridOn(true);
    doc.SetGridOn(false);
    Drag(doc, c.press, c.release);
    const TDPoint mouse = doc.ImageToModel(c.release.X, 510 - c.release.Y);
    const TDPoint at = c.where(doc, Maze(0));
    if (c.tolerance == 0) {
      ExpectSame(at, mouse.x, mouse.y);
    } else {
      EXPECT_NEAR(at.x, mouse.x, c.tolerance);
      EXPECT_NEAR(at.y, mouse.y, c.tolerance);
    }
  }
}

TEST_F(GridTest, SwitchingTheGridDuringADragDropsIt) {
  const std::function<void(TEditDocument&)> switches[] = {
      [](TEditDocument& d) { d.SetGridOn(!d.GridOn()); },
      [](TEditDocument& d) { d.SetGridStep(0.5); },
  };
  for (bool on : {false, true}) {
    for (const auto& change : switches) {
      SCOPED_TRACE(testing::Message() << "grid " << on << ", change " << &change - switches);
      Open(TwoCaves());
      doc.SetGridStep(0.1);
      doc.SetGridOn(on);
      const std::string before = doc.CleanCollection();
      const TPoint from = Px(-0.8, -0.8);
      doc.PlayFieldMouseDown(true, from.X, from.Y);
      doc.PlayFieldMouseMove(true, from.X + 40, from.Y + 20);
      change(doc);
      const bool dropped = !doc.Dragging();
      doc.PlayFieldMouseUp(true, from.X + 40, from.Y + 20);
      // The step of a grid that is off changes no snapping: that drag goes on.
      if (on || &change == &switches[0]) {
        EXPECT_TRUE(dropped);
        EXPECT_EQ(doc.CleanCollection(), before);
      } else {
        EXPECT_FALSE(dropped);
        EXPECT_NE(doc.CleanCollection(), before);
      }
    }
  }
}

TEST_F(GridTest, TheGridLiesOverTheBackgroundAndTheFillsButUnderOutlinesHandlesAndBalls) {
  Open(TwoCaves());
  doc.cbackgroundChange(0x000000);
  canvas.calls.clear();
  doc.Redraw();
  const std::vector<TCanvasCall> plain = canvas.calls;
  const std::string bytes = doc.CleanCollection();
  GridOn(0.25);  // 25 pixels: lines at 5, 30, ..., 505 both ways
  canvas.calls.clear();
  doc.Redraw();
  const auto& calls = canvas.calls;
  // First the very picture without the grid (the maze's own background and the fills) ...
  ASSERT_GT(calls.size(), plain.size());
  EXPECT_EQ(plain[1].Describe(), "Rectangle 0 0 510 510");
  for (std::size_t k = 0; k < plain.size(); ++k) {
    EXPECT_EQ(calls[k].Describe(), plain[k].Describe()) << k;
    EXPECT_EQ(calls[k].brush, plain[k].brush) << k;
  }
  // ... then the grid lines, faint and in the copy mode ...
  std::vector<std::string> grid;
  std::size_t i = plain.size();
  for (; i < calls.size() && calls[i].pen.Color == doc.GridColor() &&
         (calls[i].op == "MoveTo" || calls[i].op == "LineTo");
       ++i) {
    if (calls[i].op == "LineTo") grid.push_back(calls[i].Describe());
    EXPECT_EQ(calls[i].pen.Mode, TPenMode::pmCopy);
  }
  ASSERT_EQ(grid.size(), 42u);
  EXPECT_EQ(grid.front(), "LineTo 5 510");
  EXPECT_EQ(grid[10], "LineTo 255 510");
  EXPECT_EQ(grid[20], "LineTo 505 510");
  EXPECT_EQ(grid[21], "LineTo 510 505");  // y = -2.5, at the bottom
  EXPECT_EQ(grid.back(), "LineTo 510 5");
  // ... and the maze once more over them, less the field's fill and its background: the same
  // outlines, edges, handles and balls, the polygons with a clear brush.
  const std::vector<TCanvasCall> again(calls.begin() + static_cast<long>(i), calls.end());
  ASSERT_EQ(again.size(), plain.size() - 2);
  int cleared = 0;
  for (std::size_t k = 0; k < again.size(); ++k) {
    const TCanvasCall& was = plain[k + 2];
    EXPECT_EQ(again[k].Describe(), was.Describe()) << k;
    EXPECT_EQ(again[k].pen, was.pen) << k;
    if (again[k].brush != was.brush) {
      EXPECT_EQ(again[k].op, "Polygon");
      EXPECT_EQ(again[k].brush.Style, bsClear);
      ++cleared;
    }
  }
  EXPECT_EQ(cleared, Maze(0).Count());
  // The maze's own state is back.
  EXPECT_EQ(Maze(0).bkgrnd, nullptr);
  EXPECT_EQ(doc.CleanCollection(), bytes);
  // Off, the picture is the one without a grid.
  doc.SetGridOn(false);
  canvas.calls.clear();
  doc.Redraw();
  EXPECT_EQ(canvas.Log(), [&] {
    TRecordingCanvas copy;
    copy.calls = plain;
    return copy.Log();
  }());
}

TEST_F(GridTest, TheGridColourStaysFaintOnDarkAndLightBackgroundsAndTooFineAGridIsNotDrawn) {
  Open(TwoCaves());
  struct TCase {
    TColor background;
    TColor grid;
  };
  const TCase colours[] = {{0x000000, 0x333333}, {0xFFFFFF, 0xCCCCCC}, {0x800000, 0xB33333}};
  for (const TCase& c : colours) {
    doc.cbackgroundChange(c.background);
    EXPECT_EQ(doc.GridColor(), c.grid) << std::hex << c.background;
  }
  // 0.04 model units are 4 pixels here: too close to draw; 0.05 are 5.
  doc.SetGridOn(true);
  for (double step : {0.04, 0.05}) {
    doc.SetGridStep(step);
    canvas.calls.clear();
    doc.Redraw();
    int grid_lines = 0;
    for (const TCanvasCall& c : canvas.calls) {
      grid_lines += c.op == "LineTo" && c.pen.Color == doc.GridColor();
    }
    EXPECT_EQ(grid_lines, step < 0.05 ? 0 : 2 * 102) << step;  // 0, 5, ..., 505
    EXPECT_FALSE(canvas.CallsOf("Polygon").empty()) << "the maze is drawn all the same";
  }
}

}  // namespace
