// Errors escaping event handlers, and modal dialogs driven by a script.
#include "qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "qt_application.h"
#include "recording_dialogs.h"

namespace {

class TThrowingObject : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("Invalid numeric input");
    return QObject::event(e);
  }
};

}  // namespace

TEST(GameApplication, ShowsAnErrorThatEscapesAHandlerAndGoesOn) {
  TRecordingDialogs dialogs;
  TGameApplication::SetErrorDialogs(&dialogs);
  TThrowingObject obj;
  QCoreApplication::postEvent(&obj, new QEvent(QEvent::User));
  QCoreApplication::sendPostedEvents(&obj);
  QCoreApplication::postEvent(&obj, new QEvent(QEvent::User));
  QCoreApplication::sendPostedEvents(&obj);
  TGameApplication::SetErrorDialogs(nullptr);
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[0].caption, "Error");
  EXPECT_EQ(dialogs.boxes[0].text, "Invalid numeric input");
  EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::mi_error);
}

TEST(ScriptedModals, HandsEachDialogToItsScript) {
  TScriptedModals modals;
  QDialog dialog;
  auto* ok = new QPushButton("&Ok", &dialog);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  modals.Queue([&](QDialog& d) {
    EXPECT_TRUE(d.isVisible());
    QTest::mouseClick(ok, Qt::LeftButton);
    return TScriptedModals::kDialogResult;
  });
  modals.Queue([](QDialog&) { return 7; });
  EXPECT_EQ(modals.Exec(dialog), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(modals.Exec(dialog), 7);
  EXPECT_EQ(modals.Exec(dialog), QDialog::Rejected);  // no script left: cancelled
  EXPECT_EQ(modals.shown, 3);
  EXPECT_EQ(modals.unscripted, 1);
}

// The window a dialog was opened from has the keyboard again once the dialog is closed (with no
// window manager nothing else hands it back, and its shortcuts would do nothing); one that the
// dialog's run hid stays hidden.
TEST(ScriptedModals, TheWindowActiveBeforeTheDialogIsActiveAgainAfterIt) {
  for (const bool hide_owner : {false, true}) {
    QWidget owner;
    owner.show();
    QApplication::setActiveWindow(&owner);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &owner);
    TScriptedModals modals;
    QDialog dialog(&owner);
    modals.Queue([&](QDialog& d) {
      QApplication::setActiveWindow(&d);
      EXPECT_EQ(QApplication::activeWindow(), &d);
      if (hide_owner) owner.hide();
      return QDialog::Accepted;
    });
    EXPECT_EQ(modals.Exec(dialog), QDialog::Accepted);
    QApplication::processEvents();  // the window system's answer to the activation
    EXPECT_EQ(owner.isVisible(), !hide_owner);
    EXPECT_EQ(QApplication::activeWindow() == &owner, !hide_owner) << hide_owner;
  }
}
