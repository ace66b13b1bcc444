#pragma once
// Fixtures shared by the animation tests: records as bytes, reading a transform record the way
// a transform list does, matrix comparison, and a probe transform.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gx_polygon.h"
#include "gx_transform.h"

namespace anim_test {

inline std::string Record(const TQorObj& obj) {
  TTextWriter w;
  obj.SaveToF(w);
  return w.Bytes();
}

inline std::string Record(const TQorList& list) {
  TTextWriter w;
  list.SaveToF(w);
  return w.Bytes();
}

// Reads a record the way its container does: the header line, then the body.
template <class T>
std::unique_ptr<T> ReadRecord(const std::string& bytes, int expected_id) {
  TTextReader r(bytes);
  EXPECT_EQ(r.ReadHeaderId(), expected_id);
  auto obj = std::make_unique<T>();
  EXPECT_TRUE(obj->LoadFromF(r));
  EXPECT_TRUE(r.AtEnd()) << "the record was not read to its end";
  return obj;
}

// Lines joined with CR LF.
inline std::string Crlf(std::initializer_list<std::string> lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

inline std::pair<double, double> Map(const tmat2d& m, double x, double y) {
  m.Transform(x, y);
  return {x, y};
}

inline void ExpectMapsTo(const tmat2d& m, double x, double y, double ex, double ey,
                         double tol = 1e-12) {
  const auto [mx, my] = Map(m, x, y);
  EXPECT_NEAR(mx, ex, tol) << "(" << x << ", " << y << ")";
  EXPECT_NEAR(my, ey, tol) << "(" << x << ", " << y << ")";
}

inline void ExpectMatNear(const tmat2d& a, const tmat2d& b, double tol = 1e-12) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(a.mat[i][j], b.mat[i][j], tol) << i << "," << j;
  }
}

inline bool Finite(const tmat2d& m) {
  for (const auto& row : m.mat) {
    for (double v : row) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}

// The corners of a polygon as (x, y) pairs.
inline std::vector<std::pair<double, double>> Corners(const TPolygon& p) {
  std::vector<std::pair<double, double>> c;
  for (int i = 0; i < p.Count(); ++i) c.emplace_back(p.GetSide(i)->x(), p.GetSide(i)->y());
  return c;
}

using CornerList = std::vector<std::pair<double, double>>;

// An open time path through the given corners.
inline std::unique_ptr<TPolygon> Path(const std::vector<std::pair<double, double>>& corners) {
  auto p = std::make_unique<TPolygon>();
  for (const auto& [x, y] : corners) p->AddSide(x, y, st_normal, clWhite);
  p->open = true;
  return p;
}

// A concrete transform with the base behaviour only; it remembers where its marker was drawn
// and reports its destruction.
class TProbe : public TTransform {
 public:
  explicit TProbe(bool* destroyed = nullptr) : destroyed_(destroyed) {}
  ~TProbe() override {
    if (destroyed_) *destroyed_ = true;
  }
  void reset() override { cnt = 0; }
  void DrawRefImage(TCanvas&, int x, int y) override { marks.emplace_back(x, y); }
  std::vector<std::pair<int, int>> marks;

 private:
  bool* destroyed_;
};

}  // namespace anim_test
