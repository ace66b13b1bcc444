#include "gx_traflist.h"

#include <string>

#include "gx_force.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_trans.h"

namespace {
// The transform whose record starts with this header identifier; null for any other.
std::unique_ptr<TTransform> CreateTransform(int id) {
  switch (id) {
    case 12:
      return std::make_unique<TForce>();
    case 13:
      return std::make_unique<TRotate>();
    case 14:
      return std::make_unique<TScale>();
    case 15:
      return std::make_unique<TTrans>();
    default:
      return nullptr;
  }
}
}  // namespace

TTransform* TTrafList::GetTraf(int ix) const {
  return ix < 0 || ix >= Count() ? nullptr : static_cast<TTransform*>(items_[ix].get());
}

void TTrafList::SetTraf(int ix, std::unique_ptr<TTransform> v) {
  if (!v) return;  // the list never holds null
  if (ix < 0) {
    Insert(0, std::move(v));
  } else if (ix >= Count()) {
    Add(std::move(v));
  } else {
    FreeItem(ix);
    Insert(ix, std::move(v));
  }
}

int TTrafList::AddTraf(std::unique_ptr<TTransform> v) {
  return v ? Add(std::move(v)) : -1;
}

void TTrafList::AddForce(double force, double mass, double friction, double angle, double gravx,
                         double gravy, double accx, double accy, double velx, double vely,
                         double posx, double posy) {
  auto f = std::make_unique<TForce>();
  f->init(force, mass, friction, angle, gravx, gravy, accx, accy, velx, vely, posx, posy);
  Add(std::move(f));
}

void TTrafList::AddRotation(double angle, double rotx, double roty, int period) {
  auto r = std::make_unique<TRotate>();
  r->init(angle, rotx, roty, period);
  Add(std::move(r));
}

void TTrafList::AddScale(double posx, double posy, double scalex1, double scaley1, double scalex2,
                         double scaley2, int period) {
  auto s = std::make_unique<TScale>();
  s->init(posx, posy, scalex1, scaley1, scalex2, scaley2, period);
  Add(std::move(s));
}

void TTrafList::MakeMatrix() {
  Fmatrix.reset();
  for (const auto& item : items_) Fmatrix.MatXM(static_cast<const TTransform&>(*item).matrix);
}

void TTrafList::reset() {
  for (const auto& item : items_) static_cast<TTransform&>(*item).reset();
  MakeMatrix();
}

void TTrafList::settime(double t) {
  for (const auto& item : items_) static_cast<TTransform&>(*item).settime(t);
  MakeMatrix();
}

bool TTrafList::LoadFromF(TTextReader& f, const TQorClass*) {
  const int n = f.ReadInteger();
  f.ReadLn();
  for (int i = 0; i < n; ++i) {
    f.RequireEntry();
    const int id = f.ReadHeaderId();
    std::unique_ptr<TTransform> traf = CreateTransform(id);
    if (!traf) {
      throw EQorError("Element " + std::to_string(i) + " in " + ClassName() +
                      " has invalid id: " + std::to_string(id));
    }
    traf->LoadFromF(f);
    Add(std::move(traf));
  }
  return true;
}

bool TTrafList::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.IntLine(Count());
  for (int i = 0; i < Count(); ++i) GetTraf(i)->SaveToF(f);
  return true;
}
