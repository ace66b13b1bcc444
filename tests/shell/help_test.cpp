// The help dialog: key names and labels, the background picture it chooses, and the main
// window's F1 around it, with the keys typed in it kept away from the frozen game.
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <map>
#include <stdexcept>

#include "gx_help.h"
#include "key_events.h"
#include "qt_dialogs.h"
#include "shell_fixture.h"

namespace {

THelpForm& AsHelp(QDialog& d) {
  auto* h = dynamic_cast<THelpForm*>(&d);
  if (!h) throw std::logic_error("not the help dialog");
  return *h;
}

void Click(QPushButton* b) {
  ASSERT_NE(b, nullptr);
  QTest::mouseClick(b, Qt::LeftButton);
}

TEST(HelpKeyNames, EveryCodeHasTheNameOfTheTable) {
  std::map<int, std::string> names = {
      {8, "Backspace"},    {9, "Tab"},          {27, "Esc"},          {32, "Space"},
      {36, "Home"},        {37, "Left"},        {38, "Up"},           {39, "Right"},
      {40, "Down"},        {45, "Ins"},         {46, "Del"},          {107, "+"},
      {109, "-"},          {160, "Left Shift"}, {161, "Right Shift"}, {162, "Left Ctrl"},
      {163, "Right Ctrl"}, {164, "Left Alt"},   {165, "Right Alt"},   {186, ";"},
      {188, ","},          {190, "."},          {191, "/"},           {192, "`"},
      {219, "["},          {220, "\\"},         {221, "]"},           {222, "'"},
  };
  // Keys a player may bind beside those of the game's own table.
  for (const auto& [code, name] : std::map<int, std::string>{{13, "Enter"},
                                                             {33, "PgUp"},
                                                             {34, "PgDn"},
                                                             {35, "End"},
                                                             {106, "Num *"},
                                                             {110, "Num ."},
                                                             {111, "Num /"}}) {
    names[code] = name;
  }
  for (char c = '0'; c <= '9'; ++c) names[c] = std::string(1, c);
  for (int n = 0; n <= 9; ++n) names[96 + n] = "Num " + std::to_string(n);
  for (char c = 'A'; c <= 'Z'; ++c) names[c] = std::string(1, c);
  for (int f = 1; f <= 12; ++f) names[111 + f] = "F" + std::to_string(f);
  for (int code = 0; code < 256; ++code) {
    const auto it = names.find(code);
    EXPECT_EQ(THelpForm::KeyName(code), it == names.end() ? "" : it->second) << code;
  }
}

TEST(HelpKeyNames, EntriesJoinTheNamesThatExist) {
  const struct {
    TKeyList keys;
    const char* text;
  } cases[] = {
      {{0x25, 0x41}, "Left/A"}, {{0xA2, 0}, "Left Ctrl"}, {{0x5B, 0x41}, "A"},
      {{0, 0x44}, "D"},         {{0x5B, 0x5C}, ""},       {{0, 0}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(THelpForm::KeyText(c.keys), c.text) << int(c.keys[0]) << "/" << int(c.keys[1]);
  }
}

using HelpTest = ShellTest;

TEST_F(HelpTest, ListsTheGameKeysInTheirRows) {
  SetProgramFilePath(QCoreApplication::applicationFilePath().toStdString());
  THelpForm help(dialogs);
  SetProgramFilePath("");
  EXPECT_EQ(help.windowTitle(), "Gravonaut 2.7");
  EXPECT_EQ(help.size(), QSize(258, 430));
  const struct {
    const char* action;
    const char* label;
    const char* keys;
  } rows[] = {
      {"Thrust", "lThrust", "Left Ctrl"},  {"Turn  Left", "lLeft", "Left/A"},
      {"Turn Right", "lRight", "Right/D"}, {"Freeze", "lFreeze", "Down/F"},
      {"Fire", "lShoot", "Up/Left Alt"},   {"Zoom out", "lZoomOut", "-"},
      {"Zoom in", "lZoomIn", "+"},         {"Edit maze", "lEdit", "E"},
      {"Select Maze", "lSelect", "S"},     {"Reset Game", "lReset", "Space/X"},
      {"Clear score", "lClear", "R/C"},    {"Exit", "lTerminate", "Esc"},
  };
  std::map<QString, QLabel*> by_text;
  for (QLabel* l : help.findChildren<QLabel*>()) by_text[l->text()] = l;
  int last_y = -1;
  for (const auto& r : rows) {
    const QLabel* key = help.findChild<QLabel*>(r.label);
    ASSERT_NE(key, nullptr) << r.label;
    EXPECT_EQ(key->text(), r.keys) << r.label;
    EXPECT_EQ(key->x(), 128) << r.label;
    ASSERT_TRUE(by_text.count(r.action)) << r.action;
    const QLabel* action = by_text[r.action];
    EXPECT_EQ(action->x(), 32) << r.action;
    EXPECT_EQ(action->y(), key->y()) << r.action;  // same row
    EXPECT_GT(key->y(), last_y) << r.action;       // rows top to bottom
    last_y = key->y();
  }
  for (const char* heading : {"Rocket movement:", "Maze manipulation:", "Maze background:"}) {
    ASSERT_TRUE(by_text.count(heading)) << heading;
    EXPECT_EQ(by_text[heading]->x(), 8) << heading;
  }
  EXPECT_EQ(help.bPlay->text(), "&Play");
  EXPECT_TRUE(help.bPlay->isDefault());
  EXPECT_TRUE(help.bPlay->font().bold());
  EXPECT_EQ(help.bChgBg->toolTip(), "Change background style");
  EXPECT_EQ(help.bClear->toolTip(), "Clear background picture");
  EXPECT_FALSE(help.bChgBg->icon().isNull());
  EXPECT_FALSE(help.bClear->icon().isNull());
}

TEST_F(HelpTest, PictureButtonsChooseAndClearTheName) {
  THelpForm help(dialogs);
  EXPECT_EQ(help.lbkgrnd->text(), "Maze background color");
  EXPECT_TRUE(help.bClear->isHidden());

  const std::string sky = Path("pictures/sky.jpg").string();
  dialogs.QueueFile(sky);
  Click(help.bChgBg);
  ASSERT_EQ(dialogs.fileAsks.size(), 1u);
  const TRecordingDialogs::TFileAsk& ask = dialogs.fileAsks[0];
  EXPECT_FALSE(ask.save);
  EXPECT_EQ(ask.options.filter,
            "All imagetypes|*.bmp;*.jpg;*.jpeg|Windows BMP files (*.bmp)|*.bmp|"
            "JPEG files (*.jpg, *.jpeg)|*.jpg;*.jpeg");
  EXPECT_EQ(ask.options.filterIndex, 1);
  EXPECT_EQ(ask.options.fileName, "");
  EXPECT_TRUE(ask.options.mustExist);
  EXPECT_EQ(ask.options.defaultExt, "");
  EXPECT_EQ(ask.options.initialDir, "");
  EXPECT_EQ(help.picfn(), sky);
  EXPECT_EQ(help.lbkgrnd->text(), "sky.jpg");
  EXPECT_FALSE(help.bClear->isHidden());

  // Cancelled: the name stays; the dialog started from the chosen name.
  Click(help.bChgBg);
  ASSERT_EQ(dialogs.fileAsks.size(), 2u);
  EXPECT_EQ(dialogs.fileAsks[1].options.fileName, sky);
  EXPECT_EQ(help.picfn(), sky);

  Click(help.bClear);
  EXPECT_EQ(help.picfn(), "");
  EXPECT_EQ(help.lbkgrnd->text(), "Maze background color");
  EXPECT_TRUE(help.bClear->isHidden());
}

// A small JPEG in the test's folder.
std::string Picture(const std::filesystem::path& p, QColor colour) {
  QImage img(32, 24, QImage::Format_RGB32);
  img.fill(colour);
  EXPECT_TRUE(img.save(QString::fromStdString(p.string()), "JPEG"));
  return p.string();
}

TEST_F(HelpTest, PlayHandsTheChosenPictureToTheWindowAndCloseDiscards) {
  auto u = Start();
  const std::string sky = Picture(Path("sky.jpg"), QColor(40, 90, 200));
  // Choose sky.jpg and play.
  dialogs.QueueFile(sky);
  modals.Queue([&](QDialog& d) {
    THelpForm& h = AsHelp(d);
    EXPECT_EQ(h.parentWidget(), u.get());
    EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
    EXPECT_EQ(h.lbkgrnd->text(), "Maze background color");
    Click(h.bChgBg);
    EXPECT_EQ(h.lbkgrnd->text(), "sky.jpg");
    EXPECT_TRUE(u->Background().isNull());  // loaded only when the dialog closes with OK
    Click(h.bPlay);
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, test_keys::F1);
  ASSERT_EQ(modals.shown, 1);
  EXPECT_EQ(u->picfn(), sky);  // the full name
  ASSERT_FALSE(u->Background().isNull());
  EXPECT_EQ(u->Cave()->bkgrnd, &u->Background());
  EXPECT_EQ(u->Cave()->GameState(), gs_freeze);  // frozen after the dialog too

  // Clear, then the window's close button: the picture stays.
  modals.Queue([&](QDialog& d) {
    THelpForm& h = AsHelp(d);
    EXPECT_EQ(h.picfn(), sky);
    EXPECT_EQ(h.lbkgrnd->text(), "sky.jpg");
    Click(h.bClear);
    h.close();
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, test_keys::F1);
  EXPECT_EQ(u->picfn(), sky);
  EXPECT_FALSE(u->Background().isNull());

  // Clear and Enter: the picture goes.
  modals.Queue([&](QDialog& d) {
    Click(AsHelp(d).bClear);
    QTest::keyClick(&KeyTarget(d), Qt::Key_Return);
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, test_keys::F1);
  EXPECT_EQ(u->picfn(), "");
  EXPECT_TRUE(u->Background().isNull());
  EXPECT_EQ(u->Cave()->bkgrnd, nullptr);
}

// F1 opens the help on its press; its release may come before the help has the keyboard, at
// the main window, which the help blocks and Qt drops it there. The next F1 is a new press.
TEST_F(HelpTest, F1PlayF1OpensTheHelpEveryTime) {
  auto u = Start();
  for (int round = 1; round <= 3; ++round) {
    modals.Queue([&](QDialog& d) {
      QTest::keyRelease(u->windowHandle(), Qt::Key_F1);  // lost at the blocked window
      Click(AsHelp(d).bPlay);
      return TScriptedModals::kDialogResult;
    });
    QTest::keyPress(u.get(), Qt::Key_F1);
    EXPECT_EQ(modals.shown, round);
  }
}

// A run in progress with a best time to lose, played with the window's own key events.
class HelpKeysTest : public HelpTest {
 protected:
  std::unique_ptr<TUniverse> Running(TDialogService* service = nullptr) {
    WriteBytes(Collection(), CollectionBytes({"One"}));  // with a ball: the run goes on
    auto u = Start(-1, /*own_keys=*/true, service);
    u->Cave()->bestdur = 9.5;
    Press(*u, test_keys::LControl);
    u->gametickerTimer();
    EXPECT_EQ(u->Cave()->GameState(), gs_practice);
    return u;
  }
  // The game as the help left it: frozen, still there, its best time kept.
  void ExpectUntouched(TUniverse& u, const std::string& when) {
    ASSERT_NE(u.Cave(), nullptr) << when << ": the game has quit";
    EXPECT_EQ(u.Cave()->GameState(), gs_freeze) << when;
    EXPECT_EQ(u.Cave()->bestdur, 9.5) << when;
  }
};

TEST_F(HelpKeysTest, KeysTypedInTheHelpNeverReachTheFrozenGame) {
  auto u = Running();
  // F1 while thrust is still held and fire was just tapped: the ticks behind the help must
  // not resume the run.
  modals.Queue([&](QDialog& d) {
    u->gametickerTimer();
    ExpectUntouched(*u, "thrust held while the help opened");
    for (const TTestKey& k : {test_keys::Left, test_keys::Right, test_keys::Up, test_keys::R,
                              test_keys::C, test_keys::LAlt, test_keys::LControl}) {
      Stroke(KeyTarget(d), k);
      u->gametickerTimer();
      ExpectUntouched(*u, "after key " + std::to_string(k.keysym));
    }
    // Held in the dialog when Esc closes it.
    Press(KeyTarget(d), test_keys::Up);
    Press(KeyTarget(d), test_keys::C);
    Press(KeyTarget(d), test_keys::Escape);
    EXPECT_FALSE(d.isVisible());
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, test_keys::Up);  // tapped just before F1, not sampled yet
  Press(*u, test_keys::F1);
  ASSERT_EQ(modals.shown, 1);
  u->gametickerTimer();
  ExpectUntouched(*u, "after the help closed");
  // The held keys now repeat at the main window, marked or (as X11 sends them now and then)
  // as a release and a press with one time stamp; then they are let go.
  for (int i = 0; i < 3; ++i) {
    for (const TTestKey& k : {test_keys::Escape, test_keys::C, test_keys::Up}) Repeat(*u, k);
    u->gametickerTimer();
  }
  quint64 time = 1000;
  for (const TTestKey& k : {test_keys::Escape, test_keys::C, test_keys::Up}) {
    UnmarkedRepeat(*u, k, time += 40);
  }
  u->gametickerTimer();
  ExpectUntouched(*u, "keys held from the help");
  for (const TTestKey& k :
       {test_keys::Escape, test_keys::C, test_keys::Up, test_keys::LControl, test_keys::F1}) {
    Release(*u, k);
  }
  u->gametickerTimer();
  ExpectUntouched(*u, "keys let go");
  // A fresh press of a turn key resumes the run.
  Stroke(*u, test_keys::Left);
  u->gametickerTimer();
  ASSERT_NE(u->Cave(), nullptr);
  EXPECT_EQ(u->Cave()->GameState(), gs_practice);
}

TEST_F(HelpKeysTest, EscapeInTheFileDialogOfTheHelpNeitherQuitsNorResumes) {
  // Real file dialogs, run through the scripted modals.
  TQtDialogService desktop(&modals);
  auto u = Running(&desktop);
  Release(*u, test_keys::LControl);
  const std::string before = u->picfn();
  QString file_dialog_class;
  modals.Queue([&](QDialog& d) {
    THelpForm& h = AsHelp(d);
    Click(h.bChgBg);  // runs the next script
    u->gametickerTimer();
    ExpectUntouched(*u, "file dialog cancelled");
    EXPECT_EQ(h.picfn(), before);
    // The Escape that closed the file dialog, still held, repeats here and is let go.
    UnmarkedRepeat(KeyTarget(d), test_keys::Escape, 700);
    Repeat(KeyTarget(d), test_keys::Escape);
    Release(KeyTarget(d), test_keys::Escape);
    EXPECT_TRUE(d.isVisible());  // it closed the file dialog only
    // Escape again, held when it closes the help.
    Press(KeyTarget(d), test_keys::Escape);
    EXPECT_FALSE(d.isVisible());
    return TScriptedModals::kDialogResult;
  });
  QStringList filters;
  modals.Queue([&](QDialog& d) {
    file_dialog_class = d.metaObject()->className();
    if (auto* f = qobject_cast<QFileDialog*>(&d)) filters = f->nameFilters();
    for (const TTestKey& k : {test_keys::R, test_keys::Up, test_keys::LAlt})
      Stroke(KeyTarget(d), k);
    Press(KeyTarget(d), test_keys::Escape);
    EXPECT_FALSE(d.isVisible());
    return TScriptedModals::kDialogResult;
  });
  Stroke(*u, test_keys::F1);
  EXPECT_EQ(file_dialog_class, "QFileDialog");
  // Each pattern once, in the brackets Qt reads them from.
  EXPECT_EQ(filters, (QStringList{"All imagetypes (*.bmp *.jpg *.jpeg)",
                                  "Windows BMP files (*.bmp)", "JPEG files (*.jpg *.jpeg)"}));
  EXPECT_EQ(modals.shown, 2);
  Repeat(*u, test_keys::Escape);
  UnmarkedRepeat(*u, test_keys::Escape, 900);
  UnmarkedRepeat(*u, test_keys::Escape, 940);
  u->gametickerTimer();
  ExpectUntouched(*u, "Escape held from the help");
  Release(*u, test_keys::Escape);
  u->gametickerTimer();
  ExpectUntouched(*u, "Escape let go");
  EXPECT_EQ(u->picfn(), before);
}

TEST_F(HelpTest, AnErrorInTheHelpIsShownAndTheGameStaysFrozen) {
  auto u = Start();
  u->SetRunning(true);
  TRecordingDialogs last_resort;
  TGameApplication::SetErrorDialogs(&last_resort);
  modals.Queue([](QDialog&) -> int { throw std::runtime_error("No help today"); });
  Stroke(*u, test_keys::F1);
  TGameApplication::SetErrorDialogs(nullptr);
  EXPECT_TRUE(last_resort.boxes.empty());  // shown by the window, not unwound through Qt
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "Error");
  EXPECT_EQ(dialogs.boxes[0].text, "No help today");
  EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
  EXPECT_TRUE(u->GameTicker().isActive());
}

TEST_F(HelpTest, F1OnAFrozenGameKeepsTheWayBack) {
  auto u = Start();
  keys.Down(vk::LControl);
  u->gametickerTimer();
  keys.Up(vk::LControl);
  keys.Tap(vk::Down);  // the freeze key
  u->gametickerTimer();
  ASSERT_EQ(u->Cave()->GameState(), gs_freeze);
  Stroke(*u, test_keys::F1);  // the help opens and is closed at once
  Stroke(*u, test_keys::F1);
  EXPECT_EQ(modals.shown, 2);
  EXPECT_EQ(u->Cave()->GameState(), gs_freeze);
  keys.Tap(vk::Up);
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_practice);
}

}  // namespace
