#include "gx_playfield.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QResizeEvent>
#include <cmath>
#include <exception>

#include "gx_dialogs.h"
#include "gx_editcursors.h"

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
// The pixel under the mouse; left of or above the field is negative.
int X(const QMouseEvent* e) {
  return static_cast<int>(std::floor(e->position().x()));
}
int Y(const QMouseEvent* e) {
  return static_cast<int>(std::floor(e->position().y()));
}
}  // namespace

template <typename Operation>
void TEditPlayField::Guarded(Operation op) {
  if (!doc_) return;
  try {
    op();
  } catch (const std::exception& e) {
    doc_->Dialogs().ShowError(e.what());
  }
}

void TEditPlayField::ShowCursor(bool shift, QPoint at) {
  if (!doc_) return;
  const TEditCursor c = doc_->CursorAt(shift, at.x(), at.y());
  if (c == cursor_) return;
  cursor_ = c;
  setCursor(EditCursor(c));
}

void TEditPlayField::RefreshCursor() {
  if (!doc_ || !underMouse()) return;
  Guarded([this] {
    ShowCursor(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier,
               mapFromGlobal(QCursor::pos()));
  });
}

void TEditPlayField::mousePressEvent(QMouseEvent* event) {
  event->accept();
  // A further button while one is held: neither a second drag nor the end of the first.
  if (event->buttons() != event->button()) return;
  Guarded([&] {
    // A drag whose release went elsewhere (the mouse was taken away from the window) ends
    // where it was last seen before this press starts anything.
    if (doc_->Dragging()) doc_->EndDrag();
    doc_->PlayFieldMouseDown(Shift(event), X(event), Y(event));
    ShowCursor(Shift(event), QPoint(X(event), Y(event)));
  });
}

void TEditPlayField::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  Guarded([&] {
    doc_->PlayFieldMouseMove(Shift(event), X(event), Y(event));
    ShowCursor(Shift(event), QPoint(X(event), Y(event)));
  });
}

void TEditPlayField::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->buttons() != Qt::NoButton) return;  // the drag ends with the last button
  Guarded([&] {
    doc_->PlayFieldMouseUp(Shift(event), X(event), Y(event));
    ShowCursor(Shift(event), QPoint(X(event), Y(event)));
  });
}
