#pragma once
// Balls: the round targets of a maze. A struck ball flashes through ten shades of its colour
// and disappears; the maze is cleared when every ball is gone.
#include <memory>
#include <vector>

#include "gx_polygon.h"

// A 20-sided circle of radius FSize about the origin of its own coordinates; its centre in the
// maze is the translation of its `matrix` (m02, m12). It has no transforms.
class TBall : public TPolygon {
  QOR_LIST_CLASS(TBall)
 public:
  TBall();

  // Rebuilds the 20 corners from FSize in the current colour.
  void MakeOutline();
  double Size() const { return FSize; }
  void SetSize(double x);
  // Sets the colour and rebuilds the ten explosion shades; the corners keep their colour.
  void SetColor(TColor c) override;
  int ExplTicks() const { return FExplTicks; }
  // Starts (or sets) the explosion countdown and remembers the colour to restore.
  void SetExplTicks(int v);
  // Ends a running explosion at once, the ball's own colour back; it stays visible.
  void StopExplosion();

  // The centre in maze coordinates.
  double CenterX() const { return matrix.mat[0][2]; }
  double CenterY() const { return matrix.mat[1][2]; }

  // One tick of the explosion; t is not used.
  void Execute(double t) override;
  // Keeps the position: a ball is not animated and its centre lives in its matrix.
  void reset() override;
  // Strictly inside the circle; false while exploding or invisible.
  bool PointInBall(double x, double y) const;
  // The polygon's nearest-hit search on the outline; false while invisible or exploding.
  bool GetNearestIntersectionPoint(const TDRect& l, bool animated, TPolygon*& pol, double& x,
                                   double& y, double& t) override;
  // Scales the position by the diagonal of m; size and corners stay.
  void TransForm(const tmat2d& m) override;
  // The overview dot: a filled circle of radius 3 pixels, drawn even when invisible.
  using TPolygon::DrawSpot;
  void DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m);

  bool LoadFromF(TTextReader& f, const TQorClass* cl = nullptr) override;
  bool SaveToF(TTextWriter& f) const override;

  // The explosion shades, dim - full - dim; always exactly ten.
  std::vector<TColor> FColList;
  double FSize = 0;
  double FSize2 = 0;
  int FExplTicks = 0;
  TColor FExplCol = 0;
};

// The balls of a maze.
class TBallList : public TDrawList {
  QOR_LIST_CLASS(TBallList)
 public:
  TBallList();
  // The ball at index, or null outside 0 .. Count - 1 (or when the entry is not a ball).
  TBall* GetBall(int index) const;
  // Runs every ball's explosion tick; the list itself has no animation.
  void Execute(double t) override;
};
