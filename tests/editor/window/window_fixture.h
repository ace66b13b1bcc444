#pragma once
// The editor window under test: offscreen, shown and active, on the two-cave collection of the
// core tests, with recorded message boxes and scripted modal dialogs (the colour dialog).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <memory>

#include "../edit_fixture.h"
#include "gx_colorbox.h"
#include "gx_edit.h"
#include "gx_playfield.h"
#include "qt_application.h"
#include "qt_dialogs.h"

inline QApplication& WindowTestApp() {
  static int argc = 1;
  static char name[] = "editor_window_tests";
  static char* argv[] = {name, nullptr};
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication* app = new TGameApplication(argc, argv);
  return *app;
}

class EditWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowTestApp();
    SetProgramFilePath("/proc/self/exe");
    list = TwoCaves();
    editor = std::make_unique<TEditMaze>(dialogs, modals);
    editor->SetMazeList(list.get());
    editor->SetMaze(list->GetMaze(0));
    editor->show();
    QApplication::setActiveWindow(editor.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
  }
  void TearDown() override {
    editor.reset();  // before the collection it edits
    list.reset();
  }

  TEditDocument& Doc() { return editor->Document(); }
  TMaze& Maze(int i) { return *list->GetMaze(i); }
  // Focus on w, then a key pressed and released there.
  void Type(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    w->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(w, key, mods);
  }
  std::vector<std::string> Questions() const {
    std::vector<std::string> q;
    for (const auto& b : dialogs.boxes) q.push_back(b.caption + ": " + b.text);
    return q;
  }

  TRecordingDialogs dialogs{mrYes};
  TScriptedModals modals;
  std::unique_ptr<TMazeList> list;
  std::unique_ptr<TEditMaze> editor;
};
