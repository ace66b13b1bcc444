#pragma once
// Shared pieces of the shell tests: the application object (offscreen), a scratch folder per
// test, collection files made from real mazes, and main windows driven tick by tick.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gx_main.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "qor_text.h"
#include "qt_application.h"
#include "qt_dialogs.h"
#include "recording_dialogs.h"
#include "scripted_keys.h"

// The application object; every test that asks for it starts with no key held, whatever an
// earlier test left pressed.
inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "shell_tests";
  static char* argv[] = {name, nullptr};
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static TGameApplication* app = new TGameApplication(argc, argv);
  app->KeyOrigins().Clear();
  return *app;
}

inline std::string ReadBytes(const std::filesystem::path& p) {
  return ReadFileBytes(p.string());
}
inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
  WriteFileBytes(p.string(), bytes);
}

// A small maze with one square polygon and one ball, named name.
inline std::unique_ptr<TMaze> SquareMaze(const std::string& name, double size = 1) {
  auto m = std::make_unique<TMaze>();
  m->mazename = name;
  m->SetTickUnit(50);
  auto p = std::make_unique<TPolygon>();
  p->SetColor(0x00FFFF00);
  for (auto [x, y] : {std::pair{-size, -size}, {-size, size}, {size, size}, {size, -size}}) {
    p->AddSide(x, y, st_normal, p->Color());
  }
  m->AddPolygon(std::move(p));
  m->AddBall(size / 2, size / 2, -1);  // a target, so that a run does not end at once
  m->SetStart(TDRect{-0.2, 0.2, -0.5, -0.5});
  return m;
}

// The bytes of a collection holding square mazes with these names.
inline std::string CollectionBytes(const std::vector<std::string>& names) {
  TMazeList list;
  for (const std::string& n : names) list.SetMaze(list.Count(), SquareMaze(n));
  TTextWriter w;
  list.SaveToF(w);
  return w.Bytes();
}

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ =
        std::filesystem::temp_directory_path() / ("gx_shell_" + std::to_string(::getpid()) + "_" +
                                                  info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path Path(const std::string& name) const { return dir_ / name; }
  std::string Collection() const { return Path("gravonaut.cav").string(); }
  std::string Backup() const { return Path("gravonaut.old").string(); }

  // A window on the test's collection, its keys scripted and its ticks driven by the test.
  // With own_keys the window reads the keys from its own key events, as in the game.
  std::unique_ptr<TUniverse> Start(int maze = -1, bool own_keys = false,
                                   TDialogService* dialog_service = nullptr) {
    TUniverseOptions o;
    o.collection = Collection();
    o.maze = maze;
    o.dialogs = dialog_service ? dialog_service : &dialogs;
    o.modals = &modals;
    o.keys = own_keys ? nullptr : &keys;
    o.start_timer = false;
    auto u = std::make_unique<TUniverse>(o);
    u->resize(800, 600);
    u->show();  // offscreen; a hidden widget would get its size only when shown
    return u;
  }

  // Names of the files in the scratch folder.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path dir_;
  TRecordingDialogs dialogs;
  TScriptedModals modals;
  TScriptedKeys keys;
};
