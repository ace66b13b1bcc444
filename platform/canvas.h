#pragma once
// The drawing surface the game and the editor draw on, and the window-size service.
//
// The model draws only through these interfaces, so it runs headless: the Qt layer paints into
// an image, tests record the calls. Pen, brush and font are plain state that the drawing
// operations read; the operations follow the conventions of the classic desktop GDI:
// Rectangle excludes its right and bottom edge, LineTo does not draw its end pixel.
#include <cstdint>
#include <string>
#include <vector>

#include "qor_types.h"

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

enum class TPenMode : std::uint8_t { pmCopy, pmXor, pmNotXor, pmNop };
enum class TPenStyle : std::uint8_t { psSolid, psClear };

// Fill patterns; the ordinals are those stored in the files.
enum TBrushStyle : std::uint8_t {
  bsSolid = 0,
  bsClear = 1,
  bsHorizontal = 2,
  bsVertical = 3,
  bsFDiagonal = 4,
  bsBDiagonal = 5,
  bsCross = 6,
  bsDiagCross = 7,
};

struct TPen {
  TColor Color = clBlack;
  int Width = 1;  // 0 and 1 both draw one-pixel lines
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
  bool operator==(const TPen&) const = default;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  bool operator==(const TBrush&) const = default;
};

// A picture that can be drawn stretched into a rectangle: a bitmap with its own canvas, or an
// image read from a file.
class TPicture {
 public:
  virtual ~TPicture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The colour at (x, y), 0 <= x < Width(), 0 <= y < Height().
  virtual TColor PixelAt(int x, int y) const = 0;
};

struct TFont {
  std::string Name = "MS Sans Serif";
  int Size = 8;
  // Kept beside the size as the desktop toolkits do: negative when the size is in points.
  int Height = -11;
  bool Bold = false;
  bool Italic = false;
  TColor Color = clBlack;
  bool operator==(const TFont&) const = default;
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  virtual void MoveTo(int x, int y) = 0;
  // A line from the current position; its end pixel is not drawn.
  virtual void LineTo(int x, int y) = 0;
  virtual void Polyline(const std::vector<TPoint>& points) = 0;
  // A closed outline filled with the brush.
  virtual void Polygon(const std::vector<TPoint>& points) = 0;
  // Outline and fill; the right and bottom edges are excluded.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // Brush only; right and bottom edges excluded.
  virtual void FillRect(const TRect& r) = 0;
  // The ellipse in that bounding box (right and bottom excluded); the y values may come in
  // either order.
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  // Text with its top-left corner at (x, y); the brush style decides whether a background box
  // is painted.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  virtual TColor GetPixel(int x, int y) = 0;
  virtual void SetPixel(int x, int y, TColor c) = 0;
  // Copies source's rectangle src into this canvas's rectangle dest (stretched when the sizes
  // differ).
  virtual void CopyRect(const TRect& dest, TCanvas& source, const TRect& src) = 0;
  // Draws the picture stretched into dest (right and bottom excluded). The default samples the
  // picture's pixels one by one (nearest neighbour); raster canvases override it.
  virtual void StretchDraw(const TRect& dest, const TPicture& picture);

  // Keeps Font.Size (points) and Font.Height (pixels, negative for a size in points) in step,
  // as the desktop toolkits do when either is assigned: when only one of the two changed since
  // the previous call (or since the default font), the other is worked out from it at the
  // screen's pixels per inch; when both changed they are kept as they are. The text operations
  // call it before they measure or draw, so Font.Height is current after a text was measured.
  void SyncFontSize();

 private:
  bool font_synced_ = false;
  int synced_size_ = TFont{}.Size;
  int synced_height_ = TFont{}.Height;
};

// The control a drawing belongs to: the model flips y against its client height.
class TControl {
 public:
  virtual ~TControl() = default;
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
};

// A control of a fixed size, for drawing into an image or a test.
class TFixedControl : public TControl {
 public:
  TFixedControl(int width, int height) : width_(width), height_(height) {}
  int ClientWidth() const override { return width_; }
  int ClientHeight() const override { return height_; }
  void SetSize(int width, int height) {
    width_ = width;
    height_ = height;
  }

 private:
  int width_;
  int height_;
};
