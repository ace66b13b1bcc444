// The settings file: every value written and read back, a damaged or hostile file costing
// only the values it spoils, only changed values written back, and where the file lives.
#include <QSettings>

#include "../../app/options.h"
#include "gx_settings.h"
#include "shell_fixture.h"

namespace {

using SettingsTest = ShellTest;

// Settings unlike the defaults in every value, with key names INI files treat specially.
TGameSettings Unusual() {
  TGameSettings s;
  s.keys[TGameAction::Thrust] = {'K', 0xBA};            // K and ";"
  s.keys[TGameAction::Fire] = {0xBC, 0xDC};             // "," and "\"
  s.keys[TGameAction::TurnLeft] = {'J', 0};             // no second key
  s.keys[TGameAction::TurnRight] = {'L', 0xDE};         // L and "'"
  s.keys[TGameAction::Freeze] = {0x23, 0x67};           // End and Num 7
  s.keys[TGameAction::Restart] = {vk::LControl, 0x0D};  // Left Ctrl and Enter
  s.volume = 0;
  s.mute = true;
  s.silent_in_background = false;
  s.smooth_motion = false;
  s.smooth_edges = false;
  s.full_screen = true;
  s.pad = "Pad = \"Pro\", #2; [left]";
  s.dead_zone = 90;
  s.turn_mode = TTurnMode::Point;
  return s;
}

TEST_F(SettingsTest, WrittenAndReadBack) {
  const std::string file = Path("config/gravonaut/gravonaut.conf").string();
  const TGameSettings s = Unusual();
  ASSERT_TRUE(BindingsValid(s.keys));
  ASSERT_TRUE(WriteSettings(file, s));
  std::vector<std::string> problems;
  EXPECT_EQ(ReadSettings(file, &problems), s);
  EXPECT_TRUE(problems.empty()) << problems.front();
  // And the defaults too, which a fresh file holds after "Defaults".
  ASSERT_TRUE(WriteSettings(file, TGameSettings{}));
  EXPECT_EQ(ReadSettings(file), TGameSettings{});
}

TEST_F(SettingsTest, AMissingFileGivesTheDefaultsQuietly) {
  std::vector<std::string> problems;
  EXPECT_EQ(ReadSettings(Path("none.conf").string(), &problems), TGameSettings{});
  EXPECT_EQ(ReadSettings("", &problems), TGameSettings{});
  EXPECT_TRUE(problems.empty());
}

// Each damaged value falls back to its default; the good line in the same file still counts.
TEST_F(SettingsTest, ADamagedValueCostsOnlyItself) {
  const struct {
    const char* section;
    const char* line;
  } cases[] = {
      {"Sound", "volume=loud"},     {"Sound", "volume=101"},
      {"Sound", "volume=-1"},       {"Sound", "volume=80.5"},
      {"Sound", "volume=1, 2"},  // a list, not a number
      {"Sound", "mute=perhaps"},    {"Display", "full_screen="},
      {"Gamepad", "dead_zone=91"},  {"Gamepad", "dead_zone=99999999999999999999"},
      {"Gamepad", "turning=spin"},  {"Keys", "thrust_1=Hyper"},  // no such key
      {"Keys", "thrust_1="},                                     // the first key cannot be none
      {"Keys", "thrust_1=E"},                                    // a window key
      {"Keys", "fire_2=Esc"},                                    // a window key
      {"Keys", "fire_1=Left Ctrl"},                              // thrust's key
      {"Keys", "turn_left_2=Left"},                              // its own first key
  };
  for (const auto& c : cases) {
    const std::filesystem::path file = Path("damaged.conf");
    WriteBytes(file,
               std::string("[") + c.section + "]\n" + c.line + "\n[Display]\nsmooth_edges=false\n");
    std::vector<std::string> problems;
    TGameSettings expected;
    expected.smooth_edges = false;
    EXPECT_EQ(ReadSettings(file.string(), &problems), expected) << c.line;
    EXPECT_FALSE(problems.empty()) << c.line;
  }
}

TEST_F(SettingsTest, HostileFilesGiveTheDefaults) {
  std::string garbage;
  for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  std::string huge(1 << 20, 'x');
  huge = "[Sound]\nvolume=3\n" + huge;
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"binary garbage", garbage},
      {"a megabyte", huge},
      {"unbalanced sections", "[Sound\nvolume=300\n[[[\n=\n\\\n\"\n[Keys]]\nthrust_1=\"\n"},
      {"keys without section", "volume=3\nthrust_1=K\n"},
  };
  for (const auto& c : cases) {
    WriteBytes(Path("hostile.conf"), c.bytes);
    const TGameSettings s = ReadSettings(Path("hostile.conf").string());
    EXPECT_TRUE(BindingsValid(s.keys)) << c.what;
    EXPECT_EQ(s.volume, 80) << c.what;
    EXPECT_EQ(s.keys, TKeyBindings::Defaults()) << c.what;
  }
  // A folder where the file should be.
  std::filesystem::create_directories(Path("folder.conf"));
  EXPECT_EQ(ReadSettings(Path("folder.conf").string()), TGameSettings{});
}

TEST_F(SettingsTest, BindingsAreCheckedTogether) {
  const struct {
    const char* lines;
    TKeyBindings expected;
  } cases[] = {
      // Thrust and fire swapped: each clashes with the other's default alone, not together.
      {"thrust_1=Up\nthrust_2=Left Alt\nfire_1=Left Ctrl\nfire_2=\n",
       [] {
         TKeyBindings b = TKeyBindings::Defaults();
         b[TGameAction::Thrust] = {vk::Up, vk::LMenu};
         b[TGameAction::Fire] = {vk::LControl, 0};
         return b;
       }()},
      // Two actions on K: the later one gives way to its default.
      {"thrust_1=K\nrestart_2=K\n",
       [] {
         TKeyBindings b = TKeyBindings::Defaults();
         b[TGameAction::Thrust] = {'K', 0};
         return b;
       }()},
      // A key taken from a default that the file then does not free.
      {"freeze_1=A\n", [] { return TKeyBindings::Defaults(); }()},
  };
  for (const auto& c : cases) {
    WriteBytes(Path("keys.conf"), std::string("[Keys]\n") + c.lines);
    const TGameSettings s = ReadSettings(Path("keys.conf").string());
    EXPECT_EQ(s.keys, c.expected) << c.lines;
    EXPECT_TRUE(BindingsValid(s.keys)) << c.lines;
  }
}

TEST_F(SettingsTest, OnlyChangedValuesAreWrittenBack) {
  const std::string file = Path("gravonaut.conf").string();
  TGameSettings stored;
  stored.volume = 40;
  ASSERT_TRUE(WriteSettings(file, stored));
  // This run plays in full screen by the command line; the player changes only the volume.
  TGameSettings before = stored;
  before.full_screen = true;
  TGameSettings after = before;
  after.volume = 55;
  after.keys[TGameAction::Thrust] = {'K', 0};
  ASSERT_TRUE(UpdateSettings(file, before, after));
  TGameSettings expected = stored;
  expected.volume = 55;
  expected.keys[TGameAction::Thrust] = {'K', 0};
  EXPECT_EQ(ReadSettings(file), expected);
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenIsReported) {
  WriteBytes(Path("plain"), "a file, not a folder");
  EXPECT_FALSE(WriteSettings(Path("plain/gravonaut.conf").string(), TGameSettings{}));
  EXPECT_FALSE(UpdateSettings(Path("plain/gravonaut.conf").string(), TGameSettings{}, Unusual()));
}

TEST(SettingsFile, FollowsTheDesktopsConfigFolder) {
  const struct {
    const char* xdg;
    const char* home;
    const char* file;
  } cases[] = {
      {"/x/config", "/home/p", "/x/config/gravonaut/gravonaut.conf"},
      {"", "/home/p", "/home/p/.config/gravonaut/gravonaut.conf"},
      {nullptr, "/home/p", "/home/p/.config/gravonaut/gravonaut.conf"},
      {"relative/config", "/home/p", "/home/p/.config/gravonaut/gravonaut.conf"},
      {nullptr, nullptr, ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultSettingsFile(c.xdg, c.home), c.file)
        << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
  }
}

// The command line chooses full screen or a window for one run; the last word counts.
TEST(SettingsOptions, FullScreenOrWindowForTheRun) {
  const struct {
    std::vector<std::string> args;
    int full_screen;
  } cases[] = {
      {{}, 0},
      {{"--full-screen"}, 1},
      {{"--window"}, -1},
      {{"--window", "--full-screen"}, 1},
  };
  for (const auto& c : cases) {
    const TCommandLine cmd = ParseCommandLine(c.args, "gravonaut", "9.9");
    ASSERT_EQ(cmd.action, TCommandLine::caRun) << cmd.text;
    EXPECT_EQ(cmd.fullScreen, c.full_screen) << (c.args.empty() ? "" : c.args.back());
  }
  const std::string help = ParseCommandLine({"--help"}, "gravonaut", "9.9").text;
  EXPECT_NE(help.find("--full-screen"), std::string::npos);
  EXPECT_NE(help.find("--window"), std::string::npos);
}

}  // namespace
