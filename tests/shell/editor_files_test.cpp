// The editor's maze files seen from the main window: the dialogs start beside the collection,
// export, import and delete end up in the collection file written on OK, and deleting the
// game's maze leaves the game on a live maze whichever way the editor closes.
#include <unistd.h>

#include <QDialog>

#include "../editor/edit_fixture.h"
#include "gx_edit.h"
#include "gx_rocket.h"
#include "shell_fixture.h"

namespace {

namespace fs = std::filesystem;
using EditorFilesTest = ShellTest;

std::string TwoCavesFile() {
  auto list = TwoCaves();
  for (int i = 0; i < list->Count(); ++i) list->GetMaze(i)->GetExtent();
  return CollectionBytes(*list);
}

TEditMaze& Editor(QDialog& d) {
  return dynamic_cast<TEditMaze&>(d);
}

// The record of maze i in a collection file's bytes (each record starts with "7 " + its name).
std::string RecordIn(const std::string& cav, const std::vector<std::string>& names, int i) {
  std::size_t at = 0;
  std::vector<std::size_t> starts;
  for (const std::string& n : names) {
    at = cav.find("\r\n7 " + n + "\r\n", at);
    if (at == std::string::npos) return {};
    starts.push_back(at + 2);
    at += 2;
  }
  const std::size_t b = starts[static_cast<std::size_t>(i)];
  const std::size_t e = i + 1 < static_cast<int>(starts.size())
                            ? starts[static_cast<std::size_t>(i) + 1]
                            : cav.size();
  return cav.substr(b, e - b);
}

TEST_F(EditorFilesTest, TheFileDialogsStartInTheCollectionsFolder) {
  // The collection named with its folder, and as a plain name in the working directory.
  const fs::path cwd = fs::current_path();
  for (const bool relative : {false, true}) {
    WriteBytes(Collection(), TwoCavesFile());
    dialogs.Clear();
    TUniverseOptions o;
    o.collection = relative ? "gravonaut.cav" : Collection();
    o.dialogs = &dialogs;
    o.modals = &modals;
    o.keys = &keys;
    o.start_timer = false;
    if (relative) fs::current_path(dir_);
    {
      TUniverse u(o);
      modals.Queue([](QDialog& d) {
        Editor(d).Document().mmImportClick();  // both cancelled
        Editor(d).Document().mmExportClick();
        return int(QDialog::Rejected);
      });
      u.FormKeyPress('e');
    }
    fs::current_path(cwd);
    ASSERT_EQ(dialogs.fileAsks.size(), 2u) << relative;
    for (const auto& ask : dialogs.fileAsks) {
      EXPECT_EQ(fs::path(ask.options.initialDir), dir_) << relative;
    }
  }
}

TEST_F(EditorFilesTest, ExportImportAndDeleteThenOkWriteTheCollectionAndPlayTheEditorsMaze) {
  WriteBytes(Collection(), TwoCavesFile());
  auto u = Start(1);  // the game plays Cave 2
  const std::string mze = Path("cave1.mze").string();
  modals.Queue([&](QDialog& d) {
    TEditDocument& doc = Editor(d).Document();
    doc.MazeComboSelect(0);
    dialogs.QueueFile(mze);
    doc.mmExportClick();
    dialogs.QueueFile(mze);
    doc.mmImportClick();  // a second Cave 1, shown
    doc.MazeComboSelect(1);
    dialogs.QueueAnswer(mrYes);
    doc.mmDeleteClick();  // Cave 2, the game's maze: the imported one takes its place
    d.accept();
    return TScriptedModals::kDialogResult;
  });
  u->FormKeyPress('e');
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "are you sure you want to delete maze: 'Cave 2'?");

  const std::string cav = ReadBytes(Collection());
  ASSERT_EQ(cav.rfind("8 {TMazeList}\r\n2\r\n7 Cave 1\r\n", 0), 0u) << cav.substr(0, 40);
  const std::string exported = ReadBytes(mze);
  for (int i : {0, 1}) {
    const std::string record = RecordIn(cav, {"Cave 1", "Cave 1"}, i);
    EXPECT_TRUE(record == exported) << "maze " << i << ": " << FirstDifference(exported, record);
  }
  ASSERT_EQ(u->MazeList()->Count(), 2);
  EXPECT_EQ(u->Cave(), u->MazeList()->GetMaze(1));
  EXPECT_EQ(u->Cave()->Rocket(), u->Rocket());
  keys.Down(vk::LControl);
  for (int i = 0; i < 20; ++i) u->gametickerTimer();
  EXPECT_EQ(u->Cave()->GameState(), gs_practice);
}

TEST_F(EditorFilesTest, AfterDeletingTheGamesMazeEveryWayOutLeavesALiveMazeCurrent) {
  enum class TWay { ok, discard, ended_from_outside };
  const struct {
    const char* name;
    TWay way;
    const char* playing;  // the maze the game goes on with
    int mazes;
  } ways[] = {
      {"OK", TWay::ok, "Cave 1", 1},
      {"Cancel, discard", TWay::discard, "Cave 2", 2},
      {"ended without its rule", TWay::ended_from_outside, "Cave 2", 2},
  };
  for (const auto& w : ways) {
    WriteBytes(Collection(), TwoCavesFile());
    dialogs.Clear();
    auto u = Start(1);
    modals.Queue([&](QDialog& d) {
      TEditMaze& e = Editor(d);
      // A polygon of the maze is selected when it goes.
      e.Document().SetPolygon(e.Maze()->GetPolygon(0));
      dialogs.QueueAnswer(mrYes);
      e.Document().mmDeleteClick();
      EXPECT_TRUE(e.Document().SelectionValid());
      switch (w.way) {
        case TWay::ok:
          d.accept();
          break;
        case TWay::discard:
          dialogs.QueueAnswer(mrYes);
          d.reject();
          break;
        case TWay::ended_from_outside:
          return int(QDialog::Rejected);  // the modal loop left without done()
      }
      return TScriptedModals::kDialogResult;
    });
    u->FormKeyPress('e');
    TMaze* now = u->Cave();
    ASSERT_NE(now, nullptr) << w.name;
    EXPECT_GE(u->MazeList()->IndexOf(now), 0) << w.name;
    EXPECT_EQ(now->mazename, w.playing) << w.name;
    EXPECT_EQ(u->MazeList()->Count(), w.mazes) << w.name;
    EXPECT_EQ(u->Rocket()->maze, now) << w.name;
    EXPECT_TRUE(u->GameTicker().isActive()) << w.name;
    u->gametickerTimer();
    u->repaint();
  }
}

}  // namespace
