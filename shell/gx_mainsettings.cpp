// The main window's settings: the Settings dialog, where a change takes effect, and the game
// controller fed into the key state once per tick.
#include <QApplication>
#include <cstdio>

#include "gx_dialogs.h"
#include "gx_frames.h"
#include "gx_gamesound.h"
#include "gx_main.h"
#include "gx_mazegame.h"
#include "gx_padinput.h"
#include "gx_rocket.h"
#include "gx_settingsdialog.h"
#include "qt_dialogs.h"
#include "qt_keystate.h"
#include "sdl_gamepad.h"

void TUniverse::StartPads(bool gamepads) {
  // The pad shares the window's own key state; a key service handed in (tests) has none.
  if (!gamepads || !own_keys_) return;
  auto pads = std::make_unique<TSdlGamepads>();
  if (!pads->Ok()) {
    std::fprintf(stderr, "gravonaut: no game controllers: %s\n", pads->Error().c_str());
    pads.reset();
  }
  pad_ = std::make_unique<TPadInput>(*own_keys_, std::move(pads));
}

void TUniverse::ApplySettings(const TGameSettings& s) {
  settings_ = s;
  if (own_keys_) own_keys_->SetKeyMap(KeyMapOf(s.keys));
  if (pad_) pad_->Apply(s);
  if (isVisible() && s.full_screen != isFullScreen()) {
    if (s.full_screen) {
      showFullScreen();
    } else {
      showNormal();
      showMaximized();
    }
  }
  if (sound_) {
    sound_->SetVolume(s.volume);
    sound_->SetMuted(s.mute);
    sound_->SetSilentInBackground(s.silent_in_background);
  }
  frames_->smooth_motion = s.smooth_motion;
  SmoothEdges = s.smooth_edges;
}

void TUniverse::PollPads() {
  if (!pad_ || !FCave) return;
  const bool listening = isActiveWindow() && !QApplication::activeModalWidget();
  const double nose = FRocket ? FRocket->angle() : 0;
  pad_->Tick(listening, nose, kPadTurnStep, FCave->GameState() == gs_freeze);
}

void TUniverse::OpenSettings() {
  if (!FCave) return;
  // As under the help: frozen, and nothing typed in the dialog reaches the game.
  if (FCave->GameState() != gs_freeze) FCave->SetGameState(gs_freeze);
  FCave->DiscardGameKeys();
  // Shown here: an error must not unwind through Qt's event dispatch.
  try {
    TSettingsDialog dialog(settings_, pad_ ? pad_->Names() : std::vector<std::string>{},
                           pad_ ? pad_->InUse() : std::string(), this);
    if (Modals().Exec(dialog) == QDialog::Accepted) {
      const TGameSettings before = settings_;
      ApplySettings(dialog.Settings());
      if (!settings_file_.empty() && !UpdateSettings(settings_file_, before, settings_)) {
        dialogs_->ShowError("The settings could not be written to '" + settings_file_ + "'.");
      }
    }
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
  if (FCave) FCave->DiscardGameKeys();
  update();
}
