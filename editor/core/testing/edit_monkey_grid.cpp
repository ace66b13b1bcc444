// The monkey's snapping grid: switched on and off, its step set to anything from the usual
// values to what is out of range or not a number, and, while it is on, the balls and shapes
// the mouse made or moved checked to lie on grid points.
#include <cmath>
#include <limits>
#include <string>

#include "edit_monkey.h"
#include "gx_ball.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"

void TEditMonkey::GridAction(const std::string& name) {
  TEditDocument& d = *doc_;
  if (name == "grid switch") {
    d.mmGridClick();
  } else if (name == "grid step") {
    const double steps[] = {0.05, 0.1,   0.25, 0.3, 0.5,
                            1,    0.001, -1,   7,   std::numeric_limits<double>::quiet_NaN()};
    const int n = static_cast<int>(std::size(steps));
    const int k = rnd_.RandomInt(n + 1);
    // Now and then any value up to a little beyond the range.
    d.SetGridStep(k == n ? 1.2 * rnd_.RandomReal() : steps[k]);
    const double s = d.GridStep();
    if (!(s >= TEditDocument::kMinGridStep && s <= TEditDocument::kMaxGridStep)) {
      Fail("the grid step left its range: " + std::to_string(s));
    }
  } else {
    Fail("unknown action");
  }
}

void TEditMonkey::CheckGrid(int stepsBefore) {
  TEditDocument& d = *doc_;
  const bool mouse = action_ == "drag" || action_ == "press" || action_ == "release" ||
                     action_ == "end drag" || action_ == "mouse";
  if (!mouse || !d.GridOn() || d.StepCount() == stepsBefore || !d.Maze()) return;
  const auto on_grid = [&](double x, double y, double tolerance) {
    const TDPoint g = TEditDocument::GridPoint(TDPoint{x, y}, d.GridStep());
    return std::fabs(g.x - x) <= tolerance && std::fabs(g.y - y) <= tolerance;
  };
  const std::string& step = d.LastStep().name;
  TMaze& m = *d.Maze();
  if (step == "Move Ball" || step == "New Ball") {
    const TBall* b = step == "New Ball" ? m.balllist->GetBall(m.balllist->Count() - 1) : d.Ball();
    if (b && !on_grid(b->matrix.mat[0][2], b->matrix.mat[1][2], 0)) {
      Fail("a ball off the grid after \"" + step + "\"");
    }
  } else if (step == "New Polygon" || step == "New Gear") {
    const TPolygon& p = *m.GetPolygon(m.Count() - 1);
    double sx = 0, sy = 0;
    for (int i = 0; i < p.Count(); ++i) {
      sx += p.GetSide(i)->x();
      sy += p.GetSide(i)->y();
    }
    if (!on_grid(sx / p.Count(), sy / p.Count(), 1e-9)) {
      Fail("a new shape's centre off the grid after \"" + step + "\"");
    }
  }
}
