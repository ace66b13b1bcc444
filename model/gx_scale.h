#pragma once
// A scaling about the transform's reference point, with separate factors for x and y, that
// swings from the first extreme factors to the second and back within one period.
#include "gx_transform.h"

class TScale : public TTransform {
  QOR_CLASS(TScale)
 public:
  // All factors 1 (no visible change), period 200, swinging on the default swing path.
  TScale();

  void init(double posx, double posy, double scalex1, double scaley1, double scalex2,
            double scaley2, int per);

  double sx1() const { return Fsx1; }
  double sy1() const { return Fsy1; }
  double sx2() const { return Fsx2; }
  double sy2() const { return Fsy2; }
  void SetSx1(double v) { Fsx1 = v; }
  void SetSy1(double v) { Fsy1 = v; }
  void SetSx2(double v) { Fsx2 = v; }
  void SetSy2(double v) { Fsy2 = v; }

  // The phase at which the factor of the axis that changes more passes 1, the drawn size.
  void reset() override;
  void settime(double t) override;
  // A yellow diagonal cross.
  void DrawRefImage(TCanvas& cv, int x, int y) override;

  // Loading keeps the time path the record holds and always swings.
  bool LoadFromF(TTextReader& f) override;
  bool SaveToF(TTextWriter& f) const override;

  double Fdsx = 0;  // not used by any operation
  double Fdsy = 0;
  double Fsx1 = 1.0;
  double Fsy1 = 1.0;
  double Fsx2 = 1.0;
  double Fsy2 = 1.0;
  // The current factors; the drawn size until the motion first has a value.
  double fsx = 1.0;
  double fsy = 1.0;
};
