// One TickTime on the stress maze (2,000 polygons, every seventh animated, 200 balls) with the
// rocket flying and 20 bullets in flight. Budget: well under 1 ms, 2 % of the 50 ms tick.
//
//   gravonaut_bench --benchmark_filter=TickTime --benchmark_repetitions=10
//     --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <numbers>

#include "../../tools/stress_maze.h"
#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_rocket.h"
#include "scripted_keys.h"
#include "seeded_random.h"

namespace {

// Puts the maze back into the measured situation: a run in progress, the rocket drifting
// sideways in the clear square round the start, 20 fresh bullets fanned out from its nose.
void Arm(TMaze& maze, TRocket& rocket) {
  maze.reset();
  maze.SetGameState(gs_practice);
  rocket.FForce->SetPy(rocket.FForce->py() + 1.5);
  rocket.FForce->SetVx(0.004);
  for (int i = 0; i < 20; ++i) {
    rocket.SetAngle(std::numbers::pi / 2 + (i - 10) * 0.15);
    rocket.FBullitTicks = 0;
    maze.RocketShoot();
  }
  rocket.SetAngle(std::numbers::pi / 2);
}

void BM_TickTime(benchmark::State& state) {
  TScopedGameRandom random(11);
  TScriptedKeys keys;
  auto maze = MakeStressMaze();
  TRocket rocket;
  maze->SetKeyService(&keys);
  maze->SetRocket(&rocket);
  Arm(*maze, rocket);
  constexpr int kTicksPerArm = 8;  // bullets still flying, rocket still clear of the walls
  int ticks = 0;
  for (auto _ : state) {
    if (ticks == kTicksPerArm) {
      state.PauseTiming();
      Arm(*maze, rocket);
      ticks = 0;
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(maze->TickTime(1));
    ++ticks;
  }
  state.counters["bullets"] = maze->bullitlist->Count();
  state.counters["exploded"] = rocket.Exploded();
  maze.reset();
}
BENCHMARK(BM_TickTime)->Unit(benchmark::kMicrosecond);

}  // namespace
