#include "gx_polygon.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "gx_traflist.h"
#include "gx_transform.h"

namespace {

// Corner (x, y) mapped through m with an implied w = 1.
struct TMapped {
  double x;
  double y;
};

inline TMapped MapCorner(const mat2darray& a, const TSide* s) {
  const double x = s->pos.x, y = s->pos.y;
  return {a[0][0] * x + a[0][1] * y + a[0][2], a[1][0] * x + a[1][1] * y + a[1][2]};
}

// The window y of a maze y already rounded to pixels. Both values are bounded (RoundToInt
// clamps), so the difference fits an int.
inline int FlipY(int client_height, int y) {
  return client_height - y;
}

TBrushStyle BrushStyleFromFile(int v) {
  // Eight fill patterns exist; a damaged file's other values fill solid rather than reach the
  // canvas as a pattern it does not know.
  return v >= bsSolid && v <= bsDiagCross ? static_cast<TBrushStyle>(v) : bsSolid;
}

}  // namespace

TPolygon::TPolygon() {
  FId = 2;
}

std::unique_ptr<TPolygon> TPolygon::CreateCircle(double x, double y, double rx, double ry,
                                                 double a0, int n, TColor c) {
  auto p = std::make_unique<TPolygon>();
  for (int i = 0; i < n; ++i) {
    const double theta = a0 - i * (2 * std::numbers::pi / n);
    p->AddSide(x + rx * std::cos(theta), y + ry * std::sin(theta), st_normal, c);
  }
  return p;
}

std::unique_ptr<TPolygon> TPolygon::CreateSwingWave() {
  auto p = std::make_unique<TPolygon>();
  p->AddSide(0, 0, st_normal, clWhite);
  p->AddSide(0.5, 1, st_normal, clWhite);
  p->AddSide(1, 0, st_normal, clWhite);
  p->open = true;
  return p;
}

std::unique_ptr<TPolygon> TPolygon::CreateContinuousWave() {
  auto p = std::make_unique<TPolygon>();
  p->AddSide(0, 0, st_normal, clWhite);
  p->AddSide(1, 1, st_normal, clWhite);
  p->open = true;
  return p;
}

void TPolygon::SetColor(TColor c) {
  FColor = c;
}

// ---------------------------------------------------------------------------- corners

void TPolygon::AddSide(double x, double y, TSideType t, TColor c) {
  auto s = std::make_unique<TSide>();
  s->SetCoord(0, x);
  s->SetCoord(1, y);
  s->sidetype = t;
  s->color = c;
  const TSide& added = *s;
  Add(std::move(s));
  SetExtent(added);
}

TSide* TPolygon::GetSide(int index) const {
  const int n = Count();
  if (n == 0) return nullptr;
  int ix = index % n;
  if (ix < 0) ix += n;
  return CornerAt(static_cast<std::size_t>(ix));
}

void TPolygon::SetSide(int index, std::unique_ptr<TSide> s) {
  const int n = Count();
  const int ix = index < 0 ? 0 : index > n ? n : index;
  if (ix == n) {
    Add(std::move(s));
  } else {
    items_[static_cast<std::size_t>(ix)] = std::move(s);  // destroys the former corner
  }
}

void TPolygon::RemoveSide(TSide* s) {
  // A corner is destroyed when the polygon hands it back; a side that is not a corner here
  // belongs to someone else.
  Extract(s);
}

void TPolygon::SetExtent(const TSide& s) {
  const double x = s.x(), y = s.y();
  if (Count() == 1) {
    extent = TDRect{x, x, y, y};
    return;
  }
  if (x < extent.x1) extent.x1 = x;
  if (x > extent.x2) extent.x2 = x;
  if (y < extent.y1) extent.y1 = y;
  if (y > extent.y2) extent.y2 = y;
}

void TPolygon::MoveTo(double x, double y) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    TSide* s = CornerAt(i);
    s->SetCoord(0, s->GetCoord(0) - x);
    s->SetCoord(1, s->GetCoord(1) - y);
  }
}

void TPolygon::TrafCenter(TTransform& t) const {
  // Without corners there is no mean; the reference point stays where it is.
  if (items_.empty()) return;
  double sx = 0, sy = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    sx += CornerAt(i)->GetCoord(0);
    sy += CornerAt(i)->GetCoord(1);
  }
  const double n = static_cast<double>(items_.size());
  t.refpt.x = sx / n;
  t.refpt.y = sy / n;
}

void TPolygon::TransForm(const tmat2d& m) {
  const tmat2d c = m * matrix;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    TSide* s = CornerAt(i);
    double x = s->GetCoord(0), y = s->GetCoord(1);
    c.Transform(x, y);
    s->SetCoord(0, x);
    s->SetCoord(1, y);
  }
}

void TPolygon::CleanPoints() {
  if (items_.empty()) return;
  // Closer than 0.001 counts as the same corner.
  auto coincide = [](const TSide* a, const TSide* b) {
    const double dx = a->GetCoord(0) - b->GetCoord(0);
    const double dy = a->GetCoord(1) - b->GetCoord(1);
    return dx * dx + dy * dy < 1e-6;
  };
  std::size_t kept = 0;
  std::size_t i = 1;
  while (i < items_.size()) {
    if (coincide(CornerAt(i), CornerAt(kept))) {
      FreeItem(static_cast<int>(i));
    } else {
      kept = i++;
    }
  }
  if (!open && items_.size() > 1 && coincide(CornerAt(0), CornerAt(items_.size() - 1))) {
    FreeItem(0);
  }
}

// ---------------------------------------------------------------------------- geometry
//
// Intersect and GetNearestIntersectionPoint run for every polygon on every tick: they read the
// corners straight from the list, map each one once and allocate nothing.

bool TPolygon::Intersect(const TDRect& l, TSide*& s) const {
  const int e = EdgeCount();
  if (e <= 0) return false;
  const std::size_t n = items_.size();
  const mat2darray& a = matrix.mat;
  TMapped prev = MapCorner(a, CornerAt(0));
  for (std::size_t i = 1; i <= static_cast<std::size_t>(e); ++i) {
    TSide* corner = CornerAt(i == n ? 0 : i);
    const TMapped cur = MapCorner(a, corner);
    s = corner;  // the corner at the end of the edge carries the edge's type and colour
    if (SegmentsIntersect(l, TDRect{prev.x, cur.x, prev.y, cur.y})) return true;
    prev = cur;
  }
  return false;
}

bool TPolygon::GetNearestIntersectionPoint(const TDRect& l, bool animated, TPolygon*& pol,
                                           double& x, double& y, double& t) {
  if (harmless) return false;
  // Moving and fixed polygons are searched in separate passes.
  const bool has_trafs = FTrafList && FTrafList->Count() > 0;
  if (animated != has_trafs) return false;
  const int e = EdgeCount();
  if (e <= 0) return false;
  const std::size_t n = items_.size();
  const mat2darray& a = matrix.mat;
  bool result = false;
  TMapped prev = MapCorner(a, CornerAt(0));
  for (std::size_t i = 1; i <= static_cast<std::size_t>(e); ++i) {
    const TMapped cur = MapCorner(a, CornerAt(i == n ? 0 : i));
    double hx, hy, ht;
    // Only strictly nearer hits replace the one held, so the first of equal hits stays.
    if (RaySegmentIntersection(l, TDRect{prev.x, cur.x, prev.y, cur.y}, hx, hy, ht) &&
        (t < 0 || ht < t)) {
      x = hx;
      y = hy;
      t = ht;
      pol = this;
      result = true;
    }
    prev = cur;
  }
  return result;
}

bool TPolygon::ybyx(double x, double& y) const {
  y = 0;
  const std::size_t n = items_.size();
  if (n == 0) return false;
  const std::size_t segments = open ? n - 1 : n;
  for (std::size_t k = 1; k <= segments; ++k) {
    const TSide* a = CornerAt(k - 1);
    const TSide* b = CornerAt(k == n ? 0 : k);
    const double ax = a->pos.x, bx = b->pos.x;
    const bool contains = bx >= ax ? (ax <= x && x <= bx) : (bx <= x && x <= ax);
    if (!contains) continue;
    if (std::fabs(bx - ax) > 0.0001) {
      y = a->pos.y + (b->pos.y - a->pos.y) * (x - ax) / (bx - ax);
    } else {
      y = b->pos.y;  // a vertical step takes the value it steps to
    }
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------- picking

bool TPolygon::PointInRect(const TDRect& r, int& six) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (CornerAt(i)->PointInRect(r)) {
      six = static_cast<int>(i);
      return true;
    }
  }
  six = -1;
  return false;
}

bool TPolygon::FindNewPoint(const TDRect& r, int& six, TDPoint& at) const {
  const int e = EdgeCount();
  if (e <= 0) return false;
  const int n = Count();
  const double cx = (r.x1 + r.x2) / 2, cy = (r.y1 + r.y2) / 2;
  const double tolerance = std::fabs(r.x2 - r.x1);
  for (int i = 1; i <= e; ++i) {
    const TSide* a = CornerAt(static_cast<std::size_t>(i - 1));
    const TSide* b = CornerAt(static_cast<std::size_t>(i % n));
    const double ax = a->GetCoord(0), ay = a->GetCoord(1);
    const double bx = b->GetCoord(0), by = b->GetCoord(1);
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    // Two coincident corners make an edge without a direction: nothing to insert into.
    if (!(len2 > 0)) continue;
    const double len = std::sqrt(len2);
    const double d = std::fabs(dx * (ay - cy) - (ax - cx) * dy) / len;
    if (!(d < tolerance)) continue;
    // The new corner goes to the foot of the perpendicular from the centre onto the edge line,
    // which must fall strictly between the edge's ends along the axis the edge runs along
    // most. The other axis cannot decide: the ends of a level edge of a new shape differ by a
    // unit in the last place after sin and cos, and its foot lands on one end or beyond.
    const double u = ((cx - ax) * dx + (cy - ay) * dy) / len2;
    const double px = ax + u * dx, py = ay + u * dy;
    const bool inside = std::fabs(dx) >= std::fabs(dy)
                            ? (ax < px && px < bx) || (bx < px && px < ax)
                            : (ay < py && py < by) || (by < py && py < ay);
    if (!inside) continue;
    six = i % n;  // just before the edge's end corner; 0 for a closing edge
    at = TDPoint{px, py};
    return true;
  }
  return false;
}

bool TPolygon::NewPointInRect(const TDRect& r, int& six) {
  int ix = -1;
  TDPoint at;
  if (!FindNewPoint(r, ix, at)) return false;
  auto s = std::make_unique<TSide>();
  s->SetCoord(0, at.x);
  s->SetCoord(1, at.y);
  s->color = FColor;
  s->sidetype = st_normal;
  six = ix;
  Insert(six, std::move(s));
  return true;
}

bool TPolygon::RefPointInRect(const TDRect& r, TPolygon*&, TTransform*& trf) {
  for (int i = 0; i < FTrafList->Count(); ++i) {
    trf = FTrafList->GetTraf(i);
    if (trf->RefPointInRect(r)) return true;
  }
  return false;
}

bool TPolygon::PointInRect(const TDRect& r, TPolygon*& p, int& six) {
  int ix = -1;
  if (!PointInRect(r, ix)) return false;
  p = this;
  six = ix;
  return true;
}

bool TPolygon::NewPointInRect(const TDRect& r, TPolygon*& p, int& six) {
  int ix = -1;
  if (!NewPointInRect(r, ix)) return false;
  p = this;
  six = ix;
  return true;
}

// ---------------------------------------------------------------------------- drawing

void TPolygon::Draw(const TControl& f, TCanvas& cv, const tmat2d& m, int w, bool doPoints) {
  if (invisible) return;
  if (w > 0) width = w;  // the caller's width stays with the polygon
  const std::size_t n = items_.size();
  if (n == 0) return;
  const tmat2d c = m * matrix;
  const int height = f.ClientHeight();
  std::vector<TPoint> pts(n);
  for (std::size_t k = 0; k < n; ++k) {
    CornerAt(k)->ScreenPoint(c, pts[k]);
    pts[k].Y = FlipY(height, pts[k].Y);
  }

  cv.Pen.Color = FColor;
  cv.Pen.Width = width;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.Brush.Color = fillcolor;
  cv.Brush.Style = fillstyle;
  if (open) {
    cv.Polyline(pts);
  } else {
    cv.Polygon(pts);
  }

  const int h = doPoints ? ScaleToScreen(3) : 0;
  for (std::size_t k = 0; k < n; ++k) {
    const TSide* s = CornerAt(k);
    const TPoint& p = pts[k];
    // Special edges (the landing strip among them) are drawn over the outline in their own
    // colour; the edge into corner 0 comes from the last corner, in an open outline too.
    if (s->sidetype != st_normal) {
      const TPoint& from = pts[k == 0 ? n - 1 : k - 1];
      cv.Pen.Color = s->color;
      cv.MoveTo(from.X, from.Y);
      cv.LineTo(p.X, p.Y);
    }
    if (doPoints) {
      cv.Pen.Color = s->color;
      cv.Brush.Color = s->color;
      cv.Brush.Style = bsSolid;
      cv.Rectangle(p.X - h, p.Y - h, p.X + h, p.Y + h);
    }
  }

  if (doPoints) {
    for (int i = 0; i < FTrafList->Count(); ++i) FTrafList->GetTraf(i)->DrawRefPoint(f, cv, c);
  }
}

void TPolygon::DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz) {
  if (invisible) return;
  const std::size_t n = items_.size();
  if (n == 0) return;  // no centroid to mark
  const tmat2d c = m * matrix;
  const int height = f.ClientHeight();
  double sx = 0, sy = 0;
  for (std::size_t k = 0; k < n; ++k) {
    TPoint p;
    CornerAt(k)->ScreenPoint(c, p);
    sx += p.X;
    sy += FlipY(height, p.Y);
  }
  const double cx = sx / static_cast<double>(n), cy = sy / static_cast<double>(n);

  cv.Pen.Color = FColor;
  cv.Pen.Width = width;
  cv.Pen.Mode = TPenMode::pmCopy;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.Brush.Color = FColor;
  cv.Brush.Style = bsSolid;
  cv.Ellipse(RoundToInt(cx - sz), RoundToInt(cy + sz), RoundToInt(cx + sz), RoundToInt(cy - sz));
}

// ---------------------------------------------------------------------------- record

bool TPolygon::LoadFromF(TTextReader& f, const TQorClass*) {
  TLoadNesting nested;
  SetColor(f.ReadInteger());
  f.ReadLn();
  width = f.ReadInteger();
  f.ReadLn();
  fillcolor = f.ReadInteger();
  f.ReadLn();
  fillstyle = BrushStyleFromFile(f.ReadInteger());
  f.ReadLn();
  ReadMatrixLines(f, matrix);
  ReadRectLine(f, extent);
  open = f.ReadInteger() != 0;
  f.ReadLn();
  invisible = f.ReadInteger() != 0;
  harmless = f.ReadInteger() != 0;
  f.ReadLn();
  const int n = f.ReadInteger();
  f.ReadLn();
  // Each corner must be present before it is created: a count from a damaged file cannot make
  // the reader loop or allocate past the end of the file.
  for (int i = 0; i < n; ++i) {
    f.RequireEntry();
    f.ReadHeaderId();  // always a side; the identifier is not checked
    auto s = std::make_unique<TSide>();
    s->LoadFromF(f);
    const TSide& added = *s;
    Add(std::move(s));
    SetExtent(added);
  }
  LoadTrafListTail(f, *FTrafList);
  return true;
}

void TPolygon::SaveStyleLines(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.IntLine(FColor);
  f.IntLine(width);
  f.IntLine(fillcolor);
  f.IntLine(fillstyle);
}

bool TPolygon::SaveToF(TTextWriter& f) const {
  SaveStyleLines(f);
  WriteMatrixLines(f, matrix);
  WriteRectLine(f, extent);
  f.IntLine(open ? 1 : 0);
  f.Integer(invisible ? 1 : 0).Blank().Integer(harmless ? 1 : 0).EndLine();
  f.IntLine(Count());
  for (std::size_t i = 0; i < items_.size(); ++i) CornerAt(i)->SaveToF(f);
  return FTrafList->SaveToF(f);
}
