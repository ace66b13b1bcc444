#pragma once
// A small maze with the rocket attached, for the rocket and bullet tests: a start zone at
// y = 1 around x = 1, nothing else until a test adds walls or balls.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <numbers>

#include "gx_ball.h"
#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_rocket.h"
#include "gx_rotate.h"
#include "testing/seeded_random.h"

struct TCorner {
  double x, y;
  TSideType type = st_normal;
};

class ActorsTest : public ::testing::Test {
 protected:
  static constexpr double kUp = std::numbers::pi / 2;

  ActorsTest() : rnd(20240607) {
    maze.SetStart(TDRect{0.9, 1.1, 1.0, 1.0});
    maze.SetRocket(&rocket);
    maze.reset();
  }

  // A polygon of the maze with these corners, in maze coordinates.
  TPolygon* Wall(std::initializer_list<TCorner> corners, bool open = false) {
    auto p = std::make_unique<TPolygon>();
    p->open = open;
    for (const TCorner& c : corners) p->AddSide(c.x, c.y, c.type, 0x808080);
    TPolygon* raw = p.get();
    maze.AddPolygon(std::move(p));
    return raw;
  }
  // An axis-aligned closed box.
  TPolygon* Box(double x1, double y1, double x2, double y2) {
    return Wall({{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}});
  }

  TForce& Physics() { return *rocket.FForce; }
  // The rocket's point (x, y) of its own coordinates, in the maze.
  TDPoint Mapped(double x, double y) const {
    rocket.matrix.Transform(x, y);
    return {x, y};
  }

  TScopedGameRandom rnd;
  TRocket rocket;  // declared before the maze: the maze lets go of it when it dies
  TMaze maze;
};
