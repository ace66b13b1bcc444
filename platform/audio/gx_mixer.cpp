#include "gx_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {
constexpr float kLoopFadeInMs = 15;
constexpr float kStealFadeMs = 3;
constexpr float kMasterSwingMs = 8;     // from silence to full gain
constexpr float kLimiterReleaseMs = 60;  // back to no reduction after a loud peak
}  // namespace

TMixer::TMixer(int rate) : rate_(rate > 0 ? rate : 48000) {}

int TMixer::AddSound(const std::vector<float>& samples, bool loop) {
  if (sound_count_ >= kMaxSounds) return -1;
  sounds_[sound_count_] = {samples.data(), static_cast<int>(samples.size()), loop};
  return sound_count_++;
}

bool TMixer::Post(const TCommand& c) {
  if (queue_.Push(c)) return true;
  dropped_commands_.fetch_add(1, std::memory_order_relaxed);
  return false;
}

bool TMixer::Play(int sound, float gain, TTag tag) {
  if (sound < 0 || sound >= kMaxSounds) return false;
  return Post({TOp::Play, tag, static_cast<std::int16_t>(sound), gain});
}

bool TMixer::Stop(TTag tag, float fade_ms) {
  return Post({tag == 0 ? TOp::StopAll : TOp::Stop, tag, 0, fade_ms});
}

bool TMixer::StopAll(float fade_ms) {
  return Post({TOp::StopAll, 0, 0, fade_ms});
}

bool TMixer::SetMasterGain(float g) {
  return Post({TOp::Gain, 0, 0, g});
}

int TMixer::ActiveVoices() const {
  return static_cast<int>(
      std::count_if(voices_.begin(), voices_.end(), [](const TVoice& v) { return v.sound >= 0; }));
}

void TMixer::FadeOut(TVoice& v, float fade_ms) {
  if (v.sound < 0) return;
  const float frames = std::max(1.0f, fade_ms * static_cast<float>(rate_) / 1000);
  v.ramp_target = 0;
  v.ramp_step = -std::max(v.ramp, 1e-6f) / frames;
}

void TMixer::Start(int sound, float gain, TTag tag) {
  if (sound >= sound_count_ || sounds_[sound].frames == 0) return;
  TVoice* voice = nullptr;
  for (TVoice& v : voices_) {
    if (v.sound < 0) {
      voice = &v;
      break;
    }
  }
  if (!voice) {
    // Every voice is busy: the oldest one-shot that is not fading yet makes room, briefly
    // faded, and the new sound waits for it in the next buffer.
    TVoice* oldest = nullptr;
    for (TVoice& v : voices_) {
      if (sounds_[v.sound].loop || v.ramp_target == 0) continue;
      if (!oldest || v.started < oldest->started) oldest = &v;
    }
    if (oldest) FadeOut(*oldest, kStealFadeMs);
    for (TPending& p : pending_) {
      if (p.sound < 0) {
        p = {sound, gain, tag};
        return;
      }
    }
    dropped_sounds_.fetch_add(1, std::memory_order_relaxed);
    return;
  }
  TVoice& v = *voice;
  v.sound = sound;
  v.pos = 0;
  v.tag = tag;
  v.gain = std::clamp(gain, 0.0f, 1.0f);
  v.started = next_start_++;
  v.ramp_target = 1;
  if (sounds_[sound].loop) {
    // A loop starts anywhere in its waveform: it fades in.
    v.ramp = 0;
    v.ramp_step = 1000 / (kLoopFadeInMs * static_cast<float>(rate_));
  } else {
    v.ramp = 1;  // a one-shot starts at a zero sample
    v.ramp_step = 0;
  }
}

void TMixer::Apply(const TCommand& c) {
  switch (c.op) {
    case TOp::Play:
      Start(c.sound, c.value, c.tag);
      break;
    case TOp::Stop:
      for (TVoice& v : voices_) {
        if (v.sound >= 0 && v.tag == c.tag) FadeOut(v, c.value);
      }
      for (TPending& p : pending_) {
        if (p.tag == c.tag) p.sound = -1;
      }
      break;
    case TOp::StopAll:
      for (TVoice& v : voices_) FadeOut(v, c.value);
      for (TPending& p : pending_) p.sound = -1;
      break;
    case TOp::Gain:
      master_target_ = std::clamp(c.value, 0.0f, 1.0f);
      break;
  }
}

void TMixer::Mix(float* out, int frames, int channels) {
  TCommand c;
  while (queue_.Pop(c)) Apply(c);
  for (TPending& p : pending_) {
    if (p.sound < 0) continue;
    const bool free = std::any_of(voices_.begin(), voices_.end(),
                                  [](const TVoice& v) { return v.sound < 0; });
    if (!free) break;
    const TPending go = p;
    p.sound = -1;
    Start(go.sound, go.gain, go.tag);
  }
  channels = std::max(1, channels);
  while (frames > 0) {
    const int n = std::min(frames, static_cast<int>(scratch_.size()));
    MixChunk(out, n, channels);
    out += static_cast<std::ptrdiff_t>(n) * channels;
    frames -= n;
  }
}

void TMixer::MixChunk(float* out, int n, int channels) {
  std::fill(scratch_.begin(), scratch_.begin() + n, 0.0f);
  for (TVoice& v : voices_) {
    if (v.sound < 0) continue;
    const TSound& s = sounds_[v.sound];
    for (int i = 0; i < n; ++i) {
      if (v.pos >= s.frames) {
        if (!s.loop) {
          v.sound = -1;
          break;
        }
        v.pos = 0;
      }
      scratch_[i] += s.data[v.pos++] * v.gain * v.ramp;
      if (v.ramp_step != 0) {
        v.ramp += v.ramp_step;
        if (v.ramp_step > 0 && v.ramp >= v.ramp_target) {
          v.ramp = v.ramp_target;
          v.ramp_step = 0;
        } else if (v.ramp_step < 0 && v.ramp <= v.ramp_target) {
          v.sound = -1;  // faded out
          break;
        }
      }
    }
  }
  const float master_step = 1000 / (kMasterSwingMs * static_cast<float>(rate_));
  const float release = 1 - std::exp(-1000 / (kLimiterReleaseMs * static_cast<float>(rate_)));
  for (int i = 0; i < n; ++i) {
    if (master_ < master_target_) {
      master_ = std::min(master_target_, master_ + master_step);
    } else if (master_ > master_target_) {
      master_ = std::max(master_target_, master_ - master_step);
    }
    const float x = scratch_[i] * master_;
    const float a = std::fabs(x);
    // The gain needed for this sample is taken at once; it recovers slowly afterwards.
    const float need = a > kCeiling ? kCeiling / a : 1.0f;
    limiter_gain_ = std::min(need, limiter_gain_ + (1 - limiter_gain_) * release);
    const float y = std::clamp(x * limiter_gain_, -kCeiling, kCeiling);
    for (int ch = 0; ch < channels; ++ch) out[i * channels + ch] = y;
  }
}
