#include "gx_bullet.h"

TBullit::TBullit() {}
double TBullit::GetCoord(int) const { return 0; }
void TBullit::SetCoord(int, double) {}
double TBullit::Force() const { return FForce; }
void TBullit::Execute(int) {}
void TBullit::HitAnimatedObjects(TMaze&) {}
void TBullit::Explode() {}
void TBullit::Draw(const TControl&, TCanvas&, const tmat2d&) {}
TBullit* TBullitList::Bullits(int) const { return nullptr; }
int TBullitList::AddBullit(std::unique_ptr<TBullit> b) { return Add(std::move(b)); }
void TBullitList::Execute(TMaze&, TRocket&, int) {}
void TBullitList::RecomputeBallHits(TMaze&, TBullit*) {}
void TBullitList::Draw(const TControl&, TCanvas&, const tmat2d&) {}
void DrawSparks(TCanvas&, TPoint, int, TColor) {}
