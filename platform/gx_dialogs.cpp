#include "gx_dialogs.h"

#include <vector>

namespace {

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : s) {
    if (c == sep) {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  parts.push_back(cur);
  return parts;
}

std::vector<std::string> Entries(const std::string& filter) {
  std::vector<std::string> entries;
  if (filter.empty()) return entries;
  const std::vector<std::string> parts = Split(filter, '|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    const std::string& desc = parts[i];
    std::string patterns;
    for (const std::string& p : Split(parts[i + 1], ';')) {
      if (p.empty()) continue;
      if (!patterns.empty()) patterns += ' ';
      patterns += p;
    }
    // Qt reads the patterns from the last brackets, split at blanks. "Maze file (*.mze)"
    // already shows its pattern; "JPEG files (*.jpg, *.jpeg)" shows them with commas, which
    // Qt would take for part of a pattern: that bracket is written anew rather than repeated.
    const std::string bracket = "(" + patterns + ")";
    std::string shown = desc;
    const std::size_t open = desc.rfind('(');
    if (!desc.empty() && desc.back() == ')' && open != std::string::npos) {
      std::string listed;
      for (char c : desc.substr(open + 1, desc.size() - open - 2)) {
        if (c == ',' || c == ';') c = ' ';
        if (c == ' ' && (listed.empty() || listed.back() == ' ')) continue;
        listed += c;
      }
      if (!listed.empty() && listed.back() == ' ') listed.pop_back();
      if (listed == patterns) {
        shown = desc.substr(0, open);
        while (!shown.empty() && shown.back() == ' ') shown.pop_back();
      }
    }
    entries.push_back(shown.empty() ? bracket : shown + " " + bracket);
  }
  return entries;
}

}  // namespace

std::string DesktopFilter(const std::string& filter) {
  std::string out;
  for (const std::string& e : Entries(filter)) {
    if (!out.empty()) out += ";;";
    out += e;
  }
  return out;
}

std::string DesktopFilterEntry(const std::string& filter, int index) {
  const std::vector<std::string> entries = Entries(filter);
  if (entries.empty()) return {};
  if (index < 1 || index > static_cast<int>(entries.size())) index = 1;
  return entries[static_cast<std::size_t>(index - 1)];
}

std::string PlainExtension(const std::string& defaultExt) {
  std::string ext = defaultExt;
  if (ext.rfind("*.", 0) == 0) {
    ext.erase(0, 2);
  } else if (ext.rfind('.', 0) == 0) {
    ext.erase(0, 1);
  }
  return ext;
}
