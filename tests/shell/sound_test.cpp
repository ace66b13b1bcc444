// The whole path of the sound: the game's window, its keys and its ticks, the sound layer and
// SDL's audio device, with SDL's "disk" driver writing what the device plays into a file.
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "gx_gamesound.h"
#include "gx_sound.h"
#include "shell_fixture.h"

namespace {

class SoundPathTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", Path("out.raw").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    ShellTest::TearDown();
  }

  struct TFlight {
    std::vector<float> out;  // the left channel (both carry the same mix)
    std::size_t thrust_at = 0;  // frames written when the thrust key went down
  };
  // Plays as a player would: a second of waiting, thrust held for a second, a shot, half a
  // second more. On a busy machine the disk driver falls behind the clock, so what was
  // written when the key went down tells where the flight starts in the file.
  TFlight Fly(bool muted) {
    WriteBytes(Collection(), CollectionBytes({"One"}));
    TGameAudio audio;
    EXPECT_TRUE(audio.Start(stderr)) << "the disk driver opens";
    TUniverseOptions o;
    o.collection = Collection();
    o.dialogs = &dialogs;
    o.modals = &modals;
    o.keys = &keys;
    o.sound = &audio.Sound();
    o.settings.mute = muted;  // as --mute puts it over the settings
    TUniverse u(o);
    u.resize(800, 600);
    u.show();
    u.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&u));
    QTest::qWait(1000);
    TFlight flight;
    std::error_code ec;
    flight.thrust_at = std::filesystem::file_size(Path("out.raw"), ec) / (2 * sizeof(float));
    keys.Down(vk::LControl);
    QTest::qWait(1000);
    keys.Up(vk::LControl);
    keys.Tap(vk::Up);
    QTest::qWait(500);
    audio.Stop();
    std::ifstream f(Path("out.raw"), std::ios::binary);
    float lr[2];
    while (f.read(reinterpret_cast<char*>(lr), sizeof lr)) flight.out.push_back(lr[0]);
    return flight;
  }
};

double RmsOf(const std::vector<float>& s, double from_s, double to_s) {
  const std::size_t a = static_cast<std::size_t>(from_s * 48000);
  const std::size_t b = std::min(s.size(), static_cast<std::size_t>(to_s * 48000));
  double sum = 0;
  for (std::size_t i = a; i < b; ++i) sum += double(s[i]) * s[i];
  return b > a ? std::sqrt(sum / double(b - a)) : 0;
}

TEST_F(SoundPathTest, ThrustAndAShotAreHeardAfterSilence) {
  const TFlight f = Fly(false);
  const std::vector<float>& out = f.out;
  ASSERT_GT(f.thrust_at, std::size_t(48000 / 4)) << "the device played while the rocket waited";
  ASSERT_GT(out.size(), f.thrust_at + 48000) << "and on through the flight";
  std::size_t first = 0;
  while (first < out.size() && out[first] == 0.0f) ++first;
  // A buffer written in the meantime is allowed for; the key is sampled by the next tick.
  EXPECT_GE(first + 1024, f.thrust_at) << "silence while the rocket waits";
  EXPECT_LT(first, f.thrust_at + 48000 / 2) << "the thrust is heard when it starts";
  const double t = double(first) / 48000;
  EXPECT_GT(RmsOf(out, t + 0.1, t + 0.6), 0.03) << "the flame roars while it burns";
  double peak = 0;
  for (float x : out) peak = std::max(peak, double(std::fabs(x)));
  EXPECT_LT(peak, 1.0);
}

TEST_F(SoundPathTest, MutedTheFileHoldsSilenceThroughout) {
  const TFlight f = Fly(true);
  ASSERT_GT(f.out.size(), f.thrust_at + 48000 / 2);
  std::size_t loud = 0;
  for (float x : f.out) loud += x != 0.0f;
  EXPECT_EQ(loud, 0u);
}

TEST_F(SoundPathTest, WithoutAUsableDriverTheGameSaysSoInOneLine) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  TGameAudio audio;
  std::FILE* err = std::tmpfile();
  ASSERT_TRUE(err);
  EXPECT_FALSE(audio.Start(err));
  EXPECT_FALSE(audio.Playing());
  std::rewind(err);
  std::string text;
  for (int c; (c = std::fgetc(err)) != EOF;) text += static_cast<char>(c);
  std::fclose(err);
  EXPECT_EQ(text.rfind("gravonaut: no sound: ", 0), 0u) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  // The game still takes its events; they go nowhere.
  audio.Sound().GameEvent(TGameEvent::Crash);
}

}  // namespace
