// The time-path editor without its dialog: the plot and its labels, picking, inserting and
// dragging corners with the clamping in time and value, and a drawn path surviving a write
// and a read of the collection.
#include <cmath>
#include <map>

#include "edit_fixture.h"
#include "gx_timepath.h"

namespace {

// A 520 x 250 client: the plot runs from x 40 to 500 (460 pixels) and from y 210 (value 0) up
// to 10 (value 1), 200 pixels.
constexpr int kW = 520;
constexpr int kH = 250;

class TimePathTest : public EditDocTest {
 protected:
  void SetUp() override {
    EditDocTest::SetUp();
    auto l = std::make_unique<TMazeList>();
    auto m = EmptyMaze("Paths");
    TPolygon* p = AddSquare(*m, 0, 0, 0.5);
    auto s = std::make_unique<TScale>();  // the swing path (0,0) (0.5,1) (1,0)
    s->SetPeriod(200);
    scale = s.get();
    p->TrafList()->AddTraf(std::move(s));
    auto t = std::make_unique<TTrans>();
    t->SetPeriod(120);
    trans = t.get();
    p->TrafList()->AddTraf(std::move(t));
    l->Add(std::move(m));
    Open(std::move(l));
    editor.SetTraf(scale);
    editor.Paint(plot, kW, kH);
    plot.calls.clear();
  }
  std::vector<std::pair<double, double>> Corners(const TTransform& t) const {
    std::vector<std::pair<double, double>> c;
    for (int i = 0; i < t.flinear->Count(); ++i) {
      c.emplace_back(t.flinear->GetSide(i)->x(), t.flinear->GetSide(i)->y());
    }
    return c;
  }
  // A press, moves and a release at pixels, as the dialog hands them on.
  void Drag(int x0, int y0, std::initializer_list<std::pair<int, int>> moves, int x1, int y1) {
    editor.MouseDown(plot, kW, kH, x0, y0);
    for (auto [x, y] : moves) editor.MouseMove(plot, x, y);
    editor.MouseUp(plot, x1, y1);
  }

  TRecordingCanvas plot;
  TTimePathEditor editor{doc};
  TScale* scale = nullptr;
  TTrans* trans = nullptr;
};

TEST_F(TimePathTest, ThePlotLabelsTimeFromThePeriodAndValuesFrom0To1) {
  editor.Paint(plot, kW, kH);
  std::vector<std::string> texts;
  for (const TCanvasCall& c : plot.CallsOf("TextOut")) texts.push_back(c.text);
  const std::vector<std::string> expected = {"0",   "0.0", "20",  "0.1", "40",  "0.2", "60",  "0.3",
                                             "80",  "0.4", "100", "0.5", "120", "0.6", "140", "0.7",
                                             "160", "0.8", "180", "0.9", "200", "1.0"};
  EXPECT_EQ(texts, expected);
  // "100" under the middle tick (x 270), its top 8 pixels below the axis; "0.5" right-aligned
  // 8 pixels left of the axis and centred on its tick (y 110).
  const auto texts_at = plot.CallsOf("TextOut");
  EXPECT_EQ(texts_at[10].args, (std::vector<int>{270 - 21 / 2, 218}));
  EXPECT_EQ(texts_at[11].args, (std::vector<int>{40 - 8 - 21, 110 - 13 / 2}));
  for (const TCanvasCall& c : texts_at) {
    EXPECT_EQ(c.brush.Style, bsClear);
    EXPECT_EQ(c.font.Color, clBlack);
  }
  // Long ticks at 0, 0.5 and 1.
  const std::string log = plot.Log();
  EXPECT_NE(log.find("MoveTo 270 210\nLineTo 270 218"), std::string::npos) << log;
  EXPECT_NE(log.find("MoveTo 316 210\nLineTo 316 214"), std::string::npos);
  EXPECT_NE(log.find("MoveTo 40 110\nLineTo 32 110"), std::string::npos);
  EXPECT_NE(log.find("MoveTo 40 30\nLineTo 36 30"), std::string::npos);
  // The path in blue through the corners, and a navy square on each.
  EXPECT_NE(log.find("MoveTo 40 210\nLineTo 270 10\nLineTo 500 210"), std::string::npos);
  const auto marks = plot.CallsOf("Rectangle");
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[1].args, (std::vector<int>{269, 9, 272, 12}));
  EXPECT_EQ(marks[1].pen.Color, 0x800000);
  EXPECT_EQ(marks[1].brush.Color, 0x800000);
  for (const TCanvasCall& c : plot.CallsOf("LineTo")) {
    if (c.args == std::vector<int>{270, 10}) {
      EXPECT_EQ(c.pen.Color, 0xFF0000);
    }
  }
}

TEST_F(TimePathTest, PressingTheFirstOrLastCornerOrEmptySpaceDoesNothing) {
  const auto before = Corners(*scale);
  for (auto [x, y] : {std::pair{40, 210}, {500, 210}, {41, 209}, {300, 200}, {5, 5}}) {
    editor.MouseDown(plot, kW, kH, x, y);
    EXPECT_FALSE(editor.Dragging()) << x << "," << y;
    editor.MouseUp(plot, x + 30, y - 30);
  }
  EXPECT_EQ(Corners(*scale), before);
  EXPECT_EQ(doc.StepCount(), 0);
  EXPECT_FALSE(editor.Changed());
  EXPECT_TRUE(plot.calls.empty());  // no preview was drawn
}

TEST_F(TimePathTest, APressOnASegmentInsertsACornerThereAndDragsIt) {
  // The middle of the rising segment, (0.25, 0.5), is pixel (155, 110).
  EXPECT_TRUE(editor.MouseDown(plot, kW, kH, 155, 110));
  ASSERT_TRUE(editor.Dragging());
  EXPECT_EQ(editor.DragIndex(), 1);
  ASSERT_EQ(scale->flinear->Count(), 4);
  EXPECT_NEAR(scale->flinear->GetSide(1)->x(), 0.25, 0.01);
  EXPECT_NEAR(scale->flinear->GetSide(1)->y(), 0.5, 0.01);
  EXPECT_EQ(doc.LastStep().name, "Insert Time Path Corner");
  EXPECT_TRUE(editor.Changed());
  // The preview: neighbour, corner, neighbour, in XOR.
  const auto lines = plot.CallsOf("LineTo");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].pen.Mode, TPenMode::pmXor);
  EXPECT_EQ(lines[0].pen.Color, 0xFF0000);
  EXPECT_EQ(lines[1].args, (std::vector<int>{270, 10}));
  // Released where it was pressed, the corner takes the point of that pixel.
  editor.MouseUp(plot, 155, 110);
  EXPECT_EQ(scale->flinear->Count(), 4);
  EXPECT_DOUBLE_EQ(scale->flinear->GetSide(1)->x(), 0.25);
  EXPECT_DOUBLE_EQ(scale->flinear->GetSide(1)->y(), 0.5);
  EXPECT_FALSE(editor.Dragging());
}

TEST_F(TimePathTest, ADragStopsAtTheNeighboursTimesAndAtValues1And0) {
  struct TCase {
    const char* what;
    int x, y;  // where the mouse is let go
    double cx, cy;
  };
  const TCase cases[] = {
      {"right of the right neighbour, above the plot", 700, -50, 1.0, 1.0},
      {"left of the left neighbour, below the plot", -20, 400, 0.0, 0.0},
      {"inside", 155, 60, 115.0 / 460, 0.75},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    editor.SetTraf(scale);
    scale->SetSwing(true);  // (0,0) (0.5,1) (1,0)
    Drag(270, 10, {{c.x, c.y}}, c.x, c.y);
    ASSERT_EQ(scale->flinear->Count(), 3);
    EXPECT_DOUBLE_EQ(scale->flinear->GetSide(1)->x(), c.cx);
    EXPECT_DOUBLE_EQ(scale->flinear->GetSide(1)->y(), c.cy);
    EXPECT_EQ(doc.LastStep().name, "Move Time Path Corner");
  }
  // The preview followed the clamped point and every line drawn was erased again.
  const auto xor_lines = plot.CallsOf("LineTo");
  ASSERT_EQ(xor_lines.size() % 4, 0u);
  std::map<std::vector<int>, int> drawn;
  for (const TCanvasCall& c : xor_lines) {
    if (c.pen.Mode == TPenMode::pmXor) ++drawn[c.args];
  }
  EXPECT_EQ(drawn[(std::vector<int>{500, 10})], 2);  // the first case's clamped point
  for (const auto& [at, n] : drawn) EXPECT_EQ(n % 2, 0) << at[0] << "," << at[1];
  EXPECT_TRUE(plot.CallsOf("MoveTo").size() >= 3);
}

// Released on the plot's top or bottom pixel row (or beyond it), at any plot height, the corner
// gets the value 1 or 0 exactly, not a unit in the last place off it.
TEST_F(TimePathTest, ACornerLetGoOnTheTopOrBottomRowGetsExactly1Or0) {
  int inexact = 0;  // heights whose matrix misses a row's value: the cases that matter
  for (int h = 60; h <= 1200; h += 7) {
    const int bottom = h - TTimePathEditor::kBottomGap;
    for (const auto& [y, value] :
         {std::pair{bottom, 0.0}, {TTimePathEditor::kTop, 1.0}, {bottom + 25, 0.0}, {-5, 1.0}}) {
      SCOPED_TRACE("height " + std::to_string(h) + ", released at row " + std::to_string(y));
      scale->SetSwing(true);  // (0,0) (0.5,1) (1,0)
      editor.SetTraf(scale);
      editor.MakeMatrices(kW, h);
      const TDPoint corner = editor.ToScreen(0.5, 1);
      const bool on_a_row = y == bottom || y == TTimePathEditor::kTop;
      if (on_a_row && editor.ToPath(corner.x, y).y != value) ++inexact;
      editor.MouseDown(plot, kW, h, RoundToInt(corner.x), RoundToInt(corner.y));
      ASSERT_EQ(editor.DragIndex(), 1);
      editor.MouseUp(plot, RoundToInt(corner.x), y);
      EXPECT_EQ(scale->flinear->GetSide(1)->y(), value);
    }
  }
  EXPECT_GT(inexact, 0);
}

TEST_F(TimePathTest, AnInsertedCornerCannotPassTheCornerInsertedBesideIt) {
  Drag(155, 110, {}, 155, 110);  // (0.25, 0.5)
  Drag(385, 110, {}, 385, 110);  // (0.75, 0.5) on the falling segment
  ASSERT_EQ(scale->flinear->Count(), 5);
  Drag(155, 110, {{450, 150}}, 450, 150);  // past the peak at 0.5: stops there
  EXPECT_DOUBLE_EQ(scale->flinear->GetSide(1)->x(), 0.5);
  EXPECT_DOUBLE_EQ(scale->flinear->GetSide(1)->y(), 0.3);
  double last = -1;
  for (const auto& [x, y] : Corners(*scale)) {
    EXPECT_GE(x, last);
    EXPECT_GE(y, 0);
    EXPECT_LE(y, 1);
    last = x;
  }
  EXPECT_EQ(Corners(*scale).front(), (std::pair<double, double>{0, 0}));
  EXPECT_EQ(Corners(*scale).back(), (std::pair<double, double>{1, 0}));
}

TEST_F(TimePathTest, ASqueezedPlotStillPaintsAndPicksWithoutDividingByZero) {
  for (auto [w, h] : {std::pair{0, 0}, {30, 20}, {60, 50}}) {
    editor.Paint(plot, w, h);
    editor.MouseDown(plot, w, h, w / 2, h / 2);
    editor.MouseUp(plot, w, 0);
    for (const auto& row : editor.I2M().mat) {
      for (double v : row) EXPECT_TRUE(std::isfinite(v)) << w << "x" << h;
    }
  }
  for (const auto& [x, y] : Corners(*scale)) {
    EXPECT_TRUE(x >= 0 && x <= 1 && y >= 0 && y <= 1);
  }
}

TEST_F(TimePathTest, PathsDrawnForAScaleAndATranslationSurviveWritingAndReading) {
  scale->SetAniType(at_linear);
  trans->SetAniType(at_linear);
  Drag(155, 110, {{120, 40}}, 120, 40);    // a quick rise ...
  Drag(385, 110, {{420, 180}}, 420, 180);  // ... and a slow fall
  editor.SetTraf(trans);
  Drag(270, 10, {{200, 60}}, 200, 60);
  Drag(120, 135, {{120, 170}}, 120, 170);  // on the new rising segment
  const auto scale_path = Corners(*scale);
  const auto trans_path = Corners(*trans);
  ASSERT_EQ(scale_path.size(), 5u);
  ASSERT_EQ(trans_path.size(), 4u);

  const std::string written = doc.CleanCollection();
  TTextReader r(written);
  r.ReadLn();
  TMazeList copy;
  copy.LoadFromF(r);
  TTrafList& read = *copy.GetMaze(0)->GetPolygon(0)->TrafList();
  ASSERT_EQ(read.Count(), 2);
  const auto near = [](const auto& a, const auto& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
      EXPECT_NEAR(a[i].first, b[i].first, 1e-14) << i;
      EXPECT_NEAR(a[i].second, b[i].second, 1e-14) << i;
    }
  };
  near(Corners(*read.GetTraf(0)), scale_path);
  near(Corners(*read.GetTraf(1)), trans_path);
  EXPECT_TRUE(read.GetTraf(0)->Swing());
  EXPECT_EQ(read.GetTraf(1)->AniType(), at_linear);
  EXPECT_EQ(CollectionBytes(copy), written);
}

}  // namespace
