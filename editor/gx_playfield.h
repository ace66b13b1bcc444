#pragma once
// The editor's play field: an image widget whose picture the document draws (it is the
// document's TEditSurface) and whose mouse events go to the document's gesture entry points.
// The first button pressed starts what the document does and the last one released ends it;
// presses and releases of further buttons in between go nowhere. The middle button, and the
// left one while Space is held (with the focus on the field), pan the view instead; the wheel
// zooms about the pointer. The mouse cursor shows what a press would do where it is
// (TEditDocument::CursorAt).
#include <functional>

#include "gx_editdoc.h"
#include "qt_control.h"

class TEditPlayField : public TQtImage, public TEditSurface {
  Q_OBJECT

 public:
  explicit TEditPlayField(QWidget* parent = nullptr);

  void SetDocument(TEditDocument* doc) { doc_ = doc; }

  // TEditSurface
  TCanvas& Canvas() override { return TQtImage::Canvas(); }
  const TControl& Control() const override { return *this; }
  void BeginFrame() override { TQtImage::Canvas().BeginPaint(); }
  void EndFrame() override { TQtImage::Canvas().EndPaint(); }
  bool Showing() const override { return isVisible(); }

  // Called after the picture took the new size (the window redraws then).
  std::function<void()> OnResized;

  // Asks the document again what the cursor is where the mouse is (after a tool changed).
  void RefreshCursor();
  TEditCursor CursorShown() const { return cursor_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Runs a document operation; an error is shown in the "Error" box, not thrown through Qt.
  template <typename Operation>
  void Guarded(Operation op);
  void ShowCursor(bool shift, QPoint at);

  TEditDocument* doc_ = nullptr;
  TEditCursor cursor_ = TEditCursor::Default;
  bool space_ = false;  // Space is held: a left drag pans
  int wheel_ = 0;       // wheel turns short of a notch (120), from wheels that turn finely
};
