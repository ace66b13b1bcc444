#pragma once
// What the three animation frames (TRotFrame, TScaleFrame, TTransFrame) share: a 200 x 100
// panel with the period in seconds (a field with its spin buttons, TUpDown), the two time-path
// buttons as one group, the button that opens the time-path editor and the Center button. The
// frames show a transform and hand every edit to the editing document, which changes the model
// through its gate; they never write a model object themselves.
//
// Filling the controls from the transform (setting Rot, Scale or Trans) runs with FNoChange
// set, and the controls are filled through calls that do not report user edits, so showing a
// transform never changes it. Only what the player types or clicks is an edit.
#include <QFrame>
#include <functional>

#include "gx_animedit.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TEditDocument;
class TMaze;
class TModalService;
class TPolygon;
class TTransform;

// Spin buttons beside a number field (the field is their "associate"): a click steps the
// position by one within Min .. Max, writes it into the field and reports it. Up and Down in
// the field click them too. The position follows what was typed into the field.
class TUpDown : public QWidget {
  Q_OBJECT

 public:
  explicit TUpDown(QWidget* parent = nullptr);

  void Associate(QLineEdit* field);
  int Min = kMinPeriodSeconds;
  int Max = kMaxPeriodSeconds;
  int Position() const { return position_; }
  // Sets the position (clamped) and writes it into the field; reports nothing.
  void SetPosition(int v);
  // A spin button pressed: +1 or -1.
  void Click(int delta);

  QToolButton* Up;
  QToolButton* Down;

 signals:
  // After a click, with the new position.
  void Clicked(int position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* field_ = nullptr;
  int position_ = kStartPeriodSeconds;
};

class TAniFrame : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 100;

  // The names, caption and hints that tell the three frames apart.
  struct TNames {
    const char* period;       // the field's name
    const char* ud;           // the spin buttons' name
    const char* caption;      // "Rot period"
    const char* period_hint;  // the field's hint
    const char* ud_hint;      // the spin buttons' hint
    const char* center;       // the Center button's name
    const char* center_hint;
  };

  ~TAniFrame() override;

  TMaze* Maze() const { return FMaze; }
  void SetMaze(TMaze* m) { FMaze = m; }
  TPolygon* Polygon() const { return FPolygon; }
  void SetPolygon(TPolygon* p) { FPolygon = p; }
  // The transform the frame shows (null before it was set).
  virtual TTransform* Traf() const = 0;
  // True while the frame fills its controls from the transform.
  bool NoChange() const { return FNoChange; }

  // Called after edits that need the picture redrawn (the editor's TrafChanged); the sender is
  // the frame, or null for a typed displacement.
  std::function<void(QObject* sender)> OnChange;

  // Shows or hides the controls that depend on others: Edit only for a linear path.
  virtual void UpdateControls();

  // The controls every frame has.
  QLabel* lPeriod;
  QLineEdit* ePeriod;  // AniRPeriod / aniSPeriod / aniTPeriod
  TUpDown* udPeriod;   // ud_AniRPeriod / ud_aniSPeriod / ud_aniTPeriod
  QLabel* lPeriodUnit;
  QToolButton* sSinusoidal;
  QToolButton* sLinear;
  QToolButton* sEdit;
  QPushButton* bCenter;  // bRCenter / bSCenter / bTCenter

 protected:
  TAniFrame(TEditDocument& doc, TModalService& modals, const TNames& names, QWidget* parent);

  // Fills the period and the time-path buttons from the transform (FNoChange is set).
  void FillCommon();
  // A number field of the frame, its label and the field the typing goes to.
  QLineEdit* FloatField(const char* name, const char* label, const char* hint, int x, int y,
                        int labelWidth, int fieldWidth, TTrafField field,
                        QLabel** labelOut = nullptr);
  QLabel* Label(const char* text, int x, int y, int w);
  // Runs an edit; an error is shown in the "Error" box instead of unwinding through Qt.
  void Guarded(const std::function<void()>& edit);
  void Notify(QObject* sender);

  // The shared handlers.
  void PeriodChange(const QString& text);  // the field's text typed
  void PeriodSpinClick(int position);      // a spin button clicked
  void TimePathClick();                    // sSinusoidal or sLinear
  void EditClick();                        // sEdit
  void CenterClick();
  // A number field of the frame typed into: the typed displacement redraws the play field.
  void FieldTyped(TTrafField field, const QString& text);

  TEditDocument& doc_;
  TModalService& modals_;
  TMaze* FMaze = nullptr;
  TPolygon* FPolygon = nullptr;
  bool FNoChange = false;
  bool dying_ = false;  // children going with the frame may still report
};
