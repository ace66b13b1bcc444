// Painting one frame of the largest stress maze as the main window does on every tick: play
// view (background, walls, balls, rocket, bullets, score and bars) and overview map, with the
// Qt canvas into a 1920 x 1080 image. Reports the median milliseconds per frame ("median_ms",
// wall clock; "median_cpu_ms", the painting thread's CPU time); a frame has to fit well inside
// the 50 ms tick.
//
//   QT_QPA_PLATFORM=offscreen build/bench/gravonaut_qt_bench --benchmark_filter=Render
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "../../tools/stress_maze.h"
#include "bench_app.h"
#include "gx_mazegame.h"
#include "gx_rocket.h"
#include "qt_canvas.h"

namespace {

constexpr int kW = 1920;
constexpr int kH = 1080;

// state.range(0): the zoom (pixels per rocket length, 25 at start-up);
// state.range(1): 1 skips walls wholly outside the window, 0 draws every wall.
void BM_RenderStressFrame(benchmark::State& state) {
  EnsureApp();
  const int target = static_cast<int>(state.range(0));
  auto maze = MakeStressMaze();
  TRocket rocket;
  maze->SetRocket(&rocket);
  maze->reset();
  maze->FCullHidden = state.range(1) != 0;

  // The window's viewports (see the main window's resize handler).
  const TDRect mapvp{static_cast<double>(kW * 6 / 7), static_cast<double>(kW - 10),
                     static_cast<double>(kH - kW / 7), static_cast<double>(kH - 10)};
  const double scale = target / rocket.sx;
  maze->GetExtent();
  const TDRect e = maze->extent;
  const double cx = (e.x1 + e.x2) / 2;
  const double cy = (e.y1 + e.y2) / 2;
  const TDRect playvp{(e.x1 - cx) * scale + kW / 2.0, (e.x2 - cx) * scale + kW / 2.0,
                      (e.y1 - cy) * scale + kH / 2.0, (e.y2 - cy) * scale + kH / 2.0};

  TFixedControl control(kW, kH);
  QImage image(kW, kH, QImage::Format_RGB32);
  std::vector<double> ms, cpu_ms;
  int tick = 0;
  for (auto _ : state) {
    // The animation moves on between frames, as in the game; only the painting is timed.
    maze->TDrawList::Execute(++tick);
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadSeconds();
    {
      TQtCanvas cv(image);
      cv.Font.Name = "MS Sans Serif";
      cv.Font.Size = 14;
      cv.Font.Bold = true;
      cv.Font.Italic = true;
      TQtPaintScope scope(cv);
      const tmat2d m;
      maze->MapToViewport(playvp, true, true);
      cv.Pen.Mode = TPenMode::pmCopy;
      maze->Draw(control, cv, m, 0, true, true, false);
      maze->MapToViewport(mapvp, true, false);
      maze->DrawSpot(control, cv, m, 3);
    }
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
  state.counters["walls"] = maze->Count();
}

BENCHMARK(BM_RenderStressFrame)
    ->ArgNames({"zoom", "skip"})
    ->Args({25, 1})
    ->Args({25, 0})
    ->Args({5, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace
