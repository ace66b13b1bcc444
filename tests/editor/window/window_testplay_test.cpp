// The editor's ways into test play (F5, Maze > Test Play, the tool button), with a service that
// only notes what it was handed: the window itself is the game's (tests/shell).
#include <QMenu>

#include "gx_editicons.h"
#include "gx_testplay.h"
#include "window_fixture.h"

namespace {

class TNotingTestPlay : public TTestPlayService {
 public:
  void TestPlay(std::unique_ptr<TMaze> maze) override { names.push_back(maze->mazename); }
  std::vector<std::string> names;
};

class WindowTestPlayTest : public EditWindowTest {
 protected:
  QAction* MenuItem(const QString& menu, const QString& item) {
    for (QAction* m : editor->MainMenu->actions()) {
      if (m->text() != menu || !m->menu()) continue;
      for (QAction* a : m->menu()->actions()) {
        if (a->text() == item) return a;
      }
    }
    return nullptr;
  }
  TNotingTestPlay play;
};

TEST_F(WindowTestPlayTest, F5TheMenuItemAndTheToolButtonEachPlayTheMazeShown) {
  editor->SetTestPlayService(&play);
  Doc().MazeComboSelect(1);
  QAction* item = MenuItem("&Maze", "&Test Play");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F5));
  struct TWay {
    const char* name;
    std::function<void()> start;
  };
  const TWay ways[] = {
      {"F5 on the play field",
       [&] {
         editor->PlayField->setFocus();
         QTest::keyClick(editor->PlayField, Qt::Key_F5);
       }},
      {"F5 in the name field", [&] { Type(editor->eMazename, Qt::Key_F5); }},
      {"the menu item", [&] { item->trigger(); }},
      {"the tool button", [&] { QTest::mouseClick(editor->sTestPlay, Qt::LeftButton); }},
  };
  for (const TWay& w : ways) {
    play.names.clear();
    w.start();
    EXPECT_EQ(play.names, std::vector<std::string>{"Cave 2"}) << w.name;
    EXPECT_EQ(Doc().Maze(), &Maze(1)) << w.name;
  }
  EXPECT_EQ(editor->sTestPlay->toolTip(), "Test play (F5)");
  EXPECT_FALSE(Doc().Modified());
}

TEST_F(WindowTestPlayTest, WithoutAServiceTestPlayIsGreyedOut) {
  EXPECT_FALSE(editor->mmTestPlay->isEnabled());
  EXPECT_FALSE(editor->sTestPlay->isEnabled());
  editor->SetTestPlayService(&play);
  EXPECT_TRUE(editor->sTestPlay->isEnabled());
  editor->SetTestPlayService(nullptr);
  QTest::keyClick(editor.get(), Qt::Key_F5);
  EXPECT_TRUE(play.names.empty());
}

}  // namespace
