// The window keys (zoom, clear score, help), the mouse wheel, the viewports and the repaint.
#include <QKeyEvent>
#include <QWheelEvent>

#include "gx_rocket.h"
#include "qt_canvas.h"
#include "shell_fixture.h"

namespace {

using WindowKeysTest = ShellTest;

void Type(QWidget& w, Qt::Key key, const QString& text, quint32 keysym,
          Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent down(QEvent::KeyPress, key, mods, 0, keysym, 0, text);
  QCoreApplication::sendEvent(&w, &down);
  QKeyEvent up(QEvent::KeyRelease, key, mods, 0, keysym, 0, text);
  QCoreApplication::sendEvent(&w, &up);
}

double Width(const TDRect& r) {
  return r.x2 - r.x1;
}

TEST_F(WindowKeysTest, ZoomOutStopsAtFiveAndZoomInHasNoLimit) {
  auto u = Start();
  const double width25 = Width(u->playvp);
  EXPECT_NEAR(width25, 2 * 25 / u->Rocket()->sx, 1e-9);  // the built-in maze is 2 units wide
  const int after_minus[] = {20, 15, 10, 5, 5, 5};
  for (int expected : after_minus) {
    Type(*u, Qt::Key_Minus, "-", 0xffad, Qt::KeypadModifier);
    EXPECT_EQ(u->TargetSize, expected);
  }
  EXPECT_NEAR(Width(u->playvp), width25 / 5, 1e-9);
  for (int i = 0; i < 40; ++i) Type(*u, Qt::Key_Plus, "+", 0xffab, Qt::KeypadModifier);
  EXPECT_EQ(u->TargetSize, 205);
  EXPECT_NEAR(Width(u->playvp), width25 * 205 / 25, 1e-6);
  // The play viewport stays centred on the window.
  EXPECT_NEAR((u->playvp.x1 + u->playvp.x2) / 2, u->width() / 2.0, 1e-9);
  EXPECT_NEAR((u->playvp.y1 + u->playvp.y2) / 2, u->height() / 2.0, 1e-9);
}

TEST_F(WindowKeysTest, ViewportsFollowTheWindowSize) {
  auto u = Start();
  u->resize(700, 500);
  EXPECT_DOUBLE_EQ(u->mapvp.x1, 600);  // 700 * 6 div 7
  EXPECT_DOUBLE_EQ(u->mapvp.x2, 690);
  EXPECT_DOUBLE_EQ(u->mapvp.y1, 400);  // 500 - 700 div 7
  EXPECT_DOUBLE_EQ(u->mapvp.y2, 490);
  EXPECT_NEAR((u->playvp.x1 + u->playvp.x2) / 2, 350, 1e-9);
  EXPECT_NEAR((u->playvp.y1 + u->playvp.y2) / 2, 250, 1e-9);
}

TEST_F(WindowKeysTest, ClearScoreResetsTheRunAndForgetsTheBestTime) {
  WriteBytes(Collection(), CollectionBytes({"One"}));
  auto u = Start();
  u->Cave()->bestdur = 7.25;
  keys.Down(vk::LControl);
  u->gametickerTimer();
  ASSERT_EQ(u->Cave()->GameState(), gs_practice);
  ASSERT_FALSE(u->IsChanged);
  Type(*u, Qt::Key_C, "c", 'c');
  EXPECT_EQ(u->Cave()->bestdur, 0);
  EXPECT_EQ(u->Cave()->GameState(), gs_intro);
  EXPECT_FALSE(u->IsChanged);  // only written if something else changes
}

TEST_F(WindowKeysTest, F1FreezesTheGameAndTheTimerKeepsRunning) {
  auto u = Start();
  u->SetRunning(true);
  keys.Down(vk::LControl);
  u->gametickerTimer();
  keys.Up(vk::LControl);
  ASSERT_EQ(u->Cave()->GameState(), gs_practice);
  modals.Queue([&](QDialog&) {
    // The help is open: the game is frozen behind it and the timer goes on.
    EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
    EXPECT_TRUE(u->GameTicker().isActive());
    return mrOk;
  });
  Type(*u, Qt::Key_F1, "", 0xffbe);
  EXPECT_EQ(modals.shown, 1);
  EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
  EXPECT_EQ(u->Cave()->MsgLine(), "Game Frozen");
  EXPECT_TRUE(u->GameTicker().isActive());
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
}

TEST_F(WindowKeysTest, EditKeyDoesNothingYet) {
  auto u = Start();
  u->SetRunning(true);
  for (const char* k : {"e", "E"}) {
    Type(*u, Qt::Key_E, k, k[0]);
    EXPECT_TRUE(u->GameTicker().isActive()) << k;
    EXPECT_EQ(u->Cave()->GameState(), gs_intro) << k;
  }
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(WindowKeysTest, WheelTurnsTheRocketOnlyWhileRunning) {
  auto u = Start();
  auto wheel = [&](int delta) {
    QWheelEvent e(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(u.get(), &e);
    EXPECT_TRUE(e.isAccepted());
  };
  wheel(120);
  EXPECT_EQ(u->Cave()->KeyState.M_WHEEL, 0);
  u->SetRunning(true);
  wheel(-240);
  EXPECT_EQ(u->Cave()->KeyState.M_WHEEL, -240);
}

TEST_F(WindowKeysTest, TickWithoutAMazeStopsTheTimer) {
  auto u = Start();
  u->SetRunning(true);
  u->SetCave(nullptr);
  u->gametickerTimer();
  EXPECT_FALSE(u->GameTicker().isActive());
  EXPECT_FALSE(u->running());
}

TEST_F(WindowKeysTest, FrameShowsTheMazeTheScoreAndTheOverviewMap) {
  auto u = Start();
  QImage frame(u->size(), QImage::Format_RGB32);
  frame.fill(Qt::magenta);
  u->PaintFrame(frame);
  // Every pixel is painted: the background colour fills the whole window.
  EXPECT_EQ(frame.pixel(0, 0) & 0xFFFFFF, 0x000000u);
  int cyan = 0, in_map = 0;
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) {
      const QRgb c = frame.pixel(x, y) & 0xFFFFFF;
      ASSERT_NE(c, 0xFF00FFu) << x << "," << y;
      if (c == 0x00FFFFu) {  // the maze's outlines
        ++cyan;
        if (x >= u->mapvp.x1 && y <= u->height() - u->mapvp.y1) ++in_map;
      }
    }
  }
  EXPECT_GT(cyan, 0);
  EXPECT_GT(in_map, 0);  // the overview map in the top-right corner
}

TEST_F(WindowKeysTest, WindowPaintsTheFrameOfItsBackBuffer) {
  auto u = Start();
  const QImage shot = u->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(u->BackBuffer().size(), u->size());
  ASSERT_EQ(shot.size(), u->size());
  EXPECT_EQ(shot, u->BackBuffer());
  // A tick asks for the next repaint; painting leaves the game alone.
  u->gametickerTimer();
  QCoreApplication::processEvents();
  EXPECT_EQ(u->Cave()->GameState(), gs_intro);
}

}  // namespace
