#include "qt_application.h"

#include <QKeyEvent>
#include <QWidget>
#include <exception>

#include "qt_dialogs.h"

namespace {
TDialogService* g_error_dialogs = nullptr;
}

// --- keys and the window they were pressed in -----------------------------------------------

std::uint64_t TKeyOrigins::KeyId(const QKeyEvent& event) {
  // The physical key where the system tells it (Shift or Num Lock may change the Qt key
  // between press and release), else the Qt key.
  if (event.nativeScanCode() != 0) return event.nativeScanCode();
  return (std::uint64_t{1} << 32) | static_cast<std::uint32_t>(event.key());
}

bool TKeyOrigins::IsPress(const QKeyEvent& event) {
  return event.type() != QEvent::KeyRelease;
}

bool TKeyOrigins::PassShortcut(QObject* receiver, const QKeyEvent& event) const {
  // Asked on a copy: only the press delivered afterwards counts.
  TKeyOrigins probe = *this;
  return probe.Pass(receiver, event, true);
}

bool TKeyOrigins::Pass(QObject* receiver, const QKeyEvent& event, bool press) {
  if (!receiver || !receiver->isWidgetType()) return true;
  QWidget* window = static_cast<QWidget*>(receiver)->window();
  const std::uint64_t id = KeyId(event);
  const auto it = keys_.find(id);
  if (it == keys_.end()) {
    // A key not known to be held: its first press starts it, anything else is a leftover.
    if (!press || event.isAutoRepeat()) return false;
    keys_[id] = TKey{window, true, 0};
    return true;
  }
  TKey& key = it->second;
  const bool here = key.window == window;
  if (event.isAutoRepeat()) return key.down && here;
  if (!press) {
    const bool was_down = key.down;
    key.down = false;
    key.released_at = event.timestamp();
    return was_down && here;
  }
  // A press.
  const bool unmarked_repeat =
      !key.down && key.released_at != 0 && event.timestamp() == key.released_at;
  if (unmarked_repeat) {
    key.down = true;
    return here;
  }
  // Any other press is a new one, wherever it lands, even of a key thought held: a release
  // that went to a window blocked by a dialog is dropped before it reaches the application, so
  // that a key pressed in one window and let go as the next one opens would otherwise stay held
  // for good and cost the next press there (E, then "ee" typed in the editor).
  key = TKey{window, true, 0};
  return true;
}

void TKeyOrigins::Blocked(const QWidget* window) {
  for (auto& [id, key] : keys_) {
    if (key.window == window) key.window = nullptr;
  }
}

// --- the application ------------------------------------------------------------------------

TGameApplication::TGameApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TGameApplication::SetErrorDialogs(TDialogService* dialogs) {
  g_error_dialogs = dialogs;
}

TDialogService& TGameApplication::ErrorDialogs() {
  return g_error_dialogs ? *g_error_dialogs : DefaultDialogService();
}

bool TGameApplication::notify(QObject* receiver, QEvent* event) {
  try {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        if (!key_origins_.Pass(receiver, *static_cast<QKeyEvent*>(event))) {
          event->accept();
          return true;
        }
        break;
      case QEvent::ShortcutOverride:
        // A press that will be swallowed must not fire a shortcut first (Ctrl+R repeating
        // from a window that has closed): taken as overridden, Qt delivers it as a key press,
        // which is then swallowed.
        if (!key_origins_.PassShortcut(receiver, *static_cast<QKeyEvent*>(event))) {
          event->accept();
          return true;
        }
        break;
      case QEvent::WindowBlocked:
        if (receiver && receiver->isWidgetType()) {
          key_origins_.Blocked(static_cast<QWidget*>(receiver));
        }
        break;
      case QEvent::ApplicationDeactivate:
        key_origins_.Clear();
        break;
      default:
        break;
    }
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ErrorDialogs().ShowError(e.what());
  } catch (...) {
    ErrorDialogs().ShowError("Unknown error");
  }
  return true;
}
