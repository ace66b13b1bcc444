// The maze selection dialog: the grid layout, the thumbnails, the frame, the keys and the
// click, and the main window's S around it.
#include <QTest>
#include <stdexcept>

#include "gx_select.h"
#include "key_events.h"
#include "qor_obj.h"
#include "qt_control.h"
#include "shell_fixture.h"

namespace {

// Distinct background colours, so that each thumbnail tells which maze it shows.
TColor OutColor(int k) {
  return static_cast<TColor>(0x00102030 + 0x00000404 * k);
}

// A collection of n square mazes, maze k with background OutColor(k).
std::unique_ptr<TMazeList> Mazes(int n) {
  auto list = std::make_unique<TMazeList>();
  for (int k = 0; k < n; ++k) {
    auto m = SquareMaze("M" + std::to_string(k));
    m->outcolor = OutColor(k);
    list->SetMaze(k, std::move(m));
  }
  return list;
}

class SelectTest : public ShellTest {
 protected:
  void TearDown() override {
    SetScreenPixelsPerInch(96);
    ShellTest::TearDown();
  }
};

TEST_F(SelectTest, LaysOutTheGridWithTheIntegerRules) {
  const struct {
    int ppi, w, h, n;
    int nw, nh, b, c;
  } cases[] = {
      {96, 280, 441, 7, 3, 3, 5, 10},    // 270 wide grid: margin 5; the 7th alone in row 3
      {96, 50, 300, 3, 1, 3, 10, 10},    // narrower than a thumbnail: still one column
      {96, 680, 441, 7, 7, 1, 10, 10},   // wide margins are capped at one gap
      {96, 288, 284, 9, 3, 3, 9, 7},     // margins below one gap are kept
      {96, 290, 100, 4, 3, 2, 10, 10},   // taller than the window: top margin one gap
      {240, 700, 500, 5, 3, 2, 12, 25},  // 200-pixel thumbnails, 25-pixel gaps
  };
  for (const auto& t : cases) {
    SetScreenPixelsPerInch(t.ppi);
    auto list = Mazes(t.n);
    TMazeSelect dlg;
    dlg.resize(t.w, t.h);
    dlg.SetMazeList(list.get());
    const std::string what = std::to_string(t.ppi) + " ppi, " + std::to_string(t.w) + " x " +
                             std::to_string(t.h) + ", " + std::to_string(t.n) + " mazes";
    EXPECT_EQ(dlg.defwh, ScaleToScreen(80)) << what;
    EXPECT_EQ(dlg.defdwh, ScaleToScreen(10)) << what;
    EXPECT_EQ(dlg.nw, t.nw) << what;
    EXPECT_EQ(dlg.nh, t.nh) << what;
    const int pitch = dlg.defwh + dlg.defdwh;
    // One image control per maze, the dialog's only children, named in collection order.
    const QList<QWidget*> children = dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(children.size(), t.n) << what;
    for (int k = 0; k < t.n; ++k) {
      EXPECT_EQ(children[k]->objectName(), QString("Maze%1").arg(k)) << what;
      EXPECT_EQ(children[k]->geometry(),
                QRect(t.b + (k % t.nw) * pitch, t.c + (k / t.nw) * pitch, dlg.defwh, dlg.defwh))
          << what << ", maze " << k;
    }
  }
}

TEST_F(SelectTest, OpensAs680By441AndFollowsResizes) {
  auto list = Mazes(7);
  TMazeSelect dlg;
  EXPECT_EQ(dlg.windowTitle(), "Select Maze");
  EXPECT_EQ(dlg.size(), QSize(680, 441));
  dlg.SetMazeList(list.get());
  EXPECT_EQ(dlg.nw, 7);
  dlg.show();
  dlg.resize(280, 441);
  QCoreApplication::processEvents();
  ASSERT_EQ(dlg.width(), 280);
  EXPECT_EQ(dlg.nw, 3);
  EXPECT_EQ(dlg.nh, 3);
  EXPECT_EQ(dlg.Thumb(6)->geometry().topLeft(), QPoint(5, 190));
}

TEST_F(SelectTest, ThumbnailsShowTheirMazesAndLeaveThemAsTheyWere) {
  auto list = Mazes(3);
  // A maze that was current points at the main window's picture; its thumbnail still fills
  // its own background, since no picture is painted behind a thumbnail.
  static const int picture = 0;
  TMaze* was_current = list->GetMaze(1);
  was_current->bkgrnd = &picture;
  std::vector<tmat2d> matrices;
  std::vector<TDRect> extents;
  for (int k = 0; k < 3; ++k) {
    TMaze* m = list->GetMaze(k);
    m->matrix.mat[0][2] = 17 + k;  // as the last paint of the main window left it
    m->extent = TDRect{-5, 5, -5, 5};
    matrices.push_back(m->matrix);
    extents.push_back(m->extent);
  }
  TMazeSelect dlg;
  dlg.SetMazeList(list.get());
  dlg.show();  // showing delivers the pending resize events: the pictures must survive them
  QCoreApplication::processEvents();
  for (int k = 0; k < 3; ++k) {
    const QImage& img = dlg.Thumb(k)->Image();
    ASSERT_EQ(img.size(), QSize(80, 80)) << k;
    EXPECT_EQ(QRgbToTColor(img.pixel(1, 1)), OutColor(k)) << k;
    // The square's outline lies inside the 3-pixel border of the viewport.
    bool outline = false;
    for (int x = 0; x < 80; ++x) outline |= QRgbToTColor(img.pixel(x, 40)) == 0x00FFFF00;
    EXPECT_TRUE(outline) << k;
    // The mapping and extent written to the collection file are those from before.
    EXPECT_EQ(list->GetMaze(k)->matrix.mat, matrices[k].mat) << k;
    EXPECT_EQ(list->GetMaze(k)->extent.x1, extents[k].x1) << k;
  }
  EXPECT_EQ(was_current->bkgrnd, &picture);
}

// The dark red pixels of the dialog as painted.
std::vector<QPoint> FramePixels(TMazeSelect& dlg) {
  const QImage shot = dlg.grab().toImage().convertToFormat(QImage::Format_RGB32);
  std::vector<QPoint> dark_red;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if ((shot.pixel(x, y) & 0xFFFFFF) == 0x800000u) dark_red.emplace_back(x, y);
    }
  }
  return dark_red;
}

TEST_F(SelectTest, FrameSurroundsTheSelectedMazeOnly) {
  auto list = Mazes(7);
  TMazeSelect dlg;
  dlg.resize(280, 441);
  dlg.SetMazeList(list.get());
  for (int k : {0, 4, 6}) {
    dlg.SetMaze(list->GetMaze(k));
    const QRect thumb = dlg.Thumb(k)->geometry();
    const std::vector<QPoint> frame = FramePixels(dlg);
    ASSERT_FALSE(frame.empty()) << k;
    bool left = false, right = false, top = false, bottom = false;
    for (const QPoint& p : frame) {
      EXPECT_TRUE(thumb.adjusted(-3, -3, 3, 3).contains(p)) << k << ": " << p.x() << "," << p.y();
      EXPECT_FALSE(thumb.contains(p)) << k << ": " << p.x() << "," << p.y();
      left |= p.x() < thumb.left();
      right |= p.x() > thumb.right();
      top |= p.y() < thumb.top();
      bottom |= p.y() > thumb.bottom();
    }
    EXPECT_TRUE(left && right && top && bottom) << k;
  }
  // A maze that is not in the collection has no frame.
  auto stranger = SquareMaze("Stranger");
  dlg.SetMaze(stranger.get());
  EXPECT_TRUE(FramePixels(dlg).empty());
}

TEST_F(SelectTest, ArrowsMoveTheSelectionWithinTheCollection) {
  auto list = Mazes(7);
  auto stranger = SquareMaze("Stranger");
  // 3 columns: 0 1 2 / 3 4 5 / 6
  const struct {
    int from;  // -1: a maze that is not in the collection
    Qt::Key key;
    int to;
  } cases[] = {
      {6, Qt::Key_Right, 6}, {0, Qt::Key_Left, 0}, {2, Qt::Key_Right, 3},  {3, Qt::Key_Left, 2},
      {6, Qt::Key_Down, 6},  {1, Qt::Key_Up, 1},   {4, Qt::Key_Up, 1},     {3, Qt::Key_Down, 6},
      {4, Qt::Key_Down, 4},  {5, Qt::Key_Down, 5}, {-1, Qt::Key_Right, 0}, {-1, Qt::Key_Left, -1},
      {-1, Qt::Key_Up, -1},  {2, Qt::Key_A, 2},
  };
  for (const auto& t : cases) {
    TMazeSelect dlg;
    dlg.resize(280, 441);
    dlg.SetMazeList(list.get());
    TMaze* start = t.from < 0 ? stranger.get() : list->GetMaze(t.from);
    dlg.SetMaze(start);
    QTest::keyClick(&dlg, t.key);
    TMaze* expected = t.to < 0 ? stranger.get() : list->GetMaze(t.to);
    EXPECT_EQ(dlg.Maze(), expected) << "from " << t.from << " key " << std::hex << t.key;
    EXPECT_EQ(dlg.result(), QDialog::Rejected);  // still open
  }
}

TEST_F(SelectTest, KeysActWhenTheyAreLetGo) {
  auto list = Mazes(3);
  TMazeSelect dlg;
  dlg.SetMazeList(list.get());
  dlg.SetMaze(list->GetMaze(0));
  dlg.show();
  QTest::keyPress(&dlg, Qt::Key_Right);
  EXPECT_EQ(dlg.Maze(), list->GetMaze(0));
  // A held key repeats: the repeated releases do not move on.
  for (int i = 0; i < 3; ++i) {
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&dlg, &up);
  }
  EXPECT_EQ(dlg.Maze(), list->GetMaze(0));
  QTest::keyRelease(&dlg, Qt::Key_Right);
  EXPECT_EQ(dlg.Maze(), list->GetMaze(1));

  QTest::keyPress(&dlg, Qt::Key_Escape);
  EXPECT_TRUE(dlg.isVisible());  // Esc going down does not cancel yet
  QTest::keyRelease(&dlg, Qt::Key_Escape);
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.result(), QDialog::Rejected);

  for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
    dlg.show();
    QTest::keyClick(&dlg, enter);
    EXPECT_FALSE(dlg.isVisible()) << enter;
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << enter;
    EXPECT_EQ(dlg.Maze(), list->GetMaze(1)) << enter;
  }
}

TEST_F(SelectTest, AClickChoosesThatMazeAndClosesAtOnce) {
  auto list = Mazes(5);
  TMazeSelect dlg;
  dlg.SetMazeList(list.get());
  dlg.SetMaze(list->GetMaze(0));
  dlg.show();
  QTest::mouseClick(dlg.Thumb(3), Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.Maze(), list->GetMaze(3));
  // A control of another name is no thumbnail.
  QWidget other(&dlg);
  other.setObjectName("Other");
  dlg.ThumbClick(&other);
  EXPECT_EQ(dlg.Maze(), list->GetMaze(3));
}

// --- the main window's S --------------------------------------------------------------------

TMazeSelect& AsSelect(QDialog& d) {
  auto* s = dynamic_cast<TMazeSelect*>(&d);
  if (!s) throw std::logic_error("not the selection dialog");
  return *s;
}

TEST_F(SelectTest, SPicksTheMazeWithTheTimerStoppedMeanwhile) {
  WriteBytes(Collection(), CollectionBytes({"One", "Two", "Three"}));
  auto u = Start(0);
  u->SetRunning(true);
  keys.Down(vk::LControl);
  u->gametickerTimer();
  keys.Up(vk::LControl);
  ASSERT_EQ(u->Cave()->GameState(), gs_practice);
  TMaze* first = u->MazeList()->GetMaze(0);
  modals.Queue([&](QDialog& d) {
    TMazeSelect& s = AsSelect(d);
    EXPECT_FALSE(u->GameTicker().isActive());
    EXPECT_EQ(first->GameState(), gs_intro);  // reset before the dialog
    EXPECT_EQ(s.MazeList(), u->MazeList());
    EXPECT_EQ(s.Maze(), first);
    EXPECT_EQ(s.parentWidget(), u.get());
    QTest::keyClick(&s, Qt::Key_Right);
    QTest::keyClick(&s, Qt::Key_Right);
    QTest::keyClick(&s, Qt::Key_Return);
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, test_keys::S);
  EXPECT_EQ(modals.shown, 1);
  EXPECT_EQ(u->Cave(), u->MazeList()->GetMaze(2));
  EXPECT_EQ(u->Cave()->mazename, "Three");
  EXPECT_EQ(u->Cave()->Rocket(), u->Rocket());
  EXPECT_TRUE(u->GameTicker().isActive());
  EXPECT_TRUE(u->running());

  // Cancel keeps the current maze (reset all the same).
  modals.Queue([](QDialog& d) {
    QTest::keyClick(&d, Qt::Key_Left);
    QTest::keyClick(&d, Qt::Key_Escape);
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, {Qt::Key_S, "S", 'S', 39, Qt::ShiftModifier});
  EXPECT_EQ(modals.shown, 2);
  EXPECT_EQ(u->Cave()->mazename, "Three");
  EXPECT_TRUE(u->GameTicker().isActive());
}

TEST_F(SelectTest, TimerRunsAgainAfterAnErrorInTheSelection) {
  WriteBytes(Collection(), CollectionBytes({"One", "Two"}));
  auto u = Start(0);
  u->SetRunning(true);
  // The window shows the error itself: unwinding through Qt's event dispatch would leave Qt's
  // own bookkeeping behind, so the application's last resort must not be needed.
  TRecordingDialogs last_resort;
  TGameApplication::SetErrorDialogs(&last_resort);
  modals.Queue([](QDialog&) -> int { throw std::runtime_error("Out of thumbnails"); });
  Stroke(*u, test_keys::S);
  TGameApplication::SetErrorDialogs(nullptr);
  EXPECT_TRUE(last_resort.boxes.empty());
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "Error");
  EXPECT_EQ(dialogs.boxes[0].text, "Out of thumbnails");
  EXPECT_TRUE(u->GameTicker().isActive());
  EXPECT_EQ(u->Cave()->mazename, "One");
}

TEST_F(SelectTest, KeysOfTheSelectionNeverActOnTheGame) {
  WriteBytes(Collection(), CollectionBytes({"One", "Two"}));
  auto u = Start(0, /*own_keys=*/true);
  for (int k = 0; k < 2; ++k) u->MazeList()->GetMaze(k)->bestdur = 4.5;
  modals.Queue([&](QDialog& d) {
    // Thrust, R, C and arrows typed in the dialog; Ctrl still held when Enter closes it.
    for (const TTestKey& k : {test_keys::R, test_keys::C, test_keys::Up, test_keys::Left}) {
      Stroke(KeyTarget(d), k);
    }
    Press(KeyTarget(d), test_keys::LControl);
    Press(KeyTarget(d), test_keys::Escape);
    Stroke(KeyTarget(d), test_keys::Right);
    Stroke(KeyTarget(d), test_keys::Return);
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, test_keys::S);
  ASSERT_EQ(u->Cave()->mazename, "Two");
  // What the held keys send to the main window after the dialog has gone.
  Repeat(*u, test_keys::LControl);
  Repeat(*u, test_keys::Escape);
  Repeat(*u, test_keys::C);
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_intro);  // no thrust, no quit
  Release(*u, test_keys::LControl);
  Release(*u, test_keys::Escape);
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_intro);
  EXPECT_EQ(u->MazeList()->GetMaze(0)->bestdur, 4.5);
  EXPECT_EQ(u->Cave()->bestdur, 4.5);
  // The keyboard is the game's again.
  Press(*u, test_keys::LControl);
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_practice);
}

TEST_F(SelectTest, KeysPressedBeforeTheSelectionAreDroppedAfterIt) {
  WriteBytes(Collection(), CollectionBytes({"One", "Two"}));
  auto u = Start(0);
  u->Cave()->bestdur = 3.25;
  modals.Queue([&](QDialog& d) {
    keys.Tap(vk::R);  // seen by the key state while the dialog was open
    keys.Tap(vk::Escape);
    QTest::keyClick(&d, Qt::Key_Escape);
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, test_keys::S);
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->bestdur, 3.25);
  EXPECT_EQ(u->Cave()->GameState(), gs_intro);
}

}  // namespace
