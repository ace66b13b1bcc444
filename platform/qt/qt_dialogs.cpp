#include "qt_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

QWidget* TQtDialogService::Owner() {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  return QApplication::activeWindow();
}

int TQtDialogService::MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon,
                                 TMsgButtons buttons) {
  QMessageBox::Icon qicon = QMessageBox::Critical;
  switch (icon) {
    case TMsgIcon::mi_error:
      qicon = QMessageBox::Critical;
      break;
    case TMsgIcon::mi_information:
      qicon = QMessageBox::Information;
      break;
    case TMsgIcon::mi_question:
      qicon = QMessageBox::Question;
      break;
  }
  QMessageBox box(
      qicon, QString::fromStdString(caption), QString::fromStdString(text),
      buttons == TMsgButtons::mb_yesno ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
      Owner());
  const int r = Exec(box);
  if (buttons == TMsgButtons::mb_ok) return mrOk;
  return r == QMessageBox::Yes ? mrYes : mrNo;
}

int TQtDialogService::Exec(QDialog& dialog) {
  return (modals_ ? *modals_ : DefaultModalService()).Exec(dialog);
}

std::optional<std::string> TQtDialogService::RunFileDialog(bool save, const TFileDialogOptions& o) {
  QFileDialog dialog(Owner());
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile
                          : (o.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
  if (!o.title.empty()) dialog.setWindowTitle(QString::fromStdString(o.title));
  const QString filter = QString::fromStdString(DesktopFilter(o.filter));
  if (!filter.isEmpty()) {
    dialog.setNameFilters(filter.split(QStringLiteral(";;")));
    dialog.selectNameFilter(QString::fromStdString(DesktopFilterEntry(o.filter, o.filterIndex)));
  }
  const std::string ext = PlainExtension(o.defaultExt);
  if (!ext.empty()) dialog.setDefaultSuffix(QString::fromStdString(ext));
  if (!o.initialDir.empty()) dialog.setDirectory(QString::fromStdString(o.initialDir));
  if (!o.fileName.empty()) {
    const QFileInfo preset(QString::fromStdString(o.fileName));
    if (preset.isAbsolute()) dialog.setDirectory(preset.absolutePath());
    dialog.selectFile(preset.fileName());
  }
  // A save dialog asks before overwriting only where the caller does not ask itself.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (Exec(dialog) != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return files.front().toStdString();
}

std::optional<std::string> TQtDialogService::OpenFile(const TFileDialogOptions& options) {
  return RunFileDialog(false, options);
}

std::optional<std::string> TQtDialogService::SaveFile(const TFileDialogOptions& options) {
  return RunFileDialog(true, options);
}

TDialogService& DefaultDialogService() {
  static TQtDialogService service;
  return service;
}

int TModalService::Exec(QDialog& dialog) {
  const QPointer<QWidget> before = TQtDialogService::Owner();
  const int result = Run(dialog);
  if (before && before != &dialog && before->isVisible()) before->activateWindow();
  return result;
}

int TQtModalService::Run(QDialog& dialog) {
  return dialog.exec();
}

TModalService& DefaultModalService() {
  static TQtModalService service;
  return service;
}

int TScriptedModals::Run(QDialog& dialog) {
  ++shown;
  if (scripts_.empty()) {
    ++unscripted;
    return QDialog::Rejected;
  }
  TScript script = std::move(scripts_.front());
  scripts_.pop_front();
  dialog.setResult(QDialog::Rejected);
  // As exec() does: a dialog that is not modal yet is shown application-modal for the run, and
  // hidden again however the script ends (also by an error).
  struct TShown {
    QDialog& d;
    Qt::WindowModality modality;
    ~TShown() {
      d.hide();
      d.setWindowModality(modality);
    }
  } shown_for_run{dialog, dialog.windowModality()};
  if (shown_for_run.modality == Qt::NonModal) dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  QApplication::processEvents();
  const int r = script(dialog);
  return r == kDialogResult ? dialog.result() : r;
}
