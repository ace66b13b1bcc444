// The Qt canvas with smooth edges and on HiDPI images: antialiased copies, XOR kept exact,
// and logical coordinates drawn at the device's pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <vector>

#include "qt_canvas.h"

namespace {

constexpr TColor kPaper = 0x00000000;
constexpr TColor kInk = 0x0000FFFF;

std::set<QRgb> Colours(const QImage& image) {
  std::set<QRgb> out;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) out.insert(image.pixel(x, y));
  }
  return out;
}

// A slanted wall, a thin slanted line and a polygon outline, as the play view draws them.
void DrawShapes(TCanvas& cv) {
  cv.Pen.Color = kInk;
  cv.Brush.Color = 0x00FF0000;
  cv.Brush.Style = bsSolid;
  cv.Pen.Width = 2;
  cv.MoveTo(3, 4);
  cv.LineTo(37, 15);
  cv.Pen.Width = 1;
  cv.MoveTo(2, 26);
  cv.LineTo(38, 18);
  cv.Polygon({{5, 20}, {15, 28}, {25, 21}});
}

TEST(QtCanvasSmooth, SmoothEdgesMixColoursOnlyInTheCopyMode) {
  for (bool smooth : {false, true}) {
    SCOPED_TRACE(smooth);
    TQtCanvas cv(40, 30, kPaper);
    cv.Antialias = smooth;
    DrawShapes(cv);
    // Aliased: paper, ink and fill only; antialiased: the mixes along the slanted edges.
    const std::size_t colours = Colours(cv.Image()).size();
    if (smooth) {
      EXPECT_GT(colours, 6u);
    } else {
      EXPECT_EQ(colours, 3u);
    }
  }
  // XOR rubber bands stay exact with smooth edges on: drawn twice, nothing is left.
  TQtCanvas cv(40, 30, 0x00808080);
  cv.Antialias = true;
  const QImage before = cv.Image();
  cv.Pen.Mode = TPenMode::pmXor;
  cv.Brush.Style = bsClear;
  for (int i = 0; i < 2; ++i) {
    cv.Pen.Color = kInk;
    cv.MoveTo(3, 4);
    cv.LineTo(37, 15);
    cv.Polygon({{5, 20}, {15, 28}, {25, 21}});
    cv.Rectangle(2, 2, 20, 12);
  }
  EXPECT_EQ(cv.Image(), before);
}

TEST(QtCanvasSmooth, AHiDpiImageIsAddressedInLogicalPixels) {
  QImage image(80, 60, QImage::Format_RGB32);
  image.setDevicePixelRatio(2);
  image.fill(Qt::black);
  TQtCanvas cv(image);
  // A pixel written is the whole logical pixel, and reads back.
  cv.SetPixel(3, 4, kInk);
  EXPECT_EQ(cv.GetPixel(3, 4), kInk);
  for (const auto& [x, y] : {std::pair{6, 8}, {7, 8}, {6, 9}, {7, 9}}) {
    EXPECT_EQ(image.pixel(x, y), qRgb(0xFF, 0xFF, 0)) << x << "," << y;
  }
  EXPECT_EQ(image.pixel(8, 8), qRgb(0, 0, 0));
  EXPECT_EQ(cv.GetPixel(39, 29), 0);
  EXPECT_EQ(cv.GetPixel(40, 30), -1);
  // A one-pixel line at logical row 20 covers device rows 40 and 41, across the image's
  // whole logical width (not a quarter of the device image).
  cv.Pen.Color = kInk;
  cv.Pen.Width = 1;
  cv.MoveTo(0, 20);
  cv.LineTo(40, 20);
  int row40 = 0, row41 = 0, row42 = 0;
  for (int x = 0; x < 80; ++x) {
    row40 += image.pixel(x, 40) != qRgb(0, 0, 0);
    row41 += image.pixel(x, 41) != qRgb(0, 0, 0);
    row42 += image.pixel(x, 42) != qRgb(0, 0, 0);
  }
  EXPECT_GE(row40, 78);
  EXPECT_GE(row41, 78);
  EXPECT_EQ(row42, 0);
  // Fills land on the device pixels of their logical box.
  cv.Brush.Color = kInk;
  cv.Brush.Style = bsSolid;
  cv.FillRect(TRect{30, 0, 40, 5});
  EXPECT_EQ(image.pixel(79, 9), qRgb(0xFF, 0xFF, 0));
  EXPECT_EQ(image.pixel(79, 10), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(59, 0), qRgb(0, 0, 0));
}

}  // namespace
