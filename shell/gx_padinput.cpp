#include "gx_padinput.h"

#include "gx_keybindings.h"
#include "gx_settings.h"
#include "qt_keystate.h"
#include "sdl_gamepad.h"

TPadInput::TPadInput(TQtKeyState& keys, std::unique_ptr<TSdlGamepads> pads)
    : keys_(keys), pads_(std::move(pads)) {}

TPadInput::~TPadInput() = default;

void TPadInput::Apply(const TGameSettings& s) {
  mapper_.SetDeadZone(s.dead_zone / 100.0);
  mapper_.SetTurning(s.turn_mode == TTurnMode::Point ? TPadTurning::Point : TPadTurning::Turn);
  if (pads_) pads_->SetPreferred(s.pad);
}

void TPadInput::Release() {
  for (TGameAction a : {TGameAction::Thrust, TGameAction::Fire, TGameAction::TurnLeft,
                        TGameAction::TurnRight, TGameAction::Restart}) {
    keys_.SetPadKey(GameCode(a), false);
  }
}

void TPadInput::Tick(bool listening, double nose, double step, bool frozen) {
  if (!pads_) return;
  const TPadSnapshot pad = pads_->Poll();
  if (!listening) {
    if (listening_) Release();
    listening_ = false;
    mapper_.Suspend(pad);
    return;
  }
  listening_ = true;
  const TPadActions a = mapper_.Map(pad, nose, step);
  keys_.SetPadKey(GameCode(TGameAction::Thrust), a.thrust);
  keys_.SetPadKey(GameCode(TGameAction::Fire), a.fire);
  keys_.SetPadKey(GameCode(TGameAction::TurnLeft), a.left);
  keys_.SetPadKey(GameCode(TGameAction::TurnRight), a.right);
  keys_.SetPadKey(GameCode(TGameAction::Restart), a.restart);
  // Start is one press each time: the freeze key freezes, and in a frozen game the fire key
  // seen once (pressed, not held) resumes without firing.
  if (a.pause) keys_.TapPadKey(GameCode(frozen ? TGameAction::Fire : TGameAction::Freeze));
}

std::vector<std::string> TPadInput::Names() {
  return pads_ ? pads_->Names() : std::vector<std::string>{};
}

std::string TPadInput::InUse() {
  return pads_ ? pads_->InUse() : std::string();
}
