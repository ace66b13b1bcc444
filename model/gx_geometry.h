#pragma once
// Routines on rectangles and segments used by the scene model.
#include "qor_matrix.h"

// Orders a rectangle: x1 <= x2 and y1 <= y2.
void SortRect(TDRect& r);
// The bounding rectangle of a and b (ordered copies); r may alias a or b.
void RectUnion(const TDRect& a, const TDRect& b, TDRect& r);
// The ray from (ray.x1, ray.y1) through (ray.x2, ray.y2) against the half-open segment seg
// (its start counts, its end does not). On a hit, x and y are the point and t the parameter
// along the ray in units of its direction; on a miss the outputs are untouched.
bool RaySegmentIntersection(const TDRect& ray, const TDRect& seg, double& x, double& y, double& t);
// Whether two closed segments cross. An exact 45-degree segment a never crosses anything.
bool SegmentsIntersect(const TDRect& a, const TDRect& b);
