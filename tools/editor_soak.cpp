// A long run of the editor's monkey (see editor/core/testing/edit_monkey.h):
//
//   editor_soak [ACTIONS [SEED]] [--audit] [--undo]
//
// runs ACTIONS (default 100,000) seeded random editor actions on the rich collection (zooms
// and pans of the view among them, each checked to make no step and leave the history), checks
// the round trip and 200 ticks of play on every maze after every 1,000 actions (20 ticks after
// every 50 with --undo), and reports the actions per second. --audit also checks after every
// action that the collection changed only where the action's steps said (much slower). --undo
// plugs in the editor's undo history: random undos and redos join the stream, and each stretch
// undoes the whole history (the collection must be as the session opened it) and redoes it.
// Exit status 1 on the first failure.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "edit_monkey.h"
#include "gx_mazelist.h"
#ifdef GRAVONAUT_SOAK_UNDO
#include "monkey_history.h"
#endif

int main(int argc, char** argv) {
  long actions = 100000;
  unsigned long long seed = 1;
  bool audit = false;
  bool undo = false;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--audit") == 0) {
      audit = true;
    } else if (std::strcmp(argv[i], "--undo") == 0) {
      undo = true;
    } else if (positional == 0) {
      actions = std::atol(argv[i]);
      ++positional;
    } else {
      seed = std::strtoull(argv[i], nullptr, 10);
      ++positional;
    }
  }
  if (actions <= 0) {
    std::fprintf(stderr, "usage: %s [ACTIONS [SEED]] [--audit] [--undo]\n", argv[0]);
    return 2;
  }
#ifndef GRAVONAUT_SOAK_UNDO
  if (undo) {
    std::fprintf(stderr, "%s: --undo needs the build with Qt (the history is Qt's)\n", argv[0]);
    return 2;
  }
#endif
  // An editor session lasts some 70 actions before the monkey closes it, so with the history
  // the stretches are short enough to catch most sessions open, and play fewer ticks.
  const int stretch = undo ? 50 : 1000;
  const int ticks = undo ? 20 : 200;
  auto list = MakeRichCollection();
  const auto start = std::chrono::steady_clock::now();
  try {
    TEditMonkey monkey(*list, seed, audit);
#ifdef GRAVONAUT_SOAK_UNDO
    if (undo) {
      monkey.SetHistory([](TEditDocument& d) { return std::make_unique<TQtMonkeyHistory>(d); });
    }
#endif
    for (long i = 1; i <= actions; ++i) {
      monkey.Act();
      if (i % stretch == 0 || i == actions) monkey.CheckStretch(ticks);
    }
    monkey.Finish();
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int steps = 0;
    for (const auto& [name, n] : monkey.StepCounts()) steps += n;
    std::printf(
        "%ld actions (seed %llu%s%s) in %.1f s: %.0f actions per second, %d steps, "
        "%d editor sessions, %d whole-history checks; the collection ends with %d mazes\n",
        actions, seed, audit ? ", audited" : "", undo ? ", with undo" : "", secs, actions / secs,
        steps, monkey.Sessions(), monkey.HistoryChecks(), list->Count());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
