#pragma once
// A small generator of sound effects, in the manner of the classic 8-bit effect makers: one
// oscillator (square, saw, triangle, sine or pitched noise) with a pitch slide, vibrato and a
// one-step arpeggio, an attack-sustain-decay envelope with a punch, and a two-pole low-pass and
// a one-pole high-pass filter. An effect is one or more such layers, each with its own delay,
// mixed and scaled to a peak. Everything is computed in doubles from the parameters and a seed,
// so an effect has the same samples on every run.
#include <cstdint>
#include <vector>

enum class TWave : std::uint8_t { Square, Saw, Triangle, Sine, Noise };

struct TSynthLayer {
  TWave wave = TWave::Square;
  double delay = 0;    // seconds of silence before this layer starts
  double attack = 0.002;  // seconds from silence to full level
  double sustain = 0.05;  // seconds at full level (plus the punch, fading over the sustain)
  double decay = 0.1;     // seconds from full level to silence
  double punch = 0;       // extra level at the start of the sustain, 0..1
  double level = 1;       // this layer's share of the mix
  double freq = 440;      // Hz at the start (for noise: how often a new random value is taken)
  double slide = 0;       // octaves per second
  double slide_accel = 0; // octaves per second, per second
  double freq_min = 20;   // the slide never goes below this
  double freq_max = 20000;
  double vibrato_depth = 0;  // relative pitch swing, e.g. 0.02
  double vibrato_rate = 0;   // Hz
  double arp_ratio = 1;      // the pitch is multiplied by this ...
  double arp_time = 0;       // ... from this second on (0: never)
  double duty = 0.5;         // square wave: the share of the period that is high
  double duty_sweep = 0;     // per second
  double lowpass = 0;        // cutoff in Hz (0: no low-pass)
  double lowpass_sweep = 0;  // octaves per second
  double highpass = 0;       // cutoff in Hz (0: no high-pass)
  std::uint32_t seed = 1;    // for the noise
};

struct TEffectSpec {
  std::vector<TSynthLayer> layers;
  double peak = 0.5;  // the loudest sample of the result, below full scale (1)
  // A loop (the thrust): rendered `loop_seconds` long at full level without the envelope, its
  // end cross-faded into its start so that it repeats without a seam.
  bool loop = false;
  double loop_seconds = 0;
};

inline constexpr int kSampleRate = 48000;

// The layer alone, with its envelope, unscaled; its length is delay + attack + sustain + decay.
std::vector<float> RenderLayer(const TSynthLayer& l, int rate = kSampleRate);
// The effect: its layers mixed and scaled so that the largest magnitude is `peak`. A one-shot
// starts and ends with a zero sample; a loop is seamless from its last sample to its first.
std::vector<float> RenderEffect(const TEffectSpec& e, int rate = kSampleRate);
