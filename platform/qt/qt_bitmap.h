#pragma once
// A bitmap of the Qt build: a picture with its own canvas, which can also be read from a
// picture file (BMP, JPEG and the other formats Qt's image readers know).
#include <string>

#include "qt_canvas.h"

class TQtBitmap : public TPicture {
 public:
  // An empty bitmap (0 x 0) until SetSize or LoadFromFile.
  TQtBitmap() : TQtBitmap(0, 0) {}
  TQtBitmap(int width, int height, TColor fill = clWhite) : canvas_(width, height, fill) {}

  int Width() const override { return canvas_.Width(); }
  int Height() const override { return canvas_.Height(); }
  TColor PixelAt(int x, int y) const override;

  // Resizes, keeping the picture in the top-left corner and filling the rest with fill.
  void SetSize(int width, int height, TColor fill = clWhite) {
    canvas_.SetSize(width, height, fill);
  }
  TQtCanvas& Canvas() { return canvas_; }
  const QImage& Image() const { return canvas_.Image(); }

  // Replaces the picture by the one in the file; the format is told by the content. Raises
  // EQorError with the reader's reason when the file cannot be opened or decoded, leaving the
  // bitmap as it was.
  void LoadFromFile(const std::string& fileName);

 private:
  TQtCanvas canvas_;
};
