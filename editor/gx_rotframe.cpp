#include "gx_rotframe.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "gx_editdoc.h"
#include "gx_rotate.h"

namespace {
const TAniFrame::TNames kNames{"AniRPeriod",
                               "ud_AniRPeriod",
                               "Rot period",
                               "Period of full circle or swing",
                               "in- or decrease period",
                               "bRCenter",
                               "Set rotation center"};
constexpr int kRow3 = 54;
constexpr int kRow4 = 78;
}  // namespace

TRotFrame::TRotFrame(TEditDocument& doc, TModalService& modals, QWidget* parent)
    : TAniFrame(doc, modals, kNames, parent) {
  setObjectName(QStringLiteral("RotFrame"));
  eSwing = new QCheckBox(QStringLiteral("Swing"), this);
  eSwing->setObjectName(QStringLiteral("eSwing"));
  eSwing->setToolTip(QStringLiteral("If true, oscillate between angle a1 and a2"));
  eSwing->setGeometry(2, kRow3, 64, 20);
  connect(eSwing, &QCheckBox::clicked, this, [this] { eSwingClick(); });
  cb_rotdir = new QCheckBox(QStringLiteral("CW"), this);
  cb_rotdir->setObjectName(QStringLiteral("cb_rotdir"));
  cb_rotdir->setToolTip(QStringLiteral("direction of rotation"));
  cb_rotdir->setGeometry(70, kRow3, 60, 20);
  connect(cb_rotdir, &QCheckBox::clicked, this, [this] { checkboxclick(); });

  ea1 = FloatField("ea1", "a1", "oscillation angle 1", 70, kRow3, 20, 64, TTrafField::a1, &la1);
  ea2 = FloatField("ea2", "a2", "oscillation angle 2", 70, kRow4, 20, 64, TTrafField::a2, &la2);
  lDeg1 = Label("\xC2\xB0", 156, kRow3, 12);
  lDeg2 = Label("\xC2\xB0", 156, kRow4, 12);
  UpdateControls();
}

TTransform* TRotFrame::Traf() const {
  return FRot;
}

void TRotFrame::SetRot(TRotate* r) {
  FNoChange = true;
  FRot = r;
  if (r) {
    FillCommon();
    cb_rotdir->setChecked(r->cw());
    eSwing->setChecked(r->Swing());
    ea1->setText(QString::fromStdString(doc_.TrafFieldText(*r, TTrafField::a1)));
    ea2->setText(QString::fromStdString(doc_.TrafFieldText(*r, TTrafField::a2)));
  }
  UpdateControls();
  FNoChange = false;
}

void TRotFrame::UpdateControls() {
  TAniFrame::UpdateControls();
  const bool swing = eSwing->isChecked();
  cb_rotdir->setVisible(!swing);
  for (QWidget* w : std::initializer_list<QWidget*>{la1, ea1, lDeg1, la2, ea2, lDeg2}) {
    w->setVisible(swing);
  }
}

void TRotFrame::eSwingClick() {
  Guarded([&] {
    UpdateControls();
    if (!FNoChange && FRot) doc_.SetTrafSwing(FRot, eSwing->isChecked());
  });
}

void TRotFrame::checkboxclick() {
  Guarded([&] {
    if (!FNoChange && FRot) doc_.SetRotCw(FRot, cb_rotdir->isChecked());
  });
}
