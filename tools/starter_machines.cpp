// The machines of the starter collection: caves with turning gears, swinging arms, pulsing and
// sliding gates, harmless decorations and timing puzzles.
#include <tuple>

#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_trans.h"
#include "starter_shapes.h"

namespace starter {
namespace {

// 1. A gallery whose roof and floor are set with turning gears: keep to the middle of it.
TPlan GearGallery() {
  auto m =
      NewMaze("Gear Gallery", Rgb(36, 28, 18), Rgb(8, 6, 2), Rgb(230, 170, 90), Rgb(255, 238, 0));
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
  } gears[] = {
      {1.5, 1.8, true, 160}, {3.2, 0, false, 200}, {5.0, 1.8, false, 160}, {6.8, 0, true, 120}};
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
          {Start(), ShootUp(0), Ram(1), Fly(0.7, 0.9), Fly(1.5, 0.9, 0.012), Ram(2), Fly(2.35, 0.9),
           Fly(3.2, 0.9, 0.012), Ram(3), Fly(4.1, 0.9), Fly(5.0, 0.9, 0.012), Ram(4), Fly(5.9, 0.9),
           Fly(6.8, 0.9, 0.012), Fly(7.6, 0.9), Ram(5), Ram(6)}};
}

// 2. Three pistons pounding the floor of a corridor, each at its own beat: under each while
// it is up.
TPlan PistonRow() {
  auto m =
      NewMaze("Piston Row", Rgb(30, 30, 36), Rgb(6, 6, 8), Rgb(170, 180, 200), Rgb(255, 238, 0));
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
  Pulse(high, 0.8, 4.35, 0.1, 1, 200, TimePath({{0, 0}, {0.1, 1}, {0.5, 1}, {0.6, 0}, {1, 0}}));
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
  return {
      std::move(m),
      {Start(), Ram(0), Ram(1), Fly(0.5, 0.5), Fly(0.5, 1.55), WaitFor(Crossing(low_wall, 0.75)),
       Fly(0.5, 2.75, 0.03), Fly(0.5, 3.25), Ram(2), Fly(0.5, 3.3), Fly(0.4, 3.75),
       WaitFor(Crossing(high_wall, 0.75)), Fly(0.4, 5.2, 0.03), Ram(3), Ram(4)}};
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
  TPolygon& second = Box(*m, 3.05, 0.03, 3.45, 1.45, Rgb(255, 140, 60), Rgb(190, 90, 30), bsCross);
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

// An arm on a pivot at (px, py), drawn pointing along the direction `dir` (+1 right, -1 left),
// length long.
TPolygon& Arm(TMaze& m, double px, double py, int dir, double length, TColor line, TColor fill) {
  const double end = px + dir * length;
  return Shape(m, {{px, py - 0.04}, {px, py + 0.04}, {end, py + 0.04}, {end, py - 0.04}}, line,
               fill, bsVertical);
}

// 5. Down a shaft barred by three arms that swing up against its walls and drop back across it.
TPlan ArmsInTheShaft() {
  auto m = NewMaze("Arms in the Shaft", Rgb(34, 18, 40), Rgb(8, 2, 10), Rgb(210, 130, 255),
                   Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {// The top hall.
                             {-1.2, 1.2},
                             {-1.2, 0},
                             Ledge(-0.2, 0),
                             {0, 0},
                             // Down the shaft's left side; the bottom hall.
                             {0, -6.0},
                             {-1.5, -6.0},
                             {-1.5, -7.2},
                             {-0.3, -7.2},
                             Ledge(1.5, -7.2),
                             {2.6, -7.2},
                             {2.6, -6.0},
                             // Up the shaft's right side.
                             {1.2, -6.0},
                             {1.2, 0},
                             {2.1, 0},
                             {2.1, 1.2}});
  StartOnLedge(*m, cave, 2);
  const TColor line = Rgb(255, 190, 255), fill = Rgb(150, 60, 170);
  Swing(Arm(*m, 0, -1.5, 1, 0.8, line, fill), 0, -1.5, 0, 1.45, 300);
  const int first = Last(*m);
  Swing(Arm(*m, 1.2, -3.2, -1, 0.8, line, fill), 1.2, -3.2, 0, -1.45, 260);
  const int second = Last(*m);
  Swing(Arm(*m, 0, -4.8, 1, 0.8, line, fill), 0, -4.8, 0, 1.45, 220);
  const int third = Last(*m);
  // Lamps on the shaft's walls, only pictures.
  for (const auto& [x, y] : {std::pair{0.05, -0.6}, {1.15, -2.4}, {0.05, -4.0}, {1.15, -5.5}}) {
    Shape(*m, {{x - 0.05, y}, {x, y + 0.08}, {x + 0.05, y}, {x, y - 0.08}}, Rgb(255, 240, 160),
          Rgb(200, 170, 60), bsSolid, 1)
        .harmless = true;
  }
  Ball(*m, 1.6, 0.6, Rgb(255, 255, 255));
  Ball(*m, 0.6, -2.3, Rgb(255, 90, 90));
  Ball(*m, 0.6, -4.0, Rgb(90, 255, 140));
  Ball(*m, -1.0, -6.6, Rgb(90, 200, 255));
  Ball(*m, 2.2, -6.6, Rgb(255, 210, 60));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Fly(0.85, 0.5), Fly(0.85, -0.7), WaitFor(Crossing(first, 0.7)),
           Fly(0.85, -2.3, 0.03), Ram(1), Fly(0.35, -2.4), WaitFor(Crossing(second, 0.7)),
           Fly(0.35, -4.0, 0.03), Ram(2), Fly(0.85, -4.0), WaitFor(Crossing(third, 0.7)),
           Fly(0.85, -5.6, 0.03), Fly(0.6, -6.6), Ram(3), Ram(4)}};
}

// A windmill of four sails about (cx, cy), reach long, turning once in period ticks.
void Windmill(TMaze& m, double cx, double cy, double reach, int period, bool cw, TColor line,
              TColor fill) {
  const double w = 0.08;
  TPolygon& mill = Shape(m,
                         {{cx + w, cy + w},
                          {cx + w, cy + reach},
                          {cx - w, cy + reach},
                          {cx - w, cy + w},
                          {cx - reach, cy + w},
                          {cx - reach, cy - w},
                          {cx - w, cy - w},
                          {cx - w, cy - reach},
                          {cx + w, cy - reach},
                          {cx + w, cy - w},
                          {cx + reach, cy - w},
                          {cx + reach, cy + w}},
                         line, fill, bsDiagCross);
  Turn(mill, cx, cy, period, cw);
}

// 6. A long hall turned by two great windmills: over them, and down between them to a pad.
TPlan Windmills() {
  auto m =
      NewMaze("Windmills", Rgb(18, 30, 46), Rgb(2, 6, 12), Rgb(140, 190, 255), Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {{-3.0, 4.0},
                             {-3.0, 0},
                             Ledge(-2.0, 0),
                             {1.4, 0},
                             Ledge(2.1, 0),
                             {5.0, 0},
                             Ledge(6.0, 0),
                             {6.0, 4.0}});
  StartOnLedge(*m, cave, 2);
  Windmill(*m, 0, 1.9, 1.2, 480, false, Rgb(230, 240, 255), Rgb(120, 140, 190));
  Windmill(*m, 3.5, 1.9, 1.2, 400, true, Rgb(230, 240, 255), Rgb(120, 140, 190));
  // A harmless glow at each hub, pulsing.
  for (const double x : {0.0, 3.5}) {
    TPolygon& glow = Shape(*m, {{x - 0.2, 1.9}, {x, 2.1}, {x + 0.2, 1.9}, {x, 1.7}},
                           Rgb(255, 230, 150), Rgb(200, 150, 40), bsSolid, 1);
    glow.harmless = true;
    Pulse(glow, x, 1.9, 0.4, 0.4, 60);
  }
  Ball(*m, -2.5, 1.5, Rgb(255, 255, 255));
  Ball(*m, -2.5, 3.3, Rgb(255, 90, 90));
  Ball(*m, 0, 3.55, Rgb(90, 255, 140));
  Ball(*m, 1.75, 1.2, Rgb(90, 200, 255));
  Ball(*m, 3.5, 3.55, Rgb(255, 210, 60));
  Ball(*m, 5.5, 3.3, Rgb(255, 120, 255));
  Ball(*m, 5.5, 1.2, Rgb(120, 255, 255));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Ram(1), Fly(-1.5, 3.55), Ram(2), Fly(1.75, 3.55), Ram(3),
           Fly(1.75, 3.55), Ram(4), Fly(5.0, 3.55), Ram(5), Ram(6)}};
}

// 7. A tower of clockwork: between two gears, through a pendulum's swing, past a beating gate.
TPlan ClockTower() {
  auto m =
      NewMaze("Clock Tower", Rgb(40, 34, 26), Rgb(8, 6, 4), Rgb(230, 200, 150), Rgb(120, 255, 200));
  TPolygon& cave = Cave(*m, {// The bottom hall, then up the right side of the gear shaft.
                             {-0.6, 1.2},
                             {-0.6, 0},
                             Ledge(0.4, 0),
                             {2.4, 0},
                             {2.4, 1.2},
                             {1.5, 1.2},
                             {1.5, 3.5},
                             // The pendulum's room, then up the right side of the gate shaft.
                             Ledge(2.4, 3.5),
                             {2.4, 6.0},
                             {1.2, 6.0},
                             {1.2, 8.0},
                             // The top hall.
                             {2.5, 8.0},
                             {2.5, 9.2},
                             {-0.5, 9.2},
                             {-0.5, 8.0},
                             Ledge(0.4, 8.0),
                             // Down the left sides of the gate shaft, the room and the gears.
                             {0.4, 6.0},
                             {-1.8, 6.0},
                             {-1.8, 3.5},
                             Ledge(0.3, 3.5),
                             {0.3, 1.2}});
  StartOnLedge(*m, cave, 2);
  TPolygon& low = Gear(*m, 0.3, 2.0, 0.45, 0.3, 8, Rgb(255, 210, 120), Rgb(150, 100, 40), bsSolid);
  Turn(low, 0.3, 2.0, 160, true);
  TPolygon& high = Gear(*m, 1.5, 2.9, 0.45, 0.3, 8, Rgb(255, 210, 120), Rgb(150, 100, 40), bsSolid);
  Turn(high, 1.5, 2.9, 160, false);
  TPolygon& pendulum = Shape(*m,
                             {{-0.06, 6.0},
                              {-0.06, 4.1},
                              {-0.25, 3.95},
                              {0, 3.75},
                              {0.25, 3.95},
                              {0.06, 4.1},
                              {0.06, 6.0}},
                             Rgb(255, 220, 140), Rgb(170, 130, 50), bsSolid);
  Swing(pendulum, 0, 6.0, -0.6, 0.6, 300);
  const int swing = Last(*m);
  TPolygon& gate = Box(*m, 0.4, 6.9, 1.2, 7.1, Rgb(255, 120, 90), Rgb(170, 60, 40), bsFDiagonal);
  Pulse(gate, 1.2, 7.0, 0.1, 1, 180, TimePath({{0, 0}, {0.1, 1}, {0.5, 1}, {0.6, 0}, {1, 0}}));
  const int beat = Last(*m);
  Ball(*m, 1.9, 0.6, Rgb(255, 255, 255));
  Ball(*m, 1.15, 1.6, Rgb(255, 90, 90));
  Ball(*m, 1.9, 4.3, Rgb(90, 255, 140));
  Ball(*m, 0.9, 7.6, Rgb(90, 200, 255));
  Ball(*m, -0.1, 8.6, Rgb(255, 210, 60));
  Ball(*m, 2.1, 8.6, Rgb(255, 120, 255));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Fly(1.15, 0.6), Fly(1.15, 2.0), Fly(0.65, 2.5), Fly(0.65, 2.9),
           Fly(0.75, 3.2), WaitFor(Crossing(swing, 0.7, false)), Fly(1.9, 4.0, 0.03), Ram(2),
           Fly(1.9, 4.3), WaitFor(Crossing(swing, 0.3, false)), Fly(0.9, 5.2, 0.03),
           Fly(0.6, 6.5, 0.012), WaitFor(Crossing(beat, 0.75)), Fly(0.6, 7.6, 0.03), Ram(3), Ram(4),
           Ram(5)}};
}

// 8. The whole works in one run: a piston, a pair of gears, a sliding door, an arm in a shaft,
// a gate that breathes and a harmless cloud of steam, back to a hall over the start.
TPlan GreatEngine() {
  auto m = NewMaze("The Great Engine", Rgb(30, 24, 24), Rgb(6, 2, 2), Rgb(230, 150, 130),
                   Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {// The lower corridor, then up the shaft's right side.
                             {-1.0, 1.6},
                             {-1.0, 0},
                             Ledge(0.3, 0),
                             {7.6, 0},
                             {7.6, 6.4},
                             // The upper corridor's roof, round the last hall.
                             {2.0, 6.4},
                             {2.0, 6.8},
                             {0, 6.8},
                             {0, 4.6},
                             Ledge(2.0, 4.6),
                             // The upper corridor's floor, down the shaft's left side.
                             {2.0, 5.0},
                             {6.6, 5.0},
                             {6.6, 1.6}});
  StartOnLedge(*m, cave, 2);
  Box(*m, 1.24, 1.6, 1.76, 3.6, Rgb(130, 110, 110), Rgb(60, 50, 50), bsVertical).harmless = true;
  TPolygon& piston = Box(*m, 1.3, 0.05, 1.7, 2.4, Rgb(255, 150, 90), Rgb(160, 80, 40), bsCross);
  Slide(piston, 1.5, 0.05, 0, 1.05, 200);
  const int piston_at = Last(*m);
  for (const auto& [x, y, cw] : {std::tuple{3.2, 1.6, true}, {4.4, 0.0, false}}) {
    TPolygon& wheel = Gear(*m, x, y, 0.5, 0.34, 9, Rgb(255, 210, 120), Rgb(150, 100, 40), bsSolid);
    Turn(wheel, x, y, 180, cw);
  }
  TPolygon& door = Box(*m, 5.6, 0.03, 6.0, 1.65, Rgb(255, 140, 60), Rgb(190, 90, 30), bsCross);
  Slide(door, 5.8, 0.03, 0, 1.15, 220, TimePath({{0, 0}, {0.1, 1}, {0.5, 1}, {0.6, 0}, {1, 0}}));
  const int door_at = Last(*m);
  Swing(Arm(*m, 6.6, 3.2, 1, 0.8, Rgb(255, 190, 255), Rgb(150, 60, 170)), 6.6, 3.2, 0, 1.45, 260);
  const int arm_at = Last(*m);
  TPolygon& gate = Box(*m, 4.8, 4.98, 5.0, 6.45, Rgb(255, 120, 90), Rgb(170, 60, 40), bsFDiagonal);
  Pulse(gate, 4.9, 6.4, 1, 0.1, 240);
  const int gate_at = Last(*m);
  Shape(*m, {{3.0, 5.3}, {3.2, 5.75}, {3.6, 5.8}, {3.85, 5.4}, {3.4, 5.1}}, Rgb(220, 220, 220),
        Rgb(130, 130, 130), bsDiagCross, 1)
      .harmless = true;
  Ball(*m, -0.35, 0.9, Rgb(255, 255, 255));
  Ball(*m, 2.4, 1.2, Rgb(255, 90, 90));
  Ball(*m, 5.0, 0.4, Rgb(90, 255, 140));
  Ball(*m, 7.1, 0.5, Rgb(90, 200, 255));
  Ball(*m, 7.3, 4.5, Rgb(255, 210, 60));
  Ball(*m, 6.0, 5.9, Rgb(255, 120, 255));
  Ball(*m, 3.4, 5.4, Rgb(120, 255, 255));
  Ball(*m, 0.5, 6.3, Rgb(255, 255, 120));
  Ball(*m, 1.6, 6.4, Rgb(255, 160, 200));
  using namespace route;
  return {std::move(m),
          {Start(),
           ShootUp(0),
           Fly(1.0, 0.5),
           WaitFor(Crossing(piston_at, 0.6)),
           Fly(2.05, 0.5, 0.03),
           Ram(1),
           Fly(2.5, 0.8),
           Fly(3.2, 0.8, 0.012),
           Fly(4.4, 0.8, 0.012),
           Ram(2),
           Fly(5.25, 0.5),
           WaitFor(Crossing(door_at, 0.9)),
           Fly(6.4, 0.5, 0.03),
           Ram(3),
           Fly(7.3, 2.4),
           WaitFor(Crossing(arm_at, 0.7)),
           Fly(7.3, 4.0, 0.03),
           Ram(4),
           Fly(7.1, 5.6),
           Ram(5),
           Fly(5.3, 5.4),
           WaitFor(Crossing(gate_at, 0.75)),
           Fly(4.4, 5.4, 0.03),
           Ram(6),
           Ram(7),
           Ram(8)}};
}

}  // namespace

const std::vector<TPlanMaker>& MachinePlans() {
  static const std::vector<TPlanMaker> plans = {GearGallery, PistonRow,      BreathingWalls,
                                                DoubleLock,  ArmsInTheShaft, Windmills,
                                                ClockTower,  GreatEngine};
  return plans;
}

}  // namespace starter
