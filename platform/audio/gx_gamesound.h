#pragma once
// The game's sound: turns the events of a run into effects on the mixer, and keeps the
// player's controls (volume, mute, silent in the background) as plain values that a window, a
// command line or a settings dialog may set. Runs on the game's thread; the mixer's audio
// callback runs on the device's.
#include <memory>

#include "gx_effects.h"
#include "gx_gameevents.h"
#include "gx_mixer.h"

class TGameSound : public TGameEventSink {
 public:
  static constexpr int kDefaultVolume = 80;

  // Renders the effects and registers them with its own mixer.
  TGameSound();
  ~TGameSound() override;
  TGameSound(const TGameSound&) = delete;
  TGameSound& operator=(const TGameSound&) = delete;

  // What the audio device's callback mixes.
  TMixer& Mixer() { return *mixer_; }
  const TSoundBank& Bank() const { return *bank_; }

  // TGameEventSink.
  void GameEvent(TGameEvent e) override;
  // The effect an event sounds as (the thrust events start and stop the loop).
  static TSoundEffect EffectFor(TGameEvent e);

  // --- the player's controls ----------------------------------------------------------------
  int Volume() const { return volume_; }
  void SetVolume(int v);  // 0..100, clamped
  bool Muted() const { return muted_; }
  void SetMuted(bool m);
  void ToggleMute() { SetMuted(!muted_); }
  bool SilentInBackground() const { return silent_in_background_; }
  void SetSilentInBackground(bool s);

  // --- what the windows tell it -------------------------------------------------------------
  // Whether a game window (the game's or test play's) has the focus.
  void SetWindowActive(bool active);
  bool WindowActive() const { return active_; }
  // A window taking over: the flame and the freeze as its game shows them now, without the
  // sounds of freezing or resuming.
  void SetFlight(bool thrust, bool frozen);

  // Whether anything is heard at all: not muted, volume above 0, and the window active (or
  // allowed to sound in the background).
  bool Audible() const;
  bool ThrustSounding() const { return thrust_sounding_; }
  // The gain the mixer's master is set to.
  float MasterGain() const;

 private:
  void Update();  // brings the master gain and the thrust loop in line with the state
  void PlayEffect(TSoundEffect e);

  std::unique_ptr<TSoundBank> bank_;
  std::unique_ptr<TMixer> mixer_;
  int ids_[kSoundEffectCount];
  int volume_ = kDefaultVolume;
  bool muted_ = false;
  bool silent_in_background_ = true;
  bool active_ = true;
  bool thrust_ = false;
  bool frozen_ = false;
  bool thrust_sounding_ = false;
  bool was_audible_ = false;
};
