#include "qt_control.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "qor_obj.h"

void InitScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const double ppi = screen->logicalDotsPerInch();
  if (ppi > 0) SetScreenPixelsPerInch(static_cast<int>(std::lround(ppi)));
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

TQtImage::TQtImage(QWidget* parent) : QWidget(parent), canvas_(0, 0, clBlack) {
  // The picture covers the whole widget: no background erase needed before a repaint.
  setAttribute(Qt::WA_OpaquePaintEvent);
  canvas_.OnChanged = [this] { update(); };
}

void TQtImage::SetFollowSize(bool follow) {
  follow_size_ = follow;
  if (follow_size_) canvas_.SetSize(width(), height(), FillColor);
}

void TQtImage::resizeEvent(QResizeEvent* event) {
  if (follow_size_) canvas_.SetSize(width(), height(), FillColor);
  QWidget::resizeEvent(event);
}

void TQtImage::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QImage& image = canvas_.Image();
  const QRect shown = event->rect() & image.rect();
  if (!shown.isEmpty()) p.drawImage(shown.topLeft(), image, shown);
  // Beyond a smaller picture: the fill colour.
  const QRegion rest = QRegion(event->rect()) - QRegion(image.rect());
  for (const QRect& r : rest) p.fillRect(r, QColor(TColorToQRgb(FillColor)));
}
