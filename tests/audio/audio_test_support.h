#pragma once
// Helpers for the sound tests: mixing a stretch of output and measuring it, and counting the
// heap allocations made while some code runs.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "gx_mixer.h"

namespace audio_test {

// Allocations made by operator new since the program started (see alloc_counter.cpp).
std::int64_t Allocations();

// `ms` of the mixer's output, mono, in buffers of 512 frames as the device asks for them.
inline std::vector<float> MixMs(TMixer& m, double ms, int rate = 48000) {
  const int frames = static_cast<int>(std::lround(ms * rate / 1000));
  std::vector<float> out(frames);
  for (int done = 0; done < frames; done += 512) {
    m.Mix(out.data() + done, std::min(512, frames - done), 1);
  }
  return out;
}

inline double Peak(const std::vector<float>& s, std::size_t from = 0, std::size_t to = SIZE_MAX) {
  double p = 0;
  for (std::size_t i = from; i < std::min(to, s.size()); ++i) p = std::max(p, double(std::fabs(s[i])));
  return p;
}

inline double Rms(const std::vector<float>& s, std::size_t from = 0, std::size_t to = SIZE_MAX) {
  double sum = 0;
  std::size_t n = 0;
  for (std::size_t i = from; i < std::min(to, s.size()); ++i, ++n) sum += double(s[i]) * s[i];
  return n ? std::sqrt(sum / n) : 0;
}

// The largest step from one sample to the next: a click shows as a step far above the rest.
inline double LargestStep(const std::vector<float>& s, std::size_t from = 1,
                          std::size_t to = SIZE_MAX) {
  double d = 0;
  for (std::size_t i = std::max<std::size_t>(from, 1); i < std::min(to, s.size()); ++i) {
    d = std::max(d, double(std::fabs(s[i] - s[i - 1])));
  }
  return d;
}

}  // namespace audio_test
