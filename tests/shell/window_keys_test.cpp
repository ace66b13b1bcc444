// The window keys (zoom, clear score, help), the mouse wheel, the viewports and the repaint.
#include <QKeyEvent>
#include <QWheelEvent>
#include <numbers>

#include "gx_force.h"
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

// A wheel event as Qt delivers it: Qt::AltModifier with the notches in x is what X11 hands
// over while Left Alt is held.
bool Wheel(QWidget& w, QPoint angle, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWheelEvent e(QPointF(10, 10), QPointF(10, 10), QPoint(), angle, Qt::NoButton, mods,
                Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&w, &e);
  return e.isAccepted();
}

// The bytes of a collection of one square maze with this best time.
std::string CollectionWithBest(double best) {
  TMazeList list;
  auto m = SquareMaze("One");
  m->bestdur = best;
  list.SetMaze(0, std::move(m));
  TTextWriter w;
  list.SaveToF(w);
  return w.Bytes();
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
  WriteBytes(Collection(), CollectionWithBest(7.25));
  auto u = Start();
  keys.Down(vk::LControl);
  u->gametickerTimer();
  ASSERT_EQ(u->Cave()->GameState(), gs_practice);
  ASSERT_FALSE(u->IsChanged);
  Type(*u, Qt::Key_C, "c", 'c');
  EXPECT_EQ(u->Cave()->bestdur, 0);
  EXPECT_EQ(u->Cave()->GameState(), gs_intro);
  EXPECT_TRUE(u->IsChanged);
}

// "c" is the window's own key, R the maze's: both clear the best time, and the cleared time
// is written when the window closes like any other change of a best time.
TEST_F(WindowKeysTest, AClearedBestTimeIsWrittenAtExit) {
  struct Case {
    const char* what;
    double best;
    bool by_r;  // else "C" typed
    bool changed;
  };
  const Case cases[] = {
      {"C typed", 7.25, false, true},
      {"R pressed", 7.25, true, true},
      {"C with no best time", 0, false, false},
      {"R with no best time", 0, true, false},
  };
  for (const Case& c : cases) {
    const std::string original = CollectionWithBest(c.best);
    WriteBytes(Collection(), original);
    std::filesystem::remove(Backup());
    auto u = Start();
    u->gametickerTimer();
    if (c.by_r) {
      keys.Tap(vk::R);
      u->gametickerTimer();
    } else {
      Type(*u, Qt::Key_C, "C", 'C', Qt::ShiftModifier);
    }
    EXPECT_EQ(u->Cave()->bestdur, 0) << c.what;
    EXPECT_EQ(u->IsChanged, c.changed) << c.what;
    u->close();
    EXPECT_EQ(std::filesystem::exists(Backup()), c.changed) << c.what;
    if (!c.changed) {
      EXPECT_EQ(ReadBytes(Collection()), original) << c.what << ": not written";
      continue;
    }
    TTextReader f = TTextReader::FromFile(Collection());
    f.ReadLn();
    TMazeList saved;
    saved.LoadFromF(f);
    ASSERT_EQ(saved.Count(), 1) << c.what;
    EXPECT_EQ(saved.GetMaze(0)->bestdur, 0) << c.what;
  }
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

// F1 again while frozen, or held so that it repeats, keeps the run to return to.
TEST_F(WindowKeysTest, F1AgainOrRepeatingStillLetsAResumeKeyEndTheFreeze) {
  auto u = Start();
  keys.Tap(vk::LControl);
  u->gametickerTimer();
  ASSERT_EQ(u->Cave()->GameState(), gs_practice);
  Type(*u, Qt::Key_F1, "", 0xffbe);
  Type(*u, Qt::Key_F1, "", 0xffbe);
  for (int i = 0; i < 3; ++i) {
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, 0, 0xffbe, 0, "", true);
    QCoreApplication::sendEvent(u.get(), &repeat);
  }
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
  keys.Tap(vk::Up);
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_practice);
  EXPECT_EQ(u->Cave()->MsgLine(), "");
}

// The editor cancelled at once (no script) leaves the run as it was, for either case of the key.
TEST_F(WindowKeysTest, EditKeyCancelledAtOnceLeavesTheRunAsItWas) {
  auto u = Start();
  u->SetRunning(true);
  for (const char* k : {"e", "E"}) {
    Type(*u, Qt::Key_E, k, k[0]);
    EXPECT_EQ(modals.shown, k[0] == 'e' ? 1 : 2) << k;
    EXPECT_TRUE(u->GameTicker().isActive()) << k;
    EXPECT_EQ(u->Cave()->GameState(), gs_intro) << k;
  }
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(WindowKeysTest, WheelTurnsTheRocketOnlyWhileRunning) {
  auto u = Start();
  EXPECT_TRUE(Wheel(*u, QPoint(0, 120)));
  EXPECT_EQ(u->Cave()->KeyState.M_WHEEL, 0);
  u->SetRunning(true);
  EXPECT_TRUE(Wheel(*u, QPoint(0, -240)));
  EXPECT_EQ(u->Cave()->KeyState.M_WHEEL, -240);
}

TEST_F(WindowKeysTest, WheelTurnsTheRocketWithAndWithoutLeftAlt) {
  WriteBytes(Collection(), CollectionBytes({"One"}));  // the rocket starts in the air
  auto u = Start();
  u->SetRunning(true);
  keys.Tap(vk::LControl);
  u->gametickerTimer();
  ASSERT_EQ(u->Cave()->GameState(), gs_practice);
  const double step = std::numbers::pi / 15;
  struct Case {
    const char* what;
    std::vector<std::pair<QPoint, Qt::KeyboardModifiers>> events;  // before one tick
    double turn;
  };
  const Case cases[] = {
      {"a notch up turns left", {{{0, 120}, Qt::NoModifier}}, step},
      {"a notch down turns right", {{{0, -120}, Qt::NoModifier}}, -step},
      {"a notch up with Alt held", {{{120, 0}, Qt::AltModifier}}, step},
      {"two notches down with Alt held", {{{-240, 0}, Qt::AltModifier}}, -2 * step},
      {"a horizontal wheel alone does not turn", {{{120, 0}, Qt::NoModifier}}, 0},
      {"events add up, with and without Alt",
       {{{0, 120}, Qt::NoModifier}, {{40, 0}, Qt::AltModifier}},
       step + step / 3},
      {"events without a vertical notch leave a waiting delta alone",
       {{{0, 120}, Qt::NoModifier}, {{120, 0}, Qt::NoModifier}, {{0, 0}, Qt::AltModifier}},
       step},
  };
  for (const Case& c : cases) {
    ASSERT_FALSE(u->Rocket()->Exploded()) << c.what;
    const double a0 = u->Rocket()->angle();
    for (const auto& [angle, mods] : c.events) EXPECT_TRUE(Wheel(*u, angle, mods)) << c.what;
    u->gametickerTimer();
    EXPECT_NEAR(u->Rocket()->angle() - a0, c.turn, 1e-12) << c.what;
    EXPECT_EQ(u->Cave()->KeyState.M_WHEEL, 0) << c.what;
  }
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
