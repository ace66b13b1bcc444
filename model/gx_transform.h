#pragma once
// Transforms: everything that moves a polygon over time. TTransform is the abstract base of
// the rotation, scale and translation of maze polygons and of the rocket's physics (TForce).
#include <cstdint>
#include <memory>

#include "canvas.h"
#include "gx_geometry.h"
#include "qor_utils.h"

class TPolygon;

enum TAniType : std::uint8_t { at_linear = 0, at_sinusoidal = 1 };

class TTransform : public TQorObj {
 public:
  TTransform();
  ~TTransform() override;
  const char* ClassName() const override { return "TTransform"; }
  int Id() const { return FId; }

  // Reference point: index 0 is x, 1 is y; other indices read 0 and write nothing.
  virtual double GetRefCoord(int index) const;
  virtual void SetRefCoord(int index, double v);
  double rx() const { return GetRefCoord(0); }
  double ry() const { return GetRefCoord(1); }

  bool Swing() const { return FSwing; }
  // Replaces the time path by the default path of the new kind of motion.
  void SetSwing(bool v);
  TAniType AniType() const { return FAniType; }
  void SetAniType(TAniType v) { FAniType = v; }
  int period() const { return FPeriod; }
  // 0 becomes 200.
  void SetPeriod(int v);

  // Advances one tick: cnt runs 0 .. period - 1 and wraps.
  virtual void settime(double t);
  // Puts the transform at the start of its motion.
  virtual void reset() = 0;
  // r.x1 <= rx < r.x2 and r.y1 <= ry < r.y2, in the polygon's own coordinates.
  virtual bool RefPointInRect(const TDRect& r) const;
  // Draws the marker at the reference point mapped through m (y flipped against f).
  virtual void DrawRefPoint(const TControl& f, TCanvas& cv, const tmat2d& m);
  virtual void DrawRefImage(TCanvas& cv, int x, int y) = 0;

  // The base record: header, reference point, swing, kind, period, time path.
  bool LoadFromF(TTextReader& f) override;
  bool SaveToF(TTextWriter& f) const override;

  double Ft = 0;
  int FId = 11;
  bool FSwing = false;
  TAniType FAniType = at_linear;
  int FPeriod = 0;
  int cnt = 0;
  tmat2d matrix;
  tvec2d refpt;
  std::unique_ptr<TPolygon> flinear;
};
