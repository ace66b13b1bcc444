#include "gx_playfield.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>
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
  if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && space_)) {
    Guarded([&] {
      if (doc_->Dragging()) doc_->EndDrag();
      doc_->BeginPan(X(event), Y(event));
      ShowCursor(Shift(event), QPoint(X(event), Y(event)));
    });
    return;
  }
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
    if (doc_->Panning()) {
      doc_->PanTo(X(event), Y(event));
    } else {
      doc_->PlayFieldMouseMove(Shift(event), X(event), Y(event));
    }
    ShowCursor(Shift(event), QPoint(X(event), Y(event)));
  });
}

void TEditPlayField::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->buttons() != Qt::NoButton) return;  // the drag ends with the last button
  Guarded([&] {
    if (doc_->Panning()) {
      doc_->EndPan(X(event), Y(event));
    } else {
      doc_->PlayFieldMouseUp(Shift(event), X(event), Y(event));
    }
    ShowCursor(Shift(event), QPoint(X(event), Y(event)));
  });
}

void TEditPlayField::wheelEvent(QWheelEvent* event) {
  event->accept();
  wheel_ += event->angleDelta().y();
  const int steps = wheel_ / 120;
  if (steps == 0) return;
  wheel_ -= steps * 120;
  const int x = static_cast<int>(std::floor(event->position().x()));
  const int y = static_cast<int>(std::floor(event->position().y()));
  Guarded([&] {
    doc_->ZoomAt(x, y, steps);
    ShowCursor(event->modifiers() & Qt::ShiftModifier, QPoint(x, y));
  });
}

void TEditPlayField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    space_ = true;
    event->accept();
    return;
  }
  TQtImage::keyPressEvent(event);
}

void TEditPlayField::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    if (!event->isAutoRepeat()) space_ = false;
    event->accept();
    return;
  }
  TQtImage::keyReleaseEvent(event);
}

void TEditPlayField::focusOutEvent(QFocusEvent* event) {
  space_ = false;  // its release goes elsewhere
  TQtImage::focusOutEvent(event);
}
