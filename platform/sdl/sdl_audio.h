#pragma once
// The audio device through SDL2, which plays through whatever the desktop has (PipeWire,
// PulseAudio or ALSA): 48 kHz, 32-bit float, stereo, 512 frames a buffer (under 11 ms).
#include <cstdint>
#include <string>

#include "gx_audiooutput.h"

class TSdlAudioOutput : public TAudioOutput {
 public:
  static constexpr int kRate = 48000;
  static constexpr int kFrames = 512;
  static constexpr int kChannels = 2;

  TSdlAudioOutput() = default;
  ~TSdlAudioOutput() override;
  TSdlAudioOutput(const TSdlAudioOutput&) = delete;
  TSdlAudioOutput& operator=(const TSdlAudioOutput&) = delete;

  bool Start(TMixer& mixer, std::string& error) override;
  void Stop() override;
  std::string Description() const override { return description_; }

 private:
  static void Callback(void* mixer, std::uint8_t* stream, int len);

  std::uint32_t device_ = 0;
  bool initialised_ = false;
  std::string description_;
};
