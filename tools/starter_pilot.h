#pragma once
// A scripted pilot for headless runs: it reads the rocket's position and speed after each tick
// and holds the game keys (thrust, turn, fire) for the next one, following a route of simple
// steps. The keys go through the same key-state service the window feeds, so the maze plays
// the run exactly as it would play a person's.
#include <functional>
#include <utility>
#include <vector>

#include "starter_mazes.h"

class TMaze;

struct TPilotStep {
  enum TKind : unsigned char {
    ps_start,     // tap the thrust key: the run and its clock start
    ps_fly,       // fly to (x, y) and come to rest there
    ps_ram,       // fly into ball `ball`
    ps_land,      // land on the landing edge at height y, near x
    ps_shoot_up,  // standing upright: fire straight up until ball `ball` is hit (or give up)
    ps_aim,       // hover at (x, y), turn towards ball `ball` and shoot it
    ps_wait,      // hover where the last step ended until `until` holds
  };
  TKind kind = ps_fly;
  double x = 0, y = 0;
  int ball = -1;
  double speed = 0.02;  // maze units per tick
  std::function<bool(const TMaze&)> until;
};
using TRoute = std::vector<TPilotStep>;

namespace route {
inline TPilotStep Step(TPilotStep::TKind kind, double x = 0, double y = 0, int ball = -1) {
  TPilotStep s;
  s.kind = kind;
  s.x = x;
  s.y = y;
  s.ball = ball;
  return s;
}
inline TPilotStep Start() {
  return Step(TPilotStep::ps_start);
}
inline TPilotStep Fly(double x, double y, double speed = 0.02) {
  TPilotStep s = Step(TPilotStep::ps_fly, x, y);
  s.speed = speed;
  return s;
}
inline TPilotStep Ram(int ball) {
  return Step(TPilotStep::ps_ram, 0, 0, ball);
}
inline TPilotStep Land(double x, double y) {
  return Step(TPilotStep::ps_land, x, y);
}
inline TPilotStep ShootUp(int ball) {
  return Step(TPilotStep::ps_shoot_up, 0, 0, ball);
}
inline TPilotStep Aim(int ball, double x, double y) {
  return Step(TPilotStep::ps_aim, x, y, ball);
}
inline TPilotStep WaitFor(std::function<bool(const TMaze&)> until) {
  TPilotStep s = Step(TPilotStep::ps_wait);
  s.until = std::move(until);
  return s;
}
}  // namespace route

// The direction k turning steps (of pi/15) away from straight up, as the rocket can point.
double StepAngle(int k);

// Plays maze from its start along route until the run finishes or max_ticks have passed. After
// a crash the route begins again once the maze has reset the run.
TStarterRun FlyRoute(TMaze& maze, const TRoute& route, int max_ticks);
