#include "gx_playfield.h"

#include <QMouseEvent>
#include <QResizeEvent>

TEditPlayField::TEditPlayField(QWidget* parent) : TQtImage(parent) {
  setMouseTracking(true);  // moves without a button reach the document too
  // A click on the maze takes the focus from a text field, so that the arrows move corners.
  setFocusPolicy(Qt::ClickFocus);
  setMinimumSize(1, 1);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TEditPlayField::resizeEvent(QResizeEvent* event) {
  TQtImage::resizeEvent(event);
  if (OnResized) OnResized();
}

void TEditPlayField::showEvent(QShowEvent* event) {
  TQtImage::showEvent(event);
  if (OnResized) OnResized();
}

namespace {
bool Shift(const QMouseEvent* e) {
  return e->modifiers() & Qt::ShiftModifier;
}
int X(const QMouseEvent* e) {
  return static_cast<int>(e->position().x());
}
int Y(const QMouseEvent* e) {
  return static_cast<int>(e->position().y());
}
}  // namespace

void TEditPlayField::mousePressEvent(QMouseEvent* event) {
  if (doc_) doc_->PlayFieldMouseDown(Shift(event), X(event), Y(event));
  event->accept();
}

void TEditPlayField::mouseMoveEvent(QMouseEvent* event) {
  if (doc_) doc_->PlayFieldMouseMove(Shift(event), X(event), Y(event));
  event->accept();
}

void TEditPlayField::mouseReleaseEvent(QMouseEvent* event) {
  if (doc_) doc_->PlayFieldMouseUp(Shift(event), X(event), Y(event));
  event->accept();
}
