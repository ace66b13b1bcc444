// Builds the starter collection that the game installs, flying every maze with the scripted
// pilot so that each best time is one a real run reached:
//
//   make_starter_collection OUTPUT.cav
//
// The result is committed as tools/starter.cav; a test checks that rebuilding it gives the same
// bytes, so rerun this tool after changing a maze or the pilot.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "qor_text.h"
#include "starter_mazes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.cav\n", argv[0]);
    return 2;
  }
  std::vector<TStarterRun> runs;
  int status = 0;
  std::string bytes;
  try {
    bytes = BuildStarterCollection(&runs);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    status = 1;
  }
  for (const TStarterRun& r : runs) {
    std::printf("%-18s %s in %5d ticks, %.2f s, %d crash(es) on the way\n", r.name.c_str(),
                r.finished ? "finished" : "NOT finished", r.ticks, r.seconds, r.crashes);
  }
  if (status != 0) return status;
  try {
    WriteFileBytes(argv[1], bytes);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::printf("%s: %zu mazes, %zu bytes\n", argv[1], runs.size(), bytes.size());
  return 0;
}
