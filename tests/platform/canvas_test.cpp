// The headless parts of the drawing surface: font size bookkeeping, colour resolution, the
// generic picture drawing and the recording canvas.
#include <gtest/gtest.h>

#include "colors.h"
#include "qor_obj.h"
#include "recording_canvas.h"

namespace {

class PpiScope {
 public:
  explicit PpiScope(int ppi) { SetScreenPixelsPerInch(ppi); }
  ~PpiScope() { SetScreenPixelsPerInch(96); }
};

TEST(FontSize, TheValueChangedAloneDecidesTheOther) {
  struct Case {
    int ppi;
    int size;    // 0: leave as is
    int height;  // 0: leave as is
    int want_size, want_height;
  };
  const Case cases[] = {
      {96, 0, 0, 8, -11},      // default font, untouched
      {96, 16, 0, 16, -21},    // 21.33 rounds to 21
      {96, 9, 0, 9, -12},      // exactly 12
      {120, 8, 0, 8, -13},     // 13.33
      {96, 0, -48, 36, -48},   // size from the height
      {96, 0, -13, 10, -13},   // 9.75 rounds to 10
      {240, 0, -48, 14, -48},  // 14.4
      {96, 20, -26, 20, -26},  // both set: kept as given
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.ppi << " ppi, size " << c.size << " height " << c.height);
    PpiScope ppi(c.ppi);
    TRecordingCanvas cv;
    if (c.size) cv.Font.Size = c.size;
    if (c.height) cv.Font.Height = c.height;
    cv.TextHeight("W");
    EXPECT_EQ(cv.Font.Size, c.want_size);
    EXPECT_EQ(cv.Font.Height, c.want_height);
  }
}

TEST(FontSize, FollowsEachChangeAndARestoredFont) {
  TRecordingCanvas cv;
  const TFont saved = cv.Font;
  cv.Font.Size = 16;
  cv.TextWidth("x");
  EXPECT_EQ(cv.Font.Height, -21);
  cv.Font.Height = -32;
  cv.TextOut(0, 0, "x");
  EXPECT_EQ(cv.Font.Size, 24);
  EXPECT_EQ(cv.calls.back().font.Size, 24);  // the recorded call sees the synced font
  cv.Font = saved;
  cv.TextWidth("x");
  EXPECT_EQ(cv.Font, saved);
  // A size change after a restore still carries the height along.
  cv.Font.Size = 12;
  cv.SyncFontSize();
  EXPECT_EQ(cv.Font.Height, -16);
}

TEST(Colors, ResolveSystemColoursAndKeepPlainOnes) {
  struct Case {
    TColor in, out;
  };
  const Case cases[] = {
      {0x00123456, 0x00123456},
      {clNone, 0x00FFFFFF},
      {-1, 0x00FFFFFF},
      {0x05123456, 0x00123456},  // stray top byte dropped
      {clBtnFace, RGBColor(0xF0, 0xF0, 0xF0)},
      {clHighlight, RGBColor(0x33, 0x99, 0xFF)},
      {clWindowText, clBlack},
      {clSystemColor | 200, clBlack},  // unknown index
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToRGB(c.in), c.out) << std::hex << c.in;
  }
  EXPECT_EQ(RGBColor(1, 2, 3), 0x00030201);
}

struct TTinyPicture : TPicture {
  int Width() const override { return 3; }
  int Height() const override { return 2; }
  TColor PixelAt(int x, int y) const override { return 10 * y + x + 1; }
};

TEST(StretchDraw, TheGenericDrawingSamplesThePictureAtPixelCentres) {
  TRecordingCanvas cv;
  TTinyPicture pic;
  cv.TCanvas::StretchDraw({10, 20, 16, 24}, pic);  // twice the size
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(cv.GetPixel(10 + x, 20 + y), 10 * (y / 2) + x / 2 + 1) << x << ',' << y;
    }
  }
  EXPECT_EQ(cv.CallsOf("SetPixel").size(), 24u);
  cv.calls.clear();
  cv.TCanvas::StretchDraw({0, 0, 1, 1}, pic);  // shrunk to one pixel: the one at the centre
  EXPECT_EQ(cv.GetPixel(0, 0), 12);
  cv.calls.clear();
  cv.TCanvas::StretchDraw({5, 5, 5, 9}, pic);
  cv.TCanvas::StretchDraw({5, 5, 1, 9}, pic);
  EXPECT_TRUE(cv.calls.empty());
}

TEST(StretchDraw, IsRecordedWithThePictureSize) {
  TRecordingCanvas cv;
  TTinyPicture pic;
  cv.StretchDraw({0, 0, 640, 480}, pic);
  EXPECT_EQ(cv.Log(), "StretchDraw 0 0 640 480 3 2\n");
}

}  // namespace
