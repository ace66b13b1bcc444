#pragma once
// An event sink for headless runs: keeps every event with the number of the tick it came in,
// read from `clock` when the test points it at its tick counter, else from `tick`.
#include <algorithm>
#include <string>
#include <vector>

#include "gx_gameevents.h"

class TRecordingEvents : public TGameEventSink {
 public:
  struct TEntry {
    int tick;
    TGameEvent event;
  };

  void GameEvent(TGameEvent e) override { entries.push_back({clock ? *clock : tick, e}); }

  int Count(TGameEvent e) const {
    return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                          [e](const TEntry& x) { return x.event == e; }));
  }
  // The tick of the first e, or -1.
  int TickOf(TGameEvent e) const {
    for (const TEntry& x : entries) {
      if (x.event == e) return x.tick;
    }
    return -1;
  }
  // "tick:name" for each entry, for failure messages.
  std::string Text() const {
    std::string s;
    for (const TEntry& x : entries) {
      s += std::to_string(x.tick) + ":" + GameEventName(x.event) + " ";
    }
    return s;
  }
  void Clear() { entries.clear(); }

  // The ticks of every e, in order.
  std::vector<int> TicksOf(TGameEvent e) const {
    std::vector<int> out;
    for (const TEntry& x : entries) {
      if (x.event == e) out.push_back(x.tick);
    }
    return out;
  }

  const int* clock = nullptr;
  int tick = 0;
  std::vector<TEntry> entries;
};
