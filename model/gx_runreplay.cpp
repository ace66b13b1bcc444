#include "gx_runreplay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_motion.h"
#include "gx_rocket.h"
#include "gx_side.h"
#include "qor_matrix.h"
#include "qor_text.h"

TKeyQuery TReplayKeys::Query(std::uint8_t code) {
  std::uint8_t flag = 0;
  switch (code) {
    case vk::LControl: flag = TRunKeys::kThrust; break;
    case vk::Up: flag = TRunKeys::kShoot; break;
    case vk::Down: flag = TRunKeys::kFreeze; break;
    case vk::Left: flag = TRunKeys::kLeft; break;
    case vk::Right: flag = TRunKeys::kRight; break;
    default: return {};
  }
  // Pressed as well as down: a key the maze holds over from a freeze counts again at once,
  // as the press it was when it was recorded.
  const bool on = (keys_.flags & flag) != 0;
  return {on, on};
}

TRunReplay::TRunReplay(const TMaze& maze, const TRunRecording& run)
    : rocket_(std::make_unique<TRocket>()), run_(run) {
  TTextWriter w;
  maze.SaveToF(w);
  TTextReader r(w.Bytes());
  maze_ = TMazeList::ReadMaze(r, 0, "TMazeList");
  maze_->bestdur = 0;  // the copy's finish is the record it was
  maze_->SetRocket(rocket_.get());
  maze_->SetKeyService(&keys_);
  maze_->SetTickUnit(static_cast<int>(run_.tick_unit));
  maze_->reset();
  recorder_.Attach(*maze_);
}

TRunReplay::~TRunReplay() {
  maze_.reset();  // lets go of the rocket first
}

void TRunReplay::Step() {
  const TRunKeys k = tick_ < run_.keys.size() ? run_.keys[tick_] : TRunKeys{};
  ++tick_;
  keys_.Set(k);
  maze_->KeyState.M_WHEEL = k.wheel;
  // A freeze from outside the keys (the help) is part of the run as it was played.
  if ((k.flags & TRunKeys::kFrozen) && maze_->GameState() != gs_freeze &&
      maze_->GameState() != gs_intro) {
    maze_->SetGameState(gs_freeze);
  }
  maze_->TickTime(1);
  if (!finish_tick_ && maze_->FFinished) {
    finish_tick_ = tick_;
    flown_ = recorder_.Finish(*maze_);
  }
}

namespace {
bool SamePose(const TRunPose& a, const TRunPose& b) {
  const TRunPose qa = QuantizedPose(a), qb = QuantizedPose(b);
  return qa.x == qb.x && qa.y == qb.y && qa.angle == qb.angle;
}
}  // namespace

TReplayCheck VerifyRun(const TMaze& maze, const TRunRecording& run) {
  TReplayCheck result;
  if (MazeContentHash(maze) != run.maze_hash) {
    result.why = "recorded on another maze";
    return result;
  }
  TRunReplay replay(maze, run);
  while (!replay.Finished() && replay.Ticks() < run.keys.size()) replay.Step();
  if (!replay.Finished()) {
    result.why = "does not finish";
    return result;
  }
  const TRunRecording& flown = *replay.Flown();
  if (replay.FinishTick() != run.keys.size() || flown.clock != run.clock) {
    char text[64];
    std::snprintf(text, sizeof text, "finishes at %.2f s, tick %zu of %zu", flown.Seconds(),
                  replay.FinishTick(), run.keys.size());
    result.why = text;
    return result;
  }
  if (flown.checks != run.checks || flown.poses.size() != run.poses.size()) {
    result.why = "the rocket flies elsewhere";
    return result;
  }
  for (std::size_t i = 0; i < run.poses.size(); ++i) {
    if (!SamePose(flown.poses[i], run.poses[i])) {
      result.why = "the rocket flies elsewhere";
      return result;
    }
  }
  result.matches = true;
  return result;
}

// --- the ghost -------------------------------------------------------------------------------

TRunPose GhostPose(const TRunRecording& run, std::uint32_t tick, double fraction) {
  if (run.poses.empty()) return {};
  const std::size_t last = run.poses.size() - 1;
  const std::size_t i = std::min<std::size_t>(tick, last);
  const std::size_t j = std::min<std::size_t>(i + 1, last);
  if (!(fraction > 0) || i == j) return run.poses[i];
  const TRunPose& a = run.poses[i];
  const TRunPose& b = run.poses[j];
  const TPose p = BlendPose(TPose{a.x, a.y, a.angle}, TPose{b.x, b.y, b.angle}, fraction);
  return TRunPose{p.x, p.y, p.angle};
}

namespace {
TPoint Pixel(const TControl& f, const tmat2d& m, double x, double y) {
  m.Transform(x, y);
  return TPoint{RoundToInt(x), f.ClientHeight() - RoundToInt(y)};
}
}  // namespace

void DrawGhost(const TControl& f, TCanvas& cv, const tmat2d& m, const TRunPose& pose,
               double sx, double sy) {
  // The hull's outline as the rocket draws it, turned and moved to the pose.
  const double fx = -sx / 5;
  const double corners[][2] = {{fx, 8 * sy / 5},  {fx, 6 * sy / 5},  {sx, 0},
                               {fx, -6 * sy / 5}, {fx, -8 * sy / 5}, {fx, -6 * sy / 5},
                               {0, -sy},          {0, sy},           {fx, 6 * sy / 5}};
  const double c = std::cos(pose.angle), s = std::sin(pose.angle);
  std::vector<TPoint> points;
  for (const auto& k : corners) {
    points.push_back(Pixel(f, m, pose.x + c * k[0] - s * k[1], pose.y + s * k[0] + c * k[1]));
  }
  cv.Pen.Color = kGhostColor;
  cv.Pen.Width = 1;
  cv.Pen.Mode = TPenMode::pmCopy;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.Polyline(points);
}

void DrawGhostSpot(const TControl& f, TCanvas& cv, const tmat2d& m, const TRunPose& pose,
                   int sz) {
  const TPoint p = Pixel(f, m, pose.x, pose.y);
  cv.Pen.Color = kGhostColor;
  cv.Pen.Width = 1;
  cv.Pen.Mode = TPenMode::pmCopy;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.Brush.Color = kGhostColor;
  cv.Brush.Style = bsSolid;
  cv.Ellipse(p.X - sz, p.Y - sz, p.X + sz, p.Y + sz);
}

void DrawGhostPath(const TControl& f, TCanvas& cv, const tmat2d& m, const TRunRecording& run,
                   std::size_t upto) {
  const std::size_t n = std::min(upto + 1, run.poses.size());
  if (n < 2) return;
  std::vector<TPoint> points;
  points.reserve(n);
  for (std::size_t i = 0; i < n; ++i) points.push_back(Pixel(f, m, run.poses[i].x, run.poses[i].y));
  cv.Pen.Color = kGhostColor;
  cv.Pen.Width = 1;
  cv.Pen.Mode = TPenMode::pmCopy;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.Polyline(points);
}
