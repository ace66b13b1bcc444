#pragma once
// The editor's play field: an image widget whose picture the document draws (it is the
// document's TEditSurface) and whose mouse events go to the document's gesture entry points.
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

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TEditDocument* doc_ = nullptr;
};
