// `gravonaut --verify-replays`: the built program re-simulates the best runs of a collection
// without any window system and says per maze whether each still matches.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../../app/options.h"
#include "gx_bestruns.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_runfile.h"
#include "qor_text.h"

namespace {

namespace fs = std::filesystem;

fs::path Program() {
  return fs::canonical("/proc/self/exe").parent_path().parent_path() / "app" / "gravonaut";
}

// Runs the program in dir with no display at all; its output and exit status.
std::pair<std::string, int> RunProgram(const fs::path& dir, const std::string& args) {
  const std::string command = "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY " +
                              "QT_QPA_PLATFORM=xcb '" + Program().string() + "' " + args + " 2>&1";
  FILE* p = popen(command.c_str(), "r");
  std::string out;
  char buf[256];
  while (p && fgets(buf, sizeof buf, p)) out += buf;
  const int status = p ? pclose(p) : -1;
  return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(VerifyReplays, TheOptionIsParsedAndListed) {
  const TCommandLine cmd =
      ParseCommandLine({"--verify-replays", "--collection", "a.cav"}, "gravonaut", "9.9");
  EXPECT_EQ(cmd.action, TCommandLine::caRun);
  EXPECT_TRUE(cmd.verifyReplays);
  EXPECT_EQ(cmd.collection, "a.cav");
  EXPECT_NE(ParseCommandLine({"--help"}, "gravonaut", "9.9").text.find("--verify-replays"),
            std::string::npos);
}

TEST(VerifyReplays, TheStarterRunsMatchAndAChangedRunDoesNot) {
  const fs::path dir = fs::temp_directory_path() / ("gx_verify_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::copy_file(GRAVONAUT_STARTER_CAV, dir / "gravonaut.cav");
  fs::copy(std::string(GRAVONAUT_STARTER_CAV) + ".replays", dir / "gravonaut.cav.replays");

  // The working directory's collection, as the game plays it without options.
  auto [out, status] = RunProgram(dir, "--verify-replays");
  EXPECT_EQ(status, 0) << out;
  TMazeList mazes;
  TTextReader r = TTextReader::FromFile((dir / "gravonaut.cav").string());
  r.ReadLn();
  mazes.LoadFromF(r);
  ASSERT_GT(mazes.Count(), 0);
  std::size_t lines = 0;
  for (char c : out) lines += c == '\n';
  EXPECT_EQ(lines, static_cast<std::size_t>(mazes.Count())) << out;
  EXPECT_NE(out.find("1 " + mazes.GetMaze(0)->mazename + ": "), std::string::npos) << out;

  // The first maze's run with its thrust taken away after the start: it no longer finishes.
  const TBestRuns runs((dir / "gravonaut.cav.replays").string());
  std::uint64_t hash = 0;
  for (const auto& e : fs::directory_iterator(runs.Folder())) {
    const std::optional<TRunRecording> run = ReadRunFile(ReadFileBytes(e.path().string()));
    ASSERT_TRUE(run) << e.path();
    hash = run->maze_hash;
  }
  std::optional<TRunRecording> run = runs.Load(hash);
  for (std::size_t i = 1; i < run->keys.size(); ++i) run->keys[i].flags &= ~TRunKeys::kThrust;
  runs.Save(*run);
  std::tie(out, status) = RunProgram(dir, "--verify-replays --collection gravonaut.cav");
  EXPECT_EQ(status, 1) << out;
  EXPECT_NE(out.find("replay does not match"), std::string::npos) << out;

  std::tie(out, status) = RunProgram(dir, "--verify-replays --collection missing.cav");
  EXPECT_EQ(status, 2) << out;
  EXPECT_NE(out.find("cannot read the collection 'missing.cav'"), std::string::npos) << out;
  fs::remove_all(dir);
}

}  // namespace
