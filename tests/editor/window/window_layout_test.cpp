// The editor window's menus, tool bar, icons, hints and caption, as a player meets them.
#include <QActionGroup>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <set>

#include "gx_editicons.h"
#include "window_fixture.h"

namespace {

using WindowLayoutTest = EditWindowTest;

struct TItem {
  const char* menu;
  const char* caption;
  const char* shortcut;  // as Qt writes it; "" for none
  bool checkable;
};

TEST_F(WindowLayoutTest, EveryMenuItemHasItsCaptionShortcutAndCheckMark) {
  const TItem items[] = {
      {"&Maze", "New", "Ctrl+N", false},
      {"&Maze", "&Import", "F3", false},
      {"&Maze", "&Export", "F2", false},
      {"&Maze", "Delete", "Ctrl+Shift+Del", false},
      {"&Maze", "E&xit", "Alt+X", false},
      {"&Edit", "&New Polygon", "Ins", true},
      {"&Edit", "New &Gear", "Shift+Ins", true},
      {"&Edit", "New &Ball", "Ctrl+Shift+Ins", true},
      {"&Edit", "&Insert Point", "Ctrl+P", false},
      {"&Edit", "&Landing", "Ctrl+L", true},
      {"&Edit", "&Delete Point", "Del", false},
      {"&Edit", "Delete &Polygon", "Shift+Del", false},
      {"&Edit", "&Clear Balls", "Ctrl+Shift+B", false},
      {"&Edit", "&Drag", "Ctrl+D", true},
      {"&Edit", "&Size", "Ctrl+S", true},
      {"&Edit", "&Rotate", "Ctrl+R", true},
      {"&View", "Zoom &In", "Ctrl++", false},  // and Ctrl+=
      {"&View", "Zoom &Out", "Ctrl+-", false},
      {"&View", "&Fit Maze", "Ctrl+0", false},
      {"&View", "&Design View", "Ctrl+1", false},
      {"&Animate", "Auto &Move", "", true},
      {"&Animate", "Auto &Size", "", true},
      {"&Animate", "Auto &Rotate", "", true},
  };
  std::map<QString, QMenu*> menus;
  for (QAction* a : editor->MainMenu->actions()) menus[a->text()] = a->menu();
  ASSERT_EQ(menus.size(), 4u);
  std::set<QString> shortcuts;
  for (const TItem& item : items) {
    QMenu* menu = menus[QString::fromUtf8(item.menu)];
    ASSERT_NE(menu, nullptr) << item.menu;
    QAction* found = nullptr;
    for (QAction* a : menu->actions()) {
      if (a->text() == QString::fromUtf8(item.caption)) found = a;
    }
    ASSERT_NE(found, nullptr) << item.caption;
    EXPECT_EQ(found->shortcut().toString(), QString::fromUtf8(item.shortcut)) << item.caption;
    EXPECT_EQ(found->isCheckable(), item.checkable) << item.caption;
    if (*item.shortcut) {
      EXPECT_TRUE(shortcuts.insert(QString::fromUtf8(item.shortcut)).second)
          << item.shortcut << " is taken twice";
    }
  }
  // Drag, Size and Rotate form one radio group with exactly one checked.
  ASSERT_NE(editor->mmDrag->actionGroup(), nullptr);
  EXPECT_EQ(editor->mmDrag->actionGroup(), editor->mmSize->actionGroup());
  EXPECT_EQ(editor->mmDrag->actionGroup(), editor->mmRotate->actionGroup());
  EXPECT_TRUE(editor->mmDrag->actionGroup()->isExclusive());
  EXPECT_TRUE(editor->mmDrag->isChecked());
  QTest::keyClick(editor.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(editor->mmSize->isChecked());
  EXPECT_TRUE(editor->sSize->isChecked());
  EXPECT_FALSE(editor->mmDrag->isChecked());
  QTest::keyClick(editor.get(), Qt::Key_S, Qt::ControlModifier);  // again: back to Drag
  EXPECT_TRUE(editor->mmDrag->isChecked());
  EXPECT_EQ(Doc().DragType(), dt_translate);
}

TEST_F(WindowLayoutTest, EveryToolButtonShowsItsOwnIconAndHint) {
  struct TTool {
    QToolButton* button;
    const char* hint;
    int icon;
  };
  const TTool tools[] = {
      {editor->sNewMaze, "New Maze", ti_NewMaze},
      {editor->sPol, "New polygon", ti_NewPolygon},
      {editor->sGear, "New gear", ti_NewGear},
      {editor->sBall, "New Ball", ti_NewBall},
      {editor->sInsPoint, "Insert Point", ti_InsertPoint},
      {editor->sLand, "Landing", ti_Landing},
      {editor->sdelballs, "Clear Ball List", ti_ClearBalls},
      {editor->sTrans, "Move point (+Shift=polygon)", ti_MovePoint},
      {editor->sSize, "Resize polygon", ti_Resize},
      {editor->sRot, "Rotate polygon", ti_Rotate},
      {editor->sAutoTrans, "Auto translate", ti_AutoTranslate},
      {editor->sAutoSize, "Auto size", ti_AutoSize},
      {editor->sAutoRot, "Auto Rotate", ti_AutoRotate},
      {editor->sTestPlay, "Test play (F5)", ti_TestPlay},
  };
  std::set<std::string> looks;
  for (const TTool& t : tools) {
    EXPECT_TRUE(t.button->isVisible()) << t.hint;
    EXPECT_EQ(t.button->toolTip(), QString::fromUtf8(t.hint));
    // The button paints the shared icon of its index, at 1x and at 2x.
    const QImage mine = t.button->icon().pixmap(QSize(16, 16)).toImage();
    const QImage shared = ToolIcon(t.icon).pixmap(QSize(16, 16)).toImage();
    EXPECT_EQ(mine, shared) << t.hint;
    const QPixmap twice = ToolIcon(t.icon).pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(twice.size(), QSize(32, 32)) << t.hint;
    EXPECT_DOUBLE_EQ(twice.devicePixelRatio(), 2.0);
    int inked = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) inked += qAlpha(mine.pixel(x, y)) > 128;
    }
    EXPECT_GT(inked, 20) << t.hint << ": an icon needs something to see";
    looks.insert(std::string(reinterpret_cast<const char*>(mine.constBits()), mine.sizeInBytes()));
  }
  EXPECT_EQ(looks.size(), std::size(tools)) << "each icon looks different";
  EXPECT_EQ(std::size(tools), static_cast<std::size_t>(kToolIconCount));
  EXPECT_TRUE(ToolIcon(kToolIconCount).isNull());
}

TEST_F(WindowLayoutTest, ControlsCarryTheirLabelsHintsAndStartValues) {
  EXPECT_EQ(editor->eHarmless->toolTip(), "If true, rocket will not crash");
  EXPECT_EQ(editor->ePolN->toolTip(), "The number of vertices of a new polygon");
  EXPECT_EQ(editor->ePolN->value(), 4);
  EXPECT_EQ(editor->ePolN->minimum(), 3);
  EXPECT_EQ(editor->lwidth->minimum(), 1);
  EXPECT_EQ(editor->lwidth->maximum(), 20);
  EXPECT_EQ(editor->bok->text(), "&Ok");
  EXPECT_TRUE(editor->bok->isDefault());
  EXPECT_EQ(editor->cLand->Selected(), 0x0000FFEE);  // the maze's landing colour
  EXPECT_EQ(editor->cLand->DefaultColor(), 61183);
  EXPECT_EQ(editor->cline->DefaultColor(), 0xFFFF00);
  EXPECT_EQ(editor->cFill->DefaultColor(), 0xFF0000);
  EXPECT_EQ(editor->windowTitle(), "Gravonaut 2.7 Edit (Cave 1)");
  EXPECT_TRUE(editor->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(editor->MazeCombo->count(), 2);
  EXPECT_EQ(editor->eMazename->text(), "Cave 1");
  // The play field fills the rest, and the document draws for its size.
  EXPECT_GT(editor->PlayField->width(), editor->width() / 2);
  EXPECT_EQ(Doc().PlayWidth(), editor->PlayField->width());
  for (const char* help :
       {"PgUp, PgDn  changes polygon order", "Click to select points or balls",
        "Del to delete current point or ball", "Shift-Del to delete current polygon"}) {
    bool found = false;
    for (QLabel* l : editor->findChildren<QLabel*>()) found |= l->text() == help;
    EXPECT_TRUE(found) << help;
  }
}

TEST_F(WindowLayoutTest, BeforeAMazeIsSetTheCaptionIsEditMaze) {
  TEditMaze fresh(dialogs, modals);
  EXPECT_EQ(fresh.windowTitle(), "Edit maze");
  EXPECT_FALSE(fresh.TrafTab->isVisibleTo(&fresh));
}

TEST_F(WindowLayoutTest, ThePictureShowsTheMaze) {
  Doc().cbackgroundChange(0x00204060);
  const QImage& img = editor->PlayField->Image();
  ASSERT_EQ(img.size(), editor->PlayField->size());
  EXPECT_EQ(img.pixel(2, 2) & 0xFFFFFF, 0x604020u);  // the background, red in the high byte
  // A corner handle of the first polygon, at its model point (-1.2, -1.2) through the view.
  double x = -1.2, y = -1.2;
  Doc().M2I().Transform(x, y);
  const int px = static_cast<int>(std::lround(x));
  const int py = img.height() - static_cast<int>(std::lround(y));
  EXPECT_NE(img.pixel(px, py) & 0xFFFFFF, 0x604020u);
}

}  // namespace
