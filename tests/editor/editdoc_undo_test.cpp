// The records of a step and PutBack without Qt: a plain list of TStepRecords as the observer.
// What they keep per touch, that putting back is no step, that it refuses to run inside one,
// and the parts whose derived state a restore must get right (a polygon's extent and tick
// unit, the ball list, bullets aimed at a freed polygon, the opening maze of a removed one).
#include <memory>
#include <vector>

#include "edit_fixture.h"
#include "gx_bullet.h"
#include "gx_editrecords.h"

namespace {

class TRecordList : public TEditStepObserver {
 public:
  void StepBegin(TEditDocument& doc, const TEditStepInfo& step) override {
    steps.emplace_back();
    steps.back().Begin(doc, step);
    ++begun;
  }
  void StepEnd(TEditDocument& doc, const TEditStepInfo& step) override {
    steps.back().End(doc, step);
  }
  std::vector<TStepRecords> steps;
  int begun = 0;
};

class StepRecordsTest : public EditDocTest {
 protected:
  void SetUp() override {
    EditDocTest::SetUp();
    doc.SetStepObserver(&records);
    Open(TwoCaves());
  }
  void TearDown() override { doc.SetStepObserver(nullptr); }
  TRecordList records;
};

TEST_F(StepRecordsTest, EachTouchKeepsOnlyItsPartAndAnAddedOrRemovedPartHasOneSide) {
  doc.NudgeSelection(1, 0, false);  // Polygon 0/0
  doc.SetPolygon(Maze(0).GetPolygon(2));
  doc.DeleteSelection(true);      // PolygonRemoved 0/2
  doc.sdelballsClick();           // Balls 0
  doc.eMazenameChange("Cave A");  // MazeFields 0
  ASSERT_EQ(records.steps.size(), 4u);
  const TPartRecord& moved = records.steps[0].Parts().at(0);
  ASSERT_TRUE(moved.before && moved.after);
  EXPECT_EQ(moved.before->rfind("2 {TPolygon}", 0), 0u);  // one polygon's record, not the maze
  EXPECT_LT(moved.before->size(), 1000u);
  const TPartRecord& removed = records.steps[1].Parts().at(0);
  EXPECT_TRUE(removed.before.has_value());
  EXPECT_FALSE(removed.after.has_value());
  const TPartRecord& balls = records.steps[2].Parts().at(0);
  EXPECT_EQ(balls.before->rfind("9 {TBallList}", 0), 0u);
  const TPartRecord& name = records.steps[3].Parts().at(0);
  EXPECT_EQ(name.fields_before->name, "Cave 1");
  EXPECT_EQ(name.fields_after->name, "Cave A");
}

TEST_F(StepRecordsTest, PuttingBackIsNoStepAndNotAllowedInsideOne) {
  const std::string before = doc.CleanCollection();
  doc.NudgeSelection(0, 1, true);
  const int steps = doc.StepCount();
  doc.PutBack(records.steps.back(), true);
  EXPECT_EQ(doc.CleanCollection(), before);
  EXPECT_EQ(records.begun, 1);
  EXPECT_EQ(doc.StepCount(), steps);
  TEditStep open(doc, "Open", {TTouched::Of(TTouch::MazeFields, 0)});
  EXPECT_THROW(doc.PutBack(records.steps.front(), false), std::logic_error);
}

TEST_F(StepRecordsTest, ARestoredPolygonHasTheMazesTickUnitAndWritesItsRecordAgain) {
  Maze(0).SetTickUnit(70);
  doc.NudgeSelection(5, 0, true);
  const TStepRecords& step = records.steps.back();
  doc.PutBack(step, true);
  EXPECT_EQ(Maze(0).GetPolygon(0)->TickUnit(), 70);
  EXPECT_EQ(Maze(0).GetPolygon(0)->extent.x1, -1.2);
  // Read from its text record: the same bytes (the extent included), though a value may now
  // be the record's 15 digits rather than the last bit of the arithmetic that made it.
  doc.PutBack(step, false);
  TTextWriter w;
  doc.SetPolygon(nullptr);  // its own colour in place
  Maze(0).GetPolygon(0)->SaveToF(w);
  EXPECT_EQ(w.Bytes(), *step.Parts().at(0).after);
}

TEST_F(StepRecordsTest, PuttingBackAPolygonForgetsTheBulletsAimedAtTheOldOne) {
  doc.NudgeSelection(1, 0, false);
  auto bullet = std::make_unique<TBullit>();
  bullet->Polygon = Maze(0).GetPolygon(0);
  TBullit* raw = bullet.get();
  Maze(0).bullitlist->AddBullit(std::move(bullet));
  doc.PutBack(records.steps.back(), true);
  EXPECT_EQ(raw->Polygon, nullptr);
}

TEST_F(StepRecordsTest, UndoingTheDeleteOfAnOpeningMazeLeavesItNotKept) {
  doc.RemoveMaze(&Maze(1));
  EXPECT_EQ(doc.OpeningMaze(1), nullptr);
  doc.PutBack(records.steps.back(), true);
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(Maze(1).mazename, "Cave 2");
  EXPECT_FALSE(doc.OpeningMazeKept(1));  // a new object: the main window takes the editor's
  EXPECT_TRUE(doc.SelectionValid());
  EXPECT_FALSE(doc.DiffersFromOpening());
}

}  // namespace
