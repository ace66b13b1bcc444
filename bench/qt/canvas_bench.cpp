// How fast the Qt canvas paints a frame: a few thousand filled polygons with outlines, the
// size of a busy maze's play view, with one painter per call or one per frame.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "qt_canvas.h"

namespace {

// count polygons of 8 corners, about 40 pixels across, spread over a 1280 x 720 view.
std::vector<std::vector<TPoint>> Scene(int count) {
  std::vector<std::vector<TPoint>> polys;
  unsigned seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  for (int i = 0; i < count; ++i) {
    const int cx = static_cast<int>(next() % 1400) - 60;
    const int cy = static_cast<int>(next() % 840) - 60;
    std::vector<TPoint> pts;
    for (int k = 0; k < 8; ++k) {
      const double a = k * 0.785398;
      const double r = 12 + static_cast<int>(next() % 12);
      pts.push_back(
          {cx + static_cast<int>(r * std::cos(a)), cy + static_cast<int>(r * std::sin(a))});
    }
    polys.push_back(std::move(pts));
  }
  return polys;
}

void DrawScene(TQtCanvas& cv, const std::vector<std::vector<TPoint>>& polys) {
  cv.Pen = TPen{0x00FFFF00, 1, TPenStyle::psSolid, TPenMode::pmCopy};
  cv.Brush = TBrush{0x00000000, bsSolid};
  cv.FillRect({0, 0, cv.Width(), cv.Height()});
  int i = 0;
  for (const auto& p : polys) {
    cv.Brush = TBrush{static_cast<TColor>(0x00102030 * (i % 7)), (i % 5 == 0) ? bsCross : bsSolid};
    cv.Polygon(p);
    ++i;
  }
}

void BM_FramePerCallPainter(benchmark::State& state) {
  TQtCanvas cv(1280, 720, clBlack);
  const auto polys = Scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    DrawScene(cv, polys);
    benchmark::DoNotOptimize(cv.Image().constBits());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FramePerCallPainter)->Arg(3000)->Unit(benchmark::kMillisecond);

void BM_FrameOnePainter(benchmark::State& state) {
  TQtCanvas cv(1280, 720, clBlack);
  const auto polys = Scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TQtPaintScope frame(cv);
    DrawScene(cv, polys);
    benchmark::DoNotOptimize(cv.Image().constBits());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FrameOnePainter)->Arg(3000)->Unit(benchmark::kMillisecond);

// Rubber-band previews: an XOR outline drawn and erased.
void BM_XorRubberBand(benchmark::State& state) {
  TQtCanvas cv(1280, 720, clBlack);
  cv.Pen = TPen{0x00FFFFFF, 1, TPenStyle::psSolid, TPenMode::pmXor};
  cv.Brush.Style = bsClear;
  const std::vector<TPoint> band = {{100, 100}, {900, 140}, {1000, 600}, {150, 500}};
  for (auto _ : state) {
    cv.Polygon(band);
    cv.Polygon(band);
  }
}
BENCHMARK(BM_XorRubberBand)->Unit(benchmark::kMicrosecond);

}  // namespace
