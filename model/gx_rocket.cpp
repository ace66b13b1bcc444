#include "gx_rocket.h"

#include "gx_bullet.h"
#include "gx_polygon.h"

TRocket::TRocket() { FId = 6; }
TRocket::~TRocket() = default;
void TRocket::reset() {}
void TRocket::restart(double) {}
void TRocket::execute(TMaze&, double) {}
void TRocket::rotate(double) {}
void TRocket::SetAngle(double x) { fangle = x; }
void TRocket::SetExploded(bool v) { FExploded = v; }
bool TRocket::ThrustOn() const { return false; }
void TRocket::SetThrustOn(bool) {}
bool TRocket::CheckHit(TDrawList&, TPolygon*&, TSide*&) const { return false; }
bool TRocket::CheckHitLine(TDrawList&, const TDRect&, TPolygon*&, TSide*&) const {
  return false;
}
void TRocket::Draw(const TControl&, TCanvas&, const tmat2d&, int, bool) {}
void TRocket::DrawSpot(const TControl&, TCanvas&, const tmat2d&, int) {}
std::unique_ptr<TBullit> TRocket::Shoot() { return std::make_unique<TBullit>(); }
void TRocket::MakeShape() {}
void TRocket::MakeDebris() {}
std::unique_ptr<TPolygon> TRocket::MakeFragment(int) { return nullptr; }
void TRocket::RefreshMatrix() {}
bool TRocket::LoadFromF(TTextReader&, const TQorClass*) { return true; }
bool TRocket::SaveToF(TTextWriter&) const { return true; }
