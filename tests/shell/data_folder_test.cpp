// The player's data folder: where --data-folder looks, the first-start copy of the starter
// collection, and the program started that way in a fresh home.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../../app/options.h"
#include "gx_datafolder.h"
#include "qor_errors.h"
#include "qor_text.h"
#include "shell_fixture.h"

namespace {

namespace fs = std::filesystem;

class DataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ =
        fs::temp_directory_path() / ("gx_data_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    starter_ = (dir_ / "starter.cav").string();
    WriteFileBytes(starter_, "8 {TMazeList}\r\n0\r\n");
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  fs::path dir_;
  std::string starter_;
};

TEST_F(DataFolder, FollowsXdgDataHomeThenHome) {
  const struct {
    const char* xdg;
    const char* home;
    std::string folder;
  } cases[] = {
      {"/x/data", "/home/p", "/x/data/gravonaut"},
      {nullptr, "/home/p", "/home/p/.local/share/gravonaut"},
      {"", "/home/p", "/home/p/.local/share/gravonaut"},
      {"relative/data", "/home/p", "/home/p/.local/share/gravonaut"},  // only absolute counts
      {nullptr, nullptr, ""},
      {"rel", "also-rel", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " / " + (c.home ? c.home : "(unset)"));
    EXPECT_EQ(PlayerDataFolder(c.xdg, c.home), c.folder);
  }
}

TEST_F(DataFolder, FirstStartCopiesTheStarterCollectionAndNeverOverwrites) {
  const fs::path folder = dir_ / "data" / "gravonaut";
  const TDataFolder first = PrepareDataFolder(folder.string(), starter_);
  EXPECT_TRUE(first.copied);
  EXPECT_EQ(first.collection, (folder / "gravonaut.cav").string());
  EXPECT_EQ(ReadFileBytes(first.collection), ReadFileBytes(starter_));

  // The player's own collection from then on stays as it is.
  WriteFileBytes(first.collection, "mine");
  const TDataFolder again = PrepareDataFolder(folder.string(), starter_);
  EXPECT_FALSE(again.copied);
  EXPECT_EQ(ReadFileBytes(again.collection), "mine");
  for (const auto& e : fs::directory_iterator(folder)) {
    EXPECT_EQ(e.path().filename(), "gravonaut.cav") << "nothing left behind";
  }
}

TEST_F(DataFolder, TheStarterMazesBestRunsComeWithTheFirstCopyOnly) {
  fs::create_directories(starter_ + ".replays");
  WriteFileBytes(starter_ + ".replays/00000000000000aa.gxrun", "run a");
  WriteFileBytes(starter_ + ".replays/notes.txt", "not a run");
  const fs::path folder = dir_ / "gravonaut";
  fs::create_directories(folder / "replays");
  WriteFileBytes((folder / "replays/00000000000000bb.gxrun").string(), "the player's");
  ASSERT_TRUE(PrepareDataFolder(folder.string(), starter_).copied);
  EXPECT_EQ(ReadFileBytes((folder / "replays/00000000000000aa.gxrun").string()), "run a");
  EXPECT_EQ(ReadFileBytes((folder / "replays/00000000000000bb.gxrun").string()), "the player's");
  EXPECT_FALSE(fs::exists(folder / "replays/notes.txt"));
  // A player's collection already there: nothing of the starter's comes.
  fs::remove(folder / "replays/00000000000000aa.gxrun");
  EXPECT_FALSE(PrepareDataFolder(folder.string(), starter_).copied);
  EXPECT_FALSE(fs::exists(folder / "replays/00000000000000aa.gxrun"));
}

TEST_F(DataFolder, WithoutAnInstalledStarterTheFolderStaysEmpty) {
  const TDataFolder d = PrepareDataFolder((dir_ / "g").string(), "");
  EXPECT_FALSE(d.copied);
  EXPECT_TRUE(fs::is_directory(dir_ / "g"));
  EXPECT_FALSE(fs::exists(d.collection));
  EXPECT_EQ(InstalledStarterCollection(dir_.string()), "");
}

TEST_F(DataFolder, FailuresNameTheFolder) {
  WriteFileBytes((dir_ / "file").string(), "");
  try {
    PrepareDataFolder((dir_ / "file" / "gravonaut").string(), starter_);
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("file/gravonaut"), std::string::npos) << e.what();
  }
  if (::geteuid() != 0) {  // root writes anywhere
    fs::create_directories(dir_ / "locked");
    fs::permissions(dir_ / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(PrepareDataFolder((dir_ / "locked").string(), starter_), EInOutError);
  }
}

TEST(DataFolderOption, IsNamedInTheHelpAndExcludesCollection) {
  EXPECT_TRUE(ParseCommandLine({"--data-folder"}, "gravonaut", "9.9").dataFolder);
  EXPECT_FALSE(ParseCommandLine({}, "gravonaut", "9.9").dataFolder);
  EXPECT_NE(ParseCommandLine({"--help"}, "gravonaut", "9.9").text.find("--data-folder"),
            std::string::npos);
  const TCommandLine both =
      ParseCommandLine({"--data-folder", "--collection", "a.cav"}, "gravonaut", "9.9");
  EXPECT_EQ(both.action, TCommandLine::caError);
  EXPECT_NE(both.text.find("exclude each other"), std::string::npos);
}

// The built program; its starter collection lies where the installed one would.
fs::path Program() {
  return fs::canonical("/proc/self/exe").parent_path().parent_path() / "app" / "gravonaut";
}

int RunProgram(const fs::path& home, const fs::path& cwd, const std::string& args) {
  const std::string command = "cd '" + cwd.string() + "' && env -u XDG_DATA_HOME HOME='" +
                              home.string() + "' QT_QPA_PLATFORM=offscreen '" + Program().string() +
                              "' " + args + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(DataFolder, TheProgramStartedFromTheMenuPlaysTheStarterMazes) {
  const std::string installed = InstalledStarterCollection(Program().parent_path().string());
  ASSERT_NE(installed, "") << "the build tree holds the starter collection beside the program";
  const fs::path home = dir_ / "home", cwd = dir_ / "cwd";
  fs::create_directories(home);
  fs::create_directories(cwd);
  ASSERT_EQ(RunProgram(home, cwd, "--data-folder --quit-after 0.5"), 0);
  const fs::path cav = home / ".local/share/gravonaut/gravonaut.cav";
  ASSERT_TRUE(fs::exists(cav));
  EXPECT_EQ(ReadFileBytes(cav.string()), ReadFileBytes(installed));
  EXPECT_TRUE(fs::is_empty(cwd)) << "the working directory is not used";
  // With the starter mazes' ghosts.
  std::size_t runs = 0;
  for (const auto& e : fs::directory_iterator(installed + ".replays")) {
    EXPECT_TRUE(fs::exists(home / ".local/share/gravonaut/replays" / e.path().filename()));
    ++runs;
  }
  EXPECT_GT(runs, 0u);

  // An existing collection is played and left as it was.
  const std::string mine = CollectionBytes({"Mine"});
  WriteFileBytes(cav.string(), mine);
  ASSERT_EQ(RunProgram(home, cwd, "--data-folder --quit-after 0.5"), 0);
  EXPECT_EQ(ReadFileBytes(cav.string()), mine);
  EXPECT_TRUE(fs::is_empty(cwd));

  // From a terminal without the option, the working directory's rule holds.
  ASSERT_EQ(RunProgram(home, cwd, "--quit-after 0.5"), 0);
  EXPECT_TRUE(fs::exists(cwd / "gravonaut.cav"));
}

}  // namespace
