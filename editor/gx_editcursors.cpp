#include "gx_editcursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <numbers>

namespace {

constexpr int kSize = 32;
constexpr int kHot = 15;  // the hot spot, in the middle

// Draws the path twice: a wide dark outline, then the white line on it.
void Outlined(QPainter& p, const QPainterPath& path, double width) {
  QPen outline(QColor(20, 20, 20), width + 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.strokePath(path, outline);
  QPen line(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.strokePath(path, line);
}

QPainterPath Cross(double c, double r) {
  QPainterPath path;
  path.moveTo(c - r, c);
  path.lineTo(c + r, c);
  path.moveTo(c, c - r);
  path.lineTo(c, c + r);
  return path;
}

template <typename Paint>
QCursor Painted(Paint paint) {
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  {
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
  }
  return QCursor(pm, kHot, kHot);
}

// A thin cross with a small plus below right: a corner goes on the edge here.
QCursor InsertCursor() {
  return Painted([](QPainter& p) {
    Outlined(p, Cross(kHot + 0.5, 9), 1.0);
    Outlined(p, Cross(25.5, 3.5), 1.5);
  });
}

// A circle of arrows round the hot spot: up and down turn the polygon.
QCursor RotateCursor() {
  return Painted([](QPainter& p) {
    const double c = kHot + 0.5;
    const double r = 9;
    QPainterPath arc;
    arc.arcMoveTo(c - r, c - r, 2 * r, 2 * r, 110);
    arc.arcTo(c - r, c - r, 2 * r, 2 * r, 110, 300);
    // The head at the arc's end, pointing along it (clockwise on screen).
    const double a = (110 + 300) * std::numbers::pi / 180;
    const QPointF tip(c + r * std::cos(a), c - r * std::sin(a));
    const QPointF along(std::sin(a), std::cos(a));  // the way the arc runs there
    const QPointF side(std::cos(a), -std::sin(a));
    arc.moveTo(tip + 4 * side - 3 * along);
    arc.lineTo(tip + 2 * along);
    arc.lineTo(tip - 4 * side - 3 * along);
    Outlined(p, arc, 1.5);
    Outlined(p, Cross(c, 1.5), 1.0);
  });
}

// A bold plus: a click places the new ball, polygon or gear here.
QCursor AddCursor() {
  return Painted([](QPainter& p) { Outlined(p, Cross(kHot + 0.5, 7), 2.5); });
}

}  // namespace

// Painted ones are made when asked for (the play field asks only when the shape changes), so
// that no pixmap outlives the application.
QCursor EditCursor(TEditCursor c) {
  switch (c) {
    case TEditCursor::Corner:
      return QCursor(Qt::CrossCursor);
    case TEditCursor::Edge:
      return InsertCursor();
    case TEditCursor::MovePolygon:
      return QCursor(Qt::SizeAllCursor);
    case TEditCursor::Size:
      return QCursor(Qt::SizeHorCursor);
    case TEditCursor::Rotate:
      return RotateCursor();
    case TEditCursor::Ball:
      return QCursor(Qt::OpenHandCursor);
    case TEditCursor::DragBall:
    case TEditCursor::DragRefPoint:
    case TEditCursor::Pan:
      return QCursor(Qt::ClosedHandCursor);
    case TEditCursor::RefPoint:
      return QCursor(Qt::PointingHandCursor);
    case TEditCursor::Add:
      return AddCursor();
    case TEditCursor::Default:
      break;
  }
  return QCursor(Qt::ArrowCursor);
}
