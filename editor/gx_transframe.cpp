#include "gx_transframe.h"

#include <QLineEdit>

#include "gx_editdoc.h"
#include "gx_trans.h"

namespace {
const TAniFrame::TNames kNames{"aniTPeriod",
                               "ud_aniTPeriod",
                               "Trans period",
                               "Period of one oscillation",
                               "in- or decrease the period of the oscillation",
                               "bTCenter",
                               "Set translation center"};
constexpr int kRow3 = 54;
}  // namespace

TTransFrame::TTransFrame(TEditDocument& doc, TModalService& modals, QWidget* parent)
    : TAniFrame(doc, modals, kNames, parent) {
  setObjectName(QStringLiteral("TransFrame"));
  edx = FloatField("edx", "dx", "Horizontal displacement", 2, kRow3, 20, 72, TTrafField::dx);
  edy = FloatField("edy", "dy", "Vertical displacement", 102, kRow3, 20, 72, TTrafField::dy);
  UpdateControls();
}

TTransform* TTransFrame::Traf() const {
  return FTrans;
}

void TTransFrame::SetTrans(TTrans* t) {
  FNoChange = true;
  FTrans = t;
  if (t) {
    FillCommon();
    edx->setText(QString::fromStdString(doc_.TrafFieldText(*t, TTrafField::dx)));
    edy->setText(QString::fromStdString(doc_.TrafFieldText(*t, TTrafField::dy)));
  }
  UpdateControls();
  FNoChange = false;
}
