// Test play as the document sees it: F5 hands the service a maze of its own, read from the
// current maze's clean record, and nothing the test does to it reaches the collection or the
// editor's state. (The window that plays it is tested in tests/shell/testplay_test.cpp.)
#include <stdexcept>

#include "edit_fixture.h"
#include "gx_ball.h"
#include "gx_testplay.h"

namespace {

// Keeps what it was handed and, as a run would, does what it likes with it.
class TFakeTestPlay : public TTestPlayService {
 public:
  void TestPlay(std::unique_ptr<TMaze> maze) override {
    ++plays;
    record = RecordBytes(*maze);
    if (fail) throw std::runtime_error("The test window could not open");
    maze->bestdur = 1.25;
    maze->mazename = "flown";
    maze->balllist->SetInVisible(true);
    if (maze->Count() > 0) maze->RemovePolygon(maze->GetPolygon(0));
    maze->reset();
    copies.push_back(std::move(maze));
  }
  int plays = 0;
  bool fail = false;
  std::string record;
  std::vector<std::unique_ptr<TMaze>> copies;
};

class TestPlayDocTest : public EditDocTest {
 protected:
  void SetUp() override {
    EditDocTest::SetUp();
    Open(TwoCaves());
    doc.SetTestPlayService(&play);
  }
  TFakeTestPlay play;
};

// The editor's state that test play must leave alone.
struct TEditorState {
  TMaze* maze;
  TPolygon* polygon;
  TSide* side;
  TBall* ball;
  bool ballSel;
  tmat2d view;
  int steps;
  bool operator==(const TEditorState&) const = default;
};
TEditorState StateOf(const TEditDocument& d) {
  return {d.Maze(), d.Polygon(), d.Side(), d.Ball(), d.BallSel(), d.Maze()->matrix, d.StepCount()};
}

TEST_F(TestPlayDocTest, TheServicePlaysACleanCopyAndNothingItDoesReachesTheEditor) {
  struct TCase {
    const char* selection;
    void (*select)(TEditDocument&, TMaze&);
  };
  const TCase cases[] = {
      {"a corner of a landing polygon",
       [](TEditDocument& d, TMaze& m) {
         d.SetPolygon(m.GetPolygon(1));
         d.SetSide(m.GetPolygon(1)->GetSide(1));
       }},
      {"a ball", [](TEditDocument& d, TMaze& m) { d.SetBall(m.balllist->GetBall(1)); }},
      {"nothing", [](TEditDocument& d, TMaze&) { d.SetPolygon(nullptr); }},
  };
  for (const TCase& c : cases) {
    c.select(doc, Maze(0));
    const std::string clean = doc.CleanRecord(Maze(0));
    const std::string collection = doc.CleanCollection();
    const std::string raw = RecordBytes(Maze(0));  // with the highlights and the view matrix
    const TEditorState before = StateOf(doc);
    const int plays = play.plays;

    doc.TestPlayClick();

    ASSERT_EQ(play.plays, plays + 1) << c.selection;
    // The copy is what a saved file would play: no highlight, no view matrix.
    EXPECT_EQ(play.record, clean) << c.selection;
    EXPECT_NE(play.copies.back().get(), &Maze(0));
    EXPECT_EQ(doc.CleanCollection(), collection) << c.selection;
    EXPECT_EQ(RecordBytes(Maze(0)), raw) << c.selection << ": the highlights stay as shown";
    EXPECT_TRUE(StateOf(doc) == before) << c.selection;
    EXPECT_FALSE(Maze(0).NoMoreBalls()) << c.selection;
    EXPECT_EQ(Maze(0).bestdur, 0) << c.selection;
  }
  EXPECT_FALSE(doc.Modified());
}

TEST_F(TestPlayDocTest, TestPlayWithoutAServiceDoesNothing) {
  doc.SetTestPlayService(nullptr);
  const std::string collection = doc.CleanCollection();
  doc.TestPlayClick();
  EXPECT_EQ(play.plays, 0);
  EXPECT_EQ(doc.CleanCollection(), collection);
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(TestPlayDocTest, ADragUnderWayIsDroppedAndItsReleaseChangesNothing) {
  // Press on the first square's corner (-0.8, -0.8), move away, then F5 before the release.
  doc.PlayFieldMouseDown(false, 175, 335);
  doc.PlayFieldMouseMove(false, 215, 300);
  ASSERT_TRUE(doc.Dragging());
  const std::string collection = doc.CleanCollection();
  doc.TestPlayClick();
  EXPECT_EQ(play.plays, 1);
  EXPECT_FALSE(doc.Dragging());
  doc.PlayFieldMouseUp(false, 215, 300);
  EXPECT_EQ(doc.CleanCollection(), collection);
  EXPECT_FALSE(doc.Modified());
}

TEST_F(TestPlayDocTest, AServiceThatFailsIsReportedAndTheEditorGoesOn) {
  play.fail = true;
  const std::string collection = doc.CleanCollection();
  EXPECT_NO_THROW(doc.TestPlayClick());
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "Error");
  EXPECT_EQ(dialogs.boxes[0].text, "The test window could not open");
  EXPECT_EQ(doc.CleanCollection(), collection);
}

}  // namespace
