// The learning part of the starter collection: small mazes, every one bringing in one new thing
// to fly with (a second pad, a gear, an arm, a gate, a door, a narrow passage) before the caves.
#include <cmath>

#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_trans.h"
#include "starter_shapes.h"

namespace starter {
namespace {

// 1. One room, three balls: one straight above the start, two to fly into.
TPlan FirstFlight() {
  auto m =
      NewMaze("First Flight", Rgb(16, 24, 48), Rgb(0, 0, 0), Rgb(90, 160, 255), Rgb(255, 238, 0));
  Room(*m, {{-2, -1}, {-2, 2}, {2, 2}, {2, -1}});
  StartOn(*m, Pad(*m, -0.4, 0.4, 0, Rgb(40, 60, 110)));
  Ball(*m, 0, 0.75, Rgb(255, 255, 255), 0.05);
  Ball(*m, 1.2, 1.0, Rgb(255, 120, 60), 0.05);
  Ball(*m, -1.2, 0.6, Rgb(120, 255, 120), 0.05);
  using namespace route;
  return {std::move(m), {Start(), ShootUp(0), Ram(1), Ram(2)}};
}

// 2. Over a pillar, through a harmless mist, onto a second pad.
TPlan TwoPads() {
  auto m = NewMaze("Two Pads", Rgb(20, 40, 20), Rgb(0, 0, 0), Rgb(140, 220, 110), Rgb(255, 238, 0));
  Room(*m, {{-2, -1}, {-2, 2}, {3.5, 2}, {3.5, -1}});
  StartOn(*m, Pad(*m, -1.6, -0.9, -0.5, Rgb(60, 90, 50)));
  Box(*m, -0.3, -1, 0.3, 0.7, m->linecolor, Rgb(70, 110, 60), bsHorizontal);
  TPolygon& mist = Shape(*m, {{0.8, 0.9}, {0.9, 1.55}, {1.8, 1.5}, {1.9, 0.95}}, Rgb(190, 190, 255),
                         Rgb(110, 110, 200), bsDiagCross, 1);
  mist.harmless = true;
  Pad(*m, 2.2, 3.0, 0, Rgb(60, 90, 50), bsCross);
  Ball(*m, -1.25, 0.3, Rgb(255, 255, 255));
  Ball(*m, 1.35, 1.2, Rgb(255, 80, 80));
  const auto [bx, by] = Along(2.6, 0.4, 0, 0.55);
  Ball(*m, bx, by, Rgb(255, 200, 0), 0.05);
  using namespace route;
  return {
      std::move(m),
      {Start(), ShootUp(0), Fly(-1.0, 1.3), Ram(1), Land(2.6, 0), ShootUp(2), Aim(2, 2.6, 0.4)}};
}

// 3. A turning gear in the middle of the room.
TPlan GearWorks() {
  auto m =
      NewMaze("Gear Works", Rgb(40, 28, 16), Rgb(0, 0, 0), Rgb(255, 170, 60), Rgb(0, 255, 238));
  Room(*m, {{-2.5, -1}, {-2.5, 2.5}, {2.5, 2.5}, {2.5, -1}});
  StartOn(*m, Pad(*m, -0.35, 0.35, -0.6, Rgb(90, 60, 30)));
  TPolygon& gear = Gear(*m, 0, 1.0, 0.5, 0.3, 8, Rgb(255, 210, 120), Rgb(150, 90, 30), bsSolid);
  Turn(gear, 0, 1.0, 240, true);
  Ball(*m, -1.6, 1.6, Rgb(255, 255, 255));
  Ball(*m, 0, 2.1, Rgb(255, 80, 80));
  Ball(*m, 1.6, 1.6, Rgb(80, 200, 255));
  const auto [bx, by] = Along(1.4, 0.3, -5, 0.6);
  Ball(*m, bx, by, Rgb(255, 255, 0));
  using namespace route;
  return {std::move(m),
          {Start(), Fly(-1.4, 0.2), Ram(0), Fly(-0.8, 2.1), Ram(1), Ram(2), Aim(3, 1.4, 0.3)}};
}

// 4. A long arm swinging from the ceiling over the room.
TPlan SwingArm() {
  auto m =
      NewMaze("Swing Arm", Rgb(36, 16, 40), Rgb(0, 0, 0), Rgb(220, 120, 255), Rgb(255, 238, 0));
  Room(*m, {{-2.5, -1}, {-2.5, 2.5}, {2.5, 2.5}, {2.5, -1}});
  StartOn(*m, Pad(*m, -2.0, -1.4, -0.6, Rgb(80, 40, 90)));
  TPolygon& arm = Shape(*m, {{-0.08, 0.9}, {-0.08, 2.5}, {0.08, 2.5}, {0.08, 0.9}},
                        Rgb(255, 160, 255), Rgb(170, 60, 190), bsVertical);
  Swing(arm, 0, 2.5, -0.7, 0.7, 160);
  Ball(*m, 1.8, 0.2, Rgb(255, 255, 255));
  Ball(*m, 1.7, 1.8, Rgb(255, 80, 80));
  Ball(*m, 0, 0.35, Rgb(80, 255, 120));
  Ball(*m, -1.7, 1.9, Rgb(80, 200, 255));
  using namespace route;
  return {
      std::move(m),
      {Start(), Fly(-1.7, 0.35), Ram(2), Ram(0), Ram(1), Fly(1.6, 0.35), Fly(-1.6, 0.35), Ram(3)}};
}

// 5. A gate that pulses on a sine: through the wall while it is small.
TPlan PulseGate() {
  auto m =
      NewMaze("Pulse Gate", Rgb(12, 36, 40), Rgb(0, 0, 0), Rgb(80, 230, 230), Rgb(255, 238, 0));
  Room(*m, {{-2.5, -1}, {-2.5, 2}, {2.5, 2}, {2.5, -1}});
  StartOn(*m, Pad(*m, -1.6, -1.0, -0.6, Rgb(30, 90, 100)));
  Box(*m, 0, -1, 0.25, 0, m->linecolor, Rgb(30, 90, 100));
  Box(*m, 0, 1.2, 0.25, 2, m->linecolor, Rgb(30, 90, 100));
  TPolygon& gate = Box(*m, 0.03, 0, 0.22, 1.2, Rgb(255, 120, 80), Rgb(180, 60, 40), bsFDiagonal);
  auto pulse = std::make_unique<TScale>();
  pulse->init(0.125, 0, 1, 1, 1, 0.1, 160);
  pulse->SetAniType(at_sinusoidal);
  gate.SetScale(std::move(pulse));
  Pad(*m, 1.0, 1.7, -0.5, Rgb(30, 90, 100), bsBDiagonal);
  Ball(*m, -1.3, 0.3, Rgb(255, 255, 255));
  Ball(*m, 1.35, 0.45, Rgb(255, 200, 0), 0.05);
  Ball(*m, 2.0, 1.5, Rgb(255, 80, 80));
  using namespace route;
  // Through the gate as soon as it has shrunk below half its height.
  auto open = [](const TMaze& mz) {
    const TPolygon* g = Animated(mz, [](const TPolygon& p) { return p.Scale() != nullptr; });
    return g && g->Scale()->fsy < 0.5 && g->Scale()->cnt < 40;
  };
  return {std::move(m),
          {Start(), ShootUp(0), Fly(-0.5, 0.9), WaitFor(open), Fly(0.8, 0.9, 0.03), Ram(2),
           Land(1.35, -0.5), ShootUp(1), Aim(1, 1.35, -0.1)}};
}

// 6. A door that slides open on a drawn time path: up the shaft while it stands open.
TPlan SlidingDoor() {
  auto m =
      NewMaze("Sliding Door", Rgb(40, 36, 12), Rgb(0, 0, 0), Rgb(240, 220, 90), Rgb(0, 255, 238));
  Room(*m, {{-2.5, -1}, {-2.5, 3}, {2.5, 3}, {2.5, -1}});
  StartOn(*m, Pad(*m, -1.8, -1.2, -0.6, Rgb(100, 90, 30)));
  Box(*m, -2.5, 1.0, -0.3, 1.3, m->linecolor, Rgb(100, 90, 30));
  Box(*m, 0.3, 1.0, 2.5, 1.3, m->linecolor, Rgb(100, 90, 30));
  TPolygon& door = Box(*m, -0.3, 1.02, 0.3, 1.28, Rgb(255, 140, 60), Rgb(200, 90, 30), bsCross);
  auto slide = std::make_unique<TTrans>();
  // The start point first: moving it keeps the far end in place.
  slide->SetRx(0);
  slide->SetRy(1.15);
  slide->x1 = 0.7;
  slide->y1 = 0;
  slide->SetPeriod(200);
  slide->flinear = TimePath({{0, 0}, {0.15, 1}, {0.55, 1}, {0.7, 0}, {1, 0}});
  door.SetTrans(std::move(slide));
  Pad(*m, 1.2, 1.9, 1.8, Rgb(100, 90, 30), bsVertical);
  const auto [ax, ay] = Along(-0.6, 0.2, 4, 0.55);
  Ball(*m, ax, ay, Rgb(255, 255, 255));
  Ball(*m, -1.5, 2.4, Rgb(255, 80, 80));
  Ball(*m, 0.8, 2.6, Rgb(80, 255, 120));
  Ball(*m, 1.55, 2.45, Rgb(80, 200, 255), 0.05);
  using namespace route;
  auto open = [](const TMaze& mz) {
    const TPolygon* d = Animated(mz, [](const TPolygon& p) { return p.Trans() != nullptr; });
    return d && d->Trans()->x > 0.69 && d->Trans()->cnt < 50;
  };
  return {std::move(m),
          {Start(), Aim(0, -0.6, 0.2), Fly(0, 0.6), WaitFor(open), Fly(0, 1.75, 0.03), Ram(1),
           Ram(2), Land(1.55, 1.8), ShootUp(3), Aim(3, 1.55, 2.1)}};
}

// 7. The first passage: through a low crawl that dips at its middle, and a ball above a grate
// that only a shot through its slot reaches. The caves come next.
TPlan TheNarrows() {
  auto m =
      NewMaze("The Narrows", Rgb(30, 30, 30), Rgb(10, 0, 20), Rgb(200, 200, 200), Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {// The left room, then along the crawl's floor.
                             {-3.0, 2.5},
                             {-3.0, 0},
                             Ledge(-1.8, 0),
                             {-1.0, 0},
                             {-1.0, 1.0},
                             {0.2, 1.0},
                             {1.0, 0.4},
                             // The right room.
                             {1.8, 0.4},
                             {1.8, -0.2},
                             {2.2, -0.2},
                             Ledge(3.5, -0.2),
                             {3.5, 2.5},
                             {1.8, 2.5},
                             // Back along the crawl's roof.
                             {1.8, 0.9},
                             {1.0, 0.9},
                             {0.2, 1.5},
                             {-1.0, 1.5},
                             {-1.0, 2.5}});
  StartOnLedge(*m, cave, 2);
  // The grate, its slot from 2.8 to 2.95.
  Rock(*m, {{2.1, 1.9}, {2.1, 2.0}, {2.8, 2.0}, {2.8, 1.9}}, Rgb(90, 90, 90), bsCross);
  Rock(*m, {{2.95, 1.9}, {2.95, 2.0}, {3.5, 2.0}, {3.5, 1.9}}, Rgb(90, 90, 90), bsCross);
  Ball(*m, -2.0, 1.6, Rgb(255, 255, 255));
  Ball(*m, -0.4, 1.25, Rgb(255, 80, 80));
  Ball(*m, 2.6, 1.0, Rgb(80, 255, 120));
  Ball(*m, 2.875, 2.2, Rgb(255, 200, 0), 0.035);
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Fly(-1.3, 1.25), Ram(1), Fly(0.2, 1.25, 0.012), Fly(1.0, 0.65, 0.012),
           Fly(2.1, 0.65), Ram(2), Aim(3, 2.875, 1.45)}};
}

// 8. Everything at once: a swinging arm, a sliding gate on a sine, a pulsing gate on a drawn
// path, a gear, a harmless cloud and three pads.
TPlan GrandTour() {
  auto m =
      NewMaze("Grand Tour", Rgb(14, 20, 34), Rgb(0, 0, 8), Rgb(150, 180, 255), Rgb(255, 238, 0));
  Room(*m, {{-4, -1}, {-4, 2.5}, {4, 2.5}, {4, -1}});
  StartOn(*m, Pad(*m, -3.6, -3.0, -0.6, Rgb(40, 50, 90)));
  // Left hall: the arm.
  TPolygon& arm = Shape(*m, {{-2.28, 1.2}, {-2.28, 2.5}, {-2.12, 2.5}, {-2.12, 1.2}},
                        Rgb(255, 160, 255), Rgb(160, 60, 180), bsVertical);
  Swing(arm, -2.2, 2.5, -0.6, 0.6, 140);
  // First wall with a gate that slides up and down on a sine.
  Box(*m, -1.25, -1, -1.0, 0.0, m->linecolor, Rgb(40, 50, 90));
  Box(*m, -1.25, 1.3, -1.0, 2.5, m->linecolor, Rgb(40, 50, 90));
  TPolygon& slider =
      Box(*m, -1.22, 0.02, -1.03, 1.28, Rgb(255, 140, 60), Rgb(190, 80, 30), bsCross);
  auto slide = std::make_unique<TTrans>();
  slide->SetRx(-1.125);
  slide->SetRy(0.65);
  slide->x1 = 0;
  slide->y1 = 1.2;
  slide->SetPeriod(180);
  slide->SetAniType(at_sinusoidal);
  slider.SetTrans(std::move(slide));
  // Middle hall: the gear and a cloud.
  TPolygon& gear = Gear(*m, 0.3, 1.6, 0.4, 0.25, 7, Rgb(255, 210, 120), Rgb(140, 90, 30), bsSolid);
  Turn(gear, 0.3, 1.6, 180, false);
  TPolygon& cloud = Shape(*m, {{-0.5, 0.3}, {-0.3, 0.8}, {0.3, 0.9}, {0.6, 0.4}, {0, 0.1}},
                          Rgb(200, 200, 255), Rgb(100, 100, 180), bsDiagCross, 1);
  cloud.harmless = true;
  Pad(*m, -0.2, 0.5, -0.5, Rgb(40, 50, 90), bsHorizontal);
  // Second wall with a gate that pulses on a drawn path.
  Box(*m, 1.5, -1, 1.75, 0.0, m->linecolor, Rgb(40, 50, 90));
  Box(*m, 1.5, 1.3, 1.75, 2.5, m->linecolor, Rgb(40, 50, 90));
  TPolygon& pulser =
      Box(*m, 1.53, 0.02, 1.72, 1.28, Rgb(255, 90, 90), Rgb(160, 30, 30), bsFDiagonal);
  auto pulse = std::make_unique<TScale>();
  pulse->init(1.625, 0.02, 1, 1, 1, 0.1, 160);
  pulse->flinear = TimePath({{0, 0}, {0.2, 1}, {0.6, 1}, {0.75, 0}, {1, 0}});
  pulser.SetScale(std::move(pulse));
  // Right hall.
  Pad(*m, 2.8, 3.5, 0.3, Rgb(40, 50, 90), bsBDiagonal);
  Ball(*m, -3.3, 0.25, Rgb(255, 255, 255));
  Ball(*m, -2.2, 0.5, Rgb(255, 80, 80));
  Ball(*m, -3.3, 2.0, Rgb(80, 255, 120));
  Ball(*m, 0.15, 0.55, Rgb(80, 200, 255));
  Ball(*m, 1.0, 2.2, Rgb(255, 200, 0));
  Ball(*m, 2.5, 2.0, Rgb(255, 120, 255));
  const auto [bx, by] = Along(3.15, 0.7, 0, 0.6);
  Ball(*m, bx, by, Rgb(120, 255, 255), 0.05);
  Ball(*m, 3.5, 1.9, Rgb(255, 255, 120));
  using namespace route;
  // Through the first wall while the slider is rising out of the way, through the second
  // as soon as the pulser has shrunk.
  auto slider_up = [](const TMaze& mz) {
    const TPolygon* g = Animated(mz, [](const TPolygon& p) { return p.Trans() != nullptr; });
    return g && g->Trans()->y > 0.7 && g->Trans()->cnt < 50;
  };
  auto pulser_small = [](const TMaze& mz) {
    const TPolygon* g = Animated(mz, [](const TPolygon& p) { return p.Scale() != nullptr; });
    return g && g->Scale()->fsy < 0.2 && g->Scale()->cnt < 40;
  };
  return {std::move(m),
          {Start(),
           ShootUp(0),
           Fly(-3.3, 1.0),
           Ram(2),
           Fly(-3.0, 0.5),
           Ram(1),
           Fly(-1.6, 0.5),
           WaitFor(slider_up),
           Fly(-0.6, 0.5, 0.03),
           Ram(3),
           Fly(1.0, 0.8),
           Ram(4),
           Fly(1.1, 0.9),
           WaitFor(pulser_small),
           Fly(2.2, 0.9, 0.03),
           Ram(5),
           Ram(7),
           Land(3.15, 0.3),
           ShootUp(6),
           Aim(6, 3.15, 0.7)}};
}

}  // namespace

const std::vector<TPlanMaker>& LearningPlans() {
  static const std::vector<TPlanMaker> plans = {FirstFlight, TwoPads,     GearWorks,  SwingArm,
                                                PulseGate,   SlidingDoor, TheNarrows, GrandTour};
  return plans;
}

}  // namespace starter
