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

bool TKeyOrigins::Pass(QObject* receiver, const QKeyEvent& event) {
  if (!receiver || !receiver->isWidgetType()) return true;
  QWidget* window = static_cast<QWidget*>(receiver)->window();
  const std::uint64_t id = KeyId(event);
  const auto it = origin_.find(id);
  const bool held = it != origin_.end();
  const bool here = held && it->second == window;
  if (event.isAutoRepeat()) return here;
  if (event.type() == QEvent::KeyPress) {
    if (held && !here) return false;
    origin_[id] = window;
    return true;
  }
  if (held) origin_.erase(it);
  return here;
}

void TKeyOrigins::Blocked(const QWidget* window) {
  for (auto& [id, origin] : origin_) {
    if (origin == window) origin = nullptr;
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
