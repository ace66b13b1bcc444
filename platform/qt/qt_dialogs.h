#pragma once
// The desktop's dialogs: message boxes and file dialogs for the dialog service, and the
// modal-dialog runner through which every window shows its modal dialogs, so that tests can
// drive them without a person.
#include <deque>
#include <functional>

#include "gx_dialogs.h"

class QDialog;
class QWidget;
class TModalService;

// QMessageBox and QFileDialog, owned by the active modal dialog or else the active window.
// They run through a modal runner like every other dialog, so a test can hand a real file
// dialog to a script (and press Escape in it); without one they run with the default runner.
class TQtDialogService : public TDialogService {
 public:
  explicit TQtDialogService(TModalService* modals = nullptr) : modals_(modals) {}

  int MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon,
                 TMsgButtons buttons) override;
  std::optional<std::string> OpenFile(const TFileDialogOptions& options) override;
  std::optional<std::string> SaveFile(const TFileDialogOptions& options) override;

  // The window a dialog shown now belongs to (may be null).
  static QWidget* Owner();

 private:
  int Exec(QDialog& dialog);
  std::optional<std::string> RunFileDialog(bool save, const TFileDialogOptions& o);

  TModalService* modals_;
};

// The service the windows use when none is given to them.
TDialogService& DefaultDialogService();

// Runs a modal dialog to its end and returns its result (QDialog::Accepted = mrOk,
// QDialog::Rejected = 0, or whatever done() was given). Once the dialog has closed, the window
// that was active before it is activated again: without a window manager nothing else does,
// and a window that is not active fires none of its shortcuts until it is clicked.
class TModalService {
 public:
  virtual ~TModalService() = default;
  int Exec(QDialog& dialog);

 protected:
  // Shows the dialog and returns once it has closed.
  virtual int Run(QDialog& dialog) = 0;
};

// QDialog::exec().
class TQtModalService : public TModalService {
 protected:
  int Run(QDialog& dialog) override;
};

TModalService& DefaultModalService();

// For tests: each modal dialog is shown (offscreen) application-modal, as exec() shows it, so
// that the windows behind it are blocked; it is handed to the next queued script and hidden
// again; the script plays the person in front of it (sets fields, clicks buttons with
// QTest, calls accept() or done()) and returns the dialog's result, or kDialogResult to take
// whatever the dialog's buttons set. Without a script the dialog is cancelled at once.
class TScriptedModals : public TModalService {
 public:
  using TScript = std::function<int(QDialog&)>;
  static constexpr int kDialogResult = -1;

  void Queue(TScript script) { scripts_.push_back(std::move(script)); }

  int shown = 0;       // dialogs run so far
  int unscripted = 0;  // of them, those that found no script

 protected:
  int Run(QDialog& dialog) override;

 private:
  std::deque<TScript> scripts_;
};
