#pragma once
// What happened in a tick of a run that the player should hear: the model reports through this
// narrow interface as it draws through the canvas, and knows nothing of sound. The desktop hands
// the events to the audio layer; tests record them.
#include <cstdint>

enum class TGameEvent : std::uint8_t {
  ThrustOn,      // the flame lights up
  ThrustOff,     // the flame goes out (let go, crashed, reset)
  Shot,          // a bullet leaves the cannon
  ShotRefused,   // fire was pressed while the cannon cools down from overheating (once a wait)
  WallBurst,     // a bullet bursts on a wall (or on a ball that is already going)
  BallShot,      // a bullet destroys a ball
  BallRammed,    // the rocket flies through a ball and destroys it
  Crash,         // the rocket breaks up
  Landing,       // the rocket sets down gently on a landing edge (once, not while it stands)
  RunFinished,   // the last ball went, no new best time
  NewRecord,     // the last ball went in a new best time ("New Record Time!")
  Freeze,        // the game is frozen
  Resume,        // the game goes on after a freeze
};
inline constexpr int kGameEventCount = 13;

// Receives the events of a run, on the game's thread, inside the tick that causes them.
class TGameEventSink {
 public:
  virtual ~TGameEventSink() = default;
  virtual void GameEvent(TGameEvent e) = 0;
};

// A short lowercase name for messages and tests.
const char* GameEventName(TGameEvent e);
