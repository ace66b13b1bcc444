#pragma once
// The ordered transforms of one draw list and the matrix they compose to: entry 0 acts on a
// point first, the last entry last.
#include <memory>

#include "gx_transform.h"
#include "qor_utils.h"

class TTrafList : public TQorList {
  QOR_LIST_CLASS(TTrafList)
 public:
  TTrafList() = default;
  int Id() const { return FId; }
  const tmat2d& matrix() const { return Fmatrix; }

  // The entry at ix, or null outside 0 .. Count - 1.
  TTransform* GetTraf(int ix) const;
  // ix < 0 inserts v first, ix >= Count appends, otherwise v replaces (and destroys) entry ix.
  void SetTraf(int ix, std::unique_ptr<TTransform> v);
  // Appends v; -1 (and nothing added) for null.
  int AddTraf(std::unique_ptr<TTransform> v);
  void AddForce(double force, double mass, double friction, double angle, double gravx,
                double gravy, double accx, double accy, double velx, double vely, double posx,
                double posy);
  void AddRotation(double angle, double rotx, double roty, int period);
  void AddScale(double posx, double posy, double scalex1, double scaley1, double scalex2,
                double scaley2, int period);

  // Fmatrix := M(n-1) . ... . M(0), each entry's matrix as it is now.
  void MakeMatrix();
  // Resets, or advances by one tick, every entry in order, then composes.
  void reset();
  void settime(double t);

  // The body after the header line: the count and each entry's record, appended to the list.
  // An entry identifier other than 12 (TForce), 13 (TRotate), 14 (TScale) or 15 (TTrans)
  // stops loading with "Element N in TTrafList has invalid id: X".
  bool LoadFromF(TTextReader& f, const TQorClass* cl = nullptr) override;
  bool SaveToF(TTextWriter& f) const override;

  int FId = 16;
  tmat2d Fmatrix;
};
