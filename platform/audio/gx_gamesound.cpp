#include "gx_gamesound.h"

#include <algorithm>

namespace {
constexpr TMixer::TTag kThrustTag = 1;
constexpr float kThrustFadeMs = 25;  // the flame dies away rather than being cut
constexpr float kSilenceFadeMs = 20;
}  // namespace

TGameSound::TGameSound()
    : bank_(std::make_unique<TSoundBank>()), mixer_(std::make_unique<TMixer>(kSampleRate)) {
  for (int i = 0; i < kSoundEffectCount; ++i) {
    const auto e = static_cast<TSoundEffect>(i);
    ids_[i] = mixer_->AddSound(bank_->Samples(e), bank_->Loops(e));
  }
  Update();
}

TGameSound::~TGameSound() = default;

TSoundEffect TGameSound::EffectFor(TGameEvent e) {
  switch (e) {
    case TGameEvent::ThrustOn:
    case TGameEvent::ThrustOff:
      return TSoundEffect::Thrust;
    case TGameEvent::Shot:
      return TSoundEffect::Shot;
    case TGameEvent::ShotRefused:
      return TSoundEffect::Overheat;
    case TGameEvent::WallBurst:
      return TSoundEffect::WallBurst;
    case TGameEvent::BallShot:
    case TGameEvent::BallRammed:
      return TSoundEffect::BallBurst;
    case TGameEvent::Crash:
      return TSoundEffect::Crash;
    case TGameEvent::Landing:
      return TSoundEffect::Landing;
    case TGameEvent::RunFinished:
      return TSoundEffect::Finish;
    case TGameEvent::NewRecord:
      return TSoundEffect::Record;
    case TGameEvent::Freeze:
      return TSoundEffect::Freeze;
    case TGameEvent::Resume:
      return TSoundEffect::Resume;
  }
  return TSoundEffect::Shot;
}

void TGameSound::GameEvent(TGameEvent e) {
  switch (e) {
    case TGameEvent::ThrustOn:
      thrust_ = true;
      break;
    case TGameEvent::ThrustOff:
      thrust_ = false;
      break;
    case TGameEvent::Freeze:
      frozen_ = true;
      // The frozen game is silent: what was sounding fades, and only the freeze is heard.
      mixer_->StopAll(kSilenceFadeMs);
      thrust_sounding_ = false;
      PlayEffect(TSoundEffect::Freeze);
      break;
    case TGameEvent::Resume:
      frozen_ = false;
      PlayEffect(TSoundEffect::Resume);
      break;
    default:
      PlayEffect(EffectFor(e));
      break;
  }
  Update();
}

void TGameSound::PlayEffect(TSoundEffect e) {
  if (!Audible()) return;  // a sound started unheard would be heard half when unmuted
  mixer_->Play(ids_[static_cast<int>(e)], 1.0f);
}

void TGameSound::SetVolume(int v) {
  volume_ = std::clamp(v, 0, 100);
  Update();
}

void TGameSound::SetMuted(bool m) {
  muted_ = m;
  Update();
}

void TGameSound::SetSilentInBackground(bool s) {
  silent_in_background_ = s;
  Update();
}

void TGameSound::SetWindowActive(bool active) {
  active_ = active;
  Update();
}

void TGameSound::SetFlight(bool thrust, bool frozen) {
  thrust_ = thrust;
  frozen_ = frozen;
  Update();
}

bool TGameSound::Audible() const {
  return !muted_ && volume_ > 0 && (active_ || !silent_in_background_);
}

float TGameSound::MasterGain() const {
  if (!Audible()) return 0;
  // Loudness follows the square of the slider better than the slider itself.
  const float v = static_cast<float>(volume_) / 100;
  return v * v;
}

void TGameSound::Update() {
  const bool audible = Audible();
  if (was_audible_ && !audible) mixer_->StopAll(kSilenceFadeMs);
  was_audible_ = audible;
  mixer_->SetMasterGain(MasterGain());
  const bool want_thrust = audible && thrust_ && !frozen_;
  if (want_thrust != thrust_sounding_) {
    if (want_thrust) {
      mixer_->Play(ids_[static_cast<int>(TSoundEffect::Thrust)], 1.0f, kThrustTag);
    } else {
      mixer_->Stop(kThrustTag, kThrustFadeMs);
    }
    thrust_sounding_ = want_thrust;
  }
}
