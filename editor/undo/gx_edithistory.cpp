#include "gx_edithistory.h"

#include <QUndoCommand>
#include <string>
#include <utility>

#include "gx_editdoc.h"
#include "gx_editrecords.h"

namespace {

// Every command takes part in merging; mergeWith decides (a run, or a gesture finished).
constexpr int kStepCommandId = 0x6758;

class TStepCommand : public QUndoCommand {
 public:
  TStepCommand(TEditDocument& doc, std::unique_ptr<TStepRecords> records, std::string run,
               bool continues)
      : doc_(doc), records_(std::move(records)), run_(std::move(run)), continues_(continues) {
    setText(QString::fromStdString(records_->Name()));
  }

  // The step has just been done by the document when the stack pushes it: the first redo is
  // only the push.
  void redo() override {
    if (pushed_) {
      pushed_ = false;
      return;
    }
    doc_.PutBack(*records_, false);
  }
  void undo() override { doc_.PutBack(*records_, true); }

  int id() const override { return kStepCommandId; }

  bool mergeWith(const QUndoCommand* other) override {
    const auto* later = dynamic_cast<const TStepCommand*>(other);
    if (!later) return false;
    // The drag's release finishes the gesture this command began: one step, named after it.
    const bool finishes = later->continues_ && open_gesture_;
    const bool same_run = !run_.empty() && later->run_ == run_;
    if (!finishes && !same_run) return false;
    if (!records_->Absorb(*later->records_)) return false;
    if (finishes) {
      records_->SetName(later->records_->Name());
      setText(later->text());
      run_ = later->run_;
    }
    open_gesture_ = false;
    // A run that came back to where it began changes nothing any more.
    setObsolete(records_->Unchanged());
    return true;
  }

  std::size_t Bytes() const { return records_->Bytes() + run_.capacity(); }

 private:
  TEditDocument& doc_;
  std::unique_ptr<TStepRecords> records_;
  std::string run_;
  bool continues_ = false;
  bool open_gesture_ = true;  // a later step may still finish a gesture begun by this one
  bool pushed_ = true;
};

}  // namespace

TEditHistory::TEditHistory(TEditDocument& doc) : doc_(doc) {}

TEditHistory::~TEditHistory() = default;

void TEditHistory::Clear() {
  open_.reset();
  stack_.clear();
}

std::size_t TEditHistory::RecordBytes() const {
  std::size_t n = 0;
  for (int i = 0; i < stack_.count(); ++i) {
    if (const auto* c = dynamic_cast<const TStepCommand*>(stack_.command(i))) n += c->Bytes();
  }
  return n;
}

void TEditHistory::StepBegin(TEditDocument& doc, const TEditStepInfo& step) {
  open_ = std::make_unique<TStepRecords>();
  open_->Begin(doc, step);
}

void TEditHistory::StepEnd(TEditDocument& doc, const TEditStepInfo& step) {
  if (!open_) return;
  open_->End(doc, step);
  std::unique_ptr<TStepRecords> records = std::move(open_);
  // A step in an empty history cannot finish a gesture it holds no beginning of.
  const bool continues = step.continues && stack_.canUndo() && !stack_.canRedo();
  stack_.push(new TStepCommand(doc_, std::move(records), step.run, continues));
}
