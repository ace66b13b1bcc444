#pragma once
// TRotFrame: the animation frame of a rotation (TRotate): the period, the time path, Center,
// and either the direction (CW) of a continuous rotation or the two angles of a swing.
#include "gx_aniframe.h"

class QCheckBox;
class TRotate;

class TRotFrame : public TAniFrame {
  Q_OBJECT

 public:
  TRotFrame(TEditDocument& doc, TModalService& modals, QWidget* parent = nullptr);

  TRotate* Rot() const { return FRot; }
  // Shows r: the controls are filled from it with FNoChange set.
  void SetRot(TRotate* r);
  TTransform* Traf() const override;
  // Edit only for a linear path; CW for a continuous rotation, the angles for a swing.
  void UpdateControls() override;

  // The event handlers, by their names.
  void AniRPeriodChange(const QString& text) { PeriodChange(text); }
  void SetPeriod(int position) { PeriodSpinClick(position); }
  void sbutclick() { TimePathClick(); }
  void sEditClick() { EditClick(); }
  void bRCenterClick() { CenterClick(); }
  void eSwingClick();
  void checkboxclick();

  QLineEdit*& AniRPeriod = ePeriod;
  TUpDown*& ud_AniRPeriod = udPeriod;
  QPushButton*& bRCenter = bCenter;
  QCheckBox* cb_rotdir;
  QCheckBox* eSwing;
  QLabel* la1;
  QLineEdit* ea1;
  QLabel* lDeg1;
  QLabel* la2;
  QLineEdit* ea2;
  QLabel* lDeg2;

 private:
  TRotate* FRot = nullptr;
};
