// The caves of the starter collection: winding tunnels, shafts, narrow passages and ledges to
// rest on, with balls tucked into side pockets. Every outline runs anticlockwise, so that its
// floors run left to right and can be landing ledges; the comments walk along it.
#include "starter_shapes.h"

namespace starter {
namespace {

// 1. A wide well straight down from the start, a pocket on each side of it, a hall below.
TPlan DownTheWell() {
  auto m = NewMaze("Down the Well", Rgb(22, 30, 44), Rgb(6, 8, 12), Rgb(120, 150, 200),
                   Rgb(255, 220, 60));
  TPolygon& cave = Cave(*m, {// The top hall, its floor the start ledge.
                             {-1.5, 1.5},
                             {-1.5, 0},
                             Ledge(-0.3, 0),
                             {0, 0},
                             // Down the left side of the well, past a pocket to rest in.
                             {0, -2.5},
                             {-0.7, -2.5},
                             {-0.7, -3.1},
                             Ledge(0, -3.1),
                             {0, -4.0},
                             // The bottom hall.
                             {-1.5, -4.0},
                             {-1.5, -5.2},
                             {-0.3, -5.2},
                             Ledge(0.9, -5.2),
                             {2.0, -5.2},
                             {2.0, -4.0},
                             // Up the right side, past a pocket with a ball in it.
                             {0.8, -4.0},
                             {0.8, -1.6},
                             {1.5, -1.6},
                             {1.5, -1.0},
                             {0.8, -1.0},
                             {0.8, 0},
                             {1.5, 0},
                             {1.5, 1.5}});
  StartOnLedge(*m, cave, 2);
  Rock(*m, {{-0.6, 1.5}, {-0.4, 1.0}, {-0.2, 1.5}}, Rgb(60, 70, 90));
  Ball(*m, 1.0, 0.8, Rgb(255, 255, 255));
  Ball(*m, 1.2, -1.3, Rgb(255, 90, 90));
  Ball(*m, -0.35, -2.75, Rgb(90, 255, 140));
  Ball(*m, -1.0, -4.6, Rgb(90, 200, 255));
  Ball(*m, 1.5, -4.6, Rgb(255, 210, 60));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Fly(0.4, 0.5), Fly(0.4, -1.3), Ram(1), Fly(0.4, -1.3), Fly(0.4, -2.8),
           Ram(2), Fly(0.4, -2.8), Fly(0.4, -4.5), Ram(3), Ram(4)}};
}

// 2. A tunnel snaking up and down, a hall with a ledge at its end.
TPlan Serpent() {
  auto m = NewMaze("Serpent", Rgb(20, 40, 24), Rgb(4, 10, 4), Rgb(120, 210, 120), Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {// The start hall.
                             {-1.2, 0.9},
                             {-1.2, -0.6},
                             Ledge(0, -0.6),
                             {0.3, -0.6},
                             // Along the lower side of the tunnel: up, down, up.
                             {0.3, -0.35},
                             {2.35, -0.35},
                             {2.35, 1.15},
                             {3.65, 1.15},
                             {3.65, -0.35},
                             {6.35, -0.35},
                             {6.35, 1.15},
                             // The end hall.
                             {7.5, 1.15},
                             {7.5, 0.6},
                             Ledge(9.0, 0.6),
                             {9.0, 2.6},
                             {7.5, 2.6},
                             // Back along the upper side.
                             {7.5, 1.85},
                             {5.65, 1.85},
                             {5.65, 0.35},
                             {4.35, 0.35},
                             {4.35, 1.85},
                             {1.65, 1.85},
                             {1.65, 0.35},
                             {0.3, 0.35},
                             {0.3, 0.9}});
  StartOnLedge(*m, cave, 2);
  Ball(*m, -0.8, 0.5, Rgb(255, 255, 255));
  Ball(*m, 2.0, 0.8, Rgb(255, 90, 90));
  Ball(*m, 4.0, 0.7, Rgb(90, 255, 140));
  Ball(*m, 6.0, 0.8, Rgb(90, 200, 255));
  Ball(*m, 8.0, 2.2, Rgb(255, 210, 60));
  Ball(*m, 8.6, 1.1, Rgb(255, 120, 255));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Fly(-0.2, 0), Fly(2, 0), Ram(1), Fly(2, 1.5), Fly(4, 1.5), Ram(2),
           Fly(4, 0), Fly(6, 0), Ram(3), Fly(6, 1.5), Fly(7.9, 1.5), Ram(4), Ram(5)}};
}

// 3. Up a chimney in two flights, a hall with a ledge between them, a narrow niche at the top
// to shoot into.
TPlan Chimney() {
  auto m = NewMaze("Chimney", Rgb(44, 26, 20), Rgb(10, 4, 2), Rgb(230, 140, 90), Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {// The bottom hall, its floor the start ledge.
                             {-1.0, 1.2},
                             {-1.0, 0},
                             Ledge(1.0, 0),
                             // Up the right side of the first flight and the middle hall.
                             {1.0, 4.0},
                             {-0.5, 4.0},
                             // Up the right side of the second flight; the top hall's floor.
                             {-0.5, 6.0},
                             Ledge(1.5, 6.0),
                             // The niche, too low to turn in.
                             {1.5, 6.3},
                             {2.2, 6.3},
                             {2.2, 6.8},
                             {1.5, 6.8},
                             {1.5, 7.2},
                             // Down the left side, back to the middle hall's ledge.
                             {-1.2, 7.2},
                             {-1.2, 3.0},
                             Ledge(0.3, 3.0),
                             // Down the first flight, past a pocket.
                             {0.3, 2.5},
                             {-0.3, 2.5},
                             {-0.3, 2.0},
                             {0.3, 2.0},
                             {0.3, 1.2}});
  StartOnLedge(*m, cave, 2);
  Ball(*m, -0.6, 0.6, Rgb(255, 255, 255));
  Ball(*m, -0.05, 2.25, Rgb(255, 90, 90));
  Ball(*m, 0.6, 3.6, Rgb(90, 255, 140));
  Ball(*m, 0.8, 6.8, Rgb(90, 200, 255));
  const auto [nx, ny] = Along(1.0, 6.5, -7, 0.8);
  Ball(*m, nx, ny, Rgb(255, 210, 60), 0.05);
  Ball(*m, 0.0, 6.9, Rgb(255, 120, 255));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Fly(0.65, 0.8), Fly(0.65, 2.25), Ram(1), Fly(0.65, 2.25),
           Fly(0.65, 3.5), Ram(2), Fly(-0.85, 3.5), Fly(-0.85, 6.5), Ram(3), Aim(4, 1.0, 6.5),
           Land(0.0, 6.0), ShootUp(5)}};
}

// 4. A hall of rock teeth: over the first, under the second, over the third, with a recess high
// in the roof.
TPlan ToothHall() {
  auto m =
      NewMaze("Tooth Hall", Rgb(34, 30, 46), Rgb(8, 6, 14), Rgb(190, 170, 240), Rgb(120, 255, 200));
  TPolygon& cave = Cave(*m, {// The floor, a tooth rising on each side of a resting ledge.
                             {-3.0, 3.0},
                             {-3.0, 0},
                             Ledge(-2.2, 0),
                             {-1.5, 1.9},
                             {-0.8, 0},
                             Ledge(0.8, 0),
                             {1.5, 1.9},
                             {2.2, 0},
                             Ledge(3.0, 0),
                             // The roof, a tooth hanging in the middle, the recess on the left.
                             {3.0, 3.0},
                             {0.7, 3.0},
                             {0, 1.1},
                             {-0.7, 3.0},
                             {-1.8, 3.0},
                             {-1.8, 3.7},
                             {-2.6, 3.7},
                             {-2.6, 3.0}});
  StartOnLedge(*m, cave, 2);
  Ball(*m, -2.6, 0.85, Rgb(255, 255, 255));
  Ball(*m, -1.5, 2.5, Rgb(255, 90, 90));
  Ball(*m, -2.2, 3.35, Rgb(90, 255, 140));
  Ball(*m, 0, 0.5, Rgb(90, 200, 255));
  Ball(*m, 1.5, 2.6, Rgb(255, 210, 60));
  Ball(*m, 2.6, 1.8, Rgb(255, 120, 255));
  using namespace route;
  return {std::move(m),
          {Start(), ShootUp(0), Fly(-2.2, 2.4), Ram(2), Fly(-2.2, 2.5), Ram(1), Fly(-0.6, 0.55),
           Ram(3), Fly(0.6, 0.55), Fly(0.75, 2.3), Ram(4), Ram(5)}};
}

// 5. A low gallery with keyholes in its roof and floor, too narrow to fly into: each ball is
// shot from the one place in line with its keyhole, the last one at a slant.
TPlan Keyholes() {
  auto m =
      NewMaze("Keyholes", Rgb(40, 40, 20), Rgb(10, 10, 0), Rgb(220, 210, 110), Rgb(120, 230, 255));
  // The slanted keyhole rises three turning steps left of upright from (3.0, 1.2).
  const double c = 0.588, s = 0.809, half = 0.07 / s, deep = 0.6;
  TPolygon& cave = Cave(*m, {// The floor, with a keyhole down into it.
                             {-1.0, 1.2},
                             {-1.0, 0},
                             Ledge(0.2, 0),
                             {1.93, 0},
                             {1.93, -0.45},
                             {2.07, -0.45},
                             {2.07, 0},
                             {4.0, 0},
                             Ledge(5.0, 0),
                             {6.5, 0},
                             // The roof, with a keyhole straight up and the slanted one.
                             {6.5, 1.2},
                             {5.57, 1.2},
                             {5.57, 1.65},
                             {5.43, 1.65},
                             {5.43, 1.2},
                             {3.0 + half, 1.2},
                             {3.0 + half - c * deep, 1.2 + s * deep},
                             {3.0 - half - c * deep, 1.2 + s * deep},
                             {3.0 - half, 1.2}});
  StartOnLedge(*m, cave, 2);
  Ball(*m, 0.9, 0.6, Rgb(255, 255, 255));
  Ball(*m, 2.0, -0.25, Rgb(255, 90, 90), 0.035);
  const double hx = 3.0 + c * 0.55, hy = 1.2 - s * 0.55;
  const auto [kx, ky] = Along(hx, hy, 3, 0.9);
  Ball(*m, kx, ky, Rgb(90, 255, 140), 0.035);
  Ball(*m, 5.5, 1.45, Rgb(90, 200, 255), 0.035);
  Ball(*m, 6.1, 0.6, Rgb(255, 210, 60));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Aim(1, 2.0, 0.45), Aim(2, hx, hy), Aim(3, 5.5, 0.75), Ram(4)}};
}

// 6. Two squeezes barely four rocket widths across: along a low crawl that climbs at its middle,
// then straight down a slot to the bottom hall.
TPlan NeedlesEye() {
  auto m =
      NewMaze("Needle's Eye", Rgb(16, 36, 40), Rgb(0, 8, 10), Rgb(90, 210, 220), Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {// The start hall, then along the crawl's floor.
                             {-1.5, 1.45},
                             {-1.5, 0},
                             Ledge(0, 0),
                             {0, 0.5},
                             {2.0, 0.5},
                             {2.8, 1.0},
                             {4.0, 1.0},
                             // The middle hall; down the slot's left side.
                             {4.0, 0.2},
                             Ledge(4.6, 0.2),
                             {4.6, -1.8},
                             // The bottom hall.
                             {3.5, -1.8},
                             {3.5, -3.0},
                             {4.5, -3.0},
                             Ledge(5.5, -3.0),
                             {6.5, -3.0},
                             {6.5, -1.8},
                             // Up the slot's right side, round the middle hall.
                             {5.0, -1.8},
                             {5.0, 0.2},
                             {5.5, 0.2},
                             {5.5, 2.0},
                             {4.0, 2.0},
                             // Back along the crawl's roof.
                             {4.0, 1.45},
                             {2.8, 1.45},
                             {2.0, 0.95},
                             {0, 0.95},
                             {0, 1.45}});
  StartOnLedge(*m, cave, 2);
  Ball(*m, -1.0, 1.0, Rgb(255, 255, 255));
  Ball(*m, 1.2, 0.725, Rgb(255, 90, 90));
  Ball(*m, 5.2, 1.6, Rgb(90, 255, 140));
  Ball(*m, 4.8, -1.0, Rgb(90, 200, 255));
  Ball(*m, 3.9, -2.4, Rgb(255, 210, 60));
  Ball(*m, 6.1, -2.4, Rgb(255, 120, 255));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Fly(-0.3, 0.725), Ram(1), Fly(2.0, 0.725, 0.012),
           Fly(2.8, 1.225, 0.012), Fly(4.3, 1.225, 0.012), Ram(2), Fly(4.8, 0.7),
           Fly(4.8, -1.6, 0.012), Fly(4.8, -2.4), Ram(4), Ram(5)}};
}

// 7. A tall cavern climbed from shelf to shelf; a ball tucked under every shelf, the last one
// shot from a shelf.
TPlan ShelfClimb() {
  auto m =
      NewMaze("Shelf Climb", Rgb(40, 24, 36), Rgb(10, 2, 8), Rgb(240, 140, 210), Rgb(255, 238, 0));
  TPolygon& cave = Cave(*m, {// The floor, then up the right wall past two shelves.
                             {-1.5, 0},
                             {0.2, 0},
                             Ledge(1.5, 0),
                             {1.5, 2.8},
                             {-0.3, 2.8},
                             {-0.3, 3.0},
                             Ledge(1.5, 3.0),
                             {1.5, 5.8},
                             {-0.3, 5.8},
                             {-0.3, 6.0},
                             Ledge(1.5, 6.0),
                             {1.5, 8.0},
                             // Down the left wall past two shelves.
                             {-1.5, 8.0},
                             {-1.5, 4.5},
                             Ledge(0.3, 4.5),
                             {0.3, 4.3},
                             {-1.5, 4.3},
                             {-1.5, 1.5},
                             Ledge(0.3, 1.5),
                             {0.3, 1.3},
                             {-1.5, 1.3}});
  StartOnLedge(*m, cave, 2);
  Ball(*m, -1.1, 0.9, Rgb(255, 255, 255));
  Ball(*m, 1.1, 2.2, Rgb(255, 90, 90));
  Ball(*m, -1.1, 3.7, Rgb(90, 255, 140));
  Ball(*m, 1.1, 5.2, Rgb(90, 200, 255));
  Ball(*m, 0.6, 6.75, Rgb(255, 210, 60));
  Ball(*m, -1.0, 7.5, Rgb(255, 120, 255));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Fly(0.9, 0.8), Ram(1), Fly(0.9, 2.0), Fly(-0.9, 2.0), Fly(-0.9, 3.5),
           Ram(2), Fly(-0.9, 3.5), Fly(0.9, 3.5), Ram(3), Fly(0.9, 5.0), Fly(-0.9, 5.0),
           Fly(-0.9, 6.6), Land(0.6, 6.0), ShootUp(4), Ram(5)}};
}

// 8. Four halls joined by a crawl, a shaft and a low passage, with keyholes up and down: the
// whole craft of the caves in one.
TPlan DeepLabyrinth() {
  auto m = NewMaze("Deep Labyrinth", Rgb(26, 20, 14), Rgb(4, 2, 0), Rgb(200, 160, 110),
                   Rgb(120, 255, 140));
  TPolygon& cave = Cave(*m, {// The start hall; along the crawl's floor into the second hall.
                             {0, 1.5},
                             {0, 0},
                             Ledge(1.4, 0),
                             {2.0, 0},
                             {2.0, 0.9},
                             {4.0, 0.9},
                             {4.0, -0.5},
                             // Down the shaft's left side; the third hall's roof and the
                             // low passage's roof.
                             {4.3, -0.5},
                             {4.3, -2.5},
                             {3.0, -2.5},
                             {3.0, -3.0},
                             {1.0, -3.0},
                             // Round the fourth hall.
                             {1.0, -1.8},
                             {-0.5, -1.8},
                             {-0.5, -3.7},
                             Ledge(0.5, -3.7),
                             {1.0, -3.7},
                             // Back along the low passage's floor; the third hall's floor
                             // with a keyhole down.
                             {1.0, -3.4},
                             {3.0, -3.4},
                             {3.0, -3.7},
                             {5.0, -3.7},
                             Ledge(6.0, -3.7),
                             {6.43, -3.7},
                             {6.43, -4.2},
                             {6.57, -4.2},
                             {6.57, -3.7},
                             {7.0, -3.7},
                             {7.0, -2.5},
                             // Up the shaft's right side; the second hall with a keyhole up.
                             {4.8, -2.5},
                             {4.8, -0.5},
                             Ledge(6.0, -0.5),
                             {6.0, 2.5},
                             {5.37, 2.5},
                             {5.37, 3.0},
                             {5.23, 3.0},
                             {5.23, 2.5},
                             {4.0, 2.5},
                             // Back along the crawl's roof.
                             {4.0, 1.3},
                             {2.0, 1.3},
                             {2.0, 1.5}});
  StartOnLedge(*m, cave, 2);
  Ball(*m, 1.6, 1.0, Rgb(255, 255, 255));
  Ball(*m, 3.0, 1.1, Rgb(255, 90, 90));
  Ball(*m, 5.3, 2.8, Rgb(90, 255, 140), 0.035);
  Ball(*m, 4.55, -1.5, Rgb(90, 200, 255));
  Ball(*m, 6.5, -3.95, Rgb(255, 210, 60), 0.035);
  Ball(*m, 0.0, -2.4, Rgb(255, 120, 255));
  Ball(*m, 6.7, -2.9, Rgb(120, 255, 255));
  using namespace route;
  return {std::move(m),
          {Start(), Ram(0), Fly(1.7, 1.1), Fly(4.3, 1.1, 0.012), Aim(2, 5.3, 2.05), Fly(4.55, 0.0),
           Fly(4.55, -2.9, 0.012), Ram(6), Aim(4, 6.5, -3.15), Fly(3.3, -3.2),
           Fly(0.7, -3.2, 0.012), Ram(5)}};
}

}  // namespace

const std::vector<TPlanMaker>& CavePlans() {
  static const std::vector<TPlanMaker> plans = {DownTheWell, Serpent,    Chimney,    ToothHall,
                                                Keyholes,    NeedlesEye, ShelfClimb, DeepLabyrinth};
  return plans;
}

}  // namespace starter
