// The editing document: selection and highlighting, creation tools, view matrices, the
// picture, the transform tabs, the announcements and the gate.
#include "gx_editdoc.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "colors.h"
#include "gx_ball.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_traflist.h"
#include "gx_trans.h"

namespace {

// The extent a polygon has after it was read from a file: the box round its corners. What is
// written must read back to the same bytes, so every step keeps it so.
void RefreshExtent(TPolygon& p) {
  const int n = p.Count();
  for (int i = 0; i < n; ++i) {
    const TSide* s = p.GetSide(i);
    const double x = s->x(), y = s->y();
    if (i == 0) {
      p.extent = TDRect{x, x, y, y};
      continue;
    }
    if (x < p.extent.x1) p.extent.x1 = x;
    if (x > p.extent.x2) p.extent.x2 = x;
    if (y < p.extent.y1) p.extent.y1 = y;
    if (y > p.extent.y2) p.extent.y2 = y;
  }
}

const char* TouchName(TTouch t) {
  switch (t) {
    case TTouch::MazeAdded:
      return "MazeAdded";
    case TTouch::MazeRemoved:
      return "MazeRemoved";
    case TTouch::MazeFields:
      return "MazeFields";
    case TTouch::Polygon:
      return "Polygon";
    case TTouch::PolygonAdded:
      return "PolygonAdded";
    case TTouch::PolygonRemoved:
      return "PolygonRemoved";
    case TTouch::PolygonsSwapped:
      return "PolygonsSwapped";
    case TTouch::Ball:
      return "Ball";
    case TTouch::BallAdded:
      return "BallAdded";
    case TTouch::BallRemoved:
      return "BallRemoved";
    case TTouch::Balls:
      return "Balls";
  }
  return "?";
}

// The colour the Landing box shows for m: that of its first landing corner, else its
// landcolor. Files of earlier versions gave the corners another colour than landcolor, and Ok
// gives every landing corner the box's colour: so the box must start from the corners.
TColor LandingBoxColor(const TMaze& m) {
  for (int k = 0; k < m.Count(); ++k) {
    const TPolygon* p = m.GetPolygon(k);
    for (int i = 0; i < p->Count(); ++i) {
      if (p->GetSide(i)->sidetype == st_landing) return p->GetSide(i)->color;
    }
  }
  return m.landcolor;
}

}  // namespace

std::string Describe(const TTouched& t) {
  std::string s = std::string(TouchName(t.what)) + " " + std::to_string(t.maze);
  if (t.index >= 0) s += "/" + std::to_string(t.index);
  if (t.index2 >= 0) s += "," + std::to_string(t.index2);
  return s;
}

TColor HighlightColor(TColor c, double f) {
  if ((static_cast<std::uint32_t>(c) & 0xFF000000u) == 0x80000000u) c = ColorToRGB(c);
  const auto u = static_cast<std::uint32_t>(c);
  const int r = u & 0xFF, g = (u >> 8) & 0xFF, b = (u >> 16) & 0xFF;
  if (r * r + g * g + b * b > 49152) f = -f;
  const auto channel = [f](int v) {
    const double x = std::clamp(v + f * 255, 0.0, 255.0);
    return static_cast<int>(std::nearbyint(x));
  };
  return channel(b) * 65536 + channel(g) * 256 + channel(r);
}

// --- the gate ---------------------------------------------------------------------------------

TEditStep::TEditStep(TEditDocument& doc, std::string name, std::vector<TTouched> touches)
    : doc_(doc) {
  doc_.BeginStep(TEditStepInfo{std::move(name), std::move(touches), {}, false});
}

TEditStep::TEditStep(TEditDocument& doc, TEditStepInfo info) : doc_(doc) {
  doc_.BeginStep(std::move(info));
}

TEditStep::~TEditStep() {
  doc_.EndStep();
}

void TEditDocument::BeginStep(TEditStepInfo info) {
  if (step_open_) {
    throw std::logic_error("Edit step '" + info.name + "' begun inside step '" + step_.name + "'");
  }
  if (FDrag) CancelDrag();  // a command while the mouse drags: the drag is dropped
  step_ = std::move(info);
  // The release of a drag that began by putting a corner on an edge finishes that gesture.
  if (continues_gesture_) step_.continues = true;
  continues_gesture_ = false;
  step_open_ = true;
  if (observer_) {
    TCleanRecords clean(*this);
    observer_->StepBegin(*this, step_);
  }
}

void TEditDocument::EndStep() {
  for (const TTouched& t : step_.touches) {
    if (t.what != TTouch::Polygon && t.what != TTouch::PolygonAdded) continue;
    const TMaze* m = FMazeList ? FMazeList->GetMaze(t.maze) : nullptr;
    TPolygon* p = m ? m->GetPolygon(t.index) : nullptr;
    if (!p) continue;
    RefreshExtent(*p);
    // The time paths are polygons with an extent of their own in the record.
    for (int k = 0; k < p->TrafList()->Count(); ++k) {
      RefreshExtent(*p->TrafList()->GetTraf(k)->flinear);
    }
  }
  step_open_ = false;
  ++step_count_;
  if (observer_) {
    TCleanRecords clean(*this);
    if (std::uncaught_exceptions() > 0) {
      // The command failed half-way; its own error is the one to report.
      try {
        observer_->StepEnd(*this, step_);
      } catch (...) {
      }
    } else {
      observer_->StepEnd(*this, step_);
    }
  }
  Notify(ea_Modified);
}

// --- announcements --------------------------------------------------------------------------

void TEditDocument::AddListener(TEditListener* l) {
  if (l && std::find(listeners_.begin(), listeners_.end(), l) == listeners_.end()) {
    listeners_.push_back(l);
  }
}

void TEditDocument::RemoveListener(TEditListener* l) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), l), listeners_.end());
}

void TEditDocument::Notify(TEditAspects what) {
  pending_ |= what;
  if (batch_depth_ == 0) Flush();
}

void TEditDocument::Flush() {
  const TEditAspects what = pending_;
  pending_ = 0;
  if (what == 0) return;
  const std::vector<TEditListener*> listeners = listeners_;
  for (TEditListener* l : listeners) l->EditChanged(what);
}

// --- construction -----------------------------------------------------------------------------

TEditDocument::TEditDocument(TDialogService& dialogs) : dialogs_(dialogs) {
  MakeViewMatrices();
  SetDragType(dt_translate);
}

TEditDocument::~TEditDocument() = default;

void TEditDocument::SetSurface(TEditSurface* surface) {
  surface_ = surface;
  MakeViewMatrices();
}

// --- properties -------------------------------------------------------------------------------

void TEditDocument::SetMazeList(TMazeList* l) {
  TBatch batch(*this);
  if (FDrag) CancelDrag();
  ReleaseSelection();
  FMazeList = l;
  open_records_.clear();
  open_mazes_.clear();
  open_kept_.clear();
  shown_.clear();
  closed_ = false;
  restored_ = false;
  step_count_ = 0;
  if (l) {
    for (int i = 0; i < l->Count(); ++i) {
      TMaze* m = l->GetMaze(i);
      open_records_.push_back(CleanRecord(*m));
      open_mazes_.push_back(m);
      open_kept_.push_back(true);
    }
  }
  FMaze = nullptr;
  FillMazeCombo();
  SetMaze(l ? l->GetMaze(0) : nullptr);
}

void TEditDocument::SetMaze(TMaze* m) {
  ShowMaze(m, true);
}

void TEditDocument::ShowMaze(TMaze* m, bool reset) {
  TBatch batch(*this);
  if (FDrag) CancelDrag();
  // A ball stays highlighted while polygons are chosen, but not in another maze, which may be
  // deleted while this one is shown.
  if (m != FMaze && FBall) SetBall(nullptr);
  // Another maze is shown in the design view when it fits there, else fitted.
  if (m != FMaze) {
    panning_ = false;
    view_.ShowAuto();
    Notify(ea_View);
  }
  FMaze = m;
  if (m) {
    if (reset) m->reset();
    FControls.cbackground = m->outcolor;
    FControls.cline = m->linecolor;
    FControls.cFill = m->incolor;
    FControls.cLand = LandingBoxColor(*m);
    SetPolygon(m->Count() > 0 ? m->GetPolygon(0) : nullptr);
    FMazeNameText = m->mazename;
    SelectComboFor(m);
    if (std::find(shown_.begin(), shown_.end(), m) == shown_.end()) shown_.push_back(m);
    Redraw();
  } else {
    SetPolygon(nullptr);
    FComboIndex = -1;
    FMazeNameText.clear();
  }
  UpdateCaption();
  Notify(ea_Controls | ea_MazeShown | ea_Selection);
}

void TEditDocument::SetPolygon(TPolygon* p) {
  TBatch batch(*this);
  if (FDrag) CancelDrag();
  if (FPolygon) FPolygon->SetColor(FPolColor);
  FPolygon = p;
  // A transform is only the Traf of its own polygon.
  if (FTraf && (!p || p->TrafList()->IndexOf(FTraf) < 0)) FTraf = nullptr;
  FBallSel = false;
  FControls.eHarmless = p ? p->harmless : false;
  if (!p) {
    SetSide(nullptr);
    FTrafTabs.clear();
    FTrafTabIndex = -1;
    Notify(ea_TrafTabs);
  } else {
    FControls.cbFill = p->fillstyle == bsSolid;
    FControls.cFill = p->fillcolor;
    FControls.cline = p->Color();
    FControls.lwidth = std::clamp(p->width, kMinLineWidth, kMaxLineWidth);
    FPolColor = p->Color();
    p->SetColor(HighlightColor(FPolColor, 0.25));
    SetSide(p->GetSide(0));
    RebuildTrafTabs();
  }
  Notify(ea_Selection | ea_Controls | ea_Tools);
}

void TEditDocument::RestoreSideColor() {
  // A corner's own colour is kept in FSideColor from the moment it is selected (the Landing
  // command updates it), so selecting and leaving a corner never changes it.
  if (FSide) FSide->color = FSideColor;
}

void TEditDocument::SetSide(TSide* v) {
  if (FDrag) CancelDrag();
  RestoreSideColor();
  FSide = v;
  if (v) {
    FSideColor = v->color;
    v->color = HighlightColor(FPolygon ? FPolygon->Color() : v->color, 0.5);
  }
  Notify(ea_Selection | ea_Tools);
}

void TEditDocument::SetBall(TBall* b) {
  if (FDrag) CancelDrag();
  if (FBall) FBall->SetColor(FBallColor);
  FBall = b;
  FBallSel = b != nullptr;
  if (b) {
    FBallColor = b->Color();
    b->SetColor(HighlightColor(FBallColor, 0.5));
  }
  Notify(ea_Selection | ea_Tools);
}

void TEditDocument::ReleaseSelection() {
  TBatch batch(*this);
  SetPolygon(nullptr);
  SetBall(nullptr);
  FTraf = nullptr;
  FDoTraf = false;
}

void TEditDocument::SetDoBall(bool v) {
  FDoBall = v;
  if (v) {
    FAddPol = false;
    FAddGear = false;
  }
  Notify(ea_Tools);
}

void TEditDocument::SetAddPol(bool v) {
  FAddPol = v;
  if (v) {
    FAddGear = false;
    FDoBall = false;
  }
  Notify(ea_Tools);
}

void TEditDocument::SetAddGear(bool v) {
  FAddGear = v;
  if (v) {
    FAddPol = false;
    FDoBall = false;
  }
  Notify(ea_Tools);
}

void TEditDocument::SetDragType(TDragType t) {
  FDragType = t;
  Notify(ea_Tools);
}

bool TEditDocument::ToolDown(TEditTool t) const {
  switch (t) {
    case TEditTool::sPol:
      return FAddPol;
    case TEditTool::sGear:
      return FAddGear;
    case TEditTool::sBall:
      return FDoBall;
    case TEditTool::sLand:
      return FSide && FSide->sidetype == st_landing;
    case TEditTool::sAutoTrans:
      return FPolygon && FPolygon->Trans();
    case TEditTool::sAutoSize:
      return FPolygon && FPolygon->Scale();
    case TEditTool::sAutoRot:
      return FPolygon && FPolygon->Rot();
    case TEditTool::sTrans:
      return FDragType == dt_translate;
    case TEditTool::sSize:
      return FDragType == dt_size;
    case TEditTool::sRot:
      return FDragType == dt_rotate;
  }
  return false;
}

// --- view -------------------------------------------------------------------------------------

int TEditDocument::PlayWidth() const {
  return surface_ ? surface_->Control().ClientWidth() : 0;
}

int TEditDocument::PlayHeight() const {
  return surface_ ? surface_->Control().ClientHeight() : 0;
}

void TEditDocument::MakeViewMatrices() {
  view_.Layout(PlayWidth(), PlayHeight(), FMaze);
  // Once the editor has closed, the maze's matrix is the game's again.
  if (FMaze && !closed_) FMaze->matrix = view_.M2I();
}

TDPoint TEditDocument::ImageToModel(double x, double y) const {
  return view_.ImageToModel(x, y);
}

namespace {
class TFrameScope {
 public:
  explicit TFrameScope(TEditSurface& s) : s_(s) { s_.BeginFrame(); }
  ~TFrameScope() { s_.EndFrame(); }
  TFrameScope(const TFrameScope&) = delete;
  TFrameScope& operator=(const TFrameScope&) = delete;

 private:
  TEditSurface& s_;
};
}  // namespace

void TEditDocument::Redraw() {
  MakeViewMatrices();
  if (!surface_ || !surface_->Showing() || closed_) return;
  TCanvas& cv = surface_->Canvas();
  const TControl& f = surface_->Control();
  {
    TFrameScope frame(*surface_);
    cv.Pen.Mode = TPenMode::pmNop;
    cv.Brush.Color = FControls.cbackground;
    cv.Brush.Style = bsSolid;
    cv.FillRect(TRect{0, 0, f.ClientWidth(), f.ClientHeight()});
    cv.Pen.Mode = TPenMode::pmCopy;
    if (grid_on_) {
      DrawMazeOnGrid(cv, f);
    } else if (FMaze) {
      FMaze->Draw(f, cv, tmat2d(), 0, false, false, true);
    }
    // A drag under way keeps its preview on the new picture; one for another size of the play
    // field (its points are pixels of the old one) is dropped.
    preview_shown_ = false;
    if (FDrag && (f.ClientWidth() != drag_w_ || f.ClientHeight() != drag_h_)) CancelDrag();
    if (FDrag) DrawPreview();
  }
  Notify(ea_Redraw);
}

// --- maze selector, caption, transform tabs ------------------------------------------------------

void TEditDocument::FillMazeCombo() {
  FComboItems.clear();
  if (FMazeList) {
    for (int i = 0; i < FMazeList->Count(); ++i) {
      TMaze* m = FMazeList->GetMaze(i);
      FComboItems.push_back(TMazeComboItem{m->mazename, m});
    }
  }
  FComboIndex = FComboItems.empty() ? -1 : 0;
  Notify(ea_MazeList | ea_MazeShown);
}

void TEditDocument::SelectComboFor(const TMaze* m) {
  const int i = MazeIndex(m);
  FComboIndex = i >= 0 && i < static_cast<int>(FComboItems.size()) ? i : -1;
  Notify(ea_MazeShown);
}

void TEditDocument::UpdateCaption() {
  FCaption = "Gravonaut " + GetVersionString(ProgramFilePath(), "ProductVersion") + " Edit";
  if (FMaze) FCaption += " (" + FMaze->mazename + ")";
  Notify(ea_Caption);
}

void TEditDocument::RebuildTrafTabs() {
  const int remembered = FTrafTabIndex;
  FTrafTabs.clear();
  const TTrafList* list = FPolygon ? FPolygon->TrafList() : nullptr;
  if (list && list->Count() > 0) {
    for (int i = 0; i < list->Count(); ++i) FTrafTabs.push_back(list->GetTraf(i));
    FTrafTabIndex = std::clamp(remembered, 0, list->Count() - 1);
  } else {
    FTrafTabIndex = -1;
  }
  Notify(ea_TrafTabs);
}

int TEditDocument::TrafTabIcon(int i) const {
  if (i < 0 || i >= TrafTabCount()) return -1;
  const TTransform* t = FTrafTabs[static_cast<std::size_t>(i)];
  if (dynamic_cast<const TRotate*>(t)) return kIconRotate;
  if (dynamic_cast<const TScale*>(t)) return kIconScale;
  if (dynamic_cast<const TTrans*>(t)) return kIconTrans;
  return -1;
}

TTransform* TEditDocument::TrafTabTraf(int i) const {
  return i >= 0 && i < TrafTabCount() ? FTrafTabs[static_cast<std::size_t>(i)] : nullptr;
}

TTransform* TEditDocument::SelectedTraf() const {
  if (FTrafTabIndex < 0 || FTrafTabIndex >= TrafTabCount()) return nullptr;
  return FTrafTabs[static_cast<std::size_t>(FTrafTabIndex)];
}

void TEditDocument::TrafTabChange(int index) {
  if (index < 0 || index >= TrafTabCount()) return;
  FTrafTabIndex = index;
  Notify(ea_TrafTabs);
}

void TEditDocument::TrafChanged() {
  Redraw();
}

// --- indexes and checks -------------------------------------------------------------------------

int TEditDocument::MazeIndex(const TMaze* m) const {
  return FMazeList && m ? FMazeList->IndexOf(m) : -1;
}

int TEditDocument::PolygonIndex(const TPolygon* p) const {
  return FMaze && p ? FMaze->IndexOf(p) : -1;
}

int TEditDocument::BallIndex(const TBall* b) const {
  return FMaze && b ? FMaze->balllist->IndexOf(b) : -1;
}

bool TEditDocument::SelectionValid() const {
  if (FMaze && FMazeList && MazeIndex(FMaze) < 0) return false;
  if (FPolygon && PolygonIndex(FPolygon) < 0) return false;
  if (FSide && (!FPolygon || FPolygon->IndexOf(FSide) < 0)) return false;
  if (FBall && BallIndex(FBall) < 0) return false;
  if (FTraf && (!FPolygon || FPolygon->TrafList()->IndexOf(FTraf) < 0)) return false;
  for (const TTransform* t : FTrafTabs) {
    if (!FPolygon || FPolygon->TrafList()->IndexOf(t) < 0) return false;
  }
  for (const TMazeComboItem& item : FComboItems) {
    if (MazeIndex(item.maze) < 0) return false;
  }
  return true;
}
