// Import, export and deletion of mazes: what the dialogs are asked, the record a maze file
// holds, the mazes added and removed through the gate, and the faults that add nothing.
#include <unistd.h>

#include <filesystem>

#include "edit_fixture.h"
#include "file_size_limit.h"

namespace {

namespace fs = std::filesystem;

class MazeFilesTest : public EditDocTest {
 protected:
  void SetUp() override {
    EditDocTest::SetUp();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() /
          ("gx_mazefiles_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    doc.SetFileFolder(dir.string());
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string File(const std::string& name) const { return (dir / name).string(); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The two caves, the first with a best time, its own tick unit and colours and an animated
  // polygon, every maze reset as the editor shows it.
  static std::unique_ptr<TMazeList> Caves() {
    auto l = TwoCaves();
    TMaze& m = *l->GetMaze(0);
    m.bestdur = 12.25;
    m.SetTickUnit(40);
    m.incolor = 0x00112233;
    m.outcolor = 0x00445566;
    auto rot = std::make_unique<TRotate>();
    rot->init(0.5, -1, -1, 80);
    m.GetPolygon(0)->TrafList()->AddTraf(std::move(rot));
    auto scale = std::make_unique<TScale>();
    scale->init(1, 1, 0.8, 0.9, 1.2, 1.1, 60);
    scale->SetSwing(true);
    m.GetPolygon(2)->TrafList()->AddTraf(std::move(scale));
    for (int i = 0; i < l->Count(); ++i) l->GetMaze(i)->reset();
    return l;
  }
  // Selects a polygon, its landing corner and a ball of the current maze: all highlighted.
  void SelectEverything() {
    TPolygon* p = doc.Maze()->GetPolygon(1);
    doc.SetPolygon(p);
    doc.SetSide(p->GetSide(1));
    doc.SetBall(doc.Maze()->balllist->GetBall(1));
  }
  void Export(const std::string& fn) {
    dialogs.QueueFile(fn);
    doc.mmExportClick();
  }
  void Import(const std::string& fn) {
    dialogs.QueueFile(fn);
    doc.mmImportClick();
  }

  fs::path dir;
};

TEST_F(MazeFilesTest, ExportThenImportGivesANewLastMazeLikeTheFirstAndTheCollectionsRecord) {
  auto l = Caves();
  const std::string record = RecordBytes(*l->GetMaze(0));
  Open(std::move(l));
  SelectEverything();
  Export(File("cave.mze"));
  ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.boxes[0].text;
  // The maze as it is: no highlight colour, no view matrix.
  EXPECT_TRUE(ReadFileBytes(File("cave.mze")) == record)
      << FirstDifference(record, ReadFileBytes(File("cave.mze")));
  EXPECT_EQ(Files(), std::vector<std::string>{"cave.mze"});  // no temporary file left
  EXPECT_EQ(doc.StepCount(), 0);                             // exporting is no edit

  Import(File("cave.mze"));
  ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.boxes[0].text;
  ASSERT_EQ(list->Count(), 3);
  TMaze& imported = Maze(2);
  EXPECT_EQ(doc.Maze(), &imported);
  EXPECT_EQ(imported.mazename, "Cave 1");
  EXPECT_EQ(imported.TickUnit(), 40);
  EXPECT_EQ(imported.bestdur, 12.25);
  EXPECT_EQ(imported.Count(), 3);
  EXPECT_EQ(imported.balllist->Count(), 2);
  EXPECT_TRUE(doc.CleanRecord(imported) == record)
      << FirstDifference(record, doc.CleanRecord(imported));
  EXPECT_EQ(doc.MazeComboIndex(), 2);
  ASSERT_EQ(doc.MazeComboItems().size(), 3u);
  EXPECT_EQ(doc.MazeComboItems()[2].name, "Cave 1");
  EXPECT_EQ(doc.MazeComboItems()[2].maze, &imported);
  EXPECT_EQ(doc.Polygon(), imported.GetPolygon(0));
  EXPECT_EQ(doc.LastStep().name, "Import Maze");
  EXPECT_EQ(doc.LastStep().touches, std::vector{TTouched::Of(TTouch::MazeAdded, 2)});

  // Closed with OK, the collection holds the exported record twice, byte for byte.
  ASSERT_TRUE(doc.CloseQuery(true));
  EXPECT_TRUE(CollectionBytes(*list) ==
              "8 {TMazeList}\r\n3\r\n" + record + RecordBytes(Maze(1)) + record);

  // What the dialogs were asked.
  ASSERT_EQ(dialogs.fileAsks.size(), 2u);
  const TFileDialogOptions& save = dialogs.fileAsks[0].options;
  EXPECT_TRUE(dialogs.fileAsks[0].save);
  EXPECT_EQ(save.filter, "Maze file (*.mze)|*.mze");
  EXPECT_EQ(save.filterIndex, 1);
  EXPECT_EQ(save.defaultExt, "*.mze");
  EXPECT_EQ(save.initialDir, dir.string());
  const TFileDialogOptions& open = dialogs.fileAsks[1].options;
  EXPECT_FALSE(dialogs.fileAsks[1].save);
  EXPECT_EQ(open.filter, "Maze file (*.mze)|*.mze|Mazelist files (*.cav)|*.cav");
  EXPECT_EQ(open.filterIndex, 1);
  EXPECT_EQ(open.defaultExt, "*.mze");
  EXPECT_TRUE(open.mustExist);
  EXPECT_EQ(open.initialDir, dir.string());
}

TEST_F(MazeFilesTest, ExportingOntoAnExistingFileAsksAndOnlyYesWritesIt) {
  Open(Caves());
  const std::string fn = File("there.mze");
  for (const int answer : {mrNo, mrYes}) {
    WriteFileBytes(fn, "the file before");
    fs::permissions(fn, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    dialogs.Clear();
    dialogs.QueueAnswer(answer);
    Export(fn);
    ASSERT_EQ(Questions(), std::vector<std::string>{"Confirm: File '" + fn +
                                                    "' does already exist; Overwrite?"});
    EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::mi_question);
    EXPECT_EQ(dialogs.boxes[0].buttons, TMsgButtons::mb_yesno);
    EXPECT_EQ(ReadFileBytes(fn), answer == mrYes ? doc.CleanRecord(Maze(0)) : "the file before");
    EXPECT_EQ(Files(), std::vector<std::string>{"there.mze"});
    // A replaced file keeps its permissions (the temporary file is made private).
    EXPECT_EQ(fs::status(fn).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  }
}

TEST_F(MazeFilesTest, CancellingEitherDialogChangesNothing) {
  Open(Caves());
  const std::string before = CollectionBytes(*list);
  doc.mmExportClick();  // nothing queued: cancelled
  doc.mmImportClick();
  EXPECT_EQ(dialogs.fileAsks.size(), 2u);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_TRUE(Files().empty());
  EXPECT_EQ(doc.StepCount(), 0);
  EXPECT_EQ(CollectionBytes(*list), before);
}

TEST_F(MazeFilesTest, AFailedExportIsReportedAndLeavesAnExistingFileAsItWas) {
  Open(Caves());
  WriteFileBytes(File("full.mze"), "the file before");
  {
    TFileSizeLimit limit(64);  // the record is far longer
    dialogs.QueueAnswer(mrYes);
    Export(File("full.mze"));
  }
  Export(File("missing/folder.mze"));
  ASSERT_EQ(Questions().size(), 3u);
  const struct {
    const TRecordingDialogs::TBox& box;
    std::string file;
  } failures[] = {{dialogs.boxes[1], File("full.mze")},
                  {dialogs.boxes[2], File("missing/folder.mze")}};
  for (const auto& f : failures) {
    EXPECT_EQ(f.box.caption, "Error");
    EXPECT_EQ(f.box.icon, TMsgIcon::mi_error);
    EXPECT_EQ(f.box.text.rfind("Error writing mazefile '" + f.file + "': ", 0), 0u) << f.box.text;
  }
  EXPECT_EQ(ReadFileBytes(File("full.mze")), "the file before");
  EXPECT_EQ(Files(), std::vector<std::string>{"full.mze"});
}

TEST_F(MazeFilesTest, ImportingACollectionAppendsAllItsMazesInOneStepAndShowsTheFirst) {
  TMazeList other;
  other.Add(EmptyMaze("Alpha"));
  other.Add(EmptyMaze("Beta"));
  AddTriangle(*other.GetMaze(1), 0, 0, 0.5);
  WriteFileBytes(File("other.cav"), CollectionBytes(other));
  Open(Caves());
  Import(File("other.cav"));
  ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.boxes[0].text;
  ASSERT_EQ(list->Count(), 4);
  EXPECT_EQ(Maze(2).mazename, "Alpha");
  EXPECT_EQ(Maze(3).mazename, "Beta");
  EXPECT_EQ(Maze(3).Count(), 1);
  EXPECT_EQ(doc.Maze(), &Maze(2));
  EXPECT_EQ(doc.MazeComboIndex(), 2);
  EXPECT_EQ(doc.MazeComboItems().size(), 4u);
  EXPECT_EQ(doc.StepCount(), 1);
  EXPECT_EQ(doc.LastStep().name, "Import Mazes");
  EXPECT_EQ(doc.LastStep().touches,
            (std::vector{TTouched::Of(TTouch::MazeAdded, 2), TTouched::Of(TTouch::MazeAdded, 3)}));
}

TEST_F(MazeFilesTest, AFileThatDoesNotReadWholeIsReportedAndAddsNothing) {
  TMazeList two;
  two.Add(EmptyMaze("First"));
  two.Add(EmptyMaze("Second"));
  std::string bad_second = CollectionBytes(two);
  bad_second.replace(bad_second.find("7 Second"), 1, "5");
  const std::string maze = RecordBytes(*TwoCaves()->GetMaze(0));
  const struct {
    const char* name;
    std::string bytes;  // none: no such file
    std::string message;
  } cases[] = {
      {"another class id", "5 {TSide}\r\n1.0\r\n",
       "The file holds neither a maze (class id 7) "
       "nor a collection (class id 8) but class id 5"},
      {"empty", "", "The file is empty"},
      {"not a number", "Maze\r\n", "Invalid numeric input"},
      {"malformed record", "7 Broken\r\nnot a number\r\n", "Invalid numeric input"},
      {"cut short", maze.substr(0, maze.size() / 2), "Unexpected end of file"},
      {"collection, second maze bad", bad_second, "Element 1 in TMazeList has invalid id: 5"},
      {"collection without mazes", "8 {TMazeList}\r\n0\r\n", "The collection holds no maze"},
      {"missing", "", "File not found"},
  };
  Open(Caves());
  const std::string before = CollectionBytes(*list);
  TMaze* shown = doc.Maze();
  for (const auto& c : cases) {
    const std::string fn = File(std::string(c.name) + ".mze");
    if (std::string(c.name) != "missing") WriteFileBytes(fn, c.bytes);
    dialogs.Clear();
    Import(fn);
    ASSERT_EQ(Questions(),
              std::vector<std::string>{"Error: Error reading mazefile '" + fn + "': " + c.message})
        << c.name;
    EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::mi_error);
    EXPECT_EQ(list->Count(), 2) << c.name;
    EXPECT_EQ(doc.StepCount(), 0) << c.name;
    EXPECT_EQ(doc.Maze(), shown) << c.name;
    EXPECT_EQ(doc.MazeComboItems().size(), 2u) << c.name;
  }
  EXPECT_EQ(CollectionBytes(*list), before);
}

TEST_F(MazeFilesTest, DeleteAsksThenShowsTheMazeThatTookThePlaceOrTheNewLast) {
  const struct {
    const char* name;
    int index;          // of the maze deleted
    const char* typed;  // typed into the name field first, or none
    const char* shown;  // the maze shown afterwards
  } cases[] = {
      {"the last", 2, nullptr, "Cave 2"},
      {"the first", 0, nullptr, "Cave 2"},
      {"a name with apostrophes", 1, "Joe's 'best' cave", "Cave 3"},
  };
  for (const auto& c : cases) {
    auto l = Caves();
    l->Add(EmptyMaze("Cave 3"));
    AddSquare(*l->GetMaze(2), 0, 0, 1);
    l->GetMaze(2)->AddBall(0, 0, -1);
    Open(std::move(l));
    dialogs.Clear();
    doc.MazeComboSelect(c.index);
    if (c.typed) doc.eMazenameChange(c.typed);
    const std::string name = doc.Maze()->mazename;
    // Whatever is selected in the maze is let go before it is freed.
    doc.SetPolygon(doc.Maze()->GetPolygon(0));
    doc.SetBall(doc.Maze()->balllist->GetBall(0));
    const int steps = doc.StepCount();

    dialogs.QueueAnswer(mrNo);
    doc.mmDeleteClick();
    EXPECT_EQ(list->Count(), 3) << c.name;
    EXPECT_EQ(doc.StepCount(), steps) << c.name;

    doc.mmDeleteClick();  // Yes
    ASSERT_EQ(Questions().size(), 2u) << c.name;
    EXPECT_EQ(Questions()[1], "Confirm: are you sure you want to delete maze: '" + name + "'?")
        << c.name;
    EXPECT_EQ(dialogs.boxes[1].icon, TMsgIcon::mi_question);
    EXPECT_EQ(dialogs.boxes[1].buttons, TMsgButtons::mb_yesno);
    ASSERT_EQ(list->Count(), 2) << c.name;
    ASSERT_NE(doc.Maze(), nullptr) << c.name;
    EXPECT_EQ(doc.Maze()->mazename, c.shown) << c.name;
    EXPECT_EQ(doc.MazeComboIndex(), doc.MazeIndex(doc.Maze())) << c.name;
    EXPECT_EQ(doc.MazeComboItems().size(), 2u) << c.name;
    EXPECT_EQ(doc.Ball(), nullptr) << c.name;
    EXPECT_TRUE(doc.SelectionValid()) << c.name;
    EXPECT_EQ(doc.LastStep().touches, std::vector{TTouched::Of(TTouch::MazeRemoved, c.index)});
  }
}

TEST_F(MazeFilesTest, TheOnlyMazeOfTheCollectionIsNotDeleted) {
  auto l = std::make_unique<TMazeList>();
  l->Add(EmptyMaze("Alone"));
  Open(std::move(l));
  doc.mmDeleteClick();
  ASSERT_EQ(Questions(), std::vector<std::string>{
                             "Error: The maze 'Alone' is the only one of the collection and cannot "
                             "be deleted: the collection must keep at least one maze. Add another "
                             "one first (New or Import)."});
  EXPECT_EQ(list->Count(), 1);
  EXPECT_EQ(doc.Maze(), &Maze(0));
  EXPECT_EQ(doc.StepCount(), 0);
}

}  // namespace
