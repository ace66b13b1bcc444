#pragma once
// The one gate through which the editor changes the collection.
//
// Every change the editor makes to the collection (a maze, a polygon, a corner, a ball, a
// transform, the list of mazes) runs inside one TEditStep: a named step that says up front
// exactly what it touches. The step is opened before the model is changed and closed after;
// in between the model objects are changed in place. Closing it marks the document modified,
// refreshes what the model keeps derived from the corners (a polygon's extent) and announces
// the change. A step observer (the undo history) sees every step at both ends, with the
// model in its clean form (no selection highlights), and can keep the records of exactly
// what the step names: one polygon by index, not the whole maze.
#include <cstdint>
#include <string>
#include <vector>

class TEditDocument;

// What a step changes. Mazes are named by their index in the collection (`maze`), polygons
// and balls by their index in that maze (`index`), as they are when the step begins; for the
// ...Added kinds the index is the one the new entry takes.
enum class TTouch : std::uint8_t {
  MazeAdded,        // a maze inserted into the collection at `maze`
  MazeRemoved,      // maze `maze` removed from the collection (and freed)
  MazeFields,       // the maze's own fields: name, best time, start zone, tick unit, colours
  Polygon,          // polygon `index`: its corners, style, flags and transforms
  PolygonAdded,     // a polygon inserted at `index`
  PolygonRemoved,   // polygon `index` removed (and freed)
  PolygonsSwapped,  // polygons `index` and `index2` exchanged
  Ball,             // ball `index`: its position, size, colour
  BallAdded,        // a ball inserted at `index`
  BallRemoved,      // ball `index` removed (and freed)
  Balls,            // the whole ball list of the maze
};

struct TTouched {
  TTouch what = TTouch::MazeFields;
  int maze = -1;    // in the collection
  int index = -1;   // of a polygon or a ball in the maze
  int index2 = -1;  // the second polygon of PolygonsSwapped

  static TTouched Of(TTouch what, int maze, int index = -1, int index2 = -1) {
    return TTouched{what, maze, index, index2};
  }
  bool operator==(const TTouched&) const = default;
};

// "<kind> <maze>/<index>", for messages and test failures.
std::string Describe(const TTouched& t);

struct TEditStepInfo {
  std::string name;  // "Insert Point", "Delete Polygon", "Line Color" ...
  std::vector<TTouched> touches;
  // A run of edits of one control (typing in one field, clicks of one spin button) shares a
  // non-empty run key: a history may keep such a run as one step. Empty: the step stands alone.
  std::string run;
  // The step finishes the gesture the step just before it began (the release of a drag whose
  // press put a corner on an edge): a history keeps the two as one step, named after this one.
  bool continues = false;
};

// Sees every step: StepBegin before the model changes, StepEnd after, both with the model in
// its clean form (the selection's own colours in place of the highlights).
class TEditStepObserver {
 public:
  virtual ~TEditStepObserver() = default;
  virtual void StepBegin(TEditDocument& doc, const TEditStepInfo& step) = 0;
  virtual void StepEnd(TEditDocument& doc, const TEditStepInfo& step) = 0;
};

// One change to the collection, from construction to destruction. Steps do not nest: a
// command is one step (opening a second one while one is open raises std::logic_error).
class TEditStep {
 public:
  TEditStep(TEditDocument& doc, std::string name, std::vector<TTouched> touches);
  TEditStep(TEditDocument& doc, TEditStepInfo info);
  ~TEditStep();
  TEditStep(const TEditStep&) = delete;
  TEditStep& operator=(const TEditStep&) = delete;

 private:
  TEditDocument& doc_;
};
