// The effects the game renders at start-up, and the generator they come from.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "audio_test_support.h"
#include "gx_effects.h"
#include "gx_synth.h"

namespace {

using audio_test::LargestStep;
using audio_test::Peak;
using audio_test::Rms;

std::uint64_t Hash(const std::vector<float>& s) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (float x : s) {
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    for (int k = 0; k < 4; ++k) h = (h ^ ((bits >> (8 * k)) & 0xFF)) * 0x100000001B3ull;
  }
  return h;
}

// Sign changes per second: twice the frequency of a plain tone.
double ZeroCrossingRate(const std::vector<float>& s, std::size_t from, std::size_t to) {
  int n = 0;
  for (std::size_t i = from + 1; i < to; ++i) n += (s[i - 1] < 0) != (s[i] < 0);
  return n * double(kSampleRate) / double(to - from);
}

TEST(SoundEffects, EachIsTheSameOnEveryRunAndAsWhenItWasTuned) {
  // A change of an effect's parameters or of the generator changes these; a change of the
  // compiler's floating-point contraction or maths library would, too.
  const std::uint64_t want[kSoundEffectCount] = {
      0x5177d1da09247bfbull,  // thrust
      0xede4ac9a995f4ba6ull,  // shot
      0xd4a94c118500b0a0ull,  // wall-burst
      0x2d9a0624acc7ec40ull,  // ball-burst
      0x7fbf70e6aa7beb76ull,  // crash
      0x81c89498d68c336dull,  // landing
      0x09c6793e9e1e9ceeull,  // overheat
      0xb5cc8448b5b8bfc8ull,  // finish
      0x847b297bcb53fb37ull,  // record
      0xfe8335c771467f17ull,  // freeze
      0xab2bdcb42be6c094ull,  // resume
  };
  const TSoundBank a, b;
  for (int i = 0; i < kSoundEffectCount; ++i) {
    const auto e = static_cast<TSoundEffect>(i);
    const std::uint64_t h = Hash(a.Samples(e));
    EXPECT_EQ(h, Hash(b.Samples(e))) << SoundEffectName(e);
    EXPECT_EQ(h, want[i]) << SoundEffectName(e) << ": 0x" << std::hex << h << "ull";
  }
}

TEST(SoundEffects, OneShotsStartAndEndSilentAndPeakBelowFullScale) {
  const TSoundBank bank;
  for (int i = 0; i < kSoundEffectCount; ++i) {
    const auto e = static_cast<TSoundEffect>(i);
    const std::vector<float>& s = bank.Samples(e);
    SCOPED_TRACE(SoundEffectName(e));
    ASSERT_GT(s.size(), std::size_t(kSampleRate / 20)) << "at least 50 ms";
    EXPECT_LT(s.size(), std::size_t(kSampleRate * 2)) << "at most 2 s";
    const double peak = Peak(s);
    EXPECT_LT(peak, 0.9);
    EXPECT_NEAR(peak, SoundEffectSpec(e).peak, 1e-6) << "scaled to its peak";
    if (bank.Loops(e)) continue;
    EXPECT_EQ(s.front(), 0.0f);
    EXPECT_EQ(s.back(), 0.0f);
    // And they get there gently: no step at either end stands out of the sound itself.
    const std::size_t ms2 = kSampleRate / 500;
    EXPECT_LT(Peak(s, 0, 8), 0.05);
    EXPECT_LT(Peak(s, s.size() - ms2), 0.05);
  }
}

TEST(SoundEffects, TheThrustLoopHasNoSeam) {
  const TSoundBank bank;
  const std::vector<float>& s = bank.Samples(TSoundEffect::Thrust);
  ASSERT_TRUE(bank.Loops(TSoundEffect::Thrust));
  // Twice round the loop: the step across the joint is like any other step in it.
  std::vector<float> twice(s);
  twice.insert(twice.end(), s.begin(), s.end());
  const double seam = std::fabs(double(s.front()) - s.back());
  EXPECT_LE(seam, LargestStep(s));
  EXPECT_GT(Rms(s), 0.05) << "a loop plays at full level throughout";
  EXPECT_GT(Rms(s, 0, s.size() / 10), 0.5 * Rms(s)) << "the cross-faded start is not a dip";
}

TEST(SoundGenerator, PitchSlideAndArpeggio) {
  TSynthLayer l;
  l.wave = TWave::Sine;
  l.freq = 440;
  l.attack = 0.01;
  l.sustain = 0.5;
  l.decay = 0.01;
  const int a = kSampleRate / 100, sus = kSampleRate / 2;
  const std::vector<float> plain = RenderLayer(l);
  EXPECT_EQ(plain.size(), std::size_t(a + sus + a));
  EXPECT_NEAR(ZeroCrossingRate(plain, a, a + sus), 880, 10);

  l.slide = 1;  // an octave a second: up half an octave over the sustain
  const std::vector<float> up = RenderLayer(l);
  EXPECT_NEAR(ZeroCrossingRate(up, a, a + kSampleRate / 20), 880 * std::exp2(0.035), 20);
  EXPECT_NEAR(ZeroCrossingRate(up, a + sus - kSampleRate / 20, a + sus), 880 * std::exp2(0.485),
              30);

  l.slide = 0;
  l.arp_ratio = 1.5;
  l.arp_time = 0.26;
  const std::vector<float> arp = RenderLayer(l);
  EXPECT_NEAR(ZeroCrossingRate(arp, a, a + sus / 2), 880, 10);
  EXPECT_NEAR(ZeroCrossingRate(arp, a + sus / 2 + kSampleRate / 50, a + sus), 1320, 12);

  l.arp_time = 0;
  l.delay = 0.1;
  const std::vector<float> late = RenderLayer(l);
  EXPECT_EQ(late.size(), plain.size() + kSampleRate / 10);
  EXPECT_EQ(Peak(late, 0, kSampleRate / 10), 0.0) << "silent for its delay";
}

TEST(SoundGenerator, EnvelopePunchAndFilters) {
  TSynthLayer l;
  l.wave = TWave::Noise;
  l.freq = 48000;
  l.attack = 0.05;
  l.sustain = 0.2;
  l.decay = 0.2;
  const std::size_t a = kSampleRate / 20, sus = kSampleRate / 5;
  const std::vector<float> open = RenderLayer(l);
  EXPECT_LT(Rms(open, 0, a / 4), 0.5 * Rms(open, a, a + sus)) << "the attack rises";
  EXPECT_LT(Rms(open, open.size() - a / 4), 0.1 * Rms(open, a, a + sus)) << "the decay falls";

  l.punch = 1;
  const std::vector<float> punched = RenderLayer(l);
  EXPECT_GT(Rms(punched, a, a + sus / 8), 1.6 * Rms(open, a, a + sus / 8));
  EXPECT_NEAR(Rms(punched, a + sus - sus / 16, a + sus), Rms(open, a + sus - sus / 16, a + sus),
              0.1 * Rms(open, a + sus - sus / 16, a + sus))
      << "the punch is spent by the end of the sustain";

  // White noise through a low-pass at 500 Hz changes little from sample to sample.
  l.punch = 0;
  l.lowpass = 500;
  const std::vector<float> dark = RenderLayer(l);
  EXPECT_LT(LargestStep(dark, a, a + sus) / Peak(dark, a, a + sus),
            0.2 * LargestStep(open, a, a + sus) / Peak(open, a, a + sus));

  // A high-pass takes out what does not change: a square of 20 Hz keeps only its edges.
  TSynthLayer sq;
  sq.wave = TWave::Square;
  sq.freq = 20;
  sq.sustain = 0.2;
  sq.highpass = 400;
  const std::vector<float> edges = RenderLayer(sq);
  EXPECT_LT(Rms(edges), 0.2 * 0.6);

  // The same seed, the same noise; another seed, other noise.
  TSynthLayer n2 = l;
  EXPECT_EQ(RenderLayer(n2), dark);
  n2.seed = 2;
  EXPECT_NE(RenderLayer(n2), dark);
}

}  // namespace
