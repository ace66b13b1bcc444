#include "gx_gameevents.h"

const char* GameEventName(TGameEvent e) {
  switch (e) {
    case TGameEvent::ThrustOn:
      return "thrust-on";
    case TGameEvent::ThrustOff:
      return "thrust-off";
    case TGameEvent::Shot:
      return "shot";
    case TGameEvent::ShotRefused:
      return "shot-refused";
    case TGameEvent::WallBurst:
      return "wall-burst";
    case TGameEvent::BallShot:
      return "ball-shot";
    case TGameEvent::BallRammed:
      return "ball-rammed";
    case TGameEvent::Crash:
      return "crash";
    case TGameEvent::Landing:
      return "landing";
    case TGameEvent::RunFinished:
      return "run-finished";
    case TGameEvent::NewRecord:
      return "new-record";
    case TGameEvent::Freeze:
      return "freeze";
    case TGameEvent::Resume:
      return "resume";
  }
  return "?";
}
