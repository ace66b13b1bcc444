#pragma once
// A key-state service for headless runs: the test presses and releases keys between ticks, or
// plays a script of timed key events, and the maze samples them as it would the keyboard.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "gx_keystate.h"

class TScriptedKeys : public TKeyStateService {
 public:
  // The key goes down (and counts as pressed until the next query of it).
  void Down(std::uint8_t vk) {
    down_[vk] = true;
    pressed_[vk] = true;
  }
  void Up(std::uint8_t vk) { down_[vk] = false; }
  // Pressed and released between two queries: seen once as "pressed since the last query".
  void Tap(std::uint8_t vk) { pressed_[vk] = true; }
  void ReleaseAll() { down_.fill(false); }
  bool IsDown(std::uint8_t vk) const { return down_[vk]; }

  TKeyQuery Query(std::uint8_t vk) override {
    ++queries_[vk];
    TKeyQuery q{down_[vk], pressed_[vk]};
    pressed_[vk] = false;
    return q;
  }
  int Queries(std::uint8_t vk) const { return queries_[vk]; }

 private:
  std::array<bool, 256> down_{};
  std::array<bool, 256> pressed_{};
  std::array<int, 256> queries_{};
};

// A timed script: key events keyed by the tick before which they happen.
class TKeyScript {
 public:
  enum TAction : std::uint8_t { ka_down, ka_up, ka_tap };
  struct TEvent {
    int tick;
    std::uint8_t vk;
    TAction action;
  };

  TKeyScript() = default;
  TKeyScript(std::initializer_list<TEvent> events) : events_(events) {}
  TKeyScript& At(int tick, std::uint8_t vk, TAction a) {
    events_.push_back({tick, vk, a});
    return *this;
  }
  // Holds vk from tick `from` up to (not including) tick `to`.
  TKeyScript& Hold(int from, int to, std::uint8_t vk) {
    At(from, vk, ka_down);
    return At(to, vk, ka_up);
  }
  // Applies the events of one tick, in the order they were added.
  void Apply(int tick, TScriptedKeys& keys) const {
    for (const TEvent& e : events_) {
      if (e.tick != tick) continue;
      switch (e.action) {
        case ka_down:
          keys.Down(e.vk);
          break;
        case ka_up:
          keys.Up(e.vk);
          break;
        case ka_tap:
          keys.Tap(e.vk);
          break;
      }
    }
  }

 private:
  std::vector<TEvent> events_;
};
