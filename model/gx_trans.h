#pragma once
// A translation that swings a polygon from where it is drawn along the displacement (x1, y1)
// and back within one period. It has two reference points: the start point (the transform's
// reference point) and the end point, start + (x1, y1).
#include "gx_transform.h"

class TTrans : public TTransform {
  QOR_CLASS(TTrans)
 public:
  // Displacement (0, 0), period 0 until reset or the editor sets one, swinging on the default
  // swing path.
  TTrans();

  int Period() const { return FPeriod; }

  // With FRef2 set, the reference point is the end point: reading gives it and writing moves
  // only the end. Otherwise writing moves the start point and keeps the end where it was.
  double GetRefCoord(int index) const override;
  void SetRefCoord(int index, double v) override;
  // Picks the start point, else the end point; FRef2 then names the point that was hit.
  bool RefPointInRect(const TDRect& r) const override;
  // Both markers and the line between them.
  void DrawRefPoint(const TControl& f, TCanvas& cv, const tmat2d& m) override;

  // Offset 0: linear motion from phase 0, the sine from the phase where it is -1.
  void reset() override;
  void settime(double t) override;
  // A red upright cross.
  void DrawRefImage(TCanvas& cv, int x, int y) override;

  // Saving clears FRef2. Loading keeps the time path the record holds and always swings.
  bool LoadFromF(TTextReader& f) override;
  bool SaveToF(TTextWriter& f) const override;

  double x = 0;  // the current offset
  double y = 0;
  double dx = 0;  // not used by any operation
  double dy = 0;
  // Which end the editor picked is selection state rather than part of the motion, so picking
  // and saving may change it on a const transform.
  mutable bool FRef2 = false;
  double x1 = 0;  // the displacement
  double y1 = 0;
  double x2 = 1.0;  // kept in the record, not otherwise used
  double y2 = 0;
};
