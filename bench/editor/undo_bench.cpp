// The undo history on the stress collection's largest maze (2,000 walls, 200 balls) in a
// 1920 x 1080 play field drawn by the Qt canvas, after 1,000 single-corner drags with the mouse:
//   - BM_EditorUndoHistoryMemory: the heap the drags leave behind with the history plugged in,
//     less what the same drags leave without it ("extra_MB", from mallinfo2; target under
//     50 MB), and the bytes of the records the history holds ("records_MB");
//   - BM_EditorUndoOne / BM_EditorRedoOne: one undo / one redo of the last drag, which puts the
//     polygon back, shows the maze with the corner selected and redraws it (target under
//     20 ms); "median_ms" is the wall clock.
//
//   QT_QPA_PLATFORM=offscreen build/bench/gravonaut_editor_bench --benchmark_filter=Undo
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "../../tools/stress_maze.h"
#include "editor_bench_support.h"
#include "gx_editdoc.h"
#include "gx_edithistory.h"
#include "gx_mazelist.h"
#include "recording_dialogs.h"

namespace {

using namespace editor_bench;

constexpr int kDrags = 1000;

std::size_t HeapInUse() {
  malloc_trim(0);
  return mallinfo2().uordblks;
}

// The stress maze in the editor, with or without the history.
struct TUndoScene {
  explicit TUndoScene(bool with_history) {
    list.Add(MakeStressMaze());
    doc.SetSurface(&surface);
    if (with_history) doc.SetStepObserver(&history);
    doc.SetMazeList(&list);
  }
  ~TUndoScene() {
    doc.Abandon();
    doc.SetStepObserver(nullptr);
  }
  TPoint Screen(double x, double y) const {
    doc.M2I().Transform(x, y);
    return TPoint{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(kH - y))};
  }
  // Corner drags of the walls in view, each a few pixels out and, the next time, back.
  void Drags(int n) {
    const TMaze& m = *list.GetMaze(0);
    std::vector<std::pair<int, int>> corners;  // polygon, corner
    for (int k = 0; k < m.Count(); ++k) {
      const TPolygon* p = m.GetPolygon(k);
      for (int i = 0; i < p->Count(); i += 3) {
        const TPoint at = Screen(p->GetSide(i)->x(), p->GetSide(i)->y());
        if (at.X >= 20 && at.Y >= 20 && at.X < kW - 20 && at.Y < kH - 20) {
          corners.emplace_back(k, i);
        }
      }
    }
    for (int d = 0; d < n; ++d) {
      const auto [k, i] = corners[static_cast<std::size_t>(d) % corners.size()];
      const TSide* s = m.GetPolygon(k)->GetSide(i);
      const TPoint from = Screen(s->x(), s->y());
      const int dx = (d / static_cast<int>(corners.size())) % 2 == 0 ? 4 : -4;
      doc.PlayFieldMouseDown(false, from.X, from.Y);
      doc.PlayFieldMouseMove(false, from.X + dx / 2, from.Y);
      doc.PlayFieldMouseUp(false, from.X + dx, from.Y + 1);
    }
  }

  TMazeList list;
  TRecordingDialogs dialogs;
  TBenchSurface surface;
  TEditDocument doc{dialogs};
  TEditHistory history{doc};
};

void BM_EditorUndoHistoryMemory(benchmark::State& state) {
  EnsureApp();
  double extra = 0, records = 0, held = 0;
  for (auto _ : state) {
    std::size_t without = 0, with = 0;
    {
      TUndoScene scene(false);
      const std::size_t before = HeapInUse();
      scene.Drags(kDrags);
      without = HeapInUse() - before;
    }
    {
      TUndoScene scene(true);
      const std::size_t before = HeapInUse();
      scene.Drags(kDrags);
      with = HeapInUse() - before;
      records = static_cast<double>(scene.history.RecordBytes()) / (1024.0 * 1024.0);
      held = scene.history.Count();
    }
    extra = (static_cast<double>(with) - static_cast<double>(without)) / (1024.0 * 1024.0);
  }
  state.counters["extra_MB"] = extra;
  state.counters["records_MB"] = records;
  state.counters["steps_held"] = held;
}
BENCHMARK(BM_EditorUndoHistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void MeasureUndoRedo(benchmark::State& state, bool undo) {
  EnsureApp();
  TUndoScene scene(true);
  scene.Drags(kDrags);
  if (scene.history.Count() != kDrags) {
    state.SkipWithError("the drags did not make one step each");
    return;
  }
  if (!undo) scene.history.Undo();
  std::vector<double> wall;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    if (undo) {
      scene.history.Undo();
    } else {
      scene.history.Redo();
    }
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    state.SetIterationTime(secs);
    wall.push_back(secs * 1000);
    // Back for the next round, untimed.
    if (undo) {
      scene.history.Redo();
    } else {
      scene.history.Undo();
    }
  }
  std::sort(wall.begin(), wall.end());
  if (wall.empty()) return;
  state.counters["median_ms"] = wall[wall.size() / 2];
  state.counters["max_ms"] = wall.back();
}

void BM_EditorUndoOne(benchmark::State& state) {
  MeasureUndoRedo(state, true);
}
BENCHMARK(BM_EditorUndoOne)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_EditorRedoOne(benchmark::State& state) {
  MeasureUndoRedo(state, false);
}
BENCHMARK(BM_EditorRedoOne)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
