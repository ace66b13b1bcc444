#include "gx_trans.h"

#include "gx_side.h"

TTrans::TTrans() {
  FId = 15;
  SetSwing(true);
}

double TTrans::GetRefCoord(int index) const {
  if (FRef2) {
    if (index == 0) return refpt.x + x1;
    if (index == 1) return refpt.y + y1;
    return 0.0;
  }
  return TTransform::GetRefCoord(index);
}

void TTrans::SetRefCoord(int index, double v) {
  if (index == 0) {
    if (FRef2) {
      x1 = v - refpt.x;
    } else {
      x1 = refpt.x + x1 - v;
      refpt.x = v;
    }
  } else if (index == 1) {
    if (FRef2) {
      y1 = v - refpt.y;
    } else {
      y1 = refpt.y + y1 - v;
      refpt.y = v;
    }
  }
}

bool TTrans::RefPointInRect(const TDRect& r) const {
  FRef2 = false;
  if (TTransform::RefPointInRect(r)) return true;
  const double ex = refpt.x + x1, ey = refpt.y + y1;
  FRef2 = r.x1 <= ex && ex < r.x2 && r.y1 <= ey && ey < r.y2;
  return FRef2;
}

void TTrans::DrawRefPoint(const TControl& f, TCanvas& cv, const tmat2d& m) {
  double px = refpt.x, py = refpt.y;
  double qx = refpt.x + x1, qy = refpt.y + y1;
  m.Transform(px, py);
  m.Transform(qx, qy);
  const int h = f.ClientHeight();
  const TPoint p{RoundToInt(px), RoundToInt(h - py)};
  const TPoint q{RoundToInt(qx), RoundToInt(h - qy)};
  DrawRefImage(cv, p.X, p.Y);
  cv.MoveTo(p.X, p.Y);
  cv.LineTo(q.X, q.Y);
  DrawRefImage(cv, q.X, q.Y);
}

void TTrans::reset() {
  SetPeriod(FPeriod);
  // The sine is -1 (offset 0) at three quarters of the period. Taken from the period in force,
  // so that a period of 0 replaced by 200 still starts the polygon where it is drawn.
  cnt = FAniType == at_linear ? 0 : RoundCount(FPeriod * 3.0 / 4);
  x = 0;
  y = 0;
  matrix.reset();
}

void TTrans::settime(double t) {
  TTransform::settime(t);
  if (!HasPeriod()) {
    // No phase without a period: the polygon stays where it is drawn.
    x = 0;
    y = 0;
  } else if (FAniType == at_linear) {
    double p;
    if (PathValue(p)) {
      x = x1 * p;
      y = y1 * p;
    }
  } else {
    const double s = SinPhase();
    x = x1 / 2 + (x1 / 2) * s;
    y = y1 / 2 + (y1 / 2) * s;
  }
  matrix.reset();
  matrix.mat[0][2] = x;
  matrix.mat[1][2] = y;
}

void TTrans::DrawRefImage(TCanvas& cv, int px, int py) {
  const TPenMode mode = cv.Pen.Mode;
  cv.Pen.Color = 255;
  cv.MoveTo(px - 3, py);
  cv.LineTo(px + 4, py);
  cv.MoveTo(px, py - 3);
  cv.LineTo(px, py + 4);
  cv.Pen.Mode = mode;
}

bool TTrans::LoadFromF(TTextReader& f) {
  x1 = f.ReadReal();
  y1 = f.ReadReal();
  f.ReadLn();
  x2 = f.ReadReal();
  y2 = f.ReadReal();
  f.ReadLn();
  f.ReadLn();  // the repeated header line
  const bool result = TTransform::LoadFromF(f);
  // A translation always swings; the time path it was given (the default one or a drawn one)
  // stays.
  FSwing = true;
  return result;
}

bool TTrans::SaveToF(TTextWriter& f) const {
  FRef2 = false;
  f.Header(FId, ClassName());
  f.RealsLine({x1, y1});
  f.RealsLine({x2, y2});
  return TTransform::SaveToF(f);
}
