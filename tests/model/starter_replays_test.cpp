// The best runs shipped with the starter collection: one for every maze, each re-simulating to
// its maze's best time (what `gravonaut --verify-replays` checks), and small.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "gx_bestruns.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_runfile.h"
#include "gx_runrecorder.h"
#include "qor_text.h"

#ifdef GRAVONAUT_STARTER_CAV
namespace {

const std::string kStarter = GRAVONAUT_STARTER_CAV;

TEST(StarterReplays, EveryStarterMazeHasABestRunThatMatchesItsBestTime) {
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  const int status = VerifyCollectionReplays(kStarter, ReplaysFolderFor(kStarter), out, stderr);
  std::fclose(out);
  const std::string said = text;
  std::free(text);
  EXPECT_EQ(status, 0) << said;

  TMazeList mazes;
  TTextReader r = TTextReader::FromFile(kStarter);
  r.ReadLn();
  mazes.LoadFromF(r);
  std::istringstream lines(said);
  std::string line;
  for (int i = 0; i < mazes.Count(); ++i) {
    ASSERT_TRUE(std::getline(lines, line)) << said;
    const TMaze& m = *mazes.GetMaze(i);
    char expected[160];
    std::snprintf(expected, sizeof expected, "%d %s: %.2f s, replay matches", i + 1,
                  m.mazename.c_str(), m.bestdur);
    EXPECT_EQ(line, expected);
  }
  EXPECT_FALSE(std::getline(lines, line)) << "more lines than mazes: " << said;
}

TEST(StarterReplays, AreTheOnlyFilesThereAndKeepUnderTenKilobytesAMinute) {
  TMazeList mazes;
  TTextReader r = TTextReader::FromFile(kStarter);
  r.ReadLn();
  mazes.LoadFromF(r);
  const TBestRuns runs(ReplaysFolderFor(kStarter));
  std::size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(runs.Folder())) {
    files += e.path().extension() == ".gxrun";
  }
  EXPECT_EQ(files, static_cast<std::size_t>(mazes.Count())) << "stale runs: rerun make_starter_replays";
  for (int i = 0; i < mazes.Count(); ++i) {
    const std::uint64_t hash = MazeContentHash(*mazes.GetMaze(i));
    const std::string path = runs.PathFor(hash);
    const std::optional<TRunRecording> run = runs.Load(hash);
    ASSERT_TRUE(run) << mazes.GetMaze(i)->mazename;
    const double minutes = static_cast<double>(run->keys.size()) * run->tick_unit / 60000;
    const double per_minute = static_cast<double>(std::filesystem::file_size(path)) / minutes;
    EXPECT_LT(per_minute, 10 * 1024) << mazes.GetMaze(i)->mazename;
    std::printf("%-14s %6.2f s  %5ju bytes  %6.0f bytes a minute\n",
                mazes.GetMaze(i)->mazename.c_str(), run->Seconds(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(path)), per_minute);
  }
}

}  // namespace
#endif
