// The game's sound layer: which events sound, and the player's controls over it.
#include <gtest/gtest.h>

#include <vector>

#include "audio_test_support.h"
#include "gx_gamesound.h"

namespace {

using audio_test::MixMs;
using audio_test::Peak;
using audio_test::Rms;
using E = TGameEvent;

// The layer with its mixer's output taken a stretch at a time, as the device would.
struct TSoundRig {
  explicit TSoundRig(int volume = TGameSound::kDefaultVolume) {
    sound.SetVolume(volume);
    MixMs(sound.Mixer(), 20);
  }
  double Loudness(double ms) { return Rms(MixMs(sound.Mixer(), ms)); }
  TGameSound sound;
};

TEST(GameSound, EveryEventHasItsEffect) {
  struct Case {
    E event;
    TSoundEffect effect;
  };
  const Case cases[] = {
      {E::Shot, TSoundEffect::Shot},          {E::ShotRefused, TSoundEffect::Overheat},
      {E::WallBurst, TSoundEffect::WallBurst}, {E::BallShot, TSoundEffect::BallBurst},
      {E::BallRammed, TSoundEffect::BallBurst}, {E::Crash, TSoundEffect::Crash},
      {E::Landing, TSoundEffect::Landing},     {E::RunFinished, TSoundEffect::Finish},
      {E::NewRecord, TSoundEffect::Record},    {E::Freeze, TSoundEffect::Freeze},
      {E::Resume, TSoundEffect::Resume},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(GameEventName(c.event));
    EXPECT_EQ(TGameSound::EffectFor(c.event), c.effect);
    TSoundRig rig(100);
    rig.sound.GameEvent(c.event);
    // What comes out is the effect itself, sample for sample, at full volume.
    const std::vector<float>& want = rig.sound.Bank().Samples(c.effect);
    const std::vector<float> out = MixMs(rig.sound.Mixer(), 1000.0 * want.size() / 48000 + 20);
    for (std::size_t i = 0; i < want.size(); i += 97) ASSERT_EQ(out[i], want[i]) << i;
    EXPECT_EQ(Peak(out, want.size()), 0.0);
  }
}

TEST(GameSound, TheThrustRunsWhileTheFlameBurnsAndStopsWhenFrozen) {
  TSoundRig rig;
  EXPECT_EQ(rig.Loudness(50), 0.0);
  rig.sound.GameEvent(E::ThrustOn);
  EXPECT_GT(rig.Loudness(500), 0.05);
  EXPECT_GT(rig.Loudness(500), 0.05) << "it goes on as long as the flame";
  rig.sound.GameEvent(E::ThrustOff);
  MixMs(rig.sound.Mixer(), 30);  // its fade
  EXPECT_EQ(rig.Loudness(100), 0.0);

  rig.sound.GameEvent(E::ThrustOn);
  MixMs(rig.sound.Mixer(), 100);
  rig.sound.GameEvent(E::Freeze);
  MixMs(rig.sound.Mixer(), 600);  // the freeze sound
  EXPECT_FALSE(rig.sound.ThrustSounding());
  EXPECT_EQ(rig.Loudness(100), 0.0) << "frozen: silent though the flame is shown";
  rig.sound.GameEvent(E::Resume);
  MixMs(rig.sound.Mixer(), 600);
  EXPECT_GT(rig.Loudness(200), 0.05) << "the flame still burns after the freeze";
}

TEST(GameSound, MuteVolumeAndTheBackground) {
  TSoundRig rig;
  rig.sound.GameEvent(E::ThrustOn);
  const double full = rig.Loudness(300);
  ASSERT_GT(full, 0);

  rig.sound.ToggleMute();
  MixMs(rig.sound.Mixer(), 30);
  EXPECT_EQ(rig.Loudness(100), 0.0);
  rig.sound.GameEvent(E::Crash);
  EXPECT_EQ(rig.Loudness(300), 0.0) << "nothing starts while muted";
  rig.sound.ToggleMute();
  MixMs(rig.sound.Mixer(), 30);
  EXPECT_NEAR(rig.Loudness(300), full, 0.1 * full) << "the flame is heard again, not the crash";

  rig.sound.SetWindowActive(false);
  MixMs(rig.sound.Mixer(), 30);
  EXPECT_EQ(rig.Loudness(100), 0.0) << "silent in the background";
  rig.sound.SetSilentInBackground(false);
  MixMs(rig.sound.Mixer(), 30);
  EXPECT_GT(rig.Loudness(100), 0.0);
  rig.sound.SetWindowActive(true);

  struct Case {
    int set, stored;
  };
  for (const Case c : {Case{40, 40}, Case{0, 0}, Case{-5, 0}, Case{250, 100}}) {
    rig.sound.SetVolume(c.set);
    EXPECT_EQ(rig.sound.Volume(), c.stored);
  }
  rig.sound.SetVolume(40);
  MixMs(rig.sound.Mixer(), 30);
  const double at40 = rig.Loudness(300);
  rig.sound.SetVolume(80);
  MixMs(rig.sound.Mixer(), 30);
  EXPECT_NEAR(rig.Loudness(300) / at40, 4.0, 0.4) << "loudness follows the square of the volume";
  rig.sound.SetVolume(0);
  MixMs(rig.sound.Mixer(), 30);
  EXPECT_EQ(rig.Loudness(100), 0.0);
}

TEST(GameSound, AWindowTakingOverSetsTheFlightWithoutSounds) {
  TSoundRig rig;
  rig.sound.GameEvent(E::ThrustOn);
  rig.sound.SetWindowActive(false);
  // Test play ends with the flame on; the main window, frozen, takes over.
  rig.sound.SetFlight(false, true);
  rig.sound.SetWindowActive(true);
  EXPECT_EQ(rig.Loudness(200), 0.0) << "no flame, and no freeze sound either";
  rig.sound.SetFlight(true, false);
  EXPECT_GT(rig.Loudness(200), 0.0);
}

}  // namespace
