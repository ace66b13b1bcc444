#include "gx_aniframe.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "gx_dialogs.h"
#include "gx_editdoc.h"
#include "gx_editlinear.h"
#include "gx_timepathicons.h"
#include "gx_transform.h"

// --- the spin buttons ---------------------------------------------------------------------------

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  Up = new QToolButton(this);
  Up->setArrowType(Qt::UpArrow);
  Down = new QToolButton(this);
  Down->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {Up, Down}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    v->addWidget(b);
  }
  connect(Up, &QToolButton::clicked, this, [this] { Click(+1); });
  connect(Down, &QToolButton::clicked, this, [this] { Click(-1); });
}

void TUpDown::Associate(QLineEdit* field) {
  field_ = field;
  if (field_) field_->installEventFilter(this);
  SetPosition(position_);
}

void TUpDown::SetPosition(int v) {
  position_ = v < Min ? Min : v > Max ? Max : v;
  const QString text = QString::number(position_);
  if (field_ && field_->text() != text) field_->setText(text);
}

void TUpDown::Click(int delta) {
  // The field may hold a number typed since the last click: the step starts from it.
  int typed = 0;
  if (field_ && ReadWholeNumber(field_->text().toStdString(), typed) && typed >= Min &&
      typed <= Max) {
    position_ = typed;
  }
  SetPosition(position_ + delta);
  emit Clicked(position_);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(event);
    if ((k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) &&
        !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      Click(k->key() == Qt::Key_Up ? +1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// --- the frame --------------------------------------------------------------------------------

namespace {
constexpr int kRow1 = 2;
constexpr int kRow2 = 26;
constexpr int kButton = 24;
}  // namespace

TAniFrame::TAniFrame(TEditDocument& doc, TModalService& modals, const TNames& names,
                     QWidget* parent)
    : QFrame(parent), doc_(doc), modals_(modals) {
  setFixedSize(kWidth, kHeight);

  // The caption takes the width its font needs ("Scale period" is the longest); the field, its
  // spin buttons and the unit follow it.
  lPeriod = Label(names.caption, 2, kRow1, 70);
  const int caption =
      std::clamp(lPeriod->fontMetrics().horizontalAdvance(lPeriod->text()) + 6, 70, 104);
  lPeriod->setFixedWidth(caption);
  ePeriod = new QLineEdit(QString::number(kStartPeriodSeconds), this);
  ePeriod->setObjectName(QString::fromUtf8(names.period));
  ePeriod->setToolTip(QString::fromUtf8(names.period_hint));
  ePeriod->setGeometry(2 + caption, kRow1, 50, 20);
  udPeriod = new TUpDown(this);
  udPeriod->setObjectName(QString::fromUtf8(names.ud));
  udPeriod->setToolTip(QString::fromUtf8(names.ud_hint));
  udPeriod->Up->setToolTip(QString::fromUtf8(names.ud_hint));
  udPeriod->Down->setToolTip(QString::fromUtf8(names.ud_hint));
  udPeriod->setGeometry(52 + caption, kRow1, 16, 20);
  udPeriod->Associate(ePeriod);
  lPeriodUnit = Label("[s]", 72 + caption, kRow1, 24);
  connect(ePeriod, &QLineEdit::textEdited, this, [this](const QString& t) { PeriodChange(t); });
  // Leaving the field shows the period it has (text that did not read is not kept).
  connect(ePeriod, &QLineEdit::editingFinished, this, [this] {
    if (dying_ || !Traf()) return;
    FNoChange = true;
    udPeriod->SetPosition(doc_.TrafPeriodSeconds(*Traf()));
    FNoChange = false;
  });
  connect(udPeriod, &TUpDown::Clicked, this, [this](int p) { PeriodSpinClick(p); });

  const auto tool = [this](const char* name, const char* hint, TTimePathGlyph glyph, int x) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromUtf8(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setIcon(TimePathIcon(glyph));
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setGeometry(x, kRow2, kButton, kButton);
    return b;
  };
  sSinusoidal = tool("sSinusoidal", "Sinusoidal timepath", TTimePathGlyph::Sinusoidal, 2);
  sLinear = tool("sLinear", "Linear timepath", TTimePathGlyph::Linear, 2 + kButton + 2);
  sEdit = tool("sEdit", "Edit linear timepath", TTimePathGlyph::Edit, 2 + 2 * (kButton + 2));
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (QToolButton* b : {sSinusoidal, sLinear}) {
    b->setCheckable(true);
    group->addButton(b);
    connect(b, &QToolButton::clicked, this, [this] { TimePathClick(); });
  }
  sLinear->setChecked(true);
  connect(sEdit, &QToolButton::clicked, this, [this] { EditClick(); });

  bCenter = new QPushButton(QStringLiteral("&Center"), this);
  bCenter->setObjectName(QString::fromUtf8(names.center));
  bCenter->setToolTip(QString::fromUtf8(names.center_hint));
  bCenter->setGeometry(120, kRow2, 76, kButton);
  connect(bCenter, &QPushButton::clicked, this, [this] { CenterClick(); });
}

TAniFrame::~TAniFrame() {
  // A field losing the focus on its way out reports an edit; the frame no longer listens.
  dying_ = true;
  FNoChange = true;
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QLabel* TAniFrame::Label(const char* text, int x, int y, int w) {
  auto* l = new QLabel(QString::fromUtf8(text), this);
  l->setGeometry(x, y, w, 20);
  return l;
}

QLineEdit* TAniFrame::FloatField(const char* name, const char* label, const char* hint, int x,
                                 int y, int labelWidth, int fieldWidth, TTrafField field,
                                 QLabel** labelOut) {
  QLabel* l = Label(label, x, y, labelWidth);
  if (labelOut) *labelOut = l;
  auto* e = new QLineEdit(this);
  e->setObjectName(QString::fromUtf8(name));
  if (hint) e->setToolTip(QString::fromUtf8(hint));
  e->setGeometry(x + labelWidth, y, fieldWidth, 20);
  l->setBuddy(e);
  connect(e, &QLineEdit::textEdited, this,
          [this, field](const QString& text) { FieldTyped(field, text); });
  return e;
}

void TAniFrame::Guarded(const std::function<void()>& edit) {
  if (dying_) return;
  try {
    edit();
  } catch (const std::exception& e) {
    doc_.Dialogs().ShowError(e.what());
  }
}

void TAniFrame::Notify(QObject* sender) {
  if (OnChange) OnChange(sender);
}

void TAniFrame::FillCommon() {
  const TTransform* t = Traf();
  if (!t) return;
  udPeriod->SetPosition(doc_.TrafPeriodSeconds(*t));
  (t->AniType() == at_sinusoidal ? sSinusoidal : sLinear)->setChecked(true);
}

void TAniFrame::UpdateControls() {
  sEdit->setVisible(sLinear->isChecked());
}

void TAniFrame::PeriodChange(const QString& text) {
  Guarded([&] {
    if (Traf()) doc_.TrafFieldEdit(Traf(), TTrafField::Period, text.toStdString());
  });
}

void TAniFrame::PeriodSpinClick(int position) {
  Guarded([&] {
    if (Traf()) doc_.SetTrafPeriodSeconds(Traf(), position);
  });
}

void TAniFrame::TimePathClick() {
  Guarded([&] {
    if (Traf()) doc_.SetTrafSinusoidal(Traf(), sSinusoidal->isChecked());
    UpdateControls();
  });
}

void TAniFrame::EditClick() {
  Guarded([&] {
    if (Traf() && EditLinearTimePath(this, doc_, Traf(), modals_)) Notify(this);
  });
}

void TAniFrame::CenterClick() {
  Guarded([&] {
    if (!Traf() || !FPolygon) return;
    doc_.CenterTraf(Traf());
    Notify(this);
  });
}

void TAniFrame::FieldTyped(TTrafField field, const QString& text) {
  Guarded([&] {
    if (FNoChange || !Traf()) return;
    const bool read = doc_.TrafFieldEdit(Traf(), field, text.toStdString());
    // The end of a displacement is drawn on the play field; factors and angles are not.
    if (read && (field == TTrafField::dx || field == TTrafField::dy)) Notify(nullptr);
  });
}
