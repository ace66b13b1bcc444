#pragma once
// What the game does with the runs of the maze being played: records every run, keeps the run
// that set the best time as the maze's best run, retires it when the best time is cleared, and
// draws the best run's ghost at the run's clock (only drawn: it touches no ball, bullet or
// score).
#include <cstdio>
#include <optional>
#include <string>

#include "canvas.h"
#include "gx_bestruns.h"
#include "gx_runrecorder.h"

class TMaze;
class tmat2d;

class TRunKeeper {
 public:
  explicit TRunKeeper(std::string folder, std::FILE* log = stderr);

  // The maze now played (or none): its runs are recorded from here on and its best run, if one
  // is kept for its content, loaded.
  void SetMaze(TMaze* maze);
  TMaze* Maze() const { return maze_; }
  // The maze's change notice (FOnChange): a run that finished with a new best time becomes the
  // maze's best run; a best time cleared retires it. A file that cannot be written is said on
  // the log; the game goes on.
  void MazeChanged(TMaze& maze);
  // The maze's best time was cleared by the window (C): its best run goes too.
  void Retire();

  const TRunRecording* Best() const { return best_ ? &*best_ : nullptr; }
  const TBestRuns& Store() const { return store_; }
  TRunRecorder& Recorder() { return recorder_; }

  bool ShowGhost = true;
  // Whether a ghost flies along now (a best run, shown, a maze).
  bool GhostVisible() const { return ShowGhost && best_ && maze_; }
  // The ghost at the maze's clock; m maps maze units to window pixels (the maze's view matrix,
  // as its rocket is drawn). A picture between two ticks whose clock moved on by one passes
  // its fraction: the ghost is then drawn that far from the clock's last tick to the clock.
  void DrawGhost(const TControl& f, TCanvas& cv, const tmat2d& m, double fraction = 1) const;
  void DrawGhostSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz,
                     double fraction = 1) const;

 private:
  TRunPose PoseNow(double fraction) const;

 public:

 private:
  TBestRuns store_;
  std::FILE* log_;
  TMaze* maze_ = nullptr;
  TRunRecorder recorder_;
  std::optional<TRunRecording> best_;
};
