// The animation frames' edits and the time-path editor's changes: each one step touching the
// polygon that carries the transform.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "gx_editdoc.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_side.h"
#include "gx_traflist.h"
#include "gx_trans.h"

namespace {

// The run key of edits of one field of one frame: typing on in that field joins the run, a
// field of another frame or another field starts a new one.
std::string FieldRun(const TPolygon& owner, const TTransform* t, TTrafField f) {
  return "frame " + std::to_string(owner.TrafList()->IndexOf(t)) + " field " +
         std::to_string(static_cast<int>(f));
}

// A copy of the time path's corners, to find out without changing it whether (and where) a
// click inserts a corner.
std::unique_ptr<TPolygon> CornersOf(const TPolygon& path) {
  auto copy = std::make_unique<TPolygon>();
  copy->open = path.open;
  for (int i = 0; i < path.Count(); ++i) {
    const TSide* s = path.GetSide(i);
    copy->AddSide(s->x(), s->y(), s->sidetype, s->color);
  }
  return copy;
}

}  // namespace

int TEditDocument::TrafOwnerIndex(const TTransform* t) const {
  if (!FMaze || !t) return -1;
  if (FPolygon && FPolygon->TrafList()->IndexOf(t) >= 0) return PolygonIndex(FPolygon);
  for (int i = 0; i < FMaze->Count(); ++i) {
    if (FMaze->GetPolygon(i)->TrafList()->IndexOf(t) >= 0) return i;
  }
  return -1;
}

int TEditDocument::TrafPeriodSeconds(const TTransform& t) const {
  return PeriodSeconds(t.period(), FMaze ? FMaze->TickUnit() : 0);
}

std::string TEditDocument::TrafFieldText(const TTransform& t, TTrafField f) const {
  return ::TrafFieldText(t, f, FMaze ? FMaze->TickUnit() : 0);
}

void TEditDocument::SetTrafPeriodSeconds(TTransform* t, int seconds) {
  const int owner = TrafOwnerIndex(t);
  if (owner < 0) return;
  const int ticks = PeriodTicks(seconds, FMaze->TickUnit());
  if (ticks == t->period()) return;
  TBatch batch(*this);
  TEditStep step(*this, TEditStepInfo{"Period",
                                      {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), owner)},
                                      FieldRun(*FMaze->GetPolygon(owner), t, TTrafField::Period),
                                      false});
  t->SetPeriod(ticks);
}

void TEditDocument::SetTrafSinusoidal(TTransform* t, bool sinusoidal) {
  const int owner = TrafOwnerIndex(t);
  const TAniType kind = sinusoidal ? at_sinusoidal : at_linear;
  if (owner < 0 || t->AniType() == kind) return;
  TBatch batch(*this);
  TEditStep step(*this, "Time Path Kind", {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), owner)});
  t->SetAniType(kind);
}

void TEditDocument::SetTrafSwing(TTransform* t, bool swing) {
  const int owner = TrafOwnerIndex(t);
  if (owner < 0 || t->Swing() == swing) return;
  TBatch batch(*this);
  TEditStep step(*this, "Swing", {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), owner)});
  t->SetSwing(swing);
}

void TEditDocument::SetRotCw(TRotate* r, bool cw) {
  const int owner = TrafOwnerIndex(r);
  if (owner < 0 || r->cw() == cw) return;
  TBatch batch(*this);
  TEditStep step(*this, "Rotation Direction",
                 {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), owner)});
  r->SetCw(cw);
}

bool TEditDocument::TrafFieldEdit(TTransform* t, TTrafField f, const std::string& text) {
  if (!t || !FieldOf(*t, f)) return false;
  if (f == TTrafField::Period) {
    int n = 0;
    if (!ReadWholeNumber(text, n) || n < kMinPeriodSeconds || n > kMaxPeriodSeconds) return false;
    SetTrafPeriodSeconds(t, n);
    return true;
  }
  double v = 0;
  if (!ReadDecimal(text, v)) return false;
  double* target = nullptr;
  const char* name = "";
  if (auto* r = dynamic_cast<TRotate*>(t)) {
    v = v * std::numbers::pi / 180;
    // 1e308 degrees is a number, but no angle: it overflows in radians.
    if (!std::isfinite(v)) return false;
    target = f == TTrafField::a1 ? &r->Fa1 : &r->Fa2;
    name = "Swing Angle";
  } else if (auto* s = dynamic_cast<TScale*>(t)) {
    target = f == TTrafField::sx1   ? &s->Fsx1
             : f == TTrafField::sy1 ? &s->Fsy1
             : f == TTrafField::sx2 ? &s->Fsx2
                                    : &s->Fsy2;
    name = "Scale Factor";
  } else if (auto* m = dynamic_cast<TTrans*>(t)) {
    target = f == TTrafField::dx ? &m->x1 : &m->y1;
    name = "Displacement";
  }
  const int owner = TrafOwnerIndex(t);
  if (!target || owner < 0 || *target == v) return true;
  TBatch batch(*this);
  TEditStep step(*this, TEditStepInfo{name,
                                      {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), owner)},
                                      FieldRun(*FMaze->GetPolygon(owner), t, f),
                                      false});
  *target = v;
  return true;
}

void TEditDocument::CenterTraf(TTransform* t) {
  const int owner = TrafOwnerIndex(t);
  if (owner < 0) return;
  const TPolygon* p = FMaze->GetPolygon(owner);
  if (p->Count() == 0) return;  // no corners, no mean
  // The mean as TrafCenter takes it, worked out first so that an unchanged point makes no step.
  double sx = 0, sy = 0;
  for (int i = 0; i < p->Count(); ++i) {
    sx += p->GetSide(i)->x();
    sy += p->GetSide(i)->y();
  }
  if (t->refpt.x == sx / p->Count() && t->refpt.y == sy / p->Count()) return;
  TBatch batch(*this);
  TEditStep step(*this, "Center", {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), owner)});
  p->TrafCenter(*t);
}

int TEditDocument::InsertTimePathCorner(TTransform* t, const TDRect& r) {
  const int owner = TrafOwnerIndex(t);
  if (owner < 0) return -1;
  int six = -1;
  if (!CornersOf(*t->flinear)->NewPointInRect(r, six)) return -1;
  TBatch batch(*this);
  TEditStep step(*this, "Insert Time Path Corner",
                 {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), owner)});
  t->flinear->NewPointInRect(r, six);
  return six;
}

void TEditDocument::MoveTimePathCorner(TTransform* t, int index, double x, double y,
                                       bool finishes_insert) {
  const int owner = TrafOwnerIndex(t);
  if (owner < 0) return;
  TPolygon& path = *t->flinear;
  if (index <= 0 || index >= path.Count() - 1) return;  // the ends stay at times 0 and 1
  // Ordered in time, within the plot's values; a value that is no number stays where it was.
  TSide* s = path.GetSide(index);
  const double lo = path.GetSide(index - 1)->x(), hi = path.GetSide(index + 1)->x();
  x = std::isnan(x) ? s->x() : std::clamp(x, std::min(lo, hi), std::max(lo, hi));
  y = std::isnan(y) ? s->y() : std::clamp(y, 0.0, 1.0);
  if (s->x() == x && s->y() == y) return;
  TBatch batch(*this);
  TEditStep step(*this, TEditStepInfo{"Move Time Path Corner",
                                      {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), owner)},
                                      {},
                                      finishes_insert});
  s->SetX(x);
  s->SetY(y);
}
