// The undo history (editor/undo) on the document without the window: every kind of step done,
// undone and redone gives exactly the collection's clean bytes before and after it; runs of one
// control and an edge drag are one step of the history; what is shown and selected after an
// undo; a mix undone to the opening bytes and redone; the monkey with undos and redos.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../edit_fixture.h"
#include "edit_monkey.h"
#include "gx_edithistory.h"
#include "gx_random.h"
#include "gx_timepath.h"
#include "monkey_history.h"

namespace {

class HistoryTest : public EditDocTest {
 public:
  using EditDocTest::Maze;

 protected:
  void SetUp() override {
    EditDocTest::SetUp();
    doc.SetStepObserver(&history);
    Open(TwoCaves());
  }
  void TearDown() override { doc.SetStepObserver(nullptr); }

 public:
  std::string Bytes() { return doc.CleanCollection(); }
  std::string UndoText() { return history.Stack().undoText().toStdString(); }
  // Play-field pixels (y down) of a model point.
  TPoint Px(double x, double y) const {
    const TDPoint p = ToImage(x, y);
    return TPoint{static_cast<int>(std::lround(p.x)), kSide - static_cast<int>(std::lround(p.y))};
  }
  void Drag(bool shift, TPoint from, TPoint to) {
    doc.PlayFieldMouseDown(shift, from.X, from.Y);
    doc.PlayFieldMouseMove(shift, (from.X + to.X) / 2, (from.Y + to.Y) / 2);
    doc.PlayFieldMouseMove(shift, to.X, to.Y);
    doc.PlayFieldMouseUp(shift, to.X, to.Y);
  }
  void Click(TPoint at) {
    doc.PlayFieldMouseDown(false, at.X, at.Y);
    doc.PlayFieldMouseUp(false, at.X, at.Y);
  }
  TTransform* FirstTraf() const { return doc.Polygon()->TrafList()->GetTraf(0); }

  TEditHistory history{doc};
};

struct TStepCase {
  const char* what;
  std::function<void(HistoryTest&, TEditDocument&)> setup;  // may make steps of its own
  std::function<void(HistoryTest&, TEditDocument&)> act;    // one step of the history
  const char* step;                                         // its name
};

// Corners of Cave 1's first square (-1.2 .. -0.8) and its second one, the landing square.
const TStepCase kCases[] = {
    {"typing a name", nullptr,
     [](HistoryTest&, TEditDocument& d) {
       for (const char* s : {"C", "Ca", "Cav", "Cave X"}) d.eMazenameChange(s);
     },
     "Maze Name"},
    {"background", nullptr, [](HistoryTest&, TEditDocument& d) { d.cbackgroundChange(0x123456); },
     "Background Color"},
    {"line colour", nullptr, [](HistoryTest&, TEditDocument& d) { d.clineChange(0x00FF00); },
     "Line Color"},
    {"fill colour", nullptr, [](HistoryTest&, TEditDocument& d) { d.cFillChange(0x0000FF); },
     "Fill Color"},
    {"fill check", nullptr,
     [](HistoryTest&, TEditDocument& d) { d.cbFillClick(!d.Controls().cbFill); }, "Fill"},
    {"line width spun", nullptr,
     [](HistoryTest&, TEditDocument& d) {
       for (int w : {2, 3, 4, 5}) d.lwidthChange(w);
     },
     "Line Width"},
    {"harmless", nullptr, [](HistoryTest&, TEditDocument& d) { d.eHarmlessClick(true); },
     "Harmless"},
    {"landing colour", nullptr, [](HistoryTest&, TEditDocument& d) { d.cLandChange(0x00FF00); },
     "Landing Color"},
    {"new maze", nullptr, [](HistoryTest&, TEditDocument& d) { d.sNewMazeClick(); }, "New Maze"},
    {"insert point", nullptr, [](HistoryTest&, TEditDocument& d) { d.sInsPointClick(); },
     "Insert Point"},
    {"landing", [](HistoryTest& t, TEditDocument& d) { d.SetPolygon(t.Maze(0).GetPolygon(0)); },
     [](HistoryTest&, TEditDocument& d) { d.sLandClick(); }, "Landing"},
    {"landing off",
     [](HistoryTest& t, TEditDocument& d) {
       d.SetPolygon(t.Maze(0).GetPolygon(1));
       d.SetSide(d.Polygon()->GetSide(1));
     },
     [](HistoryTest&, TEditDocument& d) { d.sLandClick(); }, "Landing"},
    {"delete point", nullptr, [](HistoryTest&, TEditDocument& d) { d.DeleteSelection(false); },
     "Delete Point"},
    {"delete polygon",
     [](HistoryTest& t, TEditDocument& d) { d.SetPolygon(t.Maze(0).GetPolygon(1)); },
     [](HistoryTest&, TEditDocument& d) { d.DeleteSelection(true); }, "Delete Polygon"},
    {"delete ball",
     [](HistoryTest& t, TEditDocument& d) { d.SetBall(t.Maze(0).balllist->GetBall(0)); },
     [](HistoryTest&, TEditDocument& d) { d.DeleteSelection(false); }, "Delete Ball"},
    {"clear balls", nullptr, [](HistoryTest&, TEditDocument& d) { d.sdelballsClick(); },
     "Clear Balls"},
    {"clear balls with one selected (highlighted)",
     [](HistoryTest& t, TEditDocument& d) { d.SetBall(t.Maze(0).balllist->GetBall(0)); },
     [](HistoryTest&, TEditDocument& d) { d.sdelballsClick(); }, "Clear Balls"},
    {"add rotation", nullptr, [](HistoryTest&, TEditDocument& d) { d.sAutoRotClick(); }, nullptr},
    {"remove scaling", [](HistoryTest&, TEditDocument& d) { d.sAutoSizeClick(); },
     [](HistoryTest&, TEditDocument& d) { d.sAutoSizeClick(); }, nullptr},
    {"add translation", nullptr, [](HistoryTest&, TEditDocument& d) { d.sAutoTransClick(); },
     nullptr},
    {"nudge corner", nullptr, [](HistoryTest&, TEditDocument& d) { d.NudgeSelection(1, 0, false); },
     "Move Point"},
    {"nudge polygon", nullptr,
     [](HistoryTest&, TEditDocument& d) { d.NudgeSelection(0, -1, true); }, "Move Polygon"},
    {"PgUp", nullptr, [](HistoryTest&, TEditDocument& d) { d.FormKeyDown(TEditKey::PgUp, false); },
     "Raise Polygon"},
    {"PgDn", [](HistoryTest& t, TEditDocument& d) { d.SetPolygon(t.Maze(0).GetPolygon(2)); },
     [](HistoryTest&, TEditDocument& d) { d.FormKeyDown(TEditKey::PgDn, false); }, "Lower Polygon"},
    {"frame field typed", [](HistoryTest&, TEditDocument& d) { d.sAutoRotClick(); },
     [](HistoryTest& t, TEditDocument& d) {
       for (const char* s : {"1", "12", "12.", "12.5"}) {
         d.TrafFieldEdit(t.FirstTraf(), TTrafField::a1, s);
       }
     },
     "Swing Angle"},
    {"period spun", [](HistoryTest&, TEditDocument& d) { d.sAutoRotClick(); },
     [](HistoryTest& t, TEditDocument& d) {
       for (int s : {3, 4, 5}) d.SetTrafPeriodSeconds(t.FirstTraf(), s);
     },
     "Period"},
    {"scale factor", [](HistoryTest&, TEditDocument& d) { d.sAutoSizeClick(); },
     [](HistoryTest& t, TEditDocument& d) {
       d.TrafFieldEdit(t.FirstTraf(), TTrafField::sy2, "2.25");
     },
     "Scale Factor"},
    {"time path kind", [](HistoryTest&, TEditDocument& d) { d.sAutoSizeClick(); },
     [](HistoryTest& t, TEditDocument& d) {
       d.SetTrafSinusoidal(t.FirstTraf(), t.FirstTraf()->AniType() != at_sinusoidal);
     },
     "Time Path Kind"},
    {"swing", [](HistoryTest&, TEditDocument& d) { d.sAutoRotClick(); },
     [](HistoryTest& t, TEditDocument& d) { d.SetTrafSwing(t.FirstTraf(), true); }, "Swing"},
    {"direction", [](HistoryTest&, TEditDocument& d) { d.sAutoRotClick(); },
     [](HistoryTest& t, TEditDocument& d) {
       auto* r = dynamic_cast<TRotate*>(t.FirstTraf());
       d.SetRotCw(r, !r->cw());
     },
     "Rotation Direction"},
    {"center",
     [](HistoryTest& t, TEditDocument& d) {
       d.sAutoTransClick();
       t.Drag(false, t.Px(-1.0, -1.0), t.Px(-0.3, -1.9));  // the reference point off the centre
     },
     [](HistoryTest& t, TEditDocument& d) { d.CenterTraf(t.FirstTraf()); }, "Center"},
    {"time path drag", [](HistoryTest&, TEditDocument& d) { d.sAutoSizeClick(); },
     [](HistoryTest& t, TEditDocument& d) {
       const TPolygon& path = *t.FirstTraf()->flinear;
       const double x = (path.GetSide(0)->x() + path.GetSide(1)->x()) / 2;
       const double y = (path.GetSide(0)->y() + path.GetSide(1)->y()) / 2;
       const int i =
           d.InsertTimePathCorner(t.FirstTraf(), TDRect{x - 0.01, x + 0.01, y - 0.01, y + 0.01});
       ASSERT_GT(i, 0);
       d.MoveTimePathCorner(t.FirstTraf(), i, 0.5, 0.2, true);
     },
     "Move Time Path Corner"},
    {"corner drag", nullptr,
     [](HistoryTest& t, TEditDocument&) { t.Drag(false, t.Px(-1.2, -1.2), t.Px(-1.5, -1.4)); },
     "Move Point"},
    {"edge drag", nullptr,
     [](HistoryTest& t, TEditDocument&) { t.Drag(false, t.Px(-1.2, -1.0), t.Px(-1.6, -1.0)); },
     "Move Point"},
    {"edge Shift drag", nullptr,
     [](HistoryTest& t, TEditDocument&) { t.Drag(true, t.Px(-1.2, -1.0), t.Px(-1.6, -0.7)); },
     "Move Polygon"},
    {"polygon drag", nullptr,
     [](HistoryTest& t, TEditDocument&) { t.Drag(true, t.Px(-1.2, -1.2), t.Px(-1.0, -1.5)); },
     "Move Polygon"},
    {"size drag", [](HistoryTest&, TEditDocument& d) { d.SetDragType(dt_size); },
     [](HistoryTest& t, TEditDocument&) { t.Drag(false, t.Px(-1.2, -1.2), t.Px(-1.4, -1.2)); },
     "Resize Polygon"},
    {"rotation drag", [](HistoryTest&, TEditDocument& d) { d.SetDragType(dt_rotate); },
     [](HistoryTest& t, TEditDocument&) { t.Drag(false, t.Px(-1.2, -1.2), t.Px(-1.2, -1.5)); },
     "Rotate Polygon"},
    {"ball drag", nullptr,
     [](HistoryTest& t, TEditDocument&) { t.Drag(false, t.Px(0.5, -0.5), t.Px(0.1, -1.5)); },
     "Move Ball"},
    {"reference point drag", [](HistoryTest&, TEditDocument& d) { d.sAutoRotClick(); },
     [](HistoryTest& t, TEditDocument&) { t.Drag(false, t.Px(-1.0, -1.0), t.Px(-0.3, -1.9)); },
     "Move Reference Point"},
    {"new ball", [](HistoryTest&, TEditDocument& d) { d.SetDoBall(true); },
     [](HistoryTest& t, TEditDocument&) { t.Click(t.Px(0, -2)); }, "New Ball"},
    {"new polygon", [](HistoryTest&, TEditDocument& d) { d.SetAddPol(true); },
     [](HistoryTest& t, TEditDocument&) { t.Click(t.Px(0, -2)); }, "New Polygon"},
    {"new gear", [](HistoryTest&, TEditDocument& d) { d.SetAddGear(true); },
     [](HistoryTest& t, TEditDocument&) { t.Click(t.Px(0, -2)); }, "New Gear"},
    {"import", nullptr,
     [](HistoryTest&, TEditDocument& d) {
       std::vector<std::unique_ptr<TMaze>> mazes;
       mazes.push_back(EmptyMaze("In 1"));
       mazes.push_back(EmptyMaze("In 2"));
       AddSquare(*mazes[1], 0.5, 0.5, 0.3);
       mazes[1]->AddBall(-1, 1, 0x00FF00);
       d.AddMazes(std::move(mazes), "Import Mazes");
     },
     "Import Mazes"},
    {"delete maze", nullptr, [](HistoryTest&, TEditDocument& d) { d.mmDeleteClick(); },
     "Delete Maze"},
    {"delete a maze not shown", nullptr,
     [](HistoryTest& t, TEditDocument& d) { d.RemoveMaze(&t.Maze(1)); }, "Delete Maze"},
};

TEST_F(HistoryTest, EveryKindOfStepUndoesAndRedoesToTheExactBytes) {
  for (const TStepCase& c : kCases) {
    SCOPED_TRACE(c.what);
    Open(TwoCaves());
    history.Clear();
    doc.SetAddPol(false);
    doc.SetAddGear(false);
    doc.SetDoBall(false);
    doc.SetDragType(dt_translate);
    if (c.setup) c.setup(*this, doc);
    const std::string before = Bytes();
    const int held = history.Count();
    c.act(*this, doc);
    const std::string after = Bytes();
    ASSERT_NE(after, before) << "the case changes nothing";
    ASSERT_EQ(history.Count(), held + 1) << "not one step of the history";
    EXPECT_EQ(UndoText(), c.step ? c.step : doc.LastStep().name);
    for (int round = 0; round < 2; ++round) {
      history.Undo();
      EXPECT_EQ(Bytes(), before) << FirstDifference(Bytes(), before);
      EXPECT_TRUE(doc.SelectionValid());
      EXPECT_FALSE(doc.Dragging());
      history.Redo();
      EXPECT_EQ(Bytes(), after) << FirstDifference(Bytes(), after);
      EXPECT_TRUE(doc.SelectionValid());
    }
    EXPECT_EQ(history.Count(), held + 1);  // putting back recorded nothing
  }
}

TEST_F(HistoryTest, ADragIsOneStepHoweverItBeganAndTwoDragsAreTwo) {
  Drag(false, Px(-1.2, -1.0), Px(-1.6, -1.0));  // on an edge: insert, then move
  Drag(false, Px(-1.2, -1.2), Px(-1.5, -1.3));  // a corner
  EXPECT_EQ(history.Count(), 2);
  Click(Px(-0.8, -1.0));  // an edge clicked: a corner put there, and no drag to join it
  Drag(false, Px(-0.8, -1.2), Px(-0.5, -1.5));
  EXPECT_EQ(history.Count(), 4);
  EXPECT_EQ(history.Stack().text(2).toStdString(), "Insert Point");
  EXPECT_EQ(history.Stack().text(3).toStdString(), "Move Point");
  // Runs of one control merge, runs of two fields do not, and a run back to its start goes.
  doc.sAutoSizeClick();
  TTransform* t = FirstTraf();
  doc.TrafFieldEdit(t, TTrafField::sx1, "2");
  doc.TrafFieldEdit(t, TTrafField::sx1, "3");
  doc.TrafFieldEdit(t, TTrafField::sy1, "3");
  EXPECT_EQ(history.Count(), 7);
  const std::string before = Bytes();
  doc.lwidthChange(5);
  doc.lwidthChange(1);
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(history.Count(), 7);
}

TEST_F(HistoryTest, AnUndoShowsTheStepsMazeWithTheChangedPartSelected) {
  // A corner of the landing square moved, then another maze shown.
  doc.SetPolygon(Maze(0).GetPolygon(1));
  doc.SetSide(doc.Polygon()->GetSide(2));
  doc.NudgeSelection(1, 0, false);
  doc.MazeComboSelect(1);
  ASSERT_EQ(doc.Maze(), &Maze(1));
  history.Undo();
  EXPECT_EQ(doc.Maze(), &Maze(0));
  EXPECT_EQ(doc.MazeComboIndex(), 0);
  EXPECT_EQ(doc.Polygon(), Maze(0).GetPolygon(1));
  EXPECT_EQ(doc.Side(), doc.Polygon()->GetSide(2));
  // The highlights are on the new objects, not written into the records.
  EXPECT_NE(doc.Polygon()->Color(), doc.PolColor());

  // A ball: its move undone selects it.
  Drag(false, Px(0.5, -0.5), Px(0.1, -1.5));
  doc.SetPolygon(Maze(0).GetPolygon(0));
  history.Undo();
  EXPECT_TRUE(doc.BallSel());
  EXPECT_EQ(doc.Ball(), Maze(0).balllist->GetBall(0));
  EXPECT_EQ(doc.Ball()->CenterX(), 0.5);

  // A deleted polygon comes back selected; redone, nothing dangles.
  doc.SetPolygon(Maze(0).GetPolygon(2));
  doc.DeleteSelection(true);
  history.Undo();
  EXPECT_EQ(doc.Polygon(), Maze(0).GetPolygon(2));
  history.Redo();
  EXPECT_EQ(Maze(0).Count(), 2);
  EXPECT_TRUE(doc.SelectionValid());
  // A deleted maze comes back where it was and is shown.
  const std::string name = Maze(1).mazename;
  doc.RemoveMaze(&Maze(1));
  history.Undo();
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(Maze(1).mazename, name);
  EXPECT_EQ(doc.Maze(), &Maze(1));
  EXPECT_EQ(doc.MazeComboItems().size(), 2u);
  EXPECT_EQ(doc.MazeNameText(), name);
}

TEST_F(HistoryTest, AnUndoDuringADragDropsTheDrag) {
  doc.NudgeSelection(1, 0, false);
  const std::string before = Bytes();
  doc.PlayFieldMouseDown(false, Px(-0.8, -0.8).X, Px(-0.8, -0.8).Y);
  doc.PlayFieldMouseMove(false, 10, 10);
  ASSERT_TRUE(doc.Dragging());
  history.Undo();
  EXPECT_FALSE(doc.Dragging());
  doc.PlayFieldMouseUp(false, 10, 10);  // the release of the dropped drag changes nothing
  EXPECT_EQ(history.Count(), 1);
  EXPECT_TRUE(history.CanRedo());
  history.Redo();
  EXPECT_EQ(Bytes(), before);
}

TEST_F(HistoryTest, ARandomMixUndoesToTheOpeningBytesAndRedoesToTheLast) {
  TSplitMixRandom rnd(915);
  const std::string opening = Bytes();
  std::vector<const TStepCase*> mix;  // the cases that work on whatever polygon is selected
  for (const TStepCase& c : kCases) {
    if (!c.setup) mix.push_back(&c);
  }
  for (int i = 0; i < 80; ++i) {
    const TStepCase& c =
        *mix[static_cast<std::size_t>(rnd.RandomInt(static_cast<int>(mix.size())))];
    SCOPED_TRACE(c.what);
    if (doc.Maze() != &Maze(0)) doc.MazeComboSelect(0);
    if (Maze(0).Count() == 0) break;
    if (rnd.RandomInt(3) == 0) doc.SetPolygon(Maze(0).GetPolygon(rnd.RandomInt(Maze(0).Count())));
    if (!doc.Polygon()) doc.SetPolygon(Maze(0).GetPolygon(0));
    c.act(*this, doc);
    if (rnd.RandomInt(4) == 0) history.Undo();
    if (rnd.RandomInt(6) == 0) history.Redo();
    ASSERT_TRUE(doc.SelectionValid());
  }
  const std::string last = Bytes();
  ASSERT_GT(history.Count(), 30);
  int undone = 0;
  for (; history.CanUndo(); ++undone) history.Undo();
  EXPECT_EQ(Bytes(), opening) << FirstDifference(Bytes(), opening);
  for (int i = 0; i < undone; ++i) history.Redo();
  EXPECT_EQ(Bytes(), last) << FirstDifference(Bytes(), last);
}

TEST(EditorHistoryMonkeyTest, RandomUndosAndRedosKeepBothRulesAtEveryStretch) {
  SetProgramFilePath("/proc/self/exe");
  auto list = MakeRichCollection();
  TEditMonkey monkey(*list, 20261210, /*audit=*/true);
  monkey.SetHistory([](TEditDocument& d) { return std::make_unique<TQtMonkeyHistory>(d); });
  for (int i = 1; i <= 2000; ++i) {
    monkey.Act();
    if (i % 20 == 0) monkey.CheckStretch(20);
  }
  monkey.Finish();
  EXPECT_GT(monkey.Counts().at("undo"), 50);
  EXPECT_GT(monkey.Counts().at("redo"), 20);
  EXPECT_GT(monkey.HistoryChecks(), 50);
}

}  // namespace
