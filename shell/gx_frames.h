#pragma once
// When a play view draws its pictures, and what simulated time each one shows.
//
// The game ticks on its own 50 ms timer. With smooth motion the view is drawn at the display's
// rate instead of once per tick: a single-shot timer aims every picture at the next multiple of
// the display period (a fixed 16 ms timer against a 60 Hz screen would make one picture too
// many every 0.4 s), and each picture shows the maze between the last two ticks at the
// fraction of the tick that has elapsed on a monotonic clock. After each tick the driver takes
// a snapshot of what is drawn (gx_motion.h); a jump (another maze, the end of a dialog, a
// restart the snapshots reveal themselves) makes the next picture show the new state at once.
//
// Only while the driver runs (Start, with the game's timer) are pictures blended; a stopped
// driver, and one set to one frame per tick, paints the state as it is, exactly as before
// there were pictures between ticks.
#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <fstream>
#include <string>

#include "gx_motion.h"
#include "gx_playview.h"

class QWidget;
class TMaze;

class TFrameDriver {
 public:
  // What a picture is to show.
  struct TFrame {
    const TFrameSnapshot* prev = nullptr;
    const TFrameSnapshot* cur = nullptr;
    double fraction = 1;  // of the tick from prev to cur; 1: cur (or the maze as it is)
    double ticks = 0;     // the simulated time shown, in ticks
  };

  // view: the widget whose update() draws a picture; tickMs: the length of a game tick.
  TFrameDriver(QWidget& view, int tickMs);
  ~TFrameDriver();
  TFrameDriver(const TFrameDriver&) = delete;
  TFrameDriver& operator=(const TFrameDriver&) = delete;

  // Smooth motion: pictures between the ticks at FrameRate; false: one picture per tick,
  // whatever the rate says. May be switched at any time (the next tick takes it up).
  bool smooth_motion = true;

  // Pictures a second: above 0 that many, below 0 the display's rate, 0 one picture per
  // tick (drawn when the tick has run). Takes effect at once.
  void SetFps(int fps);
  int Fps() const { return fps_; }
  // The rate in force: the display's (QScreen::refreshRate, 60 when unknown, kept within 30 to
  // 240 Hz) or the one asked for; 0 for one picture per tick.
  double FrameRate() const;
  // A file receiving one line per picture drawn: milliseconds on the monotonic clock since the
  // driver was made, and the simulated time drawn in ticks, separated by a blank. False (and
  // nothing written) when it cannot be opened.
  bool SetFrameLog(const std::string& file);

  // With the game's timer: pictures between ticks only while running.
  void Start();
  void Stop();
  bool Running() const { return running_; }
  // After each tick of maze: its snapshot (and, at one picture per tick, the picture).
  void TickDone(const TMaze& maze);
  // The state has been put somewhere else: the next picture shows it as it is.
  void Jump();

  // Called by the paint handler for the picture it draws now; logs it. EndFrame when it is
  // drawn: the driver learns what a picture costs.
  TFrame BeginFrame();
  void EndFrame();
  // The fraction of the tick elapsed now (0 .. 1), as BeginFrame takes it.
  double FractionNow() const;
  // The simulated time of the last picture drawn, in ticks (whole ticks plus the fraction):
  // what anything drawn beside the maze (a recorded ghost) should show.
  double DrawnTicks() const { return drawn_ticks_; }
  std::int64_t Ticks() const { return ticks_; }
  // Pictures begun so far.
  std::int64_t FramesDrawn() const { return frames_drawn_; }
  const TFrameSnapshot& Previous() const { return prev_; }
  const TFrameSnapshot& Current() const { return cur_; }
  // The monotonic clock of the frame log and of the fractions.
  const QElapsedTimer& Clock() const { return clock_; }

 private:
  void Schedule();
  void OnTimer();

  QWidget& view_;
  std::int64_t tick_ns_;
  int fps_ = -1;
  bool running_ = false;
  QElapsedTimer clock_;
  QTimer timer_;
  std::int64_t origin_ns_ = 0;  // the frames' phase: aimed at origin + k * period
  std::int64_t period_ns_ = 0;
  std::int64_t last_k_ = 0;
  // What a picture costs on the wall clock (a running mean), and when the one being drawn
  // began. A picture that takes more than 60 % of a period (a starved or slow machine) makes
  // the driver aim at every second, third ... period, so that the ticks keep their time.
  std::int64_t paint_ns_ = 0;
  std::int64_t frame_begin_ns_ = -1;
  std::int64_t tick_at_ns_ = 0;  // when the last tick ran
  std::int64_t ticks_ = 0;
  std::int64_t frames_drawn_ = 0;
  double drawn_ticks_ = 0;
  TFrameSnapshot prev_;
  TFrameSnapshot cur_;
  std::ofstream log_;
};

class QImage;
// Makes image the size of view's client area in device pixels, with view's device pixel ratio,
// so that a HiDPI screen gets a picture drawn at its own resolution.
void FitBackBuffer(QImage& image, const QWidget& view);

// The style of the play view's picture for frame.
TPlayFrameStyle FrameStyle(const TFrameDriver::TFrame& frame, bool smoothEdges);
