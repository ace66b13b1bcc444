// The game's own options on the command line, and the program playing a collection file
// offscreen until it closes by itself.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../../app/options.h"
#include "qor_text.h"

namespace {

TEST(GameOptions, CollectionMazeAndMeasurementOptions) {
  struct Case {
    std::vector<std::string> args;
    std::string collection;
    int maze;
    std::string tickLog;
    double quitAfter;
  };
  const Case cases[] = {
      {{}, "", -1, "", 0},
      {{"--collection", "other.cav"}, "other.cav", -1, "", 0},
      {{"--collection=dir/a b.cav", "--maze", "3"}, "dir/a b.cav", 2, "", 0},
      {{"--maze=1"}, "", 0, "", 0},
      {{"--tick-log", "t.txt", "--quit-after", "2.5"}, "", -1, "t.txt", 2.5},
      // The last one given counts.
      {{"--maze", "2", "--maze", "5"}, "", 4, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
    const TCommandLine cmd = ParseCommandLine(c.args, "gravonaut", "9.9");
    ASSERT_EQ(cmd.action, TCommandLine::caRun) << cmd.text;
    EXPECT_EQ(cmd.collection, c.collection);
    EXPECT_EQ(cmd.maze, c.maze);
    EXPECT_EQ(cmd.tickLog, c.tickLog);
    EXPECT_EQ(cmd.quitAfter, c.quitAfter);
  }
}

TEST(GameOptions, BadValuesAreRefusedWithTheReason) {
  const struct {
    std::vector<std::string> args;
    const char* reason;
  } cases[] = {
      {{"--collection"}, "option '--collection' needs a value"},
      {{"--collection="}, "option '--collection' needs a value"},
      {{"--maze"}, "option '--maze' needs a value"},
      {{"--maze", "0"}, "invalid maze number '0' (the first maze is 1)"},
      {{"--maze", "-2"}, "invalid maze number '-2'"},
      {{"--maze", "two"}, "invalid maze number 'two'"},
      {{"--maze", "3x"}, "invalid maze number '3x'"},
      {{"--maze", "99999999999999999999"}, "invalid maze number"},
      {{"--quit-after", "soon"}, "invalid number of seconds 'soon'"},
      {{"--quit-after", "-1"}, "invalid number of seconds '-1'"},
      {{"--collection", "a.cav", "b.cav"}, "unexpected argument 'b.cav'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    const TCommandLine cmd = ParseCommandLine(c.args, "gravonaut", "9.9");
    EXPECT_EQ(cmd.action, TCommandLine::caError);
    EXPECT_EQ(cmd.exitCode, 2);
    EXPECT_NE(cmd.text.find(c.reason), std::string::npos) << cmd.text;
  }
}

TEST(GameOptions, HelpListsTheGameOptions) {
  const std::string help = ParseCommandLine({"--help"}, "gravonaut", "9.9").text;
  for (const char* option : {"--collection FILE", "--maze N", "--tick-log", "--quit-after"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
}

// The built program beside this test program (tests/ and app/ are siblings in the build tree).
std::filesystem::path Program() {
  return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "app" /
         "gravonaut";
}

TEST(GameProgram, PlaysTheGivenCollectionAndWritesItBackWhenItCloses) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("gx_program_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const auto cav = dir / "mine.cav";
  const auto log = dir / "ticks.txt";
  // No collection yet: the built-in maze is played and, being new, written on closing.
  const std::string command = "cd '" + dir.string() + "' && QT_QPA_PLATFORM=offscreen '" +
                              Program().string() +
                              "' --collection mine.cav --maze 1 --tick-log ticks.txt"
                              " --quit-after 0.6 2>&1";
  FILE* p = popen(command.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string out;
  char buf[256];
  while (fgets(buf, sizeof buf, p)) out += buf;
  const int status = pclose(p);
  ASSERT_TRUE(WIFEXITED(status)) << out;
  EXPECT_EQ(WEXITSTATUS(status), 0) << out;
  ASSERT_TRUE(std::filesystem::exists(cav)) << out;
  EXPECT_EQ(ReadFileBytes(cav.string()).rfind("8 {TMazeList}\r\n1\r\n", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(dir / "gravonaut.cav"));
  // The game timer ran. How often it ticked depends on the machine's load (a sanitizer build
  // on a busy machine may start slowly), so only its running is checked: its first tick falls
  // due long before the quit timer's.
  std::ifstream ticks(log);
  int n = 0;
  for (std::string line; std::getline(ticks, line);) ++n;
  EXPECT_GE(n, 1);
  std::filesystem::remove_all(dir);
}

}  // namespace
