#include "gx_motion.h"

#include <cmath>
#include <numbers>

#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_rocket.h"

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

// The rotation part of a linear map: the angle of the nearest rotation.
double RotationAngle(const mat2darray& m) {
  return std::atan2(m[1][0] - m[0][1], m[0][0] + m[1][1]);
}

bool SameMatrix(const tmat2d& a, const tmat2d& b) {
  return a.mat == b.mat;
}

}  // namespace

double BlendValue(double a, double b, double f) {
  if (!(f > 0)) return a;
  if (f >= 1) return b;
  return a + (b - a) * f;
}

double BlendAngle(double a, double b, double f) {
  if (!(f > 0)) return a;
  if (f >= 1) return b;
  return a + std::remainder(b - a, kTurn) * f;
}

TPose BlendPose(const TPose& a, const TPose& b, double f) {
  return TPose{BlendValue(a.x, b.x, f), BlendValue(a.y, b.y, f), BlendAngle(a.angle, b.angle, f)};
}

tmat2d BlendMatrix(const tmat2d& a, const tmat2d& b, double f, double cx, double cy) {
  if (!(f > 0)) return a;
  if (f >= 1) return b;
  const mat2darray& A = a.mat;
  const mat2darray& B = b.mat;
  const double ta = RotationAngle(A);
  const double tb = RotationAngle(B);
  const double t = ta + std::remainder(tb - ta, kTurn) * f;
  // What is left of each linear part once its rotation is taken out, mixed straight.
  const auto unrotate = [](const mat2darray& m, double th, int r, int c) {
    const double co = std::cos(th), si = std::sin(th);
    // R(-th) * m
    return r == 0 ? co * m[0][c] + si * m[1][c] : -si * m[0][c] + co * m[1][c];
  };
  double k[2][2];
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 2; ++c) {
      const double ka = unrotate(A, ta, r, c);
      const double kb = unrotate(B, tb, r, c);
      k[r][c] = ka + (kb - ka) * f;
    }
  }
  tmat2d out;
  mat2darray& M = out.mat;
  const double co = std::cos(t), si = std::sin(t);
  for (int c = 0; c < 2; ++c) {
    M[0][c] = co * k[0][c] - si * k[1][c];
    M[1][c] = si * k[0][c] + co * k[1][c];
  }
  // The centre's two images, and the point between them.
  const double qax = A[0][0] * cx + A[0][1] * cy + A[0][2];
  const double qay = A[1][0] * cx + A[1][1] * cy + A[1][2];
  const double qbx = B[0][0] * cx + B[0][1] * cy + B[0][2];
  const double qby = B[1][0] * cx + B[1][1] * cy + B[1][2];
  const double qx = qax + (qbx - qax) * f;
  const double qy = qay + (qby - qay) * f;
  M[0][2] = qx - (M[0][0] * cx + M[0][1] * cy);
  M[1][2] = qy - (M[1][0] * cx + M[1][1] * cy);
  for (int c = 0; c < 3; ++c) M[2][c] = A[2][c] + (B[2][c] - A[2][c]) * f;
  return out;
}

TFrameSnapshot TakeSnapshot(const TMaze& maze, std::int64_t tick) {
  TFrameSnapshot s;
  s.valid = true;
  s.maze = &maze;
  s.tick = tick;
  s.clock = maze.duration;
  if (const TRocket* r = maze.Rocket()) {
    s.has_rocket = true;
    s.rocket_jumps = r->jumps;
    s.rocket_restarts = r->restarts;
    s.rocket_exploded = r->Exploded();
    s.rocket_matrix = r->matrix;
    s.rocket = TPose{r->matrix.mat[0][2], r->matrix.mat[1][2], r->angle()};
    if (const TForce* force = r->Force()) {
      s.scroll_x = force->px();
      s.scroll_y = force->py();
    }
    s.rocket_parts.reserve(static_cast<std::size_t>(r->Count()));
    for (int i = 0; i < r->Count(); ++i) {
      const TPolygon* p = r->GetPolygon(i);
      s.rocket_parts.push_back({p, p->matrix});
    }
  }
  s.polygons.reserve(static_cast<std::size_t>(maze.Count()));
  for (int i = 0; i < maze.Count(); ++i) {
    const TPolygon* p = maze.GetPolygon(i);
    s.polygons.push_back({p, p->matrix});
  }
  if (maze.bullitlist) {
    const TBullitList& list = *maze.bullitlist;
    s.shots.reserve(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
      const TBullit* b = list.Bullits(i);
      s.shots.push_back({b, b->Age, b->Exploded, b->pos.x, b->pos.y});
    }
  }
  return s;
}

bool Continuous(const TFrameSnapshot& a, const TFrameSnapshot& b) {
  return a.valid && b.valid && a.maze == b.maze && a.has_rocket == b.has_rocket &&
         a.rocket_restarts == b.rocket_restarts && a.polygons.size() == b.polygons.size();
}

bool RocketContinuous(const TFrameSnapshot& a, const TFrameSnapshot& b) {
  return Continuous(a, b) && a.has_rocket && a.rocket_jumps == b.rocket_jumps &&
         a.rocket_exploded == b.rocket_exploded;
}

bool StillAsTaken(const TMaze& maze, const TFrameSnapshot& s) {
  if (!s.valid || s.maze != &maze) return false;
  const TRocket* r = maze.Rocket();
  if ((r != nullptr) != s.has_rocket) return false;
  if (r) {
    if (r->jumps != s.rocket_jumps || r->Exploded() != s.rocket_exploded ||
        !SameMatrix(r->matrix, s.rocket_matrix) ||
        static_cast<std::size_t>(r->Count()) != s.rocket_parts.size()) {
      return false;
    }
    if (const TForce* force = r->Force()) {
      if (force->px() != s.scroll_x || force->py() != s.scroll_y) return false;
    }
    for (int i = 0; i < r->Count(); ++i) {
      const TPolygon* p = r->GetPolygon(i);
      const TFrameSnapshot::TPart& part = s.rocket_parts[static_cast<std::size_t>(i)];
      if (part.id != p || !SameMatrix(part.matrix, p->matrix)) return false;
    }
  }
  if (static_cast<std::size_t>(maze.Count()) != s.polygons.size()) return false;
  for (int i = 0; i < maze.Count(); ++i) {
    const TPolygon* p = maze.GetPolygon(i);
    const TFrameSnapshot::TPart& part = s.polygons[static_cast<std::size_t>(i)];
    if (part.id != p || !SameMatrix(part.matrix, p->matrix)) return false;
  }
  const int shots = maze.bullitlist ? maze.bullitlist->Count() : 0;
  if (static_cast<std::size_t>(shots) != s.shots.size()) return false;
  for (int i = 0; i < shots; ++i) {
    const TBullit* b = maze.bullitlist->Bullits(i);
    const TFrameSnapshot::TShot& shot = s.shots[static_cast<std::size_t>(i)];
    if (shot.id != b || shot.age != b->Age || shot.exploded != b->Exploded || shot.x != b->pos.x ||
        shot.y != b->pos.y) {
      return false;
    }
  }
  return true;
}

TMotionBlend::TMotionBlend(TMaze& maze, const TFrameSnapshot& prev, const TFrameSnapshot& cur,
                           double f) {
  if (!(f < 1) || !Continuous(prev, cur) || !StillAsTaken(maze, cur)) return;
  blended_ = true;
  TRocket* r = maze.Rocket();
  if (r && RocketContinuous(prev, cur)) {
    // The heading and place between the two ticks; the hull turns about the rocket's origin.
    const TPose pose = BlendPose(prev.rocket, cur.rocket, f);
    {
      const double d = pose.angle - cur.rocket.angle;
      const double co = std::cos(d), si = std::sin(d);
      tmat2d m = r->matrix;
      const mat2darray& c = cur.rocket_matrix.mat;
      for (int col = 0; col < 2; ++col) {
        m.mat[0][col] = co * c[0][col] - si * c[1][col];
        m.mat[1][col] = si * c[0][col] + co * c[1][col];
      }
      m.mat[0][2] = pose.x;
      m.mat[1][2] = pose.y;
      Change(r->matrix, m);
      // The fragments of a crash fly and spin on their own.
      if (prev.rocket_parts.size() == cur.rocket_parts.size()) {
        for (int i = 0; i < r->Count(); ++i) {
          TPolygon* p = r->GetPolygon(i);
          const auto& was = prev.rocket_parts[static_cast<std::size_t>(i)];
          if (was.id != p) continue;
          const double cx = (p->extent.x1 + p->extent.x2) / 2;
          const double cy = (p->extent.y1 + p->extent.y2) / 2;
          Change(p->matrix, BlendMatrix(was.matrix, p->matrix, f, cx, cy));
        }
      }
    }
    if (TForce* force = r->Force()) {
      Change(force->Fpx, BlendValue(prev.scroll_x, cur.scroll_x, f));
      Change(force->Fpy, BlendValue(prev.scroll_y, cur.scroll_y, f));
    }
  }
  for (int i = 0; i < maze.Count(); ++i) {
    TPolygon* p = maze.GetPolygon(i);
    const auto& was = prev.polygons[static_cast<std::size_t>(i)];
    if (was.id != p || SameMatrix(was.matrix, p->matrix)) continue;
    const double cx = (p->extent.x1 + p->extent.x2) / 2;
    const double cy = (p->extent.y1 + p->extent.y2) / 2;
    Change(p->matrix, BlendMatrix(was.matrix, p->matrix, f, cx, cy));
  }
  if (maze.bullitlist) {
    // Bullets are only dropped and appended, so the list keeps its order: walk both at once.
    // A bullet matches only when it is one tick older, so that a new bullet that happens to
    // take the place of a dropped one is never drawn from the old one's position.
    std::size_t j = 0;
    for (int i = 0; i < maze.bullitlist->Count(); ++i) {
      TBullit* b = maze.bullitlist->Bullits(i);
      while (j < prev.shots.size() && prev.shots[j].id != b) ++j;
      if (j == prev.shots.size()) break;
      const TFrameSnapshot::TShot& was = prev.shots[j];
      if (was.age + 1 == b->Age && was.exploded == b->Exploded && !b->Exploded) {
        Change(b->pos.x, BlendValue(was.x, b->pos.x, f));
        Change(b->pos.y, BlendValue(was.y, b->pos.y, f));
      }
      ++j;
    }
  }
}

TMotionBlend::~TMotionBlend() {
  for (auto it = matrices_.rbegin(); it != matrices_.rend(); ++it) *it->where = it->value;
  for (auto it = reals_.rbegin(); it != reals_.rend(); ++it) *it->where = it->value;
}

void TMotionBlend::Change(tmat2d& where, const tmat2d& value) {
  matrices_.push_back({&where, where});
  where = value;
}

void TMotionBlend::Change(double& where, double value) {
  reals_.push_back({&where, where});
  where = value;
}
