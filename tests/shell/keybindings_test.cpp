// Key bindings: what may be bound, how the key state reports a bound key to the model, the
// Settings dialog that binds them, and the main window that applies, stores and shows them.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <stdexcept>

#include "gx_frames.h"
#include "gx_gamesound.h"
#include "gx_help.h"
#include "gx_keybindings.h"
#include "gx_rocket.h"
#include "gx_settingsdialog.h"
#include "gx_testwindow.h"
#include "key_events.h"
#include "qt_keystate.h"
#include "shell_fixture.h"

namespace {

const TTestKey kK{Qt::Key_K, "k", 'k', 45};
const TTestKey kJ{Qt::Key_J, "j", 'j', 44};
const TTestKey kO{Qt::Key_O, "o", 'o', 32};
const TTestKey kM{Qt::Key_M, "m", 'm', 58};

TKeyBindings ThrustOnK() {
  TKeyBindings b = TKeyBindings::Defaults();
  b[TGameAction::Thrust] = {'K', 'J'};
  return b;
}

TEST(KeyBindings, TheDefaultsAreTheGamesTable) {
  const TKeyBindings d = TKeyBindings::Defaults();
  EXPECT_EQ(d[TGameAction::Thrust], (TKeyList{vk::LControl, 0}));
  EXPECT_EQ(d[TGameAction::Fire], (TKeyList{vk::Up, vk::LMenu}));
  EXPECT_EQ(d[TGameAction::TurnLeft], (TKeyList{vk::Left, vk::A}));
  EXPECT_EQ(d[TGameAction::TurnRight], (TKeyList{vk::Right, vk::D}));
  EXPECT_EQ(d[TGameAction::Freeze], (TKeyList{vk::Down, vk::F}));
  EXPECT_EQ(d[TGameAction::Restart], (TKeyList{vk::Space, vk::X}));
  EXPECT_TRUE(BindingsValid(d));
  // With the defaults every key reports what it did before there were bindings: the key
  // itself, or the first key of its action, which the model samples in its place.
  const auto map = KeyMapOf(d);
  for (int code = 1; code < 256; ++code) {
    std::uint8_t expected = static_cast<std::uint8_t>(code);
    if (code == vk::A) expected = vk::Left;
    if (code == vk::D) expected = vk::Right;
    if (code == vk::F) expected = vk::Down;
    if (code == vk::X) expected = vk::Space;
    if (code == vk::LMenu) expected = vk::Up;
    EXPECT_EQ(map[code], expected) << code;
  }
}

TEST(KeyBindings, RefusesKeysTakenOrUnknown) {
  const TKeyBindings d = TKeyBindings::Defaults();
  const struct {
    TGameAction action;
    int slot;
    std::uint8_t code;
    const char* why;
  } cases[] = {
      {TGameAction::Thrust, 0, 'K', ""},
      {TGameAction::Thrust, 1, 0, ""},
      {TGameAction::Thrust, 0, 0, "Every action needs a first key."},
      {TGameAction::Thrust, 0, vk::Up, "Up is already a key of Fire."},
      {TGameAction::Thrust, 1, vk::X, "X is already a key of Restart."},
      {TGameAction::TurnLeft, 1, vk::Left, "Left is already the other key of Turn left."},
      {TGameAction::TurnLeft, 1, vk::A, ""},  // its own key again
      {TGameAction::Fire, 0, vk::E, "E is a window key (Edit maze)."},
      {TGameAction::Fire, 0, vk::Escape, "Esc is a window key (Exit)."},
      {TGameAction::Fire, 0, vk::F1, "F1 is a window key (Help)."},
      {TGameAction::Fire, 0, 'O', "O is a window key (Settings)."},
      {TGameAction::Fire, 0, vk::R, "R is a window key (Clear score)."},
      {TGameAction::Fire, 0, vk::Add, "+ is a window key (Zoom in)."},
      {TGameAction::Fire, 0, 0x5B, "This key cannot be bound."},  // no name
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BindingRefusal(d, c.action, c.slot, c.code), c.why)
        << ActionName(c.action) << " " << c.slot << " " << int(c.code);
  }
}

TEST(KeyBindings, TheKeyStateReportsBoundKeysAsTheModelsCodes) {
  TQtKeyState keys;
  TKeyBindings b = TKeyBindings::Defaults();
  b[TGameAction::Thrust] = {vk::Up, 'K'};    // fire's old key
  b[TGameAction::Fire] = {vk::LControl, 0};  // thrust's old key
  keys.SetKeyMap(KeyMapOf(b));
  auto press = [&](int qtkey, quint32 sym, quint32 scan) {
    keys.KeyPress(QKeyEvent(QEvent::KeyPress, qtkey, {}, scan, sym, 0));
  };
  auto release = [&](int qtkey, quint32 sym, quint32 scan) {
    keys.KeyRelease(QKeyEvent(QEvent::KeyRelease, qtkey, {}, scan, sym, 0));
  };
  press(Qt::Key_Up, 0xff52, 111);
  EXPECT_TRUE(keys.Query(vk::LControl).down);  // thrust
  EXPECT_FALSE(keys.Query(vk::Up).Hit());      // not fire
  // Both keys of thrust held: it stays down until the last one is let go.
  press(Qt::Key_K, 'k', 45);
  release(Qt::Key_Up, 0xff52, 111);
  EXPECT_TRUE(keys.Query(vk::LControl).down);
  release(Qt::Key_K, 'k', 45);
  EXPECT_FALSE(keys.Query(vk::LControl).Hit());
  // Left Alt is bound to nothing now; Escape and R, read by the model directly, still are.
  press(Qt::Key_Alt, 0xffe9, 64);
  press(Qt::Key_Escape, 0xff1b, 9);
  press(Qt::Key_R, 'r', 27);
  EXPECT_FALSE(keys.Query(vk::Up).Hit());
  EXPECT_FALSE(keys.Query(vk::LMenu).Hit());
  EXPECT_TRUE(keys.Query(vk::Escape).down);
  EXPECT_TRUE(keys.Query(vk::R).down);
}

TEST(KeyBindings, PadAndKeyboardHoldACodeTogether) {
  TQtKeyState keys;
  keys.SetPadKey(vk::LControl, true);
  TKeyQuery q = keys.Query(vk::LControl);
  EXPECT_TRUE(q.down);
  EXPECT_TRUE(q.pressed);
  keys.KeyPress(QKeyEvent(QEvent::KeyPress, Qt::Key_Control, {}, 37, 0xffe3, 0));
  keys.SetPadKey(vk::LControl, false);
  EXPECT_TRUE(keys.Query(vk::LControl).down);  // the keyboard still holds it
  keys.KeyRelease(QKeyEvent(QEvent::KeyRelease, Qt::Key_Control, {}, 37, 0xffe3, 0));
  EXPECT_FALSE(keys.Query(vk::LControl).Hit());
  keys.TapPadKey(vk::Down);  // seen once as pressed
  q = keys.Query(vk::Down);
  EXPECT_FALSE(q.down);
  EXPECT_TRUE(q.pressed);
  EXPECT_FALSE(keys.Query(vk::Down).Hit());
}

// --- the dialog -----------------------------------------------------------------------------

using SettingsDialogTest = ShellTest;

QPushButton* KeyButton(TSettingsDialog& d, TGameAction a, int slot) {
  return d.bKey[static_cast<int>(a)][slot];
}

// Clicks the key's button and presses key k on it, as a player does.
void Bind(TSettingsDialog& d, TGameAction a, int slot, const TTestKey& k) {
  QPushButton* b = KeyButton(d, a, slot);
  QTest::mouseClick(b, Qt::LeftButton);
  ASSERT_TRUE(d.Capturing());
  EXPECT_EQ(b->text(), "Press a key...");
  Press(*b, k);
  Release(*b, k);
}

TEST_F(SettingsDialogTest, BindsRefusesAndPutsBackTheDefaults) {
  TSettingsDialog d(TGameSettings{}, {}, "");
  d.show();
  Bind(d, TGameAction::Thrust, 0, kK);
  EXPECT_EQ(d.Bindings()[TGameAction::Thrust][0], 'K');
  EXPECT_EQ(KeyButton(d, TGameAction::Thrust, 0)->text(), "K");
  EXPECT_EQ(d.Message(), "");
  EXPECT_FALSE(d.Capturing());

  // Another action's key, a window key: refused with a message, the binding unchanged.
  const struct {
    TTestKey key;
    const char* message;
  } refused[] = {
      {test_keys::Up, "Up is already a key of Fire."},
      {test_keys::S, "S is a window key (Select maze)."},
      {test_keys::F1, "F1 is a window key (Help)."},
  };
  for (const auto& r : refused) {
    Bind(d, TGameAction::Thrust, 1, r.key);
    EXPECT_EQ(d.Message(), r.message);
    EXPECT_EQ(d.Bindings()[TGameAction::Thrust][1], 0);
    EXPECT_EQ(KeyButton(d, TGameAction::Thrust, 1)->text(), "None");
  }
  // Esc keeps the old key; the cross clears a second key.
  Bind(d, TGameAction::Fire, 0, test_keys::Escape);
  EXPECT_EQ(d.Bindings()[TGameAction::Fire][0], vk::Up);
  EXPECT_TRUE(d.isVisible());  // Esc did not close the dialog while waiting for a key
  QTest::mouseClick(d.findChild<QWidget*>("clear_fire"), Qt::LeftButton);
  EXPECT_EQ(d.Bindings()[TGameAction::Fire][1], 0);
  // Left Alt, now free, can become thrust's second key.
  Bind(d, TGameAction::Thrust, 1, test_keys::LAlt);
  EXPECT_EQ(d.Bindings()[TGameAction::Thrust][1], vk::LMenu);

  // Defaults on another page leave the keys alone; on the Keys page they put back the table.
  d.eVolume->setValue(10);
  d.tabs->setCurrentIndex(1);
  QTest::mouseClick(d.bDefaults, Qt::LeftButton);
  EXPECT_EQ(d.Settings().volume, 80);
  EXPECT_EQ(d.Bindings()[TGameAction::Thrust][0], 'K');
  d.tabs->setCurrentIndex(0);
  QTest::mouseClick(d.bDefaults, Qt::LeftButton);
  EXPECT_EQ(d.Bindings(), TKeyBindings::Defaults());
}

TEST_F(SettingsDialogTest, ShowsAndReturnsEveryValue) {
  TGameSettings s;
  s.keys = ThrustOnK();
  s.volume = 33;
  s.mute = true;
  s.silent_in_background = false;
  s.smooth_motion = false;
  s.smooth_edges = false;
  s.full_screen = true;
  s.pad = "Old Pad";
  s.dead_zone = 40;
  s.turn_mode = TTurnMode::Point;
  TSettingsDialog d(s, {"Pad One", "Pad Two"}, "Pad One");
  EXPECT_EQ(d.Settings(), s);
  // The stored controller is listed even when it is not connected.
  ASSERT_EQ(d.cPad->count(), 4);
  EXPECT_EQ(d.cPad->currentText(), "Old Pad (not connected)");
  EXPECT_EQ(d.lPadInUse->text(), "In use: Pad One");
  d.cPad->setCurrentIndex(2);
  EXPECT_EQ(d.Settings().pad, "Pad Two");
}

// --- the main window ------------------------------------------------------------------------

TSettingsDialog& AsSettings(QDialog& d) {
  auto* s = dynamic_cast<TSettingsDialog*>(&d);
  if (!s) throw std::logic_error("not the Settings dialog");
  return *s;
}

class SettingsWindowTest : public ShellTest {
 protected:
  std::unique_ptr<TUniverse> Game(const TGameSettings& s = {}) {
    WriteBytes(Collection(), CollectionBytes({"One"}));
    TUniverseOptions o;
    o.collection = Collection();
    o.dialogs = &dialogs;
    o.modals = &modals;
    o.start_timer = false;
    o.settings = s;
    o.settings_file = Path("config/gravonaut.conf").string();
    auto u = std::make_unique<TUniverse>(o);
    u->resize(800, 600);
    u->show();
    return u;
  }
};

TEST_F(SettingsWindowTest, AReboundThrustKeyThrustsAndTheOldOneNoLonger) {
  TGameSettings s;
  s.keys = ThrustOnK();
  auto u = Game(s);
  Press(*u, test_keys::LControl);
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_intro);  // Left Control starts nothing now
  Release(*u, test_keys::LControl);
  Press(*u, kK);
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_practice);
  Release(*u, kK);
  for (const TTestKey& k : {kK, kJ}) {
    Press(*u, k);
    u->gametickerTimer();
    EXPECT_TRUE(u->Rocket()->ThrustOn()) << k.text;
    Release(*u, k);
    u->gametickerTimer();
    EXPECT_FALSE(u->Rocket()->ThrustOn()) << k.text;
  }
  Press(*u, test_keys::LControl);
  u->gametickerTimer();
  EXPECT_FALSE(u->Rocket()->ThrustOn());
}

TEST_F(SettingsWindowTest, OOpensTheDialogFrozenAndOKAppliesAndStores) {
  auto u = Game();
  Press(*u, test_keys::LControl);
  u->gametickerTimer();
  Release(*u, test_keys::LControl);
  ASSERT_EQ(u->Cave()->GameState(), gs_practice);
  modals.Queue([&](QDialog& d) {
    TSettingsDialog& s = AsSettings(d);
    EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
    Bind(s, TGameAction::Thrust, 0, kK);
    s.eVolume->setValue(20);
    QTest::mouseClick(s.bOK, Qt::LeftButton);
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, kO);
  ASSERT_EQ(modals.shown, 1);
  EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
  EXPECT_EQ(u->Settings().keys[TGameAction::Thrust][0], 'K');
  EXPECT_EQ(u->Settings().volume, 20);
  // Stored: a new run starts with them.
  const TGameSettings stored = ReadSettings(Path("config/gravonaut.conf").string());
  EXPECT_EQ(stored, u->Settings());
  // K resumes the frozen game and thrusts; the K typed in the dialog did not.
  Press(*u, kK);
  u->gametickerTimer();
  u->gametickerTimer();
  EXPECT_TRUE(u->Rocket()->ThrustOn());

  // Cancel changes nothing, in the window or the file.
  modals.Queue([&](QDialog& d) {
    TSettingsDialog& s = AsSettings(d);
    s.eVolume->setValue(70);
    QTest::mouseClick(s.bCancel, Qt::LeftButton);
    return TScriptedModals::kDialogResult;
  });
  Release(*u, kK);
  Stroke(*u, kO);
  EXPECT_EQ(u->Settings().volume, 20);
  EXPECT_EQ(ReadSettings(Path("config/gravonaut.conf").string()).volume, 20);
}

TEST_F(SettingsWindowTest, EscapeThatClosesTheSettingsNeitherQuitsNorResumes) {
  auto u = Game();
  Press(*u, test_keys::LControl);
  u->gametickerTimer();
  Release(*u, test_keys::LControl);
  modals.Queue([&](QDialog& d) {
    u->gametickerTimer();  // the game ticks on behind the dialog, frozen
    EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
    Bind(AsSettings(d), TGameAction::Fire, 0, kK);  // the key typed reaches only the dialog
    Press(KeyTarget(d), test_keys::Escape);         // held as the dialog closes
    EXPECT_FALSE(d.isVisible());
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, kO);
  ASSERT_EQ(modals.shown, 1);
  EXPECT_EQ(u->Settings().keys[TGameAction::Fire][0], vk::Up);  // Esc forgot the change
  for (int i = 0; i < 3; ++i) {
    Repeat(*u, test_keys::Escape);
    u->gametickerTimer();
  }
  Release(*u, test_keys::Escape);
  u->gametickerTimer();
  ASSERT_NE(u->Cave(), nullptr);
  EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
}

// The sound's and the pictures' settings reach the sound and the frames at start and when the
// dialog closes with OK; --fps 0 and --no-smooth-edges hold over the settings for the run.
TEST_F(SettingsWindowTest, SoundAndPictureSettingsTakeEffect) {
  WriteBytes(Collection(), CollectionBytes({"One"}));
  TGameSound sound;
  TGameSettings s;
  s.volume = 30;
  s.mute = true;
  s.silent_in_background = false;
  TUniverseOptions o;
  o.collection = Collection();
  o.dialogs = &dialogs;
  o.modals = &modals;
  o.start_timer = false;
  o.settings = s;
  o.sound = &sound;
  auto u = std::make_unique<TUniverse>(o);
  EXPECT_EQ(sound.Volume(), 30);
  EXPECT_TRUE(sound.Muted());
  EXPECT_FALSE(sound.SilentInBackground());
  EXPECT_TRUE(u->Frames().smooth_motion);
  EXPECT_TRUE(u->SmoothEdges);
  u->show();
  modals.Queue([&](QDialog& d) {
    TSettingsDialog& sd = AsSettings(d);
    sd.eVolume->setValue(90);
    sd.cMute->setChecked(false);
    sd.cSilentInBackground->setChecked(true);
    sd.cSmoothMotion->setChecked(false);
    sd.cSmoothEdges->setChecked(false);
    d.accept();
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, kO);
  ASSERT_EQ(modals.shown, 1);
  EXPECT_EQ(sound.Volume(), 90);
  EXPECT_FALSE(sound.Muted());
  EXPECT_TRUE(sound.SilentInBackground());
  EXPECT_FALSE(u->Frames().smooth_motion);
  EXPECT_FALSE(u->SmoothEdges);
  Stroke(*u, kM);  // M is remembered as the dialog's mute
  EXPECT_TRUE(sound.Muted());
  EXPECT_TRUE(u->Settings().mute);
  u.reset();

  o.sound = nullptr;
  o.fps = 0;
  o.smooth_edges = false;
  o.settings = TGameSettings{};
  u = std::make_unique<TUniverse>(o);
  EXPECT_FALSE(u->Frames().smooth_motion);
  EXPECT_FALSE(u->SmoothEdges);
}

TEST_F(SettingsWindowTest, FullScreenTakesEffectAtOnce) {
  auto u = Game();
  ASSERT_FALSE(u->isFullScreen());
  for (bool full : {true, false}) {
    modals.Queue([&](QDialog& d) {
      AsSettings(d).cFullScreen->setChecked(full);
      d.accept();
      return TScriptedModals::kDialogResult;
    });
    Stroke(*u, kO);
    EXPECT_EQ(u->isFullScreen(), full);
  }
}

TEST_F(SettingsWindowTest, AFileThatCannotBeWrittenIsReported) {
  WriteBytes(Path("config"), "a file where the folder should be");
  auto u = Game();
  modals.Queue([&](QDialog& d) {
    AsSettings(d).eVolume->setValue(5);
    AsSettings(d).accept();
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, kO);
  EXPECT_EQ(u->Settings().volume, 5);  // in force for this run all the same
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_NE(dialogs.boxes[0].text.find("could not be written"), std::string::npos);
}

TEST_F(SettingsWindowTest, TheHelpShowsTheKeysAsBound) {
  TGameSettings s;
  s.keys = ThrustOnK();
  s.keys[TGameAction::Fire] = {vk::LControl, 0};
  s.keys[TGameAction::Restart] = {vk::Space, 0};
  auto u = Game(s);
  modals.Queue([&](QDialog& d) {
    const auto text = [&](const char* label) {
      const QLabel* l = d.findChild<QLabel*>(label);
      return l ? l->text() : QString("(missing)");
    };
    EXPECT_EQ(text("lThrust"), "K/J");
    EXPECT_EQ(text("lShoot"), "Left Ctrl");
    EXPECT_EQ(text("lReset"), "Space");
    EXPECT_EQ(text("lLeft"), "Left/A");
    EXPECT_EQ(text("lEdit"), "E");  // the window keys stay
    d.reject();
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, test_keys::F1);
  EXPECT_EQ(modals.shown, 1);
}

TEST_F(SettingsWindowTest, TestPlayInTheEditorUsesTheBoundKeys) {
  TGameTestPlay test_play(modals, nullptr, nullptr);
  test_play.SetKeyMap(KeyMapOf(ThrustOnK()));
  bool flown = false;
  modals.Queue([&](QDialog& d) {
    auto& w = dynamic_cast<TTestPlayWindow&>(d);
    Press(w, test_keys::LControl);
    w.Tick();
    EXPECT_EQ(w.Maze().GameState(), gs_intro);
    Release(w, test_keys::LControl);
    Press(w, kK);
    w.Tick();
    EXPECT_EQ(w.Maze().GameState(), gs_practice);
    flown = true;
    d.reject();
    return TScriptedModals::kDialogResult;
  });
  test_play.TestPlay(SquareMaze("Test"));
  EXPECT_TRUE(flown);
}

}  // namespace
