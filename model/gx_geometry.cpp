#include "gx_geometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

// The comparisons below are written so that a NaN anywhere (a corner read from a damaged file)
// makes the routines report "no hit" instead of a hit at a NaN position; for ordinary numbers
// they are exactly the strict and non-strict bounds the routines promise.

void SortRect(TDRect& r) {
  if (r.x1 > r.x2) std::swap(r.x1, r.x2);
  if (r.y1 > r.y2) std::swap(r.y1, r.y2);
}

void RectUnion(const TDRect& a, const TDRect& b, TDRect& r) {
  TDRect sa = a;
  TDRect sb = b;
  SortRect(sa);
  SortRect(sb);
  r.x1 = std::min(sa.x1, sb.x1);
  r.x2 = std::max(sa.x2, sb.x2);
  r.y1 = std::min(sa.y1, sb.y1);
  r.y2 = std::max(sa.y2, sb.y2);
}

bool RaySegmentIntersection(const TDRect& ray, const TDRect& seg, double& x, double& y, double& t) {
  const double ax = ray.x1, ay = ray.y1;
  const double dax = ray.x2 - ray.x1, day = ray.y2 - ray.y1;
  const double bx = seg.x1, by = seg.y1;
  const double dbx = seg.x2 - seg.x1, dby = seg.y2 - seg.y1;

  const double den = dby * dax - day * dbx;
  if (!(std::fabs(den) > 1e-20)) return false;  // parallel or degenerate
  const double tr = ((ay - by) * dbx - (ax - bx) * dby) / den;
  if (!(tr >= 0)) return false;  // behind the ray's start
  const double u = ((ay - by) * dax - (ax - bx) * day) / den;
  // Half-open: the segment's start point counts, its end point belongs to the next edge.
  if (!(u >= 0 && u < 1)) return false;
  x = ax + tr * dax;
  y = by + u * dby;
  t = tr;
  return true;
}

bool SegmentsIntersect(const TDRect& a, const TDRect& b) {
  const double ax = a.x1, ay = a.y1;
  const double dax = a.x2 - a.x1, day = a.y2 - a.y1;
  const double bx = b.x1, by = b.y1;
  const double dbx = b.x2 - b.x1, dby = b.y2 - b.y1;

  const double den = day * dbx - dax * dby;
  if (!(std::fabs(den) > 1e-20)) return false;
  const double u = ((by - ay) * dax - (bx - ax) * day) / den;  // along b
  if (!(u >= 0 && u <= 1)) return false;
  // The parameter along a comes from its larger component. Both comparisons are strict, so an
  // exact diagonal a gets no parameter and crosses nothing.
  const double adx = std::fabs(dax), ady = std::fabs(day);
  double t = -1;
  if (ady < adx && adx > 1e-20) {
    t = (bx - ax + u * dbx) / dax;
  } else if (adx < ady && ady > 1e-20) {
    t = (by - ay + u * dby) / day;
  }
  return t >= 0 && t <= 1;
}

void ReadRectLine(TTextReader& f, TDRect& r) {
  r.x1 = f.ReadReal();
  r.x2 = f.ReadReal();
  r.y1 = f.ReadReal();
  r.y2 = f.ReadReal();
  f.ReadLn();
}

void WriteRectLine(TTextWriter& f, const TDRect& r) { f.RealsLine({r.x1, r.x2, r.y1, r.y2}); }

void ReadMatrixLines(TTextReader& f, tmat2d& m) {
  for (auto& row : m.mat) {
    row[0] = f.ReadReal();
    row[1] = f.ReadReal();
    row[2] = f.ReadReal();
    f.ReadLn();
  }
}

void WriteMatrixLines(TTextWriter& f, const tmat2d& m) {
  for (const auto& row : m.mat) f.RealsLine({row[0], row[1], row[2]});
}
