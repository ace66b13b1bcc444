#pragma once
// Controls of the Qt build as the model sees them (TControl: a client size), and the image
// control: a widget showing a picture that can be drawn on at any time.
#include <QWidget>

#include "canvas.h"
#include "qt_canvas.h"

// The client size of any widget.
class TQtControl : public TControl {
 public:
  explicit TQtControl(const QWidget& widget) : widget_(widget) {}
  int ClientWidth() const override { return widget_.width(); }
  int ClientHeight() const override { return widget_.height(); }

 private:
  const QWidget& widget_;
};

// Tells ScaleToScreen the primary screen's logical pixels per inch. Call once, after the
// application object exists; without a screen the value stays as it is.
void InitScreenPixelsPerInch();

// Moves a window so that its frame stands in the middle of its screen's free area (the
// dialogs open centred on the screen, not on their owner).
void CentreOnScreen(QWidget& window);

// A widget holding a picture with its own canvas. Whatever is drawn on Canvas() shows at the
// next repaint, which every drawing call requests, so the model can draw from a timer tick or
// a mouse handler as well as from a paint. The picture follows the widget's size unless
// FollowSize is off; a resize keeps what was drawn in the top-left corner.
class TQtImage : public QWidget, public TControl {
  Q_OBJECT

 public:
  explicit TQtImage(QWidget* parent = nullptr);

  int ClientWidth() const override { return width(); }
  int ClientHeight() const override { return height(); }
  TQtCanvas& Canvas() { return canvas_; }
  const QImage& Image() const { return canvas_.Image(); }

  bool FollowSize() const { return follow_size_; }
  void SetFollowSize(bool follow);
  // Colour of the pixels a growing picture gains.
  TColor FillColor = clBlack;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TQtCanvas canvas_;
  bool follow_size_ = true;
};
