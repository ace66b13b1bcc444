// Clean records of the collection and the closing rule: what the editor leaves behind when it
// closes with OK, with Cancel, or without its rule.
#include <algorithm>

#include "gx_ball.h"
#include "gx_dialogs.h"
#include "gx_editdoc.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "qor_text.h"

namespace {

constexpr const char* kNoName = "<no name>";

std::string RecordOf(const TMaze& m) {
  TTextWriter w;
  m.SaveToF(w);
  return w.Bytes();
}

// A maze record as it would be once the maze is reset: animation state (polygon matrices,
// counters, a period of 0 that reset makes 200) is what a reset puts back, not an edit.
std::string ResetForm(const std::string& record) {
  TTextReader r(record);
  std::unique_ptr<TMaze> m = TMazeList::ReadMaze(r, 0, "TMazeList");
  m->reset();
  return RecordOf(*m);
}

}  // namespace

// --- clean records ------------------------------------------------------------------------------

TEditDocument::TCleanRecords::TCleanRecords(TEditDocument& doc) : doc_(doc) {
  if (doc_.FPolygon) {
    pol_ = doc_.FPolygon->Color();
    doc_.FPolygon->SetColor(doc_.FPolColor);
  }
  if (doc_.FSide) {
    side_ = doc_.FSide->color;
    doc_.FSide->color = doc_.FSideColor;
  }
  if (doc_.FBall) {
    ball_ = doc_.FBall->Color();
    doc_.FBall->SetColor(doc_.FBallColor);
  }
  views_.reserve(doc_.shown_.size());
  for (TMaze* m : doc_.shown_) {
    views_.emplace_back(m, m->matrix);
    m->matrix.reset();
  }
}

TEditDocument::TCleanRecords::~TCleanRecords() {
  for (auto& [m, view] : views_) m->matrix = view;
  if (doc_.FBall) doc_.FBall->SetColor(ball_);
  if (doc_.FSide) doc_.FSide->color = side_;
  if (doc_.FPolygon) doc_.FPolygon->SetColor(pol_);
}

std::string TEditDocument::CleanRecord(TMaze& m) {
  TCleanRecords clean(*this);
  return RecordOf(m);
}

std::string TEditDocument::CleanCollection() {
  if (!FMazeList) return {};
  TCleanRecords clean(*this);
  TTextWriter w;
  FMazeList->SaveToF(w);
  return w.Bytes();
}

// --- the opening state
// ----------------------------------------------------------------------------

TMaze* TEditDocument::OpeningMaze(int i) const {
  if (i < 0 || i >= static_cast<int>(open_mazes_.size())) return nullptr;
  return open_mazes_[static_cast<std::size_t>(i)];
}

bool TEditDocument::OpeningMazeKept(int i) const {
  if (i < 0 || i >= static_cast<int>(open_kept_.size())) return false;
  return open_kept_[static_cast<std::size_t>(i)];
}

bool TEditDocument::DiffersFromOpening() {
  if (!FMazeList || step_count_ == 0) return false;
  if (FMazeList->Count() != static_cast<int>(open_records_.size())) return true;
  TCleanRecords clean(*this);
  for (int i = 0; i < FMazeList->Count(); ++i) {
    const std::string now = RecordOf(*FMazeList->GetMaze(i));
    const std::string& then = open_records_[static_cast<std::size_t>(i)];
    if (now != then && ResetForm(now) != ResetForm(then)) return true;
  }
  return false;
}

void TEditDocument::RestoreOpening() {
  // Read everything first: a collection is replaced whole or not at all.
  std::vector<std::unique_ptr<TMaze>> mazes;
  for (std::size_t i = 0; i < open_records_.size(); ++i) {
    TTextReader r(open_records_[i]);
    mazes.push_back(TMazeList::ReadMaze(r, static_cast<int>(i), "TMazeList"));
  }
  const int current = MazeIndex(FMaze);
  // The objects below are freed: the selection lets go without putting colours back.
  FPolygon = nullptr;
  FSide = nullptr;
  FBall = nullptr;
  FBallSel = false;
  FTraf = nullptr;
  FDoTraf = false;
  FTrafTabs.clear();
  FTrafTabIndex = -1;
  FMaze = nullptr;
  shown_.clear();
  FComboItems.clear();
  FMazeList->ClearAll();
  for (std::size_t i = 0; i < mazes.size(); ++i) {
    open_mazes_[i] = mazes[i].get();
    open_kept_[i] = false;
    FMazeList->Add(std::move(mazes[i]));
  }
  const int n = FMazeList->Count();
  FMaze = FMazeList->GetMaze(std::clamp(current, 0, std::max(n - 1, 0)));
  restored_ = true;
  FillMazeCombo();
  Notify(ea_Selection | ea_TrafTabs | ea_MazeShown);
}

// --- closing ------------------------------------------------------------------------------------

void TEditDocument::NormaliseCornerColors() {
  if (!FMaze) return;
  const auto wanted = [this](const TPolygon& p, const TSide& s) {
    return s.sidetype == st_landing ? FControls.cLand : p.Color();
  };
  std::vector<TTouched> touches;
  const int mi = MazeIndex(FMaze);
  for (int k = 0; k < FMaze->Count(); ++k) {
    const TPolygon* p = FMaze->GetPolygon(k);
    for (int i = 0; i < p->Count(); ++i) {
      if (p->GetSide(i)->color != wanted(*p, *p->GetSide(i))) {
        touches.push_back(TTouched::Of(TTouch::Polygon, mi, k));
        break;
      }
    }
  }
  if (touches.empty()) return;
  TEditStep step(*this, "Corner Colors", touches);
  for (const TTouched& t : touches) {
    TPolygon* p = FMaze->GetPolygon(t.index);
    for (int i = 0; i < p->Count(); ++i) p->GetSide(i)->color = wanted(*p, *p->GetSide(i));
  }
}

bool TEditDocument::CloseQuery(bool ok) {
  if (closed_) return true;
  TBatch batch(*this);
  if (FDrag) CancelDrag();
  if (ok) {
    if (FMaze && FMaze->mazename == kNoName) {
      dialogs_.ShowError("Please give the maze a name before closing the edit window");
      return false;
    }
    ReleaseSelection();
    NormaliseCornerColors();
  } else if (DiffersFromOpening()) {
    if (!dialogs_.Confirm("Discard the changes made in the editor?")) return false;
    RestoreOpening();
  } else {
    ReleaseSelection();
  }
  // The view matrix was the editor's; the mazes it reset have the identity as their own.
  for (TMaze* m : shown_) m->matrix.reset();
  shown_.clear();
  closed_ = true;
  return true;
}

void TEditDocument::Abandon() {
  if (closed_) return;
  TBatch batch(*this);
  if (FDrag) CancelDrag();
  if (DiffersFromOpening()) {
    RestoreOpening();
  } else {
    ReleaseSelection();
  }
  for (TMaze* m : shown_) m->matrix.reset();
  shown_.clear();
  closed_ = true;
}
