#include "gx_runwatch.h"

#include <cstdio>

#include "gx_mazegame.h"
#include "gx_rocket.h"
#include "gx_runkeeper.h"
#include "gx_runreplay.h"
#include "qor_matrix.h"

namespace {

// The path is traced at the run's own pace and stays a moment at its end.
constexpr std::size_t kLinger = 40;

std::string Seconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", s);
  return text;
}

void DrawCaption(const TControl& f, TCanvas& cv, const std::string& text) {
  cv.Font.Color = kGhostColor;
  cv.Brush.Style = bsClear;
  cv.TextOut((f.ClientWidth() - cv.TextWidth(text)) / 2, 10, text);
}

}  // namespace

void TGhostOverlay::DrawPlay(const TControl& f, TCanvas& cv, const tmat2d& m) const {
  keeper_.DrawGhost(f, cv, m, fraction_);
}

void TGhostOverlay::DrawMap(const TControl& f, TCanvas& cv, const tmat2d& m) const {
  keeper_.DrawGhostSpot(f, cv, m, 3, fraction_);
}

TRunWatch::TRunWatch(const TMaze& maze, const TRunRecording& run) : run_(run), played_(&maze) {
  const TReplayCheck check = VerifyRun(maze, run_);
  if (check.matches) {
    replay_ = std::make_unique<TRunReplay>(maze, run_);
    replay_->Maze().bkgrnd = maze.bkgrnd;
    caption_ = "Best run, " + Seconds(run_.Seconds()) + ": any key ends it";
  } else {
    std::fprintf(stderr, "gravonaut: the best run of '%s' does not play back: %s\n",
                 maze.mazename.c_str(), check.why.c_str());
    caption_ = "The best run (" + Seconds(run_.Seconds()) +
               ") no longer plays back on this maze: its path is shown";
  }
}

TRunWatch::~TRunWatch() = default;

bool TRunWatch::Step() {
  if (replay_) {
    replay_->Step();
    // Over once the finished run has shown its message and gone back to the start.
    return !(replay_->Finished() && replay_->Maze().GameState() == gs_intro);
  }
  ++tick_;
  return tick_ < run_.poses.size() + kLinger;
}

TMaze* TRunWatch::Shown(TMaze* played) const {
  return replay_ ? &replay_->Maze() : played;
}

void TRunWatch::DrawPlay(const TControl& f, TCanvas& cv, const tmat2d& m) const {
  if (!replay_ && played_ && played_->Rocket()) {
    const tmat2d view = m * played_->matrix;
    DrawGhostPath(f, cv, view, run_, tick_);
    DrawGhost(f, cv, view, GhostPose(run_, static_cast<std::uint32_t>(tick_), 0),
              played_->Rocket()->sx, played_->Rocket()->sy);
  }
  DrawCaption(f, cv, caption_);
}

void TRunWatch::DrawMap(const TControl& f, TCanvas& cv, const tmat2d& m) const {
  if (replay_ || !played_) return;
  DrawGhostSpot(f, cv, m * played_->matrix, GhostPose(run_, static_cast<std::uint32_t>(tick_), 0),
                3);
}
