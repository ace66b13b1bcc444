#pragma once
// Plane geometry in doubles: points, rectangles (which double as segments), homogeneous
// vectors and 3x3 matrices acting on column vectors.
#include <array>
#include <memory>

#include "qor_obj.h"

struct TDPoint {
  double x = 0;
  double y = 0;
};

// An axis-aligned rectangle (x from x1 to x2, y from y1 to y2) or a segment from (x1, y1) to
// (x2, y2). The field order, both x values first, is the order of the file records.
struct TDRect {
  double x1 = 0;
  double x2 = 0;
  double y1 = 0;
  double y2 = 0;
};

class tvec2d : public TQorObj {
  QOR_CLASS(tvec2d)
 public:
  tvec2d() = default;
  tvec2d(const tvec2d& o) : TQorObj(), x(o.x), y(o.y), w(o.w) {}
  tvec2d& operator=(const tvec2d& o) {
    x = o.x;
    y = o.y;
    w = o.w;
    return *this;
  }
  // A point: w = 1.
  static tvec2d createxy(double posx, double posy);

  double dot(const tvec2d& v) const { return v.x * x + v.y * y; }
  double size() const;
  void AssignTo(TQorObj& dest) const override;

  double x = 0;
  double y = 0;
  double w = 0;
};

using mat2darray = std::array<std::array<double, 3>, 3>;

// A 3x3 homogeneous matrix, mat[row][column]; a translation sits in column 2. It is a small
// value: temporaries live on the stack and copying is cheap and explicit.
class tmat2d : public TQorObj {
  QOR_CLASS(tmat2d)
 public:
  tmat2d() { reset(); }  // the identity
  tmat2d(const tmat2d& o) : TQorObj(), mat(o.mat) {}
  tmat2d& operator=(const tmat2d& o) {
    mat = o.mat;
    return *this;
  }

  static tmat2d trans(double dx, double dy);
  static tmat2d scale(double sx, double sy);
  static tmat2d rot(double angle);  // radians, counter-clockwise

  void reset();
  double GetMatIJ(int i, int j) const { return mat[i][j]; }
  void SetMatIJ(int i, int j, double v) { mat[i][j] = v; }

  // Maps a point with an implied w = 1.
  void Transform(double& x, double& y) const {
    const double nx = mat[0][0] * x + mat[0][1] * y + mat[0][2];
    const double ny = mat[1][0] * x + mat[1][1] * y + mat[1][2];
    x = nx;
    y = ny;
  }
  // The full product with (x, y, w).
  void Transform(double& x, double& y, double& w) const;

  void MatXM(const tmat2d& m);  // self := m . self (m acts after self)
  void MXMat(const tmat2d& m);  // self := self . m (m acts before self)
  void Transpose();
  double Det() const;
  // The inverse, or null when |Det| <= 1e-20.
  std::unique_ptr<tmat2d> MatInv() const;

  void AssignTo(TQorObj& dest) const override;
  bool operator==(const tmat2d& o) const { return mat == o.mat; }

  mat2darray mat;

 private:
  static mat2darray Product(const mat2darray& a, const mat2darray& b);
};

// a . b as a new matrix (a acts after b).
tmat2d operator*(const tmat2d& a, const tmat2d& b);
