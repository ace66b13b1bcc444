// The transform list: composition order, entry management, the add helpers and the record.
#include <gtest/gtest.h>

#include <memory>
#include <numbers>
#include <string>

#include "anim_test_support.h"
#include "gx_force.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_traflist.h"
#include "gx_trans.h"

namespace {
using anim_test::Crlf;
using anim_test::ExpectMapsTo;
using anim_test::ExpectMatNear;
using anim_test::Record;
using anim_test::TProbe;
constexpr double pi = std::numbers::pi;

// A still rotation by angle about the origin.
std::unique_ptr<TRotate> Turn(double angle) {
  auto r = std::make_unique<TRotate>();
  r->SetA(angle);
  return r;
}

// A body at rest at (x, y) with no forces: its matrix translates by (x, y) on every tick.
std::unique_ptr<TForce> Shift(double x, double y) {
  auto f = std::make_unique<TForce>();
  f->init(0, 1, 0, 0, 0, 0, 0, 0, 0, 0, x, y);
  return f;
}

TEST(TrafList, EmptyListComposesTheIdentity) {
  TTrafList l;
  EXPECT_EQ(l.Id(), 16);
  l.settime(1);
  EXPECT_EQ(l.matrix(), tmat2d());
  l.reset();
  EXPECT_EQ(l.matrix(), tmat2d());
  EXPECT_EQ(l.GetTraf(0), nullptr);
  EXPECT_EQ(l.GetTraf(-1), nullptr);
}

TEST(TrafList, OneRotationGivesItsOwnMatrix) {
  TTrafList l;
  l.AddRotation(0, 1, 2, 8);
  l.reset();
  l.settime(1);
  EXPECT_EQ(l.matrix(), l.GetTraf(0)->matrix);
  EXPECT_NE(l.matrix(), tmat2d());
}

TEST(TrafList, EntryZeroActsFirst) {
  // A quarter turn about the origin and a shift by (1, 0), composed in both orders.
  struct Case {
    bool turn_first;
    double x, y;
  } cases[] = {{true, 1, 1}, {false, 0, 2}};
  for (const Case& c : cases) {
    TTrafList l;
    if (c.turn_first) {
      l.AddTraf(Turn(pi / 2));
      l.AddTraf(Shift(1, 0));
    } else {
      l.AddTraf(Shift(1, 0));
      l.AddTraf(Turn(pi / 2));
    }
    l.settime(1);
    ExpectMapsTo(l.matrix(), 1, 0, c.x, c.y);
  }
}

TEST(TrafList, ResetAndSettimeRunEveryEntryBeforeComposing) {
  TTrafList l;
  l.AddRotation(0, 0, 0, 4);
  l.AddScale(0, 0, 2, 2, 2, 2, 4);
  l.settime(1);
  EXPECT_EQ(l.GetTraf(0)->cnt, 1);
  EXPECT_EQ(l.GetTraf(1)->cnt, 1);
  ExpectMatNear(l.matrix(), l.GetTraf(1)->matrix * l.GetTraf(0)->matrix);
  l.reset();
  EXPECT_EQ(l.GetTraf(0)->cnt, 0);
  ExpectMatNear(l.matrix(), tmat2d());  // angle 0, and the scale waits for its first tick
}

TEST(TrafList, SetTrafInsertsAppendsOrReplaces) {
  TTrafList l;
  l.AddTraf(Turn(0.1));
  l.AddTraf(Turn(0.2));
  auto first = std::make_unique<TScale>();
  TScale* first_raw = first.get();
  l.SetTraf(-1, std::move(first));
  ASSERT_EQ(l.Count(), 3);
  EXPECT_EQ(l.GetTraf(0), first_raw);

  auto last = std::make_unique<TTrans>();
  TTrans* last_raw = last.get();
  l.SetTraf(l.Count(), std::move(last));
  ASSERT_EQ(l.Count(), 4);
  EXPECT_EQ(l.GetTraf(3), last_raw);

  l.SetTraf(0, nullptr);  // never holds null
  EXPECT_EQ(l.Count(), 4);
  EXPECT_EQ(l.AddTraf(nullptr), -1);
  EXPECT_EQ(l.Count(), 4);
}

TEST(TrafList, SetTrafReplacingDestroysTheFormerEntry) {
  bool destroyed = false;
  TTrafList l;
  l.AddTraf(std::make_unique<TProbe>(&destroyed));
  l.AddTraf(Turn(0.2));
  TTransform* second = l.GetTraf(1);
  auto replacement = Shift(1, 1);
  TTransform* replacement_raw = replacement.get();
  l.SetTraf(0, std::move(replacement));
  EXPECT_TRUE(destroyed);
  ASSERT_EQ(l.Count(), 2);
  EXPECT_EQ(l.GetTraf(0), replacement_raw);
  EXPECT_EQ(l.GetTraf(1), second);
}

TEST(TrafList, AddHelpersInitialiseTheirTransforms) {
  TTrafList l;
  l.AddRotation(0, 1, 2, 0);
  l.AddScale(3, 4, 0.5, 0.6, 1.5, 1.6, 100);
  l.AddForce(0.001, 3, 0, pi / 2, 0, -0.001, 0, 0, 0, 0, 7, 8);
  ASSERT_EQ(l.Count(), 3);

  auto* r = dynamic_cast<TRotate*>(l.GetTraf(0));
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->rx(), 1);
  EXPECT_EQ(r->ry(), 2);
  EXPECT_EQ(r->period(), 200);
  EXPECT_EQ(r->matrix, tmat2d());

  auto* s = dynamic_cast<TScale*>(l.GetTraf(1));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->rx(), 3);
  EXPECT_EQ(s->ry(), 4);
  EXPECT_EQ(s->sx1(), 0.5);
  EXPECT_EQ(s->sy2(), 1.6);
  EXPECT_EQ(s->period(), 100);

  auto* f = dynamic_cast<TForce*>(l.GetTraf(2));
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->m(), 3);
  EXPECT_EQ(f->gy(), -0.001);
  EXPECT_EQ(f->matrix, tmat2d::trans(7, 8));
}

TEST(TrafList, EmptyRecord) {
  TTrafList l;
  EXPECT_EQ(Record(l), Crlf({"16 {TTrafList}", "0"}));
  TTextReader r(Crlf({"0"}));
  TTrafList back;
  EXPECT_TRUE(back.LoadFromF(r));
  EXPECT_EQ(back.Count(), 0);
}

// A list with one transform of each kind, each with values of its own.
std::unique_ptr<TTrafList> FourKinds() {
  auto l = std::make_unique<TTrafList>();
  auto r = std::make_unique<TRotate>();
  r->init(0, 0.5, 0.25, 400);
  r->SetSwing(true);
  r->SetA1(-0.5);
  r->SetA2(0.5);
  r->SetCw(true);
  l->AddTraf(std::move(r));
  l->AddScale(1, 2, 0.5, 1, 1.5, 1, 300);
  auto t = std::make_unique<TTrans>();
  t->x1 = 2;
  t->y1 = -1;
  t->SetAniType(at_sinusoidal);
  t->SetPeriod(60);
  l->AddTraf(std::move(t));
  l->AddForce(0.001, 3, 0, pi / 2, 0, -0.001, 0, 0, 0, 0, 7, 8);
  return l;
}

TEST(TrafList, RecordOfAllFourKindsRoundTrips) {
  auto l = FourKinds();
  const std::string bytes = Record(*l);
  TTextReader r(bytes);
  ASSERT_EQ(r.ReadHeaderId(), 16);
  TTrafList back;
  ASSERT_TRUE(back.LoadFromF(r));
  EXPECT_TRUE(r.AtEnd());
  ASSERT_EQ(back.Count(), 4);
  EXPECT_STREQ(back.GetTraf(0)->ClassName(), "TRotate");
  EXPECT_STREQ(back.GetTraf(1)->ClassName(), "TScale");
  EXPECT_STREQ(back.GetTraf(2)->ClassName(), "TTrans");
  EXPECT_STREQ(back.GetTraf(3)->ClassName(), "TForce");
  EXPECT_EQ(Record(back), bytes);

  // Read back and reset, the list animates exactly like the original.
  l->reset();
  back.reset();
  for (int i = 0; i < 25; ++i) {
    l->settime(1);
    back.settime(1);
    ASSERT_EQ(back.matrix(), l->matrix()) << "tick " << i;
  }
}

TEST(TrafList, LoadingAppendsToTheEntriesAlreadyThere) {
  const std::string bytes = Record(*FourKinds());
  TTrafList l;
  l.AddTraf(Turn(1));
  TTextReader r(bytes);
  r.ReadHeaderId();
  l.LoadFromF(r);
  EXPECT_EQ(l.Count(), 5);
  EXPECT_EQ(l.GetTraf(0)->Id(), 13);
  EXPECT_EQ(l.GetTraf(4)->Id(), 12);
}

TEST(TrafList, UnknownEntryIdentifierStopsLoading) {
  // The first entry is a valid rotation, so the error names element 1.
  TRotate valid;
  const std::string first = Record(valid);
  for (int id : {0, 2, 11, 16, -13}) {
    TTextReader r("2\r\n" + first + std::to_string(id) + " {TSomething}\r\n");
    TTrafList l;
    try {
      l.LoadFromF(r);
      FAIL() << "no error for " << id;
    } catch (const EQorError& e) {
      EXPECT_EQ(std::string(e.what()),
                "Element 1 in TTrafList has invalid id: " + std::to_string(id));
    }
    EXPECT_EQ(l.Count(), 1);  // what was read stays
  }
}

TEST(TrafList, CountBeyondTheEndOfTheFileDoesNotLoop) {
  for (const std::string& body : {std::string("2000000000\r\n"), "3\r\n" + Record(TRotate())}) {
    TTextReader r(body);
    TTrafList l;
    try {
      l.LoadFromF(r);
      FAIL() << "no error";
    } catch (const EInOutError& e) {
      EXPECT_STREQ(e.what(), "Unexpected end of file");
    }
    EXPECT_LE(l.Count(), 1);
  }
}

TEST(TrafList, MalformedNumberInAnEntryRaisesTheReaderError) {
  TTextReader r(Crlf({"1", "13 {TRotate}", " 0.5 zero 0"}));
  TTrafList l;
  EXPECT_THROW(l.LoadFromF(r), EInOutError);
  EXPECT_EQ(l.Count(), 0);
}

}  // namespace
