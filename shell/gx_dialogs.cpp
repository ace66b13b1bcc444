#include "gx_dialogs.h"

#include <QMessageBox>

int TQtDialogService::MessageBox(QWidget* owner, const QString& text, const QString& caption,
                                 TMsgIcon icon, TMsgButtons buttons) {
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
      qicon, caption, text,
      buttons == TMsgButtons::mb_yesno ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
      owner);
  const int r = box.exec();
  if (buttons == TMsgButtons::mb_ok) return mrOk;
  return r == QMessageBox::Yes ? mrYes : mrNo;
}

TDialogService& DefaultDialogService() {
  static TQtDialogService service;
  return service;
}
