#pragma once
// The asynchronous key-state query the game samples once per tick.
//
// For one virtual-key code (the Windows codes the game's key tables use) the service answers
// two facts: the key is down now, and the key was pressed at some time since the previous
// query of that same key. A query clears the second fact for that key only.
#include <cstdint>

struct TKeyQuery {
  bool down = false;     // held at the moment of the query
  bool pressed = false;  // went down at some time since the previous query of this key
  // What the game counts as "hit".
  bool Hit() const { return down || pressed; }
};

class TKeyStateService {
 public:
  virtual ~TKeyStateService() = default;
  virtual TKeyQuery Query(std::uint8_t vk) = 0;
};

// Virtual-key codes of the game keys.
namespace vk {
constexpr std::uint8_t Escape = 0x1B;
constexpr std::uint8_t Space = 0x20;
constexpr std::uint8_t Left = 0x25;
constexpr std::uint8_t Up = 0x26;
constexpr std::uint8_t Right = 0x27;
constexpr std::uint8_t Down = 0x28;
constexpr std::uint8_t A = 0x41;
constexpr std::uint8_t C = 0x43;
constexpr std::uint8_t D = 0x44;
constexpr std::uint8_t E = 0x45;
constexpr std::uint8_t F = 0x46;
constexpr std::uint8_t R = 0x52;
constexpr std::uint8_t S = 0x53;
constexpr std::uint8_t X = 0x58;
constexpr std::uint8_t Add = 0x6B;
constexpr std::uint8_t Subtract = 0x6D;
constexpr std::uint8_t F1 = 0x70;
constexpr std::uint8_t LControl = 0xA2;
constexpr std::uint8_t LMenu = 0xA4;  // left Alt
}  // namespace vk
