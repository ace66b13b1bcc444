#include "starter_pilot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "gx_ball.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_rocket.h"
#include "scripted_keys.h"
#include "seeded_random.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kStep = kPi / 15;      // one turn of the rocket
constexpr double kGravity = 0.001 / 3;  // the rocket's fall, per tick squared
constexpr double kThrust = 0.005 / 3;   // full thrust, per tick squared
constexpr int kMaxTilt = 6;             // steps away from upright while flying

bool Gone(const TMaze& m, int ball) {
  const TBall* b = m.balllist->GetBall(ball);
  return !b || b->invisible || b->ExplTicks() > 0;
}

class TPilot {
 public:
  TPilot(TMaze& maze, const TRoute& route) : maze_(maze), plan_(route), route_(route), random_(16) {
    maze_.SetKeyService(&keys_);
    maze_.SetRocket(&rocket_);
    maze_.reset();
    const char* trace = std::getenv("GRAVONAUT_PILOT_TRACE");
    trace_ = trace && maze_.mazename == trace;
  }
  ~TPilot() {
    maze_.SetKeyService(nullptr);
    // The maze forgets the rocket when it dies; this one dies first, so let go of it here.
    rocket_.maze = nullptr;
    maze_.FRocket = nullptr;
  }
  TPilot(const TPilot&) = delete;
  TPilot& operator=(const TPilot&) = delete;

  TStarterRun Fly(int max_ticks) {
    TStarterRun run;
    run.name = maze_.mazename;
    for (run.ticks = 0; run.ticks < max_ticks; ++run.ticks) {
      Decide();
      Press(vk::LControl, thrust_);
      Press(vk::Left, left_);
      Press(vk::Right, right_);
      Press(vk::Up, fire_);
      const bool was_exploded = rocket_.Exploded();
      maze_.TickTime(1);
      if (trace_) {
        std::fprintf(stderr, "%5d step %zu.%d  p %7.3f %7.3f  v %7.4f %7.4f  tilt %d %c%c%c%c %s\n",
                     run.ticks, step_, phase_, F().px(), F().py(), F().vx(), F().vy(), Tilt(),
                     thrust_ ? 'T' : '.', left_ ? 'L' : '.', right_ ? 'R' : '.', fire_ ? 'F' : '.',
                     rocket_.Exploded() ? "EXPLODED" : "");
      }
      if (!was_exploded && rocket_.Exploded()) {
        ++run.crashes;
        crashed_ = true;
      }
      if (maze_.FFinished) {
        ++run.ticks;
        run.finished = true;
        run.seconds = maze_.bestdur;
        break;
      }
    }
    maze_.reset();
    return run;
  }

 private:
  void Press(std::uint8_t vk, bool down) {
    if (down) {
      keys_.Down(vk);
    } else {
      keys_.Up(vk);
    }
  }

  TForce& F() { return *rocket_.FForce; }
  int Tilt() const { return static_cast<int>(std::lround((rocket_.angle() - kPi / 2) / kStep)); }
  double Distance(double x, double y) { return std::hypot(x - F().px(), y - F().py()); }
  double Speed() { return std::hypot(F().vx(), F().vy()); }
  bool AtRest(double x, double y) { return Distance(x, y) < 0.05 && Speed() < 0.008; }

  void Next() {
    ++step_;
    phase_ = 0;
    tries_ = 0;
    step_ticks_ = 0;
  }

  // Turns one step towards tilt k; true when the rocket points that way after this tick.
  bool TurnTo(int k) {
    const int now = Tilt();
    left_ = now < k;
    right_ = now > k;
    return std::abs(now - k) <= 1;
  }

  // Flies towards (x, y) at up to speed: the thrust is pulsed so that its mean gives the wanted
  // acceleration, and the rocket is tilted by whole turning steps towards it.
  void Steer(double x, double y, double speed, bool upright = false) {
    hold_x_ = x;
    hold_y_ = y;
    // Standing on a pad (a landing stops the rocket dead): lift off straight up, since a tilted
    // rocket touching the pad again crashes.
    if (F().vx() == 0 && F().vy() == 0 && !upright) {
      lifting_ = true;
      lift_y_ = F().py();
    }
    if (lifting_ && F().py() > lift_y_ + 0.12) lifting_ = false;
    if (lifting_) {
      left_ = Tilt() < 0;
      right_ = Tilt() > 0;
      thrust_ = true;
      return;
    }
    double vx = (x - F().px()) * 0.05, vy = (y - F().py()) * 0.05;
    if (const double v = std::hypot(vx, vy); v > speed) {
      vx *= speed / v;
      vy *= speed / v;
    }
    double ax = (vx - F().vx()) * 0.12, ay = (vy - F().vy()) * 0.12;
    if (const double a = std::hypot(ax, ay); a > 0.0009) {
      ax *= 0.0009 / a;
      ay *= 0.0009 / a;
    }
    // The thrust the rocket needs, and of what it can give (any of its directions near
    // upright, any part of full thrust) the nearest.
    const double tx = ax, ty = ay + kGravity;
    auto duty = [&](int k) {
      const double a = StepAngle(k);
      return std::clamp((tx * std::cos(a) + ty * std::sin(a)) / kThrust, 0.0, 1.0);
    };
    auto miss = [&](int k) {
      const double a = StepAngle(k), d = duty(k) * kThrust;
      const double mx = tx - d * std::cos(a), my = ty - d * std::sin(a);
      return mx * mx + my * my;
    };
    const int now = Tilt();
    int k = std::clamp(now, -kMaxTilt, kMaxTilt);
    if (upright) {
      k = 0;
    } else {
      for (int c = -kMaxTilt; c <= kMaxTilt; ++c) {
        if (miss(c) < miss(k) - 1e-12) k = c;
      }
    }
    const int next = now + (k > now) - (k < now);
    left_ = next > now;
    right_ = next < now;
    pwm_ += duty(next);
    thrust_ = pwm_ >= 1;
    if (thrust_) pwm_ -= 1;
  }

  void Decide() {
    thrust_ = left_ = right_ = fire_ = false;
    if (rocket_.Exploded()) return;
    if (crashed_) {
      // The maze has reset the run: the route begins again.
      if (maze_.GameState() != gs_intro) return;
      crashed_ = false;
      lifting_ = false;
      route_ = plan_;
      step_ = 0;
      phase_ = tries_ = step_ticks_ = 0;
    }
    while (step_ < route_.size()) {
      if (Act(route_[step_])) return;
      Next();
    }
    // Past the end of the route: hover where it ended.
    Steer(hold_x_, hold_y_, 0.02);
  }

  // Acts on the step for this tick; false when the step is over (the next one acts at once).
  bool Act(const TPilotStep& s) {
    ++step_ticks_;
    switch (s.kind) {
      case TPilotStep::ps_start:
        if (maze_.GameState() != gs_intro) return false;
        hold_x_ = F().px();
        hold_y_ = F().py();
        thrust_ = true;
        return true;
      case TPilotStep::ps_fly:
        if (AtRest(s.x, s.y)) return false;
        Steer(s.x, s.y, s.speed);
        return true;
      case TPilotStep::ps_ram:
        if (Gone(maze_, s.ball)) return false;
        {
          const TBall* b = maze_.balllist->GetBall(s.ball);
          Steer(b->CenterX(), b->CenterY(), 0.02);
        }
        return true;
      case TPilotStep::ps_land: {
        const double stand = s.y + rocket_.sx / 5;
        if (std::abs(F().py() - stand) < 1e-12 && F().vx() == 0 && Tilt() == 0) return false;
        if (phase_ == 0 && AtRest(s.x, s.y + 0.3)) phase_ = 1;
        if (phase_ == 0) {
          Steer(s.x, s.y + 0.3, 0.02);
        } else {
          // Straight down, slowly and upright: the landing takes any speed up to 0.02.
          Steer(s.x, s.y - 0.5, 0.008, F().py() - stand < 0.15);
        }
        return true;
      }
      case TPilotStep::ps_shoot_up:
        if (Gone(maze_, s.ball) || step_ticks_ > 80) return false;
        fire_ = true;
        return true;
      case TPilotStep::ps_aim:
        if (Gone(maze_, s.ball) || tries_ > 5) return false;
        if (phase_ == 0) {
          if (!AtRest(s.x, s.y)) {
            Steer(s.x, s.y, 0.02);
            return true;
          }
          phase_ = 1;
        }
        if (phase_ == 1) {
          const TBall* b = maze_.balllist->GetBall(s.ball);
          const double dir = std::atan2(b->CenterY() - F().py(), b->CenterX() - F().px());
          const int k = static_cast<int>(std::lround((dir - kPi / 2) / kStep));
          if (Tilt() == k) {
            fire_ = rocket_.ShootOK();
            if (fire_) {
              phase_ = 2;
              step_ticks_ = 0;
            }
          } else {
            TurnTo(k);
          }
          return true;
        }
        // The bullet is on its way: hold the place, and try again if it missed.
        Steer(s.x, s.y, 0.02);
        if (step_ticks_ > 35) {
          ++tries_;
          phase_ = 0;
        }
        return true;
      case TPilotStep::ps_wait:
        if (s.until && s.until(maze_)) return false;
        Steer(hold_x_, hold_y_, 0.02);
        return true;
    }
    return false;
  }

  TMaze& maze_;
  // The route as planned, and the copy being flown: a step may remember what it saw (a gate's
  // level on the tick before), so every new try starts from a fresh copy.
  const TRoute& plan_;
  TRoute route_;
  TScopedGameRandom random_;
  // GRAVONAUT_PILOT_TRACE="maze name" prints every tick of that maze's run, for tuning a route.
  bool trace_ = false;
  TScriptedKeys keys_;
  TRocket rocket_;
  std::size_t step_ = 0;
  int phase_ = 0;
  int tries_ = 0;
  int step_ticks_ = 0;
  double pwm_ = 0;
  double hold_x_ = 0, hold_y_ = 0;
  bool crashed_ = false;
  bool lifting_ = false;
  double lift_y_ = 0;
  bool thrust_ = false, left_ = false, right_ = false, fire_ = false;
};

}  // namespace

double StepAngle(int k) {
  return kPi / 2 + k * kStep;
}

TStarterRun FlyRoute(TMaze& maze, const TRoute& route, int max_ticks) {
  TPilot pilot(maze, route);
  return pilot.Fly(max_ticks);
}
