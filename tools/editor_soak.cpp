// A long run of the editor's monkey (see editor/core/testing/edit_monkey.h):
//
//   editor_soak [ACTIONS [SEED]] [--audit]
//
// runs ACTIONS (default 100,000) seeded random editor actions on the rich collection, checks
// the round trip and 200 ticks of play on every maze after every 1,000 actions, and reports
// the actions per second. --audit also checks after every action that the collection changed
// only where the action's steps said (much slower). Exit status 1 on the first failure.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "edit_monkey.h"
#include "gx_mazelist.h"

int main(int argc, char** argv) {
  long actions = 100000;
  unsigned long long seed = 1;
  bool audit = false;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--audit") == 0) {
      audit = true;
    } else if (positional == 0) {
      actions = std::atol(argv[i]);
      ++positional;
    } else {
      seed = std::strtoull(argv[i], nullptr, 10);
      ++positional;
    }
  }
  if (actions <= 0) {
    std::fprintf(stderr, "usage: %s [ACTIONS [SEED]] [--audit]\n", argv[0]);
    return 2;
  }
  constexpr int kStretch = 1000;
  constexpr int kTicks = 200;
  auto list = MakeRichCollection();
  const auto start = std::chrono::steady_clock::now();
  try {
    TEditMonkey monkey(*list, seed, audit);
    for (long i = 1; i <= actions; ++i) {
      monkey.Act();
      if (i % kStretch == 0 || i == actions) monkey.CheckStretch(kTicks);
    }
    monkey.Finish();
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int steps = 0;
    for (const auto& [name, n] : monkey.StepCounts()) steps += n;
    std::printf(
        "%ld actions (seed %llu%s) in %.1f s: %.0f actions per second, %d steps, "
        "%d editor sessions; the collection ends with %d mazes\n",
        actions, seed, audit ? ", audited" : "", secs, actions / secs, steps, monkey.Sessions(),
        list->Count());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
