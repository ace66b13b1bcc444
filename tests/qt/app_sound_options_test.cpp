// The sound's options, and the built program without a usable audio device.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "../../app/options.h"

namespace {

TEST(SoundOptions, VolumeAndMute) {
  struct Case {
    std::vector<std::string> args;
    TCommandLine::TAction action;
    int volume;
    bool mute;
  };
  const Case cases[] = {
      {{}, TCommandLine::caRun, 80, false},
      {{"--volume", "0"}, TCommandLine::caRun, 0, false},
      {{"--volume=100", "--mute"}, TCommandLine::caRun, 100, true},
      {{"--mute"}, TCommandLine::caRun, 80, true},
      {{"--volume", "101"}, TCommandLine::caError, 80, false},
      {{"--volume", "-1"}, TCommandLine::caError, 80, false},
      {{"--volume", "50%"}, TCommandLine::caError, 80, false},
      {{"--volume"}, TCommandLine::caError, 80, false},
      {{"--mute=yes"}, TCommandLine::caError, 80, false},
  };
  for (const Case& c : cases) {
    std::string name;
    for (const std::string& a : c.args) name += a + " ";
    SCOPED_TRACE(name);
    const TCommandLine cmd = ParseCommandLine(c.args, "gravonaut", "9.9");
    EXPECT_EQ(cmd.action, c.action) << cmd.text;
    if (c.action != TCommandLine::caRun) continue;
    EXPECT_EQ(cmd.volume, c.volume);
    EXPECT_EQ(cmd.mute, c.mute);
  }
  EXPECT_NE(ParseCommandLine({"--volume", "x"}, "gravonaut", "9.9").text.find("invalid volume 'x'"),
            std::string::npos);
  const std::string help = ParseCommandLine({"--help"}, "gravonaut", "9.9").text;
  EXPECT_NE(help.find("--volume N"), std::string::npos);
  EXPECT_NE(help.find("--mute"), std::string::npos);
}

std::filesystem::path Program() {
  return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "app" /
         "gravonaut";
}

// With SDL_AUDIODRIVER naming no driver there is, the game starts, plays a second of ticks and
// quits normally, and says once that it has no sound.
TEST(SoundOptions, TheProgramPlaysOnWithoutADevice) {
  ASSERT_TRUE(std::filesystem::exists(Program()));
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("gx_nosound_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string command = "cd '" + dir.string() +
                              "' && env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=no-such-driver '" +
                              Program().string() +
                              "' --collection game.cav --tick-log ticks.txt --quit-after 3 2>&1";
  FILE* p = popen(command.c_str(), "r");
  ASSERT_TRUE(p);
  std::string out;
  std::array<char, 256> buf;
  while (fgets(buf.data(), buf.size(), p)) out += buf.data();
  const int status = pclose(p);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
  // One line of ours (Qt may add its own notes about the session).
  std::vector<std::string> ours;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("gravonaut:", 0) == 0) ours.push_back(line);
  }
  ASSERT_EQ(ours.size(), 1u) << out;
  EXPECT_EQ(ours[0].rfind("gravonaut: no sound: ", 0), 0u) << out;
  std::ifstream ticks(dir / "ticks.txt");
  int n = 0;
  for (std::string line; std::getline(ticks, line);) ++n;
  EXPECT_GT(n, 5) << "the game ticked";
  EXPECT_TRUE(std::filesystem::exists(dir / "game.cav")) << "and wrote its collection on quitting";
  std::filesystem::remove_all(dir);
}

}  // namespace
