// The sound's costs: rendering every effect at start-up, and the mixer's time per second of
// output with several voices sounding.
#include <benchmark/benchmark.h>

#include <vector>

#include "gx_effects.h"
#include "gx_mixer.h"

namespace {

void BM_SynthesizeAllEffects(benchmark::State& state) {
  for (auto _ : state) {
    TSoundBank bank;
    benchmark::DoNotOptimize(bank.Samples(TSoundEffect::Crash).data());
  }
}
BENCHMARK(BM_SynthesizeAllEffects)->Unit(benchmark::kMillisecond);

// One second of stereo output at 48 kHz in buffers of 512 frames, with `voices` looping
// sounds playing all the time (the limiter at work, as they add up past full scale).
void BM_MixOneSecond(benchmark::State& state) {
  const int voices = static_cast<int>(state.range(0));
  const TSoundBank bank;
  TMixer mixer(kSampleRate);
  std::vector<int> ids;
  for (int i = 0; i < kSoundEffectCount; ++i) {
    ids.push_back(mixer.AddSound(bank.Samples(static_cast<TSoundEffect>(i)), true));
  }
  mixer.SetMasterGain(1);
  for (int v = 0; v < voices; ++v) mixer.Play(ids[v % ids.size()], 1);
  std::vector<float> out(512 * 2);
  for (auto _ : state) {
    for (int done = 0; done < kSampleRate; done += 512) {
      mixer.Mix(out.data(), 512, 2);
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.counters["voices"] = mixer.ActiveVoices();
}
BENCHMARK(BM_MixOneSecond)->Arg(1)->Arg(8)->Arg(16)->Unit(benchmark::kMicrosecond);

}  // namespace
