#pragma once
// One corner of a polygon, with the attributes of the edge that ends at it.
#include <cstdint>

#include "canvas.h"
#include "qor_matrix.h"
#include "qor_utils.h"

enum TSideType : std::uint8_t { st_none = 0, st_normal = 1, st_landing = 2 };

class TSide : public TQorObj {
  QOR_CLASS(TSide)
 public:
  TSide() = default;
  int Id() const { return FId; }

  // Coordinate index 0 is x, 1 is y; subclasses may redirect or add indices, and drawing and
  // picking read the corner through these accessors.
  virtual double GetCoord(int index) const;
  virtual void SetCoord(int index, double value);
  double x() const { return GetCoord(0); }
  double y() const { return GetCoord(1); }
  void SetX(double v) { SetCoord(0, v); }
  void SetY(double v) { SetCoord(1, v); }

  // The corner mapped through m and rounded to the nearest pixel (halves to even); no y flip.
  void ScreenPoint(const tmat2d& m, TPoint& pt) const;
  // r.x1 <= x < r.x2 and r.y1 <= y < r.y2, in the side's own coordinates.
  bool PointInRect(const TDRect& r) const;
  // The same test; callers pass the rectangle already in the side's coordinates, so m is unused.
  bool PointInRect(const TDRect& r, const tmat2d& /*m*/) const { return PointInRect(r); }

  bool LoadFromF(TTextReader& f) override;
  bool SaveToF(TTextWriter& f) const override;

  int FId = 1;
  tvec2d pos;  // x, y: the corner; w is carried through the file
  TColor color = -1;
  int width = -1;
  TSideType sidetype = st_none;
};

// The nearest int to v, halves to even. Values beyond +-kMaxScreenCoord are clamped to it and
// NaN gives 0, so that a hostile file cannot make drawing undefined; the bound leaves room for
// the integer arithmetic drawing does afterwards (flipping y, handle squares).
constexpr int kMaxScreenCoord = 1 << 30;
int RoundToInt(double v);
