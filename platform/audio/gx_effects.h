#pragma once
// The game's sound effects: their parameters and the bank they are rendered into at start-up.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gx_synth.h"

enum class TSoundEffect : std::uint8_t {
  Thrust,     // a loop while the flame burns
  Shot,
  WallBurst,
  BallBurst,  // a ball struck by a bullet or rammed
  Crash,
  Landing,
  Overheat,   // a shot refused by the hot cannon
  Finish,     // the run finished without a record
  Record,     // "New Record Time!"
  Freeze,
  Resume,
};
inline constexpr int kSoundEffectCount = 11;

// A file-name-friendly name ("thrust", "wall-burst", ...).
const char* SoundEffectName(TSoundEffect e);
const TEffectSpec& SoundEffectSpec(TSoundEffect e);

// Every effect rendered once, mono at kSampleRate; read-only afterwards, so the audio thread
// may read it while the game runs.
class TSoundBank {
 public:
  TSoundBank();  // renders all effects
  const std::vector<float>& Samples(TSoundEffect e) const {
    return samples_[static_cast<int>(e)];
  }
  bool Loops(TSoundEffect e) const { return SoundEffectSpec(e).loop; }

 private:
  std::array<std::vector<float>, kSoundEffectCount> samples_;
};
