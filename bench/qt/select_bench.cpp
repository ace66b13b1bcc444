// Opening the maze selection dialog on a collection of 100 copies of a medium maze (the stress
// maze with 200 polygons, 15 to a row, and 20 balls): creating the dialog, one thumbnail per maze
// drawn into its image control, showing it and its first paint. Reports the median milliseconds
// until every thumbnail is drawn and the dialog painted ("median_ms", wall clock; "median_cpu_ms",
// this thread's CPU time) and the median per thumbnail ("per_thumb_ms").
//
//   QT_QPA_PLATFORM=offscreen build/bench/gravonaut_qt_bench --benchmark_filter=Select
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <vector>

#include "../../tools/stress_maze.h"
#include "bench_app.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_select.h"
#include "qor_obj.h"
#include "qt_control.h"

namespace {

constexpr int kMazes = 100;

void BM_OpenSelectDialog(benchmark::State& state) {
  EnsureApp();
  SetScreenPixelsPerInch(96);
  TStressOptions medium;
  medium.polygons = 200;
  medium.per_row = 15;  // about square, so that the thumbnails show every polygon
  medium.balls = 20;
  TMazeList list;
  for (int k = 0; k < kMazes; ++k) list.Add(MakeStressMaze(medium));
  std::vector<double> ms, cpu_ms;
  int drawn = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadSeconds();
    {
      TMazeSelect dlg;
      dlg.SetMazeList(&list);
      dlg.SetMaze(list.GetMaze(0));
      dlg.show();
      QApplication::processEvents();  // the first paint
      drawn = 0;
      for (int k = 0; k < kMazes; ++k) drawn += dlg.Thumb(k) && !dlg.Thumb(k)->Image().isNull();
      const double secs =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      cpu_ms.push_back((ThreadSeconds() - c0) * 1000);
      state.SetIterationTime(secs);
      ms.push_back(secs * 1000);
    }
    QApplication::processEvents();  // the closed dialog's leftovers, outside the timing
  }
  if (!ms.empty()) {
    std::sort(ms.begin(), ms.end());
    std::sort(cpu_ms.begin(), cpu_ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["median_cpu_ms"] = cpu_ms[cpu_ms.size() / 2];
    state.counters["per_thumb_ms"] = ms[ms.size() / 2] / kMazes;
  }
  state.counters["thumbnails"] = drawn;
  state.counters["polygons_each"] = list.GetMaze(0)->Count();
}

BENCHMARK(BM_OpenSelectDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
