// The editor on the stress collection's largest maze (2,000 polygons, 200 balls):
//   - BM_EditorRedraw: the document's Redraw (background, every wall with its corner handles,
//     the reference points of the animations, the balls) into a 1920 x 1080 play field with
//     the Qt canvas in the design view; target under 8 ms median (BM_EditorRedrawZoomed: the
//     same fitted, as the maze opens, and at zoom 16 and 1/16, where every wall is drawn);
//   - BM_EditorOpen: what "e" costs before the player sees the editor: the window built, the
//     collection and the maze set (the opening records kept), shown at 1920 x 1080 with its
//     first picture; target under 150 ms median.
// Both report "median_ms" (wall clock) and "median_cpu_ms" (this thread's CPU time, which
// leaves out waiting for a core on a busy machine).
//
//   QT_QPA_PLATFORM=offscreen build/bench/gravonaut_editor_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "../../tools/stress_maze.h"
#include "editor_bench_support.h"
#include "gx_edit.h"
#include "gx_editdoc.h"
#include "gx_mazelist.h"
#include "qt_dialogs.h"
#include "recording_dialogs.h"

namespace {

using namespace editor_bench;

// The collection make_stress_collection writes: the stress maze, then a tenth of it.
std::unique_ptr<TMazeList> StressCollection() {
  auto list = std::make_unique<TMazeList>();
  list->Add(MakeStressMaze());
  TStressOptions small;
  small.polygons = 200;
  small.balls = 20;
  auto copy = MakeStressMaze(small);
  copy->mazename = "Stress (small)";
  list->Add(std::move(copy));
  return list;
}

struct TTimes {
  std::vector<double> wall, cpu;
  void Report(benchmark::State& state) {
    if (wall.empty()) return;
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    state.counters["median_ms"] = wall[wall.size() / 2];
    state.counters["p95_ms"] = wall[std::min(wall.size() - 1, wall.size() * 95 / 100)];
    state.counters["median_cpu_ms"] = cpu[cpu.size() / 2];
  }
};

constexpr int kFitted = 1000;

// The whole picture; with the snapping grid on, its lines under the maze too; zoomed by
// `zoom_steps` levels about the middle (16 is the closest view, -16 the farthest).
void RedrawBench(benchmark::State& state, bool grid, int zoom_steps = 0) {
  EnsureApp();
  auto list = StressCollection();
  TRecordingDialogs dialogs;
  TBenchSurface surface;
  TEditDocument doc(dialogs);
  doc.SetSurface(&surface);
  doc.SetMazeList(list.get());
  if (grid) {
    doc.SetGridStep(TEditDocument::kGridStepDefault);
    doc.SetGridOn(true);
  }
  // The maze opens fitted (it does not fit the design view); the design view shows a part of
  // it, as the editor showed before it could zoom.
  doc.mmDesignViewClick();
  if (zoom_steps == kFitted) {
    doc.mmFitMazeClick();
  } else if (zoom_steps != 0) {
    doc.ZoomAt(960, 540, zoom_steps);
  }
  TTimes times;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadSeconds();
    doc.Redraw();
    times.cpu.push_back((ThreadSeconds() - c0) * 1000);
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    state.SetIterationTime(secs);
    times.wall.push_back(secs * 1000);
    benchmark::DoNotOptimize(surface.Image().constBits());
  }
  times.Report(state);
  state.counters["walls"] = list->GetMaze(0)->Count();
  doc.Abandon();
}
void BM_EditorRedraw(benchmark::State& state) {
  RedrawBench(state, false);
}
BENCHMARK(BM_EditorRedraw)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_EditorRedrawGrid(benchmark::State& state) {
  RedrawBench(state, true);
}
BENCHMARK(BM_EditorRedrawGrid)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Fitted (kFitted, as the maze opens: every wall on the field), zoomed all the way in (most
// walls far outside the field) and out (all of them in a few pixels).
void BM_EditorRedrawZoomed(benchmark::State& state) {
  RedrawBench(state, false, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_EditorRedrawZoomed)
    ->Arg(kFitted)
    ->Arg(16)
    ->Arg(-16)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

void BM_EditorOpen(benchmark::State& state) {
  EnsureApp();
  auto list = StressCollection();
  TRecordingDialogs dialogs;
  TScriptedModals modals;
  TTimes times;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadSeconds();
    {
      TEditMaze editor(dialogs, modals);
      editor.setGeometry(0, 0, kW + 232, kH + 30);
      editor.SetMazeList(list.get());
      editor.SetMaze(list->GetMaze(0));
      editor.show();
      QApplication::processEvents();  // layout, the play field's size, the first picture
      times.cpu.push_back((ThreadSeconds() - c0) * 1000);
      const double secs =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      state.SetIterationTime(secs);
      times.wall.push_back(secs * 1000);
      state.PauseTiming();
      editor.reject();  // unchanged: closes at once
    }
    state.ResumeTiming();
  }
  times.Report(state);
}
BENCHMARK(BM_EditorOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
