// Vectors and matrices.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "qor_matrix.h"

namespace {

void ExpectPoint(const tmat2d& m, double x, double y, double ex, double ey) {
  m.Transform(x, y);
  EXPECT_NEAR(x, ex, 1e-12);
  EXPECT_NEAR(y, ey, 1e-12);
}

TEST(Matrix, ConstructorsAndTransform) {
  ExpectPoint(tmat2d::rot(0), 3, 4, 3, 4);
  EXPECT_TRUE(tmat2d::rot(0) == tmat2d());
  ExpectPoint(tmat2d::rot(std::numbers::pi / 2), 1, 0, 0, 1);
  ExpectPoint(tmat2d::trans(2, -3), 1, 1, 3, -2);
  ExpectPoint(tmat2d::scale(2, 4), 1, 1, 2, 4);
  double x = 1, y = 1, w = 0;  // a direction: translations do not act on it
  tmat2d::trans(5, 5).Transform(x, y, w);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
  EXPECT_EQ(w, 0);
}

TEST(Matrix, ProductOrder) {
  const tmat2d q = tmat2d::rot(std::numbers::pi / 2);
  tmat2d p = tmat2d::trans(5, 0);
  p.MatXM(q);  // the rotation acts after the translation
  ExpectPoint(p, 0, 0, 0, 5);
  tmat2d p2 = tmat2d::trans(5, 0);
  p2.MXMat(q);  // the rotation acts before the translation
  ExpectPoint(p2, 0, 0, 5, 0);
  tmat2d self = tmat2d::rot(0.3);
  self.MatXM(self);  // a factor may be the target
  EXPECT_NEAR(self.GetMatIJ(1, 0), std::sin(0.6), 1e-15);
  ExpectPoint(q * tmat2d::trans(1, 0), 0, 0, 0, 1);
}

TEST(Matrix, InverseDeterminantTranspose) {
  EXPECT_EQ(tmat2d::scale(0, 1).MatInv(), nullptr);
  std::unique_ptr<tmat2d> inv = tmat2d::scale(2, 4).MatInv();
  ASSERT_NE(inv, nullptr);
  EXPECT_EQ(inv->GetMatIJ(0, 0), 0.5);
  EXPECT_EQ(inv->GetMatIJ(1, 1), 0.25);
  tmat2d m = tmat2d::trans(3, 4);
  m.MatXM(tmat2d::rot(1.1));
  m.MatXM(tmat2d::scale(2, 3));
  EXPECT_NEAR(m.Det(), 6, 1e-12);
  std::unique_ptr<tmat2d> mi = m.MatInv();
  tmat2d id = *mi;
  id.MatXM(m);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(id.GetMatIJ(i, j), i == j ? 1 : 0, 1e-12);
  }
  tmat2d t = tmat2d::trans(1, 2);
  t.Transpose();
  EXPECT_EQ(t.GetMatIJ(2, 0), 1);
  EXPECT_EQ(t.GetMatIJ(2, 1), 2);
  EXPECT_EQ(t.GetMatIJ(0, 2), 0);
}

TEST(Vector, CreateDotSize) {
  tvec2d plain;
  EXPECT_EQ(plain.w, 0);
  tvec2d v = tvec2d::createxy(3, 4);
  EXPECT_EQ(v.w, 1);
  EXPECT_EQ(v.size(), 5);
  EXPECT_EQ(v.dot(tvec2d::createxy(2, -1)), 2);
  std::unique_ptr<TQorObj> copy = v.duplicate();
  auto* vc = dynamic_cast<tvec2d*>(copy.get());
  ASSERT_NE(vc, nullptr);
  EXPECT_EQ(vc->x, 3);
  EXPECT_EQ(vc->w, 1);
}

}  // namespace
