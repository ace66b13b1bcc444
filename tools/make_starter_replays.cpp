// Derives the best runs shipped with the starter collection: flies every maze of the collection
// with the scripted pilot, as make_starter_collection does, recording each run, and writes the
// run that finishes as the maze's best run into the folder (older best-run files there go):
//
//   make_starter_replays tools/starter.cav tools/starter.cav.replays
//
// Rerun it whenever the starter collection changes (after make_starter_collection); a test
// re-simulates the committed runs against the committed collection.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <set>
#include <string>

#include "gx_bestruns.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_runkeeper.h"
#include "gx_runreplay.h"
#include "qor_text.h"
#include "starter_mazes.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s STARTER.cav OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  TMazeList mazes;
  try {
    TTextReader f = TTextReader::FromFile(argv[1]);
    f.ReadLn();
    mazes.LoadFromF(f);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
    return 1;
  }
  int status = 0;
  std::set<std::string> written;
  TRunKeeper keeper(argv[2]);
  for (int i = 0; i < mazes.Count(); ++i) {
    TMaze& maze = *mazes.GetMaze(i);
    const double stored = maze.bestdur;
    // Every finish is a record for the recorder; the stored time is compared below.
    maze.bestdur = 0;
    keeper.SetMaze(&maze);
    maze.FOnChange = [&keeper](TMaze* m) { keeper.MazeChanged(*m); };
    const TStarterRun run = FlyStarterMaze(maze, i);
    maze.FOnChange = nullptr;
    const TRunRecording* best = keeper.Best();
    if (!run.finished || !best) {
      std::fprintf(stderr, "%-14s NOT finished: no best run\n", maze.mazename.c_str());
      status = 1;
      continue;
    }
    maze.bestdur = stored;
    const bool same_time = best->Seconds() == stored;
    const TReplayCheck check = VerifyRun(maze, *best);
    const std::string file = BestRunFileName(best->maze_hash);
    written.insert(file);
    std::printf("%-14s %s  %6.2f s, %6zu ticks, %5zu bytes, replay %s%s\n", maze.mazename.c_str(),
                file.c_str(), best->Seconds(), best->keys.size(),
                WriteRunFile(*best).size(), check.matches ? "matches" : "DOES NOT MATCH",
                same_time ? "" : " (the collection's best time differs: rebuild it first)");
    if (!check.matches || !same_time) status = 1;
  }
  // Runs of mazes no longer in the collection.
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(argv[2], ec)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".gxrun" && !written.count(name)) {
      fs::remove(entry.path(), ec);
      std::printf("removed %s\n", name.c_str());
    }
  }
  return status;
}
