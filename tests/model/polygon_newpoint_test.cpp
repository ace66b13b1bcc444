// A new corner on an edge (NewPointInRect, FindNewPoint): level and upright edges take one
// where the foot of the perpendicular falls between their ends, also those of new shapes whose
// ends differ by a unit in the last place, and every edge that took a corner before gives
// exactly the result it always gave.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <random>
#include <vector>

#include "gx_polygon.h"
#include "scene_test_support.h"

namespace {

using scene_test::MakePolygon;

// The rule as it was before level and upright edges were accepted, kept here as the reference
// for every other edge: the index and position of the new corner, or nothing.
struct TFound {
  int six;
  double x, y;
};

std::optional<TFound> OldRule(const TPolygon& p, const TDRect& r) {
  const int n = p.Count();
  const int e = p.open ? n - 1 : n;
  if (e <= 0) return std::nullopt;
  const double cx = (r.x1 + r.x2) / 2, cy = (r.y1 + r.y2) / 2;
  const double tolerance = std::fabs(r.x2 - r.x1);
  for (int i = 1; i <= e; ++i) {
    const TSide* a = p.GetSide(i - 1);
    const TSide* b = p.GetSide(i % n);
    const double ax = a->x(), ay = a->y(), bx = b->x(), by = b->y();
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    if (!(len2 > 0)) continue;
    const double d = std::fabs(dx * (ay - cy) - (ax - cx) * dy) / std::sqrt(len2);
    if (!(d < tolerance)) continue;
    const double u = ((cx - ax) * dx + (cy - ay) * dy) / len2;
    const double px = ax + u * dx, py = ay + u * dy;
    const bool between_x = (ax < px && px < bx) || (bx < px && px < ax);
    const bool between_y = (ay < py && py < by) || (by < py && py < ay);
    if (between_x && between_y) return TFound{i % n, px, py};
  }
  return std::nullopt;
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The edge that ends at corner six is level or upright, up to rounding: its ends differ on one
// axis by no more than a few units in the last place of its coordinates.
bool Level(const TPolygon& p, int six) {
  const int n = p.Count();
  const TSide* a = p.GetSide((six - 1 + n) % n);
  const TSide* b = p.GetSide(six);
  const double scale = std::max(
      {std::fabs(a->x()), std::fabs(a->y()), std::fabs(b->x()), std::fabs(b->y()), 1e-300});
  const double slack = 1e-9 * scale;
  return std::fabs(a->x() - b->x()) <= slack || std::fabs(a->y() - b->y()) <= slack;
}

TEST(ScenePolygonNewPoint, LevelAndUprightEdgesTakeACornerBetweenTheirEnds) {
  struct TCase {
    const char* what;
    double ax, ay, bx, by;  // the edge, as the first edge of an open outline
    double cx, cy;          // the centre of the pick square (half width 0.5)
    bool taken;
    double px, py;  // where the corner goes when taken
  };
  const TCase cases[] = {
      {"level, left to right", 0, 1, 4, 1, 1.5, 1.3, true, 1.5, 1},
      {"level, right to left", 4, 1, 0, 1, 3, 0.8, true, 3, 1},
      {"upright, going up", 2, 0, 2, 4, 1.6, 3, true, 2, 3},
      {"upright, going down", 2, 4, 2, 0, 2.2, 0.5, true, 2, 0.5},
      {"level, foot on an end", 0, 1, 4, 1, 4, 1.2, false, 0, 0},
      {"level, foot beyond the end", 0, 1, 4, 1, 4.3, 1, false, 0, 0},
      {"upright, foot before the start", 2, 0, 2, 4, 2, -0.2, false, 0, 0},
      {"level, too far off the line", 0, 1, 4, 1, 2, 2, false, 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    auto p = MakePolygon({{c.ax, c.ay}, {c.bx, c.by}}, /*open=*/true);
    p->SetColor(0x123456);
    const TDRect r{c.cx - 0.5, c.cx + 0.5, c.cy - 0.5, c.cy + 0.5};
    int six = -1;
    TDPoint at;
    ASSERT_EQ(p->FindNewPoint(r, six, at), c.taken);
    EXPECT_EQ(p->Count(), 2) << "finding inserts nothing";
    ASSERT_EQ(p->NewPointInRect(r, six), c.taken);
    if (!c.taken) {
      EXPECT_EQ(p->Count(), 2);
      continue;
    }
    ASSERT_EQ(six, 1);
    ASSERT_EQ(p->Count(), 3);
    // Exactly on the edge's line, so the edge stays level or upright.
    EXPECT_EQ(p->GetSide(1)->x(), c.px);
    EXPECT_EQ(p->GetSide(1)->y(), c.py);
    EXPECT_EQ(p->GetSide(1)->color, 0x123456);
    EXPECT_EQ(p->GetSide(1)->sidetype, st_normal);
  }
}

TEST(ScenePolygonNewPoint, ACaveWallAndItsLandingStripTakeCorners) {
  // A rectangular cave: every edge is level or upright.
  auto cave = MakePolygon({{-2, -1}, {-2, 1}, {2, 1}, {2, -1}});
  int six = -1;
  ASSERT_TRUE(cave->NewPointInRect(TDRect{-0.1, 0.1, -1.05, -0.85}, six));
  EXPECT_EQ(six, 0) << "the closing edge along the floor, from (2, -1) to (-2, -1)";
  EXPECT_EQ(cave->GetSide(0)->y(), -1);
  ASSERT_TRUE(cave->NewPointInRect(TDRect{1.9, 2.1, 0.2, 0.4}, six));
  EXPECT_EQ(cave->GetSide(six)->x(), 2);
  EXPECT_EQ(cave->Count(), 6);
}

TEST(ScenePolygonNewPoint, EverySlantedEdgeGivesTheResultItAlwaysGave) {
  std::mt19937_64 rnd(20240612);
  std::uniform_real_distribution<double> coord(-3, 3);
  std::uniform_real_distribution<double> half(0.001, 0.6);
  // Slanted edges of every steepness, some only just off level or upright.
  const auto jitter = [&](double v, int kind) {
    switch (kind) {
      case 0:
        return v + 1e-12;
      case 1:
        return std::nextafter(v, 10.0);
      default:
        return coord(rnd);
    }
  };
  int compared = 0, taken = 0;
  for (int round = 0; round < 4000; ++round) {
    const int corners = 2 + static_cast<int>(rnd() % 6);
    auto p = std::make_unique<TPolygon>();
    double x = coord(rnd), y = coord(rnd);
    p->AddSide(x, y, st_normal, 0);
    for (int k = 1; k < corners; ++k) {
      const int kind = static_cast<int>(rnd() % 5);
      // Now and then a level or upright edge among the slanted ones.
      const bool level = rnd() % 4 == 0;
      const bool upright = !level && rnd() % 4 == 0;
      const double nx = upright ? x : kind < 2 && rnd() % 2 ? jitter(x, kind) : coord(rnd);
      const double ny = level ? y : kind < 2 && nx != x ? jitter(y, kind) : coord(rnd);
      x = nx;
      y = ny;
      p->AddSide(x, y, st_normal, 0);
    }
    p->open = rnd() % 2 == 0;
    // A pick square near a random edge.
    const TSide* a = p->GetSide(static_cast<int>(rnd() % corners));
    const TSide* b = p->GetSide(p->IndexOf(a) + 1);
    const double u = std::uniform_real_distribution<double>(-0.2, 1.2)(rnd);
    const double w = half(rnd);
    const double cx = a->x() + u * (b->x() - a->x()) + coord(rnd) * w / 3;
    const double cy = a->y() + u * (b->y() - a->y()) + coord(rnd) * w / 3;
    const TDRect r{cx - w, cx + w, cy - w, cy + w};

    const std::optional<TFound> before = OldRule(*p, r);
    int six = -1;
    TDPoint at;
    const bool found = p->FindNewPoint(r, six, at);
    ++compared;
    if (found && !(before && before->six == six) && Level(*p, six)) {
      // A level or upright edge took it; the old rule could only answer with a later edge.
      const auto order = [&](int ix) { return ix == 0 ? corners : ix; };  // 0: closing edge
      EXPECT_TRUE(!before || order(before->six) > order(six)) << "round " << round;
      continue;
    }
    ASSERT_EQ(found, before.has_value()) << "round " << round;
    if (!found) continue;
    ++taken;
    EXPECT_EQ(six, before->six) << "round " << round;
    EXPECT_TRUE(SameBits(at.x, before->x) && SameBits(at.y, before->y)) << "round " << round;
    ASSERT_TRUE(p->NewPointInRect(r, six));
    EXPECT_TRUE(SameBits(p->GetSide(six)->x(), before->x));
    EXPECT_TRUE(SameBits(p->GetSide(six)->y(), before->y));
  }
  EXPECT_GT(taken, compared / 10) << "the cases should take a corner often enough to matter";
}

// New shapes as the editor makes them: n corners on a circle of 50 pixels about the click, the
// first at 90° for a triangle, 45° for a square, else 0°. After sin and cos the ends of their
// level and upright edges differ by a unit in the last place or two; each of those edges takes
// a corner wherever along it the designer clicks, and the corner stays on its line.
TEST(ScenePolygonNewPoint, LevelAndUprightEdgesOfNewShapesTakeACornerWhereClicked) {
  const double sides[] = {400, 600, 713, 768, 900, 1017, 1440};  // the play field's shorter side
  const TDPoint centres[] = {{0, 0}, {0.1, -0.3}, {-2.35, 1.7}, {12.34, -56.7}, {1e3, 3e2}};
  int edges = 0;
  for (int n = 3; n <= 8; ++n) {
    const double a0 = n == 3 ? std::numbers::pi / 2 : n == 4 ? std::numbers::pi / 4 : 0;
    for (const double side : sides) {
      const double unit = 5.1 / side;  // model units per pixel
      for (const TDPoint c : centres) {
        auto p = TPolygon::CreateCircle(c.x, c.y, 50 * unit, 50 * unit, a0, n, 0x00FFFF00);
        for (int i = 0; i < n; ++i) {
          const int end = (i + 1) % n;
          if (!Level(*p, end)) continue;
          ++edges;
          const TSide* a = p->GetSide(i);
          const TSide* b = p->GetSide(end);
          const bool level = std::fabs(a->y() - b->y()) < std::fabs(a->x() - b->x());
          for (const double u : {0.25, 0.4, 0.5, 0.63, 0.75}) {
            for (const double off : {-2.0, 0.0, 1.5}) {  // pixels beside the edge
              const double cx = a->x() + u * (b->x() - a->x()) + (level ? 0 : off * unit);
              const double cy = a->y() + u * (b->y() - a->y()) + (level ? off * unit : 0);
              const double t = 3 * unit;  // the pick square's half width
              const TDRect r{cx - t, cx + t, cy - t, cy + t};
              int six = -1;
              TDPoint at;
              ASSERT_TRUE(p->FindNewPoint(r, six, at))
                  << n << " corners, side " << side << ", at (" << c.x << ", " << c.y << "), edge "
                  << i << ", u " << u << ", offset " << off;
              EXPECT_EQ(six, end);
              // On the edge, between its ends, where it was clicked.
              EXPECT_NEAR(level ? at.x : at.y, level ? cx : cy, 1e-9);
              EXPECT_NEAR(level ? at.y : at.x, level ? a->y() : a->x(), 1e-12);
            }
          }
        }
      }
    }
  }
  // Triangles, squares, pentagons, hexagons and heptagons have such edges.
  EXPECT_GE(edges, static_cast<int>(std::size(sides) * std::size(centres)) * (1 + 4 + 1 + 2 + 1));
}

}  // namespace
