// One mouse move of a drag in the editor, on the stress maze (2,000 walls, 200 balls) in a
// 1920 x 1080 play field drawn by the Qt canvas: the preview is erased and drawn again, the
// maze is not redrawn. Target under 1 ms median for each:
//   - BM_EditorPolygonDragMove: a Shift drag of a 1,000-cornered polygon (its whole outline);
//   - BM_EditorBallDragMove: a ball drag;
//   - BM_EditorHoverCursor: a move with no button down, which asks what the cursor is there (a
//     pick over every corner, edge, ball and reference point of the maze; nothing is drawn).
// Both report "median_ms" (wall clock) and "median_cpu_ms" (this thread's CPU time).
//
//   QT_QPA_PLATFORM=offscreen build/bench/gravonaut_editor_bench --benchmark_filter=DragMove
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "../../tools/stress_maze.h"
#include "editor_bench_support.h"
#include "gx_editdoc.h"
#include "gx_mazelist.h"
#include "recording_dialogs.h"

namespace {

using namespace editor_bench;

// The stress maze with a 1,000-cornered wall and a ball of its own in the middle of the view.
struct TDragScene {
  TDragScene() {
    auto maze = MakeStressMaze();
    maze->AddPolygon(TPolygon::CreateCircle(-1.2, -0.4, 0.6, 0.5, 0, 1000, 0x00FFFF00));
    maze->AddBall(1.5, -1.2, -1);
    list.Add(std::move(maze));
    doc.SetSurface(&surface);
    doc.SetMazeList(&list);
  }
  ~TDragScene() { doc.Abandon(); }
  // The pixel (y down) of a model point.
  TPoint Screen(double x, double y) const {
    doc.M2I().Transform(x, y);
    return TPoint{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(kH - y))};
  }

  TMazeList list;
  TRecordingDialogs dialogs;
  TBenchSurface surface;
  TEditDocument doc{dialogs};
};

// Moves the mouse back and forth by a pixel (the preview erased and drawn each time) and
// reports the medians.
void MeasureMoves(benchmark::State& state, TDragScene& scene, TPoint from) {
  std::vector<double> wall, cpu;
  int k = 0;
  for (auto _ : state) {
    const TPoint at{from.X + (++k % 2), from.Y + (k % 4 < 2 ? 1 : 0)};
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadSeconds();
    scene.doc.PlayFieldMouseMove(false, at.X, at.Y);
    cpu.push_back((ThreadSeconds() - c0) * 1000);
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    state.SetIterationTime(secs);
    wall.push_back(secs * 1000);
    benchmark::DoNotOptimize(scene.surface.Image().constBits());
  }
  scene.doc.PlayFieldMouseUp(false, from.X, from.Y);
  if (wall.empty()) return;
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  state.counters["median_ms"] = wall[wall.size() / 2];
  state.counters["p95_ms"] = wall[std::min(wall.size() - 1, wall.size() * 95 / 100)];
  state.counters["median_cpu_ms"] = cpu[cpu.size() / 2];
}

void BM_EditorPolygonDragMove(benchmark::State& state) {
  EnsureApp();
  TDragScene scene;
  const TPolygon* wall = scene.list.GetMaze(0)->GetPolygon(2000);
  const TPoint from = scene.Screen(wall->GetSide(0)->x(), wall->GetSide(0)->y());
  scene.doc.PlayFieldMouseDown(true, from.X, from.Y);
  if (!scene.doc.Dragging() || scene.doc.DragPoints().size() != 1000) {
    state.SkipWithError("the press did not start a drag of the 1,000-cornered wall");
    return;
  }
  MeasureMoves(state, scene, from);
  state.counters["corners"] = 1000;
}
BENCHMARK(BM_EditorPolygonDragMove)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_EditorBallDragMove(benchmark::State& state) {
  EnsureApp();
  TDragScene scene;
  const TPoint from = scene.Screen(1.5, -1.2);
  scene.doc.PlayFieldMouseDown(false, from.X, from.Y);
  if (!scene.doc.Dragging() || !scene.doc.DoBall()) {
    state.SkipWithError("the press did not start a ball drag");
    return;
  }
  MeasureMoves(state, scene, from);
}
BENCHMARK(BM_EditorBallDragMove)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_EditorHoverCursor(benchmark::State& state) {
  EnsureApp();
  TDragScene scene;
  std::vector<double> wall;
  int k = 0;
  TEditCursor c = TEditCursor::Default;
  for (auto _ : state) {
    const TPoint at{200 + (++k * 37) % 1500, 100 + (k * 53) % 900};
    const auto t0 = std::chrono::steady_clock::now();
    scene.doc.PlayFieldMouseMove(false, at.X, at.Y);
    c = scene.doc.CursorAt(false, at.X, at.Y);
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    state.SetIterationTime(secs);
    wall.push_back(secs * 1000);
    benchmark::DoNotOptimize(c);
  }
  std::sort(wall.begin(), wall.end());
  if (!wall.empty()) state.counters["median_ms"] = wall[wall.size() / 2];
}
BENCHMARK(BM_EditorHoverCursor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
