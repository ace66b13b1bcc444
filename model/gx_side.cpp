#include "gx_side.h"

#include <cmath>

int RoundToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= kMaxScreenCoord) return kMaxScreenCoord;
  if (v <= -kMaxScreenCoord) return -kMaxScreenCoord;
  return static_cast<int>(std::nearbyint(v));  // default rounding mode: halves to even
}

double TSide::GetCoord(int index) const {
  switch (index) {
    case 0:
      return pos.x;
    case 1:
      return pos.y;
    default:
      return 0.0;
  }
}

void TSide::SetCoord(int index, double value) {
  if (index == 0) {
    pos.x = value;
  } else if (index == 1) {
    pos.y = value;
  }
}

void TSide::ScreenPoint(const tmat2d& m, TPoint& pt) const {
  const double x = GetCoord(0);
  const double y = GetCoord(1);
  const auto& a = m.mat;
  pt.X = RoundToInt(a[0][0] * x + a[0][1] * y + a[0][2]);
  pt.Y = RoundToInt(a[1][0] * x + a[1][1] * y + a[1][2]);
}

bool TSide::PointInRect(const TDRect& r) const {
  const double x = GetCoord(0);
  const double y = GetCoord(1);
  return r.x1 <= x && x < r.x2 && r.y1 <= y && y < r.y2;
}

bool TSide::LoadFromF(TTextReader& f) {
  pos.x = f.ReadReal();
  pos.y = f.ReadReal();
  pos.w = f.ReadReal();
  f.ReadLn();
  color = f.ReadInteger();
  f.ReadLn();
  width = f.ReadInteger();
  f.ReadLn();
  const int st = f.ReadInteger();
  f.ReadLn();
  // Only the three kinds exist; anything else in a damaged file behaves as st_none does.
  sidetype = st >= st_none && st <= st_landing ? static_cast<TSideType>(st) : st_none;
  return true;
}

bool TSide::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.RealsLine({pos.x, pos.y, pos.w});
  f.IntLine(color);
  f.IntLine(width);
  f.IntLine(sidetype);
  return true;
}
