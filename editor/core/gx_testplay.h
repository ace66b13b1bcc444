#pragma once
// Test play: the editor hands a copy of the maze it shows to whoever can play it. The game's
// main window provides a window that plays it as the game does; headless tests hand a fake.
// The editor so neither links the game's window nor lets a run touch the collection: the copy
// is read from the maze's clean record, so its balls, animations and best time are its own.
#include <memory>

class TMaze;

class TTestPlayService {
 public:
  virtual ~TTestPlayService() = default;
  // Plays maze from its start zone until the player ends the test, and returns then. Nobody
  // else refers to maze; it has no rocket, key service or tick unit yet.
  virtual void TestPlay(std::unique_ptr<TMaze> maze) = 0;
};
