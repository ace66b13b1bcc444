#include "gx_ball.h"

TBall::TBall() { FId = 4; }
void TBall::MakeOutline() {}
void TBall::SetSize(double x) {
  FSize = x;
  FSize2 = x * x;
}
void TBall::SetColor(TColor c) { FColor = c; }
void TBall::SetExplTicks(int v) { FExplTicks = v; }
void TBall::Execute(double) {}
bool TBall::PointInBall(double, double) const { return false; }
bool TBall::GetNearestIntersectionPoint(const TDRect&, bool, TPolygon*&, double&, double&,
                                        double&) {
  return false;
}
void TBall::TransForm(const tmat2d&) {}
void TBall::DrawSpot(const TControl&, TCanvas&, const tmat2d&) {}
bool TBall::LoadFromF(TTextReader&, const TQorClass*) { return true; }
bool TBall::SaveToF(TTextWriter&) const { return true; }

TBallList::TBallList() { FId = 9; }
TBall* TBallList::GetBall(int) const { return nullptr; }
void TBallList::Execute(double) {}
