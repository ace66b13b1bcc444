#include "gx_timepathicons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const QColor kAxis(120, 120, 130);
const QColor kCurve(30, 80, 200);
const QColor kCorner(20, 30, 110);
const QColor kWood(230, 170, 60);
const QColor kLead(60, 60, 60);

void Axes(QPainter& p) {
  QPen pen(kAxis, 1.0);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
  p.drawLine(QPointF(1.5, 14.5), QPointF(15, 14.5));
}

// The linear path of the glyphs: out, a pause, back.
const QPointF kRamp[] = {{2, 13}, {6, 3}, {10, 5}, {14, 13}};

void Ramp(QPainter& p, bool corners) {
  QPen pen(kCurve, 1.5);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(kRamp, 4);
  if (!corners) return;
  p.setPen(Qt::NoPen);
  p.setBrush(kCorner);
  for (const QPointF& c : kRamp) p.drawRect(QRectF(c.x() - 1.2, c.y() - 1.2, 2.4, 2.4));
}

void Paint(QPainter& p, TTimePathGlyph glyph) {
  Axes(p);
  switch (glyph) {
    case TTimePathGlyph::Sinusoidal: {
      QPainterPath wave;
      for (int i = 0; i <= 24; ++i) {
        const double x = 2 + 12.5 * i / 24.0;
        const double y = 8 - 5.5 * std::sin(2 * std::numbers::pi * i / 24.0);
        if (i == 0) {
          wave.moveTo(x, y);
        } else {
          wave.lineTo(x, y);
        }
      }
      p.setPen(QPen(kCurve, 1.5));
      p.setBrush(Qt::NoBrush);
      p.drawPath(wave);
      break;
    }
    case TTimePathGlyph::Linear:
      Ramp(p, true);
      break;
    case TTimePathGlyph::Edit: {
      Ramp(p, false);
      // A pencil lying from the top right down to a point at the ramp's second corner.
      QPolygonF body;
      body << QPointF(8.0, 6.2) << QPointF(14.2, 0.0) << QPointF(16.0, 1.8) << QPointF(9.8, 8.0);
      p.setPen(QPen(QColor(120, 80, 20), 0.8));
      p.setBrush(kWood);
      p.drawPolygon(body);
      QPolygonF tip;
      tip << QPointF(8.0, 6.2) << QPointF(9.8, 8.0) << QPointF(6.6, 9.4);
      p.setBrush(QColor(245, 220, 180));
      p.drawPolygon(tip);
      p.setPen(Qt::NoPen);
      p.setBrush(kLead);
      p.drawEllipse(QPointF(7.0, 9.0), 0.8, 0.8);
      break;
    }
  }
}

class TTimePathIconEngine : public QIconEngine {
 public:
  explicit TTimePathIconEngine(TTimePathGlyph glyph) : glyph_(glyph) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->translate(rect.topLeft());
    const double side = std::min(rect.width(), rect.height());
    painter->translate((rect.width() - side) / 2, (rect.height() - side) / 2);
    painter->scale(side / 16.0, side / 16.0);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    Paint(*painter, glyph_);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal /*scale*/) override {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paint(&p, QRect(QPoint(0, 0), pm.size()), mode, state);
    return pm;
  }

  QIconEngine* clone() const override { return new TTimePathIconEngine(glyph_); }
  QString key() const override { return QStringLiteral("gravonaut-timepath"); }

 private:
  TTimePathGlyph glyph_;
};

}  // namespace

QIcon TimePathIcon(TTimePathGlyph glyph) {
  return QIcon(new TTimePathIconEngine(glyph));
}
