#pragma once
// Recording the runs of a maze as it is played, and telling mazes apart by their content.
//
// The recorder follows the maze through its key-sampling hook (TMaze::FOnKeysSampled): a run
// starts on the tick whose thrust leaves the intro, every tick after it adds the keys the maze
// sampled, and every tick that moved the run's clock adds the rocket's pose. A reset, a crash
// that ends in a reset, or quitting drops the run; Finish hands over the run that just finished.
#include <cstdint>
#include <optional>

#include "gx_runfile.h"

class TMaze;
class TRocket;

// A hash of the maze's content: its record as a reset leaves it, without its name, best time
// and view matrix, and with its extent worked out. Renaming or reordering a maze keeps it; any change of walls, balls, zones,
// colours, animation or tick length gives another.
std::uint64_t MazeContentHash(const TMaze& maze);

// A checksum of the rocket's exact state (position, speed, heading), as best runs keep it.
std::uint32_t RocketStateHash(const TRocket& rocket);

// The rocket's pose.
TRunPose RocketPose(const TRocket& rocket);

class TRunRecorder {
 public:
  // Every how many ticks of the clock the exact state is checked.
  static constexpr std::uint32_t kCheckEvery = 64;

  // Records maze from now on: installs the hook and takes the maze's content hash. Samples of
  // any other maze that still calls an older hook are ignored.
  void Attach(TMaze& maze);
  // Called by the hook with the maze that sampled its keys.
  void KeysSampled(const TMaze* sender);
  // On the tick that finished the run (all balls gone): the run, or nullopt when no run was
  // being recorded. The recorder starts afresh.
  std::optional<TRunRecording> Finish(const TMaze& maze);
  bool Recording() const { return run_.has_value(); }
  void Discard() { run_.reset(); }
  std::uint64_t MazeHash() const { return hash_; }

 private:
  void AddPose(const TMaze& maze);

  const TMaze* maze_ = nullptr;  // compared, never followed: the maze may be gone
  std::uint64_t hash_ = 0;
  std::optional<TRunRecording> run_;
};
