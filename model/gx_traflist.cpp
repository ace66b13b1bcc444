// Placeholder: composition and the full record come with the transforms.
#include "gx_traflist.h"

TTransform* TTrafList::GetTraf(int ix) const {
  return ix < 0 || ix >= Count() ? nullptr : static_cast<TTransform*>(items_[ix].get());
}
void TTrafList::SetTraf(int ix, std::unique_ptr<TTransform> v) {
  if (!v) return;
  if (ix < 0) {
    Insert(0, std::move(v));
  } else if (ix >= Count()) {
    Add(std::move(v));
  } else {
    FreeItem(ix);
    Insert(ix, std::move(v));
  }
}
int TTrafList::AddTraf(std::unique_ptr<TTransform> v) { return Add(std::move(v)); }
void TTrafList::AddForce(double, double, double, double, double, double, double, double, double,
                         double, double, double) {}
void TTrafList::AddRotation(double, double, double, int) {}
void TTrafList::AddScale(double, double, double, double, double, double, int) {}
void TTrafList::MakeMatrix() {
  Fmatrix.reset();
  for (int i = 0; i < Count(); ++i) Fmatrix.MatXM(GetTraf(i)->matrix);
}
void TTrafList::reset() {
  for (int i = 0; i < Count(); ++i) GetTraf(i)->reset();
  MakeMatrix();
}
void TTrafList::settime(double t) {
  for (int i = 0; i < Count(); ++i) GetTraf(i)->settime(t);
  MakeMatrix();
}
bool TTrafList::LoadFromF(TTextReader& f, const TQorClass*) {
  const int n = f.ReadInteger();
  f.ReadLn();
  for (int i = 0; i < n; ++i) {
    f.RequireEntry();
    const int id = f.ReadHeaderId();
    throw EQorError("Element " + std::to_string(i) + " in TTrafList has invalid id: " +
                    std::to_string(id));
  }
  return true;
}
bool TTrafList::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.IntLine(Count());
  for (int i = 0; i < Count(); ++i) GetTraf(i)->SaveToF(f);
  return true;
}
