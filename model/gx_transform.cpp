#include "gx_transform.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "gx_polygon.h"

TTransform::TTransform() : flinear(TPolygon::CreateContinuousWave()) {}
TTransform::~TTransform() = default;

double TTransform::GetRefCoord(int index) const {
  return index == 0 ? refpt.x : index == 1 ? refpt.y : 0.0;
}

void TTransform::SetRefCoord(int index, double v) {
  if (index == 0) refpt.x = v;
  if (index == 1) refpt.y = v;
}

void TTransform::SetSwing(bool v) {
  FSwing = v;
  flinear = v ? TPolygon::CreateSwingWave() : TPolygon::CreateContinuousWave();
}

void TTransform::SetPeriod(int v) {
  FPeriod = v == 0 ? 200 : v;
}

void TTransform::settime(double t) {
  Ft = t;
  // In 64 bits: a counter clamped to the top of the int range must not overflow here.
  const std::int64_t next = static_cast<std::int64_t>(cnt) + 1;
  cnt = (FPeriod <= 0 || next >= FPeriod) ? 0 : static_cast<int>(next);
}

bool TTransform::RefPointInRect(const TDRect& r) const {
  const double x = GetRefCoord(0), y = GetRefCoord(1);
  return r.x1 <= x && x < r.x2 && r.y1 <= y && y < r.y2;
}

void TTransform::DrawRefPoint(const TControl& f, TCanvas& cv, const tmat2d& m) {
  double x = refpt.x, y = refpt.y;
  m.Transform(x, y);
  DrawRefImage(cv, RoundToInt(x), RoundToInt(f.ClientHeight() - y));
}

double TTransform::Phase() const {
  return static_cast<double>(cnt) / FPeriod;
}

double TTransform::SinPhase() const {
  return std::sin(2.0 * cnt * std::numbers::pi / FPeriod);
}

bool TTransform::PathValue(double& p) const {
  // A hand-made path with enormous corners can overflow while it is interpolated; such a value
  // counts as none, so the motion holds its pose rather than spreading infinities.
  double v;
  if (!flinear->ybyx(Phase(), v) || !std::isfinite(v)) return false;
  p = v;
  return true;
}

int TTransform::RoundCount(double v) {
  if (std::isnan(v)) return 0;
  const double r = std::nearbyint(v);
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (r <= -static_cast<double>(INT_MAX)) return -INT_MAX;
  return static_cast<int>(r);
}

void TTransform::AboutRefPoint() {
  const double x = GetRefCoord(0), y = GetRefCoord(1);
  matrix.MXMat(tmat2d::trans(-x, -y));
  matrix.MatXM(tmat2d::trans(x, y));
}

bool TTransform::LoadFromF(TTextReader& f) {
  const double x = f.ReadReal();
  const double y = f.ReadReal();
  const int swing = f.ReadInteger();
  const int kind = f.ReadInteger();
  const int per = f.ReadInteger();
  f.ReadLn();
  f.ReadLn();  // the time path's header line: always a polygon
  auto path = std::make_unique<TPolygon>();
  path->LoadFromF(f);
  flinear = std::move(path);
  refpt.x = x;
  refpt.y = y;
  FSwing = swing != 0;
  // Any kind other than 0 is read as the sine, the way flags read any nonzero value as true.
  FAniType = kind == 0 ? at_linear : at_sinusoidal;
  // Kept as read, also 0 or a negative value, so that the record is written back unchanged.
  FPeriod = per;
  return true;
}

bool TTransform::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.Real(refpt.x).Blank().Real(refpt.y).Blank();
  f.Integer(FSwing ? 1 : 0).Blank().Integer(FAniType).Blank().Integer(FPeriod).EndLine();
  return flinear->SaveToF(f);
}
