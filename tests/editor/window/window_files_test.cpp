// The Maze menu's Import (F3), Export (F2) and Delete (Ctrl+Shift+Del) reach the document's
// commands, and the maze selector follows a deletion.
#include "window_fixture.h"

namespace {

using WindowFilesTest = EditWindowTest;

TEST_F(WindowFilesTest, TheMazeMenusShortcutsRunImportExportAndDelete) {
  Type(editor->PlayField, Qt::Key_F3);
  ASSERT_EQ(dialogs.fileAsks.size(), 1u);
  EXPECT_FALSE(dialogs.fileAsks[0].save);
  EXPECT_EQ(dialogs.fileAsks[0].options.filter,
            "Maze file (*.mze)|*.mze|Mazelist files (*.cav)|*.cav");
  Type(editor->PlayField, Qt::Key_F2);
  ASSERT_EQ(dialogs.fileAsks.size(), 2u);
  EXPECT_TRUE(dialogs.fileAsks[1].save);
  EXPECT_TRUE(dialogs.boxes.empty());  // both cancelled

  Type(editor->PlayField, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);  // Yes
  EXPECT_EQ(Questions(),
            std::vector<std::string>{"Confirm: are you sure you want to delete maze: 'Cave 1'?"});
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(editor->Maze(), &Maze(0));
  EXPECT_EQ(editor->MazeCombo->count(), 1);
  EXPECT_EQ(editor->MazeCombo->currentText(), "Cave 2");
  EXPECT_EQ(editor->eMazename->text(), "Cave 2");
  EXPECT_EQ(editor->windowTitle(), "Gravonaut 2.7 Edit (Cave 2)");
}

}  // namespace
