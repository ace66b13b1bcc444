// Saving the collection: Escape closes the window and writes it, the previous file becomes the
// backup, and a save that fails leaves both files as they were.
#include <QKeyEvent>
#include <filesystem>

#include "file_size_limit.h"
#include "gx_safesave.h"
#include "qor_errors.h"
#include "shell_fixture.h"

namespace {

using SaveTest = ShellTest;

TEST(BackupFileNameTest, ReplacesTheExtensionInTheSameFolder) {
  const struct {
    const char* fn;
    const char* bak;
  } cases[] = {
      {"gravonaut.cav", "gravonaut.old"},
      {"/games/my.game.cav", "/games/my.game.old"},
      {"dir/a.b/prog", "dir/a.b/prog.old"},
  };
  for (const auto& c : cases) EXPECT_EQ(BackupFileName(c.fn), c.bak) << c.fn;
}

TEST_F(SaveTest, EscapeClosesTheWindowAndWritesTheCollection) {
  auto u = Start();
  u->show();
  keys.Down(vk::Escape);
  u->gametickerTimer();
  EXPECT_FALSE(u->isVisible());
  EXPECT_EQ(u->MazeList(), nullptr);  // freed on closing
  EXPECT_TRUE(dialogs.boxes.empty());
  const std::string saved = ReadBytes(Collection());
  EXPECT_EQ(saved.rfind("8 {TMazeList}\r\n1\r\n7 \r\n", 0), 0u) << saved.substr(0, 40);
  EXPECT_FALSE(std::filesystem::exists(Backup()));
  EXPECT_EQ(Files(), std::vector<std::string>{"gravonaut.cav"});

  // The file written is the built-in maze, and it loads back as a collection of one.
  auto again = Start();
  EXPECT_TRUE(dialogs.boxes.empty());
  ASSERT_EQ(again->MazeList()->Count(), 1);
  EXPECT_EQ(again->Cave()->Count(), 2);
  EXPECT_FALSE(again->IsChanged);
}

TEST_F(SaveTest, EscapeThroughTheWindowsOwnKeyEventsCloses) {
  TUniverseOptions o;
  o.collection = Collection();
  o.dialogs = &dialogs;
  o.start_timer = false;
  TUniverse u(o);  // reads the keys from its own key events
  u.show();
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, 9, 0xff1b, 0);
  QCoreApplication::sendEvent(&u, &down);
  u.gametickerTimer();
  EXPECT_FALSE(u.isVisible());
  EXPECT_TRUE(std::filesystem::exists(Collection()));
}

TEST_F(SaveTest, UnchangedCollectionIsNotWritten) {
  const std::string bytes = CollectionBytes({"One"});
  WriteBytes(Collection(), bytes);
  auto u = Start();
  u->close();
  EXPECT_EQ(Files(), std::vector<std::string>{"gravonaut.cav"});
  EXPECT_EQ(ReadBytes(Collection()), bytes);
}

TEST_F(SaveTest, EachSaveKeepsThePreviousFileAsBackup) {
  const std::string original = CollectionBytes({"One"});
  WriteBytes(Collection(), original);
  WriteBytes(Backup(), "stale backup");
  auto u = Start();
  u->Cave()->bestdur = 12.5;
  u->SaveMazes();
  EXPECT_FALSE(u->IsChanged);
  EXPECT_EQ(ReadBytes(Backup()), original);
  const std::string first = ReadBytes(Collection());
  EXPECT_NE(first, original);
  EXPECT_NE(first.find("1.25000000000000E+0001"), std::string::npos);

  u->Cave()->bestdur = 11;
  u->SaveMazes();
  EXPECT_EQ(ReadBytes(Backup()), first);
  EXPECT_NE(ReadBytes(Collection()), first);
  // No temporary file is left behind.
  EXPECT_EQ(Files(), (std::vector<std::string>{"gravonaut.cav", "gravonaut.old"}));
}

TEST_F(SaveTest, SavedFileIsReadableByOthersLikeAnyNewFile) {
  auto u = Start();
  u->SaveMazes();
  const auto perms = std::filesystem::status(Collection()).permissions();
  EXPECT_NE(perms & std::filesystem::perms::owner_read, std::filesystem::perms::none);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if ((mask & 0044) == 0) {
    EXPECT_NE(perms & std::filesystem::perms::others_read, std::filesystem::perms::none);
  }
}

TEST_F(SaveTest, FailedWriteLeavesCollectionAndBackupUntouched) {
  const std::string original = CollectionBytes({"One"});
  WriteBytes(Collection(), original);
  WriteBytes(Backup(), "the backup");
  auto u = Start();
  u->IsChanged = true;
  u->MazeList()->SetMaze(1, SquareMaze("Two"));  // larger than the limit below
  {
    TFileSizeLimit limit(original.size() / 2);
    EXPECT_THROW(
        {
          try {
            u->SaveMazes();
          } catch (const EInOutError& e) {
            EXPECT_EQ(
                std::string(e.what()).rfind("Error writing mazefile '" + Collection() + "': ", 0),
                0u)
                << e.what();
            throw;
          }
        },
        EInOutError);
  }
  EXPECT_TRUE(u->IsChanged);
  EXPECT_EQ(ReadBytes(Collection()), original);
  EXPECT_EQ(ReadBytes(Backup()), "the backup");
  EXPECT_EQ(Files(), (std::vector<std::string>{"gravonaut.cav", "gravonaut.old"}));
}

// A failed write at quit shows the error and asks whether to quit anyway: No keeps the game
// open (the player makes room and quits again), Yes quits with the files as they were.
TEST_F(SaveTest, FailedSaveOnClosingIsReportedAndAsksWhetherToQuitAnyway) {
  for (const bool quit_anyway : {false, true}) {
    const std::string original = CollectionBytes({"One"});
    WriteBytes(Collection(), original);
    WriteBytes(Backup(), "the backup");
    dialogs.Clear();
    auto u = Start();
    u->SetRunning(true);
    u->IsChanged = true;
    u->MazeList()->SetMaze(1, SquareMaze("Two"));
    dialogs.QueueAnswer(quit_anyway ? mrYes : mrNo);
    {
      TFileSizeLimit limit(original.size() / 2);
      keys.Down(vk::Escape);  // as a player quits
      u->gametickerTimer();
      keys.Up(vk::Escape);
    }
    ASSERT_EQ(dialogs.boxes.size(), 2u) << quit_anyway;
    EXPECT_EQ(dialogs.boxes[0].caption, "Error");
    EXPECT_NE(dialogs.boxes[0].text.find("Error writing mazefile"), std::string::npos);
    EXPECT_EQ(dialogs.boxes[1].caption, "Confirm");
    EXPECT_EQ(dialogs.boxes[1].text,
              "The collection was not saved: its changes will be lost.\n\nQuit anyway?");
    EXPECT_EQ(ReadBytes(Collection()), original);
    EXPECT_EQ(ReadBytes(Backup()), "the backup");
    EXPECT_EQ(u->isVisible(), !quit_anyway);
    if (quit_anyway) continue;
    // Still playing, the changes kept; a tick does not quit again.
    ASSERT_NE(u->MazeList(), nullptr);
    EXPECT_TRUE(u->IsChanged);
    EXPECT_TRUE(u->running());
    u->gametickerTimer();
    EXPECT_TRUE(u->isVisible());
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    // With room again, quitting writes the collection.
    u->close();
    EXPECT_FALSE(u->isVisible());
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    TTextReader f = TTextReader::FromFile(Collection());
    f.ReadLn();
    TMazeList saved;
    saved.LoadFromF(f);
    EXPECT_EQ(saved.Count(), 2);
    EXPECT_EQ(ReadBytes(Backup()), original);
  }
}

TEST_F(SaveTest, CollectionInAMissingFolderFailsWithoutCreatingAnything) {
  TUniverseOptions o;
  o.collection = Path("missing/gravonaut.cav").string();
  o.dialogs = &dialogs;
  o.keys = &keys;
  o.start_timer = false;
  TUniverse u(o);
  EXPECT_THROW(u.SaveMazes(), EInOutError);
  EXPECT_TRUE(Files().empty());
}

TEST_F(SaveTest, UnreadableCollectionSurvivesEverySaveOfTheRun) {
  const std::string broken = "8 {TMazeList}\r\n2\r\n7 One\r\nnot a number\r\n";
  WriteBytes(Collection(), broken);
  auto u = Start();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  const std::string kept = u->UnreadableCopy();
  u->SaveMazes();
  EXPECT_EQ(ReadBytes(Backup()), broken);
  u->SaveMazes();  // the backup now holds the first save
  EXPECT_NE(ReadBytes(Backup()), broken);
  EXPECT_EQ(ReadBytes(kept), broken);
  // A later run reads the file written by this one without complaint.
  u->close();
  auto later = Start();
  EXPECT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_GE(later->MazeList()->Count(), 1);
}

}  // namespace
