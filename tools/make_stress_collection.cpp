// Writes a large maze collection for load tests and benchmarks:
//
//   make_stress_collection OUTPUT.cav [POLYGONS [BALLS]]
//
// The collection holds the stress maze (by default 2,000 ten-cornered polygons, every seventh
// one animated, and 200 balls) followed by a small copy with a tenth of each.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "stress_maze.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.cav [POLYGONS [BALLS]]\n", argv[0]);
    return 2;
  }
  TStressOptions big;
  if (argc > 2) big.polygons = std::atoi(argv[2]);
  if (argc > 3) big.balls = std::atoi(argv[3]);
  if (big.polygons < 0 || big.balls < 0 || big.polygons > 1000000 || big.balls > 1000000) {
    std::fprintf(stderr, "polygons and balls must lie in 0 .. 1000000\n");
    return 2;
  }
  TStressOptions small = big;
  small.polygons = big.polygons / 10;
  small.balls = big.balls / 10;
  try {
    TMazeList list;
    list.Add(MakeStressMaze(big));
    auto copy = MakeStressMaze(small);
    copy->mazename = "Stress (small)";
    list.Add(std::move(copy));
    TTextWriter w;
    list.SaveToF(w);
    w.SaveToFile(argv[1]);
    std::printf("%s: %d mazes, %d polygons and %d balls in the first, %zu bytes\n", argv[1],
                list.Count(), big.polygons, big.balls, w.Bytes().size());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
