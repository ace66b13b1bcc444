#pragma once
// What a game controller asks of the game, decided from one snapshot of the pad per tick.
// Free of SDL, so that the rules (buttons, dead zone, turning modes) are tested on their own.
#include <array>
#include <cstdint>

// The buttons of a standard pad, in the layout the game uses (positions, not labels).
enum class TPadButton : std::uint8_t {
  A,
  B,
  X,
  Y,
  Back,
  Guide,
  Start,
  LeftStick,
  RightStick,
  LeftShoulder,
  RightShoulder,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
};
inline constexpr int kPadButtonCount = 15;

struct TPadSnapshot {
  bool connected = false;
  std::array<bool, kPadButtonCount> down{};
  // Went down at some time since the previous snapshot (also when let go again since).
  std::array<bool, kPadButtonCount> pressed{};
  // The left stick, -32768 .. 32767 each, y growing downwards as pads report it.
  int left_x = 0;
  int left_y = 0;
  // The right trigger, 0 .. 32767.
  int right_trigger = 0;

  bool Down(TPadButton b) const { return down[static_cast<int>(b)]; }
  bool Pressed(TPadButton b) const { return pressed[static_cast<int>(b)]; }
};

enum class TPadTurning : std::uint8_t { Turn, Point };

struct TPadActions {
  bool thrust = false;
  bool fire = false;
  bool left = false;
  bool right = false;
  bool restart = false;  // held like the restart key: the run restarts when it is let go
  bool pause = false;    // Start went down: freeze a running game, resume a frozen one
  bool operator==(const TPadActions&) const = default;
};

// The left stick after a round dead zone: (0, 0) inside it, beyond it the deflection rescaled
// so that it grows from 0 at the edge of the zone to 1 at full travel. y points up.
struct TStick {
  double x = 0;
  double y = 0;
  bool Centred() const { return x == 0 && y == 0; }
};
TStick ApplyDeadZone(int raw_x, int raw_y, double dead_zone);

class TPadMapper {
 public:
  // dead_zone as a fraction of the stick's travel (0 .. 0.9).
  void SetDeadZone(double dead_zone) { dead_zone_ = dead_zone; }
  void SetTurning(TPadTurning t) { turning_ = t; }

  // The actions of one tick. nose is the rocket's heading now (radians, counter-clockwise,
  // any number of turns) and step how far one tick of a turn key turns it; in point mode the
  // rocket turns toward the stick's direction the short way and stops within half a step.
  TPadActions Map(const TPadSnapshot& pad, double nose, double step);

  // Instead of Map while the game does not listen (its window inactive, a dialog open):
  // nothing reaches it, and a button or stick held now counts, once the game listens again,
  // only after it has been let go.
  void Suspend(const TPadSnapshot& pad);

 private:
  bool Held(const TPadSnapshot& pad, TPadButton b);

  double dead_zone_ = 0.25;
  TPadTurning turning_ = TPadTurning::Turn;
  std::array<bool, kPadButtonCount> held_over_{};
  bool trigger_held_over_ = false;
  bool stick_held_over_ = false;
};
