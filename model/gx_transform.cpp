// Placeholder: the transform base is completed together with the rotation, scale, translation
// and physics transforms.
#include "gx_transform.h"

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
void TTransform::SetPeriod(int v) { FPeriod = v == 0 ? 200 : v; }
void TTransform::settime(double t) {
  Ft = t;
  if (++cnt >= FPeriod) cnt = 0;
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
bool TTransform::LoadFromF(TTextReader&) { return true; }
bool TTransform::SaveToF(TTextWriter&) const { return true; }
