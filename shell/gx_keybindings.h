#pragma once
// The player's key bindings: two keys for each game action, and what the key-state layer
// needs to apply them. The model keeps sampling its own key table: a bound key is reported
// as the first code of its action's table entry, so runs and their replays read the same
// codes whatever the player chose.
#include <array>
#include <cstdint>
#include <string>

#include "gx_mazegame.h"

enum class TGameAction : std::uint8_t { Thrust, Fire, TurnLeft, TurnRight, Freeze, Restart };
inline constexpr int kGameActionCount = 6;

struct TKeyBindings {
  // Per action: the first key and a second one (0 = none).
  std::array<TKeyList, kGameActionCount> keys{};

  static TKeyBindings Defaults();
  TKeyList& operator[](TGameAction a) { return keys[static_cast<int>(a)]; }
  const TKeyList& operator[](TGameAction a) const { return keys[static_cast<int>(a)]; }
  bool operator==(const TKeyBindings&) const = default;
};

// The index of an action's entry in the game's key table (GameKeys).
int GameKeyEntry(TGameAction a);
// The code the model samples for the action (the first code of its table entry).
std::uint8_t GameCode(TGameAction a);
// "Thrust", "Fire", "Turn left", "Turn right", "Freeze", "Restart".
const char* ActionName(TGameAction a);
// The name of the action in the settings file: "thrust", "fire", "turn_left", ...
const char* ActionSettingsName(TGameAction a);

// What the main window does with the key (a window key), or "" when it is free for an action.
std::string WindowKeyUse(std::uint8_t code);
// The code of a key name as KeyName gives it, or 0.
std::uint8_t KeyCodeFromName(const std::string& name);
// Why code cannot become key slot (0 or 1) of action a under b, or "" when it can. A second
// key may be 0 (none); a first key may not.
std::string BindingRefusal(const TKeyBindings& b, TGameAction a, int slot, std::uint8_t code);
// True when no key is bound twice, no window key is bound and every action has a first key.
bool BindingsValid(const TKeyBindings& b);

// For every physical key code the code the model should see: a bound key reports its
// action's code, a code of the game's own table that is no longer bound reports nothing (0),
// and every other key reports itself (the window keys, Escape, R).
std::array<std::uint8_t, 256> KeyMapOf(const TKeyBindings& b);
// The help dialog's text for the action's keys ("Left Ctrl", "Up/Left Alt").
std::string BoundKeysText(const TKeyBindings& b, TGameAction a);
