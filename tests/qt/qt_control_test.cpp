// Controls as the model sees them, and the image control that shows what is drawn on it.
#include "qt_control.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "qor_obj.h"

namespace {

TEST(QtControl, ReportsTheWidgetsClientSize) {
  QWidget w;
  w.resize(123, 45);
  TQtControl c(w);
  EXPECT_EQ(c.ClientWidth(), 123);
  EXPECT_EQ(c.ClientHeight(), 45);
  w.resize(60, 70);
  EXPECT_EQ(c.ClientWidth(), 60);
  EXPECT_EQ(c.ClientHeight(), 70);
}

TEST(QtControl, ScreenPixelsPerInchComeFromTheScreen) {
  SetScreenPixelsPerInch(10);
  InitScreenPixelsPerInch();
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
  EXPECT_EQ(ScreenPixelsPerInch(), static_cast<int>(std::lround(dpi)));
  SetScreenPixelsPerInch(96);
}

TEST(QtImage, FollowsItsSizeAndShowsWhatIsDrawnOnIt) {
  TQtImage image;
  image.resize(50, 40);
  image.show();
  EXPECT_EQ(image.Canvas().Width(), 50);
  EXPECT_EQ(image.Canvas().Height(), 40);
  EXPECT_EQ(image.ClientHeight(), 40);

  // Drawn outside any paint event, as a mouse handler or a timer tick does.
  TCanvas& cv = image.Canvas();
  cv.Pen.Style = TPenStyle::psClear;
  cv.Brush = TBrush{clRed, bsSolid};
  cv.Rectangle(10, 10, 20, 20);
  const QImage shown = image.grab().toImage();
  EXPECT_EQ(shown.pixel(15, 15), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(25, 25), qRgb(0, 0, 0));

  // Growing keeps the picture; a fixed-size picture leaves the rest in the fill colour.
  image.resize(80, 60);
  EXPECT_EQ(image.Canvas().Width(), 80);
  EXPECT_EQ(image.Canvas().GetPixel(15, 15), clRed);
  image.SetFollowSize(false);
  image.FillColor = clBlue;
  image.resize(100, 60);
  EXPECT_EQ(image.Canvas().Width(), 80);
  const QImage wider = image.grab().toImage();
  EXPECT_EQ(wider.pixel(90, 30), qRgb(0, 0, 255));
  EXPECT_EQ(wider.pixel(15, 15), qRgb(255, 0, 0));
}

}  // namespace
