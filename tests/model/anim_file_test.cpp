// Transforms as hand-made files can leave them: periods of 0 or below and time paths of any
// shape. Nothing may divide by zero, read outside a path, or leave a matrix that is not finite.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "anim_test_support.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_trans.h"

namespace {
using anim_test::Finite;
using anim_test::Path;
using anim_test::ReadRecord;
using anim_test::Record;

struct Kind {
  const char* what;
  std::function<std::unique_ptr<TTransform>()> make;
};

// Every kind of motion of the three maze animations, with a visible range of motion.
const Kind kKinds[] = {
    {"continuous linear rotation", [] { return std::make_unique<TRotate>(); }},
    {"continuous sine rotation",
     [] {
       auto r = std::make_unique<TRotate>();
       r->SetAniType(at_sinusoidal);
       return r;
     }},
    {"linear swing rotation",
     [] {
       auto r = std::make_unique<TRotate>();
       r->SetSwing(true);
       r->SetA1(-1);
       r->SetA2(1);
       return r;
     }},
    {"sine swing rotation",
     [] {
       auto r = std::make_unique<TRotate>();
       r->SetSwing(true);
       r->SetAniType(at_sinusoidal);
       r->SetA1(-1);
       r->SetA2(1);
       return r;
     }},
    {"linear scale",
     [] {
       auto s = std::make_unique<TScale>();
       s->init(1, 1, 0.5, 0.5, 2, 2, 200);
       return s;
     }},
    {"sine scale",
     [] {
       auto s = std::make_unique<TScale>();
       s->init(1, 1, 0.5, 0.5, 2, 2, 200);
       s->SetAniType(at_sinusoidal);
       return s;
     }},
    {"linear translation",
     [] {
       auto t = std::make_unique<TTrans>();
       t->x1 = 3;
       return t;
     }},
    {"sine translation",
     [] {
       auto t = std::make_unique<TTrans>();
       t->x1 = 3;
       t->SetAniType(at_sinusoidal);
       return t;
     }},
};

// Reads a transform record the way a transform list does.
std::unique_ptr<TTransform> Reread(const TTransform& t) {
  const std::string bytes = Record(t);
  TTextReader r(bytes);
  r.ReadHeaderId();
  std::unique_ptr<TTransform> back;
  if (t.Id() == 13) back = std::make_unique<TRotate>();
  if (t.Id() == 14) back = std::make_unique<TScale>();
  if (t.Id() == 15) back = std::make_unique<TTrans>();
  back->LoadFromF(r);
  return back;
}

TEST(AnimFile, PeriodBelowOneHoldsThePolygonWhereItIsDrawn) {
  // A negative period is kept as read (the record is written back unchanged) and the motion
  // stays at its drawn pose: the counter stays 0 and no phase is computed.
  for (const Kind& k : kKinds) {
    for (int period : {-1, -8, -2147483647 - 1}) {
      auto t = k.make();
      t->FPeriod = period;
      auto back = Reread(*t);
      SCOPED_TRACE(testing::Message() << k.what << ", period " << period);
      EXPECT_EQ(back->period(), period);
      EXPECT_EQ(Record(*back), Record(*t));
      back->reset();
      EXPECT_EQ(back->period(), period);
      for (int i = 0; i < 20; ++i) {
        back->settime(1);
        ASSERT_EQ(back->cnt, 0);
        ASSERT_EQ(back->matrix, tmat2d()) << "tick " << i;
      }
    }
  }
}

TEST(AnimFile, PeriodZeroTickedBeforeResetDoesNotDivide) {
  // Reset replaces a period of 0 by 200 before play; a transform ticked without it (straight
  // after loading) must still give a finite matrix.
  for (const Kind& k : kKinds) {
    auto t = Reread(*k.make());
    t->FPeriod = 0;
    for (int i = 0; i < 5; ++i) t->settime(1);
    EXPECT_TRUE(Finite(t->matrix)) << k.what;
  }
}

TEST(AnimFile, TimePathsOfAnyShapeAreSafeToFollow) {
  using PathMaker = std::function<std::unique_ptr<TPolygon>()>;
  const std::pair<const char*, PathMaker> paths[] = {
      {"no corners", [] { return std::make_unique<TPolygon>(); }},
      {"one corner",
       [] {
         return Path({{0.5, 0.5}});
       }},
      {"a vertical step only",
       [] {
         return Path({{0.5, 0.2}, {0.5, 0.9}});
       }},
      {"running backwards",
       [] {
         return Path({{1, 0}, {0, 1}});
       }},
      {"covering half the phases",
       [] {
         return Path({{0.25, 0}, {0.75, 1}});
       }},
      {"coincident corners",
       [] {
         return Path({{0, 0}, {0, 0}, {0.5, 1}, {0.5, 1}, {1, 0}});
       }},
      {"far outside the unit square",
       [] {
         return Path({{-1e300, -1e300}, {1e300, 1e300}});
       }},
      {"closed",
       [] {
         auto p = Path({{0, 0}, {0.5, 1}, {1, 0}});
         p->open = false;
         return p;
       }},
  };
  for (const Kind& k : kKinds) {
    for (const auto& [name, make_path] : paths) {
      auto t = k.make();
      t->SetPeriod(7);
      t->flinear = make_path();
      t->reset();
      SCOPED_TRACE(testing::Message() << k.what << ", path " << name);
      for (int i = 0; i < 15; ++i) {
        ASSERT_NO_THROW(t->settime(1));
        ASSERT_TRUE(Finite(t->matrix)) << "tick " << i;
      }
    }
  }
}

TEST(AnimFile, RotationKeepsAPathWithoutCornersFromItsRecord) {
  // A rotation keeps the path its record holds, so a file can give it one without corners:
  // the rotation then keeps its angle.
  TRotate r;
  r.SetPeriod(4);
  r.flinear = std::make_unique<TPolygon>();
  auto back = ReadRecord<TRotate>(Record(r), 13);
  EXPECT_EQ(back->flinear->Count(), 0);
  back->reset();
  for (int i = 0; i < 6; ++i) back->settime(1);
  EXPECT_EQ(back->a(), 0);
  EXPECT_EQ(back->matrix, tmat2d());
}

}  // namespace
