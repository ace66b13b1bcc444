#include "gx_scaleframe.h"

#include <QLineEdit>

#include "gx_editdoc.h"
#include "gx_scale.h"

namespace {
const TAniFrame::TNames kNames{"aniSPeriod",
                               "ud_aniSPeriod",
                               "Scale period",
                               "Period of one oscillation",
                               "in- or decrease the oscillation period",
                               "bSCenter",
                               "Set scaling center to center of polygon"};
constexpr int kRow3 = 54;
constexpr int kRow4 = 78;
}  // namespace

TScaleFrame::TScaleFrame(TEditDocument& doc, TModalService& modals, QWidget* parent)
    : TAniFrame(doc, modals, kNames, parent) {
  setObjectName(QStringLiteral("ScaleFrame"));
  eSx1 = FloatField("eSx1", "sx1", nullptr, 2, kRow3, 26, 66, TTrafField::sx1);
  eSy1 = FloatField("eSy1", "sy1", nullptr, 102, kRow3, 26, 66, TTrafField::sy1);
  eSx2 = FloatField("eSx2", "sx2", nullptr, 2, kRow4, 26, 66, TTrafField::sx2);
  eSy2 = FloatField("eSy2", "sy2", nullptr, 102, kRow4, 26, 66, TTrafField::sy2);
  UpdateControls();
}

TTransform* TScaleFrame::Traf() const {
  return FScale;
}

void TScaleFrame::SetScale(TScale* s) {
  FNoChange = true;
  FScale = s;
  if (s) {
    FillCommon();
    const std::pair<QLineEdit*, TTrafField> fields[] = {{eSx1, TTrafField::sx1},
                                                        {eSx2, TTrafField::sx2},
                                                        {eSy1, TTrafField::sy1},
                                                        {eSy2, TTrafField::sy2}};
    for (const auto& [e, f] : fields) e->setText(QString::fromStdString(doc_.TrafFieldText(*s, f)));
  }
  UpdateControls();
  FNoChange = false;
}
