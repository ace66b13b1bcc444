#pragma once
// Transforms: everything that moves a polygon over time. TTransform is the abstract base of
// the rotation, scale and translation of maze polygons and of the rocket's physics (TForce).
//
// Time advances in ticks: every settime call moves the counter `cnt` on by one and wraps it to
// 0 when it reaches the period, so the phase cnt / period runs from 0 towards 1. The motion
// follows either the time path `flinear` (an open polygon in the unit square read as y(x), x
// the phase and y the progress) or a sine of the phase.
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
  void SetRx(double v) { SetRefCoord(0, v); }
  void SetRy(double v) { SetRefCoord(1, v); }

  bool Swing() const { return FSwing; }
  // Replaces the time path by the default path of the new kind of motion (also when the value
  // does not change, so an edited path is discarded).
  void SetSwing(bool v);
  TAniType AniType() const { return FAniType; }
  void SetAniType(TAniType v) { FAniType = v; }
  int period() const { return FPeriod; }
  // 0 becomes 200.
  void SetPeriod(int v);

  // Advances one tick: cnt runs 0 .. period - 1 and wraps. A counter that reset placed before
  // the period (negative) climbs towards it; with a period below 1 the counter stays 0.
  virtual void settime(double t);
  // Puts the transform at the start of its motion.
  virtual void reset() = 0;
  // r.x1 <= rx < r.x2 and r.y1 <= ry < r.y2, in the polygon's own coordinates.
  virtual bool RefPointInRect(const TDRect& r) const;
  // Draws the marker at the reference point mapped through m (y flipped against f).
  virtual void DrawRefPoint(const TControl& f, TCanvas& cv, const tmat2d& m);
  // The marker centred on pixel (x, y).
  virtual void DrawRefImage(TCanvas& cv, int x, int y) = 0;

  // The base record: header, reference point, swing, kind, period, time path. A subclass
  // writes its own header and lines first and then this record, so the header appears twice.
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
  std::unique_ptr<TPolygon> flinear;  // never null

 protected:
  // Whether the period lets the motion be computed: a period of 0 or below (only a hand-made
  // file holds a negative one) has no phase, and the transforms then do not move.
  bool HasPeriod() const { return FPeriod > 0; }
  // cnt / period; only with HasPeriod().
  double Phase() const;
  // sin(2 pi cnt / period); only with HasPeriod().
  double SinPhase() const;
  // The time path at the current phase; false when the path has no value there (a negative
  // counter, or a hand-made path that does not cover the phase or overflows).
  bool PathValue(double& p) const;
  // A starting counter value: v rounded to the nearest integer (halves to even); values that
  // do not fit an int are clamped and a value that is not a number gives 0.
  static int RoundCount(double v);
  // Builds matrix := trans(rx, ry) . matrix . trans(-rx, -ry), so that matrix acts about the
  // reference point (read through GetRefCoord).
  void AboutRefPoint();
};
