#include "qt_application.h"

#include <exception>

#include "qt_dialogs.h"

namespace {
TDialogService* g_error_dialogs = nullptr;
}

TGameApplication::TGameApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TGameApplication::SetErrorDialogs(TDialogService* dialogs) {
  g_error_dialogs = dialogs;
}

TDialogService& TGameApplication::ErrorDialogs() {
  return g_error_dialogs ? *g_error_dialogs : DefaultDialogService();
}

bool TGameApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ErrorDialogs().ShowError(e.what());
  } catch (...) {
    ErrorDialogs().ShowError("Unknown error");
  }
  return true;
}
