#pragma once
// A large maze for benchmarks and load tests: a grid of ten-cornered polygons (every seventh
// one animated by a rotation, a scaling or a translation), balls at the crossings of the
// corridors between them, and a clear square round the start zone in the middle, so that a
// rocket can fly there for a while before it meets a wall.
#include <cmath>
#include <memory>
#include <numbers>

#include "gx_ball.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_trans.h"

struct TStressOptions {
  int polygons = 2000;  // laid out per_row to a row
  int per_row = 50;
  int corners = 10;
  int balls = 200;
  int animate_every = 7;  // every n-th polygon is animated; 0: none
  int clear_radius = 4;   // cells kept free round the start, in grid cells
};

inline std::unique_ptr<TMaze> MakeStressMaze(const TStressOptions& o = {}) {
  const int kPerRow = o.per_row > 0 ? o.per_row : 50;
  constexpr double kRadius = 0.3;
  auto maze = std::make_unique<TMaze>();
  maze->mazename = "Stress";
  maze->incolor = 0x404040;
  maze->outcolor = 0;
  maze->linecolor = 0xC0C0C0;
  maze->landcolor = 0x00FFFF;
  const int rows = (o.polygons + kPerRow - 1) / kPerRow;
  const int mid_col = kPerRow / 2;
  const int mid_row = rows / 2;
  // The start zone: the horizontal corridor between the two middle rows.
  maze->SetStart(TDRect{mid_col - 0.3, mid_col + 0.3, static_cast<double>(mid_row),
                        static_cast<double>(mid_row)});
  int made = 0;
  for (int cell = 0; made < o.polygons; ++cell) {
    const int col = cell % kPerRow;
    const int row = cell / kPerRow;
    if (std::abs(col - mid_col) < o.clear_radius && std::abs(row - mid_row) < o.clear_radius) {
      continue;
    }
    const double cx = col + 0.5;
    const double cy = row + 0.5;
    auto p = TPolygon::CreateCircle(cx, cy, kRadius, kRadius * 0.8, 0.1 * made, o.corners,
                                    maze->linecolor);
    p->fillcolor = maze->incolor;
    if (made % 11 == 0) {
      if (TSide* s = p->GetSide(1)) s->sidetype = st_landing;
    }
    if (o.animate_every > 0 && made % o.animate_every == 0) {
      switch ((made / o.animate_every) % 3) {
        case 0: {
          auto r = std::make_unique<TRotate>();
          r->init(0, cx, cy, 40 + made % 60);
          r->SetA1(-std::numbers::pi / 4);
          r->SetA2(std::numbers::pi / 4);
          p->SetRot(std::move(r));
          break;
        }
        case 1: {
          auto s = std::make_unique<TScale>();
          s->init(cx, cy, 0.8, 0.8, 1.2, 1.2, 50 + made % 50);
          p->SetScale(std::move(s));
          break;
        }
        default: {
          auto t = std::make_unique<TTrans>();
          t->SetRx(cx);
          t->SetRy(cy);
          t->x1 = 0.1;
          t->y1 = 0.05;
          t->SetPeriod(60 + made % 40);
          p->SetTrans(std::move(t));
          break;
        }
      }
    }
    maze->AddPolygon(std::move(p));
    ++made;
  }
  // Balls at corridor crossings, spread over the whole grid.
  const int crossings = kPerRow * rows;
  for (int i = 0; i < o.balls; ++i) {
    const int k = static_cast<int>((static_cast<long long>(i) * 7919) % crossings);
    maze->AddBall(k % kPerRow, k / kPerRow, 0x00FFFF);
  }
  maze->SetTickUnit(50);
  maze->GetExtent();
  return maze;
}
