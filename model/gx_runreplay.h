#pragma once
// Playing a recorded run again, and its ghost.
//
// TRunReplay re-simulates a run on a copy of its maze (read back from the maze's record) with a
// rocket of its own: each tick it hands the recorded keys to the copy through the key state, so
// the copy flies, shoots and strikes exactly as the run did, and the maze played stays as it
// was. VerifyRun plays a run through to tell whether it still finishes at its recorded time.
//
// The ghost is the recorded rocket at a time of the clock, drawn as an outline in its own
// colour; drawing it touches nothing in the maze.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "canvas.h"
#include "gx_keystate.h"
#include "gx_runfile.h"
#include "gx_runrecorder.h"

class TMaze;
class TRocket;
class tmat2d;

// Hands one recorded tick to the maze: each game key is down (and newly pressed) exactly on the
// ticks the recording has it, so the maze counts it as it counted it then.
class TReplayKeys : public TKeyStateService {
 public:
  void Set(const TRunKeys& k) { keys_ = k; }
  TKeyQuery Query(std::uint8_t code) override;

 private:
  TRunKeys keys_;
};

class TRunReplay {
 public:
  TRunReplay(const TMaze& maze, const TRunRecording& run);
  ~TRunReplay();
  TRunReplay(const TRunReplay&) = delete;
  TRunReplay& operator=(const TRunReplay&) = delete;

  // One tick, with the next recorded keys (none once they are used up).
  void Step();
  TMaze& Maze() { return *maze_; }
  TRocket& Rocket() { return *rocket_; }
  const TRunRecording& Run() const { return run_; }
  // Ticks played so far.
  std::size_t Ticks() const { return tick_; }
  // The copy's run finished (all balls gone), on tick FinishTick() (counted from 1).
  bool Finished() const { return finish_tick_ != 0; }
  std::size_t FinishTick() const { return finish_tick_; }
  // The run as the copy flew it, once it finished.
  const std::optional<TRunRecording>& Flown() const { return flown_; }

 private:
  std::unique_ptr<TMaze> maze_;
  std::unique_ptr<TRocket> rocket_;
  TReplayKeys keys_;
  TRunRecorder recorder_;
  TRunRecording run_;
  std::size_t tick_ = 0;
  std::size_t finish_tick_ = 0;
  std::optional<TRunRecording> flown_;
};

struct TReplayCheck {
  bool matches = false;
  std::string why;  // when it does not: where the re-simulation parted from the run
};

// Re-simulates run on a copy of maze: it matches when the copy finishes on the run's last
// tick, with the run's clock, and every checked rocket state and every pose as recorded.
TReplayCheck VerifyRun(const TMaze& maze, const TRunRecording& run);

// --- the ghost -------------------------------------------------------------------------------

inline constexpr TColor kGhostColor = 0x00FF80C0;  // a light violet, no wall or rocket colour

// The ghost at tick of the run's clock (clamped to the run), `fraction` (0..1) of the way to
// the next tick, blended as the rocket is (position straight, angle along the short arc).
TRunPose GhostPose(const TRunRecording& run, std::uint32_t tick, double fraction);

// The rocket's hull at pose as an outline in the ghost's colour; m maps maze units to window
// pixels (y up), flipped against f's client height. sx, sy: the rocket's size.
void DrawGhost(const TControl& f, TCanvas& cv, const tmat2d& m, const TRunPose& pose,
               double sx, double sy);
// The ghost on the overview map: a dot of radius sz.
void DrawGhostSpot(const TControl& f, TCanvas& cv, const tmat2d& m, const TRunPose& pose,
                   int sz);
// The run's path up to pose index upto, as a line in the ghost's colour.
void DrawGhostPath(const TControl& f, TCanvas& cv, const tmat2d& m, const TRunRecording& run,
                   std::size_t upto);
