#include "gx_runrecorder.h"

#include <bit>
#include <cstring>

#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_rocket.h"
#include "qor_text.h"

std::uint64_t MazeContentHash(const TMaze& maze) {
  // The record read back and reset: animation counters and the state of a run in progress
  // are what a reset puts back, not content.
  TTextWriter live;
  maze.SaveToF(live);
  TTextReader r(live.Bytes());
  std::unique_ptr<TMaze> m = TMazeList::ReadMaze(r, 0, "TMazeList");
  m->reset();
  m->mazename.clear();
  m->bestdur = 0;
  m->matrix.reset();
  // The maze's own extent is worked out when a window lays the maze out: a maze shown and one
  // just read are the same maze.
  m->GetExtent();
  TTextWriter clean;
  m->SaveToF(clean);
  return Fnv1a64(clean.Bytes());
}

std::uint32_t RocketStateHash(const TRocket& rocket) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  const TForce* f = rocket.Force();
  const double values[] = {f ? f->px() : 0, f ? f->py() : 0, f ? f->vx() : 0,
                           f ? f->vy() : 0, rocket.angle()};
  for (double v : values) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) {
      h ^= (bits >> (8 * i)) & 0xFF;
      h *= 0x100000001b3ull;
    }
  }
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

TRunPose RocketPose(const TRocket& rocket) {
  const TForce* f = rocket.Force();
  return {f ? f->px() : rocket.startpos.x, f ? f->py() : rocket.startpos.y, rocket.angle()};
}

void TRunRecorder::Attach(TMaze& maze) {
  maze_ = &maze;
  run_.reset();
  hash_ = MazeContentHash(maze);
  maze.FOnKeysSampled = [this](TMaze* sender) { KeysSampled(sender); };
}

void TRunRecorder::AddPose(const TMaze& maze) {
  run_->poses.push_back(RocketPose(*maze.Rocket()));
  const auto tick = static_cast<std::uint32_t>(run_->poses.size() - 1);
  if (tick % kCheckEvery == 0) run_->checks.push_back({tick, RocketStateHash(*maze.Rocket())});
}

void TRunRecorder::KeysSampled(const TMaze* sender) {
  if (!sender || sender != maze_ || !sender->Rocket()) return;
  const TMaze& maze = *sender;
  const TKeyState& ks = maze.KeyState;
  switch (maze.GameState()) {
    case gs_intro:
      run_.reset();
      if (!ks.K_THRUST) return;
      // This tick's thrust starts the run and its clock.
      run_.emplace();
      run_->maze_hash = hash_;
      run_->tick_unit = static_cast<std::uint32_t>(maze.TickUnit());
      AddPose(maze);
      break;
    case gs_finished:
      run_.reset();
      return;
    default:
      if (!run_) return;  // a run whose start was not seen
      // The tick before moved the clock: the pose it left belongs to the new time.
      if (maze.duration >= run_->poses.size()) AddPose(maze);
      break;
  }
  if (run_->keys.size() >= kMaxRunTicks) {
    run_.reset();  // longer than any best run is kept
    return;
  }
  TRunKeys k;
  if (ks.K_THRUST) k.flags |= TRunKeys::kThrust;
  if (ks.K_SHOOT) k.flags |= TRunKeys::kShoot;
  if (ks.K_FREEZE) k.flags |= TRunKeys::kFreeze;
  if (ks.K_LEFT) k.flags |= TRunKeys::kLeft;
  if (ks.K_RIGHT) k.flags |= TRunKeys::kRight;
  if (maze.GameState() == gs_freeze) k.flags |= TRunKeys::kFrozen;
  k.wheel = ks.M_WHEEL;
  run_->keys.push_back(k);
}

std::optional<TRunRecording> TRunRecorder::Finish(const TMaze& maze) {
  if (!run_ || run_->keys.empty() || !maze.Rocket()) {
    run_.reset();
    return std::nullopt;
  }
  // The finishing tick always ran the rocket, whether or not it still moved the clock.
  AddPose(maze);
  const auto last = static_cast<std::uint32_t>(run_->poses.size() - 1);
  if (run_->checks.empty() || run_->checks.back().tick != last) {
    run_->checks.push_back({last, RocketStateHash(*maze.Rocket())});
  }
  run_->clock = maze.duration;
  std::optional<TRunRecording> done = std::move(run_);
  run_.reset();
  return done;
}
