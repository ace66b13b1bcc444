// Undo and redo in the editor window with real key events: the Edit menu's "Undo <step>" and
// "Redo <step>" items, greyed when there is nothing to do; Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y,
// also while the name field or the line width has the focus; the widgets show the values put
// back; the history ends with the editor.
#include <QMenu>

#include "gx_aniframe.h"
#include "gx_edithistory.h"
#include "window_fixture.h"

namespace {

using WindowUndoTest = EditWindowTest;

std::string Plain(const QAction* a) {
  return a->text().remove(QLatin1Char('&')).trimmed().toStdString();
}

TEST_F(WindowUndoTest, TheEditMenuNamesTheStepAndGreysOutWhenThereIsNothing) {
  const QMenu* edit = nullptr;
  for (QAction* a : editor->MainMenu->actions()) {
    if (a->menu() && a->text() == "&Edit") edit = a->menu();
  }
  ASSERT_NE(edit, nullptr);
  ASSERT_GE(edit->actions().size(), 2);
  EXPECT_EQ(edit->actions()[0], editor->mmUndo);
  EXPECT_EQ(edit->actions()[1], editor->mmRedo);
  EXPECT_FALSE(editor->mmUndo->isEnabled());
  EXPECT_FALSE(editor->mmRedo->isEnabled());
  EXPECT_EQ(editor->mmUndo->shortcuts(), QList<QKeySequence>{QKeySequence("Ctrl+Z")});
  EXPECT_EQ(editor->mmRedo->shortcuts(),
            (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));

  Type(editor->MazeCombo, Qt::Key_Left, Qt::ShiftModifier);  // the whole polygon nudged
  EXPECT_TRUE(editor->mmUndo->isEnabled());
  EXPECT_EQ(Plain(editor->mmUndo), "Undo Move Polygon");
  EXPECT_FALSE(editor->mmRedo->isEnabled());
  editor->mmUndo->trigger();
  EXPECT_EQ(Plain(editor->mmRedo), "Redo Move Polygon");
  EXPECT_TRUE(editor->mmRedo->isEnabled());
  EXPECT_FALSE(editor->mmUndo->isEnabled());
}

// Alt+E, then a letter: each item the editor adds to its Edit menu has a letter no other item
// there uses.
TEST_F(WindowUndoTest, UndoRedoAndSnapToGridHaveLettersOfTheirOwn) {
  const QMenu* edit = nullptr;
  for (QAction* a : editor->MainMenu->actions()) {
    if (a->menu() && a->text() == "&Edit") edit = a->menu();
  }
  ASSERT_NE(edit, nullptr);
  const auto letter = [](const QAction* a) {
    const QString t = a->text();
    const qsizetype i = t.indexOf(QLatin1Char('&'));
    return i >= 0 && i + 1 < t.size() ? t.at(i + 1).toLower() : QChar();
  };
  for (const QAction* own : {editor->mmUndo, editor->mmRedo, editor->mmGrid}) {
    ASSERT_FALSE(letter(own).isNull()) << Plain(own);
    for (const QAction* other : edit->actions()) {
      if (other != own && !other->isSeparator()) {
        EXPECT_NE(letter(other), letter(own)) << Plain(own) << " and " << Plain(other);
      }
    }
  }
  EXPECT_EQ(editor->mmRedo->text().left(5), "R&edo");
}

TEST_F(WindowUndoTest, CtrlZUndoesCtrlShiftZAndCtrlYRedo) {
  const std::string opening = Doc().CleanCollection();
  Type(editor->MazeCombo, Qt::Key_Right);   // "Move Point"
  Type(editor->MazeCombo, Qt::Key_PageUp);  // "Raise Polygon"
  const std::string moved = Doc().CleanCollection();
  ASSERT_EQ(editor->History().Count(), 2);
  QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Doc().CleanCollection(), opening);
  QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier);  // nothing more: no change
  EXPECT_EQ(Doc().CleanCollection(), opening);
  QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Plain(editor->mmUndo), "Undo Move Point");
  QTest::keyClick(editor.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Doc().CleanCollection(), moved);
  EXPECT_FALSE(editor->mmRedo->isEnabled());
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(WindowUndoTest, InTheNameFieldCtrlZUndoesTheTypingRunAndTheFieldShowsTheName) {
  editor->eMazename->setFocus();
  editor->eMazename->selectAll();
  QTest::keyClicks(editor->eMazename, "Deep");
  EXPECT_EQ(Maze(0).mazename, "Deep");
  EXPECT_EQ(editor->History().Count(), 1);  // four keys, one step
  QTest::keyClick(editor->eMazename, Qt::Key_Z, Qt::ControlModifier);
  // The editor's undo, not the field's own (which would have typed the old name anew).
  EXPECT_EQ(editor->History().Count(), 1);
  EXPECT_EQ(editor->History().Index(), 0);
  EXPECT_EQ(Maze(0).mazename, "Cave 1");
  EXPECT_EQ(editor->eMazename->text(), "Cave 1");
  EXPECT_EQ(editor->MazeCombo->currentText(), "Cave 1");
  EXPECT_EQ(editor->windowTitle(), "Gravonaut 2.7 Edit (Cave 1)");
  QTest::keyClick(editor->eMazename, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Maze(0).mazename, "Deep");
  EXPECT_EQ(editor->eMazename->text(), "Deep");
}

TEST_F(WindowUndoTest, AfterAnUndoTheControlsAndTheTabsShowWhatWasPutBack) {
  Type(editor->lwidth, Qt::Key_Up);
  Type(editor->lwidth, Qt::Key_Up);
  EXPECT_EQ(Maze(0).GetPolygon(0)->width, 3);
  EXPECT_EQ(editor->History().Count(), 1);  // spin clicks run together
  QTest::keyClick(editor->lwidth, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Maze(0).GetPolygon(0)->width, 1);
  EXPECT_EQ(editor->lwidth->value(), 1);

  editor->mmAutoRot->trigger();
  ASSERT_TRUE(editor->TrafTab->isVisible());
  ASSERT_NE(editor->TrafFrame(), nullptr);
  editor->mmUndo->trigger();
  EXPECT_FALSE(editor->TrafTab->isVisible());
  EXPECT_FALSE(editor->mmAutoRot->isChecked());
  editor->mmRedo->trigger();
  EXPECT_TRUE(editor->TrafTab->isVisible());
  EXPECT_TRUE(editor->mmAutoRot->isChecked());
  // The frame edits the transform that is in the polygon now, not the one freed by the undo.
  ASSERT_NE(editor->TrafFrame(), nullptr);
  EXPECT_EQ(editor->TrafFrame()->Traf(), Doc().Polygon()->TrafList()->GetTraf(0));
}

TEST_F(WindowUndoTest, TheHistoryEndsWithTheEditorAndCancelStillRestoresTheOpening) {
  const std::string opening = Doc().CleanCollection();
  Type(editor->MazeCombo, Qt::Key_Right);
  QTest::keyClick(editor.get(), Qt::Key_N, Qt::ControlModifier);  // a new maze
  editor->reject();  // "Discard the changes made in the editor?" Yes
  EXPECT_TRUE(Doc().Closed());
  EXPECT_EQ(Doc().CleanCollection(), opening);
  EXPECT_EQ(editor->History().Count(), 0);
  EXPECT_FALSE(editor->mmUndo->isEnabled());
}

}  // namespace
