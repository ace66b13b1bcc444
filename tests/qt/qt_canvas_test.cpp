// Pixels painted by the Qt canvas: GDI geometry, pen modes, brushes, text, copies, clipping.
#include "qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "colors.h"
#include "recording_canvas.h"

namespace {

constexpr TColor kPaper = 0x00C0C0C0;  // light grey background
constexpr TColor kInk = 0x00203040;
constexpr TColor kFill = 0x0000A000;

class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() : cv(40, 30, kPaper) {}

  // How many pixels of rectangle [x1, x2) x [y1, y2) have colour c.
  int Count(TColor c, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = y1; y < y2; ++y) {
      for (int x = x1; x < x2; ++x) n += cv.GetPixel(x, y) == c ? 1 : 0;
    }
    return n;
  }
  int CountAll(TColor c) { return Count(c, 0, 0, cv.Width(), cv.Height()); }

  // Every pixel of the image, row by row.
  std::vector<TColor> Pixels() {
    std::vector<TColor> out;
    for (int y = 0; y < cv.Height(); ++y) {
      for (int x = 0; x < cv.Width(); ++x) out.push_back(cv.GetPixel(x, y));
    }
    return out;
  }

  // A busy background, so that XOR and copies are tested against more than one colour.
  void Noise() {
    for (int y = 0; y < cv.Height(); ++y) {
      for (int x = 0; x < cv.Width(); ++x) {
        cv.SetPixel(x, y, static_cast<TColor>((x * 37 + y * 101) * 2654435761u & 0xFFFFFF));
      }
    }
  }

  void Ink(int width = 1) {
    cv.Pen = TPen{kInk, width, TPenStyle::psSolid, TPenMode::pmCopy};
    cv.Brush = TBrush{kFill, bsSolid};
  }

  TQtCanvas cv;
};

TEST_F(QtCanvasTest, PixelColoursKeepRedInTheLowestByte) {
  cv.SetPixel(1, 1, 0x000000FF);
  cv.SetPixel(2, 1, 0x0000FF00);
  cv.SetPixel(3, 1, 0x00FF0000);
  EXPECT_EQ(cv.Image().pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(cv.Image().pixel(2, 1), qRgb(0, 255, 0));
  EXPECT_EQ(cv.Image().pixel(3, 1), qRgb(0, 0, 255));
  cv.Image().setPixel(4, 1, qRgb(0x12, 0x34, 0x56));
  EXPECT_EQ(cv.GetPixel(4, 1), 0x00563412);
  // A system colour is drawn as its table value, not as the bits of its index.
  cv.SetPixel(5, 1, clBtnFace);
  EXPECT_EQ(cv.GetPixel(5, 1), ColorToRGB(clBtnFace));
}

TEST_F(QtCanvasTest, PixelsOutsideTheImageAreIgnored) {
  const std::vector<TColor> before = Pixels();
  for (auto [x, y] :
       std::vector<std::pair<int, int>>{{-1, 0}, {0, -1}, {40, 0}, {0, 30}, {INT_MIN, INT_MAX}}) {
    cv.SetPixel(x, y, kInk);
    EXPECT_EQ(cv.GetPixel(x, y), -1) << x << ',' << y;
  }
  EXPECT_EQ(Pixels(), before);
}

TEST_F(QtCanvasTest, FilledPolygonHasOutlineFillAndNothingOutside) {
  Ink();
  cv.Polygon({{5, 5}, {25, 5}, {25, 20}, {5, 20}});
  EXPECT_EQ(cv.GetPixel(15, 12), kFill);  // inside
  EXPECT_EQ(cv.GetPixel(6, 6), kFill);
  for (auto [x, y] : std::vector<std::pair<int, int>>{
           {5, 5}, {25, 5}, {25, 20}, {5, 20}, {15, 5}, {25, 12}, {15, 20}, {5, 12}}) {
    EXPECT_EQ(cv.GetPixel(x, y), kInk) << "outline at " << x << ',' << y;
  }
  // Nothing beyond the outline.
  EXPECT_EQ(Count(kPaper, 0, 0, 40, 5), 40 * 5);
  EXPECT_EQ(Count(kPaper, 0, 21, 40, 30), 40 * 9);
  EXPECT_EQ(Count(kPaper, 26, 0, 40, 30), 14 * 30);
  EXPECT_EQ(Count(kPaper, 0, 0, 5, 30), 5 * 30);
  EXPECT_EQ(Count(kInk, 0, 0, 40, 30), 2 * 21 + 2 * 14);
}

TEST_F(QtCanvasTest, PolygonFillUsesTheOddEvenRule) {
  // A five-pointed star: the pentagon in its middle is crossed twice and stays unfilled.
  cv.Pen.Style = TPenStyle::psClear;
  cv.Brush = TBrush{kFill, bsSolid};
  cv.Polygon({{20, 1}, {31, 28}, {3, 11}, {37, 11}, {9, 28}});
  EXPECT_EQ(cv.GetPixel(20, 16), kPaper);  // centre
  EXPECT_EQ(cv.GetPixel(20, 5), kFill);    // top point
}

TEST_F(QtCanvasTest, ClearBrushAndClearPenLeaveTheirPartUnpainted) {
  Ink();
  cv.Brush.Style = bsClear;
  cv.Polygon({{5, 5}, {25, 5}, {25, 20}, {5, 20}});
  EXPECT_EQ(cv.GetPixel(15, 12), kPaper);
  EXPECT_EQ(cv.GetPixel(15, 5), kInk);

  cv.Pen.Style = TPenStyle::psClear;
  cv.Brush.Style = bsSolid;
  cv.Rectangle(30, 2, 35, 7);
  EXPECT_EQ(Count(kFill, 30, 2, 35, 7), 25);  // without an outline the fill covers the box
  EXPECT_EQ(Count(kInk, 30, 2, 35, 7), 0);
}

TEST_F(QtCanvasTest, RectangleAndFillRectExcludeRightAndBottomEdges) {
  struct Case {
    const char* what;
    int x1, y1, x2, y2;
    bool fillRect;
  };
  const Case cases[] = {
      {"Rectangle", 4, 3, 14, 11, false},
      {"Rectangle, corners swapped", 14, 11, 4, 3, false},
      {"FillRect", 4, 3, 14, 11, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cv.Brush = TBrush{kPaper, bsSolid};
    cv.FillRect({0, 0, 40, 30});
    Ink();
    if (c.fillRect) {
      cv.FillRect({c.x1, c.y1, c.x2, c.y2});
    } else {
      cv.Rectangle(c.x1, c.y1, c.x2, c.y2);
    }
    // The box covers columns 4..13 and rows 3..10.
    EXPECT_EQ(Count(kPaper, 4, 3, 14, 11), 0);
    EXPECT_EQ(Count(kPaper, 14, 0, 15, 30), 30);  // column x2
    EXPECT_EQ(Count(kPaper, 0, 11, 40, 12), 40);  // row y2
    EXPECT_EQ(Count(kPaper, 3, 0, 4, 30), 30);
    EXPECT_EQ(Count(kPaper, 0, 2, 40, 3), 40);
    const TColor edge = c.fillRect ? kFill : kInk;
    EXPECT_EQ(cv.GetPixel(13, 10), edge);
    EXPECT_EQ(cv.GetPixel(4, 3), edge);
    EXPECT_EQ(cv.GetPixel(8, 7), kFill);
  }
}

TEST_F(QtCanvasTest, EmptyBoxesDrawNothing) {
  Ink();
  cv.Rectangle(5, 5, 5, 10);
  cv.Rectangle(5, 5, 10, 5);
  cv.FillRect({10, 10, 5, 20});  // inverted: FillRect paints nothing
  cv.Ellipse(3, 3, 3, 9);
  EXPECT_EQ(CountAll(kPaper), 40 * 30);
}

TEST_F(QtCanvasTest, LineToLeavesOutItsEndPixelAndMovesThePen) {
  struct Case {
    int x1, y1, x2, y2;
  };
  const Case cases[] = {{2, 2, 12, 2}, {12, 4, 2, 4},  {3, 6, 3, 16},
                        {5, 16, 5, 6}, {8, 8, 18, 18}, {30, 5, 20, 25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x1 << ',' << c.y1 << " -> " << c.x2 << ',' << c.y2);
    cv.Brush = TBrush{kPaper, bsSolid};
    cv.FillRect({0, 0, 40, 30});
    Ink();
    cv.MoveTo(c.x1, c.y1);
    cv.LineTo(c.x2, c.y2);
    EXPECT_EQ(cv.GetPixel(c.x1, c.y1), kInk);
    EXPECT_EQ(cv.GetPixel(c.x2, c.y2), kPaper);
    const int length = std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1));
    EXPECT_EQ(CountAll(kInk), length);
  }
  // The pen stays at the end of the last line: a chain of LineTo draws each pixel once.
  cv.Brush = TBrush{kPaper, bsSolid};
  cv.FillRect({0, 0, 40, 30});
  cv.MoveTo(2, 2);
  cv.LineTo(10, 2);
  cv.LineTo(10, 9);
  EXPECT_EQ(cv.GetPixel(10, 2), kInk);
  EXPECT_EQ(cv.GetPixel(10, 9), kPaper);
  EXPECT_EQ(CountAll(kInk), 8 + 7);
}

TEST(QtCanvasLines, ClippedLinesKeepThePixelsTheyHaveOnALargerImage) {
  // Lines from far outside a small image must show exactly the part that a large image, which
  // holds them whole, shows in the same place.
  constexpr int kOff = 200;
  const int lines[][4] = {{-150, -100, 60, 50}, {60, 50, -150, -100}, {-20, 10, 90, 12},
                          {90, 12, -20, 10},    {17, -190, 3, 220},   {3, 220, 17, -190},
                          {-77, 123, 139, -61}, {139, -61, -77, 123}, {-5, -5, 45, 35},
                          {45, 35, -5, -5},     {39, -3, 39, 31},     {-199, 29, 199, 0}};
  for (const auto& l : lines) {
    SCOPED_TRACE(::testing::Message() << l[0] << ',' << l[1] << " -> " << l[2] << ',' << l[3]);
    for (TPenMode mode : {TPenMode::pmCopy, TPenMode::pmXor}) {
      TQtCanvas small(40, 30, clWhite);
      TQtCanvas large(40 + 2 * kOff, 30 + 2 * kOff, clWhite);
      for (TQtCanvas* cv : {&small, &large}) {
        const int o = cv == &large ? kOff : 0;
        cv->Pen = TPen{0x00FF00FF, 1, TPenStyle::psSolid, mode};
        cv->MoveTo(l[0] + o, l[1] + o);
        cv->LineTo(l[2] + o, l[3] + o);
      }
      int drawn = 0;
      for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
          ASSERT_EQ(small.GetPixel(x, y), large.GetPixel(x + kOff, y + kOff)) << x << ',' << y;
          drawn += small.GetPixel(x, y) != clWhite;
        }
      }
      EXPECT_GT(drawn, 0);
      // The whole line: one pixel per step along its longer axis, the end left out.
      int total = 0;
      for (int y = 0; y < large.Height(); ++y) {
        for (int x = 0; x < large.Width(); ++x) total += large.GetPixel(x, y) != clWhite;
      }
      EXPECT_EQ(total, std::max(std::abs(l[2] - l[0]), std::abs(l[3] - l[1])));
    }
  }
}

TEST_F(QtCanvasTest, PenWidthZeroAndOneDrawTheSamePixels) {
  auto draw = [&](int width) {
    cv.Brush = TBrush{kPaper, bsSolid};
    cv.FillRect({0, 0, 40, 30});
    Ink(width);
    cv.Brush.Style = bsClear;
    cv.Polygon({{3, 3}, {30, 7}, {12, 25}});
    cv.Ellipse(20, 2, 38, 14);
    cv.MoveTo(1, 28);
    cv.LineTo(39, 20);
    return Pixels();
  };
  const auto zero = draw(0);
  EXPECT_EQ(draw(1), zero);
  // And a wider pen covers more.
  const auto three = draw(3);
  EXPECT_GT(std::count(three.begin(), three.end(), kInk),
            std::count(zero.begin(), zero.end(), kInk));
}

TEST_F(QtCanvasTest, XorModesRestoreThePictureWhenDrawnTwice) {
  for (TPenMode mode : {TPenMode::pmXor, TPenMode::pmNotXor}) {
    for (int width : {1, 3}) {
      SCOPED_TRACE(::testing::Message() << "mode " << static_cast<int>(mode) << " width " << width);
      Noise();
      const std::vector<TColor> before = Pixels();
      cv.Pen = TPen{0x00FF80FF, width, TPenStyle::psSolid, mode};
      cv.Brush = TBrush{0x0055AA33, bsDiagCross};
      auto draw = [&] {
        cv.MoveTo(-5, 3);
        cv.LineTo(45, 20);
        cv.Polyline({{2, 2}, {20, 2}, {20, 15}, {5, 25}});
        cv.Polygon({{8, 4}, {33, 9}, {14, 26}});
        cv.Rectangle(25, 12, 39, 29);
        cv.Ellipse(1, 28, 17, 14);
      };
      draw();
      EXPECT_NE(Pixels(), before);
      draw();
      EXPECT_EQ(Pixels(), before);
    }
  }
}

TEST_F(QtCanvasTest, XorOutlineTouchesEveryPixelOnce) {
  // White XOR on white gives black: a pixel drawn twice would turn back to white, leaving a
  // gap at the corners of a rubber band.
  cv.Brush = TBrush{clWhite, bsSolid};
  cv.FillRect({0, 0, 40, 30});
  cv.Pen = TPen{clWhite, 1, TPenStyle::psSolid, TPenMode::pmXor};
  cv.Brush.Style = bsClear;
  cv.Polygon({{5, 5}, {25, 5}, {25, 20}, {5, 20}});
  EXPECT_EQ(CountAll(clBlack), 2 * 20 + 2 * 15);
  cv.Polyline({{30, 2}, {38, 2}, {38, 10}, {30, 10}});
  EXPECT_EQ(CountAll(clBlack), 2 * 20 + 2 * 15 + 3 * 8);
  // A filled rectangle in XOR: outline and fill never overlap.
  cv.Brush = TBrush{clWhite, bsSolid};
  cv.Rectangle(28, 14, 36, 22);
  EXPECT_EQ(Count(clBlack, 28, 14, 36, 22), 64);
  // Boxes one pixel high or wide, and a single pixel.
  cv.Rectangle(2, 24, 12, 25);
  EXPECT_EQ(Count(clBlack, 0, 24, 40, 25), 10);
  cv.Rectangle(14, 22, 15, 29);
  EXPECT_EQ(Count(clBlack, 14, 21, 15, 30), 7);
  cv.Rectangle(38, 28, 39, 29);
  EXPECT_EQ(cv.GetPixel(38, 28), clBlack);
  EXPECT_EQ(Count(clBlack, 37, 27, 40, 30), 1);
}

TEST_F(QtCanvasTest, NopModeDrawsNothingButMovesThePen) {
  Ink();
  cv.Pen.Mode = TPenMode::pmNop;
  cv.MoveTo(1, 1);
  cv.LineTo(20, 1);
  cv.Polygon({{5, 5}, {25, 5}, {25, 20}});
  cv.Polyline({{5, 5}, {25, 5}, {25, 20}});
  cv.Rectangle(2, 2, 30, 20);
  cv.Ellipse(2, 2, 30, 20);
  EXPECT_EQ(CountAll(kPaper), 40 * 30);
  cv.Pen.Mode = TPenMode::pmCopy;
  cv.LineTo(20, 10);  // from where the no-op line ended
  EXPECT_EQ(cv.GetPixel(20, 1), kInk);
}

TEST_F(QtCanvasTest, HatchBrushesPaintTheirPatternOverTheBackground) {
  for (TBrushStyle style :
       {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross}) {
    SCOPED_TRACE(static_cast<int>(style));
    cv.Brush = TBrush{kPaper, bsSolid};
    cv.FillRect({0, 0, 40, 30});
    cv.Pen.Style = TPenStyle::psClear;
    cv.Brush = TBrush{kFill, style};
    cv.Rectangle(4, 4, 28, 28);
    const int hatched = Count(kFill, 4, 4, 28, 28);
    const int background = Count(kPaper, 4, 4, 28, 28);
    EXPECT_GT(hatched, 24 * 24 / 10);
    EXPECT_GT(background, 24 * 24 / 3);
    EXPECT_EQ(hatched + background, 24 * 24);
    EXPECT_EQ(CountAll(kFill), hatched);  // nothing outside the box
  }
}

TEST_F(QtCanvasTest, EllipseFitsItsBoxWhateverTheOrderOfTheCorners) {
  auto draw = [&](int x1, int y1, int x2, int y2) {
    cv.Brush = TBrush{kPaper, bsSolid};
    cv.FillRect({0, 0, 40, 30});
    Ink();
    cv.Ellipse(x1, y1, x2, y2);
    return Pixels();
  };
  const auto normal = draw(6, 4, 31, 21);
  EXPECT_EQ(draw(6, 21, 31, 4), normal);
  EXPECT_EQ(draw(31, 21, 6, 4), normal);
  // Columns 6..30 and rows 4..20 are touched, nothing beyond.
  draw(6, 4, 31, 21);
  EXPECT_GT(Count(kInk, 6, 0, 7, 30), 0);
  EXPECT_GT(Count(kInk, 30, 0, 31, 30), 0);
  EXPECT_GT(Count(kInk, 0, 4, 40, 5), 0);
  EXPECT_GT(Count(kInk, 0, 20, 40, 21), 0);
  EXPECT_EQ(Count(kPaper, 0, 0, 6, 30), 6 * 30);
  EXPECT_EQ(Count(kPaper, 31, 0, 40, 30), 9 * 30);
  EXPECT_EQ(Count(kPaper, 0, 0, 40, 4), 40 * 4);
  EXPECT_EQ(Count(kPaper, 0, 21, 40, 30), 40 * 9);
  EXPECT_EQ(cv.GetPixel(18, 12), kFill);
}

TEST_F(QtCanvasTest, DrawingIsClippedAtTheImageBorder) {
  Ink();
  // Shapes reaching far outside, up to the ends of the int range.
  cv.Polygon(
      {{-1000000000, 10}, {1000000000, 10}, {1000000000, 2000000000}, {-1000000000, 2000000000}});
  EXPECT_EQ(Count(kFill, 0, 11, 40, 30), 40 * 19);
  EXPECT_EQ(Count(kInk, 0, 10, 40, 11), 40);
  EXPECT_EQ(Count(kPaper, 0, 0, 40, 10), 40 * 10);

  cv.MoveTo(INT_MIN, 4);
  cv.LineTo(INT_MAX, 4);
  EXPECT_EQ(Count(kInk, 0, 4, 40, 5), 40);
  cv.Rectangle(-5, -5, 3, 3);
  EXPECT_EQ(cv.GetPixel(2, 2), kInk);
  EXPECT_EQ(cv.GetPixel(0, 0), kFill);
  cv.Rectangle(INT_MIN, 6, INT_MAX, 8);
  EXPECT_EQ(Count(kInk, 0, 6, 40, 8), 80);
  cv.Ellipse(30, -20, 60, 5);
  EXPECT_GT(Count(kInk, 30, 0, 40, 5), 0);
  // Antialiasing is off: the clipped shapes left no blended colours at all.
  EXPECT_EQ(CountAll(kPaper) + CountAll(kInk) + CountAll(kFill), 40 * 30);
}

TEST_F(QtCanvasTest, TextPaintsABackgroundBoxOnlyWithABrush) {
  cv.Font.Name = "Arial";
  cv.Font.Size = 10;
  cv.Font.Color = kInk;
  const int w = cv.TextWidth("Wg");
  const int h = cv.TextHeight("Wg");
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  ASSERT_LE(w, 40 - 2);
  ASSERT_LE(h, 30 - 2);

  cv.Brush = TBrush{kFill, bsClear};
  cv.TextOut(1, 1, "Wg");
  EXPECT_GT(Count(kPaper, 1, 1, 1 + w, 1 + h), w * h / 3);
  EXPECT_EQ(Count(kFill, 0, 0, 40, 30), 0);
  const int inked = 40 * 30 - CountAll(kPaper);
  EXPECT_GT(inked, 0);
  // Glyphs stay inside the text's box.
  EXPECT_EQ(Count(kPaper, 0, 0, 40, 30) - Count(kPaper, 1, 1, 1 + w, 1 + h), 40 * 30 - w * h);

  cv.Brush = TBrush{kFill, bsSolid};
  cv.FillRect({0, 0, 40, 30});
  cv.Brush.Color = kPaper;
  cv.TextOut(1, 1, "Wg");
  EXPECT_EQ(Count(kFill, 1, 1, 1 + w, 1 + h), 0);  // box in the brush colour under the glyphs
  EXPECT_EQ(Count(kFill, 0, 0, 40, 30), 40 * 30 - w * h);
}

TEST_F(QtCanvasTest, TextSizeFollowsTheFont) {
  cv.Font.Name = "Arial";
  cv.Font.Size = 8;
  const int small_w = cv.TextWidth("Gravonaut");
  const int small_h = cv.TextHeight("W");
  EXPECT_EQ(cv.Font.Height, -11);
  cv.Font.Size = 16;
  EXPECT_GT(cv.TextWidth("Gravonaut"), small_w * 3 / 2);
  EXPECT_GT(cv.TextHeight("W"), small_h * 3 / 2);
  EXPECT_EQ(cv.Font.Height, -21);  // kept in step with the size, as text placement reads it
  cv.Font.Bold = true;
  cv.Font.Size = 8;
  EXPECT_GE(cv.TextWidth("Gravonaut"), small_w);
  EXPECT_EQ(cv.TextWidth(""), 0);
}

TEST_F(QtCanvasTest, CopyRectCopiesAndStretches) {
  TQtCanvas src(8, 8, clBlack);
  src.SetPixel(0, 0, kInk);
  src.SetPixel(7, 7, kFill);
  src.SetPixel(3, 4, clWhite);

  cv.Pen.Mode = TPenMode::pmXor;  // a copy is a copy whatever the pen mode
  cv.CopyRect({10, 10, 18, 18}, src, {0, 0, 8, 8});
  EXPECT_EQ(cv.GetPixel(10, 10), kInk);
  EXPECT_EQ(cv.GetPixel(17, 17), kFill);
  EXPECT_EQ(cv.GetPixel(13, 14), clWhite);
  EXPECT_EQ(cv.GetPixel(18, 18), kPaper);
  EXPECT_EQ(cv.GetPixel(9, 9), kPaper);

  // Twice the size: every source pixel becomes a 2 x 2 block.
  cv.CopyRect({20, 2, 36, 18}, src, {0, 0, 8, 8});
  EXPECT_EQ(Count(kInk, 20, 2, 22, 4), 4);
  EXPECT_EQ(Count(kFill, 34, 16, 36, 18), 4);
  EXPECT_EQ(Count(clWhite, 26, 10, 28, 12), 4);
  EXPECT_EQ(Count(clBlack, 20, 2, 36, 18), 256 - 12);

  // Within one canvas, source and destination overlapping.
  cv.CopyRect({11, 11, 19, 19}, cv, {10, 10, 18, 18});
  EXPECT_EQ(cv.GetPixel(11, 11), kInk);
  EXPECT_EQ(cv.GetPixel(18, 18), kFill);
  EXPECT_EQ(cv.GetPixel(14, 15), clWhite);

  // From a canvas of another kind, through its pixels.
  TRecordingCanvas other;
  other.SetPixel(1, 0, kFill);
  cv.CopyRect({0, 0, 4, 2}, other, {0, 0, 2, 1});
  EXPECT_EQ(Count(kFill, 2, 0, 4, 2), 4);
  EXPECT_EQ(Count(clBlack, 0, 0, 2, 2), 4);

  // Empty rectangles copy nothing.
  const auto before = Pixels();
  cv.CopyRect({5, 5, 5, 9}, src, {0, 0, 8, 8});
  cv.CopyRect({5, 5, 9, 9}, src, {4, 4, 0, 8});
  EXPECT_EQ(Pixels(), before);
}

TEST_F(QtCanvasTest, AnOpenFrameGivesTheSamePixelsAsSingleCalls) {
  auto scene = [&] {
    Ink();
    cv.FillRect({0, 0, 40, 30});
    cv.Polygon({{3, 3}, {30, 7}, {12, 25}});
    cv.SetPixel(20, 20, 0x00123456);
    cv.SetPixel(21, 20, cv.GetPixel(20, 20));  // pixels read back inside the frame
    cv.Pen.Mode = TPenMode::pmXor;
    cv.Rectangle(10, 5, 35, 25);
    cv.Brush = TBrush{clWhite, bsSolid};
    cv.Pen.Mode = TPenMode::pmCopy;
    cv.TextOut(2, 2, "A");
  };
  scene();
  const auto single = Pixels();
  cv.Brush = TBrush{kPaper, bsSolid};
  cv.FillRect({0, 0, 40, 30});
  {
    TQtPaintScope frame(cv);
    EXPECT_TRUE(cv.Painting());
    scene();
  }
  EXPECT_FALSE(cv.Painting());
  EXPECT_EQ(Pixels(), single);
  EXPECT_EQ(cv.GetPixel(21, 20), cv.GetPixel(20, 20));
  EXPECT_NE(cv.GetPixel(21, 20), kFill);
}

TEST_F(QtCanvasTest, ResizeKeepsThePictureAndFillsTheRest) {
  cv.SetPixel(0, 0, kInk);
  cv.SetPixel(39, 29, kFill);
  cv.SetSize(50, 20, clBlack);
  EXPECT_EQ(cv.Width(), 50);
  EXPECT_EQ(cv.Height(), 20);
  EXPECT_EQ(cv.GetPixel(0, 0), kInk);
  EXPECT_EQ(cv.GetPixel(39, 19), kPaper);
  EXPECT_EQ(cv.GetPixel(45, 5), clBlack);
  cv.SetSize(0, 0);
  Ink();  // an empty image draws nothing and does not fail
  cv.Polygon({{0, 0}, {5, 0}, {5, 5}});
  cv.TextOut(0, 0, "x");
  EXPECT_EQ(cv.GetPixel(0, 0), -1);
}

TEST(QtCanvasWrap, DrawsIntoTheCallersImageInItsFormat) {
  QImage image(10, 10, QImage::Format_ARGB32);
  image.fill(Qt::white);
  {
    TQtCanvas cv(image);
    cv.Pen.Style = TPenStyle::psClear;
    cv.Brush = TBrush{clRed, bsSolid};
    cv.FillRect({2, 2, 5, 5});
  }
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_EQ(image.pixel(3, 3), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
}

TEST(QtCanvasChange, EveryPaintingCallReportsAChange) {
  TQtCanvas cv(10, 10);
  int changes = 0;
  cv.OnChanged = [&] { ++changes; };
  cv.MoveTo(1, 1);
  EXPECT_EQ(changes, 0);
  cv.LineTo(5, 5);
  cv.SetPixel(2, 2, clRed);
  cv.FillRect({0, 0, 3, 3});
  cv.TextOut(0, 0, "a");
  EXPECT_EQ(changes, 4);
}

}  // namespace
