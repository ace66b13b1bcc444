#include "gx_editlinear.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>
#include <memory>

#include "colors.h"
#include "gx_dialogs.h"
#include "gx_editdoc.h"
#include "qt_dialogs.h"

namespace {

// An error in a mouse handler is shown here: it must not unwind through Qt's event dispatch.
template <class F>
void Guarded(TEditDocument& doc, F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    doc.Dialogs().ShowError(e.what());
  }
}

}  // namespace

TTimePathPlot::TTimePathPlot(TEditDocument& doc, TTimePathEditor& editor, QWidget* parent)
    : TQtImage(parent), doc_(doc), editor_(editor) {
  setObjectName(QStringLiteral("Plot"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  FillColor = clBtnFace;
}

void TTimePathPlot::Repaint() {
  TQtCanvas& cv = Canvas();
  {
    TQtPaintScope frame(cv);
    editor_.Paint(cv, width(), height());
  }
  update();
}

void TTimePathPlot::resizeEvent(QResizeEvent* event) {
  TQtImage::resizeEvent(event);
  Repaint();
}

void TTimePathPlot::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Guarded(doc_, [&] {
    if (editor_.MouseDown(Canvas(), width(), height(), p.x(), p.y()) && !editor_.Dragging()) {
      Repaint();
    }
  });
  event->accept();
}

void TTimePathPlot::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Guarded(doc_, [&] { editor_.MouseMove(Canvas(), p.x(), p.y()); });
  event->accept();
}

void TTimePathPlot::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Guarded(doc_, [&] {
    if (editor_.MouseUp(Canvas(), p.x(), p.y())) Repaint();
  });
  event->accept();
}

TEditTimeScale::TEditTimeScale(TEditDocument& doc, QWidget* parent)
    : QDialog(parent), editor_(doc) {
  setObjectName(QStringLiteral("EditTimeScale"));
  setWindowTitle(QStringLiteral("Edit linear time flow"));
  setSizeGripEnabled(true);
  Plot = new TTimePathPlot(doc, editor_, this);
  bOk = new QPushButton(QStringLiteral("&Ok"), this);
  bOk->setObjectName(QStringLiteral("bOk"));
  bOk->setDefault(true);
  bOk->setToolTip(QStringLiteral("Close and show the changed path in the maze"));
  connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 6);
  v->setSpacing(0);
  v->addWidget(Plot, 1);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 8, 0);
  row->addStretch(1);
  row->addWidget(bOk);
  v->addLayout(row);
  setMinimumSize(160, 140);
  resize(522, 339);
  CentreOnScreen(*this);
}

TEditTimeScale::~TEditTimeScale() = default;

void TEditTimeScale::SetTraf(TTransform* t) {
  editor_.SetTraf(t);
  Plot->Repaint();
}

void TEditTimeScale::done(int r) {
  // A drag cut short by the window's end leaves no preview behind; the path keeps what the
  // press already did.
  editor_.CancelDrag(Plot->Canvas());
  QDialog::done(r);
}

bool EditLinearTimePath(QWidget* owner, TEditDocument& doc, TTransform* t, TModalService& modals) {
  if (!t) return false;
  auto dialog = std::make_unique<TEditTimeScale>(doc, owner);
  dialog->SetTraf(t);
  modals.Exec(*dialog);
  return dialog->IsChanged();
}
