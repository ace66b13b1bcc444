#pragma once
// The best run on screen: its ghost beside the player (TGhostOverlay), and W's replay
// (TRunWatch), which plays the best run again on a copy of the maze in the play view, balls,
// bullets and clock as they were. A best run that no longer finishes at its time (the game's
// physics changed since it was flown) is shown as its ghost tracing its path instead, with a
// message saying so.
#include <memory>
#include <string>

#include "gx_playview.h"
#include "gx_runfile.h"

class QImage;
class TMaze;
class TRunKeeper;
class TRunReplay;

// The keeper's ghost at the played maze's clock, on the play view and the map.
class TGhostOverlay : public TPlayOverlay {
 public:
  // fraction: how far a picture between two ticks is from the clock's last tick to the clock
  // (1: at the clock; see TRunKeeper::DrawGhost).
  explicit TGhostOverlay(const TRunKeeper& keeper, double fraction = 1)
      : keeper_(keeper), fraction_(fraction) {}
  void DrawPlay(const TControl& f, TCanvas& cv, const tmat2d& m) const override;
  void DrawMap(const TControl& f, TCanvas& cv, const tmat2d& m) const override;

 private:
  const TRunKeeper& keeper_;
  double fraction_;
};

class TRunWatch : public TPlayOverlay {
 public:
  // Checks run against maze (headless, to the end) and gets the replay ready on a copy; maze
  // itself is not touched.
  TRunWatch(const TMaze& maze, const TRunRecording& run);
  ~TRunWatch() override;
  TRunWatch(const TRunWatch&) = delete;
  TRunWatch& operator=(const TRunWatch&) = delete;

  // Whether the run re-simulates to its recorded time (else its path is shown).
  bool Matches() const { return replay_ != nullptr; }
  // One tick of the replay; false once it is over.
  bool Step();
  // The maze to paint: the replay's copy, or the played maze behind the path.
  TMaze* Shown(TMaze* played) const;
  // The caption above everything (also what tests read).
  const std::string& Caption() const { return caption_; }
  void DrawPlay(const TControl& f, TCanvas& cv, const tmat2d& m) const override;
  void DrawMap(const TControl& f, TCanvas& cv, const tmat2d& m) const override;

 private:
  TRunRecording run_;
  std::unique_ptr<TRunReplay> replay_;
  std::size_t tick_ = 0;  // path mode: the pose shown
  const TMaze* played_ = nullptr;
  std::string caption_;
};
