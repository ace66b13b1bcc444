#pragma once
// Everything a player chooses, kept in a file of its own (never in the maze collection):
// $XDG_CONFIG_HOME/gravonaut/gravonaut.conf, an INI file. Each value is read with its default
// and a range check, so a damaged or hostile file costs only the values it spoils.
#include <cstdint>
#include <string>
#include <vector>

#include "gx_keybindings.h"

enum class TTurnMode : std::uint8_t {
  Turn,   // the stick left or right turns like the turn keys
  Point,  // the stick points where the nose should point
};

struct TGameSettings {
  TKeyBindings keys = TKeyBindings::Defaults();
  // Sound.
  int volume = 80;  // 0 .. 100
  bool mute = false;
  bool silent_in_background = true;
  // Display.
  bool smooth_motion = true;
  bool smooth_edges = true;
  bool full_screen = false;
  // Game controller: the name of the one in use ("" = the first one connected), the round
  // dead zone of the stick in percent of its travel, and how the stick turns the rocket.
  std::string pad;
  int dead_zone = 25;  // 0 .. 90
  TTurnMode turn_mode = TTurnMode::Turn;

  static constexpr int kMaxVolume = 100;
  static constexpr int kMaxDeadZone = 90;

  bool operator==(const TGameSettings&) const = default;
};

// The settings file under xdg_config_home, or under home/.config when that is unset, empty
// or relative (as the desktop's rules ask); "" when neither is usable.
std::string DefaultSettingsFile(const char* xdg_config_home, const char* home);

// The settings of the file; every value missing, unreadable or out of range is the default,
// and a binding that clashes with another falls back to the default table's keys. What was
// ignored is described in problems (when given). A missing file gives the defaults quietly.
TGameSettings ReadSettings(const std::string& file, std::vector<std::string>* problems = nullptr);
// Writes every value (creating the folder); false when the file could not be written.
bool WriteSettings(const std::string& file, const TGameSettings& s);
// Writes only the values that differ between before and after, leaving the rest of the file
// as it was: a value given on the command line for one run and not changed by the player
// stays as the file had it.
bool UpdateSettings(const std::string& file, const TGameSettings& before,
                    const TGameSettings& after);
