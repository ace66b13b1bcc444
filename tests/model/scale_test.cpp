// Scale: starting phases, factors tick by tick, the matrix about the reference point, the
// marker and the record.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "anim_test_support.h"
#include "gx_scale.h"
#include "testing/recording_canvas.h"

namespace {
using anim_test::CornerList;
using anim_test::Corners;
using anim_test::Crlf;
using anim_test::ExpectMapsTo;
using anim_test::ReadRecord;
using anim_test::Record;

std::unique_ptr<TScale> MakeScale(TAniType kind, double sx1, double sy1, double sx2, double sy2,
                                  int period = 200) {
  auto s = std::make_unique<TScale>();
  s->init(0, 0, sx1, sy1, sx2, sy2, period);
  s->SetAniType(kind);
  return s;
}

// Sets the counter so that the next tick lands on cnt, and ticks.
void TickTo(TScale& s, int cnt) {
  s.cnt = cnt - 1;
  s.settime(1);
  ASSERT_EQ(s.cnt, cnt);
}

TEST(Scale, NewScaleSwingsWithoutVisibleChange) {
  TScale s;
  EXPECT_EQ(s.Id(), 14);
  EXPECT_EQ(s.period(), 200);
  EXPECT_TRUE(s.Swing());
  EXPECT_EQ(Corners(*s.flinear), (CornerList{{0, 0}, {0.5, 1}, {1, 0}}));
  for (TAniType kind : {at_linear, at_sinusoidal}) {
    s.SetAniType(kind);
    s.reset();
    for (int i = 0; i < 250; ++i) {
      s.settime(1);
      ASSERT_EQ(s.matrix, tmat2d()) << "kind " << kind << ", tick " << i;
    }
  }
}

TEST(Scale, InitSetsReferencePointFactorsAndPeriod) {
  TScale s;
  s.init(1, 2, 0.5, 0.6, 1.5, 1.6, 0);
  EXPECT_DOUBLE_EQ(s.rx(), 1);
  EXPECT_DOUBLE_EQ(s.ry(), 2);
  EXPECT_EQ(s.sx1(), 0.5);
  EXPECT_EQ(s.sy1(), 0.6);
  EXPECT_EQ(s.sx2(), 1.5);
  EXPECT_EQ(s.sy2(), 1.6);
  EXPECT_EQ(s.period(), 200);
}

TEST(Scale, ResetStartsWhereTheGoverningFactorPassesOne) {
  struct Case {
    const char* what;
    TAniType kind;
    double sx1, sy1, sx2, sy2;
    int period;
    int cnt;
  } cases[] = {
      {"linear, x", at_linear, 0.5, 1, 1.5, 1, 200, 50},
      {"linear, period 0 becomes 200 first", at_linear, 0.5, 1, 1.5, 1, 0, 50},
      {"linear, y changes more", at_linear, 1, 0, 1.2, 1, 200, 100},
      {"linear, tie goes to x", at_linear, 0.5, 0, 1.5, 1, 200, 50},
      {"linear, 1 below both extremes", at_linear, 1.5, 1, 2, 1, 200, -100},
      {"linear, shrinking", at_linear, 1.5, 1, 0.5, 1, 200, 50},
      {"sine, centred on 1", at_sinusoidal, 0.5, 1, 1.5, 1, 200, 0},
      {"sine, off centre", at_sinusoidal, 0.5, 1, 2.5, 1, 200, -17},
      {"sine, 1 outside the extremes", at_sinusoidal, 1.5, 1, 2, 1, 200, 0},
      {"all factors equal", at_linear, 2, 2, 2, 2, 200, 0},
      {"span below 1e-5", at_sinusoidal, 1, 1, 1.000001, 1, 200, 0},
  };
  for (const Case& c : cases) {
    auto s = MakeScale(c.kind, c.sx1, c.sy1, c.sx2, c.sy2);
    s->FPeriod = c.period;
    s->cnt = 7;
    s->reset();
    EXPECT_EQ(s->cnt, c.cnt) << c.what;
    EXPECT_EQ(s->period(), 200) << c.what;
  }
}

TEST(Scale, LinearFactorsFollowTheSwingPath) {
  auto s = MakeScale(at_linear, 0.5, 1, 1.5, 1);
  s->reset();
  TickTo(*s, 50);
  EXPECT_DOUBLE_EQ(s->fsx, 1);
  EXPECT_DOUBLE_EQ(s->fsy, 1);
  TickTo(*s, 100);
  EXPECT_DOUBLE_EQ(s->fsx, 1.5);
  EXPECT_DOUBLE_EQ(s->fsy, 1);
  TickTo(*s, 0);
  EXPECT_DOUBLE_EQ(s->fsx, 0.5);
}

TEST(Scale, SineFactorsSwingAboutTheirMiddle) {
  auto s = MakeScale(at_sinusoidal, 0.5, 2, 1.5, 1);
  s->reset();
  ASSERT_EQ(s->cnt, 0);
  TickTo(*s, 50);
  EXPECT_DOUBLE_EQ(s->fsx, 1.5);
  EXPECT_DOUBLE_EQ(s->fsy, 1);
  TickTo(*s, 150);
  EXPECT_DOUBLE_EQ(s->fsx, 0.5);
  EXPECT_DOUBLE_EQ(s->fsy, 2);
}

TEST(Scale, KeepsTheDrawnSizeUntilItsCounterReachesThePeriod) {
  // With factors 1.5 .. 2 the size 1 is never passed and the counter starts 100 ticks early.
  // Until then the polygon keeps its drawn size rather than collapsing onto its reference
  // point or keeping the factors an earlier game ended with.
  auto s = MakeScale(at_linear, 1.5, 1, 2, 1);
  s->refpt.x = 3;
  for (int game = 0; game < 2; ++game) {
    s->reset();
    ASSERT_EQ(s->cnt, -100);
    for (int i = 0; i < 99; ++i) {
      s->settime(1);
      ASSERT_EQ(s->matrix, tmat2d()) << "game " << game << ", tick " << i;
    }
    s->settime(1);
    EXPECT_EQ(s->cnt, 0);
    EXPECT_DOUBLE_EQ(s->fsx, 1.5);
    EXPECT_DOUBLE_EQ(s->fsy, 1);
    for (int i = 0; i < 30; ++i) s->settime(1);  // leave other factors behind
  }
}

TEST(Scale, MatrixScalesAboutTheReferencePoint) {
  auto s = MakeScale(at_sinusoidal, 2, 3, 2, 3);
  s->refpt.x = 1;
  s->refpt.y = 1;
  s->reset();
  s->settime(1);
  ExpectMapsTo(s->matrix, 1, 1, 1, 1);
  ExpectMapsTo(s->matrix, 2, 2, 3, 4);
  ExpectMapsTo(s->matrix, 0, 0, -1, -2);
}

TEST(Scale, MarkerIsAYellowDiagonalCross) {
  TRecordingCanvas cv;
  cv.Pen.Mode = TPenMode::pmNotXor;
  TScale s;
  s.DrawRefImage(cv, 10, 20);
  EXPECT_EQ(cv.Log(), "MoveTo 7 17\nLineTo 14 24\nMoveTo 7 24\nLineTo 14 17\n");
  for (const auto& c : cv.calls) EXPECT_EQ(c.pen.Color, 0xFFFF);
  EXPECT_EQ(cv.Pen.Mode, TPenMode::pmNotXor);
}

TEST(Scale, RecordLayoutAndRoundTrip) {
  auto s = MakeScale(at_sinusoidal, 0.5, 0.75, 1.5, -2, 300);
  s->refpt.x = 4;
  s->refpt.y = -1;
  const std::string bytes = Record(*s);
  const std::string head =
      Crlf({"14 {TScale}", " 5.00000000000000E-0001  7.50000000000000E-0001",
            " 1.50000000000000E+0000 -2.00000000000000E+0000", "14 {TScale}",
            " 4.00000000000000E+0000 -1.00000000000000E+0000 1 1 300", "2 {TPolygon}"});
  EXPECT_EQ(bytes.substr(0, head.size()), head);

  auto back = ReadRecord<TScale>(bytes, 14);
  EXPECT_EQ(back->sx1(), 0.5);
  EXPECT_EQ(back->sy1(), 0.75);
  EXPECT_EQ(back->sx2(), 1.5);
  EXPECT_EQ(back->sy2(), -2);
  EXPECT_DOUBLE_EQ(back->rx(), 4);
  EXPECT_DOUBLE_EQ(back->ry(), -1);
  EXPECT_EQ(back->AniType(), at_sinusoidal);
  EXPECT_EQ(back->period(), 300);
  EXPECT_EQ(Record(*back), bytes);
}

TEST(Scale, LoadingKeepsTheTimePathOfTheRecord) {
  // A drawn path survives; a record that holds the default path (here written while the scale
  // did not swing, as a hand-made file may have it) reads as it always did.
  const struct {
    const char* what;
    bool swing_written;
    CornerList path;
    double fsx_at_phase_02;
  } cases[] = {
      {"drawn path", true, {{0, 0}, {0.2, 1}, {0.6, 0.3}, {1, 0}}, 1.5},
      {"default path, not swinging", false, {{0, 0}, {0.5, 1}, {1, 0}}, 0.9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto s = MakeScale(at_linear, 0.5, 1, 1.5, 1);
    s->FSwing = c.swing_written;
    s->flinear = anim_test::Path(c.path);
    const std::string bytes = Record(*s);

    auto back = ReadRecord<TScale>(bytes, 14);
    EXPECT_TRUE(back->Swing());
    EXPECT_EQ(Corners(*back->flinear), c.path);
    back->reset();
    TickTo(*back, 40);  // the scale follows the path it read
    EXPECT_DOUBLE_EQ(back->fsx, c.fsx_at_phase_02);
  }
}

}  // namespace
