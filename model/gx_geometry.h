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

// Record lines shared by the draw-list family: a rectangle as one line "x1 x2 y1 y2", a matrix
// as three lines, one row each. Reading skips the rest of each line.
void ReadRectLine(TTextReader& f, TDRect& r);
void WriteRectLine(TTextWriter& f, const TDRect& r);
void ReadMatrixLines(TTextReader& f, tmat2d& m);
void WriteMatrixLines(TTextWriter& f, const tmat2d& m);
