// Test play from the editor, through the main window: F5 opens a window that plays a copy of
// the maze shown as the game plays it (its own rocket, keys, clock and balls, the game's play
// view), Escape ends it, and neither the collection nor the editor has changed by it.
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "../editor/edit_fixture.h"
#include "gx_ball.h"
#include "gx_bullet.h"
#include "gx_edit.h"
#include "gx_force.h"
#include "gx_playfield.h"
#include "gx_rocket.h"
#include "gx_testwindow.h"
#include "gx_traflist.h"
#include "gx_transform.h"
#include "key_events.h"
#include "shell_fixture.h"

namespace {

// A box 4 units wide whose floor is a landing edge; the start zone lies on the floor in the
// middle, a ball hangs 0.8 above it, a small square stands to the right.
std::unique_ptr<TMaze> Hangar() {
  auto m = EmptyMaze("Hangar");
  TPolygon* box = AddPolygon(*m, {{-2, -2}, {-2, 2}, {2, 2}, {2, -2}});
  box->GetSide(0)->sidetype = st_landing;  // from (2, -2) to (-2, -2)
  box->GetSide(0)->color = m->landcolor;
  AddSquare(*m, 1.2, 0.5, 0.2);
  m->AddBall(0, -1.2, -1);
  m->SetStart(TDRect{-0.1, 0.1, -2, -2});
  m->bestdur = 99;
  return m;
}

std::string HangarFile() {
  TMazeList list;
  list.SetMaze(0, Hangar());
  list.GetMaze(0)->GetExtent();
  return CollectionBytes(list);
}

TEditMaze& Editor(QDialog& d) {
  return dynamic_cast<TEditMaze&>(d);
}
TTestPlayWindow& TestWindow(QDialog& d) {
  return dynamic_cast<TTestPlayWindow&>(d);
}

// What the editor shows and is set to, which test play must leave as it was.
struct TEditorView {
  std::string collection;
  std::string raw;  // the shown maze as it is in memory, highlights and view matrix included
  int steps;
  TMaze* maze;
  TPolygon* polygon;
  TSide* side;
  TBall* ball;
  std::vector<bool> tools;
  int tab;
  int combo;
  QString name;
  QString title;
  bool operator==(const TEditorView&) const = default;
};
TEditorView ViewOf(TEditMaze& e) {
  TEditDocument& d = e.Document();
  std::vector<bool> tools;
  for (int t = 0; t <= static_cast<int>(TEditTool::sRot); ++t) {
    tools.push_back(d.ToolDown(static_cast<TEditTool>(t)));
  }
  return {d.CleanCollection(),
          RecordBytes(*d.Maze()),
          d.StepCount(),
          d.Maze(),
          d.Polygon(),
          d.Side(),
          d.Ball(),
          tools,
          e.TrafTab->currentIndex(),
          e.MazeCombo->currentIndex(),
          e.eMazename->text(),
          e.windowTitle()};
}

class TestPlayTest : public ShellTest {
 protected:
  // "e" on the game's maze; in the editor `prepare` runs, then F5 starts the test, which `fly`
  // plays; `check` then sees the editor, which is cancelled afterwards (with Yes to the
  // question when something was edited).
  void EditAndTestPlay(TUniverse& u, const std::function<void(TEditMaze&)>& prepare,
                       const std::function<void(TTestPlayWindow&)>& fly,
                       const std::function<void(TEditMaze&)>& check = {}) {
    bool flown = false;
    modals.Queue([&](QDialog& d) {
      TEditMaze& e = Editor(d);
      prepare(e);
      const TEditorView before = ViewOf(e);
      modals.Queue([&](QDialog& w) {
        fly(TestWindow(w));
        flown = true;
        return TScriptedModals::kDialogResult;
      });
      e.PlayField->setFocus();
      QTest::keyClick(e.PlayField, Qt::Key_F5);
      EXPECT_TRUE(flown);
      EXPECT_TRUE(ViewOf(e) == before) << "the editor is where it was";
      if (check) check(e);
      if (e.Document().DiffersFromOpening()) dialogs.QueueAnswer(mrYes);
      d.reject();
      return TScriptedModals::kDialogResult;
    });
    u.FormKeyPress('e');
    EXPECT_TRUE(flown);
  }
  // Ticks until done says so, at most `limit` ticks; the number of ticks run.
  static int TickUntil(TTestPlayWindow& w, const std::function<bool()>& done, int limit = 400) {
    int n = 0;
    while (n < limit && !done()) {
      w.Tick();
      ++n;
    }
    return n;
  }
};

TEST_F(TestPlayTest, TheTestFliesACopyWithItsOwnRocketKeysAndClockAndEscapeEndsIt) {
  WriteBytes(Collection(), HangarFile());
  auto u = Start(0);
  TMaze* game = u->Cave();
  EditAndTestPlay(
      *u,
      [&](TEditMaze& e) {
        TEditDocument& d = e.Document();
        d.SetPolygon(game->GetPolygon(1));
        d.sAutoRotClick();  // edits before the test: they play, and stay
        d.SetTrafPeriodSeconds(d.SelectedTraf(), 2);
        d.SetSide(game->GetPolygon(1)->GetSide(2));
      },
      [&](TTestPlayWindow& w) {
        TMaze& copy = w.Maze();
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.windowTitle(), "Test Play (Hangar)");
        EXPECT_NE(&copy, game);
        EXPECT_NE(&w.Rocket(), u->Rocket());
        EXPECT_EQ(copy.Rocket(), &w.Rocket());
        EXPECT_EQ(w.Rocket().maze, &copy);
        EXPECT_EQ(copy.KeyService(), &keys);
        EXPECT_EQ(copy.FTickUnit, 50);
        EXPECT_EQ(w.Ticker().interval(), 50);
        EXPECT_TRUE(w.Ticker().isActive());
        EXPECT_EQ(copy.MsgLine(), TTestPlayWindow::kHint);
        // From its start zone, on the floor.
        EXPECT_EQ(copy.GameState(), gs_intro);
        EXPECT_DOUBLE_EQ(w.Rocket().Force()->px(), 0);
        EXPECT_DOUBLE_EQ(w.Rocket().Force()->py(), -2 + w.Rocket().sx / 5);
        // The first thrust starts the run and its clock; the rocket lifts off.
        keys.Down(vk::LControl);
        w.Tick();
        keys.Up(vk::LControl);
        EXPECT_EQ(copy.GameState(), gs_practice);
        TickUntil(
            w, [&] { return w.Rocket().Force()->py() <= -2 + w.Rocket().sx / 5; }, 60);
        // Fire: the ball above goes, and the finished run gets its time.
        keys.Tap(vk::Up);
        w.Tick();
        EXPECT_EQ(copy.bullitlist->Count(), 1);
        TickUntil(w, [&] { return copy.NoMoreBalls(); });
        ASSERT_TRUE(copy.NoMoreBalls());
        w.Tick();
        EXPECT_EQ(copy.MsgLine(), "New Record Time!");
        EXPECT_LT(copy.bestdur, 99);
        EXPECT_GT(copy.duration, 0u);
        EXPECT_GT(copy.GetPolygon(1)->TrafList()->GetTraf(0)->cnt, 0) << "it turns";
        // The game's rules: the run starts again after the message.
        TickUntil(
            w, [&] { return copy.GameState() == gs_intro; }, 100);
        EXPECT_EQ(copy.GameState(), gs_intro);
        EXPECT_FALSE(copy.NoMoreBalls());
        keys.Tap(vk::Escape);
        w.Tick();
        EXPECT_FALSE(w.isVisible());
        EXPECT_FALSE(w.Ticker().isActive());
      },
      [&](TEditMaze& e) {
        EXPECT_EQ(e.Maze(), game);
        EXPECT_EQ(game->bestdur, 99);
        EXPECT_FALSE(game->NoMoreBalls());
        EXPECT_EQ(game->balllist->GetBall(0)->FExplTicks, 0);
        EXPECT_EQ(game->duration, 0u);
        EXPECT_EQ(game->GetPolygon(1)->TrafList()->GetTraf(0)->cnt, 0);
        EXPECT_EQ(e.Document().StepCount(), 2);
      });
  EXPECT_EQ(ReadBytes(Collection()), HangarFile()) << "Cancel: nothing written";
  EXPECT_FALSE(u->IsChanged);
  EXPECT_EQ(u->Cave()->bestdur, 99);
}

TEST_F(TestPlayTest, ACrashOrSpaceRestartsTheRunAsInTheGame) {
  struct TCase {
    const char* what;
    std::function<void(TTestPlayWindow&)> spoil;
  };
  const TCase cases[] = {
      {"thrust into the ceiling",
       [&](TTestPlayWindow& w) {
         keys.Down(vk::LControl);
         TickUntil(w, [&] { return w.Rocket().Exploded(); });
         keys.Up(vk::LControl);
         EXPECT_TRUE(w.Rocket().Exploded());
       }},
      {"Space let go",
       [&](TTestPlayWindow& w) {
         keys.Down(vk::LControl);
         for (int i = 0; i < 5; ++i) w.Tick();
         keys.Up(vk::LControl);
         keys.Down(vk::Space);
         w.Tick();
         keys.Up(vk::Space);
       }},
  };
  for (const TCase& c : cases) {
    WriteBytes(Collection(), HangarFile());
    auto u = Start(0);
    EditAndTestPlay(
        *u, [](TEditMaze&) {},
        [&](TTestPlayWindow& w) {
          c.spoil(w);
          TickUntil(w, [&] { return w.Maze().GameState() == gs_intro; });
          EXPECT_EQ(w.Maze().GameState(), gs_intro) << c.what;
          EXPECT_FALSE(w.Rocket().Exploded()) << c.what;
          EXPECT_DOUBLE_EQ(w.Rocket().Force()->py(), -2 + w.Rocket().sx / 5) << c.what;
          // Escape from the keyboard ends the test at once, without a tick.
          QTest::keyClick(&w, Qt::Key_Escape);
          EXPECT_FALSE(w.isVisible()) << c.what;
        });
    EXPECT_EQ(ReadBytes(Collection()), HangarFile()) << c.what;
  }
}

TEST_F(TestPlayTest, AMazeWithoutStartZoneOrBallsStillPlays) {
  WriteBytes(Collection(), HangarFile());
  auto u = Start(0);
  EditAndTestPlay(
      *u, [](TEditMaze& e) { e.Document().sNewMazeClick(); },  // a triangle, nothing else
      [&](TTestPlayWindow& w) {
        TMaze& copy = w.Maze();
        EXPECT_EQ(copy.mazename, "<no name>");
        EXPECT_EQ(copy.balllist->Count(), 0);
        QImage frame(w.size(), QImage::Format_RGB32);
        w.PaintFrame(frame);
        int lit = 0;
        for (int y = 0; y < frame.height(); y += 4) {
          for (int x = 0; x < frame.width(); x += 4) lit += (frame.pixel(x, y) & 0xFFFFFF) != 0;
        }
        EXPECT_GT(lit, 0) << "the rocket, the maze and the map are drawn";
        const double y0 = w.Rocket().Force()->py();
        keys.Down(vk::LControl);
        for (int i = 0; i < 10; ++i) w.Tick();
        keys.Up(vk::LControl);
        EXPECT_EQ(copy.GameState(), gs_practice);
        EXPECT_NE(w.Rocket().Force()->py(), y0) << "the rocket flies (or falls in pieces)";
        for (int i = 0; i < 200; ++i) w.Tick();
        EXPECT_TRUE(w.isVisible()) << "only Escape ends the test";
        keys.Tap(vk::Escape);
        w.Tick();
        EXPECT_FALSE(w.isVisible());
      });
}

TEST_F(TestPlayTest, ThePlayViewAndMapArePaintedAsTheGamePaintsThem) {
  WriteBytes(Collection(), HangarFile());
  QImage sky(40, 30, QImage::Format_RGB32);
  sky.fill(QColor(30, 60, 120));
  ASSERT_TRUE(sky.save(QString::fromStdString(Path("sky.bmp").string()), "BMP"));
  auto u = Start(0);
  u->SetPicfn(Path("sky.bmp").string());
  u->TargetSize = 15;
  u->FormResize();
  u->Cave()->SetMsgLine("");
  QImage game(u->size(), QImage::Format_RGB32);
  u->PaintFrame(game);
  EditAndTestPlay(
      *u, [](TEditMaze&) {},
      [&](TTestPlayWindow& w) {
        w.resize(u->size());
        ASSERT_EQ(w.size(), u->size());
        w.Maze().SetMsgLine("");
        EXPECT_EQ(w.TargetSize, 25);
        QTest::keyClick(&w, Qt::Key_Minus);
        QTest::keyClick(&w, Qt::Key_Minus);
        EXPECT_EQ(w.TargetSize, 15);
        QImage test(w.size(), QImage::Format_RGB32);
        w.PaintFrame(test);
        EXPECT_TRUE(test == game);
        w.reject();
      });
}

// Nothing clicks the editor after the test: it is the active window again at once, so its
// shortcuts work from the first key (Ctrl+Z undoes the edit made before the test).
TEST_F(TestPlayTest, TheEditorIsActiveAgainAfterTheTestAndCtrlZUndoesAtOnce) {
  WriteBytes(Collection(), HangarFile());
  auto u = Start(0);
  TMaze* game = u->Cave();
  std::string before_edit;
  EditAndTestPlay(
      *u,
      [&](TEditMaze& e) {
        QApplication::setActiveWindow(&e);
        before_edit = e.Document().CleanCollection();
        e.Document().SetPolygon(game->GetPolygon(1));
        e.PlayField->setFocus();
        QTest::keyClick(e.PlayField, Qt::Key_Left, Qt::ShiftModifier);  // "Move Polygon"
        ASSERT_NE(e.Document().CleanCollection(), before_edit);
      },
      [&](TTestPlayWindow& w) {
        QApplication::setActiveWindow(&w);
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
      },
      [&](TEditMaze& e) {
        QApplication::processEvents();  // the window system's answer to the activation
        EXPECT_EQ(QApplication::activeWindow(), &e);
        QTest::keyClick(e.PlayField, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(e.Document().CleanCollection() == before_edit) << "Ctrl+Z undid the move";
      });
  EXPECT_EQ(ReadBytes(Collection()), HangarFile());
}

// Keys stay with the window they went down in (the application sees to it): held from the editor
// they do not fly the rocket, held from the test they do not edit.
TEST_F(TestPlayTest, KeysHeldAcrossTheTestsStartAndEndActOnlyWhereTheyWentDown) {
  WriteBytes(Collection(), HangarFile());
  auto u = Start(0, /*own_keys=*/true);
  TMaze* game = u->Cave();
  int steps = 0;
  EditAndTestPlay(
      *u,
      [&](TEditMaze& e) {
        e.Document().SetPolygon(game->GetPolygon(1));
        e.Document().SetSide(game->GetPolygon(1)->GetSide(0));
        QApplication::setActiveWindow(&e);
        e.PlayField->setFocus();
        Press(*e.PlayField, test_keys::Right);  // nudges the corner once, and stays down
        steps = e.Document().StepCount();
        EXPECT_EQ(steps, 1);
      },
      [&](TTestPlayWindow& w) {
        QApplication::setActiveWindow(&w);
        w.setFocus();
        Press(w, test_keys::LControl);
        w.Tick();
        Release(w, test_keys::LControl);
        ASSERT_EQ(w.Maze().GameState(), gs_practice);
        const double heading = w.Rocket().angle();
        Repeat(w, test_keys::Right);  // the editor's key, still held
        w.Tick();
        Release(w, test_keys::Right);
        w.Tick();
        EXPECT_DOUBLE_EQ(w.Rocket().angle(), heading);
        Press(w, test_keys::Left);  // held as the test ends
        w.Tick();
        EXPECT_NE(w.Rocket().angle(), heading);
        Press(w, test_keys::Escape);
        EXPECT_FALSE(w.isVisible());
      },
      [&](TEditMaze& e) {
        QApplication::setActiveWindow(&e);
        Repeat(*e.PlayField, test_keys::Left);
        Release(*e.PlayField, test_keys::Left);
        Release(e, test_keys::Escape);
        EXPECT_TRUE(e.isVisible());
        EXPECT_EQ(e.Document().StepCount(), steps);
      });
}

// Qt tries a press as a shortcut before it delivers it: a game key that repeats into the
// editor after the test must not fire the editor's shortcut either.
TEST_F(TestPlayTest, AKeyComboHeldAsTheTestEndsFiresNoShortcutInTheEditor) {
  struct TCase {
    const char* combo;
    Qt::Key modifier;
    Qt::KeyboardModifier mods;
    Qt::Key key;
    const char* text;
  };
  // Thrust and clear the best time (the editor: Rotate); fire and restart (the editor: Exit).
  const TCase cases[] = {{"Ctrl+R", Qt::Key_Control, Qt::ControlModifier, Qt::Key_R, "r"},
                         {"Alt+X", Qt::Key_Alt, Qt::AltModifier, Qt::Key_X, "x"}};
  for (const TCase& c : cases) {
    WriteBytes(Collection(), HangarFile());
    auto u = Start(0, /*own_keys=*/true);
    EditAndTestPlay(
        *u, [&](TEditMaze& e) { QApplication::setActiveWindow(&e); },
        [&](TTestPlayWindow& w) {
          QApplication::setActiveWindow(&w);
          QTest::keyPress(&w, c.modifier, c.mods);
          QTest::keyPress(&w, c.key, c.mods);
          QTest::keyClick(&w, Qt::Key_Escape, c.mods);
          EXPECT_FALSE(w.isVisible()) << c.combo;
        },
        [&](TEditMaze& e) {
          QApplication::setActiveWindow(&e);
          const QString text = QString::fromLatin1(c.text);
          // Its repeats: still the key held from the test. (A plain press would be a new one:
          // X11 sends every repeat as a release and a press, never a press alone.)
          QTest::simulateEvent(e.PlayField, true, c.key, c.mods, text, /*repeat=*/true);
          QTest::simulateEvent(e.PlayField, true, c.key, c.mods, text, /*repeat=*/true);
          EXPECT_TRUE(e.isVisible()) << c.combo;
          EXPECT_EQ(e.Document().DragType(), dt_translate) << c.combo;
          // Let go and pressed anew in the editor, the shortcut works.
          QTest::simulateEvent(e.PlayField, false, c.key, c.mods, text, false);
          if (c.key == Qt::Key_R) {
            QTest::simulateEvent(e.PlayField, true, c.key, c.mods, text, false);
            EXPECT_EQ(e.Document().DragType(), dt_rotate) << c.combo;
          }
        });
    EXPECT_EQ(ReadBytes(Collection()), HangarFile()) << c.combo << ": the editor did not save";
  }
}

}  // namespace
