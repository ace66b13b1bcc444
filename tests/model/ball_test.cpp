// Balls: outline, explosion shades and countdown, the point test, the record.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "gx_ball.h"
#include "testing/recording_canvas.h"

namespace {

TBall* BallAt(TBallList& list, double x, double y, TColor c = 0xFFFFFF) {
  auto b = std::make_unique<TBall>();
  b->SetColor(c);
  b->matrix.mat[0][2] = x;
  b->matrix.mat[1][2] = y;
  TBall* raw = b.get();
  list.AddPolygon(std::move(b));
  return raw;
}

std::string Record(const TBall& b) {
  TTextWriter w;
  b.SaveToF(w);
  return w.Bytes();
}

// Reads a ball record the way its list does: the header line first, then the body.
std::unique_ptr<TBall> ReadBall(const std::string& bytes) {
  TTextReader r(bytes);
  EXPECT_EQ(r.ReadHeaderId(), 4);
  auto b = std::make_unique<TBall>();
  EXPECT_TRUE(b->LoadFromF(r));
  return b;
}

TEST(Ball, NewBallIsAWhiteTwentyGonOfRadiusPoint03) {
  TBall b;
  EXPECT_EQ(b.Id(), 4);
  EXPECT_EQ(b.Color(), 0xFFFFFF);
  EXPECT_DOUBLE_EQ(b.Size(), 0.03);
  EXPECT_DOUBLE_EQ(b.FSize2, 0.03 * 0.03);
  ASSERT_EQ(b.Count(), 20);
  EXPECT_DOUBLE_EQ(b.GetSide(0)->x(), 0.03);
  EXPECT_DOUBLE_EQ(b.GetSide(0)->y(), 0.0);
  EXPECT_EQ(b.GetSide(0)->sidetype, st_normal);
  EXPECT_EQ(b.fillstyle, bsClear);
  EXPECT_EQ(b.fillcolor, 0);
  EXPECT_FALSE(b.invisible);
  EXPECT_EQ(b.ExplTicks(), 0);
  EXPECT_EQ(b.matrix, tmat2d());
}

TEST(Ball, SetSizeRebuildsTheOutlineAndItsExtent) {
  TBall b;
  b.SetSize(0.1);
  ASSERT_EQ(b.Count(), 20);
  EXPECT_NEAR(b.GetSide(5)->x(), 0.0, 1e-15);
  EXPECT_NEAR(b.GetSide(5)->y(), 0.1, 1e-15);
  EXPECT_DOUBLE_EQ(b.FSize2, 0.01);
  EXPECT_NEAR(b.extent.x1, -0.1, 1e-15);
  EXPECT_NEAR(b.extent.x2, 0.1, 1e-15);
  EXPECT_NEAR(b.extent.y1, -0.1, 1e-15);
  EXPECT_NEAR(b.extent.y2, 0.1, 1e-15);
}

TEST(Ball, ExplosionShadesDimFullDim) {
  TBall b;
  b.SetColor(0x0000FF);
  ASSERT_EQ(b.FColList.size(), 10u);
  EXPECT_EQ(b.FColList[0], 0x000080);
  EXPECT_EQ(b.FColList[9], 0x000042);

  // Every channel is scaled alike and the fourth byte is dropped.
  b.SetColor(static_cast<TColor>(0x7FFFFFFF));
  const int expected[10] = {128, 180, 221, 246, 255, 246, 221, 180, 127, 66};
  for (int i = 0; i < 10; ++i) {
    const int v = expected[i];
    EXPECT_EQ(b.FColList[i], (v << 16) | (v << 8) | v) << "shade " << i;
  }
  // A colour with the top bit set (negative as a signed integer) still splits into channels.
  b.SetColor(-1);
  EXPECT_EQ(b.FColList[4], 0xFFFFFF);
}

TEST(Ball, SetColorKeepsTheCornerColours) {
  TBall b;
  b.SetColor(0x00FF00);
  EXPECT_EQ(b.Color(), 0x00FF00);
  EXPECT_EQ(b.GetSide(3)->color, 0xFFFFFF);
}

TEST(Ball, TenTickExplosionShowsShadesNineToOneThenDisappears) {
  TBall b;
  b.SetColor(0x0000FF);
  const std::vector<TColor> shades = b.FColList;
  b.SetExplTicks(10);
  for (int k = 1; k <= 9; ++k) {
    b.Execute(1);
    EXPECT_EQ(b.ExplTicks(), 10 - k);
    EXPECT_EQ(b.Color(), shades[10 - k]) << "tick " << k;
    EXPECT_FALSE(b.invisible);
    EXPECT_FALSE(b.PointInBall(0, 0)) << "an exploding ball cannot be hit";
  }
  b.Execute(1);
  EXPECT_EQ(b.ExplTicks(), 0);
  EXPECT_TRUE(b.invisible);
  EXPECT_EQ(b.Color(), 0x0000FF);
  EXPECT_EQ(b.FColList, shades);

  b.Execute(1);  // nothing left to count down
  EXPECT_EQ(b.ExplTicks(), 0);
  EXPECT_TRUE(b.invisible);
  EXPECT_EQ(b.Color(), 0x0000FF);
}

TEST(Ball, ExplosionLongerThanTheShadesStaysWithinThem) {
  TBall b;
  b.SetColor(0x00FF00);
  const std::vector<TColor> shades = b.FColList;
  b.SetExplTicks(1000);
  for (int k = 1; k < 1000; ++k) {
    b.Execute(1);
    const int left = 1000 - k;
    EXPECT_EQ(b.Color(), shades[std::min(left, 9)]) << "tick " << k;
    if (HasFailure()) break;
  }
  b.Execute(1);
  EXPECT_TRUE(b.invisible);
  EXPECT_EQ(b.Color(), 0x00FF00);
}

TEST(Ball, ShownAgainWhileExplodingTheCountdownGoesOn) {
  TBall b;
  b.SetExplTicks(10);
  for (int k = 0; k < 4; ++k) b.Execute(1);
  b.invisible = false;  // what the maze's reset does
  for (int k = 0; k < 5; ++k) b.Execute(1);
  EXPECT_FALSE(b.invisible);
  EXPECT_EQ(b.ExplTicks(), 1);
  b.Execute(1);
  EXPECT_TRUE(b.invisible);
  EXPECT_EQ(b.Color(), 0xFFFFFF);
}

TEST(Ball, PointInBallIsStrictlyInsideTheCircle) {
  TBallList list;
  TBall* b = BallAt(list, 1.0, 2.0);
  b->SetSize(0.5);  // 0.25 squared: the boundary is exact
  struct Case {
    double x, y;
    bool inside;
  } cases[] = {
      {1.0, 2.0, true},   {1.5, 2.0, false},   {1.4999, 2.0, true},
      {1.0, 1.5, false},  {1.0, 1.5001, true}, {1.36, 2.36, false},  // outside the
      {1.35, 2.35, true},                                            // circle, inside box
      {0.0, 0.0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(b->PointInBall(c.x, c.y), c.inside) << c.x << ", " << c.y;
  }
  b->invisible = true;
  EXPECT_FALSE(b->PointInBall(1.0, 2.0));
  b->invisible = false;
  b->SetExplTicks(1);
  EXPECT_FALSE(b->PointInBall(1.0, 2.0));
}

TEST(Ball, NearestHitSearchesTheOutlineAtTheCentreUnlessGoneOrExploding) {
  TBallList list;
  TBall* b = BallAt(list, 2.0, 0.0);
  b->SetSize(0.5);
  const TDRect ray{0, 1, 0, 0};
  TPolygon* pol = nullptr;
  double x = 0, y = 0, t = -1;
  ASSERT_TRUE(list.GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  EXPECT_EQ(pol, b);
  EXPECT_NEAR(x, 1.5, 1e-12);
  EXPECT_NEAR(t, 1.5, 1e-12);

  // Balls take no part in the search for moving polygons.
  t = -1;
  EXPECT_FALSE(list.GetNearestIntersectionPoint(ray, true, pol, x, y, t));

  b->SetExplTicks(3);
  t = -1;
  EXPECT_FALSE(list.GetNearestIntersectionPoint(ray, false, pol, x, y, t));
  b->FExplTicks = 0;
  b->invisible = true;
  EXPECT_FALSE(list.GetNearestIntersectionPoint(ray, false, pol, x, y, t));
}

TEST(Ball, TransFormScalesThePositionOnly) {
  TBallList list;
  TBall* b = BallAt(list, 1.0, 1.0);
  b->TransForm(tmat2d::scale(2, 3));
  EXPECT_DOUBLE_EQ(b->CenterX(), 2.0);
  EXPECT_DOUBLE_EQ(b->CenterY(), 3.0);
  EXPECT_DOUBLE_EQ(b->Size(), 0.03);
  EXPECT_DOUBLE_EQ(b->GetSide(0)->x(), 0.03);
  // Translations and rotations in m do not move a ball.
  b->TransForm(tmat2d::trans(5, 5));
  EXPECT_DOUBLE_EQ(b->CenterX(), 2.0);
}

TEST(Ball, ResetKeepsThePosition) {
  TBallList list;
  TBall* b = BallAt(list, 0.7, -0.4);
  list.reset();
  EXPECT_DOUBLE_EQ(b->CenterX(), 0.7);
  EXPECT_DOUBLE_EQ(b->CenterY(), -0.4);
}

TEST(Ball, DrawSpotIsAFilledDotOfRadiusThreeAtTheCentre) {
  TBallList list;
  TBall* b = BallAt(list, 0.5, 0.25, 0x00FF00);
  b->width = 2;
  b->invisible = true;  // the spot does not look at it
  TRecordingCanvas cv;
  cv.Pen.Mode = TPenMode::pmXor;
  TFixedControl f(200, 100);
  b->DrawSpot(f, cv, tmat2d::scale(100, 100));
  ASSERT_EQ(cv.calls.size(), 1u);
  const TCanvasCall& c = cv.calls[0];
  EXPECT_EQ(c.Describe(), "Ellipse 47 78 53 72");
  EXPECT_EQ(c.pen.Color, 0x00FF00);
  EXPECT_EQ(c.pen.Width, 2);
  EXPECT_EQ(c.pen.Mode, TPenMode::pmCopy);
  EXPECT_EQ(c.brush.Color, 0x00FF00);
  EXPECT_EQ(c.brush.Style, bsSolid);
}

TEST(Ball, RecordOfTheDefaultBall) {
  TBallList list;
  TBall* b = BallAt(list, 0.5, 0.25);
  const std::string expected =
      "4 {TBall}\r\n16777215\r\n0\r\n0\r\n1\r\n"
      " 5.00000000000000E-0001  2.50000000000000E-0001  3.00000000000000E-0002\r\n"
      "-3.00000000000000E-0002  3.00000000000000E-0002 -3.00000000000000E-0002  "
      "3.00000000000000E-0002\r\n"
      "0\r\n0\r\n";
  EXPECT_EQ(Record(*b), expected);
}

TEST(Ball, RecordRoundTripsEveryStoredField) {
  TBallList list;
  TBall* b = BallAt(list, -1.25, 3.5, 0x123456);
  b->SetSize(0.07);
  b->width = 3;
  b->fillcolor = 0x00FFFF;
  b->fillstyle = bsCross;
  b->extent = TDRect{-9, 9, -8, 8};  // kept as stored, not recomputed
  b->open = true;
  b->invisible = true;
  const std::string bytes = Record(*b);

  auto back = ReadBall(bytes);
  EXPECT_EQ(back->Color(), 0x123456);
  EXPECT_EQ(back->FColList, b->FColList);
  EXPECT_EQ(back->width, 3);
  EXPECT_EQ(back->fillcolor, 0x00FFFF);
  EXPECT_EQ(back->fillstyle, bsCross);
  EXPECT_DOUBLE_EQ(back->CenterX(), -1.25);
  EXPECT_DOUBLE_EQ(back->CenterY(), 3.5);
  EXPECT_DOUBLE_EQ(back->Size(), 0.07);
  EXPECT_EQ(back->Count(), 20);
  EXPECT_DOUBLE_EQ(back->extent.x1, -9);
  EXPECT_DOUBLE_EQ(back->extent.y2, 8);
  EXPECT_TRUE(back->open);
  EXPECT_TRUE(back->invisible);
  EXPECT_EQ(Record(*back), bytes);
}

TEST(Ball, HostileRecordsLoadWithoutHarm) {
  // An unknown fill pattern falls back to the ball's own; a record cut short reads zeros.
  auto odd = ReadBall("4 {TBall}\r\n255\r\n1\r\n0\r\n99\r\n");
  EXPECT_EQ(odd->fillstyle, bsClear);
  EXPECT_EQ(odd->Color(), 255);
  EXPECT_DOUBLE_EQ(odd->Size(), 0.0);
  EXPECT_EQ(odd->Count(), 20);

  auto negative = ReadBall("4 {TBall}\r\n0\r\n0\r\n0\r\n-3\r\n");
  EXPECT_EQ(negative->fillstyle, bsClear);

  TTextReader bad("12x\r\n");
  TBall b;
  EXPECT_THROW(b.LoadFromF(bad), EInOutError);
}

TEST(BallList, ExecuteRunsEveryExplosionAndKeepsTheBallsInPlace) {
  TBallList list;
  EXPECT_EQ(list.Id(), 9);
  TBall* a = BallAt(list, 1, 1);
  TBall* b = BallAt(list, 2, 2);
  BallAt(list, 3, 3);
  list.matrix = tmat2d::trans(4, 4);
  a->SetExplTicks(2);
  b->SetExplTicks(1);
  list.Execute(1);
  EXPECT_EQ(a->ExplTicks(), 1);
  EXPECT_TRUE(b->invisible);
  EXPECT_FALSE(list.InVisible());
  EXPECT_DOUBLE_EQ(a->CenterX(), 1.0);
  EXPECT_EQ(list.matrix, tmat2d::trans(4, 4));  // the list has no animation to run
  EXPECT_EQ(list.GetBall(2)->CenterX(), 3.0);
  EXPECT_EQ(list.GetBall(3), nullptr);
}

}  // namespace
