// The snapping grid in the window: the check item and its shortcut, the step control (which
// redraws the play field at once and leaves the form-level arrows alone unless it has the
// focus), and, pixel by pixel, the grid between the maze's fills and its outlines, with the
// XOR previews exact on it.
#include <QDoubleSpinBox>
#include <QMenu>

#include "playfield_fixture.h"
#include "qt_canvas.h"
#include "window_fixture.h"

namespace {

QRgb Rgb(TColor c) {
  return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
              static_cast<int>((c >> 16) & 0xFF)) &
         0xFFFFFF;
}

QRgb PixelAt(const QImage& image, int x, int y) {
  return image.pixel(x, y) & 0xFFFFFF;
}

using WindowGridTest = EditWindowTest;

TEST_F(WindowGridTest, SnapToGridIsACheckItemOfTheEditMenuOnCtrlG) {
  QAction* grid = editor->mmGrid;
  EXPECT_EQ(grid->text().remove('&'), "Snap to Grid");
  EXPECT_TRUE(grid->isCheckable());
  EXPECT_FALSE(grid->isChecked());
  EXPECT_EQ(grid->shortcut(), QKeySequence(QStringLiteral("Ctrl+G")));
  QMenu* edit = nullptr;
  for (QAction* m : editor->MainMenu->actions()) {
    if (m->text() == "&Edit") edit = m->menu();
  }
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->actions().contains(grid));
  // No other item of the window answers Ctrl+G.
  for (QAction* a : editor->findChildren<QAction*>()) {
    if (a != grid) {
      EXPECT_NE(a->shortcut(), grid->shortcut()) << a->text().toStdString();
    }
  }
  const std::string before = Doc().CleanCollection();
  for (bool on : {true, false}) {
    QTest::keyClick(editor->PlayField, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(Doc().GridOn(), on);
    EXPECT_EQ(grid->isChecked(), on);
  }
  // A document that switches it shows in the menu too.
  Doc().SetGridOn(true);
  EXPECT_TRUE(grid->isChecked());
  EXPECT_EQ(Doc().CleanCollection(), before);
  EXPECT_EQ(Doc().StepCount(), 0);
}

TEST_F(WindowGridTest, TheStepControlSetsTheStepAndTheGridIsRedrawnAtOnce) {
  QDoubleSpinBox* step = editor->eGridStep;
  EXPECT_DOUBLE_EQ(step->value(), TEditDocument::kGridStepDefault);
  EXPECT_DOUBLE_EQ(step->minimum(), TEditDocument::kMinGridStep);
  EXPECT_DOUBLE_EQ(step->maximum(), TEditDocument::kMaxGridStep);
  editor->mmGrid->trigger();
  ASSERT_TRUE(Doc().GridOn());
  // Model x = 0.25 is a grid line of the step 0.25, not of 0.1; y = 2.375 lies between the
  // lines of both and away from the maze.
  double x = 0.25, y = 2.375;
  Doc().M2I().Transform(x, y);
  const int px = RoundToInt(x);
  const int py = RoundToInt(editor->PlayField->height() - y);
  const QRgb grid = Rgb(Doc().GridColor());
  const QRgb background = Rgb(Maze(0).outcolor);
  ASSERT_NE(grid, background);
  EXPECT_EQ(PixelAt(editor->PlayField->Image(), px, py), background);
  // Typed, and counted when the field is left.
  step->setFocus();
  step->selectAll();
  QTest::keyClicks(step, "0.25");
  EXPECT_DOUBLE_EQ(Doc().GridStep(), 0.1) << "not while typing";
  QTest::keyClick(step, Qt::Key_Tab);
  EXPECT_EQ(Doc().GridStep(), 0.25);
  EXPECT_EQ(PixelAt(editor->PlayField->Image(), px, py), grid) << "redrawn at once";
  // Spun with the arrows while it has the focus.
  Type(step, Qt::Key_Up);
  EXPECT_EQ(Doc().GridStep(), 0.3);
  EXPECT_EQ(step->text(), "0.30");
  EXPECT_EQ(Doc().StepCount(), 0);
}

// Enter (main or keypad) in the step field takes the typed step; the editor stays open and
// Ok is not pressed.
TEST_F(WindowGridTest, EnterInTheStepFieldTakesTheStepAndTheEditorStaysOpen) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* typed;
    double step;
  } cases[] = {
      {Qt::Key_Return, Qt::NoModifier, "0.35", 0.35},
      {Qt::Key_Enter, Qt::KeypadModifier, "0.5", 0.5},
      {Qt::Key_Return, Qt::NoModifier, "0.5", 0.5},  // nothing new: still open
  };
  int finished = 0;
  QObject::connect(editor.get(), &QDialog::finished, [&] { ++finished; });
  QDoubleSpinBox* step = editor->eGridStep;
  for (const auto& c : cases) {
    step->setFocus();
    step->selectAll();
    QTest::keyClicks(step, c.typed);
    QTest::keyClick(step, c.key, c.mods);
    EXPECT_EQ(Doc().GridStep(), c.step) << c.typed;
    EXPECT_TRUE(editor->isVisible()) << c.typed;
    EXPECT_EQ(QApplication::focusWidget(), step) << c.typed;
  }
  EXPECT_EQ(finished, 0);
  EXPECT_EQ(Doc().StepCount(), 0);
  // Enter elsewhere is still Ok.
  Type(editor->eHarmless, Qt::Key_Return);
  EXPECT_EQ(finished, 1);
}

TEST_F(WindowGridTest, WithoutTheFocusTheStepControlLeavesTheArrowsToTheMaze) {
  TSide* corner = Maze(0).GetPolygon(0)->GetSide(0);
  const double x0 = corner->x(), y0 = corner->y();
  QTest::mouseClick(editor->PlayField, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  ASSERT_NE(QApplication::focusWidget(), editor->eGridStep);
  for (Qt::Key k : {Qt::Key_Right, Qt::Key_Up}) QTest::keyClick(QApplication::focusWidget(), k);
  EXPECT_GT(corner->x(), x0);
  EXPECT_GT(corner->y(), y0);
  EXPECT_EQ(Doc().GridStep(), TEditDocument::kGridStepDefault);
  EXPECT_EQ(editor->eGridStep->text(), "0.10");
}

using GridPixelTest = PlayFieldTest;

TEST_F(GridPixelTest, TheGridLiesOverFillsUnderOutlinesAndThePreviewOnItIsExact) {
  auto l = std::make_unique<TMazeList>();
  auto m = EmptyMaze("Field");
  m->outcolor = 0x303030;
  TPolygon* square = AddSquare(*m, -0.5, 0.5, 0.3, 0x000080FF);
  square->fillcolor = 0x00402000;
  l->Add(std::move(m));
  Open(std::move(l));
  // Selected beforehand, so that the press changes no highlight.
  doc.SetPolygon(square);
  doc.SetSide(square->GetSide(2));
  doc.Redraw();
  const QImage plain = Picture();
  doc.SetGridStep(0.25);  // 50 pixels
  doc.SetGridOn(true);
  const QImage before = Picture();
  const QRgb grid = Rgb(doc.GridColor());
  // On the background the grid lines show (x = 0.25 at pixel 560, y = 2.375 at 35) ...
  EXPECT_EQ(PixelAt(plain, 560, 35), Rgb(0x303030));
  EXPECT_EQ(PixelAt(before, 560, 35), grid);
  EXPECT_EQ(PixelAt(before, 585, 35), Rgb(0x303030));
  // ... and over the square's fill (the line x = -0.5 through its middle), but where the two
  // pictures differ it is always the grid over the background or the fill: the outline and
  // the handles lie over it.
  EXPECT_EQ(PixelAt(plain, 410, 390), Rgb(0x00402000));
  EXPECT_EQ(PixelAt(before, 410, 390), grid);
  for (int y = 0; y < before.height(); ++y) {
    for (int x = 0; x < before.width(); ++x) {
      if (before.pixel(x, y) == plain.pixel(x, y)) continue;
      ASSERT_EQ(PixelAt(before, x, y), grid) << x << ", " << y;
      const QRgb was = PixelAt(plain, x, y);
      ASSERT_TRUE(was == Rgb(0x303030) || was == Rgb(0x00402000)) << x << ", " << y;
    }
  }
  // The top edge crosses the grid line x = -0.5 at (410, 350) and is drawn over it.
  EXPECT_EQ(PixelAt(before, 410, 350), PixelAt(plain, 410, 350));
  EXPECT_NE(PixelAt(plain, 410, 350), Rgb(0x00402000));
  EXPECT_NE(PixelAt(plain, 410, 350), Rgb(0x303030));

  // A corner dragged round and back: during the drag the picture is the one before with the
  // outline through the snapped corner in NotXor; at the end (a click) nothing changed.
  const QPoint from = Px(-0.2, 0.8);
  Press(from);
  ASSERT_TRUE(doc.Dragging());
  const QPoint to = from + QPoint(43, 61);
  Move(to);
  QImage expected = before;
  {
    TQtCanvas cv(expected);
    cv.Pen.Mode = TPenMode::pmNotXor;
    cv.Pen.Color = doc.Polygon()->Color();
    const auto& p = doc.DragPoints();
    cv.MoveTo(RoundToInt(p[0].x), RoundToInt(p[0].y));
    cv.LineTo(RoundToInt(p[1].x), RoundToInt(p[1].y));
    cv.LineTo(RoundToInt(p[2].x), RoundToInt(p[2].y));
  }
  // The dragged corner's point is the grid point's pixel: (0, 0.5) at (510, 410).
  EXPECT_EQ(doc.DragPoints()[1].x, 510);
  EXPECT_EQ(doc.DragPoints()[1].y, 410);
  EXPECT_EQ(Picture(), expected);
  Move(from);
  Release(from);
  EXPECT_EQ(Picture(), before);
}

}  // namespace
