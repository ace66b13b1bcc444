// Translation: starting phases, offsets tick by tick, the two reference points, the markers
// and the record.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "anim_test_support.h"
#include "gx_trans.h"
#include "testing/recording_canvas.h"

namespace {
using anim_test::CornerList;
using anim_test::Corners;
using anim_test::Crlf;
using anim_test::ReadRecord;
using anim_test::Record;

std::unique_ptr<TTrans> MakeTrans(TAniType kind, double x1, double y1, int period = 200) {
  auto t = std::make_unique<TTrans>();
  t->x1 = x1;
  t->y1 = y1;
  t->SetAniType(kind);
  t->SetPeriod(period);
  return t;
}

void TickTo(TTrans& t, int cnt) {
  t.cnt = cnt - 1;
  t.settime(1);
  ASSERT_EQ(t.cnt, cnt);
}

void ExpectOffset(const TTrans& t, double x, double y) {
  EXPECT_NEAR(t.x, x, 1e-12);
  EXPECT_NEAR(t.y, y, 1e-12);
  anim_test::ExpectMatNear(t.matrix, tmat2d::trans(x, y));
}

TEST(Trans, NewTranslation) {
  TTrans t;
  EXPECT_EQ(t.Id(), 15);
  EXPECT_TRUE(t.Swing());
  EXPECT_EQ(Corners(*t.flinear), (CornerList{{0, 0}, {0.5, 1}, {1, 0}}));
  EXPECT_EQ(t.Period(), 0);
  EXPECT_EQ(t.x1, 0);
  EXPECT_EQ(t.y1, 0);
  EXPECT_EQ(t.x2, 1.0);
  EXPECT_EQ(t.y2, 0);
  t.reset();
  EXPECT_EQ(t.Period(), 200);
}

TEST(Trans, ResetStartsAtOffsetZero) {
  struct Case {
    TAniType kind;
    int period;
    int cnt;
  } cases[] = {
      {at_linear, 200, 0},
      {at_sinusoidal, 200, 150},
      {at_sinusoidal, 202, 152},  // 151.5 rounds to even
      {at_sinusoidal, 0, 150},    // taken from the period in force, 200
  };
  for (const Case& c : cases) {
    auto t = MakeTrans(c.kind, 2, 1, 1);
    t->FPeriod = c.period;
    t->x = 5;
    t->cnt = 9;
    t->reset();
    EXPECT_EQ(t->cnt, c.cnt) << c.kind << " " << c.period;
    EXPECT_EQ(t->x, 0);
    EXPECT_EQ(t->y, 0);
    // The first tick after reset moves only one step (at most 2 * x1 / period) from the drawn
    // position.
    t->settime(1);
    EXPECT_NEAR(t->x, 0, 0.021) << c.kind << " " << c.period;
  }
}

TEST(Trans, SineOffsetReachesTheDisplacementAtAQuarter) {
  auto t = MakeTrans(at_sinusoidal, 2, -1);
  t->reset();
  TickTo(*t, 50);
  ExpectOffset(*t, 2, -1);
  TickTo(*t, 100);
  ExpectOffset(*t, 1, -0.5);
}

TEST(Trans, LinearOffsetFollowsTheSwingPath) {
  auto t = MakeTrans(at_linear, 2, -1);
  t->reset();
  TickTo(*t, 50);
  ExpectOffset(*t, 1, -0.5);
  TickTo(*t, 100);
  ExpectOffset(*t, 2, -1);
  TickTo(*t, 150);
  ExpectOffset(*t, 1, -0.5);
}

TEST(Trans, OffsetStaysWhereThePathHasNoValue) {
  auto t = MakeTrans(at_linear, 2, 0, 4);
  t->flinear = anim_test::Path({{0, 0}, {0.5, 1}});
  t->reset();
  std::vector<double> xs;
  for (int i = 0; i < 4; ++i) {
    t->settime(1);
    xs.push_back(t->x);
  }
  EXPECT_EQ(xs, (std::vector<double>{1, 2, 2, 0}));
}

TEST(Trans, PickingAndDraggingTheTwoReferencePoints) {
  auto t = MakeTrans(at_linear, 2, 0);
  t->refpt.x = 1;
  t->refpt.y = 1;
  const TDRect around_end{2.9, 3.1, 0.9, 1.1};
  const TDRect around_start{0.9, 1.1, 0.9, 1.1};
  const TDRect elsewhere{5, 6, 5, 6};

  ASSERT_TRUE(t->RefPointInRect(around_end));
  EXPECT_TRUE(t->FRef2);
  EXPECT_DOUBLE_EQ(t->rx(), 3);  // the end point is the selected one
  t->SetRx(4);
  EXPECT_DOUBLE_EQ(t->x1, 3);
  EXPECT_DOUBLE_EQ(t->refpt.x, 1);

  ASSERT_TRUE(t->RefPointInRect(around_start));
  EXPECT_FALSE(t->FRef2);
  EXPECT_FALSE(t->RefPointInRect(elsewhere));
  EXPECT_FALSE(t->FRef2);

  t->x1 = 2;
  t->SetRx(0);  // the start moves, the end stays at (3, 1)
  EXPECT_DOUBLE_EQ(t->refpt.x, 0);
  EXPECT_DOUBLE_EQ(t->x1, 3);
  t->SetRy(2);
  EXPECT_DOUBLE_EQ(t->refpt.y, 2);
  EXPECT_DOUBLE_EQ(t->y1, -1);
  EXPECT_DOUBLE_EQ(t->GetRefCoord(2), 0);
  t->SetRefCoord(2, 9);
  EXPECT_DOUBLE_EQ(t->x1, 3);
}

TEST(Trans, MarkersAtBothEndsJoinedByALine) {
  TFixedControl control(100, 50);
  TRecordingCanvas cv;
  auto t = MakeTrans(at_linear, 10, 5);
  t->refpt.x = 1;
  t->refpt.y = 2;
  t->DrawRefPoint(control, cv, tmat2d::scale(2, 2));  // start (2, 46), end (22, 36)
  EXPECT_EQ(cv.Log(),
            "MoveTo -1 46\nLineTo 6 46\nMoveTo 2 43\nLineTo 2 50\n"
            "MoveTo 2 46\nLineTo 22 36\n"
            "MoveTo 19 36\nLineTo 26 36\nMoveTo 22 33\nLineTo 22 40\n");
  for (const auto& c : cv.calls) EXPECT_EQ(c.pen.Color, 255);
}

TEST(Trans, RecordLayoutRoundTripAndSelectionCleared) {
  auto t = MakeTrans(at_sinusoidal, 0.5, -0.25, 40);
  t->x2 = 3;
  t->y2 = 4;
  t->refpt.x = 1;
  t->FRef2 = true;
  const std::string bytes = Record(*t);
  EXPECT_FALSE(t->FRef2);
  const std::string head =
      Crlf({"15 {TTrans}", " 5.00000000000000E-0001 -2.50000000000000E-0001",
            " 3.00000000000000E+0000  4.00000000000000E+0000", "15 {TTrans}",
            " 1.00000000000000E+0000  0.00000000000000E+0000 1 1 40", "2 {TPolygon}"});
  EXPECT_EQ(bytes.substr(0, head.size()), head);

  auto back = ReadRecord<TTrans>(bytes, 15);
  EXPECT_EQ(back->x1, 0.5);
  EXPECT_EQ(back->y1, -0.25);
  EXPECT_EQ(back->x2, 3);
  EXPECT_EQ(back->y2, 4);
  EXPECT_EQ(back->Period(), 40);
  EXPECT_EQ(Record(*back), bytes);
}

TEST(Trans, LoadingKeepsTheTimePathOfTheRecord) {
  auto t = MakeTrans(at_linear, 1, 0);
  t->flinear = anim_test::Path({{0, 0}, {0.2, 1}, {1, 0.5}});
  const std::string bytes = Record(*t);
  auto back = ReadRecord<TTrans>(bytes, 15);
  EXPECT_TRUE(back->Swing());
  EXPECT_EQ(Corners(*back->flinear), (CornerList{{0, 0}, {0.2, 1}, {1, 0.5}}));
  EXPECT_EQ(Record(*back), bytes);
}

}  // namespace
