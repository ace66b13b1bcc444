// Animated draw lists: the Rot, Scale and Trans properties, and polygons that turn, pulse and
// slide tick by tick through Execute and start over with reset.
#include <gtest/gtest.h>

#include <memory>
#include <numbers>
#include <vector>

#include "anim_test_support.h"
#include "gx_force.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_traflist.h"
#include "gx_trans.h"
#include "testing/recording_canvas.h"

namespace {
using anim_test::ExpectMapsTo;
using anim_test::Record;
using anim_test::TProbe;
constexpr double pi = std::numbers::pi;

std::unique_ptr<TPolygon> UnitSquare() {
  auto p = std::make_unique<TPolygon>();
  p->AddSide(0, 0, st_normal, clWhite);
  p->AddSide(1, 0, st_normal, clWhite);
  p->AddSide(1, 1, st_normal, clWhite);
  p->AddSide(0, 1, st_normal, clWhite);
  return p;
}

// A continuous rotation of one turn per period about (cx, cy).
std::unique_ptr<TRotate> Spinner(int period, double cx = 0, double cy = 0) {
  auto r = std::make_unique<TRotate>();
  r->init(0, cx, cy, period);
  return r;
}

// A linear back-and-forth translation by (x1, y1).
std::unique_ptr<TTrans> Slider(double x1, double y1, int period) {
  auto t = std::make_unique<TTrans>();
  t->x1 = x1;
  t->y1 = y1;
  t->SetPeriod(period);
  return t;
}

TEST(Animation, PropertiesFindTheFirstTransformOfTheirKind) {
  TPolygon p;
  EXPECT_EQ(p.Rot(), nullptr);
  EXPECT_EQ(p.Scale(), nullptr);
  EXPECT_EQ(p.Trans(), nullptr);
  p.TrafList()->AddTraf(std::make_unique<TForce>());
  p.TrafList()->AddRotation(0, 0, 0, 10);
  p.TrafList()->AddRotation(0, 0, 0, 20);
  p.TrafList()->AddScale(0, 0, 1, 1, 2, 2, 10);
  ASSERT_NE(p.Rot(), nullptr);
  EXPECT_EQ(p.Rot()->period(), 10);
  EXPECT_EQ(p.Scale(), p.TrafList()->GetTraf(3));
  EXPECT_EQ(p.Trans(), nullptr);
}

TEST(Animation, SettingAPropertyReplacesAtTheEnd) {
  TPolygon p;
  p.SetRot(Spinner(10));
  p.SetScale(std::make_unique<TScale>());
  p.SetTrans(Slider(1, 0, 10));
  ASSERT_EQ(p.TrafList()->Count(), 3);

  // A new rotation goes behind the scale and the translation that followed the old one.
  auto r = Spinner(20);
  TRotate* raw = r.get();
  p.SetRot(std::move(r));
  ASSERT_EQ(p.TrafList()->Count(), 3);
  EXPECT_EQ(p.Rot(), raw);
  EXPECT_EQ(p.TrafList()->GetTraf(0), p.Scale());
  EXPECT_EQ(p.TrafList()->GetTraf(1), p.Trans());
  EXPECT_EQ(p.TrafList()->GetTraf(2), raw);

  // Writing the transform already held changes nothing.
  p.SetScale(std::unique_ptr<TScale>(p.Scale()));
  EXPECT_EQ(p.TrafList()->Count(), 3);
  EXPECT_EQ(p.TrafList()->GetTraf(0), p.Scale());

  // Null removes and destroys the present one and adds nothing.
  p.SetTrans(nullptr);
  EXPECT_EQ(p.Trans(), nullptr);
  EXPECT_EQ(p.TrafList()->Count(), 2);
  p.SetTrans(nullptr);
  EXPECT_EQ(p.TrafList()->Count(), 2);
}

TEST(Animation, ReplacingARotationDestroysTheFormerOne) {
  // The property looks for rotations only, so a probe stands in the list beside a rotation and
  // the destruction is observed through a rotation subclass.
  struct TCountedRotate : TRotate {
    explicit TCountedRotate(bool* d) : destroyed(d) {}
    ~TCountedRotate() override { *destroyed = true; }
    bool* destroyed;
  };
  bool destroyed = false;
  TPolygon p;
  p.TrafList()->AddTraf(std::make_unique<TProbe>());
  p.SetRot(std::make_unique<TCountedRotate>(&destroyed));
  p.SetRot(Spinner(4));
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(p.TrafList()->Count(), 2);
}

TEST(Animation, APolygonTurnsPulsesAndSlidesTickByTick) {
  struct Step {
    double x, y;  // where corner (1, 0) goes
  };
  struct Case {
    const char* what;
    std::unique_ptr<TTransform> (*make)();
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"turn about the origin",
       [] { return std::unique_ptr<TTransform>(Spinner(4)); },
       {{0, 1}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}}},
      {"slide by (2, 0) and back",
       [] { return std::unique_ptr<TTransform>(Slider(2, 0, 4)); },
       {{2, 0}, {3, 0}, {2, 0}, {1, 0}, {2, 0}}},
      // Starts where the factor is 1 (the sine at -1, one tick before phase 0).
      {"pulse between 1 and 3 times about (0, 0), sine",
       [] {
         auto s = std::make_unique<TScale>();
         s->init(0, 0, 1, 1, 3, 3, 4);
         s->SetAniType(at_sinusoidal);
         return std::unique_ptr<TTransform>(std::move(s));
       },
       {{2, 0}, {3, 0}, {2, 0}, {1, 0}, {2, 0}}},
  };
  for (const Case& c : cases) {
    TDrawList maze;
    auto p = UnitSquare();
    p->TrafList()->AddTraf(c.make());
    TPolygon* poly = p.get();
    maze.AddPolygon(std::move(p));
    maze.reset();
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      maze.Execute(1);
      SCOPED_TRACE(testing::Message() << c.what << ", tick " << i);
      ExpectMapsTo(poly->matrix, 1, 0, c.steps[i].x, c.steps[i].y);
    }
    EXPECT_EQ(maze.matrix, tmat2d());  // the maze itself has no transforms
  }
}

TEST(Animation, TheOrderOfAttachingIsTheOrderOfActing) {
  // A quarter turn about the origin and a slide to (1, 0) on the first tick: turning first
  // takes (1, 0) to (0, 1) and then to (1, 1); sliding first takes it to (2, 0) and then to
  // (0, 2).
  for (bool turn_first : {true, false}) {
    TPolygon p;
    if (turn_first) {
      p.SetRot(Spinner(4));
      p.SetTrans(Slider(2, 0, 4));
    } else {
      p.SetTrans(Slider(2, 0, 4));
      p.SetRot(Spinner(4));
    }
    p.reset();
    p.Execute(1);
    if (turn_first) {
      ExpectMapsTo(p.matrix, 1, 0, 1, 1);
    } else {
      ExpectMapsTo(p.matrix, 1, 0, 0, 2);
    }
  }
}

TEST(Animation, ResetStartsTheSameMotionOver) {
  TDrawList maze;
  auto a = UnitSquare();
  a->SetRot(Spinner(7, 0.5, 0.5));
  auto s = std::make_unique<TScale>();
  s->init(0.5, 0.5, 0.5, 1, 1.5, 1, 9);
  a->SetScale(std::move(s));
  auto b = UnitSquare();
  b->SetTrans(Slider(0, 3, 5));
  TPolygon* pa = a.get();
  TPolygon* pb = b.get();
  maze.AddPolygon(std::move(a));
  maze.AddPolygon(std::move(b));

  std::vector<tmat2d> first, second;
  maze.reset();
  for (int i = 0; i < 30; ++i) {
    maze.Execute(1);
    first.push_back(pa->matrix);
    first.push_back(pb->matrix);
  }
  maze.reset();
  EXPECT_EQ(pa->matrix, tmat2d());
  EXPECT_EQ(pa->Rot()->a(), 0);
  for (int i = 0; i < 30; ++i) {
    maze.Execute(1);
    second.push_back(pa->matrix);
    second.push_back(pb->matrix);
  }
  EXPECT_EQ(first, second);
}

TEST(Animation, MarkersOfEveryTransformAreDrawnWithTheCornerHandles) {
  TFixedControl control(100, 100);
  TRecordingCanvas cv;
  auto p = UnitSquare();
  p->FColor = 0x123456;
  p->SetRot(Spinner(4, 10, 20));
  auto s = std::make_unique<TScale>();
  s->init(30, 40, 1, 1, 2, 2, 4);
  p->SetScale(std::move(s));
  p->Draw(control, cv, tmat2d(), 1, true);
  const auto ellipses = cv.CallsOf("Ellipse");
  ASSERT_EQ(ellipses.size(), 1u);
  EXPECT_EQ(ellipses[0].args, (std::vector<int>{7, 77, 14, 84}));
  EXPECT_EQ(ellipses[0].pen.Color, 0xFF0000);
  const std::string log = cv.Log();
  EXPECT_NE(log.find("MoveTo 27 57\nLineTo 34 64\nMoveTo 27 64\nLineTo 34 57\n"), std::string::npos)
      << log;
}

TEST(Animation, AnimatedPolygonRecordRoundTrips) {
  auto p = UnitSquare();
  p->SetRot(Spinner(40, 0.5, 0.5));
  p->SetTrans(Slider(1, 2, 60));
  p->TrafList()->AddScale(0.5, 0.5, 0.8, 0.8, 1.2, 1.2, 80);
  const std::string bytes = Record(*p);
  TTextReader r(bytes);
  ASSERT_EQ(r.ReadHeaderId(), 2);
  TPolygon back;
  ASSERT_TRUE(back.LoadFromF(r));
  ASSERT_EQ(back.TrafList()->Count(), 3);
  EXPECT_EQ(Record(back), bytes);
  p->reset();
  back.reset();
  for (int i = 0; i < 100; ++i) {
    p->Execute(1);
    back.Execute(1);
    ASSERT_EQ(back.matrix, p->matrix) << "tick " << i;
  }
}

}  // namespace
