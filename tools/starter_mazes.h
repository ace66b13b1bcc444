#pragma once
// The starter collection that the game installs: 24 mazes of rising difficulty in three parts
// (learning, caves, machines; see starter_shapes.h), built through the model, and a scripted
// pilot that plays each of them headless until every ball is gone, so that the best time stored
// with a maze is one that a real run reached.
//
// The mazes are played as the player gets them: the collection is written, read back, and the
// maze read back is flown. Everything is deterministic (the game's generator is seeded), so
// building the collection twice gives the same bytes.
#include <memory>
#include <string>
#include <vector>

class TMaze;
class TMazeList;

struct TStarterRun {
  std::string name;
  bool finished = false;
  int ticks = 0;       // ticks played until the run finished (or gave up)
  int crashes = 0;     // runs restarted after a crash on the way
  double seconds = 0;  // the run's time, as the maze records it
};

// The starter mazes without best times.
std::unique_ptr<TMazeList> MakeStarterMazes();

// Flies maze number index of the starter collection (a maze as read from the file) from its
// start with the scripted pilot until the run finishes or max_ticks have passed.
TStarterRun FlyStarterMaze(TMaze& maze, int index, int max_ticks = 12000);

// The bytes of the starter collection: the mazes with the best times that the pilot reached.
// Throws when the pilot does not finish a maze.
std::string BuildStarterCollection(std::vector<TStarterRun>* runs = nullptr);
