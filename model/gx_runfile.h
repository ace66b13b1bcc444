#pragma once
// A recorded run of one maze and its file form, the best-run file (docs/best-runs.md).
//
// A run is what the maze sampled on each of its ticks, from the tick of its first thrust to the
// tick its last ball went: the flight keys (thrust, fire, turn left, turn right, freeze), the
// wheel delta waiting for the turn, and whether the game was frozen at that moment. Fed back
// through the key state, these give the run again. Beside them it keeps the rocket's pose after
// every tick on which the run's clock moved (for the ghost, which is only drawn) and, now and
// then, a checksum of the exact rocket state (to tell where a re-simulation parted from it).
//
// The file is binary, little-endian, versioned and closed by a CRC-32; the reader checks every
// count against the bytes that are there, so a truncated, hostile or foreign file is refused
// with a reason, never read past its end and never allocated for beyond its size.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The keys of one tick, as the maze counted them.
struct TRunKeys {
  enum : std::uint8_t {
    kThrust = 1,
    kShoot = 2,
    kFreeze = 4,
    kLeft = 8,
    kRight = 16,
    kFrozen = 32,  // the game was frozen when the keys were sampled (also from outside, F1)
  };
  std::uint8_t flags = 0;
  std::int32_t wheel = 0;  // the wheel delta the maze held at the sampling (120 a notch)
  bool operator==(const TRunKeys&) const = default;
};

// The rocket where the ghost draws it.
struct TRunPose {
  double x = 0, y = 0;  // maze units
  double angle = 0;     // radians, as the rocket accumulates it
};

// A checksum of the exact rocket state after sim tick `tick` (pose index `tick`).
struct TRunCheck {
  std::uint32_t tick = 0;
  std::uint32_t hash = 0;
  bool operator==(const TRunCheck&) const = default;
};

struct TRunRecording {
  std::uint64_t maze_hash = 0;  // MazeContentHash of the maze flown
  std::uint32_t tick_unit = 50;  // milliseconds per tick
  std::uint32_t clock = 0;       // the maze's clock (ticks) when the run finished
  std::vector<TRunKeys> keys;    // one entry per tick
  // poses[0] is the start, poses[k] the rocket after the k-th tick of the clock; the file keeps
  // them to 1/8192 of a maze unit and 1/65536 of a turn.
  std::vector<TRunPose> poses;
  std::vector<TRunCheck> checks;

  // The run's time as the maze records it.
  double Seconds() const { return static_cast<double>(clock) * tick_unit / 1000; }
};

// The limits a file must keep: about 14 hours of flight, and the bytes that allows.
inline constexpr std::uint32_t kMaxRunTicks = 1'000'000;
inline constexpr std::size_t kMaxRunFileBytes = 16u << 20;
inline constexpr std::uint16_t kRunFileVersion = 1;

// The file's bytes; raises std::invalid_argument when r breaks the limits above.
std::string WriteRunFile(const TRunRecording& r);
// The recording in bytes; nullopt with the reason in *error when they are not a whole,
// intact best-run file of this version.
std::optional<TRunRecording> ReadRunFile(std::string_view bytes, std::string* error = nullptr);

// The poses as the file gives them back (rounded to its steps): what a recording read from a
// file holds.
TRunPose QuantizedPose(const TRunPose& p);

// CRC-32 (the polynomial of zip and PNG) of bytes.
std::uint32_t Crc32(std::string_view bytes);
// FNV-1a, 64 bits.
std::uint64_t Fnv1a64(std::string_view bytes);
