#pragma once
// TEditHistory: the maze editor's undo and redo, on Qt's undo framework.
//
// The history is the document's step observer: at each step's beginning it keeps the clean
// records of the parts the step names, at its end the same parts again, and pushes the pair
// as one command (named as the step: "Move Polygon") onto its QUndoStack. Undo and redo put
// the records back through TEditDocument::PutBack, which is no step, so nothing is recorded
// then. Runs of one control's edits (the step's run key) are one command, and the release of a
// drag that began by putting a corner on an edge joins the insertion's command, named after
// the drag; two drags never merge.
//
// The stack's own undo and redo actions (createUndoAction, createRedoAction) read "Undo <step>"
// and "Redo <step>" and are disabled when there is nothing to do.
#include <QUndoStack>
#include <cstddef>
#include <memory>

#include "gx_editstep.h"

class TEditDocument;
class TStepRecords;

class TEditHistory : public TEditStepObserver {
 public:
  explicit TEditHistory(TEditDocument& doc);
  ~TEditHistory() override;
  TEditHistory(const TEditHistory&) = delete;
  TEditHistory& operator=(const TEditHistory&) = delete;

  QUndoStack& Stack() { return stack_; }
  bool CanUndo() const { return stack_.canUndo(); }
  bool CanRedo() const { return stack_.canRedo(); }
  void Undo() { stack_.undo(); }
  void Redo() { stack_.redo(); }
  // Forgets every step (the editor closed, or the collection was put back as it was opened).
  void Clear();
  // Commands held, and how many of them are done (the rest can be redone).
  int Count() const { return stack_.count(); }
  int Index() const { return stack_.index(); }
  // The bytes of the records the history holds.
  std::size_t RecordBytes() const;

  void StepBegin(TEditDocument& doc, const TEditStepInfo& step) override;
  void StepEnd(TEditDocument& doc, const TEditStepInfo& step) override;

 private:
  TEditDocument& doc_;
  QUndoStack stack_;
  std::unique_ptr<TStepRecords> open_;  // the step under way
};
