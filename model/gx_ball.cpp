#include "gx_ball.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace {
constexpr int kBallCorners = 20;
constexpr int kExplColors = 10;

TBrushStyle BrushStyleFromFile(int v) {
  // A fill pattern outside the eight known ones would reach the drawing surface as an
  // undefined brush; fall back to the ball's own default.
  return v >= bsSolid && v <= bsDiagCross ? static_cast<TBrushStyle>(v) : bsClear;
}
}  // namespace

TBall::TBall() {
  FId = 4;
  SetColor(0xFFFFFF);
  fillcolor = 0;
  fillstyle = bsClear;
  SetSize(0.03);
}

void TBall::MakeOutline() {
  ClearAll();
  for (int i = 0; i < kBallCorners; ++i) {
    const double a = i * std::numbers::pi / 10;
    AddSide(FSize * std::cos(a), FSize * std::sin(a), st_normal, FColor);
  }
}

void TBall::SetSize(double x) {
  FSize = x;
  FSize2 = x * x;
  MakeOutline();
}

void TBall::SetColor(TColor c) {
  FColor = c;
  const auto u = static_cast<std::uint32_t>(c);
  const double r = u & 0xFF, g = (u >> 8) & 0xFF, b = (u >> 16) & 0xFF;
  FColList.assign(kExplColors, 0);
  // The angle starts at pi/6 rounded to the nearest double (not the double pi divided by 6,
  // which lies below it and would make the first shade of 255 come out 127 instead of 128) and
  // is accumulated step by step, so that the shades are exactly those the game has always shown.
  double a = 0.523598775598298873077107230546583814;  // pi / 6
  for (int i = 0; i < kExplColors; ++i) {
    const double s = std::sin(a);
    FColList[i] = static_cast<TColor>((static_cast<std::uint32_t>(std::nearbyint(b * s)) << 16) +
                                      (static_cast<std::uint32_t>(std::nearbyint(g * s)) << 8) +
                                      static_cast<std::uint32_t>(std::nearbyint(r * s)));
    a += std::numbers::pi / 12;
  }
}

void TBall::SetExplTicks(int v) {
  FExplTicks = v;
  FExplCol = FColor;
}

void TBall::StopExplosion() {
  if (FExplTicks > 0) SetColor(FExplCol);
  FExplTicks = 0;
}

void TBall::reset() {
  // A ball's position is the translation of its matrix and it has no animation: the draw
  // list's reset would send it to the origin.
}

void TBall::Execute(double) {
  if (FExplTicks <= 0) return;
  --FExplTicks;
  // A countdown longer than the ten shades holds the last one until it is within range.
  const int ix = FExplTicks < kExplColors ? FExplTicks : kExplColors - 1;
  FColor = FColList[ix];
  if (FExplTicks <= 0) {
    invisible = true;
    SetColor(FExplCol);
  }
}

bool TBall::PointInBall(double x, double y) const {
  if (FExplTicks > 0 || invisible) return false;
  const double dx = x - CenterX(), dy = y - CenterY();
  return dx * dx + dy * dy < FSize2;
}

bool TBall::GetNearestIntersectionPoint(const TDRect& l, bool animated, TPolygon*& pol, double& x,
                                        double& y, double& t) {
  if (invisible || FExplTicks > 0) return false;
  return TPolygon::GetNearestIntersectionPoint(l, animated, pol, x, y, t);
}

void TBall::TransForm(const tmat2d& m) {
  matrix.mat[0][2] *= m.mat[0][0];
  matrix.mat[1][2] *= m.mat[1][1];
}

void TBall::DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m) {
  cv.Pen.Color = FColor;
  cv.Pen.Width = width;
  cv.Pen.Mode = TPenMode::pmCopy;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.Brush.Color = FColor;
  cv.Brush.Style = bsSolid;
  double x = CenterX(), y = CenterY();
  m.Transform(x, y);
  const double h = f.ClientHeight();
  cv.Ellipse(RoundToInt(x - 3), RoundToInt(h - y + 3), RoundToInt(x + 3), RoundToInt(h - y - 3));
}

bool TBall::LoadFromF(TTextReader& f, const TQorClass*) {
  const TColor c = f.ReadInteger();
  f.ReadLn();
  SetColor(c);
  width = f.ReadInteger();
  f.ReadLn();
  fillcolor = f.ReadInteger();
  f.ReadLn();
  fillstyle = BrushStyleFromFile(f.ReadInteger());
  f.ReadLn();
  const double cx = f.ReadReal();
  const double cy = f.ReadReal();
  const double size = f.ReadReal();
  f.ReadLn();
  matrix.mat[0][2] = cx;
  matrix.mat[1][2] = cy;
  SetSize(size);
  ReadRectLine(f, extent);
  open = f.ReadInteger() != 0;
  f.ReadLn();
  invisible = f.ReadInteger() != 0;
  f.ReadLn();
  return true;
}

bool TBall::SaveToF(TTextWriter& f) const {
  SaveStyleLines(f);
  f.RealsLine({CenterX(), CenterY(), FSize});
  WriteRectLine(f, extent);
  f.IntLine(open ? 1 : 0);
  f.IntLine(invisible ? 1 : 0);
  return true;
}

TBallList::TBallList() {
  FId = 9;
}

TBall* TBallList::GetBall(int index) const {
  return dynamic_cast<TBall*>(GetPolygon(index));
}

void TBallList::Execute(double t) {
  // Only the balls' explosions advance: the list has no animation of its own, and a
  // hand-edited file may hold plain polygons here, which keep their own behaviour.
  for (int i = 0; i < Count(); ++i) GetPolygon(i)->Execute(t);
}
