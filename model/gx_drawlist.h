#pragma once
// A draw list: an owning list of polygons with the animation that moves them as a group (its
// transform list, the matrix those transforms produce now) and a bounding rectangle. Polygons,
// mazes, ball lists and the rocket are draw lists.
#include <memory>

#include "canvas.h"
#include "gx_geometry.h"
#include "gx_side.h"
#include "qor_utils.h"

class TPolygon;
class TTrafList;
class TTransform;
class TRotate;
class TScale;
class TTrans;

class TDrawList : public TQorList {
  QOR_LIST_CLASS(TDrawList)
 public:
  TDrawList();
  ~TDrawList() override;

  int Id() const { return FId; }
  TTrafList* TrafList() const { return FTrafList.get(); }
  int TickUnit() const { return FTickUnit; }
  virtual void SetTickUnit(int v);

  // True when every entry is invisible (also when there are none); writing sets every entry.
  bool InVisible() const;
  void SetInVisible(bool v);

  // The first transform of that class in the transform list, or null. Writing removes and
  // destroys the present one and appends the new one at the end of the list (null adds none).
  TRotate* Rot() const;
  TScale* Scale() const;
  TTrans* Trans() const;
  void SetRot(std::unique_ptr<TRotate> v);
  void SetScale(std::unique_ptr<TScale> v);
  void SetTrans(std::unique_ptr<TTrans> v);

  // The entry at index, or null outside 0 .. Count - 1.
  TPolygon* GetPolygon(int index) const;
  int AddPolygon(std::unique_ptr<TPolygon> p);
  // Recomputes `extent` from the entries' own extents; (-1, 1, -1, 1) without entries.
  void GetExtent();

  virtual void reset();
  // Removes p from the list and destroys it; a p that is not an entry is left alone, since
  // the list cannot own what it does not hold.
  virtual void RemovePolygon(TPolygon* p);
  // Moves p one place towards the end (doraise, drawn later) or the start.
  void RaisePolOrder(bool doraise, TPolygon* p);
  // Permanently moves the entries' corners by m . matrix.
  virtual void TransForm(const tmat2d& m);
  // Draws every entry with m . matrix; f's client height flips y.
  virtual void Draw(const TControl& f, TCanvas& cv, const tmat2d& m, int w, bool doPoints);
  virtual void DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz);
  // Advances the animation of the subtree to time t (one tick).
  virtual void Execute(double t);
  virtual bool GetNearestIntersectionPoint(const TDRect& l, bool animated, TPolygon*& pol,
                                           double& x, double& y, double& t);
  virtual bool PointInRect(const TDRect& r, TPolygon*& p, int& six);
  virtual bool RefPointInRect(const TDRect& r, TPolygon*& p, TTransform*& trf);
  virtual bool NewPointInRect(const TDRect& r, TPolygon*& p, int& six);

  bool LoadFromF(TTextReader& f, const TQorClass* cl = nullptr) override;
  bool SaveToF(TTextWriter& f) const override;

  int FId = 5;
  std::unique_ptr<TTrafList> FTrafList;
  int FTickUnit = 0;
  tmat2d matrix;
  TDRect extent;

 protected:
  // The polygon record of an entry with this header identifier (2 or 3: TPolygon, 4: TBall);
  // null for any other identifier.
  static std::unique_ptr<TPolygon> CreateEntry(int id);
  // Reads the transform-list tail of a record: the header integer and, when it is 16, the body.
  static void LoadTrafListTail(TTextReader& f, TTrafList& traflist);
};
