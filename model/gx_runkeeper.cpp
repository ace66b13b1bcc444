#include "gx_runkeeper.h"

#include <exception>

#include "gx_mazegame.h"
#include "gx_rocket.h"
#include "gx_runreplay.h"
#include "qor_matrix.h"

TRunKeeper::TRunKeeper(std::string folder, std::FILE* log)
    : store_(std::move(folder), log), log_(log) {}

void TRunKeeper::SetMaze(TMaze* maze) {
  maze_ = maze;
  best_.reset();
  recorder_.Discard();
  if (!maze) return;
  recorder_.Attach(*maze);
  best_ = store_.Load(recorder_.MazeHash());
}

void TRunKeeper::MazeChanged(TMaze& maze) {
  if (&maze != maze_) return;
  if (maze.bestdur == 0) {
    // R pressed: the record is gone, and with it the run that set it. A run in progress is
    // still recorded and may set the next one.
    Retire();
    return;
  }
  if (!maze.FFinished || !recorder_.Recording()) return;
  std::optional<TRunRecording> run = recorder_.Finish(maze);
  if (!run) return;
  try {
    store_.Save(*run);
  } catch (const std::exception& e) {
    if (log_) std::fprintf(log_, "gravonaut: the best run is not kept: %s\n", e.what());
  }
  best_ = std::move(run);
}

void TRunKeeper::Retire() {
  best_.reset();
  if (maze_) store_.Retire(recorder_.MazeHash());
}

TRunPose TRunKeeper::PoseNow(double fraction) const {
  if (fraction < 1 && maze_->duration > 0) {
    return GhostPose(*best_, maze_->duration - 1, fraction);
  }
  return GhostPose(*best_, maze_->duration, 0);
}

void TRunKeeper::DrawGhost(const TControl& f, TCanvas& cv, const tmat2d& m,
                           double fraction) const {
  if (!GhostVisible() || !maze_->Rocket()) return;
  ::DrawGhost(f, cv, m * maze_->matrix, PoseNow(fraction), maze_->Rocket()->sx,
              maze_->Rocket()->sy);
}

void TRunKeeper::DrawGhostSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz,
                               double fraction) const {
  if (!GhostVisible()) return;
  ::DrawGhostSpot(f, cv, m * maze_->matrix, PoseNow(fraction), sz);
}
