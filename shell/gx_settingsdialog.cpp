#include "gx_settingsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "gx_help.h"
#include "qt_keystate.h"

namespace {

constexpr TGameAction kActions[kGameActionCount] = {TGameAction::Thrust,   TGameAction::Fire,
                                                    TGameAction::TurnLeft, TGameAction::TurnRight,
                                                    TGameAction::Freeze,   TGameAction::Restart};

constexpr int kKeysPage = 0, kSoundPage = 1, kDisplayPage = 2, kGamepadPage = 3;

QString KeyCaption(std::uint8_t code) {
  return code == 0 ? QStringLiteral("None") : QString::fromStdString(THelpForm::KeyName(code));
}

}  // namespace

TSettingsDialog::TSettingsDialog(const TGameSettings& settings, std::vector<std::string> pads,
                                 std::string in_use, QWidget* owner)
    : QDialog(owner),
      keys_(settings.keys),
      pad_(settings.pad),
      pads_(std::move(pads)),
      in_use_(std::move(in_use)) {
  setWindowTitle(QStringLiteral("Settings"));
  tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("tabs"));
  tabs->addTab(KeysPage(), QStringLiteral("&Keys"));
  tabs->addTab(SoundPage(), QStringLiteral("&Sound"));
  tabs->addTab(DisplayPage(), QStringLiteral("&Display"));
  tabs->addTab(GamepadPage(), QStringLiteral("&Gamepad"));

  auto* buttons = new QDialogButtonBox(this);
  bDefaults = buttons->addButton(QStringLiteral("Defaults"), QDialogButtonBox::ResetRole);
  bDefaults->setObjectName(QStringLiteral("bDefaults"));
  bDefaults->setToolTip(QStringLiteral("Put back the defaults of this page"));
  bOK = buttons->addButton(QDialogButtonBox::Ok);
  bOK->setObjectName(QStringLiteral("bOK"));
  bCancel = buttons->addButton(QDialogButtonBox::Cancel);
  bCancel->setObjectName(QStringLiteral("bCancel"));
  connect(bDefaults, &QPushButton::clicked, this, [this] { DefaultsClick(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(buttons);

  ShowKeys();
  ShowSound(settings);
  ShowDisplay(settings);
  ShowGamepad(settings);
}

// --- pages ----------------------------------------------------------------------------------

QWidget* TSettingsDialog::KeysPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Action")), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Key")), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Second key")), 0, 2);
  int row = 1;
  for (TGameAction a : kActions) {
    const int i = static_cast<int>(a);
    grid->addWidget(new QLabel(QString::fromLatin1(ActionName(a))), row, 0);
    for (int slot = 0; slot < 2; ++slot) {
      auto* b = new QPushButton;
      b->setObjectName(QStringLiteral("key_%1_%2")
                           .arg(QString::fromLatin1(ActionSettingsName(a)))
                           .arg(slot + 1));
      b->setAutoDefault(false);
      b->setMinimumWidth(110);
      b->setToolTip(QStringLiteral("Click, then press the key"));
      b->installEventFilter(this);
      connect(b, &QPushButton::clicked, this, [this, a, slot] { BeginCapture(a, slot); });
      grid->addWidget(b, row, 1 + slot);
      bKey[i][slot] = b;
    }
    auto* clear = new QToolButton;
    clear->setObjectName(
        QStringLiteral("clear_%1").arg(QString::fromLatin1(ActionSettingsName(a))));
    clear->setText(QStringLiteral("\u00D7"));
    clear->setToolTip(QStringLiteral("No second key"));
    connect(clear, &QToolButton::clicked, this, [this, a] { ClearSecondKey(a); });
    grid->addWidget(clear, row, 3);
    ++row;
  }
  lMessage = new QLabel;
  lMessage->setObjectName(QStringLiteral("lMessage"));
  lMessage->setWordWrap(true);
  QPalette pal = lMessage->palette();
  pal.setColor(QPalette::WindowText, QColor(190, 0, 0));
  lMessage->setPalette(pal);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(grid);
  layout->addWidget(lMessage);
  layout->addStretch();
  return page;
}

QWidget* TSettingsDialog::SoundPage() {
  auto* page = new QWidget;
  sVolume = new QSlider(Qt::Horizontal);
  sVolume->setObjectName(QStringLiteral("sVolume"));
  sVolume->setRange(0, TGameSettings::kMaxVolume);
  eVolume = new QSpinBox;
  eVolume->setObjectName(QStringLiteral("eVolume"));
  eVolume->setRange(0, TGameSettings::kMaxVolume);
  eVolume->setSuffix(QStringLiteral(" %"));
  connect(sVolume, &QSlider::valueChanged, eVolume, &QSpinBox::setValue);
  connect(eVolume, &QSpinBox::valueChanged, sVolume, &QSlider::setValue);
  auto* volume = new QHBoxLayout;
  volume->addWidget(sVolume);
  volume->addWidget(eVolume);
  cMute = new QCheckBox(QStringLiteral("&Mute"));
  cMute->setObjectName(QStringLiteral("cMute"));
  cSilentInBackground =
      new QCheckBox(QStringLiteral("Silent while the game is in the &background"));
  cSilentInBackground->setObjectName(QStringLiteral("cSilentInBackground"));
  auto* form = new QFormLayout(page);
  form->addRow(QStringLiteral("&Volume:"), volume);
  form->addRow(cMute);
  form->addRow(cSilentInBackground);
  return page;
}

QWidget* TSettingsDialog::DisplayPage() {
  auto* page = new QWidget;
  cSmoothMotion = new QCheckBox(QStringLiteral("Smooth &motion (drawn between the ticks)"));
  cSmoothMotion->setObjectName(QStringLiteral("cSmoothMotion"));
  cSmoothEdges = new QCheckBox(QStringLiteral("Smooth &edges"));
  cSmoothEdges->setObjectName(QStringLiteral("cSmoothEdges"));
  cFullScreen = new QCheckBox(QStringLiteral("&Full screen"));
  cFullScreen->setObjectName(QStringLiteral("cFullScreen"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(cSmoothMotion);
  layout->addWidget(cSmoothEdges);
  layout->addWidget(cFullScreen);
  layout->addStretch();
  return page;
}

QWidget* TSettingsDialog::GamepadPage() {
  auto* page = new QWidget;
  cPad = new QComboBox;
  cPad->setObjectName(QStringLiteral("cPad"));
  lPadInUse = new QLabel;
  lPadInUse->setObjectName(QStringLiteral("lPadInUse"));
  eDeadZone = new QSpinBox;
  eDeadZone->setObjectName(QStringLiteral("eDeadZone"));
  eDeadZone->setRange(0, TGameSettings::kMaxDeadZone);
  eDeadZone->setSuffix(QStringLiteral(" %"));
  cTurning = new QComboBox;
  cTurning->setObjectName(QStringLiteral("cTurning"));
  cTurning->addItem(QStringLiteral("Turn: the stick left or right turns"));
  cTurning->addItem(QStringLiteral("Point: the nose turns to where the stick points"));
  auto* form = new QFormLayout(page);
  form->addRow(QStringLiteral("&Controller:"), cPad);
  form->addRow(QString(), lPadInUse);
  form->addRow(QStringLiteral("&Dead zone:"), eDeadZone);
  form->addRow(QStringLiteral("&Turning:"), cTurning);
  return page;
}

void TSettingsDialog::ShowKeys() {
  for (TGameAction a : kActions) {
    const int i = static_cast<int>(a);
    for (int slot = 0; slot < 2; ++slot) {
      const bool waiting = capture_action_ == i && capture_slot_ == slot;
      bKey[i][slot]->setText(waiting ? QStringLiteral("Press a key...")
                                     : KeyCaption(keys_[a][slot]));
    }
  }
}

void TSettingsDialog::ShowSound(const TGameSettings& s) {
  eVolume->setValue(s.volume);
  cMute->setChecked(s.mute);
  cSilentInBackground->setChecked(s.silent_in_background);
}

void TSettingsDialog::ShowDisplay(const TGameSettings& s) {
  cSmoothMotion->setChecked(s.smooth_motion);
  cSmoothEdges->setChecked(s.smooth_edges);
  cFullScreen->setChecked(s.full_screen);
}

void TSettingsDialog::ShowGamepad(const TGameSettings& s) {
  cPad->clear();
  cPad->addItem(QStringLiteral("The first one connected"), QString());
  bool listed = s.pad.empty();
  for (const std::string& name : pads_) {
    if (cPad->findData(QString::fromStdString(name)) >= 0) continue;
    cPad->addItem(QString::fromStdString(name), QString::fromStdString(name));
    listed = listed || name == s.pad;
  }
  if (!listed) {
    cPad->addItem(QString::fromStdString(s.pad + " (not connected)"),
                  QString::fromStdString(s.pad));
  }
  cPad->setCurrentIndex(std::max(0, cPad->findData(QString::fromStdString(s.pad))));
  lPadInUse->setText(in_use_.empty() ? QStringLiteral("No controller is connected.")
                                     : QString::fromStdString("In use: " + in_use_));
  eDeadZone->setValue(s.dead_zone);
  cTurning->setCurrentIndex(s.turn_mode == TTurnMode::Point ? 1 : 0);
}

TGameSettings TSettingsDialog::Settings() const {
  TGameSettings s;
  s.keys = keys_;
  s.volume = eVolume->value();
  s.mute = cMute->isChecked();
  s.silent_in_background = cSilentInBackground->isChecked();
  s.smooth_motion = cSmoothMotion->isChecked();
  s.smooth_edges = cSmoothEdges->isChecked();
  s.full_screen = cFullScreen->isChecked();
  s.pad = cPad->currentData().toString().toStdString();
  s.dead_zone = eDeadZone->value();
  s.turn_mode = cTurning->currentIndex() == 1 ? TTurnMode::Point : TTurnMode::Turn;
  return s;
}

void TSettingsDialog::DefaultsClick() {
  const TGameSettings d;
  switch (tabs->currentIndex()) {
    case kKeysPage:
      EndCapture();
      keys_ = d.keys;
      SetMessage("");
      ShowKeys();
      break;
    case kSoundPage:
      ShowSound(d);
      break;
    case kDisplayPage:
      ShowDisplay(d);
      break;
    case kGamepadPage: {
      TGameSettings keep = Settings();
      keep.pad = d.pad;
      keep.dead_zone = d.dead_zone;
      keep.turn_mode = d.turn_mode;
      ShowGamepad(keep);
      break;
    }
    default:
      break;
  }
}

// --- keys -----------------------------------------------------------------------------------

void TSettingsDialog::BeginCapture(TGameAction a, int slot) {
  capture_action_ = static_cast<int>(a);
  capture_slot_ = slot;
  SetMessage("Press the key for " + std::string(ActionName(a)) + " (Esc: keep the old one).");
  ShowKeys();
  bKey[capture_action_][slot]->setFocus();
}

void TSettingsDialog::EndCapture() {
  capture_action_ = -1;
  capture_slot_ = -1;
  ShowKeys();
}

void TSettingsDialog::CaptureKey(std::uint8_t code) {
  if (!Capturing()) return;
  const auto a = static_cast<TGameAction>(capture_action_);
  const int slot = capture_slot_;
  EndCapture();
  if (code == 0) {
    SetMessage("This key cannot be bound.");
    return;
  }
  if (keys_[a][slot] == code) {
    SetMessage("");
    return;
  }
  if (const std::string why = BindingRefusal(keys_, a, slot, code); !why.empty()) {
    SetMessage(why);
    return;
  }
  keys_[a][slot] = code;
  SetMessage("");
  ShowKeys();
}

void TSettingsDialog::ClearSecondKey(TGameAction a) {
  EndCapture();
  keys_[a][1] = 0;
  SetMessage("");
  ShowKeys();
}

void TSettingsDialog::SetMessage(const std::string& text) {
  lMessage->setText(QString::fromStdString(text));
}

QString TSettingsDialog::Message() const {
  return lMessage->text();
}

bool TSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (Capturing()) {
    if (event->type() == QEvent::ShortcutOverride) {
      // The key is the binding, not a shortcut of the dialog.
      event->accept();
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(event);
      if (k->isAutoRepeat()) return true;
      if (k->key() == Qt::Key_Escape) {
        EndCapture();
        SetMessage("");
      } else {
        CaptureKey(TQtKeyState::VirtualKey(*k));
      }
      return true;
    }
    if (event->type() == QEvent::FocusOut) EndCapture();
  }
  return QDialog::eventFilter(watched, event);
}
