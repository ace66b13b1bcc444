#include "gx_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <filesystem>
#include <map>
#include <optional>

#include "gx_help.h"

namespace {

constexpr TGameAction kActions[kGameActionCount] = {TGameAction::Thrust,   TGameAction::Fire,
                                                    TGameAction::TurnLeft, TGameAction::TurnRight,
                                                    TGameAction::Freeze,   TGameAction::Restart};

// A settings file is a few hundred bytes; anything far larger is not one of ours.
constexpr qint64 kMaxFileSize = 64 * 1024;

std::string SlotKey(TGameAction a, int slot) {
  return std::string("Keys/") + ActionSettingsName(a) + (slot == 0 ? "_1" : "_2");
}

const char* TurnModeName(TTurnMode m) {
  return m == TTurnMode::Point ? "point" : "turn";
}

std::string BoolText(bool v) {
  return v ? "true" : "false";
}

// Every value as the text the file holds, by key.
std::map<std::string, std::string> Entries(const TGameSettings& s) {
  std::map<std::string, std::string> e;
  for (TGameAction a : kActions) {
    for (int slot = 0; slot < 2; ++slot) e[SlotKey(a, slot)] = THelpForm::KeyName(s.keys[a][slot]);
  }
  e["Sound/volume"] = std::to_string(s.volume);
  e["Sound/mute"] = BoolText(s.mute);
  e["Sound/silent_in_background"] = BoolText(s.silent_in_background);
  e["Display/smooth_motion"] = BoolText(s.smooth_motion);
  e["Display/smooth_edges"] = BoolText(s.smooth_edges);
  e["Display/full_screen"] = BoolText(s.full_screen);
  e["Gamepad/controller"] = s.pad;
  e["Gamepad/dead_zone"] = std::to_string(s.dead_zone);
  e["Gamepad/turning"] = TurnModeName(s.turn_mode);
  return e;
}

// Reads the values of one file, each one checked on its own.
class TSettingsReader {
 public:
  TSettingsReader(QSettings& q, std::vector<std::string>* problems) : q_(q), problems_(problems) {}

  // The text of key, or nothing when the file lacks it or holds something else (a list).
  std::optional<QString> Text(const std::string& key) {
    const QString k = QString::fromStdString(key);
    if (!q_.contains(k)) return std::nullopt;
    const QVariant v = q_.value(k);
    if (v.typeId() != QMetaType::QString) {
      Ignore(key);
      return std::nullopt;
    }
    return v.toString();
  }
  void Bool(const std::string& key, bool& out) {
    const std::optional<QString> t = Text(key);
    if (!t) return;
    const QString v = t->trimmed().toLower();
    if (v == "true" || v == "1") {
      out = true;
    } else if (v == "false" || v == "0") {
      out = false;
    } else {
      Ignore(key);
    }
  }
  void Int(const std::string& key, int lo, int hi, int& out) {
    const std::optional<QString> t = Text(key);
    if (!t) return;
    bool ok = false;
    const int v = t->trimmed().toInt(&ok);
    if (ok && v >= lo && v <= hi) {
      out = v;
    } else {
      Ignore(key);
    }
  }
  void Ignore(const std::string& key) {
    if (problems_) problems_->push_back("ignored the value of " + key);
  }

 private:
  QSettings& q_;
  std::vector<std::string>* problems_;
};

// The bindings of the file: each key on its own, then every clash undone by putting back the
// default of a key the file set, the later one first, until none is left (the default table
// itself has none, so this ends).
void ReadBindings(TSettingsReader& r, TKeyBindings& keys) {
  const TKeyBindings defaults = TKeyBindings::Defaults();
  std::array<std::array<bool, 2>, kGameActionCount> from_file{};
  for (TGameAction a : kActions) {
    for (int slot = 0; slot < 2; ++slot) {
      const std::string key = SlotKey(a, slot);
      const std::optional<QString> t = r.Text(key);
      if (!t) continue;
      const std::string name = t->toStdString();
      const std::uint8_t code = KeyCodeFromName(name);
      if ((code == 0 && !(slot == 1 && name.empty())) ||
          (code != 0 && !WindowKeyUse(code).empty())) {
        r.Ignore(key);
        continue;
      }
      keys[a][slot] = code;
      from_file[static_cast<int>(a)][slot] = true;
    }
  }
  for (bool clash = true; clash;) {
    clash = false;
    for (int i = kGameActionCount - 1; i >= 0 && !clash; --i) {
      for (int slot = 1; slot >= 0 && !clash; --slot) {
        const TGameAction a = kActions[i];
        if (!from_file[i][slot] || BindingRefusal(keys, a, slot, keys[a][slot]).empty()) continue;
        r.Ignore(SlotKey(a, slot));
        keys[a][slot] = defaults[a][slot];
        from_file[i][slot] = false;
        clash = true;
      }
    }
  }
}

bool Sync(QSettings& q) {
  q.sync();
  return q.status() == QSettings::NoError;
}

bool PrepareFolder(const std::string& file) {
  std::error_code ec;
  const std::filesystem::path dir = std::filesystem::path(file).parent_path();
  if (!dir.empty()) std::filesystem::create_directories(dir, ec);
  return !ec;
}

}  // namespace

std::string DefaultSettingsFile(const char* xdg_config_home, const char* home) {
  std::filesystem::path base;
  if (xdg_config_home && *xdg_config_home && std::filesystem::path(xdg_config_home).is_absolute()) {
    base = xdg_config_home;
  } else if (home && *home) {
    base = std::filesystem::path(home) / ".config";
  } else {
    return "";
  }
  return (base / "gravonaut" / "gravonaut.conf").string();
}

TGameSettings ReadSettings(const std::string& file, std::vector<std::string>* problems) {
  TGameSettings s;
  const QFileInfo info(QString::fromStdString(file));
  if (file.empty() || !info.exists()) return s;
  if (!info.isFile() || !info.isReadable() || info.size() > kMaxFileSize) {
    if (problems) problems->push_back("ignored '" + file + "': not a readable settings file");
    return s;
  }
  QSettings q(QString::fromStdString(file), QSettings::IniFormat);
  if (q.status() != QSettings::NoError && problems) {
    problems->push_back("'" + file + "' is damaged; its readable values are used");
  }
  TSettingsReader r(q, problems);
  ReadBindings(r, s.keys);
  r.Int("Sound/volume", 0, TGameSettings::kMaxVolume, s.volume);
  r.Bool("Sound/mute", s.mute);
  r.Bool("Sound/silent_in_background", s.silent_in_background);
  r.Bool("Display/smooth_motion", s.smooth_motion);
  r.Bool("Display/smooth_edges", s.smooth_edges);
  r.Bool("Display/full_screen", s.full_screen);
  if (const std::optional<QString> t = r.Text("Gamepad/controller")) {
    // A controller's name is one printable line of modest length.
    const std::string name = t->toStdString();
    if (name.size() <= 200 && t->indexOf(QChar('\n')) < 0) {
      s.pad = name;
    } else {
      r.Ignore("Gamepad/controller");
    }
  }
  r.Int("Gamepad/dead_zone", 0, TGameSettings::kMaxDeadZone, s.dead_zone);
  if (const std::optional<QString> t = r.Text("Gamepad/turning")) {
    const QString v = t->trimmed().toLower();
    if (v == "turn") {
      s.turn_mode = TTurnMode::Turn;
    } else if (v == "point") {
      s.turn_mode = TTurnMode::Point;
    } else {
      r.Ignore("Gamepad/turning");
    }
  }
  return s;
}

bool WriteSettings(const std::string& file, const TGameSettings& s) {
  if (file.empty() || !PrepareFolder(file)) return false;
  QSettings q(QString::fromStdString(file), QSettings::IniFormat);
  for (const auto& [key, value] : Entries(s)) {
    q.setValue(QString::fromStdString(key), QString::fromStdString(value));
  }
  return Sync(q);
}

bool UpdateSettings(const std::string& file, const TGameSettings& before,
                    const TGameSettings& after) {
  if (file.empty() || !PrepareFolder(file)) return false;
  const auto old_entries = Entries(before);
  QSettings q(QString::fromStdString(file), QSettings::IniFormat);
  for (const auto& [key, value] : Entries(after)) {
    if (old_entries.at(key) == value) continue;
    q.setValue(QString::fromStdString(key), QString::fromStdString(value));
  }
  return Sync(q);
}
