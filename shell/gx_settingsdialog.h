#pragma once
// TSettingsDialog: the Settings dialog the main window opens with O (the game frozen behind
// it), on four pages: Keys (two keys for each game action, a key taken by another action or
// by the window refused with a message), Sound, Display and Gamepad. "Defaults" puts back the
// defaults of the page shown. It only edits a copy: the main window applies and stores the
// settings when the dialog closes with OK.
#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "gx_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QToolButton;

class TSettingsDialog : public QDialog {
 public:
  // pads lists the controllers connected now; in_use is the one the game reads ("" none).
  TSettingsDialog(const TGameSettings& settings, std::vector<std::string> pads, std::string in_use,
                  QWidget* owner = nullptr);
  TSettingsDialog(const TSettingsDialog&) = delete;
  TSettingsDialog& operator=(const TSettingsDialog&) = delete;

  // The settings as the dialog shows them now.
  TGameSettings Settings() const;

  // Starts waiting for the key of slot (0, 1) of action a, as a click on its button does.
  void BeginCapture(TGameAction a, int slot);
  bool Capturing() const { return capture_slot_ >= 0; }
  // The key pressed while waiting, as a physical virtual-key code; refused keys leave the
  // binding as it was and show why.
  void CaptureKey(std::uint8_t code);
  void ClearSecondKey(TGameAction a);
  // Puts back the defaults of the page shown.
  void DefaultsClick();
  const TKeyBindings& Bindings() const { return keys_; }
  QString Message() const;

  QTabWidget* tabs = nullptr;
  QLabel* lMessage = nullptr;
  std::array<std::array<QPushButton*, 2>, kGameActionCount> bKey{};
  QSlider* sVolume = nullptr;
  QSpinBox* eVolume = nullptr;
  QCheckBox* cMute = nullptr;
  QCheckBox* cSilentInBackground = nullptr;
  QCheckBox* cSmoothMotion = nullptr;
  QCheckBox* cSmoothEdges = nullptr;
  QCheckBox* cFullScreen = nullptr;
  QComboBox* cPad = nullptr;
  QLabel* lPadInUse = nullptr;
  QSpinBox* eDeadZone = nullptr;
  QComboBox* cTurning = nullptr;
  QPushButton* bDefaults = nullptr;
  QPushButton* bOK = nullptr;
  QPushButton* bCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* KeysPage();
  QWidget* SoundPage();
  QWidget* DisplayPage();
  QWidget* GamepadPage();
  void ShowKeys();
  void ShowSound(const TGameSettings& s);
  void ShowDisplay(const TGameSettings& s);
  void ShowGamepad(const TGameSettings& s);
  void SetMessage(const std::string& text);
  void EndCapture();

  TKeyBindings keys_;
  std::string pad_;
  std::vector<std::string> pads_;
  std::string in_use_;
  int capture_action_ = -1;
  int capture_slot_ = -1;
};
