#include "gx_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// A small generator of our own for the noise: the same values everywhere.
class TNoise {
 public:
  explicit TNoise(std::uint32_t seed) : s_(seed ? seed : 0x9E3779B9u) {}
  double Next() {  // -1 .. 1
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return static_cast<double>(s_) / 2147483648.0 - 1.0;
  }

 private:
  std::uint32_t s_;
};

// The oscillator, filters and envelope of one layer; `Sample` steps one sample on.
class TVoiceState {
 public:
  TVoiceState(const TSynthLayer& l, int rate) : l_(l), rate_(rate), noise_(l.seed) {
    noise_value_ = noise_.Next();
    lp_a_ = LowpassCoefficient(l_.lowpass);
    if (l_.highpass > 0) hp_a_ = std::exp(-kTwoPi * l_.highpass / rate_);
  }

  // The raw signal at time t (seconds from the layer's start), without the envelope.
  double Sample(double t) {
    double f = l_.freq;
    if (l_.slide != 0 || l_.slide_accel != 0) {
      f *= std::exp2(l_.slide * t + 0.5 * l_.slide_accel * t * t);
    }
    if (l_.arp_time > 0 && t >= l_.arp_time) f *= l_.arp_ratio;
    if (l_.vibrato_depth > 0) f *= 1 + l_.vibrato_depth * std::sin(kTwoPi * l_.vibrato_rate * t);
    f = std::clamp(f, l_.freq_min, l_.freq_max);
    phase_ += f / rate_;
    const bool wrapped = phase_ >= 1;
    phase_ -= std::floor(phase_);
    double x = 0;
    switch (l_.wave) {
      case TWave::Square: {
        const double duty = std::clamp(l_.duty + l_.duty_sweep * t, 0.05, 0.95);
        x = phase_ < duty ? 0.6 : -0.6;  // a square is loud: kept near the others' level
        break;
      }
      case TWave::Saw:
        x = 2 * phase_ - 1;
        break;
      case TWave::Triangle:
        x = phase_ < 0.5 ? 4 * phase_ - 1 : 3 - 4 * phase_;
        break;
      case TWave::Sine:
        x = std::sin(kTwoPi * phase_);
        break;
      case TWave::Noise:
        if (wrapped) noise_value_ = noise_.Next();
        x = noise_value_;
        break;
    }
    if (l_.lowpass > 0) {
      // A sweeping cutoff is worked out anew every 32 samples: fine enough to hear no steps.
      if (l_.lowpass_sweep != 0 && (step_ & 31) == 0) {
        lp_a_ = LowpassCoefficient(l_.lowpass * std::exp2(l_.lowpass_sweep * t));
      }
      const double a = lp_a_;
      lp1_ += a * (x - lp1_);
      lp2_ += a * (lp1_ - lp2_);
      x = lp2_;
    }
    ++step_;
    if (l_.highpass > 0) {
      const double a = hp_a_;
      const double y = a * (hp_out_ + x - hp_in_);
      hp_in_ = x;
      hp_out_ = y;
      x = y;
    }
    return x;
  }

 private:
  double LowpassCoefficient(double fc) const {
    fc = std::clamp(fc, 10.0, 0.45 * rate_);
    return 1 - std::exp(-kTwoPi * fc / rate_);
  }

  const TSynthLayer& l_;
  const int rate_;
  TNoise noise_;
  double noise_value_ = 0;
  double phase_ = 0;
  double lp1_ = 0, lp2_ = 0;
  double hp_in_ = 0, hp_out_ = 0;
  double lp_a_ = 0, hp_a_ = 0;
  unsigned step_ = 0;
};

int Frames(double seconds, int rate) {
  return std::max(0, static_cast<int>(std::lround(seconds * rate)));
}

// 0 at the first sample, 1 at the end of the attack, 1 + punch falling to 1 over the sustain,
// then down to exactly 0 at the last sample.
double Envelope(const TSynthLayer& l, int i, int attack, int sustain, int decay) {
  if (i < attack) return static_cast<double>(i) / attack;
  i -= attack;
  if (i < sustain) return 1 + l.punch * (1 - static_cast<double>(i) / sustain);
  i -= sustain;
  if (decay <= 1) return 0;
  const double d = 1 - static_cast<double>(i) / (decay - 1);
  return std::max(0.0, d * d);
}

}  // namespace

std::vector<float> RenderLayer(const TSynthLayer& l, int rate) {
  const int delay = Frames(l.delay, rate);
  const int attack = std::max(1, Frames(l.attack, rate));
  const int sustain = Frames(l.sustain, rate);
  const int decay = std::max(2, Frames(l.decay, rate));
  std::vector<float> out(delay + attack + sustain + decay, 0.0f);
  TVoiceState v(l, rate);
  for (int i = 0; i < attack + sustain + decay; ++i) {
    const double x = v.Sample(static_cast<double>(i) / rate);
    out[delay + i] = static_cast<float>(l.level * x * Envelope(l, i, attack, sustain, decay));
  }
  return out;
}

namespace {
std::vector<float> RenderLoop(const TEffectSpec& e, int rate) {
  const int length = std::max(2, Frames(e.loop_seconds, rate));
  const int fade = std::min(length / 4, rate / 25);  // 40 ms at most
  std::vector<double> raw(length + fade, 0.0);
  for (const TSynthLayer& l : e.layers) {
    TVoiceState v(l, rate);
    for (std::size_t i = 0; i < raw.size(); ++i) {
      raw[i] += l.level * v.Sample(static_cast<double>(i) / rate);
    }
  }
  // The tail past the end is blended into the start: sample length-1 is followed by what
  // came after it when it was rendered.
  std::vector<float> out(length);
  double peak = 0;
  std::vector<double> mixed(length);
  for (int i = 0; i < length; ++i) {
    double x = raw[i];
    if (i < fade) {
      const double w = static_cast<double>(i) / fade;
      x = raw[i] * w + raw[length + i] * (1 - w);
    }
    mixed[i] = x;
    peak = std::max(peak, std::fabs(x));
  }
  const double scale = peak > 0 ? e.peak / peak : 0;
  for (int i = 0; i < length; ++i) out[i] = static_cast<float>(mixed[i] * scale);
  return out;
}
}  // namespace

std::vector<float> RenderEffect(const TEffectSpec& e, int rate) {
  if (e.loop) return RenderLoop(e, rate);
  std::vector<double> mix;
  for (const TSynthLayer& l : e.layers) {
    const std::vector<float> layer = RenderLayer(l, rate);
    if (layer.size() > mix.size()) mix.resize(layer.size(), 0.0);
    for (std::size_t i = 0; i < layer.size(); ++i) mix[i] += layer[i];
  }
  double peak = 0;
  for (double x : mix) peak = std::max(peak, std::fabs(x));
  const double scale = peak > 0 ? e.peak / peak : 0;
  std::vector<float> out(mix.size());
  for (std::size_t i = 0; i < mix.size(); ++i) out[i] = static_cast<float>(mix[i] * scale);
  return out;
}
