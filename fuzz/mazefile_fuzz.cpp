// A file handed to the editor's import: ReadMazeFile reads a single maze (".mze") or a whole
// collection (".cav"), all or nothing. Whatever reads must give at least one maze; each maze's
// record must read back as a maze file and write the same bytes again; and the first mazes
// must stand a few ticks of play with the rocket attached.
#include <cstdint>
#include <string>

#include "gx_maze.h"
#include "gx_mazefile.h"
#include "gx_mazegame.h"
#include "gx_rocket.h"

namespace {

std::string RecordOf(const TMaze& m) {
  TTextWriter w;
  m.SaveToF(w);
  return w.Bytes();
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
  std::vector<std::unique_ptr<TMaze>> mazes;
  try {
    mazes = ReadMazeFile(input);
  } catch (const EQorError&) {
    return 0;
  }
  if (mazes.empty()) __builtin_trap();  // a file that reads holds a maze
  for (const auto& m : mazes) {
    const std::string once = RecordOf(*m);
    std::vector<std::unique_ptr<TMaze>> again;
    try {
      again = ReadMazeFile(once);
    } catch (const EQorError&) {
      __builtin_trap();  // refused what it wrote
    }
    if (again.size() != 1 || RecordOf(*again.front()) != once) __builtin_trap();
  }

  TRocket rocket;
  for (std::size_t i = 0; i < mazes.size() && i < 2; ++i) Play(*mazes[i], rocket);
  // The rocket dies before the mazes: detach it first.
  for (const auto& m : mazes) {
    if (m->Rocket() == &rocket) m->FRocket = nullptr;
  }
  rocket.maze = nullptr;
  return 0;
}
