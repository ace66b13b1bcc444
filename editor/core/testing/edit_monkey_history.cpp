// The monkey with an undo history plugged in: the audit and the history hear every step, and
// each stretch undoes the whole history and redoes it (see edit_monkey.h).
#include <memory>
#include <string>
#include <utility>

#include "edit_monkey.h"

namespace {

// Two observers hearing every step, in this order.
class TObservers : public TEditStepObserver {
 public:
  TObservers(TEditStepObserver& a, TEditStepObserver& b) : a_(a), b_(b) {}
  void StepBegin(TEditDocument& doc, const TEditStepInfo& step) override {
    a_.StepBegin(doc, step);
    b_.StepBegin(doc, step);
  }
  void StepEnd(TEditDocument& doc, const TEditStepInfo& step) override {
    a_.StepEnd(doc, step);
    b_.StepEnd(doc, step);
  }

 private:
  TEditStepObserver& a_;
  TEditStepObserver& b_;
};

}  // namespace

void TEditMonkey::PlugHistory() {
  doc_->SetStepObserver(&AuditObserver());
  observers_.reset();
  history_.reset();
  if (!make_history_) return;
  history_ = make_history_(*doc_);
  observers_ = std::make_unique<TObservers>(AuditObserver(), history_->Observer());
  doc_->SetStepObserver(observers_.get());
}

void TEditMonkey::SetHistory(TMonkeyHistoryMaker make) {
  make_history_ = std::move(make);
  PlugHistory();
  history_base_ = doc_->CleanCollection();
}

bool TEditMonkey::CheckHistory() {
  if (!history_ || doc_->Closed()) return false;
  const std::string now = doc_->CleanCollection();
  const std::string held = " (history: " + history_->Describe() + ")";
  int undone_steps = 0;
  for (; history_->CanUndo(); ++undone_steps) history_->Undo();
  const std::string undone = doc_->CleanCollection();
  if (undone != history_base_) {
    Fail("undoing the whole history does not give the opening bytes: " +
         FirstDifference(undone, history_base_) + held);
  }
  if (!doc_->SelectionValid()) Fail("after undoing everything the selection points at nothing");
  for (int i = 0; i < undone_steps && history_->CanRedo(); ++i) history_->Redo();
  const std::string redone = doc_->CleanCollection();
  if (redone != now) {
    Fail("redoing the whole history does not give the bytes before the undos: " +
         FirstDifference(redone, now) + held);
  }
  if (!doc_->SelectionValid()) Fail("after redoing everything the selection points at nothing");
  ++history_checks_;
  return true;
}
