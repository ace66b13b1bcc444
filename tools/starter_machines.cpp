// The machines of the starter collection: caves with turning gears, swinging arms, pulsing and
// sliding gates, harmless decorations and timing puzzles.
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_trans.h"
#include "starter_shapes.h"

namespace starter {
namespace {

// 1. A gallery whose roof and floor are set with turning gears: keep to the middle of it.
TPlan GearGallery() {
  auto m = NewMaze("Gear Gallery", Rgb(36, 28, 18), Rgb(8, 6, 2), Rgb(230, 170, 90),
                   Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {{-1.0, 1.8},
                             {-1.0, 0},
                             Ledge(0.4, 0),
                             {8.0, 0},
                             // The hall at the end.
                             {8.0, -0.8},
                             Ledge(9.6, -0.8),
                             {9.6, 2.4},
                             {8.0, 2.4},
                             {8.0, 1.8}});
  StartOnLedge(*m, cave, 2);
  // A harmless drive belt along the roof, under the gears it drives.
  Shape(*m, {{1.5, 1.74}, {5.0, 1.74}, {5.0, 1.86}, {1.5, 1.86}}, Rgb(120, 100, 70),
        Rgb(80, 60, 40), bsHorizontal, 1)
      .harmless = true;
  const struct {
    double x, y;
    bool cw;
    int period;
  } gears[] = {{1.5, 1.8, true, 160}, {3.2, 0, false, 200}, {5.0, 1.8, false, 160},
               {6.8, 0, true, 120}};
  for (const auto& g : gears) {
    TPolygon& wheel =
        Gear(*m, g.x, g.y, 0.55, 0.38, 9, Rgb(255, 210, 120), Rgb(150, 100, 40), bsSolid);
    Turn(wheel, g.x, g.y, g.period, g.cw);
  }
  Ball(*m, -0.3, 0.85, Rgb(255, 255, 255));
  Ball(*m, 0.5, 0.4, Rgb(255, 90, 90));
  Ball(*m, 2.35, 1.4, Rgb(90, 255, 140));
  Ball(*m, 4.1, 0.35, Rgb(90, 200, 255));
  Ball(*m, 5.9, 1.4, Rgb(255, 210, 60));
  Ball(*m, 8.8, 1.6, Rgb(255, 120, 255));
  Ball(*m, 8.8, -0.3, Rgb(120, 255, 255));
  using namespace route;
  return {std::move(m),
          {Start(), ShootUp(0), Ram(1), Fly(0.7, 0.9), Fly(1.5, 0.9, 0.012), Ram(2),
           Fly(2.35, 0.9), Fly(3.2, 0.9, 0.012), Ram(3), Fly(4.1, 0.9), Fly(5.0, 0.9, 0.012),
           Ram(4), Fly(5.9, 0.9), Fly(6.8, 0.9, 0.012), Fly(7.6, 0.9), Ram(5), Ram(6)}};
}

// 2. Three pistons pounding the floor of a corridor, each at its own beat: under each while
// it is up.
TPlan PistonRow() {
  auto m = NewMaze("Piston Row", Rgb(30, 30, 36), Rgb(6, 6, 8), Rgb(170, 180, 200),
                   Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {{-1.0, 1.6},
                             {-1.0, 0},
                             Ledge(0.3, 0),
                             {7.5, 0},
                             {7.5, -0.6},
                             Ledge(9.0, -0.6),
                             {9.0, 2.2},
                             {7.5, 2.2},
                             {7.5, 1.6}});
  StartOnLedge(*m, cave, 2);
  const struct {
    double x;
    int period;
  } pistons[] = {{1.8, 200}, {3.8, 160}, {5.8, 240}};
  int piston[3];
  for (int i = 0; i < 3; ++i) {
    const double x = pistons[i].x;
    // The cylinder above the roof is only a picture; the piston comes out of it.
    Box(*m, x - 0.06, 1.6, x + 0.46, 3.6, Rgb(110, 110, 130), Rgb(50, 50, 64), bsVertical)
        .harmless = true;
    TPolygon& p = Box(*m, x, 0.05, x + 0.4, 2.4, Rgb(255, 150, 90), Rgb(160, 80, 40), bsCross);
    Slide(p, x + 0.2, 0.05, 0, 1.05, pistons[i].period);
    piston[i] = Last(*m);
  }
  Ball(*m, 0.6, 1.1, Rgb(255, 255, 255));
  Ball(*m, 2.9, 1.2, Rgb(255, 90, 90));
  Ball(*m, 4.9, 1.2, Rgb(90, 255, 140));
  Ball(*m, 7.0, 1.2, Rgb(90, 200, 255));
  Ball(*m, 8.6, 1.6, Rgb(255, 210, 60));
  using namespace route;
  TRoute r = {Start(), Ram(0)};
  for (int i = 0; i < 3; ++i) {
    const double x = pistons[i].x;
    r.insert(r.end(), {Fly(x - 0.35, 0.5), WaitFor(Crossing(piston[i], 0.6)),
                       Fly(x + 0.75, 0.5, 0.03), Ram(i + 1)});
  }
  r.push_back(Ram(4));
  return {std::move(m), std::move(r)};
}

// 3. Up a shaft closed by two breathing walls, one on a sine, one on a drawn beat, with
// harmless bubbles rising through it.
TPlan BreathingWalls() {
  auto m = NewMaze("Breathing Walls", Rgb(14, 34, 30), Rgb(0, 8, 6), Rgb(90, 220, 180),
                   Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {// The bottom hall.
                             {-1.2, 1.0},
                             {-1.2, 0},
                             Ledge(0.0, 0),
                             {1.6, 0},
                             {1.6, 1.0},
                             // Up the shaft's right side, past a pocket.
                             {0.8, 1.0},
                             {0.8, 3.0},
                             {1.4, 3.0},
                             {1.4, 3.7},
                             {0.8, 3.7},
                             {0.8, 5.0},
                             // The top hall.
                             {1.8, 5.0},
                             {1.8, 6.4},
                             {-1.2, 6.4},
                             {-1.2, 5.0},
                             Ledge(0, 5.0),
                             // Down the shaft's left side.
                             {0, 1.0}});
  StartOnLedge(*m, cave, 2);
  TPolygon& low = Box(*m, 0, 2.0, 0.8, 2.3, Rgb(255, 120, 90), Rgb(170, 60, 40), bsFDiagonal);
  Pulse(low, 0, 2.15, 0.1, 1, 260);
  const int low_wall = Last(*m);
  TPolygon& high = Box(*m, 0, 4.2, 0.8, 4.5, Rgb(255, 200, 90), Rgb(170, 120, 40), bsBDiagonal);
  Pulse(high, 0.8, 4.35, 0.1, 1, 200,
        TimePath({{0, 0}, {0.1, 1}, {0.5, 1}, {0.6, 0}, {1, 0}}));
  const int high_wall = Last(*m);
  for (const auto& [x, y] : {std::pair{0.2, 1.4}, {0.6, 2.7}, {0.3, 3.8}, {0.5, 4.8}}) {
    Shape(*m, {{x - 0.06, y}, {x, y + 0.06}, {x + 0.06, y}, {x, y - 0.06}}, Rgb(160, 255, 230),
          Rgb(60, 140, 120), bsDiagCross, 1)
        .harmless = true;
  }
  Ball(*m, -0.8, 0.5, Rgb(255, 255, 255));
  Ball(*m, 1.2, 0.5, Rgb(255, 90, 90));
  Ball(*m, 1.15, 3.3, Rgb(90, 255, 140));
  Ball(*m, -0.8, 5.9, Rgb(90, 200, 255));
  Ball(*m, 1.4, 5.9, Rgb(255, 210, 60));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Ram(1), Fly(0.5, 0.5), Fly(0.5, 1.55), WaitFor(Crossing(low_wall, 0.75)),
           Fly(0.5, 2.75, 0.03), Fly(0.5, 3.25), Ram(2), Fly(0.5, 3.3), Fly(0.4, 3.75), WaitFor(Crossing(high_wall, 0.75)),
           Fly(0.4, 5.2, 0.03), Ram(3), Ram(4)}};
}

// 4. Two locks in a row, their doors sliding on drawn paths of the same beat: the second opens
// as the first closes, so there is no waiting between them.
TPlan DoubleLock() {
  auto m = NewMaze("Double Lock", Rgb(40, 32, 14), Rgb(10, 8, 0), Rgb(240, 210, 100),
                   Rgb(120, 255, 200));
  TPolygon& cave = Cave(*m, {{-1.2, 1.4},
                             {-1.2, 0},
                             Ledge(0.2, 0),
                             {6.0, 0},
                             Ledge(7.2, 0),
                             {7.2, 1.4},
                             // The roof, with the slots the doors slide up into.
                             {3.5, 1.4},
                             {3.5, 2.7},
                             {3.0, 2.7},
                             {3.0, 1.4},
                             {2.2, 1.4},
                             {2.2, 2.7},
                             {1.7, 2.7},
                             {1.7, 1.4}});
  StartOnLedge(*m, cave, 2);
  TPolygon& first = Box(*m, 1.75, 0.03, 2.15, 1.45, Rgb(255, 140, 60), Rgb(190, 90, 30), bsCross);
  Slide(first, 1.95, 0.03, 0, 1.15, 240,
        TimePath({{0, 0}, {0.1, 1}, {0.45, 1}, {0.55, 0}, {1, 0}}));
  const int first_door = Last(*m);
  TPolygon& second =
      Box(*m, 3.05, 0.03, 3.45, 1.45, Rgb(255, 140, 60), Rgb(190, 90, 30), bsCross);
  Slide(second, 3.25, 0.03, 0, 1.15, 240,
        TimePath({{0, 0}, {0.3, 0}, {0.4, 1}, {0.75, 1}, {0.85, 0}, {1, 0}}));
  Ball(*m, -0.5, 0.8, Rgb(255, 255, 255));
  Ball(*m, 2.6, 0.5, Rgb(255, 90, 90));
  Ball(*m, 5.0, 0.7, Rgb(90, 255, 140));
  Ball(*m, 6.8, 1.0, Rgb(90, 200, 255));
  using namespace route;
  return {std::move(m),
          {Start(), ShootUp(0), Fly(1.35, 0.45), WaitFor(Crossing(first_door, 0.9)),
           Fly(2.6, 0.45, 0.03), Fly(3.9, 0.45, 0.03), Ram(1), Ram(2), Ram(3)}};
}

}  // namespace

const std::vector<TPlanMaker>& MachinePlans() {
  static const std::vector<TPlanMaker> plans = {GearGallery, PistonRow, BreathingWalls, DoubleLock};
  return plans;
}

}  // namespace starter
