// The editor's commands and the effects of its property controls. Each change to the
// collection is one TEditStep naming what it touches.
#include <algorithm>
#include <cmath>

#include "gx_ball.h"
#include "gx_dialogs.h"
#include "gx_editdoc.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_traflist.h"
#include "gx_trans.h"
#include "qor_text.h"

namespace {

constexpr int kDefaultTickUnit = 50;  // the game's tick, for a first maze made without one
constexpr TColor kNewMazeLine = 0xFFFF00;
constexpr TColor kNewMazeLand = 0xFFEE;
constexpr double kHorizontal = 1e-10;  // how far apart in y a landing edge's ends may be

// Names are stored as the collection file gives them back: without blanks or control
// characters at either end (the field keeps whatever is typed).
std::string TrimName(const std::string& s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

// The corner before i, cyclically.
TSide* PreviousCorner(const TPolygon& p, int i) {
  const int n = p.Count();
  if (n == 0) return nullptr;
  return p.GetSide(i == 0 ? n - 1 : i - 1);
}

}  // namespace

// --- property controls ----------------------------------------------------------------------

void TEditDocument::MazeComboSelect(int item) {
  if (item < 0 || item >= static_cast<int>(FComboItems.size())) return;
  SetMaze(FComboItems[static_cast<std::size_t>(item)].maze);
}

bool TEditDocument::NameFitsFile(const std::string& text) {
  return Cp1252ToUtf8(Utf8ToCp1252(text)) == text;
}

void TEditDocument::eMazenameChange(const std::string& text) {
  if (!NameFitsFile(text)) return;
  FMazeNameText = text;  // what the field shows; not announced back to it
  if (!FMaze) return;
  const std::string name = TrimName(text);
  if (name == FMaze->mazename) return;
  TBatch batch(*this);
  TEditStep step(
      *this,
      TEditStepInfo{
          "Maze Name", {TTouched::Of(TTouch::MazeFields, MazeIndex(FMaze))}, "name field", false});
  FMaze->mazename = name;
}

void TEditDocument::eMazenameExit(const std::string& text) {
  if (FComboIndex < 0 || FComboIndex >= static_cast<int>(FComboItems.size())) return;
  FComboItems[static_cast<std::size_t>(FComboIndex)].name = TrimName(text);
  Notify(ea_MazeList);
}

void TEditDocument::cbackgroundChange(TColor c) {
  TBatch batch(*this);
  FControls.cbackground = c;
  Notify(ea_Controls);
  if (!FMaze) return;
  if (FMaze->outcolor != c) {
    TEditStep step(*this, "Background Color", {TTouched::Of(TTouch::MazeFields, MazeIndex(FMaze))});
    FMaze->outcolor = c;
  }
  Redraw();
}

void TEditDocument::clineChange(TColor c) {
  TBatch batch(*this);
  FControls.cline = c;
  Notify(ea_Controls);
  if (!FPolygon) return;
  if (FPolColor != c || FPolygon->Color() != c) {
    TEditStep step(*this, "Line Color",
                   {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), PolygonIndex(FPolygon))});
    // Shown without the highlight until the polygon is selected again.
    FPolColor = c;
    FPolygon->SetColor(c);
  }
  Redraw();
}

void TEditDocument::cFillChange(TColor c) {
  TBatch batch(*this);
  FControls.cFill = c;
  Notify(ea_Controls);
  if (!FPolygon) return;
  const TBrushStyle style = c == clNone ? bsClear : bsSolid;
  if (FPolygon->fillcolor != c || FPolygon->fillstyle != style) {
    TEditStep step(*this, "Fill Color",
                   {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), PolygonIndex(FPolygon))});
    FPolygon->fillcolor = c;
    FPolygon->fillstyle = style;
  }
  Redraw();
}

void TEditDocument::cbFillClick(bool checked) {
  TBatch batch(*this);
  FControls.cbFill = checked;
  Notify(ea_Controls);
  if (!FPolygon) return;
  const TBrushStyle style = checked ? bsSolid : bsClear;
  if (FPolygon->fillstyle != style) {
    TEditStep step(*this, "Fill",
                   {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), PolygonIndex(FPolygon))});
    FPolygon->fillstyle = style;
  }
  Redraw();
}

void TEditDocument::lwidthChange(int n) {
  TBatch batch(*this);
  n = std::clamp(n, kMinLineWidth, kMaxLineWidth);
  FControls.lwidth = n;
  Notify(ea_Controls);
  if (!FPolygon) return;
  if (FPolygon->width != n) {
    TEditStep step(
        *this,
        TEditStepInfo{"Line Width",
                      {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), PolygonIndex(FPolygon))},
                      "line width",
                      false});
    FPolygon->width = n;
  }
  Redraw();
}

void TEditDocument::eHarmlessClick(bool checked) {
  TBatch batch(*this);
  FControls.eHarmless = checked;
  Notify(ea_Controls);
  if (!FPolygon || FPolygon->harmless == checked) return;
  TEditStep step(*this, "Harmless",
                 {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), PolygonIndex(FPolygon))});
  FPolygon->harmless = checked;
}

void TEditDocument::cLandChange(TColor c) {
  TBatch batch(*this);
  FControls.cLand = c;
  Notify(ea_Controls);
  if (!FMaze || FMaze->landcolor == c) return;
  TEditStep step(*this, "Landing Color", {TTouched::Of(TTouch::MazeFields, MazeIndex(FMaze))});
  FMaze->landcolor = c;
}

void TEditDocument::ePolNChange(int n) {
  FControls.ePolN = std::clamp(n, kMinCorners, kMaxCorners);
  Notify(ea_Controls);
}

// --- new maze, insert point, landing ------------------------------------------------------------

void TEditDocument::sNewMazeClick() {
  if (!FMazeList) return;
  TBatch batch(*this);
  MakeViewMatrices();
  auto maze = std::make_unique<TMaze>();
  const int tick = FMaze ? FMaze->TickUnit() : kDefaultTickUnit;
  // The middle of the play field, in whole pixels, and 10 pixels in model units, both in the
  // design view: the new maze is shown there, whatever the view of the maze before it.
  const TEditView design = view_.Design();
  const TDPoint c = design.ImageToModel(PlayWidth() / 2, PlayHeight() / 2);
  const double dx = 10 * design.I2M().mat[0][0];
  const double dy = 10 * design.I2M().mat[1][1];
  auto p = std::make_unique<TPolygon>();
  p->SetColor(FControls.cline);
  if (FControls.cFill == clNone) {
    p->fillstyle = bsClear;
  } else {
    p->fillcolor = FControls.cFill;
  }
  p->AddSide(c.x - dx, c.y - dy, st_normal, p->Color());
  p->AddSide(c.x, c.y + dy, st_normal, p->Color());
  p->AddSide(c.x + dx, c.y - dy, st_normal, p->Color());
  maze->incolor = 0;
  maze->outcolor = 0;
  maze->linecolor = kNewMazeLine;
  maze->landcolor = kNewMazeLand;
  maze->mazename = "<no name>";
  maze->AddPolygon(std::move(p));
  maze->SetTickUnit(tick);
  AddMaze(std::move(maze), "New Maze");
}

void TEditDocument::sInsPointClick() {
  if (!FPolygon || !FSide) return;
  const int i = FPolygon->IndexOf(FSide);
  const TSide* prev = PreviousCorner(*FPolygon, i);
  if (i < 0 || !prev) return;
  TBatch batch(*this);
  auto s = std::make_unique<TSide>();
  // The polygon's own colour, not its highlight, which would stay with the corner.
  s->color = FPolColor;
  s->width = FPolygon->width;
  s->sidetype = st_normal;
  s->SetX((prev->x() + FSide->x()) / 2);
  s->SetY((prev->y() + FSide->y()) / 2);
  {
    TEditStep step(*this, "Insert Point",
                   {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), PolygonIndex(FPolygon))});
    FPolygon->Insert(i, std::move(s));
  }
  TSide* added = FPolygon->GetSide(i);
  SetPolygon(FPolygon);
  SetSide(added);
  Redraw();
}

void TEditDocument::sLandClick() {
  TBatch batch(*this);
  Notify(ea_Tools);  // the button shows the corner's state again, whatever happens
  if (!FPolygon || !FSide || !FMaze) return;
  const int i = FPolygon->IndexOf(FSide);
  const TSide* prev = PreviousCorner(*FPolygon, i);
  if (i < 0 || !prev) return;
  if (std::fabs(prev->y() - FSide->y()) > kHorizontal) {
    dialogs_.ShowError("Edge must be horizontal");
    return;
  }
  const int mi = MazeIndex(FMaze);
  const int pi = PolygonIndex(FPolygon);
  if (FSide->sidetype == st_landing) {
    TEditStep step(*this, "Landing", {TTouched::Of(TTouch::Polygon, mi, pi)});
    FSide->sidetype = st_normal;
    FSide->color = FPolygon->Color();
    FSideColor = FPolColor;
  } else {
    TEditStep step(*this, "Landing",
                   {TTouched::Of(TTouch::Polygon, mi, pi), TTouched::Of(TTouch::MazeFields, mi)});
    FSide->sidetype = st_landing;
    FSide->color = FControls.cLand;
    FSideColor = FControls.cLand;
    FMaze->SetStart(TMaze::SideRect(*FPolygon, *FSide));
  }
  Redraw();
}

// --- deleting
// -------------------------------------------------------------------------------------

void TEditDocument::DeleteSelection(bool shift) {
  TBatch batch(*this);
  if (FBallSel) {
    DeleteBall();
  } else {
    DeleteCorner(shift);
  }
  Redraw();
}

void TEditDocument::DeleteBall() {
  if (!FBall || !FMaze) return;
  if (!dialogs_.Confirm("Delete ball?", TMsgIcon::mi_information)) return;
  TBall* b = FBall;
  TEditStep step(*this, "Delete Ball",
                 {TTouched::Of(TTouch::BallRemoved, MazeIndex(FMaze), BallIndex(b))});
  // Let go first: the ball is freed and nothing may touch it again.
  FBall = nullptr;
  FMaze->RemoveBall(b);
  Notify(ea_Selection);
}

void TEditDocument::DeleteCorner(bool shift) {
  if (!FPolygon || !FMaze) return;
  const int mi = MazeIndex(FMaze);
  const int pi = PolygonIndex(FPolygon);
  if (shift || FPolygon->Count() < 4) {
    if (!dialogs_.Confirm("Delete Polygon?", TMsgIcon::mi_information)) return;
    TPolygon* p = FPolygon;
    TEditStep step(*this, "Delete Polygon", {TTouched::Of(TTouch::PolygonRemoved, mi, pi)});
    SetPolygon(nullptr);
    FTraf = nullptr;
    FDoTraf = false;
    FMaze->RemovePolygon(p);
    return;
  }
  if (!FSide) return;
  if (!dialogs_.Confirm("Delete point?", TMsgIcon::mi_information)) return;
  const int i = FPolygon->IndexOf(FSide);
  TEditStep step(*this, "Delete Point", {TTouched::Of(TTouch::Polygon, mi, pi)});
  TSide* v = FSide;
  FSide = nullptr;  // freed below: its colour is not put back
  FPolygon->RemoveSide(v);
  const int n = FPolygon->Count();
  SetSide(FPolygon->GetSide(i < n ? i : n - 1));
}

void TEditDocument::sdelballsClick() {
  if (!FMaze) return;
  TBatch batch(*this);
  if (FMaze->balllist->Count() > 0) {
    TEditStep step(*this, "Clear Balls", {TTouched::Of(TTouch::Balls, MazeIndex(FMaze))});
    // Let go of the selected ball only once the step has recorded the balls: the record takes
    // it in its own colour, not its highlight, through the selection. It is freed below.
    FBall = nullptr;
    Notify(ea_Selection);
    // Through RemoveBall, so that no bullet keeps aiming at a freed ball.
    while (FMaze->balllist->Count() > 0) {
      FMaze->RemoveBall(FMaze->balllist->GetBall(FMaze->balllist->Count() - 1));
    }
  }
  Redraw();
}

// --- animations ---------------------------------------------------------------------------------

void TEditDocument::sAutoRotClick() {
  ToggleTraf(0);
}

void TEditDocument::sAutoSizeClick() {
  ToggleTraf(1);
}

void TEditDocument::sAutoTransClick() {
  ToggleTraf(2);
}

void TEditDocument::ToggleTraf(int kind) {
  TBatch batch(*this);
  Notify(ea_Tools);
  if (FBallSel || !FPolygon) return;
  TTransform* present = kind == 0   ? static_cast<TTransform*>(FPolygon->Rot())
                        : kind == 1 ? static_cast<TTransform*>(FPolygon->Scale())
                                    : static_cast<TTransform*>(FPolygon->Trans());
  if (present) {
    DetachTraf(present);
  } else if (kind == 0) {
    // A rotation without a period stands still (as the rocket's heading does): a new one
    // turns with the default period that a new scaling or translation gets (0 asks for it).
    auto rot = std::make_unique<TRotate>();
    rot->SetPeriod(0);
    AttachTraf(std::move(rot));
  } else if (kind == 1) {
    AttachTraf(std::make_unique<TScale>());
  } else {
    AttachTraf(std::make_unique<TTrans>());
  }
}

namespace {
const char* TrafName(const TTransform* t) {
  if (dynamic_cast<const TRotate*>(t)) return "Rotation";
  if (dynamic_cast<const TScale*>(t)) return "Scaling";
  if (dynamic_cast<const TTrans*>(t)) return "Translation";
  return "Animation";
}
}  // namespace

void TEditDocument::AttachTraf(std::unique_ptr<TTransform> t) {
  if (!FPolygon || !t) return;
  TBatch batch(*this);
  TTransform* raw = t.get();
  {
    TEditStep step(*this, std::string("Add ") + TrafName(raw),
                   {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), PolygonIndex(FPolygon))});
    // Appended to the list directly: the class setters would take only the first of a class.
    FPolygon->TrafList()->AddTraf(std::move(t));
    FPolygon->TrafCenter(*raw);
    // In the state the maze's reset would give it (a period of 0 becomes 200), so that showing
    // the maze again changes nothing the step left and its history keeps.
    raw->reset();
  }
  SetPolygon(FPolygon);
  TrafTabChange(FPolygon->TrafList()->IndexOf(raw));
  Redraw();
}

void TEditDocument::DetachTraf(TTransform* t) {
  if (!FPolygon || !t) return;
  TTrafList* list = FPolygon->TrafList();
  const int ix = list->IndexOf(t);
  if (ix < 0) return;
  TBatch batch(*this);
  {
    TEditStep step(*this, std::string("Remove ") + TrafName(t),
                   {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), PolygonIndex(FPolygon))});
    if (FTraf == t) {
      FTraf = nullptr;
      FDoTraf = false;
    }
    FTrafTabs.clear();  // the tabs name the transform that goes
    list->FreeItem(ix);
  }
  SetPolygon(FPolygon);
  Redraw();
}

// --- nudging and polygon order
// --------------------------------------------------------------------

void TEditDocument::NudgeSelection(int dx, int dy, bool shift) {
  if (!FPolygon || (!shift && !FSide)) return;
  TBatch batch(*this);
  MakeViewMatrices();
  TEditStep step(*this, shift ? "Move Polygon" : "Move Point",
                 {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), PolygonIndex(FPolygon))});
  const auto nudge = [&](TSide& s) {
    double x = s.x(), y = s.y();
    view_.M2I().Transform(x, y);
    x += dx;
    y -= dy;  // image y points up
    view_.I2M().Transform(x, y);
    s.SetX(x);
    s.SetY(y);
  };
  if (shift) {
    for (int i = 0; i < FPolygon->Count(); ++i) nudge(*FPolygon->GetSide(i));
  } else {
    nudge(*FSide);
  }
}

void TEditDocument::RaisePolOrder() {
  const int i = PolygonIndex(FPolygon);
  if (i < 0 || i + 1 >= FMaze->Count()) return;
  TEditStep step(*this, "Raise Polygon",
                 {TTouched::Of(TTouch::PolygonsSwapped, MazeIndex(FMaze), i, i + 1)});
  FMaze->RaisePolOrder(true, FPolygon);
}

void TEditDocument::LowerPolOrder() {
  const int i = PolygonIndex(FPolygon);
  if (i < 1) return;
  TEditStep step(*this, "Lower Polygon",
                 {TTouched::Of(TTouch::PolygonsSwapped, MazeIndex(FMaze), i - 1, i)});
  FMaze->RaisePolOrder(false, FPolygon);
}

bool TEditDocument::FormKeyDown(TEditKey key, bool shift) {
  TBatch batch(*this);
  switch (key) {
    case TEditKey::PgUp:
      RaisePolOrder();
      break;
    case TEditKey::PgDn:
      LowerPolOrder();
      break;
    case TEditKey::Left:
      NudgeSelection(-1, 0, shift);
      break;
    case TEditKey::Right:
      NudgeSelection(1, 0, shift);
      break;
    case TEditKey::Up:
      NudgeSelection(0, -1, shift);
      break;
    case TEditKey::Down:
      NudgeSelection(0, 1, shift);
      break;
    case TEditKey::Delete:
      DeleteSelection(shift);
      break;
  }
  Redraw();
  return true;
}

// --- the list of mazes
// -------------------------------------------------------------------------------

TMaze* TEditDocument::AddMaze(std::unique_ptr<TMaze> m, const std::string& name) {
  std::vector<std::unique_ptr<TMaze>> one;
  if (m) one.push_back(std::move(m));
  return AddMazes(std::move(one), name);
}

TMaze* TEditDocument::AddMazes(std::vector<std::unique_ptr<TMaze>> mazes, const std::string& name) {
  std::erase(mazes, nullptr);
  if (!FMazeList || mazes.empty()) return nullptr;
  TBatch batch(*this);
  TMaze* first = mazes.front().get();
  std::vector<TTouched> touches;
  for (std::size_t k = 0; k < mazes.size(); ++k) {
    touches.push_back(TTouched::Of(TTouch::MazeAdded, FMazeList->Count() + static_cast<int>(k)));
  }
  {
    TEditStep step(*this, name, std::move(touches));
    // Shown at once, and so reset: inside the step, so that what the step leaves (and a history
    // keeps) is the maze as it is then.
    first->reset();
    for (auto& m : mazes) FMazeList->Add(std::move(m));
  }
  FillMazeCombo();
  SetMaze(first);
  return first;
}

void TEditDocument::RemoveMaze(TMaze* m) {
  const int i = MazeIndex(m);
  if (i < 0) return;
  TBatch batch(*this);
  const bool current = m == FMaze;
  std::unique_ptr<TQorBase> gone;
  {
    TEditStep step(*this, "Delete Maze", {TTouched::Of(TTouch::MazeRemoved, i)});
    if (current) {
      ReleaseSelection();
      FMaze = nullptr;
    }
    ForgetShown(m);
    for (std::size_t k = 0; k < open_mazes_.size(); ++k) {
      if (open_mazes_[k] == m) {
        open_mazes_[k] = nullptr;
        open_kept_[k] = false;
      }
    }
    gone = FMazeList->Delete(i);
    FillMazeCombo();
    if (current) {
      const int n = FMazeList->Count();
      SetMaze(FMazeList->GetMaze(i < n ? i : n - 1));
    } else {
      SelectComboFor(FMaze);
    }
  }
  gone.reset();
}

void TEditDocument::ForgetShown(const TMaze* m) {
  shown_.erase(std::remove(shown_.begin(), shown_.end(), m), shown_.end());
}
