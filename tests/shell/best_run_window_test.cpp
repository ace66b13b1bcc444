// The best run in the game window: the starter ghost flies from the first start and shows in
// the frame, G hides it, W replays the run on a copy and any key ends it with the game as it
// was, and C retires the best run.
#include <QTest>
#include <filesystem>

#include "gx_ball.h"
#include "gx_mazegame.h"
#include "gx_runkeeper.h"
#include "gx_runreplay.h"
#include "gx_runwatch.h"
#include "shell_fixture.h"

namespace {

namespace fs = std::filesystem;

class BestRunWindow : public ShellTest {
 protected:
  // The starter collection with its best runs, as the game's working directory has them.
  void UseStarter() {
    fs::copy_file(GRAVONAUT_STARTER_CAV, Collection());
    fs::copy(std::string(GRAVONAUT_STARTER_CAV) + ".replays", Collection() + ".replays");
  }
  static int GhostPixels(TUniverse& u) {
    QImage frame(u.size(), QImage::Format_RGB32);
    u.PaintFrame(frame);
    const QRgb ghost = qRgb(kGhostColor & 0xFF, (kGhostColor >> 8) & 0xFF, kGhostColor >> 16);
    int n = 0;
    for (int y = 0; y < frame.height(); ++y) {
      for (int x = 0; x < frame.width(); ++x) n += frame.pixel(x, y) == ghost;
    }
    return n;
  }
};

TEST_F(BestRunWindow, TheStarterGhostFliesAndGHidesIt) {
  UseStarter();
  auto u = Start(0);
  ASSERT_NE(u->Runs().Best(), nullptr) << "the starter maze's best run";
  EXPECT_GT(GhostPixels(*u), 10);
  u->FormKeyPress('g');
  EXPECT_EQ(GhostPixels(*u), 0);
  u->FormKeyPress('G');
  EXPECT_GT(GhostPixels(*u), 10);
}

TEST_F(BestRunWindow, WReplaysTheRunOnACopyAndAnyKeyEndsIt) {
  UseStarter();
  auto u = Start(0);
  TMaze* played = u->Cave();
  const TRunRecording best = *u->Runs().Best();
  u->FormKeyPress('w');
  ASSERT_NE(u->Watch(), nullptr);
  EXPECT_TRUE(u->Watch()->Matches()) << u->Watch()->Caption();
  TMaze* shown = u->Watch()->Shown(played);
  ASSERT_NE(shown, played);
  std::size_t ticks = 0;
  bool struck = false;
  while (u->Watch() && ticks < best.keys.size() + 200) {
    u->gametickerTimer();
    ++ticks;
    if (u->Watch()) struck = struck || shown->balllist->GetBall(0)->invisible;
  }
  EXPECT_EQ(u->Watch(), nullptr) << "the replay ends by itself";
  EXPECT_TRUE(struck) << "the balls are struck in the replay";
  EXPECT_GT(ticks, best.keys.size());
  // The maze played is as it was.
  EXPECT_EQ(u->Cave(), played);
  EXPECT_EQ(played->GameState(), gs_intro);
  EXPECT_EQ(played->duration, 0u);
  EXPECT_FALSE(played->NoMoreBalls());

  // Any key ends it at once, and does nothing else.
  u->FormKeyPress('w');
  ASSERT_NE(u->Watch(), nullptr);
  for (int i = 0; i < 5; ++i) u->gametickerTimer();
  QTest::keyClick(u.get(), Qt::Key_Escape);
  EXPECT_EQ(u->Watch(), nullptr);
  EXPECT_TRUE(u->isVisible()) << "Escape ended the replay, not the game";
}

TEST_F(BestRunWindow, AChangedPhysicsShowsThePathAndCRetiresTheRun) {
  UseStarter();
  auto u = Start(0);
  // A best run that the maze no longer plays back to its time.
  TRunRecording bent = *u->Runs().Best();
  for (std::size_t i = 1; i < bent.keys.size(); ++i) bent.keys[i].flags = 0;
  u->Runs().Store().Save(bent);
  u->Runs().SetMaze(u->Cave());
  u->FormKeyPress('w');
  ASSERT_NE(u->Watch(), nullptr);
  EXPECT_FALSE(u->Watch()->Matches());
  EXPECT_NE(u->Watch()->Caption().find("no longer plays back"), std::string::npos);
  EXPECT_EQ(u->Watch()->Shown(u->Cave()), u->Cave());
  EXPECT_GT(GhostPixels(*u), 10) << "the path and the ghost";
  while (u->Watch()) u->gametickerTimer();

  const std::string file = u->Runs().Store().PathFor(bent.maze_hash);
  ASSERT_TRUE(fs::exists(file));
  u->FormKeyPress('c');
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(u->Runs().Best(), nullptr);
  EXPECT_EQ(GhostPixels(*u), 0);
  u->FormKeyPress('w');
  EXPECT_EQ(u->Watch(), nullptr);
  EXPECT_EQ(u->Cave()->MsgLine(), "No best run to watch");
}

}  // namespace
