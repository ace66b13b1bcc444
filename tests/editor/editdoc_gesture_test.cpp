// The mouse gestures of the document without widgets: what each drag changes and in which one
// step, that only the preview is drawn while it lasts, the translation's two ends, the clean-up
// of corners run together, and drags cut short by commands, a second press or the field's edge.
// (The shapes, the picks and the pixels are tested with real mouse events in tests/editor/window.)
#include <cmath>
#include <functional>

#include "edit_fixture.h"

namespace {

// Sees every step; at its beginning it writes the records of the polygons the step names, as
// the undo history will (writing a translation clears its FRef2).
class TStepLog : public TEditStepObserver {
 public:
  void StepBegin(TEditDocument& d, const TEditStepInfo& step) override {
    for (const TTouched& t : step.touches) {
      if (t.what != TTouch::Polygon || !d.Maze()) continue;
      if (const TPolygon* p = d.Maze()->GetPolygon(t.index)) {
        TTextWriter w;
        p->SaveToF(w);
      }
    }
  }
  void StepEnd(TEditDocument&, const TEditStepInfo& step) override { steps.push_back(step); }
  std::vector<std::string> Names() const {
    std::vector<std::string> v;
    for (const auto& s : steps) v.push_back(s.name);
    return v;
  }
  std::vector<TEditStepInfo> steps;
};

class GestureTest : public EditDocTest {
 protected:
  void SetUp() override {
    EditDocTest::SetUp();
    doc.SetStepObserver(&log);
  }
  // The screen pixel (y down) nearest to a model point on the 510 x 510 field.
  static TPoint Px(double x, double y) {
    return TPoint{static_cast<int>(std::lround(255 + 100 * x)),
                  static_cast<int>(std::lround(255 - 100 * y))};
  }
  static TPoint Off(TPoint p, int dx, int dy) { return TPoint{p.X + dx, p.Y + dy}; }
  void Press(TPoint p, bool shift = false) { doc.PlayFieldMouseDown(shift, p.X, p.Y); }
  void Move(TPoint p) { doc.PlayFieldMouseMove(false, p.X, p.Y); }
  void Release(TPoint p) { doc.PlayFieldMouseUp(false, p.X, p.Y); }
  // Press, a few moves on the way, release.
  void Drag(TPoint from, TPoint to, bool shift = false) {
    Press(from, shift);
    for (int k = 1; k <= 4; ++k) {
      Move(TPoint{from.X + (to.X - from.X) * k / 4, from.Y + (to.Y - from.Y) * k / 4});
    }
    Release(to);
  }
  // The model point of a screen pixel.
  static TDPoint ModelOf(TPoint p) { return TDPoint{(p.X - 255) / 100.0, (255 - p.Y) / 100.0}; }
  std::string Bytes() { return doc.CleanCollection(); }

  TStepLog log;
};

// Cave 1 of TwoCaves with a rotation about the middle of its third square, (1, 1).
void AddRotationToThirdSquare(TEditDocument& doc, TMaze& m) {
  doc.SetPolygon(m.GetPolygon(2));
  doc.sAutoRotClick();
}

TEST_F(GestureTest, EveryDragIsOneStepNamingWhatItChanged) {
  struct TCase {
    const char* what;
    TDragType type;
    bool shift;
    TPoint from;
    TPoint to;
    const char* step;
    TTouched touch;
  };
  const TPoint corner = Px(-0.8, -0.8);  // corner 2 of the first square
  const TCase cases[] = {
      {"corner", dt_translate, false, corner, Off(corner, 30, 7), "Move Point",
       TTouched::Of(TTouch::Polygon, 0, 0)},
      {"polygon", dt_translate, true, corner, Off(corner, -9, 20), "Move Polygon",
       TTouched::Of(TTouch::Polygon, 0, 0)},
      {"size", dt_size, false, corner, Off(corner, 40, 0), "Resize Polygon",
       TTouched::Of(TTouch::Polygon, 0, 0)},
      {"rotation", dt_rotate, false, corner, Off(corner, 0, -20), "Rotate Polygon",
       TTouched::Of(TTouch::Polygon, 0, 0)},
      {"ball", dt_translate, false, Px(0.5, -0.5), Px(0.1, -0.3), "Move Ball",
       TTouched::Of(TTouch::Ball, 0, 0)},
      {"reference point", dt_size, false, Px(1, 1), Px(1.3, 0.6), "Move Reference Point",
       TTouched::Of(TTouch::Polygon, 0, 2)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open(TwoCaves());
    AddRotationToThirdSquare(doc, Maze(0));
    doc.SetDragType(c.type);
    const std::string before = Bytes();
    log.steps.clear();
    Drag(c.from, c.to, c.shift);
    EXPECT_FALSE(doc.Dragging());
    ASSERT_EQ(log.Names(), std::vector<std::string>{c.step}) << "one step for the whole drag";
    EXPECT_EQ(log.steps[0].touches, std::vector{c.touch});
    EXPECT_NE(Bytes(), before);
    EXPECT_TRUE(doc.SelectionValid());
  }
}

TEST_F(GestureTest, WhileDraggingOnlyThePreviewIsDrawnAndTheReleaseRedrawsOnce) {
  struct TCase {
    const char* what;
    bool shift;
    TPoint from;
    const char* op;  // what one preview image is made of
    int per_image;   // calls of that op in one image
    TPenMode mode;
  };
  const TCase cases[] = {
      {"corner", false, Px(-0.8, -0.8), "LineTo", 2, TPenMode::pmNotXor},
      {"polygon", true, Px(-0.8, -0.8), "LineTo", 4, TPenMode::pmNotXor},
      {"ball", false, Px(0.5, -0.5), "Polygon", 1, TPenMode::pmXor},
      {"reference point", false, Px(1, 1), "LineTo", 2, TPenMode::pmXor},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open(TwoCaves());
    AddRotationToThirdSquare(doc, Maze(0));
    canvas.calls.clear();
    Press(c.from, c.shift);
    EXPECT_EQ(canvas.CallsOf(c.op).size(), static_cast<std::size_t>(c.per_image))
        << "the press draws the preview once";
    for (int k = 1; k <= 3; ++k) {
      canvas.calls.clear();
      Move(Off(c.from, 6 * k, 3 * k));
      EXPECT_TRUE(canvas.CallsOf("FillRect").empty()) << "no redraw while dragging";
      const auto drawn = canvas.CallsOf(c.op);
      EXPECT_EQ(drawn.size(), static_cast<std::size_t>(2 * c.per_image)) << "erase, then draw";
      for (const TCanvasCall& call : drawn) EXPECT_EQ(call.pen.Mode, c.mode);
      // Nothing else but the preview's own moves.
      for (const TCanvasCall& call : canvas.calls) {
        EXPECT_TRUE(call.op == c.op || call.op == "MoveTo") << call.Describe();
      }
    }
    EXPECT_EQ(canvas.Pen.Mode, TPenMode::pmCopy) << "the pen mode is put back";
    canvas.calls.clear();
    Release(Off(c.from, 18, 9));
    EXPECT_EQ(canvas.CallsOf("FillRect").size(), 1u) << "one redraw at the release";
  }
}

TEST_F(GestureTest, AClickSelectsButMovesNothing) {
  struct TCase {
    const char* what;
    TDragType type;
    bool shift;
    TPoint at;
  };
  // The corner (0.25, 0.6) lies between pixels: a drag would put it on one.
  const TCase cases[] = {
      {"corner", dt_translate, false, Px(0.6, 0.6)},
      {"polygon", dt_translate, true, Px(0.6, 0.6)},
      {"size", dt_size, false, Px(0.6, 0.6)},
      {"rotation", dt_rotate, false, Px(0.6, 0.6)},
      {"ball, off its centre", dt_translate, false, Off(Px(0.5, -0.5), 2, 1)},
      {"reference point", dt_translate, false, Off(Px(1, 1), 1, -1)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open(TwoCaves());
    AddRotationToThirdSquare(doc, Maze(0));
    Maze(0).GetPolygon(1)->GetSide(3)->SetX(0.2537);
    doc.SetDragType(c.type);
    const std::string before = Bytes();
    const int steps = doc.StepCount();
    Press(c.at, c.shift);
    Move(Off(c.at, 15, 4));
    Move(c.at);  // and back
    Release(c.at);
    EXPECT_EQ(doc.StepCount(), steps);
    EXPECT_EQ(Bytes(), before);
  }
}

TEST_F(GestureTest, ATranslationDragsTheEndThatWasPickedEvenWhenItsRecordIsWritten) {
  struct TCase {
    const char* what;
    double pick_x;          // on the line y = 0.5
    double start_x, end_x;  // afterwards
  };
  const TCase cases[] = {
      {"start", -0.5, -0.2, 0.5},
      {"end", 0.5, -0.5, 0.8},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open(TwoCaves());
    TPolygon* p = Maze(0).GetPolygon(0);
    doc.SetPolygon(p);
    doc.sAutoTransClick();
    TTrans* t = p->Trans();
    ASSERT_NE(t, nullptr);
    // Start (-0.5, 0.5), end (0.5, 0.5); corners and balls are far from both.
    t->refpt.x = -0.5;
    t->refpt.y = 0.5;
    t->x1 = 1.0;
    t->y1 = 0;
    doc.sdelballsClick();  // one lies on the start point
    log.steps.clear();
    Drag(Px(c.pick_x, 0.5), Px(c.pick_x + 0.3, 0.2));
    ASSERT_EQ(log.steps.back().name, "Move Reference Point");
    EXPECT_FALSE(t->FRef2) << "the next pick starts afresh";
    EXPECT_NEAR(t->refpt.x, c.start_x, 1e-12);
    EXPECT_NEAR(t->refpt.x + t->x1, c.end_x, 1e-12);
    const double moved_y = c.pick_x < 0 ? 0.2 : 0.5;
    EXPECT_NEAR(t->refpt.y, moved_y, 1e-12);
    // A hover over the end and a pick of the start afterwards: the start moves.
    doc.CursorAt(false, Px(c.end_x, c.pick_x < 0 ? 0.5 : 0.2).X,
                 Px(c.end_x, c.pick_x < 0 ? 0.5 : 0.2).Y);
    EXPECT_FALSE(t->FRef2);
    const double end_x = t->refpt.x + t->x1, end_y = t->refpt.y + t->y1;
    Drag(Px(t->refpt.x, t->refpt.y), Px(-1.5, 1.5));
    EXPECT_NEAR(t->refpt.x, -1.5, 1e-12);
    EXPECT_NEAR(t->refpt.x + t->x1, end_x, 1e-12);
    EXPECT_NEAR(t->refpt.y + t->y1, end_y, 1e-12);
  }
}

TEST_F(GestureTest, CornersRunTogetherAreCleanedButThreeAlwaysStay) {
  struct TCase {
    const char* what;
    std::vector<std::pair<double, double>> corners;
    int dragged;
    double to_x, to_y;  // onto a pixel, where the predecessor lies
    int left;
    int selected;  // the corner selected afterwards, by index
  };
  const TCase cases[] = {
      {"onto the predecessor", {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, 2, 0, 1, 3, 1},
      {"onto the successor", {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, 2, 1, 0, 3, 2},
      {"corner 0 onto the last", {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, 0, 1, 0, 3, 2},
      {"a triangle", {{0, 0}, {0, 1}, {1, 0}}, 1, 0, 0, 3, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    auto l = std::make_unique<TMazeList>();
    auto m = EmptyMaze("Pit");
    auto p = std::make_unique<TPolygon>();
    for (auto [x, y] : c.corners) p->AddSide(x, y, st_normal, 0xFF);
    TPolygon* raw = p.get();
    m->AddPolygon(std::move(p));
    l->Add(std::move(m));
    Open(std::move(l));
    TSide* target = raw->GetSide(c.dragged);
    Drag(Px(target->x(), target->y()), Px(c.to_x, c.to_y));
    EXPECT_EQ(raw->Count(), c.left);
    EXPECT_EQ(raw->IndexOf(doc.Side()), c.selected);
    EXPECT_TRUE(doc.SelectionValid());
    EXPECT_EQ(doc.Side()->color, HighlightColor(raw->Color(), 0.5));
  }
}

TEST_F(GestureTest, AShrunkPolygonKeepsThreeCornersOfTheOnesThatRanTogether) {
  auto l = std::make_unique<TMazeList>();
  auto m = EmptyMaze("Pit");
  m->AddPolygon(TPolygon::CreateCircle(1.5, 0, 0.03, 0.03, 0, 12, 0xFF));
  l->Add(std::move(m));
  Open(std::move(l));
  TPolygon* p = Maze(0).GetPolygon(0);
  doc.SetDragType(dt_size);
  const TPoint first = Px(p->GetSide(0)->x(), p->GetSide(0)->y());
  Drag(first, TPoint{0, first.Y});  // factor exp(-408 / 200): all within half a pixel
  EXPECT_EQ(p->Count(), 3);
  EXPECT_TRUE(doc.SelectionValid());
  // Moderately smaller: only some corners meet, and the clean-up is CleanPoints' own.
  l = std::make_unique<TMazeList>();
  m = EmptyMaze("Pit");
  m->AddPolygon(TPolygon::CreateCircle(1.5, 0, 0.1, 0.1, 0, 24, 0xFF));
  l->Add(std::move(m));
  Open(std::move(l));
  p = Maze(0).GetPolygon(0);
  const TPoint start = Px(p->GetSide(0)->x(), p->GetSide(0)->y());
  doc.SetDragType(dt_size);
  Press(start);
  Move(TPoint{start.X - 300, start.Y});
  // The corners the release will set, cleaned the model's way, on a copy.
  const std::vector<TDPoint> fp = doc.DragPoints();
  const tmat2d mat = doc.DragMat();
  Release(TPoint{start.X - 300, start.Y});
  TPolygon copy;
  for (const TDPoint& q : fp) {
    double x = q.x, y = q.y;
    mat.Transform(x, y);
    const TDPoint at = doc.ImageToModel(std::nearbyint(x), std::nearbyint(510 - y));
    copy.AddSide(at.x, at.y, st_normal, 0);
  }
  copy.CleanPoints();
  ASSERT_GE(copy.Count(), 3);
  ASSERT_LT(copy.Count(), 24) << "the case should clean something";
  ASSERT_EQ(p->Count(), copy.Count());
  for (int i = 0; i < copy.Count(); ++i) {
    EXPECT_NEAR(p->GetSide(i)->x(), copy.GetSide(i)->x(), 1e-12) << i;
    EXPECT_NEAR(p->GetSide(i)->y(), copy.GetSide(i)->y(), 1e-12) << i;
  }
}

TEST_F(GestureTest, ACommandDuringADragDropsItAndTheReleaseChangesNothing) {
  struct TCase {
    const char* what;
    TPoint press;
    std::function<void(TEditDocument&)> command;
  };
  const std::vector<TCase> cases = {
      {"delete the polygon", Px(-0.8, -0.8), [](TEditDocument& d) { d.DeleteSelection(true); }},
      {"another maze", Px(-0.8, -0.8),
       [](TEditDocument& d) { d.SetMaze(d.MazeList()->GetMaze(1)); }},
      {"nudge", Px(-0.8, -0.8), [](TEditDocument& d) { d.NudgeSelection(1, 0, true); }},
      {"clear the balls", Px(0.5, -0.5), [](TEditDocument& d) { d.sdelballsClick(); }},
      {"remove the rotation", Px(1, 1), [](TEditDocument& d) { d.sAutoRotClick(); }},
      {"cancel the editor", Px(0.5, -0.5), [](TEditDocument& d) { d.CloseQuery(false); }},
      {"another drag type", Px(-0.8, -0.8), [](TEditDocument& d) { d.SetDragType(dt_size); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open(TwoCaves());
    AddRotationToThirdSquare(doc, Maze(0));
    Press(c.press);
    Move(Off(c.press, 10, 10));
    ASSERT_TRUE(doc.Dragging());
    c.command(doc);
    const bool still = doc.Dragging();
    const int steps = doc.StepCount();
    const std::string bytes = doc.Closed() ? "" : Bytes();
    Move(Off(c.press, 20, 20));
    Release(Off(c.press, 20, 20));
    EXPECT_TRUE(doc.SelectionValid());
    if (still) {
      // The drag type is the tools' business: the drag goes on as it began.
      EXPECT_EQ(doc.StepCount(), steps + 1);
      continue;
    }
    EXPECT_EQ(doc.StepCount(), steps);
    if (!doc.Closed()) {
      EXPECT_EQ(Bytes(), bytes);
    }
  }
}

TEST_F(GestureTest, ASecondPressIsIgnoredAndMovesOutsideTheFieldAreNotFollowed) {
  Open(TwoCaves());
  TPolygon* p = Maze(0).GetPolygon(0);
  TSide* s = p->GetSide(2);  // (-0.8, -0.8)
  const TPoint from = Px(s->x(), s->y());
  Press(from);
  Move(Off(from, 40, 0));
  Press(Px(0.5, -0.5));  // a second button, on a ball
  EXPECT_EQ(doc.Ball(), nullptr);
  EXPECT_EQ(doc.Side(), s);
  const TPoint inside = Off(from, 40, -30);
  Move(inside);
  Move(TPoint{-12, inside.Y});  // off the left edge
  Move(TPoint{inside.X, 600});  // below the field
  EXPECT_EQ(doc.DragPoints()[1].x, inside.X);
  Release(TPoint{-3, 700});
  EXPECT_EQ(log.Names(), std::vector<std::string>{"Move Point"});
  EXPECT_DOUBLE_EQ(s->x(), ModelOf(inside).x);
  EXPECT_DOUBLE_EQ(s->y(), ModelOf(inside).y);

  // A release the window never got ends the drag where it was last seen.
  Press(Px(s->x(), s->y()));
  Move(Off(inside, 0, 25));
  doc.EndDrag();
  EXPECT_FALSE(doc.Dragging());
  EXPECT_DOUBLE_EQ(s->y(), ModelOf(Off(inside, 0, 25)).y);
}

TEST_F(GestureTest, AReferencePointDraggedInBallModeIsNotTakenForABall) {
  Open(TwoCaves());
  AddRotationToThirdSquare(doc, Maze(0));
  doc.SetBall(Maze(0).balllist->GetBall(1));
  doc.SetDoBall(true);
  Drag(Px(1, 1), Px(1.4, 0.7));
  const TTransform* r = Maze(0).GetPolygon(2)->Rot();
  EXPECT_NEAR(r->rx(), 1.4, 1e-12);
  EXPECT_NEAR(r->ry(), 0.7, 1e-12);
  EXPECT_EQ(log.Names().back(), "Move Reference Point");
  EXPECT_DOUBLE_EQ(Maze(0).balllist->GetBall(1)->matrix.mat[0][2], -0.5);
  EXPECT_TRUE(doc.DoBall());
  EXPECT_FALSE(doc.DoTraf());
  EXPECT_EQ(doc.Traf(), nullptr) << "no reference point is dragged any more";
  doc.SetPolygon(Maze(0).GetPolygon(0));
  EXPECT_TRUE(doc.SelectionValid());
}

TEST_F(GestureTest, ACornerPutOnAnEdgeOfTheCurrentPolygonTakesItsOwnColour) {
  Open(TwoCaves());
  TPolygon* p = Maze(0).GetPolygon(0);  // current, so highlighted
  ASSERT_EQ(doc.Polygon(), p);
  Press(Px(-1.2, -1.0));  // the middle of its left edge
  Release(Px(-1.2, -1.0));
  ASSERT_EQ(p->Count(), 5);
  EXPECT_EQ(log.Names(), std::vector<std::string>{"Insert Point"});
  EXPECT_EQ(doc.Side(), p->GetSide(1));
  EXPECT_EQ(doc.SideColor(), doc.PolColor());
  doc.SetPolygon(nullptr);
  EXPECT_EQ(p->GetSide(1)->color, p->Color());
}

TEST_F(GestureTest, AnOpenOutlineEndShowsItsOneEdge) {
  auto l = std::make_unique<TMazeList>();
  auto m = EmptyMaze("Pit");
  auto p = std::make_unique<TPolygon>();
  for (auto [x, y] : {std::pair{0.0, 0.0}, {1.0, 0.5}, {2.0, 0.0}}) p->AddSide(x, y, st_normal, 7);
  p->open = true;
  m->AddPolygon(std::move(p));
  l->Add(std::move(m));
  Open(std::move(l));
  for (const auto& [x, y] : {std::pair{0.0, 0.0}, {2.0, 0.0}, {1.0, 0.5}}) {
    canvas.calls.clear();
    Press(Px(x, y));
    EXPECT_EQ(canvas.CallsOf("LineTo").size(), x == 1.0 ? 2u : 1u) << x;
    Release(Px(x, y));
  }
}

TEST_F(GestureTest, TheCursorTellsWhatAPressWouldDo) {
  Open(TwoCaves());
  AddRotationToThirdSquare(doc, Maze(0));
  struct TCase {
    const char* what;
    TDragType type;
    bool shift;
    bool tool;
    TPoint at;
    TEditCursor cursor;
  };
  const TPoint corner = Px(-0.8, -0.8), edge = Px(-1.0, -0.8);
  const TCase cases[] = {
      {"corner", dt_translate, false, false, corner, TEditCursor::Corner},
      {"edge", dt_translate, false, false, edge, TEditCursor::Edge},
      {"corner with Shift", dt_translate, true, false, corner, TEditCursor::MovePolygon},
      {"edge in size mode", dt_size, false, false, edge, TEditCursor::Size},
      {"corner in rotate mode", dt_rotate, true, false, corner, TEditCursor::Rotate},
      {"ball", dt_rotate, false, true, Px(0.5, -0.5), TEditCursor::Ball},
      {"centre of a rotation", dt_translate, false, false, Px(1, 1), TEditCursor::RefPoint},
      {"empty, with a tool", dt_translate, false, true, Px(0, -2), TEditCursor::Add},
      {"empty, without one", dt_size, false, false, Px(0, -2), TEditCursor::Default},
      {"outside the field", dt_translate, false, true, TPoint{-1, 40}, TEditCursor::Default},
  };
  const std::string before = Bytes();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    doc.SetDragType(c.type);
    doc.SetAddGear(c.tool);
    EXPECT_EQ(doc.CursorAt(c.shift, c.at.X, c.at.Y), c.cursor);
  }
  EXPECT_EQ(Bytes(), before) << "asking changes nothing";
  doc.SetAddGear(false);
  doc.SetDragType(dt_rotate);
  Press(corner);
  EXPECT_EQ(doc.CursorAt(false, 0, 0), TEditCursor::Rotate) << "a drag keeps its cursor";
  Release(corner);
}

}  // namespace
