#include "gx_keybindings.h"

#include "gx_help.h"
#include "qor_obj.h"

namespace {

struct TActionInfo {
  int entry;  // in GameKeys
  const char* name;
  const char* settings_name;
};

constexpr TActionInfo kActions[kGameActionCount] = {
    {0, "Thrust", "thrust"},         {6, "Fire", "fire"},     {2, "Turn left", "turn_left"},
    {3, "Turn right", "turn_right"}, {1, "Freeze", "freeze"}, {5, "Restart", "restart"},
};

const TActionInfo& Info(TGameAction a) {
  return kActions[static_cast<int>(a)];
}

constexpr TGameAction kAllActions[kGameActionCount] = {
    TGameAction::Thrust,    TGameAction::Fire,   TGameAction::TurnLeft,
    TGameAction::TurnRight, TGameAction::Freeze, TGameAction::Restart};

}  // namespace

TKeyBindings TKeyBindings::Defaults() {
  TKeyBindings b;
  for (TGameAction a : kAllActions) b[a] = GameKeys[Info(a).entry];
  return b;
}

int GameKeyEntry(TGameAction a) {
  return Info(a).entry;
}

std::uint8_t GameCode(TGameAction a) {
  return GameKeys[Info(a).entry][0];
}

const char* ActionName(TGameAction a) {
  return Info(a).name;
}

const char* ActionSettingsName(TGameAction a) {
  return Info(a).settings_name;
}

std::string WindowKeyUse(std::uint8_t code) {
  switch (code) {
    case vk::Escape:
      return "Exit";
    case vk::F1:
      return "Help";
    case vk::E:
      return "Edit maze";
    case vk::S:
      return "Select maze";
    case vk::C:
    case vk::R:
      return "Clear score";
    case 0x4F:  // O
      return "Settings";
    case vk::Add:
    case 0xBB:  // the main keyboard's "=" / "+"
      return "Zoom in";
    case vk::Subtract:
    case 0xBD:  // the main keyboard's "-"
      return "Zoom out";
    default:
      return "";
  }
}

std::uint8_t KeyCodeFromName(const std::string& name) {
  if (name.empty()) return 0;
  for (int code = 1; code < 256; ++code) {
    if (THelpForm::KeyName(code) == name) return static_cast<std::uint8_t>(code);
  }
  return 0;
}

std::string BindingRefusal(const TKeyBindings& b, TGameAction a, int slot, std::uint8_t code) {
  if (code == 0) return slot == 0 ? std::string("Every action needs a first key.") : "";
  const std::string name = THelpForm::KeyName(code);
  if (name.empty()) return "This key cannot be bound.";
  if (const std::string use = WindowKeyUse(code); !use.empty()) {
    return name + " is a window key (" + use + ").";
  }
  for (TGameAction other : kAllActions) {
    for (int s = 0; s < 2; ++s) {
      if ((other == a && s == slot) || b[other][s] != code) continue;
      if (other == a) return name + " is already the other key of " + ActionName(a) + ".";
      return name + " is already a key of " + ActionName(other) + ".";
    }
  }
  return "";
}

bool BindingsValid(const TKeyBindings& b) {
  for (TGameAction a : kAllActions) {
    for (int s = 0; s < 2; ++s) {
      if (!BindingRefusal(b, a, s, b[a][s]).empty()) return false;
    }
  }
  return true;
}

std::array<std::uint8_t, 256> KeyMapOf(const TKeyBindings& b) {
  std::array<std::uint8_t, 256> map{};
  for (int code = 0; code < 256; ++code) map[code] = static_cast<std::uint8_t>(code);
  for (TGameAction a : kAllActions) {
    for (std::uint8_t code : GameKeys[Info(a).entry]) map[code] = 0;
  }
  for (TGameAction a : kAllActions) {
    for (std::uint8_t code : b[a]) {
      if (code != 0) map[code] = GameCode(a);
    }
  }
  map[0] = 0;
  return map;
}

std::string BoundKeysText(const TKeyBindings& b, TGameAction a) {
  return THelpForm::KeyText(b[a]);
}
