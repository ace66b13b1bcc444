// The collection and maze setters, the caption, the selection with its highlights, the
// creation tools, the drag type, the transform tabs and the announcements.
#include "edit_fixture.h"

namespace {

using SelectionTest = EditDocTest;

class TRecordingListener : public TEditListener {
 public:
  void EditChanged(TEditAspects what) override { heard.push_back(what); }
  std::vector<TEditAspects> heard;
};

TEST_F(SelectionTest, TheCollectionShowsItsFirstMazeWithItsColoursNameAndCaption) {
  auto l = TwoCaves();
  l->GetMaze(0)->outcolor = 0x00102030;
  l->GetMaze(0)->incolor = 0x00405060;
  Open(std::move(l));
  EXPECT_EQ(doc.Maze(), &Maze(0));
  ASSERT_EQ(doc.MazeComboItems().size(), 2u);
  EXPECT_EQ(doc.MazeComboItems()[1].name, "Cave 2");
  EXPECT_EQ(doc.MazeComboItems()[1].maze, &Maze(1));
  EXPECT_EQ(doc.MazeComboIndex(), 0);
  EXPECT_EQ(doc.MazeNameText(), "Cave 1");
  EXPECT_EQ(doc.Caption(), "Gravonaut 2.7 Edit (Cave 1)");
  EXPECT_EQ(doc.Controls().cbackground, 0x00102030);
  EXPECT_EQ(doc.Controls().cLand, 0x0000FFEE);  // the maze's own, not the box's default
  EXPECT_EQ(doc.Polygon(), Maze(0).GetPolygon(0));
  EXPECT_EQ(doc.Side(), Maze(0).GetPolygon(0)->GetSide(0));

  doc.MazeComboSelect(1);
  EXPECT_EQ(doc.Maze(), &Maze(1));
  EXPECT_EQ(doc.MazeComboIndex(), 1);
  EXPECT_EQ(doc.Caption(), "Gravonaut 2.7 Edit (Cave 2)");
  // The polygon left behind has its own colour again.
  EXPECT_EQ(Maze(0).GetPolygon(0)->Color(), 0x00FFFF00);
  EXPECT_EQ(Maze(0).GetPolygon(0)->GetSide(0)->color, 0x00FFFF00);
}

// The Landing box starts from the colour the maze's landing corners have, which earlier
// versions did not keep equal to landcolor: from its first landing corner, else landcolor.
TEST_F(SelectionTest, TheLandingBoxShowsTheFirstLandingCornersColour) {
  struct TCase {
    const char* what;
    std::vector<std::pair<int, TColor>> landings;  // polygon, corner colour
    TColor shown;
  };
  const TCase cases[] = {
      {"no landing corner", {}, 0x0000FFEE},
      {"corners of another colour", {{1, 61183}}, 61183},
      {"the first polygon's first", {{2, 0x00112233}, {1, 0x00445566}}, 0x00445566},
  };
  for (const TCase& c : cases) {
    auto l = TwoCaves();
    TMaze& m = *l->GetMaze(0);
    m.landcolor = 0x0000FFEE;
    for (int k = 0; k < m.Count(); ++k) {
      for (int i = 0; i < m.GetPolygon(k)->Count(); ++i) {
        m.GetPolygon(k)->GetSide(i)->sidetype = st_normal;
      }
    }
    for (const auto& [k, color] : c.landings) {
      m.GetPolygon(k)->GetSide(2)->sidetype = st_landing;
      m.GetPolygon(k)->GetSide(2)->color = color;
    }
    Open(std::move(l));
    EXPECT_EQ(doc.Controls().cLand, c.shown) << c.what;
    EXPECT_EQ(Maze(0).landcolor, 0x0000FFEEu) << c.what;
  }
}

TEST_F(SelectionTest, TheCaptionKeepsTheNameOfNewUntilTheMazeIsSetAgain) {
  Open(TwoCaves());
  doc.sNewMazeClick();
  EXPECT_EQ(doc.Caption(), "Gravonaut 2.7 Edit (<no name>)");
  for (const char* typed : {"H", "He", "Hell", "Hell's gate"}) {
    doc.eMazenameChange(typed);
    EXPECT_EQ(doc.Caption(), "Gravonaut 2.7 Edit (<no name>)");
  }
  EXPECT_EQ(doc.Maze()->mazename, "Hell's gate");
  doc.MazeComboSelect(2);
  EXPECT_EQ(doc.Caption(), "Gravonaut 2.7 Edit (Hell's gate)");
}

TEST_F(SelectionTest, SelectingHighlightsAndLeavingGivesBackTheOwnColours) {
  Open(TwoCaves());
  TPolygon* p0 = Maze(0).GetPolygon(0);
  TPolygon* p2 = Maze(0).GetPolygon(2);
  const TColor hp = HighlightColor(0x00FFFF00, 0.25);
  EXPECT_EQ(p0->Color(), hp);
  EXPECT_EQ(p0->GetSide(0)->color, HighlightColor(hp, 0.5));

  doc.SetSide(p0->GetSide(2));
  EXPECT_EQ(p0->GetSide(0)->color, 0x00FFFF00);
  EXPECT_EQ(p0->GetSide(2)->color, HighlightColor(hp, 0.5));

  doc.SetPolygon(p2);
  EXPECT_EQ(p0->Color(), 0x00FFFF00);
  EXPECT_EQ(p0->GetSide(2)->color, 0x00FFFF00);
  EXPECT_EQ(p2->Color(), HighlightColor(0x000000FF, 0.25));
  EXPECT_EQ(doc.Side(), p2->GetSide(0));
  EXPECT_EQ(doc.Controls().cline, 0x000000FF);

  doc.SetPolygon(nullptr);
  EXPECT_EQ(doc.Side(), nullptr);
  EXPECT_EQ(p2->Color(), 0x000000FF);
  EXPECT_EQ(p2->GetSide(0)->color, 0x000000FF);
  EXPECT_FALSE(doc.TrafTabsVisible());
}

TEST_F(SelectionTest, ALandingCornerOfAnotherColourKeepsItWhenSelectedAndLeft) {
  auto l = TwoCaves();
  l->GetMaze(0)->GetPolygon(1)->GetSide(1)->color = 0x00C0C0C0;  // not the landing colour
  Open(std::move(l));
  TPolygon* p1 = Maze(0).GetPolygon(1);
  doc.SetPolygon(p1);
  doc.SetSide(p1->GetSide(1));
  EXPECT_TRUE(doc.ToolDown(TEditTool::sLand));
  doc.SetSide(p1->GetSide(2));
  EXPECT_FALSE(doc.ToolDown(TEditTool::sLand));
  EXPECT_EQ(p1->GetSide(1)->color, 0x00C0C0C0);
}

TEST_F(SelectionTest, ABallStaysHighlightedWhilePolygonsAreChosenButNotInAnotherMaze) {
  Open(TwoCaves());
  TBall* b = Maze(0).balllist->GetBall(1);
  doc.SetBall(b);
  EXPECT_TRUE(doc.BallSel());
  EXPECT_EQ(b->Color(), HighlightColor(0x0000FF, 0.5));
  doc.SetPolygon(Maze(0).GetPolygon(2));
  EXPECT_FALSE(doc.BallSel());
  EXPECT_EQ(doc.Ball(), b);
  EXPECT_EQ(b->Color(), HighlightColor(0x0000FF, 0.5));
  doc.MazeComboSelect(1);
  EXPECT_EQ(doc.Ball(), nullptr);
  EXPECT_EQ(b->Color(), 0x0000FF);
}

TEST_F(SelectionTest, EachCreationToolSwitchesTheOthersOff) {
  Open(TwoCaves());
  struct TCase {
    const char* turned_on;
    void (TEditDocument::*click)();
    bool pol, gear, ball;
  };
  const TCase cases[] = {
      {"New polygon", &TEditDocument::sPolClick, true, false, false},
      {"New gear", &TEditDocument::sGearClick, false, true, false},
      {"New ball", &TEditDocument::sBallClick, false, false, true},
  };
  for (const TCase& first : cases) {
    for (const TCase& second : cases) {
      if (&first == &second) continue;
      doc.SetAddPol(false);
      doc.SetAddGear(false);
      doc.SetDoBall(false);
      (doc.*first.click)();
      (doc.*second.click)();
      EXPECT_EQ(doc.AddPol(), second.pol) << first.turned_on << " then " << second.turned_on;
      EXPECT_EQ(doc.AddGear(), second.gear) << first.turned_on << " then " << second.turned_on;
      EXPECT_EQ(doc.DoBall(), second.ball) << first.turned_on << " then " << second.turned_on;
      EXPECT_EQ(doc.ToolDown(TEditTool::sPol), second.pol);
      EXPECT_EQ(doc.ToolDown(TEditTool::sGear), second.gear);
      EXPECT_EQ(doc.ToolDown(TEditTool::sBall), second.ball);
    }
  }
  // A second click turns a tool off again, and turning one off leaves the others alone.
  ASSERT_TRUE(doc.AddGear());
  doc.sGearClick();
  EXPECT_FALSE(doc.AddGear() || doc.AddPol() || doc.DoBall());
}

TEST_F(SelectionTest, SizeAndRotateToggleBackToTranslateAndExactlyOneRadioIsDown) {
  Open(TwoCaves());
  const auto down = [this] {
    return std::string(doc.ToolDown(TEditTool::sTrans) ? "T" : "") +
           (doc.ToolDown(TEditTool::sSize) ? "S" : "") + (doc.ToolDown(TEditTool::sRot) ? "R" : "");
  };
  EXPECT_EQ(down(), "T");
  doc.mmSizeClick();
  EXPECT_EQ(down(), "S");
  doc.mmRotateClick();
  EXPECT_EQ(down(), "R");
  doc.mmRotateClick();
  EXPECT_EQ(doc.DragType(), dt_translate);
  doc.mmSizeClick();
  doc.mmSizeClick();
  EXPECT_EQ(down(), "T");
  doc.mmSizeClick();
  doc.mmDragClick();
  EXPECT_EQ(down(), "T");
}

TEST_F(SelectionTest, TheTabStripShowsOneTabPerTransformAndFollowsAttachments) {
  Open(TwoCaves());
  TPolygon* p = Maze(0).GetPolygon(0);
  EXPECT_FALSE(doc.TrafTabsVisible());
  EXPECT_EQ(doc.SelectedTraf(), nullptr);

  doc.sAutoRotClick();
  ASSERT_EQ(doc.TrafTabCount(), 1);
  EXPECT_EQ(doc.TrafTabIcon(0), TEditDocument::kIconRotate);
  doc.sAutoTransClick();
  ASSERT_EQ(doc.TrafTabCount(), 2);
  EXPECT_EQ(doc.TrafTabIcon(1), TEditDocument::kIconTrans);
  EXPECT_EQ(doc.TrafTabIndex(), 1);  // the second transform's tab is shown
  EXPECT_EQ(doc.SelectedTraf(), p->TrafList()->GetTraf(1));
  doc.sAutoSizeClick();
  EXPECT_EQ(doc.TrafTabIcon(2), TEditDocument::kIconScale);
  EXPECT_TRUE(doc.ToolDown(TEditTool::sAutoRot) && doc.ToolDown(TEditTool::sAutoTrans) &&
              doc.ToolDown(TEditTool::sAutoSize));

  // Another polygon with fewer transforms: the remembered tab clamps to its last one.
  doc.SetPolygon(Maze(0).GetPolygon(1));
  EXPECT_FALSE(doc.TrafTabsVisible());
  doc.sAutoRotClick();
  EXPECT_EQ(doc.TrafTabIndex(), 0);
  doc.SetPolygon(p);
  doc.TrafTabChange(2);
  doc.SetPolygon(Maze(0).GetPolygon(1));
  EXPECT_EQ(doc.TrafTabIndex(), 0);
  doc.TrafTabChange(7);  // no such tab
  EXPECT_EQ(doc.TrafTabIndex(), 0);
}

TEST_F(SelectionTest, ACommandIsAnnouncedOnceAndTypingIsNotEchoedToTheNameField) {
  Open(TwoCaves());
  TRecordingListener l;
  doc.AddListener(&l);
  doc.SetPolygon(Maze(0).GetPolygon(1));
  ASSERT_EQ(l.heard.size(), 1u);
  EXPECT_TRUE(l.heard[0] & ea_Selection);
  EXPECT_TRUE(l.heard[0] & ea_Controls);
  l.heard.clear();
  doc.eMazenameChange("Cave 1b");
  ASSERT_EQ(l.heard.size(), 1u);
  EXPECT_EQ(l.heard[0], static_cast<TEditAspects>(ea_Modified));
  l.heard.clear();
  doc.MazeComboSelect(1);
  ASSERT_EQ(l.heard.size(), 1u);
  EXPECT_TRUE(l.heard[0] & ea_MazeShown);
  EXPECT_TRUE(l.heard[0] & ea_Caption);
  EXPECT_TRUE(l.heard[0] & ea_Redraw);
  doc.RemoveListener(&l);
}

}  // namespace
