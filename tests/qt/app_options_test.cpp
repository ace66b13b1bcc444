// The gravonaut command line, as a function and as the built program answers it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../../app/options.h"

namespace {

TEST(CommandLine, ChoosesWhatToDo) {
  struct Case {
    std::vector<std::string> args;
    TCommandLine::TAction action;
    int exitCode;
  };
  const Case cases[] = {
      {{}, TCommandLine::caRun, 0},
      {{"--version"}, TCommandLine::caVersion, 0},
      {{"--help"}, TCommandLine::caHelp, 0},
      {{"-h"}, TCommandLine::caHelp, 0},
      {{"--help", "--bogus"}, TCommandLine::caHelp, 0},
      {{"--bogus", "--help"}, TCommandLine::caError, 2},
      {{"--Version"}, TCommandLine::caError, 2},
      {{"-"}, TCommandLine::caError, 2},
      {{"maze.cav"}, TCommandLine::caError, 2},
      {{""}, TCommandLine::caError, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
    const TCommandLine cmd = ParseCommandLine(c.args, "gravonaut", "9.9");
    EXPECT_EQ(cmd.action, c.action);
    EXPECT_EQ(cmd.exitCode, c.exitCode);
  }
}

TEST(CommandLine, TextsNameTheVersionTheOptionsAndTheCulprit) {
  EXPECT_EQ(ParseCommandLine({"--version"}, "gravonaut", "9.9").text, "Gravonaut 9.9\n");
  const std::string help = ParseCommandLine({"--help"}, "gravonaut", "9.9").text;
  EXPECT_NE(help.find("Usage: gravonaut"), std::string::npos);
  EXPECT_NE(help.find("--help"), std::string::npos);
  EXPECT_NE(help.find("--version"), std::string::npos);
  const std::string error = ParseCommandLine({"--frobnicate"}, "gravonaut", "9.9").text;
  EXPECT_NE(error.find("unknown option '--frobnicate'"), std::string::npos);
  EXPECT_NE(error.find("gravonaut --help"), std::string::npos);
  const std::string stray = ParseCommandLine({"a.cav"}, "gravonaut", "9.9").text;
  EXPECT_NE(stray.find("unexpected argument 'a.cav'"), std::string::npos);
}

// The program beside this test program in the build tree (tests/ and app/ are siblings).
std::filesystem::path Program() {
  return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "app" /
         "gravonaut";
}

struct TRun {
  std::string out;
  int code = -1;
};

// Runs the program with no display at all: if it tried to open a window it would fail.
TRun RunProgram(const std::string& args) {
  TRun r;
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" +
                              Program().string() + "' " + args + " 2>&1";
  FILE* p = popen(command.c_str(), "r");
  if (!p) return r;
  std::array<char, 256> buf;
  while (fgets(buf.data(), buf.size(), p)) r.out += buf.data();
  const int status = pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

TEST(Program, AnswersVersionHelpAndBadOptionsWithoutADisplay) {
  ASSERT_TRUE(std::filesystem::exists(Program()))
      << Program() << " is missing: build the gravonaut target with the tests";
  const TRun version = RunProgram("--version");
  EXPECT_EQ(version.code, 0);
  EXPECT_THAT(version.out, ::testing::MatchesRegex("Gravonaut [0-9]+\\.[0-9]+\n"));
  const TRun help = RunProgram("--help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--version"), std::string::npos);
  const TRun bad = RunProgram("--nonsense");
  EXPECT_EQ(bad.code, 2);
  EXPECT_NE(bad.out.find("unknown option '--nonsense'"), std::string::npos);
}

}  // namespace
