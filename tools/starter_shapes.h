#pragma once
// The small vocabulary the starter mazes are written in: rooms and caves, rocks, pads, balls,
// gears, arms and gates, each made through the model's own operations. A maze is a function
// that builds one maze with these and returns it with the pilot's route through it (a plan).
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_transform.h"
#include "starter_pilot.h"

namespace starter {

using Points = std::initializer_list<std::pair<double, double>>;

constexpr TColor Rgb(int r, int g, int b) {
  return static_cast<TColor>(r | (g << 8) | (b << 16));
}

// A maze and the pilot's route through it.
struct TPlan {
  std::unique_ptr<TMaze> maze;
  TRoute route;
};
using TPlanMaker = TPlan (*)();

// The three parts of the collection, in order of difficulty within each.
const std::vector<TPlanMaker>& LearningPlans();
const std::vector<TPlanMaker>& CavePlans();
const std::vector<TPlanMaker>& MachinePlans();

// A maze with its colours and tick unit; polygons and balls are added by the builders below.
std::unique_ptr<TMaze> NewMaze(const char* name, TColor in, TColor out, TColor line, TColor land);

// A closed polygon through the points, all of its edges plain.
TPolygon& Shape(TMaze& m, Points pts, TColor line, TColor fill, TBrushStyle style, int width = 2);
TPolygon& Box(TMaze& m, double x1, double y1, double x2, double y2, TColor line, TColor fill,
              TBrushStyle style = bsSolid);

// The room the rocket flies in, filled with the maze's inner colour.
TPolygon& Room(TMaze& m, Points pts);

// A corner of a cave's outline; a ledge corner ends a landing edge (the floor from the corner
// before it). Outlines go anticlockwise, so floors run left to right.
struct TCorner {
  double x, y;
  bool ledge = false;
};
inline TCorner Ledge(double x, double y) {
  return {x, y, true};
}
// A cave: the free space as one outline, filled with the maze's inner colour, its ledges in the
// landing colour.
TPolygon& Cave(TMaze& m, std::initializer_list<TCorner> corners);
// A rock standing free inside a cave.
TPolygon& Rock(TMaze& m, Points pts, TColor fill, TBrushStyle style = bsSolid);

// A pad whose top edge, from (x1, top) to (x2, top), is a landing edge.
TPolygon& Pad(TMaze& m, double x1, double x2, double top, TColor fill, TBrushStyle style = bsSolid);

// The start zone is the landing edge of pad.
void StartOn(TMaze& m, const TPolygon& pad);
// The start zone is the cave's ledge that ends at corner `corner`.
void StartOnLedge(TMaze& m, const TPolygon& cave, int corner);

void Ball(TMaze& m, double x, double y, TColor c, double size = 0.04);

// Where a ball lies that the rocket hovering at (x, y) hits when turned k steps from upright.
std::pair<double, double> Along(double x, double y, int k, double d);

// An open polygon for a drawn time path.
std::unique_ptr<TPolygon> TimePath(Points pts);

// A toothed wheel about (cx, cy).
TPolygon& Gear(TMaze& m, double cx, double cy, double outer, double inner, int teeth, TColor line,
               TColor fill, TBrushStyle style);

// A wheel turning steadily about its centre, one turn in period ticks.
void Turn(TPolygon& p, double cx, double cy, int period, bool cw, TAniType kind = at_linear);

// An arm swinging between the angles a1 and a2 about (px, py) on a sine.
void Swing(TPolygon& p, double px, double py, double a1, double a2, int period);

// A gate pulsing about (cx, cy) from full size to (fx, fy) of it and back, in period ticks, on
// a sine or on a drawn path.
void Pulse(TPolygon& p, double cx, double cy, double fx, double fy, int period,
           std::unique_ptr<TPolygon> path = nullptr);

// A gate sliding from where it is by (dx, dy) and back, in period ticks, on a sine or on a
// drawn path; (rx, ry) is its reference point (any point on it).
void Slide(TPolygon& p, double rx, double ry, double dx, double dy, int period,
           std::unique_ptr<TPolygon> path = nullptr);

// The n-th polygon (in maze order) for which has() holds: the gates a route waits for.
const TPolygon* Animated(const TMaze& m, const std::function<bool(const TPolygon&)>& has,
                         int n = 0);

// The index of the polygon added last: how a route names a gate it waits for.
inline int Last(const TMaze& m) {
  return m.Count() - 1;
}

// How far the animated polygon number `polygon` has gone from its first pose towards its
// second: 0 at the first, 1 at the second (for a slide the offset, for a pulse the size, for a
// swing the angle).
double Level(const TMaze& m, int polygon);

// A condition for a route to wait for: true on the tick in which the polygon's level crosses
// `level`, upwards or downwards. It remembers the level of the tick before, so each route
// step needs its own.
std::function<bool(const TMaze&)> Crossing(int polygon, double level, bool upwards = true);

}  // namespace starter
