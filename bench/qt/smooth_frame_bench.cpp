// One picture between two ticks, as the play view draws it at the display's rate: the blend of
// the last two snapshots put into the maze, the whole frame painted (background, play view,
// overview map) into a 1920 x 1080 image, the exact state put back. Reports the median
// milliseconds per picture ("median_ms", wall clock; "median_cpu_ms", the painting thread's CPU
// time). Goals: the stress maze without smooth edges within 8 ms, each starter maze with smooth
// edges within 4 ms (a 60 Hz display leaves 16.7 ms a picture).
//
//   QT_QPA_PLATFORM=offscreen build/bench/gravonaut_qt_bench --benchmark_filter=Smooth
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "../../tools/stress_maze.h"
#include "bench_app.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_motion.h"
#include "gx_playview.h"
#include "gx_rocket.h"
#include "starter_mazes.h"

namespace {

constexpr int kW = 1920;
constexpr int kH = 1080;

void MeasurePictures(benchmark::State& state, TMaze& maze, bool smooth) {
  EnsureApp();
  TRocket rocket;
  maze.SetRocket(&rocket);
  maze.reset();
  // The main window's layout for a 1920 x 1080 client area at the start-up zoom.
  TDRect mapvp, playvp;
  LayoutPlayView(kW, kH, &maze, 25, mapvp, playvp);
  TFixedControl control(kW, kH);
  QImage image(kW, kH, QImage::Format_RGB32);
  std::vector<double> ms, cpu_ms;
  std::int64_t tick = 0;
  TFrameSnapshot prev, cur = TakeSnapshot(maze, tick);
  for (auto _ : state) {
    // A tick's worth of motion: the animations step on and the rocket drifts and turns.
    maze.TDrawList::Execute(static_cast<double>(++tick));
    rocket.Force()->SetPx(rocket.Force()->px() + 0.002);
    rocket.rotate(0.05);
    rocket.RefreshMatrix();
    prev = std::move(cur);
    cur = TakeSnapshot(maze, tick);
    TPlayFrameStyle style{&prev, &cur, 0.5, tick, smooth};
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadSeconds();
    PaintPlayFrame(image, &maze, nullptr, control, playvp, mapvp, style);
    cpu_ms.push_back((ThreadSeconds() - c0) * 1000);
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    state.SetIterationTime(secs);
    ms.push_back(secs * 1000);
    benchmark::DoNotOptimize(image.constBits());
  }
  if (!ms.empty()) {
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p95_ms"] = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
    std::sort(cpu_ms.begin(), cpu_ms.end());
    state.counters["median_cpu_ms"] = cpu_ms[cpu_ms.size() / 2];
  }
  state.counters["walls"] = maze.Count();
  maze.SetRocket(nullptr);
}

void BM_SmoothStressPicture(benchmark::State& state) {
  auto maze = MakeStressMaze();
  maze->FCullHidden = true;
  MeasurePictures(state, *maze, state.range(0) != 0);
}

void BM_SmoothStarterPicture(benchmark::State& state) {
  static std::unique_ptr<TMazeList> starters = MakeStarterMazes();
  TMaze* maze = starters->GetMaze(static_cast<int>(state.range(0)));
  if (!maze) {
    state.SkipWithError("no such starter maze");
    return;
  }
  MeasurePictures(state, *maze, state.range(1) != 0);
}

BENCHMARK(BM_SmoothStressPicture)
    ->ArgNames({"smooth"})
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK(BM_SmoothStarterPicture)
    ->ArgNames({"maze", "smooth"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace
