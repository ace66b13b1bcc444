// The snapping grid: its switch and step, the points it snaps to, and its picture between
// the maze's fills and its outlines. The gestures (gx_editgesture.cpp) ask SnapToGrid, DragTarget
// and GridShift; with the grid off those hand back what they were given, so the gestures stay as
// they were.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gx_editdoc.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_side.h"

namespace {

// The step is kept in whole millionths of a model unit.
constexpr double kGridUnitsPerModelUnit = 1e6;
// Beyond this many units a product of whole numbers is no longer exact in a double.
constexpr double kExactLimit = 9007199254740992.0;  // 2^53

// How much the grid colour differs from the background (0 .. 1 of the channel range).
constexpr double kGridFaintness = 0.2;

// While it lives the maze draws no background and no fills: a stand-in for a background
// picture holds off the one (only its presence is tested), clear brushes the others.
const char kNoBackground = 0;

class TOutlineScope {
 public:
  explicit TOutlineScope(TMaze& m) : m_(m), bkgrnd_(m.bkgrnd) {
    m_.bkgrnd = &kNoBackground;
    fills_.reserve(static_cast<std::size_t>(m_.Count()));
    for (int i = 0; i < m_.Count(); ++i) {
      TPolygon* p = m_.GetPolygon(i);
      fills_.push_back(p->fillstyle);
      p->fillstyle = bsClear;
    }
  }
  ~TOutlineScope() {
    m_.bkgrnd = bkgrnd_;
    for (int i = 0; i < m_.Count() && i < static_cast<int>(fills_.size()); ++i) {
      m_.GetPolygon(i)->fillstyle = fills_[static_cast<std::size_t>(i)];
    }
  }
  TOutlineScope(const TOutlineScope&) = delete;
  TOutlineScope& operator=(const TOutlineScope&) = delete;

 private:
  TMaze& m_;
  const void* bkgrnd_;
  std::vector<TBrushStyle> fills_;
};

double GridCoordinate(double v, double step) {
  if (!std::isfinite(v)) return v;
  const double k = std::nearbyint(v / step);
  const double units = std::nearbyint(step * kGridUnitsPerModelUnit);
  // k x units is a whole number of millionths, exact while it is below 2^53; divided once it
  // gives the double nearest to the decimal grid point (0.3, not 3 x 0.1).
  // Adding 0 turns the -0 of a point just left of the origin into 0.
  if (std::fabs(k * units) < kExactLimit) return k * units / kGridUnitsPerModelUnit + 0.0;
  return k * step + 0.0;
}

}  // namespace

void TEditDocument::SetGridOn(bool on) {
  if (on == grid_on_) return;
  TBatch batch(*this);
  // A drag under way snaps by the rule it started with: it is dropped rather than switched.
  if (FDrag) CancelDrag();
  grid_on_ = on;
  Notify(ea_Tools);
  Redraw();
}

void TEditDocument::SetGridStep(double step) {
  if (std::isnan(step)) return;
  step = std::clamp(step, kMinGridStep, kMaxGridStep);
  step = std::nearbyint(step * kGridUnitsPerModelUnit) / kGridUnitsPerModelUnit;
  if (step == grid_step_) return;
  TBatch batch(*this);
  if (FDrag && grid_on_) CancelDrag();
  grid_step_ = step;
  Notify(ea_Controls);
  if (grid_on_) Redraw();
}

TDPoint TEditDocument::GridPoint(const TDPoint& p, double step) {
  return TDPoint{GridCoordinate(p.x, step), GridCoordinate(p.y, step)};
}

TDPoint TEditDocument::SnapToGrid(const TDPoint& p) const {
  return grid_on_ ? GridPoint(p, grid_step_) : p;
}

TDPoint TEditDocument::DragTarget(int X, int Y) const {
  return SnapToGrid(ImageToModel(X, PlayHeight() - Y));
}

TDPoint TEditDocument::GridShift(int X, int Y, TDPoint* target) const {
  if (!FPolygon || drag_corner_ < 0 || drag_corner_ >= FPolygon->Count()) return TDPoint{};
  const TSide& c = *FPolygon->GetSide(drag_corner_);
  // The mouse's way from the press, in model units (y up).
  const double dx = (X - FOrgPoint.X) * view_.I2M().mat[0][0];
  const double dy = (FOrgPoint.Y - Y) * view_.I2M().mat[1][1];
  const TDPoint to = GridPoint(TDPoint{c.x() + dx, c.y() + dy}, grid_step_);
  if (target) *target = to;
  return TDPoint{to.x - c.x(), to.y - c.y()};
}

void TEditDocument::FinishGridPolygonDrag(int polygonIndex, int X, int Y) {
  TDPoint to;
  const TDPoint d = GridShift(X, Y, &to);
  if (d.x == 0 && d.y == 0) return;
  TEditStep step(*this, "Move Polygon",
                 {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), polygonIndex)});
  for (int i = 0; i < FPolygon->Count(); ++i) {
    TSide* s = FPolygon->GetSide(i);
    if (i == drag_corner_) {
      // c + (to - c) may miss the grid point by a bit.
      s->SetX(to.x);
      s->SetY(to.y);
    } else {
      s->SetX(s->x() + d.x);
      s->SetY(s->y() + d.y);
    }
  }
  CleanAfterDrag();
}

TColor TEditDocument::GridColor() const {
  const TColor under = FMaze && !FMaze->bkgrnd ? FMaze->outcolor : FControls.cbackground;
  return HighlightColor(under, kGridFaintness);
}

void TEditDocument::DrawMazeOnGrid(TCanvas& cv, const TControl& f) {
  // The maze as it is drawn without a grid, its background and fills included: in most mazes
  // the room the rocket flies in is a filled polygon, and the grid must show there too.
  if (FMaze) FMaze->Draw(f, cv, tmat2d(), 0, false, false, true);
  const int w = f.ClientWidth(), h = f.ClientHeight();
  const double s = view_.M2I().mat[0][0];
  const double pitch = s * grid_step_;
  if (pitch >= kMinGridPixels) {
    cv.Pen.Mode = TPenMode::pmCopy;
    cv.Pen.Style = TPenStyle::psSolid;
    cv.Pen.Width = 1;
    cv.Pen.Color = GridColor();
    const double ox = view_.M2I().mat[0][2], oy = view_.M2I().mat[1][2];
    // The lines run through the pixels where a corner on a grid point is drawn.
    for (double k = std::ceil(-ox / pitch); ox + k * pitch < w; ++k) {
      const int x = RoundToInt(ox + s * (k * grid_step_));
      cv.MoveTo(x, 0);
      cv.LineTo(x, h);
    }
    for (double k = std::ceil(-oy / pitch); oy + k * pitch < h; ++k) {
      const int y = RoundToInt(h - (oy + s * (k * grid_step_)));
      cv.MoveTo(0, y);
      cv.LineTo(w, y);
    }
  }
  if (!FMaze) return;
  // Then everything but the background and the fills once more, over the grid: outlines,
  // special edges, handles, reference points and balls.
  cv.Pen.Mode = TPenMode::pmCopy;
  TOutlineScope outlines(*FMaze);
  FMaze->Draw(f, cv, tmat2d(), 0, false, false, true);
}
