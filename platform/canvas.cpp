#include "canvas.h"

#include <cmath>
#include <cstdint>

#include "qor_obj.h"

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
  return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

}  // namespace

void TCanvas::StretchDraw(const TRect& dest, const TPicture& picture) {
  const int pw = picture.Width();
  const int ph = picture.Height();
  const int dw = dest.Width();
  const int dh = dest.Height();
  if (pw <= 0 || ph <= 0 || dw <= 0 || dh <= 0) return;
  for (int y = 0; y < dh; ++y) {
    // Sample at the centre of each destination pixel.
    const int sy = static_cast<int>((static_cast<std::int64_t>(2 * y + 1) * ph) / (2 * dh));
    for (int x = 0; x < dw; ++x) {
      const int sx = static_cast<int>((static_cast<std::int64_t>(2 * x + 1) * pw) / (2 * dw));
      SetPixel(dest.Left + x, dest.Top + y, picture.PixelAt(sx, sy));
    }
  }
}

void TCanvas::SyncFontSize() {
  const int ppi = ScreenPixelsPerInch();
  if (!font_synced_) {
    // The default font's two values only agree at 96 pixels per inch: until the height has
    // been set on its own, it follows the size.
    font_synced_ = true;
    if (Font.Height == TFont{}.Height) synced_size_ = Font.Size + 1;
  }
  const bool size_changed = Font.Size != synced_size_;
  const bool height_changed = Font.Height != synced_height_;
  // When both changed the caller set them together (or restored a saved font): keep both.
  if (size_changed && !height_changed) {
    Font.Height = -MulDiv(Font.Size, ppi, 72);
  } else if (height_changed && !size_changed) {
    Font.Size = -MulDiv(Font.Height, 72, ppi);
  }
  synced_size_ = Font.Size;
  synced_height_ = Font.Height;
}
