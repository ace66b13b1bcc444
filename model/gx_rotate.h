#pragma once
// A rotation about the transform's reference point: the turning and swinging polygons of a
// maze, the rocket's heading (set directly by angle) and the spin of its debris.
#include "gx_transform.h"

class TRotate : public TTransform {
  QOR_CLASS(TRotate)
 public:
  // Still (period 0) until a period is set; all angles 0, counter-clockwise, linear, with the
  // continuous default time path.
  TRotate();

  void init(double angle, double rotx, double roty, int per);

  // Angles in radians, counter-clockwise; index 0 is the current angle a, 1 is a1, 2 is a2.
  double a() const { return Fa; }
  double a1() const { return Fa1; }
  double a2() const { return Fa2; }
  // Index 0 also rebuilds the matrix; other indices than 0, 1, 2 do nothing.
  void SetAngle(int index, double v);
  void SetA(double v) { SetAngle(0, v); }
  void SetA1(double v) { SetAngle(1, v); }
  void SetA2(double v) { SetAngle(2, v); }
  double da() const { return Fda; }
  void SetDa(double v) { Fda = v; }
  bool cw() const { return Fcw; }
  // The direction of a continuous rotation follows at the next reset.
  void SetCw(bool v) { Fcw = v; }

  // matrix := the rotation by Fa about the reference point.
  void UpdateMatrix();

  // Angle 0, and for a swing the phase at which the swing passes the angle 0.
  void reset() override;
  void settime(double t) override;
  // A small blue circle.
  void DrawRefImage(TCanvas& cv, int x, int y) override;

  bool LoadFromF(TTextReader& f) override;
  bool SaveToF(TTextWriter& f) const override;

  double Fa1 = 0;
  double Fa2 = 0;
  double Fa = 0;
  double Fda = 0;
  bool Fcw = false;
};
