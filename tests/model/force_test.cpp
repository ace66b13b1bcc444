// Rocket physics: initial values and reset, the thrust writers, the integration step with the
// game's constants, and the record.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "anim_test_support.h"
#include "gx_force.h"

namespace {
using anim_test::Crlf;
using anim_test::ReadRecord;
using anim_test::Record;
constexpr double pi = std::numbers::pi;

// The rocket as it restarts: thrust 0.001 straight up, mass 3, gravity (0, -0.001).
std::unique_ptr<TForce> Rocket(double posx = 2, double posy = 5) {
  auto f = std::make_unique<TForce>();
  f->init(0.001, 3, 0, pi / 2, 0, -0.001, 0, 0, 0, 0, posx, posy);
  return f;
}

TEST(Force, NewForceHasMassOneAndNothingElse) {
  TForce f;
  EXPECT_EQ(f.Id(), 12);
  EXPECT_EQ(f.m(), 1.0);
  EXPECT_EQ(f.Fmo, 0.0);
  EXPECT_EQ(f.Fcosa, 0.0);
  EXPECT_EQ(f.matrix, tmat2d());
  f.settime(1);
  EXPECT_EQ(f.matrix, tmat2d());
}

TEST(Force, InitStoresInitialValuesAndResets) {
  TForce f;
  f.init(2, 3, 4, 0.5, 5, 6, 7, 8, 9, 10, 11, 12);
  EXPECT_EQ(f.Ffo, 2);
  EXPECT_EQ(f.Fmo, 3);
  EXPECT_EQ(f.Ffro, 4);
  EXPECT_EQ(f.Ffao, 0.5);
  EXPECT_EQ(f.Fgxo, 5);
  EXPECT_EQ(f.Fgyo, 6);
  EXPECT_EQ(f.Faxo, 7);
  EXPECT_EQ(f.Fayo, 8);
  EXPECT_EQ(f.Fvxo, 9);
  EXPECT_EQ(f.Fvyo, 10);
  EXPECT_EQ(f.Fpxo, 11);
  EXPECT_EQ(f.Fpyo, 12);

  EXPECT_EQ(f.f(), 2);
  EXPECT_EQ(f.m(), 3);
  EXPECT_EQ(f.fr(), 4);
  EXPECT_EQ(f.a(), 0.5);
  EXPECT_EQ(f.gx(), 5);
  EXPECT_EQ(f.gy(), 6);
  EXPECT_EQ(f.ax(), 7);
  EXPECT_EQ(f.ay(), 8);
  EXPECT_EQ(f.vx(), 9);
  EXPECT_EQ(f.vy(), 10);
  EXPECT_EQ(f.px(), 11);
  EXPECT_EQ(f.py(), 12);
  EXPECT_DOUBLE_EQ(f.FFx, 2 * std::cos(0.5));
  EXPECT_DOUBLE_EQ(f.FFy, 2 * std::sin(0.5));
  EXPECT_EQ(f.matrix, tmat2d::trans(11, 12));
}

TEST(Force, ResetReturnsToTheInitialState) {
  auto f = Rocket();
  for (int i = 0; i < 5; ++i) f->settime(1);
  f->SetF(0.005);
  f->SetA(1);
  f->SetFr(2);
  f->SetM(7);
  f->SetVx(3);
  f->reset();
  EXPECT_EQ(f->f(), 0.001);
  EXPECT_EQ(f->a(), pi / 2);
  EXPECT_EQ(f->fr(), 0);
  EXPECT_EQ(f->m(), 3);
  EXPECT_EQ(f->vx(), 0);
  EXPECT_EQ(f->vy(), 0);
  EXPECT_EQ(f->px(), 2);
  EXPECT_EQ(f->py(), 5);
  EXPECT_EQ(f->matrix, tmat2d::trans(2, 5));
}

TEST(Force, ThrustWritersGiveTheSameComponentsInEitherOrder) {
  TForce af, fa;
  af.SetA(2.5);
  af.SetF(0.7);
  fa.SetF(0.7);
  fa.SetA(2.5);
  EXPECT_EQ(af.FFx, fa.FFx);
  EXPECT_EQ(af.FFy, fa.FFy);
  EXPECT_DOUBLE_EQ(af.FFx, 0.7 * std::cos(2.5));
  EXPECT_DOUBLE_EQ(af.FFy, 0.7 * std::sin(2.5));
  EXPECT_DOUBLE_EQ(af.Fcosa, std::cos(2.5));
  EXPECT_DOUBLE_EQ(af.Fsina, std::sin(2.5));
}

TEST(Force, RestartThrustCancelsGravity) {
  auto f = Rocket();
  for (int i = 0; i < 100; ++i) f->settime(1);
  EXPECT_NEAR(f->py(), 5, 1e-15);
  EXPECT_NEAR(f->px(), 2, 1e-12);  // cos(pi/2) is not exactly 0: a negligible drift
  EXPECT_NEAR(f->ay(), 0, 1e-18);
}

TEST(Force, FreeFallIsSemiImplicitEuler) {
  // From rest with no thrust: v(n) = -n g / m, p(n) = -(g / m) n (n + 1) / 2.
  const double g = 0.001 / 3;
  for (int n : {1, 2, 3, 10}) {
    auto f = Rocket(0, 0);
    f->SetF(0);
    for (int i = 0; i < n; ++i) f->settime(1);
    EXPECT_NEAR(f->vy(), -n * g, 1e-18) << n;
    EXPECT_NEAR(f->py(), -g * n * (n + 1) / 2, 1e-18) << n;
    EXPECT_NEAR(f->ay(), -g, 1e-18) << n;
    EXPECT_EQ(f->px(), 0) << n;
    EXPECT_EQ(f->matrix.mat[1][2], f->py()) << n;
  }
  auto f = Rocket(0, 0);
  f->SetF(0);
  f->settime(1);
  EXPECT_NEAR(f->py(), -0.000333333333333333, 1e-18);
  f->settime(1);
  EXPECT_NEAR(f->py(), -0.001, 1e-18);
}

TEST(Force, FullThrustUpAcceleratesAtAThirdOfPoint004) {
  auto f = Rocket(0, 0);
  f->SetF(0.005);
  f->settime(1);
  EXPECT_NEAR(f->ay(), 0.004 / 3, 1e-18);
  EXPECT_NEAR(f->vy(), 0.004 / 3, 1e-18);
}

TEST(Force, StepLengthScalesVelocityAndPosition) {
  auto f = Rocket(0, 0);
  f->SetF(0);
  f->settime(2);
  EXPECT_DOUBLE_EQ(f->Ft, 2);
  EXPECT_NEAR(f->vy(), -2 * 0.001 / 3, 1e-18);
  EXPECT_NEAR(f->py(), -4 * 0.001 / 3, 1e-18);
}

TEST(Force, FragmentKeepsNinetyNinePercentOfItsSpeed) {
  TForce f;
  f.init(0, 1000, 10, 0.3, 0, -0.001, 0, 0, 0.04, 0, 0, 0);
  f.settime(1);
  EXPECT_NEAR(f.vx(), 0.04 * 0.99, 1e-18);
  EXPECT_NEAR(f.vy(), -0.000001, 1e-18);
  f.settime(1);
  EXPECT_NEAR(f.vx(), 0.04 * 0.99 * 0.99, 1e-18);
  EXPECT_NEAR(f.px(), 0.04 * 0.99 + 0.04 * 0.99 * 0.99, 1e-15);
}

TEST(Force, RecordLayoutAndRoundTrip) {
  auto f = Rocket(0.5, -0.25);
  for (int i = 0; i < 3; ++i) f->settime(1);  // the running state is not written
  const std::string bytes = Record(*f);
  const std::string zero = " 0.00000000000000E+0000";
  const std::string head =
      Crlf({"12 {TForce}",
            " 1.57079632679490E+0000  1.00000000000000E-0003 " + zero + "  3.00000000000000E+0000",
            zero + " -1.00000000000000E-0003", zero + " " + zero, zero + " " + zero,
            " 5.00000000000000E-0001 -2.50000000000000E-0001", "12 {TForce}"});
  EXPECT_EQ(bytes.substr(0, head.size()), head);

  auto back = ReadRecord<TForce>(bytes, 12);
  EXPECT_EQ(Record(*back), bytes);
  EXPECT_EQ(back->Fmo, 3);
  EXPECT_EQ(back->Fgyo, -0.001);
  EXPECT_EQ(back->Fpxo, 0.5);
  // Loading does not reset: the current values are those of a new force until reset.
  EXPECT_EQ(back->m(), 1);
  EXPECT_EQ(back->f(), 0);
  EXPECT_EQ(back->py(), 0);
  back->reset();
  EXPECT_EQ(back->m(), 3);
  EXPECT_EQ(back->f(), 0.001);
  EXPECT_EQ(back->py(), -0.25);
  EXPECT_EQ(back->matrix, tmat2d::trans(0.5, -0.25));
}

TEST(Force, ZeroMassIsKeptButDoesNotMove) {
  // Only a hand-made file holds a mass of 0: the record survives unchanged and the body
  // stays where it is instead of dividing by zero.
  TForce f;
  f.init(0.005, 0, 0, pi / 2, 0, -0.001, 0, 0, 0.1, 0.2, 3, 4);
  const std::string bytes = Record(f);
  auto back = ReadRecord<TForce>(bytes, 12);
  EXPECT_EQ(back->Fmo, 0);
  EXPECT_EQ(Record(*back), bytes);
  back->reset();
  for (int i = 0; i < 5; ++i) back->settime(1);
  EXPECT_EQ(back->px(), 3);
  EXPECT_EQ(back->py(), 4);
  EXPECT_EQ(back->matrix, tmat2d::trans(3, 4));
  EXPECT_TRUE(std::isfinite(back->ax()));
  EXPECT_TRUE(std::isfinite(back->vx()));
}

}  // namespace
