#include "gx_rotate.h"

#include <cmath>
#include <numbers>

namespace {
// Below this span the two extremes count as equal: there is no phase at which the swing
// passes the angle 0, and the starting phase formulas would divide by (almost) nothing.
constexpr double kMinSpan = 1e-5;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
}  // namespace

TRotate::TRotate() {
  FId = 13;
}

void TRotate::init(double angle, double rotx, double roty, int per) {
  SetRefCoord(0, rotx);
  SetRefCoord(1, roty);
  SetPeriod(per);
  SetAngle(0, angle);
}

void TRotate::SetAngle(int index, double v) {
  switch (index) {
    case 0:
      Fa = v;
      UpdateMatrix();
      break;
    case 1:
      Fa1 = v;
      break;
    case 2:
      Fa2 = v;
      break;
    default:
      break;
  }
}

void TRotate::UpdateMatrix() {
  const double c = std::cos(Fa), s = std::sin(Fa);
  matrix.reset();
  matrix.mat[0][0] = c;
  matrix.mat[0][1] = -s;
  matrix.mat[1][0] = s;
  matrix.mat[1][1] = c;
  AboutRefPoint();
}

void TRotate::reset() {
  SetAngle(0, 0);
  cnt = 0;
  if (FSwing) {
    // Start where the swing passes the angle 0, so that the polygon begins where it is drawn.
    // Equal extremes, or a sine swing whose range does not hold 0, start at phase 0.
    const double span = Fa2 - Fa1;
    if (std::fabs(span) > kMinSpan) {
      if (FAniType == at_linear) {
        cnt = RoundCount(-Fa1 * FPeriod / (span * 2));
      } else {
        const double k = Fcw ? (Fa2 + Fa1) / span : (-Fa2 - Fa1) / span;
        if (k >= -1.0 && k <= 1.0) cnt = RoundCount(std::asin(k) * FPeriod / kTwoPi);
      }
    }
  }
  Fda = Fcw ? -1.0 : 1.0;
}

void TRotate::settime(double t) {
  TTransform::settime(t);
  if (!HasPeriod()) return;  // a still rotation: the rocket sets its heading directly
  double a;
  double p;
  if (FSwing) {
    if (FAniType == at_linear) {
      if (!PathValue(p)) return;  // no value at this phase: keep the angle
      a = Fa1 + p * (Fa2 - Fa1);
    } else if (Fcw) {
      a = (Fa2 + Fa1) / 2 - SinPhase() * (Fa2 - Fa1) / 2;
    } else {
      a = SinPhase() * (Fa2 - Fa1) / 2 + (Fa2 + Fa1) / 2;
    }
  } else if (FAniType == at_linear) {
    // A path without a value here keeps the angle for this tick: raising an error from the
    // game tick would show a message box twenty times a second.
    if (!PathValue(p)) return;
    a = Fda * kTwoPi * p;
  } else {
    a = SinPhase() * (Fda * kTwoPi);
  }
  SetAngle(0, a);
}

void TRotate::DrawRefImage(TCanvas& cv, int x, int y) {
  const TPenMode mode = cv.Pen.Mode;
  cv.Pen.Color = 0xFF0000;
  cv.Brush.Style = bsClear;
  cv.Ellipse(x - 3, y - 3, x + 4, y + 4);
  cv.Pen.Mode = mode;
}

bool TRotate::LoadFromF(TTextReader& f) {
  Fa1 = f.ReadReal();
  Fa2 = f.ReadReal();
  Fcw = f.ReadInteger() != 0;
  f.ReadLn();
  f.ReadLn();  // the repeated header line
  return TTransform::LoadFromF(f);
}

bool TRotate::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.Real(Fa1).Blank().Real(Fa2).Blank().Integer(Fcw ? 1 : 0).EndLine();
  return TTransform::SaveToF(f);
}
