// Best runs: re-simulating the longest starter run (what --verify-replays and W do before a
// replay), and writing and reading its file.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "gx_bestruns.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_runfile.h"
#include "gx_runrecorder.h"
#include "gx_runreplay.h"
#include "qor_text.h"

namespace {

struct TLongest {
  TMazeList mazes;
  TMaze* maze = nullptr;
  TRunRecording run;
};

// The starter maze with the longest best run, and that run.
const TLongest& Longest() {
  static TLongest* l = [] {
    auto* t = new TLongest;
    const std::string cav = GRAVONAUT_SOURCE_DIR "/tools/starter.cav";
    TTextReader r = TTextReader::FromFile(cav);
    r.ReadLn();
    t->mazes.LoadFromF(r);
    const TBestRuns runs(ReplaysFolderFor(cav));
    for (int i = 0; i < t->mazes.Count(); ++i) {
      std::optional<TRunRecording> run = runs.Load(MazeContentHash(*t->mazes.GetMaze(i)));
      if (run && run->keys.size() > t->run.keys.size()) {
        t->run = *run;
        t->maze = t->mazes.GetMaze(i);
      }
    }
    return t;
  }();
  return *l;
}

void BM_VerifyLongestStarterRun(benchmark::State& state) {
  const TLongest& l = Longest();
  if (!l.maze) {
    state.SkipWithError("no starter runs");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(VerifyRun(*l.maze, l.run).matches);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(l.run.keys.size()));
  state.SetLabel(std::to_string(l.run.keys.size()) + " ticks");
}
BENCHMARK(BM_VerifyLongestStarterRun)->Unit(benchmark::kMillisecond);

void BM_WriteAndReadLongestStarterRun(benchmark::State& state) {
  const TLongest& l = Longest();
  for (auto _ : state) benchmark::DoNotOptimize(ReadRunFile(WriteRunFile(l.run)));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(WriteRunFile(l.run).size()));
}
BENCHMARK(BM_WriteAndReadLongestStarterRun)->Unit(benchmark::kMicrosecond);

}  // namespace
