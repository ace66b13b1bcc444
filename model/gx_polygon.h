#pragma once
// The one shape of the game: a list of corners (TSide) with drawing attributes and flags. Maze
// walls, balls, the rocket's hull and flame, and animation time paths are polygons.
#include <memory>

#include "gx_drawlist.h"

class TPolygon : public TDrawList {
  QOR_LIST_CLASS(TPolygon)
 public:
  TPolygon();

  // n corners on the ellipse about (x, y) with radii rx, ry, clockwise from angle a0.
  static std::unique_ptr<TPolygon> CreateCircle(double x, double y, double rx, double ry, double a0,
                                                int n, TColor c);
  // The default time paths: (0,0) (0.5,1) (1,0) and (0,0) (1,1), open.
  static std::unique_ptr<TPolygon> CreateSwingWave();
  static std::unique_ptr<TPolygon> CreateContinuousWave();

  TColor Color() const { return FColor; }
  virtual void SetColor(TColor c);

  // Corners. Edge k runs from corner k - 1 to corner k; the corner carries the edge's colour
  // and type.
  void AddSide(double x, double y, TSideType t, TColor c);
  // The corner at index taken cyclically; null without corners.
  TSide* GetSide(int index) const;
  // Replaces the corner at index (clamped to 0 .. n; n appends).
  void SetSide(int index, std::unique_ptr<TSide> s);
  // Removes s when it is a corner and destroys it.
  void RemoveSide(TSide* s);
  void SetExtent(const TSide& s);
  void MoveTo(double x, double y);
  // Sets t's reference point to the mean of the corners.
  void TrafCenter(TTransform& t) const;
  void TransForm(const tmat2d& m) override;
  void CleanPoints();

  // Geometry in maze coordinates (corners mapped through `matrix`).
  bool Intersect(const TDRect& l, TSide*& s) const;
  bool GetNearestIntersectionPoint(const TDRect& l, bool animated, TPolygon*& pol, double& x,
                                   double& y, double& t) override;
  // The polygon read as a function y(x), in its own coordinates.
  bool ybyx(double x, double& y) const;

  // Picking, r in the polygon's own coordinates.
  // The first corner with r.x1 <= x < r.x2 and r.y1 <= y < r.y2; six := its index, else -1.
  bool PointInRect(const TDRect& r, int& six) const;
  // Inserts a corner on the first edge that passes near the centre of r; six := its index.
  bool NewPointInRect(const TDRect& r, int& six);
  // Where NewPointInRect would insert, without inserting: six := the new corner's index, at :=
  // its position (the foot of the perpendicular from the centre of r onto the edge).
  bool FindNewPoint(const TDRect& r, int& six, TDPoint& at) const;
  // The first transform whose reference point lies in r; p is left as it is.
  bool RefPointInRect(const TDRect& r, TPolygon*& p, TTransform*& trf) override;
  // The list forms, asked of a single polygon, answer for the polygon itself (p := this): its
  // entries are corners, not polygons.
  bool PointInRect(const TDRect& r, TPolygon*& p, int& six) override;
  bool NewPointInRect(const TDRect& r, TPolygon*& p, int& six) override;

  void Draw(const TControl& f, TCanvas& cv, const tmat2d& m, int w, bool doPoints) override;
  void DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz) override;

  bool LoadFromF(TTextReader& f, const TQorClass* cl = nullptr) override;
  bool SaveToF(TTextWriter& f) const override;
  // The header line and the four lines of colour, width, fill colour and fill style that
  // begin the records of polygons and balls.
  void SaveStyleLines(TTextWriter& f) const;

  TColor FColor = 0;
  int width = 0;
  TColor fillcolor = 0;
  TBrushStyle fillstyle = bsSolid;
  bool open = false;
  bool invisible = false;
  bool harmless = false;

 private:
  // Corner i, 0 <= i < Count(), without the cyclic index of GetSide: for the inner loops.
  TSide* CornerAt(std::size_t i) const { return static_cast<TSide*>(items_[i].get()); }
  // The number of edges: one less than the corners for an open outline.
  int EdgeCount() const { return open ? Count() - 1 : Count(); }
};
