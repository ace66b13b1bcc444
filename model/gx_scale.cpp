#include "gx_scale.h"

#include <cmath>
#include <numbers>

namespace {
// Below this span the factor hardly changes and there is no phase to choose.
constexpr double kMinSpan = 1e-5;
}  // namespace

TScale::TScale() {
  FId = 14;
  SetSwing(true);
  FPeriod = 200;
}

void TScale::init(double posx, double posy, double scalex1, double scaley1, double scalex2,
                  double scaley2, int per) {
  SetRefCoord(0, posx);
  SetRefCoord(1, posy);
  Fsx1 = scalex1;
  Fsy1 = scaley1;
  Fsx2 = scalex2;
  Fsy2 = scaley2;
  SetPeriod(per);
}

void TScale::reset() {
  cnt = 0;
  SetPeriod(FPeriod);
  // The axis whose factor changes more decides the phase (x on ties).
  double d = Fsx2 - Fsx1;
  double s1 = Fsx1;
  double sum = Fsx1 + Fsx2;
  if (std::fabs(Fsy2 - Fsy1) > std::fabs(d)) {
    d = Fsy2 - Fsy1;
    s1 = Fsy1;
    sum = Fsy1 + Fsy2;
  }
  if (std::fabs(d) > kMinSpan) {
    if (FAniType == at_linear) {
      cnt = RoundCount(FPeriod * (1 - s1) / (d * 2));
    } else {
      // When 1 lies outside the two extremes the sine never passes it: start at phase 0.
      const double v = (2 - sum) / d;
      if (v >= -1.0 && v <= 1.0) {
        cnt = RoundCount(std::asin(v) * FPeriod / (2 * std::numbers::pi));
      }
    }
  }
  // Until the motion has a value (a counter placed before the period waits for it) the polygon
  // keeps its drawn size, rather than collapsing onto the reference point or keeping the
  // factors the previous game ended with.
  fsx = 1;
  fsy = 1;
  matrix.reset();
}

void TScale::settime(double t) {
  TTransform::settime(t);
  if (!HasPeriod()) {
    // No phase without a period: the polygon stays at its drawn size.
    fsx = 1;
    fsy = 1;
    matrix.reset();
    return;
  }
  if (FAniType == at_linear) {
    double p;
    if (PathValue(p)) {
      fsx = Fsx1 + (Fsx2 - Fsx1) * p;
      fsy = Fsy1 + (Fsy2 - Fsy1) * p;
    }
  } else {
    const double s = SinPhase();
    fsx = s * (Fsx2 - Fsx1) / 2 + (Fsx2 + Fsx1) / 2;
    fsy = s * (Fsy2 - Fsy1) / 2 + (Fsy2 + Fsy1) / 2;
  }
  matrix.reset();
  matrix.mat[0][0] = fsx;
  matrix.mat[1][1] = fsy;
  AboutRefPoint();
}

void TScale::DrawRefImage(TCanvas& cv, int x, int y) {
  const TPenMode mode = cv.Pen.Mode;
  cv.Pen.Color = 0xFFFF;
  cv.MoveTo(x - 3, y - 3);
  cv.LineTo(x + 4, y + 4);
  cv.MoveTo(x - 3, y + 4);
  cv.LineTo(x + 4, y - 3);
  cv.Pen.Mode = mode;
}

bool TScale::LoadFromF(TTextReader& f) {
  Fsx1 = f.ReadReal();
  Fsy1 = f.ReadReal();
  f.ReadLn();
  Fsx2 = f.ReadReal();
  Fsy2 = f.ReadReal();
  f.ReadLn();
  f.ReadLn();  // the repeated header line
  const bool result = TTransform::LoadFromF(f);
  // A scale always swings; the time path it was given (the default one or a drawn one) stays.
  FSwing = true;
  return result;
}

bool TScale::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.RealsLine({Fsx1, Fsy1});
  f.RealsLine({Fsx2, Fsy2});
  return TTransform::SaveToF(f);
}
