// The editing commands, the form keys and the property controls, with what each step names.
#include <cmath>

#include "edit_fixture.h"

namespace {

using CommandsTest = EditDocTest;

TEST_F(CommandsTest, NewMazeAddsATwentyPixelUpwardTriangleMidFieldNamedNoName) {
  Open(TwoCaves());
  doc.clineChange(0x000000FF);
  doc.cFillChange(0x00FF00FF);
  doc.sNewMazeClick();
  ASSERT_EQ(list->Count(), 3);
  TMaze& m = Maze(2);
  EXPECT_EQ(doc.Maze(), &m);
  EXPECT_EQ(m.mazename, "<no name>");
  EXPECT_EQ(m.TickUnit(), 50);
  EXPECT_EQ(m.linecolor, 0x00FFFF00);
  EXPECT_EQ(m.landcolor, 0xFFEE);
  EXPECT_EQ(m.outcolor, 0);
  ASSERT_EQ(doc.MazeComboItems().size(), 3u);
  EXPECT_EQ(doc.MazeComboIndex(), 2);
  EXPECT_EQ(doc.MazeComboItems()[2].name, "<no name>");
  ASSERT_EQ(m.Count(), 1);
  const TPolygon& p = *m.GetPolygon(0);
  EXPECT_EQ(doc.PolColor(), 0x000000FF);
  EXPECT_EQ(p.fillcolor, 0x00FF00FF);
  EXPECT_EQ(p.fillstyle, bsSolid);
  ASSERT_EQ(p.Count(), 3);
  const double expected[3][2] = {{245, 245}, {255, 265}, {265, 245}};
  for (int i = 0; i < 3; ++i) {
    const TDPoint q = ToImage(p.GetSide(i)->x(), p.GetSide(i)->y());
    EXPECT_NEAR(q.x, expected[i][0], 1e-9) << "corner " << i;
    EXPECT_NEAR(q.y, expected[i][1], 1e-9) << "corner " << i;
  }

  EXPECT_FALSE(doc.CloseQuery(true));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Please give the maze a name before closing the edit window");
  EXPECT_EQ(dialogs.boxes[0].caption, "Error");
  EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::mi_error);
  EXPECT_FALSE(doc.Closed());
  EXPECT_EQ(m.GetPolygon(0)->Color(), HighlightColor(0x000000FF, 0.25));  // nothing restored
  doc.eMazenameChange("  <no name>\t");  // stored as the file would give it back
  EXPECT_FALSE(doc.CloseQuery(true));
  doc.eMazenameChange("Pit");
  EXPECT_TRUE(doc.CloseQuery(true));
}

TEST_F(CommandsTest, NewMazeWithFillNoneIsClear) {
  Open(TwoCaves());
  doc.cFillChange(clNone);
  doc.sNewMazeClick();
  EXPECT_EQ(doc.Maze()->GetPolygon(0)->fillstyle, bsClear);
}

TEST_F(CommandsTest, InsertPointPutsAnOwnColouredCornerMidEdgeBeforeTheCurrentOne) {
  Open(TwoCaves());
  TPolygon* p = Maze(0).GetPolygon(0);  // (-1.2,-1.2) (-1.2,-0.8) (-0.8,-0.8) (-0.8,-1.2)
  doc.SetSide(p->GetSide(2));
  doc.sInsPointClick();
  ASSERT_EQ(p->Count(), 5);
  EXPECT_EQ(doc.Side(), p->GetSide(2));
  EXPECT_DOUBLE_EQ(p->GetSide(2)->x(), -1.0);
  EXPECT_DOUBLE_EQ(p->GetSide(2)->y(), -0.8);
  EXPECT_EQ(doc.SideColor(), 0x00FFFF00);
  EXPECT_EQ(p->GetSide(2)->sidetype, st_normal);
  EXPECT_EQ(p->GetSide(2)->width, p->width);
  // Before corner 0 the new corner sits on the edge from the last corner.
  doc.SetSide(p->GetSide(0));
  doc.sInsPointClick();
  EXPECT_DOUBLE_EQ(p->GetSide(0)->x(), -1.0);
  EXPECT_DOUBLE_EQ(p->GetSide(0)->y(), -1.2);
  EXPECT_EQ(doc.LastStep().name, "Insert Point");
  EXPECT_EQ(doc.LastStep().touches, std::vector{TTouched::Of(TTouch::Polygon, 0, 0)});
  // The extent follows the corners, as a file read back would have it.
  EXPECT_DOUBLE_EQ(p->extent.x1, -1.2);
  EXPECT_DOUBLE_EQ(p->extent.y2, -0.8);
}

TEST_F(CommandsTest, LandingNeedsAnEdgeLevelToOneTenBillionth) {
  struct TCase {
    double dy;
    bool accepted;
  };
  for (const TCase c : {TCase{1e-9, false}, TCase{1e-11, true}, TCase{0, true}}) {
    auto l = std::make_unique<TMazeList>();
    auto m = EmptyMaze("Flat");
    AddPolygon(*m, {{0, 0}, {1, c.dy}, {1, 1}});
    l->Add(std::move(m));
    dialogs.boxes.clear();
    Open(std::move(l));
    doc.SetSide(doc.Polygon()->GetSide(1));
    doc.sLandClick();
    TSide* v = doc.Polygon()->GetSide(1);
    EXPECT_EQ(v->sidetype == st_landing, c.accepted) << c.dy;
    EXPECT_EQ(doc.ToolDown(TEditTool::sLand), c.accepted) << c.dy;
    if (c.accepted) {
      EXPECT_TRUE(dialogs.boxes.empty());
      EXPECT_EQ(v->color, doc.Controls().cLand);
      EXPECT_DOUBLE_EQ(Maze(0).Start().x2, 1);
    } else {
      ASSERT_EQ(Questions(), std::vector<std::string>{"Error: Edge must be horizontal"});
      EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::mi_error);
      EXPECT_FALSE(doc.Modified());
    }
  }
}

TEST_F(CommandsTest, LandingTwiceMarksAndUnmarksWhileTheStartStaysAtTheFirstMarking) {
  Open(TwoCaves());
  TMaze& m = Maze(0);
  TPolygon* p = m.GetPolygon(0);  // edge 2 -> 3 runs from (-0.8,-0.8) to (-0.8,-1.2): not level
  doc.SetSide(p->GetSide(2));     // edge 1 -> 2: (-1.2,-0.8) to (-0.8,-0.8)
  doc.sLandClick();
  EXPECT_EQ(p->GetSide(2)->sidetype, st_landing);
  const TDRect start{-1.2, -0.8, -0.8, -0.8};
  EXPECT_DOUBLE_EQ(m.Start().x1, start.x1);
  EXPECT_DOUBLE_EQ(m.Start().x2, start.x2);
  EXPECT_DOUBLE_EQ(m.Start().y1, start.y1);
  EXPECT_EQ(doc.LastStep().touches.size(), 2u);
  doc.sLandClick();
  EXPECT_EQ(p->GetSide(2)->sidetype, st_normal);
  EXPECT_FALSE(doc.ToolDown(TEditTool::sLand));
  EXPECT_DOUBLE_EQ(m.Start().x1, start.x1);
  EXPECT_DOUBLE_EQ(m.Start().x2, start.x2);
  EXPECT_EQ(doc.LastStep().touches, std::vector{TTouched::Of(TTouch::Polygon, 0, 0)});
  // Left, the corner has the polygon's own colour again.
  doc.SetSide(p->GetSide(0));
  EXPECT_EQ(p->GetSide(2)->color, 0x00FFFF00);
}

TEST_F(CommandsTest, DelAsksForAPolygonOnATriangleAndForAPointOnASquare) {
  Open(TwoCaves());
  doc.MazeComboSelect(1);  // the triangle
  dialogs.QueueAnswer(mrNo);
  doc.DeleteSelection(false);
  EXPECT_EQ(Questions(), std::vector<std::string>{"Confirm: Delete Polygon?"});
  EXPECT_EQ(dialogs.boxes[0].icon, TMsgIcon::mi_information);
  EXPECT_EQ(Maze(1).Count(), 1);  // No changes nothing
  EXPECT_FALSE(doc.Modified());
  doc.DeleteSelection(false);
  EXPECT_EQ(Maze(1).Count(), 0);
  EXPECT_EQ(doc.Polygon(), nullptr);
  EXPECT_FALSE(doc.TrafTabsVisible());

  dialogs.Clear();
  doc.MazeComboSelect(0);
  TPolygon* sq = Maze(0).GetPolygon(0);
  TSide* third = sq->GetSide(2);
  doc.SetSide(sq->GetSide(1));
  doc.DeleteSelection(false);
  EXPECT_EQ(Questions(), std::vector<std::string>{"Confirm: Delete point?"});
  ASSERT_EQ(sq->Count(), 3);
  EXPECT_EQ(doc.Side(), third);  // the corner that took its index
  doc.SetSide(sq->GetSide(2));
  // Three corners left: Del now asks for the polygon.
  dialogs.QueueAnswer(mrNo);
  doc.DeleteSelection(false);
  EXPECT_EQ(Questions().back(), "Confirm: Delete Polygon?");
}

TEST_F(CommandsTest, DeletingTheLastCornerSelectsTheNewLastOne) {
  Open(TwoCaves());
  TPolygon* sq = Maze(0).GetPolygon(0);
  sq->AddSide(-1.0, -1.3, st_normal, sq->Color());
  doc.SetPolygon(sq);
  doc.SetSide(sq->GetSide(4));
  doc.DeleteSelection(false);
  ASSERT_EQ(sq->Count(), 4);
  EXPECT_EQ(doc.Side(), sq->GetSide(3));
  EXPECT_EQ(sq->GetSide(3)->color, HighlightColor(sq->Color(), 0.5));
}

TEST_F(CommandsTest, ShiftDelRemovesAnyPolygonAndHidesTheTabs) {
  Open(TwoCaves());
  doc.sAutoRotClick();
  ASSERT_TRUE(doc.TrafTabsVisible());
  doc.DeleteSelection(true);
  EXPECT_EQ(Questions(), std::vector<std::string>{"Confirm: Delete Polygon?"});
  EXPECT_EQ(Maze(0).Count(), 2);
  EXPECT_EQ(doc.Polygon(), nullptr);
  EXPECT_EQ(doc.Side(), nullptr);
  EXPECT_FALSE(doc.TrafTabsVisible());
  EXPECT_EQ(doc.LastStep().touches, std::vector{TTouched::Of(TTouch::PolygonRemoved, 0, 0)});
  // Nothing selected: Del does nothing and asks nothing.
  doc.DeleteSelection(true);
  EXPECT_EQ(dialogs.boxes.size(), 1u);
}

TEST_F(CommandsTest, DelOnABallAsksAndLetsGoOfIt) {
  Open(TwoCaves());
  TBall* b = Maze(0).balllist->GetBall(0);
  doc.SetBall(b);
  doc.DeleteSelection(false);
  EXPECT_EQ(Questions(), std::vector<std::string>{"Confirm: Delete ball?"});
  EXPECT_EQ(Maze(0).balllist->Count(), 1);
  EXPECT_EQ(doc.Ball(), nullptr);
  EXPECT_TRUE(doc.BallSel());
  EXPECT_EQ(doc.LastStep().touches, std::vector{TTouched::Of(TTouch::BallRemoved, 0, 0)});
  doc.DeleteSelection(false);  // no ball: nothing, and no polygon deleted instead
  EXPECT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(Maze(0).Count(), 3);
}

TEST_F(CommandsTest, ClearBallsAsksNothingAndForgetsTheBall) {
  Open(TwoCaves());
  doc.SetBall(Maze(0).balllist->GetBall(1));
  doc.sdelballsClick();
  EXPECT_EQ(Maze(0).balllist->Count(), 0);
  EXPECT_EQ(doc.Ball(), nullptr);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(doc.LastStep().touches, std::vector{TTouched::Of(TTouch::Balls, 0)});
}

TEST_F(CommandsTest, AnimateTogglesAttachAtTheCornersMeanAndDetachTheFirstOfTheirKind) {
  auto l = TwoCaves();
  // A polygon that already has two rotations: the toggle takes the first away.
  TPolygon* p = l->GetMaze(0)->GetPolygon(2);
  auto r1 = std::make_unique<TRotate>();
  TTransform* first = r1.get();
  p->TrafList()->AddTraf(std::move(r1));
  auto r2 = std::make_unique<TRotate>();
  TTransform* second = r2.get();
  p->TrafList()->AddTraf(std::move(r2));
  Open(std::move(l));

  doc.sAutoSizeClick();
  TScale* s = Maze(0).GetPolygon(0)->Scale();
  ASSERT_NE(s, nullptr);
  EXPECT_DOUBLE_EQ(s->rx(), -1.0);
  EXPECT_DOUBLE_EQ(s->ry(), -1.0);
  EXPECT_EQ(doc.LastStep().name, "Add Scaling");
  doc.sAutoSizeClick();
  EXPECT_EQ(Maze(0).GetPolygon(0)->Scale(), nullptr);
  EXPECT_EQ(doc.LastStep().name, "Remove Scaling");

  doc.SetPolygon(p);
  ASSERT_EQ(doc.TrafTabCount(), 2);
  doc.sAutoRotClick();
  ASSERT_EQ(p->TrafList()->Count(), 1);
  EXPECT_EQ(p->TrafList()->GetTraf(0), second);
  EXPECT_NE(p->TrafList()->GetTraf(0), first);
  EXPECT_EQ(doc.TrafTabCount(), 1);

  // With a ball selected the toggles do nothing.
  doc.SetBall(Maze(0).balllist->GetBall(0));
  doc.sAutoTransClick();
  EXPECT_EQ(p->Trans(), nullptr);
}

TEST_F(CommandsTest, ArrowsNudgeTheCornerOrWithShiftThePolygonByOnePixel) {
  Open(TwoCaves());
  TPolygon* p = Maze(0).GetPolygon(0);
  struct TCase {
    TEditKey key;
    double dx, dy;  // in image pixels, y up
  };
  const TCase cases[] = {{TEditKey::Left, -1, 0},
                         {TEditKey::Right, 1, 0},
                         {TEditKey::Up, 0, 1},
                         {TEditKey::Down, 0, -1}};
  for (const TCase& c : cases) {
    for (bool shift : {false, true}) {
      std::vector<TDPoint> before;
      for (int i = 0; i < p->Count(); ++i) {
        before.push_back(ToImage(p->GetSide(i)->x(), p->GetSide(i)->y()));
      }
      EXPECT_TRUE(doc.FormKeyDown(c.key, shift));
      for (int i = 0; i < p->Count(); ++i) {
        const TDPoint q = ToImage(p->GetSide(i)->x(), p->GetSide(i)->y());
        const bool moves = shift || i == 0;
        EXPECT_NEAR(q.x - before[i].x, moves ? c.dx : 0, 1e-9);
        EXPECT_NEAR(q.y - before[i].y, moves ? c.dy : 0, 1e-9);
      }
    }
  }
  EXPECT_EQ(doc.LastStep().name, "Move Polygon");
}

TEST_F(CommandsTest, PgUpAndPgDnSwapWithTheNeighbourAndStopAtTheEnds) {
  Open(TwoCaves());
  TMaze& m = Maze(0);
  TPolygon* a = m.GetPolygon(0);
  TPolygon* b = m.GetPolygon(1);
  TPolygon* c = m.GetPolygon(2);
  struct TCase {
    TPolygon* selected;
    TEditKey key;
    std::vector<TPolygon*> order;
  };
  const TCase cases[] = {
      {c, TEditKey::PgUp, {a, b, c}},  // the last stays last
      {a, TEditKey::PgDn, {a, b, c}},  // the first stays first
      {a, TEditKey::PgUp, {b, a, c}},
      {a, TEditKey::PgDn, {a, b, c}},
  };
  for (const TCase& t : cases) {
    doc.SetPolygon(t.selected);
    const int steps = doc.StepCount();
    doc.FormKeyDown(t.key, false);
    EXPECT_EQ((std::vector{m.GetPolygon(0), m.GetPolygon(1), m.GetPolygon(2)}), t.order);
    if (t.order == std::vector{a, b, c} && t.key == TEditKey::PgUp) {
      EXPECT_EQ(doc.StepCount(), steps);  // no change, no step
    }
  }
  EXPECT_EQ(doc.LastStep().touches, std::vector{TTouched::Of(TTouch::PolygonsSwapped, 0, 0, 1)});
}

TEST_F(CommandsTest, PropertyControlsEditTheSelectionThroughNamedSteps) {
  struct TCase {
    const char* step;
    void (*edit)(TEditDocument&);
    bool (*done)(const TMaze&, const TPolygon&);
    bool needs_polygon;
  };
  const TCase cases[] = {
      {"Background Color", [](TEditDocument& d) { d.cbackgroundChange(0x00112233); },
       [](const TMaze& m, const TPolygon&) { return m.outcolor == 0x00112233; }, false},
      {"Line Color", [](TEditDocument& d) { d.clineChange(0x00445566); },
       [](const TMaze&, const TPolygon& p) { return p.Color() == 0x00445566; }, true},
      {"Fill Color", [](TEditDocument& d) { d.cFillChange(clNone); },
       [](const TMaze&, const TPolygon& p) {
         return p.fillcolor == clNone && p.fillstyle == bsClear;
       },
       true},
      {"Fill", [](TEditDocument& d) { d.cbFillClick(false); },
       [](const TMaze&, const TPolygon& p) { return p.fillstyle == bsClear; }, true},
      {"Line Width", [](TEditDocument& d) { d.lwidthChange(35); },
       [](const TMaze&, const TPolygon& p) { return p.width == 20; }, true},
      {"Harmless", [](TEditDocument& d) { d.eHarmlessClick(true); },
       [](const TMaze&, const TPolygon& p) { return p.harmless; }, true},
      {"Landing Color", [](TEditDocument& d) { d.cLandChange(0x0000FF00); },
       [](const TMaze& m, const TPolygon&) { return m.landcolor == 0x0000FF00; }, false},
      {"Maze Name", [](TEditDocument& d) { d.eMazenameChange(" Hall "); },
       [](const TMaze& m, const TPolygon&) { return m.mazename == "Hall"; }, false},
  };
  for (const TCase& c : cases) {
    for (bool with_polygon : {true, false}) {
      Open(TwoCaves());
      TPolygon& p = *Maze(0).GetPolygon(0);
      if (!with_polygon) doc.SetPolygon(nullptr);
      c.edit(doc);
      const bool expect_change = with_polygon || !c.needs_polygon;
      EXPECT_EQ(c.done(Maze(0), p), expect_change) << c.step << (with_polygon ? "" : " alone");
      EXPECT_EQ(doc.Modified(), expect_change) << c.step;
      if (!expect_change) continue;
      EXPECT_EQ(doc.LastStep().name, c.step);
      ASSERT_EQ(doc.LastStep().touches.size(), 1u);
      const TTouched t = doc.LastStep().touches[0];
      EXPECT_EQ(t, c.needs_polygon ? TTouched::Of(TTouch::Polygon, 0, 0)
                                   : TTouched::Of(TTouch::MazeFields, 0))
          << c.step;
      // The same value again is no edit.
      const int steps = doc.StepCount();
      c.edit(doc);
      EXPECT_EQ(doc.StepCount(), steps) << c.step;
    }
  }
}

TEST_F(CommandsTest, TheLineColourIsShownPlainUntilThePolygonIsSelectedAgain) {
  Open(TwoCaves());
  TPolygon* p = Maze(0).GetPolygon(0);
  doc.clineChange(0x00445566);
  EXPECT_EQ(p->Color(), 0x00445566);
  EXPECT_EQ(doc.PolColor(), 0x00445566);
  doc.SetPolygon(p);
  EXPECT_EQ(p->Color(), HighlightColor(0x00445566, 0.25));
}

TEST_F(CommandsTest, RemovingTheCurrentMazeShowsTheOneThatTookItsPlaceOrTheLast) {
  auto l = TwoCaves();
  l->Add(EmptyMaze("Cave 3"));
  Open(std::move(l));
  TMaze* second = &Maze(1);
  doc.SetBall(Maze(0).balllist->GetBall(0));
  doc.RemoveMaze(&Maze(0));
  EXPECT_EQ(doc.Maze(), second);
  EXPECT_EQ(doc.Ball(), nullptr);
  EXPECT_TRUE(doc.SelectionValid());
  EXPECT_EQ(doc.OpeningMaze(0), nullptr);
  EXPECT_FALSE(doc.OpeningMazeKept(0));
  EXPECT_TRUE(doc.OpeningMazeKept(1));
  doc.MazeComboSelect(1);
  doc.RemoveMaze(doc.Maze());  // the last one: the new last is shown
  EXPECT_EQ(doc.Maze(), second);
  EXPECT_EQ(doc.MazeComboItems().size(), 1u);
  EXPECT_EQ(doc.LastStep().touches, std::vector{TTouched::Of(TTouch::MazeRemoved, 1)});
}

}  // namespace
