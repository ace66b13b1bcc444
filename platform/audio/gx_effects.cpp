#include "gx_effects.h"

namespace {

// Equal-tempered notes, Hz.
constexpr double kC4 = 261.63, kE4 = 329.63, kG4 = 392.00, kA4 = 440.00, kC5 = 523.25,
                 kE5 = 659.26, kG5 = 783.99, kC6 = 1046.50;

TSynthLayer Note(TWave w, double freq, double delay, double sustain, double decay,
                 double level = 1) {
  TSynthLayer l;
  l.wave = w;
  l.freq = freq;
  l.delay = delay;
  l.attack = 0.004;
  l.sustain = sustain;
  l.decay = decay;
  l.level = level;
  return l;
}

std::array<TEffectSpec, kSoundEffectCount> MakeSpecs() {
  std::array<TEffectSpec, kSoundEffectCount> s{};
  auto at = [&](TSoundEffect e) -> TEffectSpec& { return s[static_cast<int>(e)]; };

  {  // The flame: a low, rough rush of noise over a faint growl.
    TEffectSpec& e = at(TSoundEffect::Thrust);
    e.loop = true;
    e.loop_seconds = 0.6;
    e.peak = 0.32;
    TSynthLayer rush;
    rush.wave = TWave::Noise;
    rush.freq = 6000;
    rush.lowpass = 700;
    rush.highpass = 60;
    rush.seed = 11;
    TSynthLayer growl;
    growl.wave = TWave::Saw;
    growl.freq = 55;
    growl.vibrato_depth = 0.03;
    growl.vibrato_rate = 8.333333333333334;  // five swings in the loop: no seam
    growl.lowpass = 300;
    growl.level = 0.35;
    e.layers = {rush, growl};
  }
  {  // A bright "pew" falling fast.
    TEffectSpec& e = at(TSoundEffect::Shot);
    e.peak = 0.42;
    TSynthLayer l;
    l.wave = TWave::Square;
    l.freq = 1400;
    l.slide = -9;
    l.duty = 0.3;
    l.duty_sweep = 1.5;
    l.attack = 0.002;
    l.sustain = 0.025;
    l.decay = 0.11;
    l.lowpass = 7000;
    e.layers = {l};
  }
  {  // A short crackle where a bullet meets rock.
    TEffectSpec& e = at(TSoundEffect::WallBurst);
    e.peak = 0.36;
    TSynthLayer l;
    l.wave = TWave::Noise;
    l.freq = 9000;
    l.slide = -4;
    l.attack = 0.001;
    l.sustain = 0.015;
    l.decay = 0.16;
    l.punch = 0.5;
    l.lowpass = 5000;
    l.lowpass_sweep = -4;
    l.highpass = 200;
    l.seed = 23;
    e.layers = {l};
  }
  {  // A ball pops: a noise burst with a tone jumping up an octave.
    TEffectSpec& e = at(TSoundEffect::BallBurst);
    e.peak = 0.55;
    TSynthLayer pop;
    pop.wave = TWave::Noise;
    pop.freq = 5000;
    pop.slide = -2;
    pop.attack = 0.001;
    pop.sustain = 0.04;
    pop.decay = 0.3;
    pop.punch = 0.7;
    pop.lowpass = 3500;
    pop.lowpass_sweep = -2;
    pop.seed = 37;
    TSynthLayer tone = Note(TWave::Square, kA4, 0, 0.05, 0.18, 0.6);
    tone.arp_ratio = 2;
    tone.arp_time = 0.04;
    tone.duty = 0.25;
    tone.lowpass = 4000;
    e.layers = {pop, tone};
  }
  {  // The rocket breaks up: a long, falling roar.
    TEffectSpec& e = at(TSoundEffect::Crash);
    e.peak = 0.8;
    TSynthLayer roar;
    roar.wave = TWave::Noise;
    roar.freq = 4000;
    roar.slide = -1.5;
    roar.attack = 0.002;
    roar.sustain = 0.25;
    roar.decay = 1.3;
    roar.punch = 0.8;
    roar.lowpass = 2500;
    roar.lowpass_sweep = -1.6;
    roar.seed = 41;
    TSynthLayer thump = Note(TWave::Sine, 90, 0, 0.05, 0.45, 0.8);
    thump.slide = -2;
    thump.attack = 0.002;
    e.layers = {roar, thump};
  }
  {  // Setting down gently: a soft thud and two calm notes.
    TEffectSpec& e = at(TSoundEffect::Landing);
    e.peak = 0.4;
    TSynthLayer thud;
    thud.wave = TWave::Noise;
    thud.freq = 1500;
    thud.attack = 0.002;
    thud.sustain = 0.01;
    thud.decay = 0.09;
    thud.lowpass = 350;
    thud.seed = 53;
    thud.level = 0.8;
    e.layers = {thud, Note(TWave::Sine, kG4, 0.02, 0.05, 0.2, 0.5),
                Note(TWave::Sine, kC5, 0.11, 0.06, 0.3, 0.5)};
  }
  {  // The hot cannon refuses: a dull, buzzing click.
    TEffectSpec& e = at(TSoundEffect::Overheat);
    e.peak = 0.35;
    TSynthLayer buzz = Note(TWave::Square, 110, 0, 0.07, 0.05);
    buzz.vibrato_depth = 0.08;
    buzz.vibrato_rate = 40;
    buzz.lowpass = 1200;
    TSynthLayer hiss;
    hiss.wave = TWave::Noise;
    hiss.freq = 8000;
    hiss.attack = 0.002;
    hiss.sustain = 0.02;
    hiss.decay = 0.1;
    hiss.highpass = 2000;
    hiss.level = 0.4;
    hiss.seed = 61;
    e.layers = {buzz, hiss};
  }
  {  // The last ball gone: three rising notes.
    TEffectSpec& e = at(TSoundEffect::Finish);
    e.peak = 0.45;
    e.layers = {Note(TWave::Triangle, kG4, 0, 0.08, 0.12),
                Note(TWave::Triangle, kC5, 0.12, 0.08, 0.12),
                Note(TWave::Triangle, kE5, 0.24, 0.12, 0.35)};
  }
  {  // A new record: a little fanfare over a bass line, the last note held with vibrato.
    TEffectSpec& e = at(TSoundEffect::Record);
    e.peak = 0.55;
    auto lead = [](double f, double delay, double sustain, double decay) {
      TSynthLayer l = Note(TWave::Square, f, delay, sustain, decay, 0.7);
      l.duty = 0.25;
      l.lowpass = 5000;
      return l;
    };
    TSynthLayer top = lead(kC6, 0.36, 0.35, 0.4);
    top.vibrato_depth = 0.012;
    top.vibrato_rate = 6;
    e.layers = {lead(kC5, 0, 0.08, 0.04),        lead(kE5, 0.12, 0.08, 0.04),
                lead(kG5, 0.24, 0.08, 0.04),     top,
                Note(TWave::Triangle, kC4, 0, 0.3, 0.06, 0.8),
                Note(TWave::Triangle, kE4, 0.36, 0.35, 0.4, 0.8)};
  }
  {  // Freezing: a sine falling two octaves.
    TEffectSpec& e = at(TSoundEffect::Freeze);
    e.peak = 0.35;
    TSynthLayer l = Note(TWave::Sine, 880, 0, 0.12, 0.12);
    l.slide = -8;
    l.attack = 0.006;
    e.layers = {l};
  }
  {  // Resuming: the same, rising.
    TEffectSpec& e = at(TSoundEffect::Resume);
    e.peak = 0.35;
    TSynthLayer l = Note(TWave::Sine, 220, 0, 0.12, 0.12);
    l.slide = 8;
    l.attack = 0.006;
    e.layers = {l};
  }
  return s;
}

const std::array<TEffectSpec, kSoundEffectCount>& Specs() {
  static const std::array<TEffectSpec, kSoundEffectCount> specs = MakeSpecs();
  return specs;
}

}  // namespace

const char* SoundEffectName(TSoundEffect e) {
  static const char* const names[kSoundEffectCount] = {
      "thrust",  "shot",     "wall-burst", "ball-burst", "crash", "landing",
      "overheat", "finish", "record",     "freeze",     "resume"};
  const int i = static_cast<int>(e);
  return i >= 0 && i < kSoundEffectCount ? names[i] : "?";
}

const TEffectSpec& SoundEffectSpec(TSoundEffect e) {
  return Specs()[static_cast<int>(e)];
}

TSoundBank::TSoundBank() {
  for (int i = 0; i < kSoundEffectCount; ++i) {
    samples_[i] = RenderEffect(Specs()[i]);
  }
}
