#pragma once
// TTransFrame: the animation frame of a translation (TTrans): the period, the time path,
// Center, and the displacement, whose end the play field shows (so typing redraws it).
#include "gx_aniframe.h"

class TTrans;

class TTransFrame : public TAniFrame {
  Q_OBJECT

 public:
  TTransFrame(TEditDocument& doc, TModalService& modals, QWidget* parent = nullptr);

  TTrans* Trans() const { return FTrans; }
  // Shows t: the controls are filled from it with FNoChange set.
  void SetTrans(TTrans* t);
  TTransform* Traf() const override;

  // The event handlers, by their names.
  void aniTPeriodChange(const QString& text) { PeriodChange(text); }
  void ud_aniTPeriodClick(int position) { PeriodSpinClick(position); }
  void onsbutclick() { TimePathClick(); }
  void sEditClick() { EditClick(); }
  void bTCenterClick() { CenterClick(); }

  QLineEdit*& aniTPeriod = ePeriod;
  TUpDown*& ud_aniTPeriod = udPeriod;
  QPushButton*& bTCenter = bCenter;
  QLineEdit* edx;
  QLineEdit* edy;

 private:
  TTrans* FTrans = nullptr;
};
