#include "gx_padmap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A trigger counts as pulled a little past its first third.
constexpr int kTriggerThreshold = 12000;

// In turn mode the stick turns while it leans more to a side than up or down.
constexpr double kTurnLean = 0.7071;

double Axis(int raw) {
  return std::clamp(raw / 32767.0, -1.0, 1.0);
}

}  // namespace

TStick ApplyDeadZone(int raw_x, int raw_y, double dead_zone) {
  const double x = Axis(raw_x), y = -Axis(raw_y);
  const double r = std::hypot(x, y);
  dead_zone = std::clamp(dead_zone, 0.0, 0.99);
  if (r <= dead_zone || r == 0) return {};
  const double scaled = std::min(1.0, (r - dead_zone) / (1 - dead_zone));
  return {x / r * scaled, y / r * scaled};
}

void TPadMapper::Suspend(const TPadSnapshot& pad) {
  held_over_ = pad.down;
  trigger_held_over_ = pad.right_trigger >= kTriggerThreshold;
  stick_held_over_ = !ApplyDeadZone(pad.left_x, pad.left_y, dead_zone_).Centred();
}

bool TPadMapper::Held(const TPadSnapshot& pad, TPadButton b) {
  const int i = static_cast<int>(b);
  if (held_over_[i]) {
    if (!pad.down[i]) held_over_[i] = false;
    return false;
  }
  return pad.down[i] || pad.pressed[i];
}

TPadActions TPadMapper::Map(const TPadSnapshot& pad, double nose, double step) {
  const TStick stick = ApplyDeadZone(pad.left_x, pad.left_y, dead_zone_);
  const bool trigger = pad.right_trigger >= kTriggerThreshold;
  if (!pad.connected) return {};
  if (trigger_held_over_ && !trigger) trigger_held_over_ = false;
  if (stick_held_over_ && stick.Centred()) stick_held_over_ = false;

  TPadActions a;
  using B = TPadButton;
  a.thrust = Held(pad, B::A) || (trigger && !trigger_held_over_);
  a.fire = Held(pad, B::B) | Held(pad, B::X) | Held(pad, B::RightShoulder);
  a.left = Held(pad, B::DpadLeft);
  a.right = Held(pad, B::DpadRight);
  a.restart = Held(pad, B::Back);
  a.pause = Held(pad, B::Start) && pad.Pressed(B::Start);

  if (!stick_held_over_ && !stick.Centred()) {
    const double r = std::hypot(stick.x, stick.y);
    if (turning_ == TPadTurning::Turn) {
      if (stick.x <= -kTurnLean * r) a.left = true;
      if (stick.x >= kTurnLean * r) a.right = true;
    } else {
      // The short way from the nose to the stick's direction, in (-pi, pi].
      double diff = std::remainder(std::atan2(stick.y, stick.x) - nose, 2 * std::numbers::pi);
      if (diff <= -std::numbers::pi) diff += 2 * std::numbers::pi;
      if (diff > step / 2) a.left = true;
      if (diff < -step / 2) a.right = true;
    }
  }
  return a;
}
