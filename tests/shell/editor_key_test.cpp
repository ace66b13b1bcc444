// The main window's side of "e": the editor opens modally on the current maze with the timer
// off; OK saves at once and makes the editor's maze current; every route out leaves the game
// on a maze that exists, with the timer on and no key from the editor acting on the game.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../editor/edit_fixture.h"
#include "file_size_limit.h"
#include "gx_edit.h"
#include "gx_rocket.h"
#include "gx_side.h"
#include "shell_fixture.h"

namespace {

using EditorKeyTest = ShellTest;

// The two-cave collection with the extents the main window's painting computes, so that the
// file is what a save writes back when nothing changed.
std::string TwoCavesFile() {
  auto list = TwoCaves();
  for (int i = 0; i < list->Count(); ++i) list->GetMaze(i)->GetExtent();
  return CollectionBytes(*list);
}

TEditMaze& Editor(QDialog& d) {
  return dynamic_cast<TEditMaze&>(d);
}

TEST_F(EditorKeyTest, EOpensTheEditorMaximisedOnTheCurrentMazeWithTheTimerOff) {
  WriteBytes(Collection(), TwoCavesFile());
  auto u = Start(1);
  u->SetRunning(true);
  TMaze* cave = u->Cave();
  bool checked = false;
  modals.Queue([&](QDialog& d) {
    TEditMaze& e = Editor(d);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(e.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(e.Maze(), cave);
    EXPECT_EQ(e.windowTitle(), "Gravonaut 2.7 Edit (Cave 2)");
    EXPECT_FALSE(u->GameTicker().isActive());
    EXPECT_EQ(e.parentWidget(), u.get());
    checked = true;
    return int(QDialog::Rejected);
  });
  SetProgramFilePath("/proc/self/exe");
  QTest::keyClick(u.get(), Qt::Key_E);
  EXPECT_TRUE(checked);
  EXPECT_EQ(modals.shown, 1);
  EXPECT_EQ(u->Cave(), cave);  // Cancel without changes: the game stays where it was
  EXPECT_TRUE(u->GameTicker().isActive());
}

TEST_F(EditorKeyTest, OkSavesAtOnceAndPlaysTheEditorsMaze) {
  WriteBytes(Collection(), TwoCavesFile());
  auto u = Start(0);
  modals.Queue([&](QDialog& d) {
    TEditMaze& e = Editor(d);
    e.Document().MazeComboSelect(1);
    e.Document().eHarmlessClick(true);
    QTest::mouseClick(e.bok, Qt::LeftButton);
    return TScriptedModals::kDialogResult;
  });
  u->FormKeyPress('e');
  EXPECT_EQ(u->Cave(), u->MazeList()->GetMaze(1));
  EXPECT_EQ(u->Cave()->Rocket(), u->Rocket());
  EXPECT_FALSE(u->IsChanged);
  TTextReader r = TTextReader::FromFile(Collection());
  r.ReadLn();
  TMazeList saved;
  saved.LoadFromF(r);
  EXPECT_TRUE(saved.GetMaze(1)->GetPolygon(0)->harmless);
  EXPECT_TRUE(std::filesystem::exists(Backup()));
  // The edited maze plays.
  keys.Down(vk::LControl);
  for (int i = 0; i < 20; ++i) u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_practice);
}

TEST_F(EditorKeyTest, OpeningAndClosingOnAMazeWithLandingCornersLeavesTheFileAsItWas) {
  const std::string file = TwoCavesFile();
  WriteBytes(Collection(), file);
  auto u = Start(0);
  modals.Queue([&](QDialog& d) {
    TEditMaze& e = Editor(d);
    TPolygon* landing = u->MazeList()->GetMaze(0)->GetPolygon(1);
    e.Document().SetPolygon(landing);
    e.Document().SetSide(landing->GetSide(1));
    e.accept();
    return TScriptedModals::kDialogResult;
  });
  u->FormKeyPress('e');
  EXPECT_TRUE(ReadBytes(Collection()) == file) << FirstDifference(file, ReadBytes(Collection()));
}

// Files of earlier versions: landcolor 0xFFEE, the landing corners 61183 (0x00EEFF). Ok in the
// editor, the landing colour untouched, writes every record back as it was.
TEST_F(EditorKeyTest, OkOnAMazeWhoseLandingCornersDifferFromItsLandcolorLeavesTheFileAsItWas) {
  auto list = TwoCaves();
  for (int i = 0; i < list->Count(); ++i) {
    TMaze* m = list->GetMaze(i);
    m->landcolor = 0x0000FFEE;
    for (int k = 0; k < m->Count(); ++k) {
      for (int c = 0; c < m->GetPolygon(k)->Count(); ++c) {
        TSide* s = m->GetPolygon(k)->GetSide(c);
        if (s->sidetype == st_landing) s->color = 61183;
      }
    }
    m->GetExtent();
  }
  ASSERT_EQ(list->GetMaze(0)->GetPolygon(1)->GetSide(1)->color, 61183u);
  const std::string file = CollectionBytes(*list);
  WriteBytes(Collection(), file);
  auto u = Start(0);
  TColor shown = 0;
  modals.Queue([&](QDialog& d) {
    shown = Editor(d).Document().Controls().cLand;
    QTest::mouseClick(Editor(d).bok, Qt::LeftButton);
    return TScriptedModals::kDialogResult;
  });
  u->FormKeyPress('e');
  EXPECT_EQ(shown, 61183u);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_TRUE(std::filesystem::exists(Backup()));  // written
  EXPECT_TRUE(ReadBytes(Collection()) == file) << FirstDifference(file, ReadBytes(Collection()));
}

TEST_F(EditorKeyTest, CancelKeepsAnEarlierBestTimeToBeWritten) {
  WriteBytes(Collection(), TwoCavesFile());
  auto u = Start(0);
  u->IsChanged = true;  // a best time set before the editor was opened
  modals.Queue([](QDialog& d) {
    d.reject();
    return TScriptedModals::kDialogResult;
  });
  u->FormKeyPress('e');
  EXPECT_TRUE(u->IsChanged);
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(EditorKeyTest, KeysTypedInTheEditorDoNotActOnTheGame) {
  WriteBytes(Collection(), TwoCavesFile());
  auto u = Start(0);
  modals.Queue([&](QDialog& d) {
    keys.Tap(vk::LControl);  // pressed and let go while the editor is open
    keys.Tap(vk::R);
    d.reject();
    return TScriptedModals::kDialogResult;
  });
  u->Cave()->bestdur = 3.5;
  u->FormKeyPress('e');
  u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_intro);
  EXPECT_EQ(u->Cave()->bestdur, 3.5);
}

// E opens the editor on its press. Its release comes while the editor opens: at the main
// window (blocked by then, so Qt drops it) or at the editor, maybe after some repeats. A held
// E types nothing in the editor, and every e typed afterwards counts.
TEST_F(EditorKeyTest, TheKeyThatOpenedTheEditorCostsNoLetterTypedThere) {
  struct TCase {
    const char* what;
    bool held;       // repeats reach the name field first
    bool in_editor;  // where the release goes
  };
  const TCase cases[] = {
      {"released at the main window", false, false},
      {"held, then released at the main window", true, false},
      {"released in the editor", false, true},
      {"held, then released in the editor", true, true},
  };
  for (const TCase& c : cases) {
    WriteBytes(Collection(), TwoCavesFile());
    auto u = Start(0);
    QString before_typing, typed;
    modals.Queue([&](QDialog& d) {
      TEditMaze& e = Editor(d);
      QApplication::setActiveWindow(&e);
      QTest::mouseClick(e.eMazename, Qt::LeftButton);
      e.eMazename->end(false);
      for (int i = 0; c.held && i < 3; ++i) {
        QTest::simulateEvent(e.eMazename, true, Qt::Key_E, Qt::NoModifier, "e", true);
      }
      if (c.in_editor) {
        QTest::keyRelease(e.eMazename, Qt::Key_E);
      } else {
        QTest::keyRelease(u->windowHandle(), Qt::Key_E);
      }
      before_typing = e.eMazename->text();
      e.eMazename->selectAll();
      QTest::keyClicks(e.eMazename, "Deep Tunnel");
      QTest::keyClicks(e.eMazename, "ee");
      typed = e.eMazename->text();
      return int(QDialog::Rejected);
    });
    const int shown = modals.shown;
    QTest::keyPress(u.get(), Qt::Key_E);
    ASSERT_EQ(modals.shown, shown + 1) << c.what;
    EXPECT_EQ(before_typing, "Cave 1") << c.what;
    EXPECT_EQ(typed, "Deep Tunnelee") << c.what;
  }
}

// The game's maze deleted in the editor, then each way out.
TEST_F(EditorKeyTest, AfterTheGamesMazeWasDeletedEveryRouteLeavesALiveMazeCurrent) {
  struct TRoute {
    const char* name;
    int answer;  // to "Discard the changes made in the editor?"
    bool ok;
  };
  for (const TRoute route : {TRoute{"OK", mrYes, true}, TRoute{"Cancel, discard", mrYes, false},
                             TRoute{"Cancel, keep, then discard", mrNo, false}}) {
    WriteBytes(Collection(), TwoCavesFile());
    dialogs.Clear();
    auto u = Start(1);
    modals.Queue([&](QDialog& d) {
      TEditMaze& e = Editor(d);
      e.Document().RemoveMaze(e.Maze());  // Cave 2, the game's maze
      if (route.ok) {
        d.accept();
      } else {
        dialogs.QueueAnswer(route.answer);
        if (route.answer == mrNo) dialogs.QueueAnswer(mrYes);
        d.reject();
        if (d.isVisible()) d.reject();  // kept open: the second try discards
      }
      return TScriptedModals::kDialogResult;
    });
    u->FormKeyPress('e');
    TMaze* now = u->Cave();
    ASSERT_NE(now, nullptr) << route.name;
    EXPECT_GE(u->MazeList()->IndexOf(now), 0) << route.name;
    EXPECT_EQ(now->Rocket(), u->Rocket()) << route.name;
    EXPECT_EQ(u->Rocket()->maze, now) << route.name;
    EXPECT_EQ(now->mazename, route.ok ? "Cave 1" : "Cave 2") << route.name;
    EXPECT_EQ(u->MazeList()->Count(), route.ok ? 1 : 2) << route.name;
    EXPECT_TRUE(u->GameTicker().isActive()) << route.name;
    u->gametickerTimer();
    u->repaint();
  }
}

// Ok in the editor writes the collection; when that fails (the disk is full) the edits stay
// changed, and quitting with room again writes them.
TEST_F(EditorKeyTest, AFailedSaveAfterOkIsWrittenAtQuit) {
  const std::string file = TwoCavesFile();
  WriteBytes(Collection(), file);
  auto u = Start(0);
  ASSERT_FALSE(u->IsChanged);
  modals.Queue([&](QDialog& d) {
    Editor(d).Document().eMazenameChange("Renamed");
    QTest::mouseClick(Editor(d).bok, Qt::LeftButton);
    return TScriptedModals::kDialogResult;
  });
  {
    TFileSizeLimit full(file.size() / 2);
    u->FormKeyPress('e');
  }
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "Error");
  EXPECT_EQ(ReadBytes(Collection()), file);
  EXPECT_TRUE(u->IsChanged);
  u->close();
  EXPECT_EQ(dialogs.boxes.size(), 1u);
  TTextReader r = TTextReader::FromFile(Collection());
  r.ReadLn();
  TMazeList saved;
  saved.LoadFromF(r);
  EXPECT_EQ(saved.GetMaze(0)->mazename, "Renamed");
}

TEST_F(EditorKeyTest, AnErrorWhileSavingStillLeavesTheEditorsMazeCurrentAndTheTimerOn) {
  TUniverseOptions o;
  o.collection = (dir_ / "missing-folder" / "gravonaut.cav").string();
  o.dialogs = &dialogs;
  o.modals = &modals;
  o.keys = &keys;
  o.start_timer = false;
  TUniverse u(o);  // the built-in maze: nothing to read there
  u.resize(640, 480);
  u.show();
  modals.Queue([&](QDialog& d) {
    TEditMaze& e = Editor(d);
    e.Document().sNewMazeClick();
    e.Document().eMazenameChange("Second");
    e.Document().RemoveMaze(u.MazeList()->GetMaze(0));  // the game's maze
    d.accept();
    return TScriptedModals::kDialogResult;
  });
  u.FormKeyPress('e');
  ASSERT_EQ(dialogs.boxes.size(), 1u);  // the failed save, in the window's error box
  EXPECT_EQ(dialogs.boxes[0].caption, "Error");
  ASSERT_NE(u.Cave(), nullptr);
  EXPECT_EQ(u.Cave()->mazename, "Second");
  EXPECT_EQ(u.MazeList()->IndexOf(u.Cave()), 0);
  EXPECT_TRUE(u.GameTicker().isActive());
  u.gametickerTimer();
}

}  // namespace
