// What the editor's benchmarks share: the 1920 x 1080 play field drawn by the Qt canvas, and
// (from the Qt benchmarks) the widget application and this thread's CPU clock.
#pragma once

#include "../qt/bench_app.h"
#include "gx_editdoc.h"
#include "qt_canvas.h"

namespace editor_bench {

constexpr int kW = 1920;
constexpr int kH = 1080;

// The document's play field: a kW x kH Qt canvas.
class TBenchSurface : public TEditSurface {
 public:
  TBenchSurface() : canvas_(kW, kH), control_(kW, kH) {}
  TCanvas& Canvas() override { return canvas_; }
  const TControl& Control() const override { return control_; }
  void BeginFrame() override { canvas_.BeginPaint(); }
  void EndFrame() override { canvas_.EndPaint(); }
  const QImage& Image() const { return canvas_.Image(); }

 private:
  TQtCanvas canvas_;
  TFixedControl control_;
};

}  // namespace editor_bench
