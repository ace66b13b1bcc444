// What the editor's benchmarks share: the 1920 x 1080 play field drawn by the Qt canvas, the
// widget application they need, and this thread's CPU clock (which leaves out waiting for a
// core on a busy machine).
#pragma once

#include <QApplication>
#include <ctime>

#include "gx_editdoc.h"
#include "qt_canvas.h"

namespace editor_bench {

constexpr int kW = 1920;
constexpr int kH = 1080;

inline double ThreadSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

inline void EnsureApp() {
  if (QCoreApplication::instance()) return;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "gravonaut_editor_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
}

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
