#pragma once
// The game's sound as the program runs it: the effects, the mixer and the player's controls
// (TGameSound), played through SDL's audio device. Without a usable device the game stays
// silent and says so once on standard error.
#include <cstdio>
#include <memory>
#include <string>

#include "gx_gamesound.h"

class TAudioOutput;

class TGameAudio {
 public:
  TGameAudio();  // renders the effects; opens nothing yet
  ~TGameAudio();
  TGameAudio(const TGameAudio&) = delete;
  TGameAudio& operator=(const TGameAudio&) = delete;

  // Opens the device; on failure writes "gravonaut: no sound: <reason>" to err.
  bool Start(std::FILE* err = stderr);
  void Stop();
  bool Playing() const { return playing_; }
  std::string Description() const;

  TGameSound& Sound() { return sound_; }

 private:
  TGameSound sound_;                       // the mixer lives here ...
  std::unique_ptr<TAudioOutput> output_;  // ... and this calls it: it goes first
  bool playing_ = false;
};
