// Start-up of the main window: the collection file, the built-in maze, read errors and the
// maze made current first.
#include <filesystem>

#include "gx_launch.h"
#include "gx_rocket.h"
#include "gx_side.h"
#include "shell_fixture.h"

namespace {

using StartupTest = ShellTest;

// Qt appends a display name to every window title under X11 ("Select Maze — Gravonaut"): the
// game sets none, so that the title bars carry the windows' own captions.
TEST(Launch, NamesTheApplicationButLeavesTheTitlesAlone) {
  TestApp();
  NameTheApplication();
  EXPECT_EQ(QCoreApplication::applicationName(), "Gravonaut");
  // A display name of its own would stay put; without one it follows the application name.
  QCoreApplication::setApplicationName("Probe");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Probe");
  QCoreApplication::setApplicationName("Gravonaut");
}

// The two-polygon maze the game builds when it has no usable collection.
void ExpectBuiltInMaze(const TMaze& m) {
  ASSERT_EQ(m.Count(), 2);
  EXPECT_EQ(m.mazename, "");
  EXPECT_EQ(m.TickUnit(), 50);
  EXPECT_EQ(m.linecolor, 0x00FFFF00u);
  EXPECT_EQ(m.landcolor, 0x0000FFEEu);
  const TPolygon* outer = m.GetPolygon(0);
  ASSERT_EQ(outer->Count(), 4);
  EXPECT_EQ(outer->fillcolor, 0u);
  const TPolygon* inner = m.GetPolygon(1);
  ASSERT_EQ(inner->Count(), 4);
  EXPECT_EQ(inner->fillcolor, 0x00FF0000u);
  // The landing strip runs from (0.25, 0.25) to (0.6, 0.25): corner 1 ends it.
  const TSide* from = inner->GetSide(0);
  const TSide* to = inner->GetSide(1);
  EXPECT_EQ(to->sidetype, st_landing);
  EXPECT_DOUBLE_EQ(from->x(), 0.25);
  EXPECT_DOUBLE_EQ(from->y(), 0.25);
  EXPECT_DOUBLE_EQ(to->x(), 0.6);
  EXPECT_DOUBLE_EQ(to->y(), 0.25);
  EXPECT_EQ(inner->GetSide(2)->sidetype, st_normal);
}

TEST_F(StartupTest, WithoutCollectionFileBuildsTheBuiltInMazeQuietly) {
  auto u = Start();
  EXPECT_TRUE(dialogs.boxes.empty());
  ASSERT_EQ(u->MazeList()->Count(), 1);
  ASSERT_EQ(u->Cave(), u->MazeList()->GetMaze(0));
  ExpectBuiltInMaze(*u->Cave());
  // No hint and no state handler: the maze was not made current the usual way.
  EXPECT_EQ(u->Cave()->MsgLine(), "");
  EXPECT_TRUE(u->IsFirst);
  EXPECT_TRUE(u->IsChanged);
  EXPECT_EQ(u->Cave()->Rocket(), u->Rocket());
  EXPECT_EQ(u->Rocket()->color, 0x0000FF00u);
  EXPECT_EQ(u->Cave()->GameState(), gs_intro);
  EXPECT_FALSE(std::filesystem::exists(Collection()));
}

// The rocket starts on the landing strip from (0.25, 0.25) to (0.6, 0.25), after every reset,
// and the collection written keeps that start zone.
TEST_F(StartupTest, TheBuiltInMazesRocketStartsOnItsLandingStrip) {
  const TDRect strip{0.25, 0.6, 0.25, 0.25};
  const auto on_strip = [&](const TMaze& m, const TRocket& r, const char* when) {
    EXPECT_EQ(m.Start().x1, strip.x1) << when;
    EXPECT_EQ(m.Start().x2, strip.x2) << when;
    EXPECT_EQ(m.Start().y1, strip.y1) << when;
    EXPECT_EQ(m.Start().y2, strip.y2) << when;
    EXPECT_DOUBLE_EQ(r.startpos.x, 0.425) << when;
    EXPECT_DOUBLE_EQ(r.startpos.y, 0.25 + r.sx / 5) << when;
  };
  auto u = Start();
  on_strip(*u->Cave(), *u->Rocket(), "built");
  u->Cave()->reset();
  on_strip(*u->Cave(), *u->Rocket(), "after a reset");
  u->close();
  auto again = Start();  // reads the collection written at closing
  ASSERT_EQ(again->MazeList()->Count(), 1);
  EXPECT_FALSE(again->IsChanged);
  on_strip(*again->Cave(), *again->Rocket(), "read back");
}

TEST_F(StartupTest, EmptyCollectionAlsoGetsTheBuiltInMaze) {
  WriteBytes(Collection(), "8 {TMazeList}\r\n0\r\n");
  auto u = Start();
  EXPECT_TRUE(dialogs.boxes.empty());
  ASSERT_EQ(u->MazeList()->Count(), 1);
  ExpectBuiltInMaze(*u->Cave());
  EXPECT_TRUE(u->IsChanged);
  EXPECT_TRUE(u->UnreadableCopy().empty());
}

TEST_F(StartupTest, ThirdMazeWithBadHeaderKeepsTheFirstTwoAndTheFileAsItWas) {
  std::string bytes = CollectionBytes({"First", "Second", "Third"});
  const std::string header = "\r\n7 Third\r\n";
  const auto at = bytes.find(header);
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, header.size(), "\r\n5 Third\r\n");
  WriteBytes(Collection(), bytes);

  auto u = Start();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  const auto& box = dialogs.boxes[0];
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.icon, TMsgIcon::mi_error);
  ASSERT_FALSE(u->UnreadableCopy().empty());
  EXPECT_EQ(box.text, "Error reading mazefile '" + Collection() +
                          "': Element 2 in TMazeList has invalid id: 5\n\n"
                          "The file as it was is kept as '" +
                          u->UnreadableCopy() + "'.");
  EXPECT_EQ(ReadBytes(u->UnreadableCopy()), bytes);
  EXPECT_EQ(u->UnreadableCopy().rfind(Collection() + ".unreadable-", 0), 0u);

  ASSERT_EQ(u->MazeList()->Count(), 3);
  ExpectBuiltInMaze(*u->MazeList()->GetMaze(0));
  EXPECT_EQ(u->MazeList()->GetMaze(1)->mazename, "First");
  EXPECT_EQ(u->MazeList()->GetMaze(2)->mazename, "Second");
  EXPECT_EQ(u->Cave(), u->MazeList()->GetMaze(0));
  EXPECT_TRUE(u->IsChanged);
}

TEST_F(StartupTest, MalformedNumberIsReportedWithTheReadersMessage) {
  WriteBytes(Collection(), "8 {TMazeList}\r\nmany\r\n");
  auto u = Start();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text.rfind(
                "Error reading mazefile '" + Collection() + "': Invalid numeric input\n\n", 0),
            0u);
  EXPECT_EQ(u->MazeList()->Count(), 1);
}

TEST_F(StartupTest, SecondUnreadableStartKeepsBothCopies) {
  WriteBytes(Collection(), "8 {TMazeList}\r\n1\r\n3 broken\r\n");
  auto first = Start();
  auto second = Start();  // within the same second: the name must still be new
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_NE(first->UnreadableCopy(), second->UnreadableCopy());
  EXPECT_TRUE(std::filesystem::exists(first->UnreadableCopy()));
  EXPECT_TRUE(std::filesystem::exists(second->UnreadableCopy()));
}

TEST_F(StartupTest, FirstMazeMadeCurrentShowsTheHelpHintLaterOnesDoNot) {
  WriteBytes(Collection(), CollectionBytes({"One", "Two", "Three"}));
  auto u = Start(/*maze=*/1);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_FALSE(u->IsChanged);
  ASSERT_EQ(u->Cave(), u->MazeList()->GetMaze(1));
  TMaze* first = u->Cave();
  EXPECT_EQ(first->MsgLine(), "Press F1 for Help");
  EXPECT_FALSE(u->IsFirst);
  EXPECT_EQ(first->Rocket(), u->Rocket());
  EXPECT_EQ(first->KeyService(), &keys);

  u->SetCave(u->MazeList()->GetMaze(2));
  EXPECT_EQ(u->Cave()->MsgLine(), "");
  EXPECT_EQ(u->Cave()->Rocket(), u->Rocket());
  EXPECT_EQ(u->Rocket()->maze, u->Cave());

  // The hint goes with the first thrust.
  u->SetCave(first);
  keys.Down(vk::LControl);
  u->gametickerTimer();
  EXPECT_EQ(first->GameState(), gs_practice);
  EXPECT_EQ(first->MsgLine(), "");
}

TEST_F(StartupTest, MazeOutsideTheCollectionFallsBackToOneAtRandom) {
  WriteBytes(Collection(), CollectionBytes({"One", "Two"}));
  auto u = Start(/*maze=*/7);
  EXPECT_TRUE(dialogs.boxes.empty());
  ASSERT_NE(u->Cave(), nullptr);
  EXPECT_GE(u->MazeList()->IndexOf(u->Cave()), 0);
  EXPECT_EQ(u->Cave()->MsgLine(), "Press F1 for Help");
}

}  // namespace
