#pragma once
// The mixer the audio device's callback runs: a fixed set of voices playing read-only sample
// buffers, a master gain and a limiter, fed by commands from the game thread through a
// lock-free queue. Mix() never locks and never allocates; every start and stop of a voice and
// every change of the master gain goes through a short ramp, so nothing clicks.
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "gx_spscqueue.h"

class TMixer {
 public:
  static constexpr int kVoices = 16;
  static constexpr int kMaxSounds = 32;
  // A voice started with a tag can be stopped by it; 0 is the tag of plain one-shots.
  using TTag = std::uint16_t;

  explicit TMixer(int rate);

  // --- set-up, before the device runs -------------------------------------------------------
  // Registers a buffer (not copied: it must outlive the mixer and stay unchanged); its id, or
  // -1 when kMaxSounds are registered.
  int AddSound(const std::vector<float>& samples, bool loop);

  // --- the game thread ----------------------------------------------------------------------
  // Each returns false when the queue is full and the command is dropped.
  bool Play(int sound, float gain, TTag tag = 0);
  // Fades out every voice with this tag (all voices for tag 0) over fade_ms.
  bool Stop(TTag tag, float fade_ms);
  bool StopAll(float fade_ms);
  // The gain applied after mixing, 0..1, reached over a few milliseconds.
  bool SetMasterGain(float g);
  // How many commands were dropped because the queue was full, and sounds because every
  // voice was busy (read from any thread).
  int DroppedCommands() const { return dropped_commands_.load(std::memory_order_relaxed); }
  int DroppedSounds() const { return dropped_sounds_.load(std::memory_order_relaxed); }

  // --- the audio thread ---------------------------------------------------------------------
  // Mixes `frames` frames into out, `channels` interleaved copies of the mono mix.
  void Mix(float* out, int frames, int channels);
  int ActiveVoices() const;  // for tests and the benchmark (the audio thread's view)

  // The limiter keeps every output sample within this.
  static constexpr float kCeiling = 0.89f;

 private:
  enum class TOp : std::uint8_t { Play, Stop, StopAll, Gain };
  struct TCommand {
    TOp op = TOp::Play;
    TTag tag = 0;
    std::int16_t sound = 0;
    float value = 0;
  };
  struct TSound {
    const float* data = nullptr;
    int frames = 0;
    bool loop = false;
  };
  struct TVoice {
    int sound = -1;  // -1: free
    int pos = 0;
    TTag tag = 0;
    float gain = 1;
    float ramp = 0;       // 0..1, multiplies the gain
    float ramp_step = 0;  // per sample, towards ramp_target
    float ramp_target = 1;
    std::uint32_t started = 0;
  };

  void Apply(const TCommand& c);
  void Start(int sound, float gain, TTag tag);
  void FadeOut(TVoice& v, float fade_ms);
  bool Post(const TCommand& c);
  void MixChunk(float* out, int frames, int channels);

  const int rate_;
  std::array<TSound, kMaxSounds> sounds_{};
  int sound_count_ = 0;
  std::array<TVoice, kVoices> voices_{};
  std::uint32_t next_start_ = 1;
  // A sound that had to wait for a stolen voice to fade out.
  struct TPending {
    int sound = -1;
    float gain = 0;
    TTag tag = 0;
  };
  std::array<TPending, 8> pending_{};
  float master_ = 0;
  float master_target_ = 0;
  float limiter_gain_ = 1;
  std::array<float, 256> scratch_{};
  TSpscQueue<TCommand, 256> queue_;
  std::atomic<int> dropped_commands_{0};
  std::atomic<int> dropped_sounds_{0};
};
