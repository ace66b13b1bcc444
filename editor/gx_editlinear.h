#pragma once
// TEditTimeScale: the modal dialog "Edit linear time flow", in which the player drags the
// inner corners of a transform's time path, or inserts new ones by clicking on a segment.
// The plot, the picking and the drags are TTimePathEditor's (editor/core/gx_timepath.h);
// the dialog hands it a double-buffered image of its client area and the mouse. Every change
// runs through the document's gate at the moment it is made (a corner inserted at the press,
// moved at the release), so closing the dialog has nothing to put back: the "&Ok" button and
// the window's close both end it, and EditLinearTimePath reports whether the path changed.
#include <QDialog>

#include "gx_timepath.h"
#include "qt_control.h"

class QPushButton;
class TEditDocument;
class TModalService;
class TTransform;

// The plot: an image the editor core paints, which shows it until it is painted anew (so the
// XOR preview of a drag stays exact).
class TTimePathPlot : public TQtImage {
  Q_OBJECT

 public:
  TTimePathPlot(TEditDocument& doc, TTimePathEditor& editor, QWidget* parent = nullptr);
  // The whole picture drawn anew.
  void Repaint();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TEditDocument& doc_;
  TTimePathEditor& editor_;
};

class TEditTimeScale : public QDialog {
  Q_OBJECT

 public:
  TEditTimeScale(TEditDocument& doc, QWidget* parent = nullptr);
  ~TEditTimeScale() override;

  // The transform whose time path is edited (not owned); the plot is painted anew.
  void SetTraf(TTransform* t);
  TTransform* Traf() const { return editor_.Traf(); }
  TPolygon* Linear() const { return editor_.Linear(); }
  // A drag was started (or a corner inserted) since the transform was set.
  bool IsChanged() const { return editor_.Changed(); }
  TTimePathEditor& Editor() { return editor_; }

  TTimePathPlot* Plot;
  QPushButton* bOk;

 protected:
  void done(int r) override;

 private:
  TTimePathEditor editor_;
};

// Shows the dialog modally (owned by `owner`) on t's time path and frees it. True when the
// path was changed, whether the dialog ended with "&Ok" or was closed: the edits are in the
// transform already and the picture must follow them.
bool EditLinearTimePath(QWidget* owner, TEditDocument& doc, TTransform* t, TModalService& modals);
