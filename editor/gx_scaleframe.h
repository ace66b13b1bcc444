#pragma once
// TScaleFrame: the animation frame of a scaling (TScale): the period, the time path, Center,
// and the x and y factors at both extremes.
#include "gx_aniframe.h"

class TScale;

class TScaleFrame : public TAniFrame {
  Q_OBJECT

 public:
  TScaleFrame(TEditDocument& doc, TModalService& modals, QWidget* parent = nullptr);

  TScale* Scale() const { return FScale; }
  // Shows s: the controls are filled from it with FNoChange set.
  void SetScale(TScale* s);
  TTransform* Traf() const override;

  // The event handlers, by their names.
  void aniSPeriodChange(const QString& text) { PeriodChange(text); }
  void ud_aniSPeriodClick(int position) { PeriodSpinClick(position); }
  void onsbutclick() { TimePathClick(); }
  void sEditClick() { EditClick(); }
  void bSCenterClick() { CenterClick(); }

  QLineEdit*& aniSPeriod = ePeriod;
  TUpDown*& ud_aniSPeriod = udPeriod;
  QPushButton*& bSCenter = bCenter;
  QLineEdit* eSx1;
  QLineEdit* eSy1;
  QLineEdit* eSx2;
  QLineEdit* eSy2;

 private:
  TScale* FScale = nullptr;
};
