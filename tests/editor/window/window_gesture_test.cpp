// The gestures with real mouse events on a 1020 x 1020 play field: new polygons and gears, a
// corner put on an edge, corners run together, the polygon moved, turned and resized, ball
// mode, a click on nothing, and the size of the pick square.
#include <numbers>

#include "playfield_fixture.h"

namespace {

using GestureFieldTest = PlayFieldTest;

constexpr double kPi = std::numbers::pi;

TEST_F(GestureFieldTest, NewPolygonClickedAtTheCentreIsARegularShapeOf50Pixels) {
  struct TCase {
    int n;
    std::vector<std::pair<double, double>> corners;  // the first ones, clockwise
  };
  const double d = 0.25 * std::sqrt(0.5);  // 0.1767767
  const TCase cases[] = {
      {4, {{d, d}, {d, -d}, {-d, -d}, {-d, d}}},  // level and upright edges
      {3, {{0, 0.25}, {0.25 * std::cos(kPi / 6), -0.125}, {-0.25 * std::cos(kPi / 6), -0.125}}},
      {5, {{0.25, 0}, {0.25 * std::cos(0.4 * kPi), -0.25 * std::sin(0.4 * kPi)}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.n);
    OpenWith({{2, 2}, {2, 2.2}, {2.2, 2.2}});
    doc.clineChange(0x0000FF);
    doc.cFillChange(0x00FF00);
    doc.cbFillClick(false);
    doc.ePolNChange(c.n);
    doc.sPolClick();
    Click(QPoint(510, 510));
    ASSERT_EQ(Maze().Count(), 2);
    const TPolygon* q = Maze().GetPolygon(1);  // last, drawn on top
    EXPECT_EQ(doc.Polygon(), q);
    EXPECT_FALSE(doc.AddPol()) << "one placement";
    EXPECT_EQ(doc.LastStep().name, "New Polygon");
    ASSERT_EQ(q->Count(), c.n);
    for (std::size_t i = 0; i < c.corners.size(); ++i) {
      EXPECT_NEAR(q->GetSide(static_cast<int>(i))->x(), c.corners[i].first, 1e-7) << i;
      EXPECT_NEAR(q->GetSide(static_cast<int>(i))->y(), c.corners[i].second, 1e-7) << i;
      EXPECT_EQ(q->GetSide(static_cast<int>(i))->sidetype, st_normal);
    }
    // Corner 0 is the selected one, highlighted; its own colour is kept aside.
    EXPECT_EQ(doc.Side(), q->GetSide(0));
    EXPECT_EQ(doc.SideColor(), 0x0000FF);
    for (int i = 1; i < q->Count(); ++i) EXPECT_EQ(q->GetSide(i)->color, 0x0000FF);
    EXPECT_EQ(doc.PolColor(), 0x0000FF);
    EXPECT_EQ(q->fillcolor, 0x00FF00);
    EXPECT_EQ(q->fillstyle, bsClear);
    // A second click on empty field adds nothing more.
    Click(QPoint(200, 800));
    EXPECT_EQ(Maze().Count(), 2);
  }
}

TEST_F(GestureFieldTest, ANewGearHasFiveCornersATooth) {
  OpenWith({{2, 2}, {2, 2.2}, {2.2, 2.2}});
  doc.ePolNChange(4);
  doc.cFillChange(clNone);
  doc.sGearClick();
  Click(Px(0.5, -0.25));
  ASSERT_EQ(Maze().Count(), 2);
  const TPolygon* g = Maze().GetPolygon(1);
  EXPECT_FALSE(doc.AddGear());
  EXPECT_EQ(doc.LastStep().name, "New Gear");
  EXPECT_EQ(g->fillstyle, bsClear);
  ASSERT_EQ(g->Count(), 20);
  const double R = 0.25, outer = 0.25 * 4 / 3;
  // Pitch pi/2, flank 0.05 pi, top land 0.2 pi: the first tooth's corners, then the next root.
  const double at[][2] = {
      {0, R},          {-0.1 * kPi, R}, {-0.15 * kPi, outer}, {-0.35 * kPi, outer},
      {-0.4 * kPi, R}, {-0.5 * kPi, R}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(g->GetSide(i)->x(), 0.5 + at[i][1] * std::cos(at[i][0]), 1e-12) << i;
    EXPECT_NEAR(g->GetSide(i)->y(), -0.25 + at[i][1] * std::sin(at[i][0]), 1e-12) << i;
  }
  EXPECT_NEAR(g->GetSide(0)->x(), 0.75, 1e-12) << "the first corner at (x + R, y)";
}

TEST_F(GestureFieldTest, AClickOnAnEdgeLeavesANewCornerOnIt) {
  // Upright, level and slanted edges: (-1,-1) (-1,1) (1,1) (1.5,-1).
  struct TCase {
    const char* what;
    QPoint click;  // a pixel beside the edge
    int index;     // of the new corner
  };
  const TCase cases[] = {
      {"upright", Px(-1, 0.3) + QPoint(1, 0), 1},
      {"level", Px(0.2, 1) + QPoint(0, 2), 2},
      {"slanted", Px(1.25, 0) + QPoint(-1, 1), 3},
      {"level, closing", Px(0.4, -1) + QPoint(0, -1), 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TPolygon* p = OpenWith({{-1, -1}, {-1, 1}, {1, 1}, {1.5, -1}});
    Click(c.click);
    ASSERT_EQ(p->Count(), 5);
    const TSide* s = p->GetSide(c.index);
    EXPECT_EQ(doc.Side(), s);
    EXPECT_EQ(doc.LastStep().name, "Insert Point");
    const TSide* a = p->GetSide(c.index - 1);
    const TSide* b = p->GetSide(c.index + 1);
    // On the line from a to b, between them.
    const double cross =
        (b->x() - a->x()) * (s->y() - a->y()) - (b->y() - a->y()) * (s->x() - a->x());
    EXPECT_NEAR(cross, 0, 1e-12);
    EXPECT_GT((s->x() - a->x()) * (b->x() - s->x()) + (s->y() - a->y()) * (b->y() - s->y()), 0);
    if (a->x() == b->x()) {
      EXPECT_EQ(s->x(), a->x()) << "exactly on the upright edge";
    }
    if (a->y() == b->y()) {
      EXPECT_EQ(s->y(), a->y()) << "exactly on the level edge";
    }
  }
  // Dragged from the edge, the new corner goes where the mouse lets go.
  TPolygon* p = OpenWith({{-1, -1}, {-1, 1}, {1, 1}, {1.5, -1}});
  Drag(Px(0.2, 1), Px(0.3, 1.4));
  ASSERT_EQ(p->Count(), 5);
  EXPECT_NEAR(p->GetSide(2)->x(), 0.3, 1e-12);
  EXPECT_NEAR(p->GetSide(2)->y(), 1.4, 1e-12);
}

TEST_F(GestureFieldTest, ACornerDroppedOnItsPredecessorGoesAway) {
  struct TCase {
    const char* what;
    QPoint to;
    int left;
  };
  // Corner 1 lies on pixel (510, 410); one pixel is 0.005 model units, more than 1e-3.
  const TCase cases[] = {
      {"on the predecessor", QPoint(510, 410), 3},
      {"a pixel beside it", QPoint(511, 410), 4},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TPolygon* p = OpenWith({{0, 0}, {0, 0.5}, {0.5, 0.5}, {0.5, 0}});
    TSide* before = p->GetSide(1);
    Drag(Px(0.5, 0.5), c.to);
    EXPECT_EQ(p->Count(), c.left);
    EXPECT_EQ(p->GetSide(1), before);
    EXPECT_TRUE(doc.SelectionValid());
  }
}

TEST_F(GestureFieldTest, AShiftDragMovesEveryCornerOntoWholePixels) {
  TPolygon* p = OpenWith({{0.1234, 0.2345}, {0.5111, 0.3003}, {0.3071, -0.4021}});
  std::vector<TDPoint> before;
  for (int i = 0; i < p->Count(); ++i) before.push_back(Image(*p->GetSide(i)));
  const QPoint from = Px(0.1234, 0.2345);
  Drag(from, from + QPoint(10, -5), Qt::ShiftModifier, 7);
  EXPECT_EQ(doc.LastStep().name, "Move Polygon");
  ASSERT_EQ(p->Count(), 3);
  for (int i = 0; i < 3; ++i) {
    const TDPoint now = Image(*p->GetSide(i));
    EXPECT_NEAR(now.x, std::nearbyint(before[i].x + 10), 1e-9) << i;
    EXPECT_NEAR(now.y, std::nearbyint(before[i].y + 5), 1e-9) << i << ": image y points up";
  }
}

TEST_F(GestureFieldTest, FiftyPixelsUpInRotateModeTurnAQuarterClockwise) {
  // Corners on the pixels (600, 500), (641, 500), (641, 530), (600, 530): their mean x is
  // 620.5, which rounds to the even 620.
  const auto model = [](int X, int Y) { return std::pair{(X - 510) / 200.0, (510 - Y) / 200.0}; };
  const QPoint screen[] = {{600, 500}, {641, 500}, {641, 530}, {600, 530}};
  auto l = std::make_unique<TMazeList>();
  auto m = EmptyMaze("Field");
  auto poly = std::make_unique<TPolygon>();
  for (const QPoint& s : screen) {
    const auto [x, y] = model(s.x(), s.y());
    poly->AddSide(x, y, st_normal, 0xFFFF00);
  }
  TPolygon* p = poly.get();
  m->AddPolygon(std::move(poly));
  l->Add(std::move(m));
  Open(std::move(l));
  doc.mmRotateClick();
  Drag(screen[0], screen[0] - QPoint(0, 50), Qt::NoModifier, 10);
  EXPECT_EQ(doc.LastStep().name, "Rotate Polygon");
  const QPoint c(620, 515);
  for (int i = 0; i < 4; ++i) {
    // Screen y points down: clockwise takes (dx, dy) to (-dy, dx).
    const QPoint d = screen[i] - c;
    const QPoint want = c + QPoint(-d.y(), d.x());
    const TDPoint now = Image(*p->GetSide(i));
    EXPECT_NEAR(now.x, want.x(), 1e-9) << i;
    EXPECT_NEAR(now.y, kSide - want.y(), 1e-9) << i;
  }
}

TEST_F(GestureFieldTest, TheSizeDragGivesTheSizeBackAtThePressColumn) {
  TPolygon* p = OpenWith({{0.1234, 0.2345}, {0.5111, 0.3003}, {0.3071, -0.4021}});
  const std::string before = doc.CleanCollection();
  const int steps = doc.StepCount();
  doc.mmSizeClick();
  const QPoint from = Px(0.5111, 0.3003);
  Press(from);
  Move(from + QPoint(60, 3));
  Move(from + QPoint(-40, -8));
  Move(from + QPoint(0, 30));
  Release(from + QPoint(0, 30));  // the press column, another row
  EXPECT_EQ(doc.CleanCollection(), before);
  EXPECT_EQ(doc.StepCount(), steps);
  // 200 ln 2 pixels to the right doubles it about the rounded mean of its screen points.
  std::vector<TDPoint> was;
  for (int i = 0; i < 3; ++i) was.push_back(Image(*p->GetSide(i)));
  double cx = 0, cy = 0;
  for (const TDPoint& w : was) {
    cx += w.x / 3;
    cy += w.y / 3;
  }
  Drag(from, from + QPoint(139, 0));  // e^(139/200) = 2.004
  EXPECT_EQ(doc.LastStep().name, "Resize Polygon");
  for (int i = 0; i < 3; ++i) {
    const TDPoint now = Image(*p->GetSide(i));
    EXPECT_NEAR(now.x - cx, 2.004 * (was[i].x - cx), 1.5) << i;
    EXPECT_NEAR(now.y - cy, 2.004 * (was[i].y - cy), 1.5) << i;
    EXPECT_NEAR(now.x, std::round(now.x), 1e-9) << "on a whole pixel";
  }
}

TEST_F(GestureFieldTest, AClickOnABallWhileNewPolygonIsOnSelectsItAndBallModeStays) {
  OpenWith({{2, 2}, {2, 2.2}, {2.2, 2.2}});
  TBall* ball = Maze().AddBall(0.5, 0.5, -1);
  doc.sPolClick();
  Click(Px(0.5, 0.5) + QPoint(2, -3));
  EXPECT_EQ(doc.Ball(), ball);
  EXPECT_TRUE(doc.BallSel());
  EXPECT_TRUE(doc.DoBall());
  EXPECT_FALSE(doc.AddPol());
  EXPECT_EQ(Maze().Count(), 1);
  EXPECT_EQ(Maze().balllist->Count(), 1);
  // The next click on empty field adds a ball there, and so does one after a ball drag.
  Click(QPoint(300, 800));
  ASSERT_EQ(Maze().balllist->Count(), 2);
  EXPECT_EQ(doc.LastStep().name, "New Ball");
  const TBall* added = Maze().balllist->GetBall(1);
  EXPECT_NEAR(added->matrix.mat[0][2], (300 - 510) / 200.0, 1e-12);
  EXPECT_NEAR(added->matrix.mat[1][2], (220 - 510) / 200.0, 1e-12);
  EXPECT_EQ(added->Size(), 0.03);
  Drag(Px(0.5, 0.5), Px(0.7, 0.1));
  EXPECT_NEAR(ball->matrix.mat[0][2], 0.7, 1e-12);
  EXPECT_NEAR(ball->matrix.mat[1][2], 0.1, 1e-12);
  EXPECT_TRUE(doc.DoBall());
  Click(QPoint(800, 900));
  EXPECT_EQ(Maze().balllist->Count(), 3);
}

TEST_F(GestureFieldTest, AClickOnEmptyFieldWithoutAToolChangesNothing) {
  OpenWith({{-1, -1}, {-1, 1}, {1, 1}});
  Maze().AddBall(0.5, -0.5, -1);
  doc.Redraw();
  const QImage picture = Picture();
  const std::string bytes = doc.CleanCollection();
  const int steps = doc.StepCount();
  const TPolygon* selected = doc.Polygon();
  Click(Px(1.5, -1.5));
  EXPECT_EQ(Picture(), picture);
  EXPECT_EQ(doc.CleanCollection(), bytes);
  EXPECT_EQ(doc.StepCount(), steps);
  EXPECT_EQ(doc.Polygon(), selected);
}

TEST_F(GestureFieldTest, ThePickSquareReachesThreePixelsAt96PpiAndEightAt240) {
  struct TCase {
    int ppi;
    int dx;  // from the pixel left of the corner, which lies half a pixel right of it
    bool picked;
  };
  const TCase cases[] = {
      {96, 3, true},  {96, -2, true},  {96, 4, false},  {96, -3, false},
      {240, 8, true}, {240, -7, true}, {240, 9, false}, {240, -8, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ppi << " ppi, " << c.dx);
    TPpiScope ppi(c.ppi);
    ASSERT_EQ(TEditDocument::PickTolerance(), c.ppi == 96 ? 3 : 8);
    // A diamond whose left corner is at image x 300.5: clicks left of it are off the edges.
    TPolygon* p = OpenWith({{(300.5 - 510) / 200, 0}, {-0.5, 0.5}, {0, 0}, {-0.5, -0.5}});
    TSide* left = p->GetSide(0);
    doc.SetPolygon(nullptr);
    Click(QPoint(300 + c.dx, 510));
    EXPECT_EQ(doc.Side() == left, c.picked);
  }
}

}  // namespace
