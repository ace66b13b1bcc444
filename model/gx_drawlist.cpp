#include "gx_drawlist.h"

#include <string>

#include "gx_ball.h"
#include "gx_polygon.h"
#include "gx_traflist.h"

namespace {

// Entries of a draw list are polygons. TPolygon (whose entries are corners) overrides every
// traversal that reads entries this way, so the cast never sees a corner.
inline TPolygon* PolygonEntry(const std::unique_ptr<TQorBase>& item) {
  return static_cast<TPolygon*>(item.get());
}

}  // namespace

TDrawList::TDrawList() : FTrafList(std::make_unique<TTrafList>()) {}

TDrawList::~TDrawList() = default;

void TDrawList::SetTickUnit(int v) {
  FTickUnit = v;
}

bool TDrawList::InVisible() const {
  for (const auto& item : items_) {
    const auto* p = dynamic_cast<const TPolygon*>(item.get());
    if (p && !p->invisible) return false;
  }
  return true;
}

void TDrawList::SetInVisible(bool v) {
  for (const auto& item : items_) {
    if (auto* p = dynamic_cast<TPolygon*>(item.get())) p->invisible = v;
  }
}

TPolygon* TDrawList::GetPolygon(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return dynamic_cast<TPolygon*>(items_[static_cast<std::size_t>(index)].get());
}

int TDrawList::AddPolygon(std::unique_ptr<TPolygon> p) {
  return Add(std::move(p));
}

void TDrawList::GetExtent() {
  if (items_.empty()) {
    extent = TDRect{-1, 1, -1, 1};
    return;
  }
  bool first = true;
  for (const auto& item : items_) {
    const auto* d = dynamic_cast<const TDrawList*>(item.get());
    if (!d) continue;
    if (first) {
      extent = d->extent;
      first = false;
    } else {
      RectUnion(extent, d->extent, extent);
    }
  }
}

void TDrawList::reset() {
  matrix.reset();
  FTrafList->reset();
  for (const auto& item : items_) {
    auto* d = dynamic_cast<TDrawList*>(item.get());
    if (!d) break;
    d->reset();
  }
}

void TDrawList::RemovePolygon(TPolygon* p) {
  // Extract hands the entry back; dropping it destroys it. A p that is not an entry belongs to
  // someone else and is left to its owner.
  Extract(p);
}

void TDrawList::RaisePolOrder(bool doraise, TPolygon* p) {
  const int ix = IndexOf(p);
  if (ix < 0) return;
  const int other = doraise ? ix + 1 : ix - 1;
  if (other < 0 || other >= Count()) return;
  Exchange(ix, other);
}

void TDrawList::TransForm(const tmat2d& m) {
  const tmat2d c = m * matrix;
  for (const auto& item : items_) PolygonEntry(item)->TransForm(c);
}

void TDrawList::Draw(const TControl& f, TCanvas& cv, const tmat2d& m, int w, bool doPoints) {
  const tmat2d c = m * matrix;
  for (const auto& item : items_) PolygonEntry(item)->Draw(f, cv, c, w, doPoints);
}

void TDrawList::DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz) {
  const tmat2d c = m * matrix;
  for (const auto& item : items_) PolygonEntry(item)->DrawSpot(f, cv, c, sz);
}

void TDrawList::Execute(double t) {
  for (const auto& item : items_) {
    auto* d = dynamic_cast<TDrawList*>(item.get());
    if (!d) break;
    d->Execute(t);
  }
  matrix.reset();
  if (FTrafList && FTrafList->Count() > 0) {
    FTrafList->settime(t);
    matrix.MatXM(FTrafList->matrix());
  }
}

bool TDrawList::GetNearestIntersectionPoint(const TDRect& l, bool animated, TPolygon*& pol,
                                            double& x, double& y, double& t) {
  // t2 carries the best parameter so far from entry to entry, so each entry only reports hits
  // nearer than everything found before it.
  double t2 = t;
  double x2 = 0, y2 = 0;
  TPolygon* pol2 = nullptr;
  bool found = false;
  for (const auto& item : items_) {
    if (PolygonEntry(item)->GetNearestIntersectionPoint(l, animated, pol2, x2, y2, t2) &&
        (t == -1 || t > t2)) {
      x = x2;
      y = y2;
      t = t2;
      pol = pol2;
      found = true;
    }
  }
  return found;
}

bool TDrawList::PointInRect(const TDRect& r, TPolygon*& p, int& six) {
  for (const auto& item : items_) {
    TPolygon* q = PolygonEntry(item);
    int ix = -1;
    if (q->PointInRect(r, ix)) {
      p = q;
      six = ix;
      return true;
    }
  }
  return false;
}

bool TDrawList::RefPointInRect(const TDRect& r, TPolygon*& p, TTransform*& trf) {
  for (const auto& item : items_) {
    p = PolygonEntry(item);
    if (p->RefPointInRect(r, p, trf)) return true;
  }
  return false;
}

bool TDrawList::NewPointInRect(const TDRect& r, TPolygon*& p, int& six) {
  for (const auto& item : items_) {
    TPolygon* q = PolygonEntry(item);
    int ix = -1;
    if (q->NewPointInRect(r, ix)) {
      p = q;
      six = ix;
      return true;
    }
  }
  return false;
}

std::unique_ptr<TPolygon> TDrawList::CreateEntry(int id) {
  switch (id) {
    case 2:
    case 3:  // written by no class any more; older files hold it for plain polygons
      return std::make_unique<TPolygon>();
    case 4:
      return std::make_unique<TBall>();
    default:
      return nullptr;
  }
}

void TDrawList::LoadTrafListTail(TTextReader& f, TTrafList& traflist) {
  if (f.ReadHeaderId() == 16) traflist.LoadFromF(f);
}

bool TDrawList::LoadFromF(TTextReader& f, const TQorClass*) {
  // Draw lists nest only a few levels in real files (a maze, its polygons, their time paths);
  // a deeper file is refused rather than allowed to exhaust the stack.
  TLoadNesting nested;
  ReadMatrixLines(f, matrix);
  ReadRectLine(f, extent);
  const int n = f.ReadInteger();
  f.ReadLn();
  // The count comes from the file: every entry must actually be there before it is created,
  // so a damaged or hostile count ends at the end of the file instead of looping on.
  for (int j = 0; j < n; ++j) {
    f.RequireEntry();
    const int id = f.ReadHeaderId();
    std::unique_ptr<TPolygon> entry = CreateEntry(id);
    if (!entry) {
      throw EQorError("Element " + std::to_string(j) + " in " + ClassName() +
                      " has invalid id: " + std::to_string(id));
    }
    entry->LoadFromF(f);
    AddPolygon(std::move(entry));
  }
  LoadTrafListTail(f, *FTrafList);
  return true;
}

bool TDrawList::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  WriteMatrixLines(f, matrix);
  WriteRectLine(f, extent);
  f.IntLine(Count());
  for (const auto& item : items_) PolygonEntry(item)->SaveToF(f);
  return FTrafList->SaveToF(f);
}
