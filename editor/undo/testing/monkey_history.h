#pragma once
// The editor's own undo history, for the monkey to drive (the monkey test and the soak tool).
#include <string>

#include "edit_monkey.h"
#include "gx_edithistory.h"

class TQtMonkeyHistory : public TMonkeyHistory {
 public:
  explicit TQtMonkeyHistory(TEditDocument& doc) : history_(doc) {}
  TEditStepObserver& Observer() override { return history_; }
  bool CanUndo() const override { return history_.CanUndo(); }
  bool CanRedo() const override { return history_.CanRedo(); }
  void Undo() override { history_.Undo(); }
  void Redo() override { history_.Redo(); }
  std::string Describe() override {
    std::string s;
    for (int i = 0; i < history_.Count(); ++i) s += history_.Stack().text(i).toStdString() + "; ";
    return s + " at " + std::to_string(history_.Index());
  }

 private:
  TEditHistory history_;
};
