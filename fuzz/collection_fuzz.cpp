// The maze collection file as the game reads it at start-up: the first line skipped, then
// TMazeList::LoadFromF. Whatever reads without error must write a collection that reads back
// and writes the same bytes again, and its first mazes must stand a few ticks of play with
// the rocket attached.
#include <cstdint>
#include <string>

#include "gx_maze.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_rocket.h"

namespace {

bool Load(const std::string& bytes, TMazeList& list) {
  TTextReader f(bytes);
  f.ReadLn();
  try {
    list.LoadFromF(f);
  } catch (const EQorError&) {
    return false;
  }
  return true;
}

void Play(TMaze& maze, TRocket& rocket) {
  maze.SetRocket(&rocket);
  maze.reset();
  maze.SetGameState(gs_practice);
  for (int i = 0; i < 3; ++i) maze.TickTime(1);
  maze.RocketShoot();
  maze.TickTime(1);
  maze.reset();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  TMazeList first;
  if (!Load(input, first)) return 0;
  TTextWriter once;
  first.SaveToF(once);
  TMazeList second;
  if (!Load(once.Bytes(), second)) __builtin_trap();  // refused what it wrote
  TTextWriter twice;
  second.SaveToF(twice);
  if (once.Bytes() != twice.Bytes()) __builtin_trap();

  TRocket rocket;
  for (int i = 0; i < first.Count() && i < 2; ++i) Play(*first.GetMaze(i), rocket);
  // The rocket dies after the mazes: detach it from the last one first.
  for (int i = 0; i < first.Count(); ++i) {
    if (first.GetMaze(i)->Rocket() == &rocket) first.GetMaze(i)->FRocket = nullptr;
  }
  rocket.maze = nullptr;
  return 0;
}
