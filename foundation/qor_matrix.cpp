#include "qor_matrix.h"

#include <cmath>

tvec2d tvec2d::createxy(double posx, double posy) {
  tvec2d v;
  v.x = posx;
  v.y = posy;
  v.w = 1.0;
  return v;
}

double tvec2d::size() const { return std::sqrt(x * x + y * y); }

void tvec2d::AssignTo(TQorObj& dest) const {
  if (auto* d = dynamic_cast<tvec2d*>(&dest)) *d = *this;
}

tmat2d tmat2d::trans(double dx, double dy) {
  tmat2d m;
  m.mat[0][2] = dx;
  m.mat[1][2] = dy;
  return m;
}

tmat2d tmat2d::scale(double sx, double sy) {
  tmat2d m;
  m.mat[0][0] = sx;
  m.mat[1][1] = sy;
  return m;
}

tmat2d tmat2d::rot(double angle) {
  tmat2d m;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  m.mat[0][0] = c;
  m.mat[0][1] = -s;
  m.mat[1][0] = s;
  m.mat[1][1] = c;
  return m;
}

void tmat2d::reset() { mat = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}; }

void tmat2d::Transform(double& x, double& y, double& w) const {
  const double nx = mat[0][0] * x + mat[0][1] * y + mat[0][2] * w;
  const double ny = mat[1][0] * x + mat[1][1] * y + mat[1][2] * w;
  const double nw = mat[2][0] * x + mat[2][1] * y + mat[2][2] * w;
  x = nx;
  y = ny;
  w = nw;
}

mat2darray tmat2d::Product(const mat2darray& a, const mat2darray& b) {
  mat2darray r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      r[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
    }
  }
  return r;
}

void tmat2d::MatXM(const tmat2d& m) { mat = Product(m.mat, mat); }
void tmat2d::MXMat(const tmat2d& m) { mat = Product(mat, m.mat); }

void tmat2d::Transpose() {
  std::swap(mat[0][1], mat[1][0]);
  std::swap(mat[0][2], mat[2][0]);
  std::swap(mat[1][2], mat[2][1]);
}

double tmat2d::Det() const {
  const auto& m = mat;
  return m[0][0] * m[1][1] * m[2][2] + m[1][0] * m[2][1] * m[0][2] + m[0][1] * m[2][0] * m[1][2] -
         m[1][2] * m[0][0] * m[2][1] - m[2][2] * m[1][0] * m[0][1] - m[0][2] * m[1][1] * m[2][0];
}

std::unique_ptr<tmat2d> tmat2d::MatInv() const {
  const double det = Det();
  if (!(std::fabs(det) > 1e-20)) return nullptr;
  const auto& m = mat;
  auto inv = std::make_unique<tmat2d>();
  auto& r = inv->mat;
  r[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
  r[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
  r[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
  r[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
  r[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
  r[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
  r[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
  r[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
  r[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
  return inv;
}

void tmat2d::AssignTo(TQorObj& dest) const {
  if (auto* d = dynamic_cast<tmat2d*>(&dest)) d->mat = mat;
}

tmat2d operator*(const tmat2d& a, const tmat2d& b) {
  tmat2d r = b;
  r.MatXM(a);
  return r;
}
