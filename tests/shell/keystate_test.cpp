// The Qt key state: X keysyms and Qt keys to the game's virtual-key codes, "down now" and
// "pressed since the last query", and every key released when the window loses the keyboard.
#include <QFocusEvent>
#include <QKeyEvent>

#include "qt_keystate.h"
#include "shell_fixture.h"

namespace {

QKeyEvent Key(QEvent::Type type, int qtkey, quint32 keysym, quint32 scancode = 0,
              Qt::KeyboardModifiers mods = Qt::NoModifier, bool autorep = false) {
  return QKeyEvent(type, qtkey, mods, scancode, keysym, 0, QString(), autorep);
}

TEST(QtKeyStateTest, KeysymsAndQtKeysMapToTheGamesCodes) {
  TestApp();
  const struct {
    const char* what;
    int qtkey;
    quint32 keysym;
    Qt::KeyboardModifiers mods;
    int vk;
  } cases[] = {
      {"left control", Qt::Key_Control, 0xffe3, Qt::ControlModifier, 0xA2},
      {"right control", Qt::Key_Control, 0xffe4, Qt::ControlModifier, 0xA3},
      {"left alt", Qt::Key_Alt, 0xffe9, Qt::AltModifier, 0xA4},
      {"right alt", Qt::Key_Alt, 0xffea, Qt::AltModifier, 0xA5},
      {"keypad plus", Qt::Key_Plus, 0xffab, Qt::KeypadModifier, 0x6B},
      {"keypad minus", Qt::Key_Minus, 0xffad, Qt::KeypadModifier, 0x6D},
      {"main plus", Qt::Key_Plus, '+', Qt::ShiftModifier, 0xBB},
      {"main minus", Qt::Key_Minus, '-', Qt::NoModifier, 0xBD},
      {"keypad up without num lock", Qt::Key_Up, 0xff97, Qt::KeypadModifier, 0x26},
      {"keypad 7", Qt::Key_7, 0xffb7, Qt::KeypadModifier, 0x67},
      {"lower-case letter", Qt::Key_A, 'a', Qt::NoModifier, 0x41},
      {"shifted letter", Qt::Key_X, 'X', Qt::ShiftModifier, 0x58},
      {"escape", Qt::Key_Escape, 0xff1b, Qt::NoModifier, 0x1B},
      {"space", Qt::Key_Space, ' ', Qt::NoModifier, 0x20},
      {"arrows", Qt::Key_Down, 0xff54, Qt::NoModifier, 0x28},
      {"F1", Qt::Key_F1, 0xffbe, Qt::NoModifier, 0x70},
      {"F12", Qt::Key_F12, 0xffc9, Qt::NoModifier, 0x7B},
      // Without a keysym the Qt key decides; left and right are then the left ones.
      {"qt control", Qt::Key_Control, 0, Qt::ControlModifier, 0xA2},
      {"qt alt", Qt::Key_Alt, 0, Qt::AltModifier, 0xA4},
      {"qt keypad plus", Qt::Key_Plus, 0, Qt::KeypadModifier, 0x6B},
      {"qt main plus", Qt::Key_Plus, 0, Qt::NoModifier, 0xBB},
      {"qt keypad digit", Qt::Key_3, 0, Qt::KeypadModifier, 0x63},
      {"qt letter", Qt::Key_R, 0, Qt::NoModifier, 0x52},
      {"qt left", Qt::Key_Left, 0, Qt::NoModifier, 0x25},
      // A keysym the game has no code for falls back to the Qt key.
      {"unknown keysym", Qt::Key_Escape, 0x1008ff13, Qt::NoModifier, 0x1B},
      {"nothing known", Qt::Key_VolumeUp, 0x1008ff13, Qt::NoModifier, 0},
  };
  for (const auto& c : cases) {
    const QKeyEvent e = Key(QEvent::KeyPress, c.qtkey, c.keysym, 0, c.mods);
    EXPECT_EQ(TQtKeyState::VirtualKey(e), c.vk) << c.what;
  }
}

TEST(QtKeyStateTest, DownNowAndPressedSinceTheLastQuery) {
  TQtKeyState keys;
  EXPECT_FALSE(keys.Query(vk::LControl).Hit());

  keys.KeyPress(Key(QEvent::KeyPress, Qt::Key_Control, 0xffe3, 37));
  TKeyQuery q = keys.Query(vk::LControl);
  EXPECT_TRUE(q.down);
  EXPECT_TRUE(q.pressed);
  q = keys.Query(vk::LControl);  // held: still down, no new press
  EXPECT_TRUE(q.down);
  EXPECT_FALSE(q.pressed);
  // Auto-repeat neither presses again nor releases.
  keys.KeyRelease(Key(QEvent::KeyRelease, Qt::Key_Control, 0xffe3, 37, {}, true));
  keys.KeyPress(Key(QEvent::KeyPress, Qt::Key_Control, 0xffe3, 37, {}, true));
  q = keys.Query(vk::LControl);
  EXPECT_TRUE(q.down);
  EXPECT_FALSE(q.pressed);
  keys.KeyRelease(Key(QEvent::KeyRelease, Qt::Key_Control, 0xffe3, 37));
  EXPECT_FALSE(keys.Query(vk::LControl).Hit());
  // The right Control is another key.
  EXPECT_FALSE(keys.Query(0xA3).Hit());

  // A tap between two queries is seen once, by the next query of that key only.
  keys.KeyPress(Key(QEvent::KeyPress, Qt::Key_Up, 0xff52, 111));
  keys.KeyRelease(Key(QEvent::KeyRelease, Qt::Key_Up, 0xff52, 111));
  EXPECT_FALSE(keys.Query(vk::Down).Hit());
  q = keys.Query(vk::Up);
  EXPECT_FALSE(q.down);
  EXPECT_TRUE(q.pressed);
  EXPECT_FALSE(keys.Query(vk::Up).Hit());
}

TEST(QtKeyStateTest, ReleaseFollowsThePhysicalKeyWhenItsKeysymChanged) {
  TQtKeyState keys;
  // Keypad 7 goes down with Num Lock on and comes up as Home after Num Lock went off.
  keys.KeyPress(Key(QEvent::KeyPress, Qt::Key_7, 0xffb7, 79, Qt::KeypadModifier));
  keys.KeyRelease(Key(QEvent::KeyRelease, Qt::Key_Home, 0xff95, 79, Qt::KeypadModifier));
  EXPECT_FALSE(keys.Query(0x67).down);
}

TEST(QtKeyStateTest, LosingTheKeyboardReleasesEveryKey) {
  TestApp();
  QWidget window;
  TQtKeyState keys;
  window.installEventFilter(&keys);
  auto press = [&](int qtkey, quint32 sym, quint32 scan) {
    QKeyEvent e = Key(QEvent::KeyPress, qtkey, sym, scan);
    QCoreApplication::sendEvent(&window, &e);
  };
  press(Qt::Key_Control, 0xffe3, 37);
  press(Qt::Key_Left, 0xff51, 113);
  EXPECT_TRUE(keys.IsDown(vk::LControl));
  EXPECT_TRUE(keys.IsDown(vk::Left));
  for (QEvent::Type lost : {QEvent::FocusOut, QEvent::WindowDeactivate}) {
    press(Qt::Key_Control, 0xffe3, 37);
    if (lost == QEvent::FocusOut) {
      QFocusEvent e(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
      QCoreApplication::sendEvent(&window, &e);
    } else {
      QEvent e(lost);
      QCoreApplication::sendEvent(&window, &e);
    }
    EXPECT_FALSE(keys.IsDown(vk::LControl)) << lost;
    EXPECT_FALSE(keys.IsDown(vk::Left)) << lost;
  }
  // A key pressed just before still counts once, so a quick tap is not lost.
  EXPECT_TRUE(keys.Query(vk::LControl).pressed);
}

TEST(QtKeyStateTest, MainWindowFeedsItsOwnKeyState) {
  TestApp();
  TRecordingDialogs dialogs;
  TUniverseOptions o;
  o.collection = "/nonexistent-gravonaut-folder/gravonaut.cav";
  o.dialogs = &dialogs;
  o.start_timer = false;
  TUniverse u(o);
  QKeyEvent e = Key(QEvent::KeyPress, Qt::Key_Control, 0xffe3, 37, Qt::ControlModifier);
  QCoreApplication::sendEvent(&u, &e);
  EXPECT_TRUE(u.Keys().Query(vk::LControl).down);
  u.gametickerTimer();  // the maze reads the same keys: thrust starts the run
  EXPECT_EQ(u.Cave()->GameState(), gs_practice);
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QCoreApplication::sendEvent(&u, &out);
  EXPECT_FALSE(u.Keys().Query(vk::LControl).down);
}

}  // namespace
