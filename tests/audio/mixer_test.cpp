// The mixer the audio callback runs: voices, ramps, the limiter, and what it must never do.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "audio_test_support.h"
#include "gx_effects.h"
#include "gx_mixer.h"

namespace {

using audio_test::LargestStep;
using audio_test::MixMs;
using audio_test::Peak;
using audio_test::Rms;

constexpr int kRate = 48000;

std::vector<float> Tone(double freq, double seconds, double level) {
  std::vector<float> s(static_cast<std::size_t>(seconds * kRate));
  for (std::size_t i = 0; i < s.size(); ++i) {
    s[i] = static_cast<float>(level * std::sin(2 * std::numbers::pi * freq * double(i) / kRate));
  }
  return s;
}

// A mixer at full master gain, already ramped up.
struct TOpenMixer {
  TOpenMixer() {
    mixer.SetMasterGain(1);
    MixMs(mixer, 20);
  }
  TMixer mixer{kRate};
};

TEST(Mixer, ASingleQuietSoundPassesUnchanged) {
  TOpenMixer m;
  const std::vector<float> tone = Tone(440, 0.1, 0.5);
  const int id = m.mixer.AddSound(tone, false);
  m.mixer.Play(id, 1);
  const std::vector<float> out = MixMs(m.mixer, 150);
  for (std::size_t i = 0; i < tone.size(); ++i) ASSERT_EQ(out[i], tone[i]) << i;
  EXPECT_EQ(Peak(out, tone.size()), 0.0) << "and ends";
  EXPECT_EQ(m.mixer.ActiveVoices(), 0);
}

TEST(Mixer, ManyVoicesAtOnceStayWithinFullScale) {
  TOpenMixer m;
  const TSoundBank bank;
  std::vector<int> ids;
  for (int i = 0; i < kSoundEffectCount; ++i) {
    const auto e = static_cast<TSoundEffect>(i);
    ids.push_back(m.mixer.AddSound(bank.Samples(e), bank.Loops(e)));
  }
  // Every effect twice over, in the same instant: more than there are voices.
  for (int round = 0; round < 2; ++round) {
    for (int id : ids) m.mixer.Play(id, 1);
  }
  std::vector<float> out;
  for (int buffer = 0; buffer < 200; ++buffer) {
    const std::vector<float> b = MixMs(m.mixer, 512.0 * 1000 / kRate);
    out.insert(out.end(), b.begin(), b.end());
    ASSERT_LE(m.mixer.ActiveVoices(), TMixer::kVoices);
  }
  EXPECT_LE(Peak(out), TMixer::kCeiling);
  EXPECT_GT(Peak(out), 0.8 * TMixer::kCeiling) << "loud enough to need the limiter";
  EXPECT_EQ(m.mixer.DroppedCommands(), 0);
  EXPECT_EQ(m.mixer.DroppedSounds(), 0) << "stolen voices make room, nothing is lost";
  // The limiter gives back its gain once the crowd has passed: the loop alone, at its level.
  m.mixer.StopAll(5);
  MixMs(m.mixer, 20);
  m.mixer.Play(ids[static_cast<int>(TSoundEffect::Thrust)], 1);
  const std::vector<float> after = MixMs(m.mixer, 300);
  EXPECT_NEAR(Peak(after, kRate / 10), SoundEffectSpec(TSoundEffect::Thrust).peak, 0.02);
}

TEST(Mixer, LoopsFadeInAndOutWithoutClicks) {
  TOpenMixer m;
  // A loop that would click at once if started or cut hard: a cosine, 0.5 at its start.
  std::vector<float> wave(480);  // one period of 100 Hz
  for (std::size_t i = 0; i < wave.size(); ++i) {
    wave[i] = static_cast<float>(0.5 * std::cos(2 * std::numbers::pi * double(i) / 480));
  }
  const int id = m.mixer.AddSound(wave, true);
  m.mixer.Play(id, 1, 7);
  std::vector<float> out = MixMs(m.mixer, 103);  // stopped away from a zero crossing
  EXPECT_LT(LargestStep(out), 0.02);
  EXPECT_NEAR(Peak(out, kRate / 20), 0.5, 1e-6);
  m.mixer.Stop(7, 25);
  const std::vector<float> fade = MixMs(m.mixer, 50);
  EXPECT_LT(LargestStep(fade), 0.02);
  EXPECT_EQ(Peak(fade, kRate * 30 / 1000), 0.0) << "gone after its fade";
  EXPECT_EQ(m.mixer.ActiveVoices(), 0);
}

TEST(Mixer, StopTakesOnlyItsTagAndTheMasterGainRamps) {
  TOpenMixer m;
  const std::vector<float> low = Tone(100, 1.0, 0.2);
  const std::vector<float> other = Tone(300, 1.0, 0.2);
  const int a = m.mixer.AddSound(low, true);
  const int b = m.mixer.AddSound(other, true);
  m.mixer.Play(a, 1, 1);
  m.mixer.Play(b, 1, 2);
  MixMs(m.mixer, 50);
  m.mixer.Stop(1, 5);
  MixMs(m.mixer, 20);
  EXPECT_EQ(m.mixer.ActiveVoices(), 1);

  m.mixer.SetMasterGain(0);
  const std::vector<float> down = MixMs(m.mixer, 30);
  EXPECT_LT(LargestStep(down), 0.02) << "a ramp, not a cut";
  EXPECT_EQ(Peak(down, kRate / 50), 0.0);
  m.mixer.SetMasterGain(0.5f);
  const std::vector<float> up = MixMs(m.mixer, 60);
  EXPECT_LT(LargestStep(up), 0.02);
  EXPECT_NEAR(Peak(up, kRate / 50), 0.1, 1e-3);
}

TEST(Mixer, TheCallbackAllocatesNothing) {
  TOpenMixer m;
  const TSoundBank bank;
  std::vector<int> ids;
  for (int i = 0; i < kSoundEffectCount; ++i) {
    const auto e = static_cast<TSoundEffect>(i);
    ids.push_back(m.mixer.AddSound(bank.Samples(e), bank.Loops(e)));
  }
  std::vector<float> out(512 * 2);
  const std::int64_t before = audio_test::Allocations();
  for (int buffer = 0; buffer < 300; ++buffer) {
    if (buffer % 3 == 0) m.mixer.Play(ids[buffer / 3 % ids.size()], 1, buffer % 2);
    if (buffer % 50 == 0) m.mixer.Stop(1, 10);
    m.mixer.Mix(out.data(), 512, 2);
  }
  EXPECT_EQ(audio_test::Allocations(), before);
}

TEST(Mixer, AFullQueueDropsCommandsAndCountsThem) {
  TMixer m(kRate);
  const std::vector<float> tone = Tone(440, 0.01, 0.1);
  const int id = m.AddSound(tone, false);
  int accepted = 0;
  for (int i = 0; i < 1000; ++i) accepted += m.Play(id, 1);
  EXPECT_EQ(accepted, 256);
  EXPECT_EQ(m.DroppedCommands(), 1000 - 256);
  std::vector<float> out(512);
  m.Mix(out.data(), 512, 1);  // takes them all; most find no voice and are given up
  EXPECT_LE(m.ActiveVoices(), TMixer::kVoices);
  EXPECT_TRUE(m.Play(id, 1)) << "room again";
  EXPECT_FALSE(m.Play(-1, 1));
  EXPECT_FALSE(m.Play(TMixer::kMaxSounds, 1));
}

}  // namespace
