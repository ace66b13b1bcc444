// The closing rule (colours restored, the "<no name>" refusal, the Cancel question and the
// exact restore), clean records and the round trip of an edited collection.
#include "edit_fixture.h"

namespace {

using ClosingTest = EditDocTest;

TEST_F(ClosingTest, OkGivesTheSelectionItsColoursAndEveryCornerADefiniteOne) {
  auto l = TwoCaves();
  TPolygon* p = l->GetMaze(0)->GetPolygon(2);
  p->GetSide(3)->color = 0x00ABCDEF;  // a stray corner colour
  Open(std::move(l));
  doc.cLandChange(0x0000FF00);
  TBall* b = Maze(0).balllist->GetBall(0);
  doc.SetPolygon(p);
  doc.SetSide(p->GetSide(1));
  doc.SetBall(b);
  ASSERT_TRUE(doc.CloseQuery(true));
  EXPECT_TRUE(doc.Closed());
  EXPECT_EQ(p->Color(), 0x000000FF);
  EXPECT_EQ(b->Color(), 0x00FFFFFF);
  for (int k = 0; k < Maze(0).Count(); ++k) {
    const TPolygon* q = Maze(0).GetPolygon(k);
    for (int i = 0; i < q->Count(); ++i) {
      const TSide* s = q->GetSide(i);
      EXPECT_EQ(s->color, s->sidetype == st_landing ? 0x0000FF00 : q->Color())
          << "polygon " << k << " corner " << i;
    }
  }
  // Only the polygons whose corners changed are named.
  EXPECT_EQ(doc.LastStep().name, "Corner Colors");
  EXPECT_EQ(doc.LastStep().touches, (std::vector{TTouched::Of(TTouch::Polygon, 0, 1),
                                                 TTouched::Of(TTouch::Polygon, 0, 2)}));
  EXPECT_EQ(Maze(0).matrix, tmat2d());  // the view matrix does not stay behind
}

TEST_F(ClosingTest, OpeningAndClosingOnAMazeWithLandingCornersLeavesTheBytesAlone) {
  for (bool ok : {true, false}) {
    auto l = TwoCaves();
    const std::string before = CollectionBytes(*l);
    Open(std::move(l));
    doc.SetPolygon(Maze(0).GetPolygon(1));
    doc.SetSide(Maze(0).GetPolygon(1)->GetSide(1));  // the landing corner
    doc.SetBall(Maze(0).balllist->GetBall(1));
    doc.MazeComboSelect(1);
    doc.MazeComboSelect(0);
    ASSERT_TRUE(doc.CloseQuery(ok));
    EXPECT_TRUE(CollectionBytes(*list) == before)
        << (ok ? "OK: " : "Cancel: ") << FirstDifference(before, CollectionBytes(*list));
    EXPECT_TRUE(dialogs.boxes.empty());
  }
}

TEST_F(ClosingTest, CancelWithoutChangesClosesAtOnce) {
  Open(TwoCaves());
  doc.eHarmlessClick(true);
  doc.eHarmlessClick(false);  // changed and changed back: nothing to lose
  doc.sAutoRotClick();
  doc.sAutoRotClick();
  EXPECT_TRUE(doc.Modified());
  EXPECT_TRUE(doc.CloseQuery(false));
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_FALSE(doc.Restored());
  EXPECT_TRUE(doc.OpeningMazeKept(0));
}

TEST_F(ClosingTest, CancelAfterChangesAsksAndNoKeepsTheEditorOpenWithItsEdits) {
  Open(TwoCaves());
  doc.lwidthChange(7);
  dialogs.QueueAnswer(mrNo);
  EXPECT_FALSE(doc.CloseQuery(false));
  ASSERT_EQ(Questions(),
            std::vector<std::string>{"Confirm: Discard the changes made in the editor?"});
  EXPECT_EQ(dialogs.boxes[0].buttons, TMsgButtons::mb_yesno);
  EXPECT_FALSE(doc.Closed());
  EXPECT_EQ(Maze(0).GetPolygon(0)->width, 7);
  EXPECT_EQ(Maze(0).GetPolygon(0)->Color(), HighlightColor(0x00FFFF00, 0.25));  // still selected
}

TEST_F(ClosingTest, CancelAndYesBringBackTheExactBytesOfTheOpening) {
  auto l = TwoCaves();
  const std::string before = CollectionBytes(*l);
  Open(std::move(l));
  doc.lwidthChange(7);
  doc.sNewMazeClick();
  doc.eMazenameChange("Extra");
  doc.MazeComboSelect(1);
  doc.DeleteSelection(true);
  doc.RemoveMaze(&Maze(0));
  ASSERT_TRUE(doc.CloseQuery(false));
  EXPECT_TRUE(doc.Restored());
  EXPECT_TRUE(CollectionBytes(*list) == before) << FirstDifference(before, CollectionBytes(*list));
  // The mazes are new objects; the document names them for the main window.
  EXPECT_FALSE(doc.OpeningMazeKept(0));
  EXPECT_EQ(doc.OpeningMaze(0), &Maze(0));
  EXPECT_EQ(doc.OpeningMaze(1), &Maze(1));
  EXPECT_EQ(Maze(0).mazename, "Cave 1");
}

TEST_F(ClosingTest, AMazeSavedMidAnimationCountsAsUnchangedOnceTheEditorResetIt) {
  auto l = TwoCaves();
  TMaze& m = *l->GetMaze(0);
  TPolygon* p = m.GetPolygon(0);
  auto r = std::make_unique<TRotate>();
  r->init(0, -1, -1, 40);
  p->TrafList()->AddTraf(std::move(r));
  auto t = std::make_unique<TTrans>();  // period 0: a reset makes it 200
  t->x1 = 0.1;
  p->TrafList()->AddTraf(std::move(t));
  m.reset();
  for (int i = 0; i < 7; ++i) m.Execute(1);  // mid-animation, as a file may hold it
  ASSERT_NE(p->matrix, tmat2d());
  Open(std::move(l));  // shows maze 0, which resets it
  EXPECT_EQ(p->matrix, tmat2d());
  doc.eHarmlessClick(true);
  doc.eHarmlessClick(false);
  EXPECT_FALSE(doc.DiffersFromOpening());
  ASSERT_TRUE(doc.CloseQuery(false));
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ClosingTest, AbandonPutsBackTheOpeningWhenNobodyConfirmedTheEdits) {
  for (bool edited : {false, true}) {
    auto l = TwoCaves();
    const std::string before = CollectionBytes(*l);
    Open(std::move(l));
    if (edited) doc.sdelballsClick();
    doc.Abandon();
    EXPECT_TRUE(doc.Closed());
    EXPECT_EQ(doc.Restored(), edited);
    EXPECT_TRUE(CollectionBytes(*list) == before)
        << (edited ? "edited: " : "untouched: ") << FirstDifference(before, CollectionBytes(*list));
    EXPECT_TRUE(dialogs.boxes.empty());
  }
}

TEST_F(ClosingTest, CleanRecordsHoldNoHighlightNorViewAndTheHighlightsComeBack) {
  Open(TwoCaves());
  auto l2 = TwoCaves();
  const std::string plain = RecordBytes(*l2->GetMaze(0));
  doc.SetPolygon(Maze(0).GetPolygon(1));
  doc.SetSide(Maze(0).GetPolygon(1)->GetSide(2));
  doc.SetBall(Maze(0).balllist->GetBall(0));
  EXPECT_EQ(doc.CleanRecord(Maze(0)), plain);
  EXPECT_NE(RecordBytes(Maze(0)), plain);  // the live maze is highlighted and viewed
  EXPECT_EQ(Maze(0).GetPolygon(1)->Color(), HighlightColor(0x00FFFF00, 0.25));
  EXPECT_EQ(Maze(0).balllist->GetBall(0)->Color(), HighlightColor(0x00FFFFFF, 0.5));
  EXPECT_EQ(Maze(0).matrix, doc.M2I());
}

TEST_F(ClosingTest, AnEditedCollectionReadsBackToTheSameBytes) {
  Open(TwoCaves());
  doc.SetSide(Maze(0).GetPolygon(0)->GetSide(1));
  doc.NudgeSelection(-40, 25, false);  // beyond the old extent
  doc.sInsPointClick();
  doc.eMazenameChange("Name with trailing blanks   ");
  doc.sAutoTransClick();
  doc.sNewMazeClick();
  doc.NudgeSelection(300, 0, true);
  const std::string written = doc.CleanCollection();
  TTextReader r(written);
  r.ReadLn();
  TMazeList copy;
  copy.LoadFromF(r);
  const std::string again = CollectionBytes(copy);
  EXPECT_TRUE(again == written) << FirstDifference(written, again);
}

}  // namespace
