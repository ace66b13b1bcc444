// Highlight colours, the view matrices for any play-field size, and the picture.
#include <cmath>

#include "colors.h"
#include "edit_fixture.h"

namespace {

TEST(HighlightColorTest, LightColoursDarkenDarkOnesLightenChannelsClampAndRoundToEven) {
  struct TCase {
    TColor c;
    double f;
    TColor expected;
  };
  const TCase cases[] = {
      {0xFFFFFF, 0.5, 0x808080},    // 255 - 127.5 = 127.5, rounded to the even 128
      {0x000000, 0.25, 0x404040},   // 63.75 rounds to 64
      {0xFFFF00, 0.25, 0xBFBF00},   // aqua: red clamps at 0, 191.25 rounds to 191
      {0x0000FF, 0.5, 0x000080},    // pure red counts as light: red halves, the others stay 0
      {0x808080, 0.25, 0xC0C0C0},   // 3 x 128² = 49152 is not above the limit: dark
      {clBtnFace, 0.25, 0xB0B0B0},  // a system colour: its colour (0xF0F0F0) is highlighted
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(HighlightColor(c.c, c.f), c.expected) << std::hex << c.c << " with " << c.f;
  }
}

using ViewTest = EditDocTest;

TEST_F(ViewTest, MatricesPutTheModelOriginMidFieldWithFivePointOneUnitsOnTheShorterSide) {
  Open(TwoCaves());
  surface.SetSize(1020, 510);
  doc.MakeViewMatrices();
  const double s = 510 / 5.1;
  EXPECT_DOUBLE_EQ(doc.M2I().mat[0][0], s);
  EXPECT_DOUBLE_EQ(doc.M2I().mat[1][1], s);
  EXPECT_DOUBLE_EQ(doc.M2I().mat[0][2], 510);
  EXPECT_DOUBLE_EQ(doc.M2I().mat[1][2], 255);
  EXPECT_DOUBLE_EQ(doc.I2M().mat[0][0], 1 / s);
  EXPECT_DOUBLE_EQ(doc.I2M().mat[0][2], -510 / s);
  EXPECT_DOUBLE_EQ(doc.I2M().mat[1][2], -255 / s);
  // The maze is drawn through the view.
  EXPECT_EQ(Maze(0).matrix, doc.M2I());
  const TDPoint o = doc.ImageToModel(510, 255);
  EXPECT_NEAR(o.x, 0, 1e-12);
  EXPECT_NEAR(o.y, 0, 1e-12);
  const TDPoint top = doc.ImageToModel(510, 510);
  EXPECT_NEAR(top.y, 2.55, 1e-12);
}

TEST_F(ViewTest, APlayFieldOfNoSizeStillGivesFiniteMatrices) {
  Open(TwoCaves());
  const int sizes[][2] = {{0, 0}, {1, 1}, {0, 500}, {300, 0}, {-5, 20}};
  for (const auto& size : sizes) {
    surface.SetSize(size[0], size[1]);
    doc.Redraw();
    for (const auto& row : doc.I2M().mat) {
      for (double v : row) EXPECT_TRUE(std::isfinite(v)) << size[0] << " x " << size[1];
    }
    for (const auto& row : doc.M2I().mat) {
      for (double v : row) EXPECT_TRUE(std::isfinite(v)) << size[0] << " x " << size[1];
    }
    // Commands that map through the view keep the maze finite as well.
    doc.NudgeSelection(1, 1, true);
    doc.sNewMazeClick();
    for (int i = 0; i < doc.Maze()->Count(); ++i) {
      const TPolygon* p = doc.Maze()->GetPolygon(i);
      for (int k = 0; k < p->Count(); ++k) {
        EXPECT_TRUE(std::isfinite(p->GetSide(k)->x()) && std::isfinite(p->GetSide(k)->y()));
      }
    }
  }
}

TEST_F(ViewTest, RedrawFillsTheFieldInTheBackgroundColourThenDrawsTheMazeWithHandles) {
  Open(TwoCaves());
  doc.cbackgroundChange(0x00123456);
  canvas.calls.clear();
  doc.Redraw();
  ASSERT_FALSE(canvas.calls.empty());
  const TCanvasCall& fill = canvas.calls.front();
  EXPECT_EQ(fill.Describe(), "FillRect 0 0 510 510");
  EXPECT_EQ(fill.brush.Color, 0x00123456);
  EXPECT_EQ(fill.brush.Style, bsSolid);
  // The maze's own background, then a handle on every corner of the three squares; the balls
  // have none.
  const std::vector<TCanvasCall> boxes = canvas.CallsOf("Rectangle");
  ASSERT_EQ(boxes.size(), 13u);
  EXPECT_EQ(boxes[0].Describe(), "Rectangle 0 0 510 510");
  EXPECT_EQ(boxes[0].brush.Color, 0x00123456);
  // The current polygon is drawn in its highlight, its first corner in the corner highlight.
  const std::vector<TCanvasCall> outlines = canvas.CallsOf("Polygon");
  ASSERT_GE(outlines.size(), 3u);
  EXPECT_EQ(outlines[0].pen.Color, HighlightColor(0x00FFFF00, 0.25));
  EXPECT_EQ(outlines[1].pen.Color, 0x00FFFF00);
  EXPECT_EQ(boxes[1].brush.Color, HighlightColor(HighlightColor(0x00FFFF00, 0.25), 0.5));
}

TEST_F(ViewTest, WithoutAMazeOnlyTheBackgroundIsDrawn) {
  Open(std::make_unique<TMazeList>());
  EXPECT_EQ(doc.Maze(), nullptr);
  canvas.calls.clear();
  doc.Redraw();
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].op, "FillRect");
  EXPECT_EQ(doc.Caption(), "Gravonaut 2.7 Edit");
}

}  // namespace
