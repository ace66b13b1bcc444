#pragma once
// The canvas of the Qt build: paints with a QPainter into a QImage (Format_RGB32).
//
// Every canvas is a raster image, so pixels can be read back and the XOR pen modes work; the
// widgets blit the image. Antialiasing stays off so that an XOR preview drawn twice erases
// itself exactly. The geometry follows the classic desktop conventions of TCanvas (right and
// bottom edges excluded, no end pixel on LineTo), which Qt does not: the adjustments are made
// here, once.
//
// An image with a device pixel ratio above 1 (a HiDPI frame) is drawn in its device pixels:
// coordinates stay logical, the painter scales them, and lines, text and fills come out at the
// device's resolution. Pixel reads and writes then address whole logical pixels.
//
// Painting: each drawing call opens a painter on the image for itself, which keeps the image
// free to be read, copied or resized between calls. To draw a whole frame, bracket it with
// BeginPaint/EndPaint (or a TQtPaintScope): the painter then stays open in between.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <functional>
#include <optional>

#include "canvas.h"

// TColor (red in the lowest byte, system colours resolved) to an opaque QRgb and back.
QRgb TColorToQRgb(TColor c);
TColor QRgbToTColor(QRgb rgb);

class TQtCanvas : public TCanvas {
 public:
  // A canvas that owns an image of that size, filled with fill.
  TQtCanvas(int width, int height, TColor fill = clWhite);
  // A canvas drawing into the caller's image, which must outlive it; an image of another
  // format is converted to Format_RGB32 in place.
  explicit TQtCanvas(QImage& image);
  ~TQtCanvas() override;
  TQtCanvas(const TQtCanvas&) = delete;
  TQtCanvas& operator=(const TQtCanvas&) = delete;

  int Width() const { return image_->width(); }
  int Height() const { return image_->height(); }
  // The image drawn into. Reading it while a frame is open is fine; replacing or resizing it is
  // not (EndPaint first).
  const QImage& Image() const { return *image_; }
  QImage& Image() { return *image_; }
  // Resizes the image, keeping the old picture in the top-left corner and filling the rest
  // with fill. Ends an open frame.
  void SetSize(int width, int height, TColor fill = clWhite);
  // Replaces the picture (converted to Format_RGB32). Ends an open frame.
  void SetImage(const QImage& image);

  // Keep one painter open across calls until EndPaint. Calls nest; the outermost EndPaint
  // closes the painter.
  void BeginPaint();
  void EndPaint();
  bool Painting() const { return frame_depth_ > 0; }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(const TRect& r) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  // -1 outside the image.
  TColor GetPixel(int x, int y) override;
  // Ignored outside the image; the pen mode does not apply.
  void SetPixel(int x, int y, TColor c) override;
  // Copies pixels (nearest neighbour when stretched); the pen mode does not apply. Empty or
  // inverted rectangles copy nothing.
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& src) override;
  // Smooth scaling for pictures drawn by this layer (TQtBitmap), pixel sampling otherwise.
  void StretchDraw(const TRect& dest, const TPicture& picture) override;

  // The QFont the text operations use for the current Font.
  QFont CurrentQFont();

  // Called after every call that changed pixels (a widget showing the image repaints then).
  std::function<void()> OnChanged;

  // Smooth edges: lines, outlines, polygons and ellipses drawn in the copy mode are
  // antialiased, with every corner on its pixel's centre. The XOR modes stay exact whatever
  // this says, so rubber bands still erase themselves.
  bool Antialias = false;

 private:
  enum class TUse { kPen, kBrush, kPenAndBrush };
  // Opens the painter for one call (or reuses the frame's) and sets pen, brush and mode.
  // Returns nullptr when nothing is to be drawn (empty image, pmNop).
  QPainter* Begin(TUse use);
  void End();  // closes a painter opened for one call; reports the change
  void Changed() {
    if (OnChanged) OnChanged();
  }
  QPainter* BeginPlain();  // no pen, no brush, copy mode: pixel copies and text
  // A one-pixel line from a to b (without b unless with_end), in the pen's colour and mode.
  void ThinLine(TPoint a, TPoint b, bool with_end = false);
  void ThinOutline(const std::vector<TPoint>& points, bool closed);
  // Whether lines go through the painter instead of the exact pixel routine: smooth edges,
  // or an image with more device pixels than logical ones (a HiDPI frame).
  bool Vector() const;
  // The image's device pixels per logical pixel; 1 for an ordinary image.
  double Scale() const { return image_->devicePixelRatio(); }
  // The corners for the painter: on the pixels' centres when drawn through the painter.
  QPolygonF Corners(const std::vector<TPoint>& points) const;
  void AdoptFormat();

  std::optional<QImage> owned_;
  QImage* image_;
  QPainter painter_;
  int frame_depth_ = 0;
  TPoint pos_;
  // The last Font turned into a QFont, to skip font look-ups while the font stays the same.
  std::optional<TFont> qfont_for_;
  QFont qfont_;
};

// BeginPaint in the constructor, EndPaint in the destructor.
class TQtPaintScope {
 public:
  explicit TQtPaintScope(TQtCanvas& canvas) : canvas_(canvas) { canvas_.BeginPaint(); }
  ~TQtPaintScope() { canvas_.EndPaint(); }
  TQtPaintScope(const TQtPaintScope&) = delete;
  TQtPaintScope& operator=(const TQtPaintScope&) = delete;

 private:
  TQtCanvas& canvas_;
};
