// The editor's keys with real key events: the form-level keys act on the maze except while a
// text or number field has the focus, the menu shortcuts run their commands.
#include "window_fixture.h"

namespace {

using WindowKeysTest = EditWindowTest;

TEST_F(WindowKeysTest, ArrowsAndDelInTheNameFieldEditTheTextNotTheMaze) {
  const std::string before = Doc().CleanCollection();
  editor->eMazename->setFocus();
  editor->eMazename->setCursorPosition(6);  // "Cave 1|"
  for (Qt::Key k : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down,
                    Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown}) {
    QTest::keyClick(editor->eMazename, k);
  }
  QTest::keyClick(editor->eMazename, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(editor->eMazename->text(), "Cave1");  // the blank before "1" deleted
  EXPECT_EQ(Maze(0).mazename, "Cave1");
  EXPECT_TRUE(dialogs.boxes.empty());  // no "Delete point?"
  EXPECT_EQ(Maze(0).GetPolygon(0)->Count(), 4);
  // Apart from the name nothing changed: no corner moved, no polygon swapped.
  Doc().eMazenameChange("Cave 1");
  EXPECT_EQ(Doc().CleanCollection(), before);
}

TEST_F(WindowKeysTest, AClickOnThePlayFieldGivesTheArrowsBackToTheMaze) {
  TSide* corner = Maze(0).GetPolygon(0)->GetSide(0);
  const double x = corner->x();
  editor->eMazename->setFocus();
  QTest::keyClick(editor->eMazename, Qt::Key_Right);
  EXPECT_DOUBLE_EQ(corner->x(), x);
  QTest::mouseClick(editor->PlayField, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  EXPECT_GT(corner->x(), x);
}

TEST_F(WindowKeysTest, InTheNumberFieldsTheArrowsStepTheValue) {
  const TDPoint corner{Maze(0).GetPolygon(0)->GetSide(0)->x(),
                       Maze(0).GetPolygon(0)->GetSide(0)->y()};
  Type(editor->ePolN, Qt::Key_Up);
  EXPECT_EQ(editor->ePolN->value(), 5);
  EXPECT_EQ(Doc().Controls().ePolN, 5);
  Type(editor->lwidth, Qt::Key_Up);
  EXPECT_EQ(Maze(0).GetPolygon(0)->width, 2);
  editor->lwidth->selectAll();
  QTest::keyClick(editor->lwidth, Qt::Key_Delete);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_DOUBLE_EQ(Maze(0).GetPolygon(0)->GetSide(0)->x(), corner.x);
  EXPECT_DOUBLE_EQ(Maze(0).GetPolygon(0)->GetSide(0)->y(), corner.y);
}

// Esc from an open menu leaves the keyboard with the menu bar: its arrows walk the menus and
// leave the maze alone.
TEST_F(WindowKeysTest, ArrowsInTheMenuBarWalkTheMenusNotTheCorner) {
  const std::string before = Doc().CleanCollection();
  QAction* edit = nullptr;
  for (QAction* a : editor->MainMenu->actions()) {
    if (a->text() == "&Edit") edit = a;
  }
  ASSERT_NE(edit, nullptr);
  QTest::mouseClick(editor->MainMenu, Qt::LeftButton, Qt::NoModifier,
                    editor->MainMenu->actionGeometry(edit).center());
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_EQ(popup, edit->menu());
  QTest::keyClick(popup, Qt::Key_Escape);
  ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
  ASSERT_EQ(QApplication::focusWidget(), editor->MainMenu);
  for (Qt::Key k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_PageDown}) {
    QTest::keyClick(QApplication::focusWidget(), k);
  }
  EXPECT_EQ(Doc().CleanCollection(), before);
  EXPECT_EQ(Doc().StepCount(), 0);
  // Down opens the menu under the bar's current item, as the menu bar does it.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_NE(QApplication::activePopupWidget(), nullptr);
  if (QWidget* open = QApplication::activePopupWidget()) QTest::keyClick(open, Qt::Key_Escape);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // the bar lets go
  EXPECT_EQ(Doc().CleanCollection(), before);
  EXPECT_EQ(Doc().StepCount(), 0);
}

TEST_F(WindowKeysTest, ElsewhereArrowsNudgeAndPageKeysReorderEvenOverTheMazeSelector) {
  TPolygon* p = Maze(0).GetPolygon(0);
  const double x0 = p->GetSide(0)->x();
  const double x1 = p->GetSide(1)->x();
  Type(editor->MazeCombo, Qt::Key_Right);
  EXPECT_EQ(Doc().Maze(), &Maze(0));  // the selector did not move on to Cave 2
  EXPECT_NEAR(p->GetSide(0)->x() - x0, Doc().I2M().mat[0][0], 1e-12);
  EXPECT_DOUBLE_EQ(p->GetSide(1)->x(), x1);
  Type(editor->eHarmless, Qt::Key_Left, Qt::ShiftModifier);  // the whole polygon
  EXPECT_NEAR(p->GetSide(0)->x(), x0, 1e-12);
  EXPECT_NEAR(p->GetSide(1)->x() - x1, -Doc().I2M().mat[0][0], 1e-12);
  Type(editor->bok, Qt::Key_PageUp);
  EXPECT_EQ(Maze(0).GetPolygon(1), p);
  Type(editor->MazeCombo, Qt::Key_PageDown);
  EXPECT_EQ(Maze(0).GetPolygon(0), p);
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(WindowKeysTest, DelAndShiftDelAskAboutThePointAndThePolygon) {
  dialogs.SetAnswer(mrNo);
  Type(editor->MazeCombo, Qt::Key_Delete);
  Type(editor->MazeCombo, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(Questions(),
            (std::vector<std::string>{"Confirm: Delete point?", "Confirm: Delete Polygon?"}));
  dialogs.SetAnswer(mrYes);
  Type(editor->MazeCombo, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(Maze(0).Count(), 2);
  EXPECT_FALSE(editor->TrafTab->isVisible());
}

TEST_F(WindowKeysTest, ShortcutsRunTheToolsAndTheButtonsFollow) {
  QTest::keyClick(editor.get(), Qt::Key_Insert, Qt::ShiftModifier);  // New Gear
  EXPECT_TRUE(editor->sGear->isChecked());
  QTest::keyClick(editor.get(), Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(editor->sBall->isChecked());
  EXPECT_FALSE(editor->sGear->isChecked());
  EXPECT_TRUE(editor->mmNewBall->isChecked());
  QTest::keyClick(editor.get(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(list->Count(), 3);
  EXPECT_EQ(editor->MazeCombo->currentText(), "<no name>");
  EXPECT_EQ(editor->windowTitle(), "Gravonaut 2.7 Edit (<no name>)");
  QTest::keyClick(editor.get(), Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Doc().LastStep().name, "New Maze");  // the new maze has no balls to clear
  Doc().MazeComboSelect(0);
  QTest::keyClick(editor.get(), Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Maze(0).balllist->Count(), 0);
  EXPECT_EQ(list->Count(), 3);  // Clear Balls is not Delete maze
}

}  // namespace
