#include "qt_canvas.h"

#include <QFontMetrics>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cmath>

#include "colors.h"
#include "qor_obj.h"
#include "qt_bitmap.h"

QRgb TColorToQRgb(TColor c) {
  const auto u = static_cast<std::uint32_t>(ColorToRGB(c));
  return qRgb(u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF);
}

TColor QRgbToTColor(QRgb rgb) {
  return static_cast<TColor>(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

namespace {

QPainter::CompositionMode ModeOf(TPenMode m) {
  switch (m) {
    case TPenMode::pmXor:
      return QPainter::RasterOp_SourceXorDestination;
    case TPenMode::pmNotXor:
      return QPainter::RasterOp_NotSourceXorDestination;
    default:
      return QPainter::CompositionMode_SourceOver;
  }
}

Qt::BrushStyle QtBrushStyle(TBrushStyle s) {
  switch (s) {
    case bsSolid:
      return Qt::SolidPattern;
    case bsHorizontal:
      return Qt::HorPattern;
    case bsVertical:
      return Qt::VerPattern;
    case bsFDiagonal:
      return Qt::FDiagPattern;
    case bsBDiagonal:
      return Qt::BDiagPattern;
    case bsCross:
      return Qt::CrossPattern;
    case bsDiagCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::NoBrush;
  }
}

QPen QtPen(const TPen& p) {
  if (p.Style == TPenStyle::psClear) return QPen(Qt::NoPen);
  QPen pen{QColor(TColorToQRgb(p.Color))};
  if (p.Width <= 1) {
    // Cosmetic one-pixel pen, for the outlines Qt draws (ellipses); one-pixel lines and
    // polygon or rectangle outlines go through ThinLine.
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
  } else {
    pen.setWidth(p.Width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

QBrush QtBrush(const TBrush& b) {
  const Qt::BrushStyle style = QtBrushStyle(b.Style);
  if (style == Qt::NoBrush) return QBrush(Qt::NoBrush);
  return QBrush(QColor(TColorToQRgb(b.Color)), style);
}

// Coordinates go to Qt as doubles: it clips far-away geometry itself, and int rectangles
// would overflow in width computations for boxes reaching far outside the image.
QPolygonF ToQPolygon(const std::vector<TPoint>& points) {
  QPolygonF poly;
  poly.reserve(static_cast<int>(points.size()));
  for (const TPoint& p : points) poly.append(QPointF(p.X, p.Y));
  return poly;
}

// The GDI box (x1, y1) - (x2, y2) with its corners in order; right and bottom are excluded.
struct TBox {
  double l, t, r, b;
  TBox(int x1, int y1, int x2, int y2)
      : l(std::min(x1, x2)), t(std::min(y1, y2)), r(std::max(x1, x2)), b(std::max(y1, y2)) {}
  bool Empty() const { return r <= l || b <= t; }
  // The pixels the box covers, for fills.
  QRectF Area() const { return QRectF(l, t, r - l, b - t); }
  // The rectangle whose one-pixel stroke runs along the box's outer pixels: Qt strokes a
  // rectangle one pixel past its right and bottom.
  QRectF Stroke() const { return QRectF(l, t, r - l - 1, b - t - 1); }
};

}  // namespace

TQtCanvas::TQtCanvas(int width, int height, TColor fill)
    : owned_(QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32)),
      image_(&*owned_) {
  image_->fill(TColorToQRgb(fill));
}

TQtCanvas::TQtCanvas(QImage& image) : image_(&image) {
  AdoptFormat();
}

TQtCanvas::~TQtCanvas() {
  if (painter_.isActive()) painter_.end();
}

void TQtCanvas::AdoptFormat() {
  if (!image_->isNull() && image_->format() != QImage::Format_RGB32) {
    *image_ = image_->convertToFormat(QImage::Format_RGB32);
  }
}

void TQtCanvas::SetSize(int width, int height, TColor fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == image_->width() && height == image_->height()) return;
  if (painter_.isActive()) painter_.end();
  frame_depth_ = 0;
  QImage resized(width, height, QImage::Format_RGB32);
  resized.fill(TColorToQRgb(fill));
  if (!image_->isNull() && !resized.isNull()) {
    QPainter p(&resized);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, *image_);
  }
  *image_ = std::move(resized);
  Changed();
}

void TQtCanvas::SetImage(const QImage& image) {
  if (painter_.isActive()) painter_.end();
  frame_depth_ = 0;
  *image_ = image.convertToFormat(QImage::Format_RGB32);
  Changed();
}

void TQtCanvas::BeginPaint() {
  if (frame_depth_++ == 0 && !image_->isNull() && !painter_.isActive()) {
    painter_.begin(image_);
  }
}

void TQtCanvas::EndPaint() {
  if (frame_depth_ == 0) return;
  if (--frame_depth_ == 0 && painter_.isActive()) painter_.end();
}

QPainter* TQtCanvas::Begin(TUse use) {
  if (image_->isNull()) return nullptr;
  if (Pen.Mode == TPenMode::pmNop) return nullptr;
  if (!painter_.isActive()) painter_.begin(image_);
  painter_.setCompositionMode(ModeOf(Pen.Mode));
  painter_.setRenderHint(QPainter::Antialiasing, Antialias && Pen.Mode == TPenMode::pmCopy);
  QPen pen = use == TUse::kBrush ? QPen(Qt::NoPen) : QtPen(Pen);
  if (Vector() && pen.style() != Qt::NoPen && pen.width() == 0) {
    // One logical pixel wide, so that a HiDPI frame draws it as wide as an ordinary one.
    pen.setWidth(1);
  }
  painter_.setPen(pen);
  painter_.setBrush(use == TUse::kPen ? QBrush(Qt::NoBrush) : QtBrush(Brush));
  return &painter_;
}

QPainter* TQtCanvas::BeginPlain() {
  if (image_->isNull()) return nullptr;
  if (!painter_.isActive()) painter_.begin(image_);
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(Qt::NoBrush);
  return &painter_;
}

void TQtCanvas::End() {
  if (frame_depth_ == 0 && painter_.isActive()) painter_.end();
  Changed();
}

bool TQtCanvas::Vector() const {
  return (Antialias && Pen.Mode == TPenMode::pmCopy) || Scale() != 1.0;
}

QPolygonF TQtCanvas::Corners(const std::vector<TPoint>& points) const {
  QPolygonF poly = ToQPolygon(points);
  if (Vector()) poly.translate(0.5, 0.5);
  return poly;
}

void TQtCanvas::MoveTo(int x, int y) {
  pos_ = {x, y};
}

void TQtCanvas::LineTo(int x, int y) {
  const TPoint from = pos_;
  pos_ = {x, y};
  if (Pen.Style == TPenStyle::psClear || Pen.Mode == TPenMode::pmNop) return;
  if (Pen.Width <= 1 && !Vector()) {
    ThinLine(from, pos_);
    Changed();
  } else if (QPainter* p = Begin(TUse::kPen)) {
    const double o = Vector() ? 0.5 : 0.0;
    p->drawLine(QLineF(from.X + o, from.Y + o, x + o, y + o));
    End();
  }
}

void TQtCanvas::ThinLine(TPoint a, TPoint b, bool with_end) {
  // Qt's one-pixel lines leave out the pixel at the right or bottom end whichever way the
  // line runs, and sample half a pixel off the line's ends; lines drawn here start exactly on
  // their first point and leave out their last, so chained lines meet without a gap or a
  // doubled pixel and XOR previews erase exactly.
  const long long dx = static_cast<long long>(b.X) - a.X;
  const long long dy = static_cast<long long>(b.Y) - a.Y;
  if ((dx == 0 && dy == 0 && !with_end) || image_->isNull()) return;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const long long length = x_major ? std::llabs(dx) : std::llabs(dy);
  const long long n = length + (with_end ? 1 : 0);  // pixels 0 .. n - 1
  const long long major0 = x_major ? a.X : a.Y;
  const long long minor0 = x_major ? a.Y : a.X;
  const long long step = (x_major ? dx : dy) > 0 ? 1 : -1;
  const long long dminor = x_major ? dy : dx;
  const long long major_size = x_major ? image_->width() : image_->height();
  const long long minor_size = x_major ? image_->height() : image_->width();
  // Only the steps whose major coordinate lies in the image: at most one row or column of
  // work, however far outside the line's ends are.
  long long lo, hi;
  if (step > 0) {
    lo = std::max(0LL, -major0);
    hi = std::min(n - 1, major_size - 1 - major0);
  } else {
    lo = std::max(0LL, major0 - (major_size - 1));
    hi = std::min(n - 1, major0);
  }
  const QRgb color = TColorToQRgb(Pen.Color) & 0x00FFFFFFu;
  const TPenMode mode = Pen.Mode;
  uchar* bits = image_->bits();
  const qsizetype stride = image_->bytesPerLine();
  // The minor coordinate of step i is minor0 +- (2 i |dminor| + length) div (2 length): the
  // exact position rounded to nearest, halves away from the start. Worked out once for the
  // first visible step, then carried along (|dminor| <= length, so it grows by at most one).
  const long long adm = dminor < 0 ? -dminor : dminor;
  const long long den = 2 * std::max(length, 1LL);
  long long offset = 0;
  long long rem = 0;
  if (lo <= hi) {
    const __int128 num = static_cast<__int128>(2 * lo) * adm + length;
    offset = static_cast<long long>(num / den);
    rem = static_cast<long long>(num % den);
  }
  for (long long i = lo; i <= hi; ++i) {
    if (i > lo) {
      rem += 2 * adm;
      if (rem >= den) {
        rem -= den;
        ++offset;
      }
    }
    const long long minor = minor0 + (dminor < 0 ? -offset : offset);
    if (minor < 0 || minor >= minor_size) continue;
    const long long major = major0 + step * i;
    const int px = static_cast<int>(x_major ? major : minor);
    const int py = static_cast<int>(x_major ? minor : major);
    QRgb& dst = reinterpret_cast<QRgb*>(bits + py * stride)[px];
    switch (mode) {
      case TPenMode::pmXor:
        dst = ((dst ^ color) & 0x00FFFFFFu) | 0xFF000000u;
        break;
      case TPenMode::pmNotXor:
        dst = (~(dst ^ color) & 0x00FFFFFFu) | 0xFF000000u;
        break;
      default:
        dst = color | 0xFF000000u;
        break;
    }
  }
}

void TQtCanvas::ThinOutline(const std::vector<TPoint>& points, bool closed) {
  // Segment by segment, each without its end pixel, so that in the XOR modes every pixel of
  // the outline is touched once.
  if (Vector()) {
    if (QPainter* p = Begin(TUse::kPen)) {
      if (closed) {
        p->drawPolygon(Corners(points));
      } else {
        p->drawPolyline(Corners(points));
      }
      End();
    }
    return;
  }
  const std::size_t n = points.size();
  const std::size_t count = closed ? n : n - 1;
  for (std::size_t i = 0; i < count; ++i) ThinLine(points[i], points[(i + 1) % n]);
  Changed();
}

void TQtCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.size() < 2 || Pen.Style == TPenStyle::psClear || Pen.Mode == TPenMode::pmNop) {
    return;
  }
  if (Pen.Width <= 1) {
    ThinOutline(points, false);
  } else if (QPainter* p = Begin(TUse::kPen)) {
    p->drawPolyline(Corners(points));  // joined thick outline
    End();
  }
}

void TQtCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  if (Pen.Width > 1 || Pen.Style == TPenStyle::psClear) {
    if (QPainter* p = Begin(TUse::kPenAndBrush)) {
      p->drawPolygon(Corners(points), Qt::OddEvenFill);
      End();
    }
    return;
  }
  // A one-pixel outline: fill first, then the outline segment by segment.
  if (Brush.Style != bsClear) {
    if (QPainter* p = Begin(TUse::kBrush)) {
      p->drawPolygon(Corners(points), Qt::OddEvenFill);
      End();
    }
  }
  if (Pen.Mode != TPenMode::pmNop) ThinOutline(points, true);
}

void TQtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const TBox box(x1, y1, x2, y2);
  if (box.Empty()) return;
  const bool outline = Pen.Style != TPenStyle::psClear;
  if (Brush.Style != bsClear) {
    // Inside a one-pixel outline the fill leaves the outline's pixels alone, so that in the XOR
    // modes no pixel is touched twice; without an outline it covers the whole box.
    QRectF area = box.Area();
    if (outline && Pen.Width <= 1) area.adjust(1, 1, -1, -1);
    if (area.width() > 0 && area.height() > 0) {
      if (QPainter* p = Begin(TUse::kBrush)) {
        p->drawRect(area);
        End();
      }
    }
  }
  if (!outline || Pen.Mode == TPenMode::pmNop) return;
  if (Pen.Width > 1) {
    if (QPainter* p = Begin(TUse::kPen)) {
      p->drawRect(box.Stroke());
      End();
    }
    return;
  }
  // The outermost pixels of the box, each once.
  const int l = std::min(x1, x2), t = std::min(y1, y2);
  const int r = std::max(x1, x2) - 1, b = std::max(y1, y2) - 1;
  if (l == r || t == b) {
    // A box one pixel wide or high is a line.
    if (Vector()) {
      if (QPainter* p = BeginPlain()) {
        p->fillRect(QRectF(l, t, r - l + 1, b - t + 1), QColor(TColorToQRgb(Pen.Color)));
        End();
      }
      return;
    }
    ThinLine({l, t}, {r, b}, true);
    Changed();
  } else {
    ThinOutline({{l, t}, {r, t}, {r, b}, {l, b}}, true);
  }
}

void TQtCanvas::FillRect(const TRect& r) {
  if (r.Right <= r.Left || r.Bottom <= r.Top || Brush.Style == bsClear) return;
  const TBox box(r.Left, r.Top, r.Right, r.Bottom);
  // The brush alone, whatever the pen mode.
  if (QPainter* p = BeginPlain()) {
    p->fillRect(box.Area(), QtBrush(Brush));
    End();
  }
}

void TQtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const TBox box(x1, y1, x2, y2);
  if (box.Empty()) return;
  if (QPainter* p = Begin(TUse::kPenAndBrush)) {
    p->drawEllipse(Pen.Style == TPenStyle::psClear ? box.Area() : box.Stroke());
    End();
  }
}

QFont TQtCanvas::CurrentQFont() {
  SyncFontSize();
  if (qfont_for_ && *qfont_for_ == Font) return qfont_;
  QFont f(QString::fromStdString(Font.Name));
  // Glyphs beyond a few thousand pixels cannot show on any screen and only cost memory.
  constexpr int kMaxPixels = 4096;
  if (Font.Height > 0) {
    // A positive height is the whole cell (ascent + descent): scale the em to fit it.
    const int cell_height = std::min(Font.Height, kMaxPixels);
    f.setPixelSize(cell_height);
    const int cell = QFontMetrics(f).height();
    if (cell > 0) f.setPixelSize(std::max(1, cell_height * cell_height / cell));
  } else {
    long long pixels = -static_cast<long long>(Font.Height);
    if (pixels == 0) pixels = std::llround(Font.Size * ScreenPixelsPerInch() / 72.0);
    f.setPixelSize(static_cast<int>(std::clamp(pixels, 1LL, static_cast<long long>(kMaxPixels))));
  }
  f.setBold(Font.Bold);
  f.setItalic(Font.Italic);
  qfont_for_ = Font;
  qfont_ = f;
  return f;
}

void TQtCanvas::TextOut(int x, int y, const std::string& text) {
  const QFont font = CurrentQFont();
  const QString s = QString::fromStdString(text);
  QPainter* p = BeginPlain();
  if (!p) return;
  p->setFont(font);
  const QFontMetrics fm(font);
  if (Brush.Style != bsClear) {
    p->fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()),
                QColor(TColorToQRgb(Brush.Color)));
  }
  p->setPen(QColor(TColorToQRgb(Font.Color)));
  p->drawText(QPoint(x, y + fm.ascent()), s);
  End();
}

int TQtCanvas::TextWidth(const std::string& text) {
  return QFontMetrics(CurrentQFont()).horizontalAdvance(QString::fromStdString(text));
}

int TQtCanvas::TextHeight(const std::string&) {
  return QFontMetrics(CurrentQFont()).height();
}

TColor TQtCanvas::GetPixel(int x, int y) {
  const double d = Scale();
  if (d != 1.0) {
    // The logical pixel's first device pixel.
    x = static_cast<int>(std::floor(x * d));
    y = static_cast<int>(std::floor(y * d));
  }
  if (!image_->valid(x, y)) return -1;
  return QRgbToTColor(reinterpret_cast<const QRgb*>(image_->constScanLine(y))[x]);
}

void TQtCanvas::SetPixel(int x, int y, TColor c) {
  const double d = Scale();
  if (d != 1.0) {
    // Every device pixel of the logical one.
    const int x0 = std::max(0, static_cast<int>(std::floor(x * d)));
    const int y0 = std::max(0, static_cast<int>(std::floor(y * d)));
    const int x1 = std::min(image_->width(), static_cast<int>(std::floor((x + 1.0) * d)));
    const int y1 = std::min(image_->height(), static_cast<int>(std::floor((y + 1.0) * d)));
    if (x0 >= x1 || y0 >= y1) return;
    const QRgb rgb = TColorToQRgb(c);
    for (int row = y0; row < y1; ++row) {
      QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(row));
      for (int col = x0; col < x1; ++col) line[col] = rgb;
    }
    Changed();
    return;
  }
  if (!image_->valid(x, y)) return;
  reinterpret_cast<QRgb*>(image_->scanLine(y))[x] = TColorToQRgb(c);
  Changed();
}

void TQtCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
  if (dest.Width() <= 0 || dest.Height() <= 0 || src.Width() <= 0 || src.Height() <= 0) return;
  auto* qt_source = dynamic_cast<TQtCanvas*>(&source);
  if (!qt_source) {
    // Another kind of canvas: sample its pixels.
    for (int y = 0; y < dest.Height(); ++y) {
      const int sy =
          src.Top + static_cast<int>((2LL * y + 1) * src.Height() / (2LL * dest.Height()));
      for (int x = 0; x < dest.Width(); ++x) {
        const int sx =
            src.Left + static_cast<int>((2LL * x + 1) * src.Width() / (2LL * dest.Width()));
        const TColor c = source.GetPixel(sx, sy);
        if (image_->valid(dest.Left + x, dest.Top + y)) {
          reinterpret_cast<QRgb*>(image_->scanLine(dest.Top + y))[dest.Left + x] = TColorToQRgb(c);
        }
      }
    }
    Changed();
    return;
  }
  const QRect target(dest.Left, dest.Top, dest.Width(), dest.Height());
  QRect from(src.Left, src.Top, src.Width(), src.Height());
  if (const double d = qt_source->Scale(); d != 1.0) {
    from = QRectF(from.x() * d, from.y() * d, from.width() * d, from.height() * d).toRect();
  }
  // Copying within one image goes through a copy of the source part.
  const QImage part = qt_source->image_->copy(from);
  if (QPainter* p = BeginPlain()) {
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(target, part);
    End();
  }
}

void TQtCanvas::StretchDraw(const TRect& dest, const TPicture& picture) {
  const auto* bitmap = dynamic_cast<const TQtBitmap*>(&picture);
  if (!bitmap) {
    TCanvas::StretchDraw(dest, picture);
    return;
  }
  if (dest.Width() <= 0 || dest.Height() <= 0 || bitmap->Image().isNull()) return;
  if (QPainter* p = BeginPlain()) {
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->setRenderHint(QPainter::SmoothPixmapTransform, true);
    p->drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), bitmap->Image());
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    End();
  }
}
