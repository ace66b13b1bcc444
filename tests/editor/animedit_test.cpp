// The animation frames' rules without widgets: periods in seconds through the tick unit,
// decimal numbers read with the point, the fields' texts, and the document's frame edits with
// the steps they make.
#include <climits>
#include <numbers>

#include "edit_fixture.h"
#include "gx_animedit.h"

namespace {

TEST(PeriodTest, SecondsShownAndTicksSetFollowTheTickUnitWithHalvesToEven) {
  struct TCase {
    int ticks, unit, seconds;
  };
  const TCase shown[] = {
      {200, 50, 10},
      {150, 50, 8},   // 7.5 rounds to the even 8
      {250, 50, 12},  // 12.5 rounds to the even 12
      {0, 50, 1},     // a new rotation's period 0 shows the spin control's least value
      {200, 0, 10},   // a tick unit a file set to 0 or below counts as 50 ms
      {200, -20, 10},
      {1000000000, 1000, 32767},  // the spin control's greatest value
      {INT_MAX, INT_MAX, 32767},  // no overflow on the way
  };
  for (const TCase& c : shown) {
    EXPECT_EQ(PeriodSeconds(c.ticks, c.unit), c.seconds) << c.ticks << " ticks of " << c.unit;
  }
  const TCase set[] = {
      {60, 50, 3},         {200, 50, 10}, {333, 3, 1},  // 333.3
      {1, 2000, 1},                                     // 0.5 would round to 0: at least one tick
      {20, 50, 0},                                      // below 1 s: 1 s
      {655340, 50, 40000},                              // beyond 32767 s: 32767 s
      {60, 0, 3},          {60, -7, 3},
  };
  for (const TCase& c : set) {
    EXPECT_EQ(PeriodTicks(c.seconds, c.unit), c.ticks) << c.seconds << " s at " << c.unit;
  }
}

TEST(NumberTextTest, OnlyTextThatReadsCompletelyWithThePointIsANumber) {
  const std::pair<const char*, double> reads[] = {
      {"12.5", 12.5}, {" -3 ", -3}, {"+0.25", 0.25},    {".5", 0.5},
      {"5.", 5},      {"1e2", 100}, {"-1.5E-1", -0.15},
  };
  for (const auto& [text, value] : reads) {
    double v = -99;
    EXPECT_TRUE(ReadDecimal(text, v)) << text;
    EXPECT_DOUBLE_EQ(v, value) << text;
  }
  for (const char* text : {"12,", "12,5", "", " ", "abc", "1.2.3", "nan", "inf", "-inf", "0x10",
                           "1e999", "--1", "+-1", "1 2", "1e", ".", "-"}) {
    double v = -99;
    EXPECT_FALSE(ReadDecimal(text, v)) << "'" << text << "'";
    EXPECT_EQ(v, -99) << text;
  }
  int n = 0;
  EXPECT_TRUE(ReadWholeNumber(" 42 ", n));
  EXPECT_EQ(n, 42);
  EXPECT_TRUE(ReadWholeNumber("+7", n));
  EXPECT_EQ(n, 7);
  EXPECT_TRUE(ReadWholeNumber("-5", n));
  EXPECT_EQ(n, -5);
  for (const char* text : {"3.0", "", "x", "99999999999", "++1", "3 s"}) {
    EXPECT_FALSE(ReadWholeNumber(text, n)) << text;
  }
}

TEST(NumberTextTest, FixedFormatsRoundTheExactValueWithThePoint) {
  const std::tuple<double, int, const char*> cases[] = {
      {12.5, 1, "12.5"}, {0.25, 1, "0.2"},   {0.35, 1, "0.3"},  // 0.35 is a little below
      {1, 2, "1.00"},    {-0.5, 2, "-0.50"}, {7.5, 0, "8"},
      {2.5, 0, "2"},     {200, 0, "200"},    {0.30000000000000004, 1, "0.3"},
  };
  for (const auto& [v, d, text] : cases) EXPECT_EQ(FormatFixed(v, d), text) << v;
}

// A maze whose polygon 1 carries a rotation, a scale and a translation.
class FrameEditTest : public EditDocTest {
 protected:
  void SetUp() override {
    EditDocTest::SetUp();
    auto l = std::make_unique<TMazeList>();
    auto m = EmptyMaze("Anim");
    AddSquare(*m, -1, -1, 0.2);
    TPolygon* p = AddPolygon(*m, {{0, 0}, {0, 1}, {1, 1}, {2, 0}});
    auto r = std::make_unique<TRotate>();
    r->init(0, 0.5, 0.5, 200);
    rot = r.get();
    p->TrafList()->AddTraf(std::move(r));
    auto s = std::make_unique<TScale>();
    scale = s.get();
    p->TrafList()->AddTraf(std::move(s));
    auto t = std::make_unique<TTrans>();
    t->SetPeriod(150);
    trans = t.get();
    p->TrafList()->AddTraf(std::move(t));
    l->Add(std::move(m));
    Open(std::move(l));
    doc.SetPolygon(Maze(0).GetPolygon(1));
    doc.SetStepObserver(&recorder);
  }
  // The step names since the last call, each checked to touch exactly polygon 1 of maze 0.
  std::vector<std::string> Steps() {
    std::vector<std::string> names;
    for (const TEditStepInfo& s : recorder.steps) {
      names.push_back(s.name);
      EXPECT_EQ(s.touches, std::vector<TTouched>{TTouched::Of(TTouch::Polygon, 0, 1)}) << s.name;
    }
    recorder.steps.clear();
    return names;
  }
  struct TRecorder : TEditStepObserver {
    void StepBegin(TEditDocument&, const TEditStepInfo&) override {}
    void StepEnd(TEditDocument&, const TEditStepInfo& s) override { steps.push_back(s); }
    std::vector<TEditStepInfo> steps;
  } recorder;
  using V = std::vector<std::string>;
  TRotate* rot = nullptr;
  TScale* scale = nullptr;
  TTrans* trans = nullptr;
};

TEST_F(FrameEditTest, FieldsShowTheirValuesInTheirFormats) {
  rot->SetA1(0.5);
  rot->SetA2(-std::numbers::pi);
  scale->SetSx2(1.255);
  trans->x1 = -0.2;
  const std::pair<TTrafField, const char*> rot_texts[] = {
      {TTrafField::Period, "10"}, {TTrafField::a1, "28.6"}, {TTrafField::a2, "-180.0"}};
  for (const auto& [f, text] : rot_texts) EXPECT_EQ(doc.TrafFieldText(*rot, f), text);
  EXPECT_EQ(doc.TrafFieldText(*scale, TTrafField::sx1), "1.00");
  EXPECT_EQ(doc.TrafFieldText(*scale, TTrafField::sx2), "1.25");  // 1.255 is a little below
  EXPECT_EQ(doc.TrafFieldText(*trans, TTrafField::Period), "8");
  EXPECT_EQ(doc.TrafFieldText(*trans, TTrafField::dx), "-0.20");
  EXPECT_EQ(doc.TrafFieldText(*trans, TTrafField::a1), "");  // not a translation's field
  EXPECT_TRUE(Steps().empty());                              // reading is no edit
}

TEST_F(FrameEditTest, EachTypedFieldThatReadsIsOneStepAndTheRestChangeNothing) {
  struct TCase {
    TTransform* t;
    TTrafField f;
    const char* text;
    bool reads;
    const char* step;  // nullptr: the value stays as it is
    std::function<double()> value;
    double expected;
  };
  const double before_a1 = rot->a1();
  const TCase cases[] = {
      {rot, TTrafField::a1, "12.5", true, "Swing Angle", [&] { return rot->a1(); },
       12.5 * std::numbers::pi / 180},
      {rot, TTrafField::a1, "12,", false, nullptr, [&] { return rot->a1(); },
       12.5 * std::numbers::pi / 180},
      {rot, TTrafField::a2, "-45", true, "Swing Angle", [&] { return rot->a2(); },
       -45 * std::numbers::pi / 180},
      // Numbers, but infinite in radians: the matrix would turn to NaN.
      {rot, TTrafField::a1, "1e308", false, nullptr, [&] { return rot->a1(); },
       12.5 * std::numbers::pi / 180},
      {rot, TTrafField::a2, "-1.7e308", false, nullptr, [&] { return rot->a2(); },
       -45 * std::numbers::pi / 180},
      {scale, TTrafField::sx1, "0.5", true, "Scale Factor", [&] { return scale->Fsx1; }, 0.5},
      {scale, TTrafField::sy2, "2", true, "Scale Factor", [&] { return scale->Fsy2; }, 2},
      {scale, TTrafField::sy2, "2.0", true, nullptr, [&] { return scale->Fsy2; }, 2},
      {scale, TTrafField::sx2, "", false, nullptr, [&] { return scale->Fsx2; }, 1},
      {trans, TTrafField::dx, "0.75", true, "Displacement", [&] { return trans->x1; }, 0.75},
      {trans, TTrafField::dy, "-1e-1", true, "Displacement", [&] { return trans->y1; }, -0.1},
      {trans, TTrafField::dy, "abc", false, nullptr, [&] { return trans->y1; }, -0.1},
      {trans, TTrafField::Period, "3", true, "Period",
       [&] { return static_cast<double>(trans->period()); }, 60},
      {trans, TTrafField::Period, "0", false, nullptr,
       [&] { return static_cast<double>(trans->period()); }, 60},
      {trans, TTrafField::Period, "40000", false, nullptr,
       [&] { return static_cast<double>(trans->period()); }, 60},
      {trans, TTrafField::Period, "2.5", false, nullptr,
       [&] { return static_cast<double>(trans->period()); }, 60},
      {trans, TTrafField::sx1, "3", false, nullptr, [&] { return scale->Fsx1; }, 0.5},
  };
  EXPECT_NE(before_a1, cases[0].expected);
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " into field " + std::to_string(static_cast<int>(c.f)));
    EXPECT_EQ(doc.TrafFieldEdit(c.t, c.f, c.text), c.reads);
    EXPECT_EQ(c.value(), c.expected);
    EXPECT_EQ(Steps(), c.step ? V{c.step} : V{});
  }
}

TEST_F(FrameEditTest, PeriodKindSwingDirectionAndCenterAreStepsOnlyWhenTheyChangeSomething) {
  doc.SetTrafPeriodSeconds(rot, 3);
  EXPECT_EQ(rot->period(), 60);
  doc.SetTrafPeriodSeconds(rot, 3);
  EXPECT_EQ(Steps(), V{"Period"});

  doc.SetTrafSinusoidal(rot, true);
  EXPECT_EQ(rot->AniType(), at_sinusoidal);
  doc.SetTrafSinusoidal(rot, true);
  EXPECT_EQ(Steps(), V{"Time Path Kind"});

  doc.SetTrafSwing(rot, true);
  EXPECT_TRUE(rot->Swing());
  ASSERT_EQ(rot->flinear->Count(), 3);  // the default swing path
  EXPECT_EQ(rot->flinear->GetSide(1)->x(), 0.5);
  doc.SetRotCw(rot, true);
  EXPECT_TRUE(rot->cw());
  EXPECT_EQ(Steps(), (V{"Swing", "Rotation Direction"}));

  doc.CenterTraf(trans);  // the mean of (0,0) (0,1) (1,1) (2,0)
  EXPECT_EQ(trans->refpt.x, 0.75);
  EXPECT_EQ(trans->refpt.y, 0.5);
  doc.CenterTraf(trans);
  EXPECT_EQ(Steps(), V{"Center"});
}

TEST_F(FrameEditTest, TheMazesTickUnitConvertsAndOneAFileSetTo0CountsAs50Ms) {
  for (int unit : {0, -5}) {
    Maze(0).SetTickUnit(unit);
    EXPECT_EQ(doc.TrafPeriodSeconds(*rot), 10);
    EXPECT_TRUE(doc.TrafFieldEdit(rot, TTrafField::Period, "4"));
    EXPECT_EQ(rot->period(), 80);
    doc.SetTrafPeriodSeconds(rot, 10);
  }
  Maze(0).SetTickUnit(100);
  EXPECT_TRUE(doc.TrafFieldEdit(rot, TTrafField::Period, "4"));
  EXPECT_EQ(rot->period(), 40);
  doc.SetTrafPeriodSeconds(rot, 0);  // the spin control's range: 1 .. 32767 s
  EXPECT_EQ(rot->period(), 10);
  doc.SetTrafPeriodSeconds(rot, 99999);
  EXPECT_EQ(rot->period(), 327670);
}

TEST_F(FrameEditTest, ATransformNoPolygonOfTheMazeCarriesIsLeftAlone) {
  TRotate stray;
  stray.SetPeriod(200);
  doc.SetTrafPeriodSeconds(&stray, 3);
  EXPECT_TRUE(doc.TrafFieldEdit(&stray, TTrafField::a1, "10"));  // it reads, but goes nowhere
  doc.CenterTraf(&stray);
  doc.SetTrafSwing(&stray, true);
  EXPECT_EQ(doc.InsertTimePathCorner(&stray, TDRect{0.2, 0.3, 0.2, 0.3}), -1);
  EXPECT_EQ(stray.period(), 200);
  EXPECT_EQ(stray.a1(), 0);
  EXPECT_FALSE(stray.Swing());
  EXPECT_EQ(stray.flinear->Count(), 2);
  EXPECT_TRUE(Steps().empty());
  EXPECT_FALSE(doc.TrafFieldEdit(nullptr, TTrafField::a1, "10"));
}

}  // namespace
