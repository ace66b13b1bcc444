#pragma once
// The game's application object. An error that escapes an event handler (a key, a click, a
// timer tick) must not leave Qt's event dispatch, which is undefined behaviour there; it is
// caught here, once, and shown in an "Error" box with its text, and the program goes on.
#include <QApplication>

class TDialogService;

class TGameApplication : public QApplication {
 public:
  TGameApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Where the error boxes go; null: the desktop's message boxes.
  static void SetErrorDialogs(TDialogService* dialogs);
  static TDialogService& ErrorDialogs();
};
