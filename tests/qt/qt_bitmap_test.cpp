// Bitmaps: their canvas, picture files, and pictures drawn stretched.
#include "qt_bitmap.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <string>

#include "qor_errors.h"

namespace {

// A 4 x 2 picture: red, green, blue, white on top; black, grey, yellow, cyan below.
QImage Sample() {
  QImage image(4, 2, QImage::Format_RGB32);
  const QRgb px[2][4] = {
      {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)},
      {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(255, 255, 0), qRgb(0, 255, 255)}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) image.setPixel(x, y, px[y][x]);
  }
  return image;
}

class BitmapFileTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) { return (dir.path() + "/" + name).toStdString(); }
  void Write(const char* name, const QByteArray& bytes) {
    QFile f(dir.path() + "/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QTemporaryDir dir;
};

TEST_F(BitmapFileTest, ReadsBmpExactlyAndJpegClosely) {
  ASSERT_TRUE(Sample().save(dir.path() + "/pic.bmp", "BMP"));
  TQtBitmap bmp;
  bmp.LoadFromFile(Path("pic.bmp"));
  ASSERT_EQ(bmp.Width(), 4);
  ASSERT_EQ(bmp.Height(), 2);
  EXPECT_EQ(bmp.PixelAt(0, 0), 0x0000FF);
  EXPECT_EQ(bmp.PixelAt(2, 0), 0xFF0000);
  EXPECT_EQ(bmp.PixelAt(2, 1), 0x00FFFF);
  EXPECT_EQ(bmp.PixelAt(4, 0), -1);

  // A JPEG is lossy: a flat picture comes back nearly the same. The content decides the
  // format, not the name.
  QImage flat(16, 16, QImage::Format_RGB32);
  flat.fill(qRgb(200, 40, 40));
  ASSERT_TRUE(flat.save(dir.path() + "/pic.jpeg", "JPEG"));
  ASSERT_TRUE(flat.save(dir.path() + "/really_a_jpeg.bmp", "JPEG"));
  for (const char* name : {"pic.jpeg", "really_a_jpeg.bmp"}) {
    SCOPED_TRACE(name);
    TQtBitmap jpg;
    jpg.LoadFromFile(Path(name));
    ASSERT_EQ(jpg.Width(), 16);
    const TColor c = jpg.PixelAt(8, 8);
    EXPECT_NEAR(c & 0xFF, 200, 8);
    EXPECT_NEAR((c >> 8) & 0xFF, 40, 8);
    EXPECT_NEAR((c >> 16) & 0xFF, 40, 8);
  }
}

TEST_F(BitmapFileTest, UnreadableFilesRaiseAndLeaveTheBitmapAsItWas) {
  QByteArray jpeg;
  {
    QImage flat(16, 16, QImage::Format_RGB32);
    flat.fill(Qt::blue);
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    flat.save(&buffer, "JPEG");
  }
  Write("cut.jpg", jpeg.left(20));
  Write("text.jpg", "this is not a picture");
  Write("empty.bmp", "");
  for (const char* name : {"cut.jpg", "text.jpg", "empty.bmp", "missing.bmp"}) {
    SCOPED_TRACE(name);
    TQtBitmap bmp(3, 3, clRed);
    try {
      bmp.LoadFromFile(Path(name));
      ADD_FAILURE() << "no error";
    } catch (const EQorError& e) {
      EXPECT_FALSE(std::string(e.what()).empty());
    }
    EXPECT_EQ(bmp.Width(), 3);
    EXPECT_EQ(bmp.PixelAt(1, 1), clRed);
  }
}

TEST(Bitmap, HasItsOwnCanvasAndKeepsItsPictureWhenResized) {
  TQtBitmap bmp(5, 5, clBlack);
  bmp.Canvas().Brush = TBrush{clRed, bsSolid};
  bmp.Canvas().FillRect({1, 1, 3, 3});
  EXPECT_EQ(bmp.PixelAt(2, 2), clRed);
  EXPECT_EQ(bmp.PixelAt(3, 3), clBlack);
  bmp.SetSize(8, 2, clWhite);
  EXPECT_EQ(bmp.Width(), 8);
  EXPECT_EQ(bmp.PixelAt(1, 1), clRed);
  EXPECT_EQ(bmp.PixelAt(6, 1), clWhite);
}

TEST(Bitmap, IsDrawnStretchedIntoARectangle) {
  TQtBitmap pic;
  pic.Canvas().SetImage(Sample());
  TQtCanvas cv(20, 10, clBlack);
  cv.StretchDraw({2, 2, 10, 6}, pic);  // twice the size
  // Smooth scaling mixes colours at the seams, the middle of each 2 x 2 block stays close.
  auto near = [](TColor a, TColor b) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)) > 64) return false;
    }
    return true;
  };
  EXPECT_TRUE(near(cv.GetPixel(2, 2), 0x0000FF));
  EXPECT_TRUE(near(cv.GetPixel(9, 5), 0xFFFF00));
  EXPECT_EQ(cv.GetPixel(1, 2), clBlack);
  EXPECT_EQ(cv.GetPixel(10, 2), clBlack);
  EXPECT_EQ(cv.GetPixel(2, 6), clBlack);

  // A picture of another kind goes pixel by pixel, exactly.
  struct TChecker : TPicture {
    int Width() const override { return 2; }
    int Height() const override { return 2; }
    TColor PixelAt(int x, int y) const override { return (x + y) % 2 ? clWhite : clRed; }
  } checker;
  cv.StretchDraw({12, 0, 16, 4}, checker);
  EXPECT_EQ(cv.GetPixel(12, 0), clRed);
  EXPECT_EQ(cv.GetPixel(13, 1), clRed);
  EXPECT_EQ(cv.GetPixel(14, 1), clWhite);
  EXPECT_EQ(cv.GetPixel(15, 3), clRed);
  EXPECT_EQ(cv.GetPixel(16, 0), clBlack);
}

}  // namespace
