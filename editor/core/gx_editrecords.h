#pragma once
// The records of exactly what one step of the editor touches, before and after it, so that the
// step can be put back (undo) and done again (redo) to the very bytes.
//
// A TStepRecords is taken in two halves: Begin at the step's StepBegin, End at its StepEnd,
// both with the model in its clean form (the step observer sees it so). Each touch keeps the
// clean text record of its part: one polygon or one ball (the record its draw list writes for
// it), the whole ball list, the maze's own fields (as values), a whole maze for MazeAdded and
// MazeRemoved; a swap keeps nothing, since it is its own inverse. A part that does not exist on
// one side (the "before" of an added polygon, the "after" of a removed one) has no record there.
// TEditDocument::PutBack applies them.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "gx_editstep.h"
#include "qor_matrix.h"
#include "qor_types.h"

class TEditDocument;
class TMaze;

// The fields of a maze that are neither polygons nor balls.
struct TMazeFieldValues {
  std::string name;
  double bestdur = 0;
  TDRect start;
  int tickunit = 0;
  TColor incolor = 0, outcolor = 0, linecolor = 0, landcolor = 0;

  static TMazeFieldValues Of(const TMaze& m);
  void ApplyTo(TMaze& m) const;
  bool Same(const TMazeFieldValues& o) const;
};

// One touched part on both sides of its step.
struct TPartRecord {
  TTouched touch;
  std::optional<std::string> before, after;  // the part's text record, when it exists
  std::optional<TMazeFieldValues> fields_before, fields_after;  // MazeFields only
};

// Where the selection was (indexes in the maze shown), so that putting a step back can select
// again what the player was working on.
struct TSelectionMark {
  int maze = -1;
  int polygon = -1;
  int corner = -1;
  int ball = -1;
  bool ball_sel = false;  // the ball, not the polygon, was the selection
};

class TStepRecords {
 public:
  TStepRecords() = default;
  // The "before" half, at the step's StepBegin.
  void Begin(TEditDocument& doc, const TEditStepInfo& step);
  // The "after" half, at the step's StepEnd.
  void End(TEditDocument& doc, const TEditStepInfo& step);
  // A later step on the very same parts joins this one: its "after" half becomes this one's,
  // so that undoing the two is one undo. False (and nothing changes) when it touches others.
  bool Absorb(const TStepRecords& later);

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  const std::vector<TPartRecord>& Parts() const { return parts_; }
  const TSelectionMark& MarkBefore() const { return before_; }
  const TSelectionMark& MarkAfter() const { return after_; }
  // The bytes the records hold (for the memory budget of a long history).
  std::size_t Bytes() const;
  // Nothing would change on either direction (every part the same before and after).
  bool Unchanged() const;

 private:
  std::string name_;
  std::vector<TPartRecord> parts_;
  TSelectionMark before_, after_;
};
