#include "gx_frames.h"

#include <QImage>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>

TFrameDriver::TFrameDriver(QWidget& view, int tickMs)
    : view_(view), tick_ns_(static_cast<std::int64_t>(std::max(tickMs, 1)) * 1000000) {
  clock_.start();
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, &view_, [this] { OnTimer(); });
}

TFrameDriver::~TFrameDriver() {
  timer_.stop();
  if (log_.is_open()) log_.flush();
}

void TFrameDriver::SetFps(int fps) {
  fps_ = fps;
  if (running_) {
    Stop();
    Start();
  }
}

double TFrameDriver::FrameRate() const {
  if (fps_ == 0 || !smooth_motion) return 0;
  if (fps_ > 0) return fps_;
  double hz = 60;
  if (const QScreen* s = view_.screen()) hz = s->refreshRate();
  if (!(hz > 0)) hz = 60;
  return std::clamp(hz, 30.0, 240.0);
}

bool TFrameDriver::SetFrameLog(const std::string& file) {
  log_.close();
  if (file.empty()) return true;
  log_.open(file, std::ios::trunc);
  return log_.is_open();
}

void TFrameDriver::Start() {
  running_ = true;
  const double rate = FrameRate();
  if (rate <= 0) return;
  period_ns_ = std::max<std::int64_t>(std::llround(1e9 / rate), 1000000);
  origin_ns_ = clock_.nsecsElapsed();
  last_k_ = 0;
  Schedule();
}

void TFrameDriver::Stop() {
  running_ = false;
  timer_.stop();
}

void TFrameDriver::Schedule() {
  const std::int64_t now = clock_.nsecsElapsed();
  // The next multiple of the period, never the one just drawn (a timer may wake a little
  // early), and after a stall the next one still ahead rather than a burst to catch up.
  // Pictures should take at most about 60 % of the time between them.
  const std::int64_t budget = period_ns_ * 3 / 5;
  const std::int64_t stride = std::max<std::int64_t>(1, (paint_ns_ + budget - 1) / budget);
  std::int64_t k = (now - origin_ns_) / period_ns_ + 1;
  if (k < last_k_ + stride) k = last_k_ + stride;
  last_k_ = k;
  const std::int64_t target = origin_ns_ + k * period_ns_;
  const double ms = static_cast<double>(target - now) / 1e6;
  timer_.start(std::max(0, static_cast<int>(std::lround(ms))));
}

void TFrameDriver::OnTimer() {
  if (!running_ || FrameRate() <= 0) return;
  view_.update();
  Schedule();
}

void TFrameDriver::TickDone(const TMaze& maze) {
  ++ticks_;
  tick_at_ns_ = clock_.nsecsElapsed();
  prev_ = std::move(cur_);
  cur_ = TakeSnapshot(maze, ticks_);
  if (FrameRate() <= 0 || !running_) {
    view_.update();
  } else if (!timer_.isActive()) {
    Start();  // smooth motion switched (back) on
  }
}

void TFrameDriver::Jump() {
  prev_ = TFrameSnapshot();
}

double TFrameDriver::FractionNow() const {
  const double f =
      static_cast<double>(clock_.nsecsElapsed() - tick_at_ns_) / static_cast<double>(tick_ns_);
  return std::clamp(f, 0.0, 1.0);
}

void TFrameDriver::EndFrame() {
  if (frame_begin_ns_ < 0) return;
  const std::int64_t took = clock_.nsecsElapsed() - frame_begin_ns_;
  frame_begin_ns_ = -1;
  paint_ns_ = paint_ns_ == 0 ? took : (paint_ns_ * 7 + took) / 8;
}

TFrameDriver::TFrame TFrameDriver::BeginFrame() {
  frame_begin_ns_ = clock_.nsecsElapsed();
  ++frames_drawn_;
  TFrame frame;
  frame.prev = &prev_;
  frame.cur = &cur_;
  const bool blend = running_ && FrameRate() > 0 && Continuous(prev_, cur_);
  frame.fraction = blend ? FractionNow() : 1.0;
  frame.ticks = blend ? static_cast<double>(prev_.tick) + frame.fraction
                      : static_cast<double>(cur_.valid ? cur_.tick : ticks_);
  drawn_ticks_ = frame.ticks;
  if (log_.is_open()) {
    char line[64];
    std::snprintf(line, sizeof line, "%.3f %.4f\n",
                  static_cast<double>(clock_.nsecsElapsed()) / 1e6, frame.ticks);
    log_ << line;
  }
  return frame;
}

void FitBackBuffer(QImage& image, const QWidget& view) {
  const qreal dpr = view.devicePixelRatioF();
  const QSize pixels = (QSizeF(view.size()) * dpr).toSize();
  if (image.size() == pixels && image.devicePixelRatio() == dpr) return;
  image = QImage(pixels, QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
}

TPlayFrameStyle FrameStyle(const TFrameDriver::TFrame& frame, bool smoothEdges) {
  TPlayFrameStyle style;
  style.prev = frame.prev;
  style.cur = frame.cur;
  style.fraction = frame.fraction;
  style.tick = frame.cur && frame.cur->valid ? frame.cur->tick : 0;
  style.smooth_edges = smoothEdges;
  return style;
}
