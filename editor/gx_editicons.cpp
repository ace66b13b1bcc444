#include "gx_editicons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace {

const QColor kInk(32, 32, 40);
const QColor kBlue(40, 100, 210);
const QColor kLightBlue(150, 190, 245);
const QColor kGreen(20, 150, 60);
const QColor kRed(210, 40, 40);
const QColor kOrange(240, 150, 20);
const QColor kYellow(250, 200, 0);

// One pixel wide on the 16 grid; lines at .5 fall on pixel centres at 1x and on pixel edges
// of a two-pixel line at 2x, so both stay sharp.
QPen Thin(const QColor& c) {
  QPen pen(c, 1.0);
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

QPen Thick(const QColor& c) {
  QPen pen(c, 2.0);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
  p.setPen(Thin(c));
  p.drawLine(from, to);
  const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
  const double s = 3.0;
  QPolygonF head;
  head << to << QPointF(to.x() - s * std::cos(a - 0.6), to.y() - s * std::sin(a - 0.6))
       << QPointF(to.x() - s * std::cos(a + 0.6), to.y() - s * std::sin(a + 0.6));
  p.setBrush(c);
  p.drawPolygon(head);
}

// A green disc with a white plus in the bottom-right corner: "new".
void PlusBadge(QPainter& p) {
  p.setPen(Thin(QColor(10, 90, 30)));
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(12, 12), 3.6, 3.6);
  p.setPen(Thin(Qt::white));
  p.drawLine(QPointF(12, 10), QPointF(12, 14));
  p.drawLine(QPointF(10, 12), QPointF(14, 12));
}

// A green loop arrow in the bottom-right corner: "animated".
void LoopBadge(QPainter& p) {
  p.setBrush(Qt::white);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(12, 12), 4, 4);
  QPen pen(kGreen, 1.6);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(9.2, 9.2, 5.6, 5.6), 100 * 16, 280 * 16);
  QPolygonF head;
  head << QPointF(12.6, 7.9) << QPointF(12.6, 11.3) << QPointF(10.2, 9.6);
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawPolygon(head);
}

// A green disc with a white triangle pointing right in the bottom-right corner: "play".
void PlayBadge(QPainter& p) {
  p.setPen(Thin(QColor(10, 90, 30)));
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(11.5, 11.5), 4, 4);
  QPolygonF play;
  play << QPointF(10, 9.3) << QPointF(14, 11.5) << QPointF(10, 13.7);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(play);
}

void Handle(QPainter& p, QPointF c, const QColor& fill) {
  p.setPen(Thin(kInk));
  p.setBrush(fill);
  p.drawRect(QRectF(c.x() - 1.5, c.y() - 1.5, 3, 3));
}

void DrawResizeSymbol(QPainter& p) {
  p.setPen(Thin(kInk));
  p.setBrush(kLightBlue);
  p.drawRect(QRectF(1.5, 7.5, 6, 6));
  p.setPen(Thin(kInk));
  p.setBrush(Qt::NoBrush);
  QPen dash = Thin(kBlue);
  dash.setStyle(Qt::DotLine);
  p.setPen(dash);
  p.drawRect(QRectF(1.5, 1.5, 12, 12));
  Arrow(p, QPointF(5, 10), QPointF(12.5, 2.5), kInk);
}

void DrawRotateSymbol(QPainter& p) {
  p.setPen(Thin(kInk));
  p.setBrush(kLightBlue);
  p.drawRect(QRectF(5.5, 5.5, 5, 5));
  QPen pen(kBlue, 1.5);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(1.5, 1.5, 13, 13), 30 * 16, 270 * 16);
  QPolygonF head;
  head << QPointF(14.8, 2.2) << QPointF(14.6, 7.4) << QPointF(10.2, 4.6);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(head);
}

void DrawMoveSymbol(QPainter& p, bool small) {
  const QPointF c = small ? QPointF(6, 8) : QPointF(8, 8);
  const double r = small ? 5 : 6.5;
  Arrow(p, c, QPointF(c.x() - r, c.y()), kInk);
  Arrow(p, c, QPointF(c.x() + r, c.y()), kInk);
  if (!small) {
    Arrow(p, c, QPointF(c.x(), c.y() - r), kInk);
    Arrow(p, c, QPointF(c.x(), c.y() + r), kInk);
  }
  Handle(p, c, small ? kLightBlue : kYellow);
}

void DrawGear(QPainter& p) {
  const QPointF c(7, 7);
  const int teeth = 7;
  QPolygonF g;
  for (int i = 0; i < teeth; ++i) {
    const double q = 2 * std::numbers::pi / teeth;
    const double a = i * q - std::numbers::pi / 2;
    const double l = 0.16 * q;
    const double parts[][2] = {{a - 0.5 * q + l, 4.3},
                               {a - 0.25 * q, 4.3},
                               {a - 0.25 * q + l * 0.6, 6.6},
                               {a + 0.25 * q - l * 0.6, 6.6},
                               {a + 0.25 * q, 4.3}};
    for (const auto& pt : parts) {
      g << QPointF(c.x() + pt[1] * std::cos(pt[0]), c.y() + pt[1] * std::sin(pt[0]));
    }
  }
  p.setPen(Thin(kInk));
  p.setBrush(QColor(170, 170, 185));
  p.drawPolygon(g);
  p.setBrush(Qt::white);
  p.drawEllipse(c, 1.6, 1.6);
}

void Paint(QPainter& p, int index) {
  switch (index) {
    case ti_NewMaze: {
      p.setPen(Thin(kInk));
      p.setBrush(QColor(20, 20, 30));
      p.drawRect(QRectF(0.5, 0.5, 13, 13));
      p.setPen(Thick(QColor(0, 210, 220)));
      p.drawLine(QPointF(1, 5), QPointF(9, 5));
      p.drawLine(QPointF(5, 9), QPointF(13, 9));
      p.drawLine(QPointF(4, 9), QPointF(4, 13));
      PlusBadge(p);
      break;
    }
    case ti_NewPolygon: {
      QPolygonF pent;
      pent << QPointF(6.5, 1.5) << QPointF(12.5, 5.5) << QPointF(10.5, 12.5) << QPointF(2.5, 12.5)
           << QPointF(0.5, 5.5);
      p.setPen(Thin(kBlue));
      p.setBrush(kLightBlue);
      p.drawPolygon(pent);
      PlusBadge(p);
      break;
    }
    case ti_NewBall: {
      p.setPen(Thin(QColor(150, 80, 0)));
      p.setBrush(kOrange);
      p.drawEllipse(QPointF(6.5, 6.5), 5.5, 5.5);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 230, 170));
      p.drawEllipse(QPointF(4.8, 4.6), 1.6, 1.6);
      PlusBadge(p);
      break;
    }
    case ti_ClearBalls: {
      p.setPen(Thin(QColor(150, 80, 0)));
      p.setBrush(kOrange);
      p.drawEllipse(QPointF(4, 4.5), 2.8, 2.8);
      p.drawEllipse(QPointF(11.5, 5), 2.8, 2.8);
      p.drawEllipse(QPointF(7.5, 11.5), 2.8, 2.8);
      p.setPen(Thick(kRed));
      p.drawLine(QPointF(2, 2), QPointF(14, 14));
      p.drawLine(QPointF(14, 2), QPointF(2, 14));
      break;
    }
    case ti_InsertPoint: {
      p.setPen(Thin(kBlue));
      p.drawLine(QPointF(1.5, 12.5), QPointF(14.5, 12.5));
      Handle(p, QPointF(2, 12.5), kLightBlue);
      Handle(p, QPointF(14, 12.5), kLightBlue);
      Handle(p, QPointF(8, 12.5), kGreen);
      Arrow(p, QPointF(8, 1.5), QPointF(8, 9.5), kGreen);
      break;
    }
    case ti_Landing: {
      QPolygonF rocket;
      rocket << QPointF(8, 0.5) << QPointF(11, 8.5) << QPointF(5, 8.5);
      p.setPen(Thin(kInk));
      p.setBrush(kLightBlue);
      p.drawPolygon(rocket);
      p.setPen(Thin(kOrange));
      p.drawLine(QPointF(7.5, 9.5), QPointF(7.5, 10.5));
      p.drawLine(QPointF(8.5, 9.5), QPointF(8.5, 10.5));
      p.setPen(Thick(kYellow));
      p.drawLine(QPointF(1, 13), QPointF(15, 13));
      p.setPen(Thin(kInk));
      p.drawLine(QPointF(3.5, 14.5), QPointF(3.5, 15.5));
      p.drawLine(QPointF(12.5, 14.5), QPointF(12.5, 15.5));
      break;
    }
    case ti_AutoSize:
      DrawResizeSymbol(p);
      LoopBadge(p);
      break;
    case ti_Resize:
      DrawResizeSymbol(p);
      break;
    case ti_AutoTranslate:
      p.setPen(Thin(kInk));
      p.setBrush(kLightBlue);
      p.drawRect(QRectF(3.5, 2.5, 5, 5));
      Arrow(p, QPointF(6, 5), QPointF(0.5, 5), kInk);
      Arrow(p, QPointF(6, 5), QPointF(12.5, 5), kInk);
      LoopBadge(p);
      break;
    case ti_AutoRotate:
      DrawRotateSymbol(p);
      LoopBadge(p);
      break;
    case ti_NewGear:
      DrawGear(p);
      PlusBadge(p);
      break;
    case ti_Rotate:
      DrawRotateSymbol(p);
      break;
    case ti_MovePoint:
      DrawMoveSymbol(p, false);
      break;
    case ti_TestPlay: {
      // The rocket climbing to the upper left, its flame behind it.
      QPolygonF rocket;
      rocket << QPointF(1.5, 1.5) << QPointF(9.5, 5) << QPointF(5, 9.5);
      p.setPen(Thin(kInk));
      p.setBrush(kLightBlue);
      p.drawPolygon(rocket);
      p.setPen(Thick(kOrange));
      p.drawLine(QPointF(8.2, 8.2), QPointF(10, 10));
      p.setPen(Thin(kYellow));
      p.drawLine(QPointF(7.5, 9.5), QPointF(8.5, 10.5));
      PlayBadge(p);
      break;
    }
    default:
      break;
  }
}

class TToolIconEngine : public QIconEngine {
 public:
  explicit TToolIconEngine(int index) : index_(index) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->translate(rect.topLeft());
    // The grid keeps its square shape in whatever rectangle is asked for.
    const double side = std::min(rect.width(), rect.height());
    painter->translate((rect.width() - side) / 2, (rect.height() - side) / 2);
    painter->scale(side / 16.0, side / 16.0);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    Paint(*painter, index_);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  // QIcon asks in device pixels (16 x 16 at scale 2 comes as 32 x 32) and sets the pixmap's
  // ratio itself: the grid is simply painted into every pixel asked for.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal /*scale*/) override {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paint(&p, QRect(QPoint(0, 0), pm.size()), mode, state);
    return pm;
  }

  QIconEngine* clone() const override { return new TToolIconEngine(index_); }
  QString key() const override { return QStringLiteral("gravonaut-tool"); }

 private:
  int index_;
};

}  // namespace

QIcon ToolIcon(int index) {
  if (index < 0 || index >= kToolIconCount) return QIcon();
  return QIcon(new TToolIconEngine(index));
}
