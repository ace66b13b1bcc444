#include "gx_timepath.h"

#include <algorithm>
#include <cmath>

#include "colors.h"
#include "gx_animedit.h"
#include "gx_editdoc.h"
#include "gx_polygon.h"
#include "gx_side.h"
#include "gx_transform.h"

namespace {

int Round(double v) {
  return RoundToInt(v);
}

}  // namespace

TPolygon* TTimePathEditor::Linear() const {
  return FTraf ? FTraf->flinear.get() : nullptr;
}

void TTimePathEditor::SetTraf(TTransform* t) {
  FTraf = t;
  FSide = nullptr;
  FP.clear();
  DoDrag = false;
  IsChanged = false;
  drag_index_ = -1;
}

void TTimePathEditor::MakeMatrices(int W, int H) {
  const double L = kLeft, T = kTop;
  const double R = std::max<double>(W - kRightGap, L + 1);
  const double B = std::max<double>(H - kBottomGap, T + 1);
  M2I_.reset();
  M2I_.mat[0][0] = R - L;
  M2I_.mat[0][2] = L;
  M2I_.mat[1][1] = T - B;
  M2I_.mat[1][2] = B;
  I2M_.reset();
  I2M_.mat[0][0] = 1 / (R - L);
  I2M_.mat[0][2] = -L / (R - L);
  I2M_.mat[1][1] = 1 / (T - B);
  I2M_.mat[1][2] = -B / (T - B);
}

TDPoint TTimePathEditor::ToScreen(double x, double y) const {
  M2I_.Transform(x, y);
  return TDPoint{x, y};
}

TDPoint TTimePathEditor::ToPath(double X, double Y) const {
  I2M_.Transform(X, Y);
  return TDPoint{X, Y};
}

void TTimePathEditor::Paint(TCanvas& cv, int W, int H) {
  MakeMatrices(W, H);
  cv.Pen.Mode = TPenMode::pmCopy;
  cv.Brush.Style = bsSolid;
  cv.Brush.Color = clBtnFace;
  cv.FillRect(TRect{0, 0, W, H});
  const TPolygon* path = Linear();
  if (!path) return;

  // Axes, ticks and labels: black, one pixel, text without a background box.
  cv.Pen.Color = clBlack;
  cv.Pen.Width = 1;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.Font.Color = clBlack;
  cv.Brush.Style = bsClear;
  const TDPoint o = ToScreen(0, 0), x1 = ToScreen(1, 0), y1 = ToScreen(0, 1);
  cv.MoveTo(Round(o.x), Round(o.y));
  cv.LineTo(Round(x1.x), Round(x1.y));
  cv.MoveTo(Round(o.x), Round(o.y));
  cv.LineTo(Round(y1.x), Round(y1.y));

  const int axis_y = Round(o.y);
  const int axis_x = Round(o.x);
  const double period = FTraf ? FTraf->period() : 0;
  for (int i = 0; i <= 10; ++i) {
    const int len = i % 5 == 0 ? 8 : 4;
    const int tx = Round(ToScreen(0.1 * i, 0).x);
    cv.MoveTo(tx, axis_y);
    cv.LineTo(tx, axis_y + len);
    const std::string label = FormatFixed(period / 10 * i, 0);
    cv.TextOut(tx - cv.TextWidth(label) / 2, axis_y + 8, label);

    const int ty = Round(ToScreen(0, 0.1 * i).y);
    cv.MoveTo(axis_x, ty);
    cv.LineTo(axis_x - len, ty);
    const std::string value = FormatFixed(0.1 * i, 1);
    cv.TextOut(axis_x - 8 - cv.TextWidth(value), ty - cv.TextHeight(value) / 2, value);
  }

  // The path, never closed, and a small filled square on every corner.
  const int n = path->Count();
  std::vector<TPoint> pts;
  for (int i = 0; i < n; ++i) {
    const TSide* s = path->GetSide(i);
    const TDPoint p = ToScreen(s->x(), s->y());
    pts.push_back(TPoint{Round(p.x), Round(p.y)});
  }
  cv.Pen.Color = kPathColor;
  cv.Brush.Style = bsSolid;
  for (int i = 0; i < n; ++i) {
    if (i == 0) {
      cv.MoveTo(pts[0].X, pts[0].Y);
    } else {
      cv.LineTo(pts[static_cast<std::size_t>(i)].X, pts[static_cast<std::size_t>(i)].Y);
    }
  }
  cv.Pen.Color = kMarkColor;
  cv.Brush.Color = kMarkColor;
  for (const TPoint& p : pts) cv.Rectangle(p.X - 1, p.Y - 1, p.X + 2, p.Y + 2);

  if (DoDrag) DrawDragImage(cv);
}

bool TTimePathEditor::MouseDown(TCanvas& cv, int W, int H, int X, int Y) {
  TPolygon* path = Linear();
  if (!path || DoDrag) return false;
  MakeMatrices(W, H);
  height_ = H;
  // The 5 x 5 pixels about the point, in path coordinates (y flips, so y1 < y2).
  const TDPoint a = ToPath(X - 2, Y + 3), b = ToPath(X + 3, Y - 2);
  const TDRect r{a.x, b.x, a.y, b.y};
  bool inserted = false;
  int i = -1;
  if (!path->PointInRect(r, i)) {
    i = doc_.InsertTimePathCorner(FTraf, r);
    if (i < 0) return false;
    inserted = true;
    IsChanged = true;
  }
  const int n = path->Count();
  if (i == 0 || i == n - 1) return inserted;  // the ends do not move
  FP.clear();
  for (int k : {i - 1, i, i + 1}) {
    const TSide* s = path->GetSide(std::clamp(k, 0, n - 1));
    FP.push_back(ToScreen(s->x(), s->y()));
  }
  FSide = path->GetSide(i);
  drag_index_ = i;
  drag_inserted_ = inserted;
  DoDrag = true;
  IsChanged = true;
  DrawDragImage(cv);
  return inserted;
}

TPoint TTimePathEditor::Clamp(int X, int Y) const {
  if (FP.size() == 3) {
    const int lo = Round(FP[0].x), hi = Round(FP[2].x);
    X = std::clamp(X, std::min(lo, hi), std::max(lo, hi));
  }
  const int top = kTop, bottom = std::max(height_ - kBottomGap, kTop + 1);
  Y = std::clamp(Y, top, bottom);
  return TPoint{X, Y};
}

void TTimePathEditor::MouseMove(TCanvas& cv, int X, int Y) {
  if (!DoDrag) return;
  DrawDragImage(cv);
  const TPoint p = Clamp(X, Y);
  FP[1] = TDPoint{static_cast<double>(p.X), static_cast<double>(p.Y)};
  DrawDragImage(cv);
}

bool TTimePathEditor::MouseUp(TCanvas& cv, int X, int Y) {
  if (!DoDrag) return false;
  DoDrag = false;
  DrawDragImage(cv);
  const TPoint p = Clamp(X, Y);
  TDPoint q = ToPath(p.X, p.Y);
  const TPolygon* path = Linear();
  // At a neighbour's (rounded) screen time the corner takes that neighbour's very time, so the
  // path stays ordered in time whatever the rounding did.
  const TSide* prev = path->GetSide(drag_index_ - 1);
  const TSide* next = path->GetSide(drag_index_ + 1);
  if (p.X == Round(FP[0].x)) q.x = prev->x();
  if (p.X == Round(FP[2].x)) q.x = next->x();
  // The plot's top and bottom rows are the values 1 and 0 exactly (the matrix may miss them
  // by a unit in the last place).
  if (p.Y == kTop) q.y = 1;
  if (p.Y == std::max(height_ - kBottomGap, kTop + 1)) q.y = 0;
  const int index = drag_index_;
  FSide = nullptr;
  drag_index_ = -1;
  doc_.MoveTimePathCorner(FTraf, index, q.x, q.y, drag_inserted_);
  drag_inserted_ = false;
  return true;
}

void TTimePathEditor::CancelDrag(TCanvas& cv) {
  if (!DoDrag) return;
  DoDrag = false;
  DrawDragImage(cv);
  FSide = nullptr;
  drag_index_ = -1;
}

void TTimePathEditor::DrawDragImage(TCanvas& cv) {
  if (FP.size() != 3) return;
  const TPenMode mode = cv.Pen.Mode;
  cv.Pen.Mode = TPenMode::pmXor;
  cv.Pen.Color = kPathColor;
  cv.Pen.Width = 1;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.MoveTo(Round(FP[0].x), Round(FP[0].y));
  cv.LineTo(Round(FP[1].x), Round(FP[1].y));
  cv.LineTo(Round(FP[2].x), Round(FP[2].y));
  cv.Pen.Mode = mode;
}
