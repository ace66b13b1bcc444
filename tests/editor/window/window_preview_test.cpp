// The play field during a drag, pixel by pixel: the picture is the one before the press plus
// the preview and nothing else, and a drag that ends where it began gives the picture back.
// Also the buttons (a second one changes nothing, a release outside counts at the last point
// inside) and the cursor.
#include <QCursor>
#include <cmath>
#include <numbers>

#include "playfield_fixture.h"
#include "qt_canvas.h"

// A 12-cornered wall, a ball and a square turning about its middle, on a dark grey field.
class PreviewFixture : public PlayFieldTest {
 protected:
  void Scene() {
    auto l = std::make_unique<TMazeList>();
    auto m = EmptyMaze("Field");
    m->outcolor = 0x303030;
    auto wall = TPolygon::CreateCircle(-0.6, 0.2, 0.5, 0.35, 0.3, 12, 0x00FFFF00);
    wall->SetColor(0x00FFFF00);
    wall->fillcolor = 0x00402000;
    wall->width = 2;
    m->AddPolygon(std::move(wall));
    TPolygon* square = AddSquare(*m, 1, -0.5, 0.3, 0x000080FF);
    auto r = std::make_unique<TRotate>();
    r->refpt.x = 1;
    r->refpt.y = -0.5;
    square->TrafList()->AddTraf(std::move(r));
    m->AddBall(0.6, 0.9, 0x0000FF);
    l->Add(std::move(m));
    Open(std::move(l));
  }
};

namespace {

// The pixels where two pictures differ.
std::vector<QPoint> Differences(const QImage& a, const QImage& b) {
  std::vector<QPoint> d;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) d.emplace_back(x, y);
    }
  }
  return d;
}

using PixelTest = PreviewFixture;

// The preview of a corner or polygon drag as the drag's own points say it should look: the
// outline through them in the pen mode NotXor, drawn on a copy of the picture before.
QImage WithOutline(const QImage& before, const TEditDocument& doc, bool corner, bool open) {
  QImage copy = before;
  TQtCanvas cv(copy);
  cv.Pen.Mode = TPenMode::pmNotXor;
  cv.Pen.Color = doc.Polygon()->Color();
  cv.Pen.Width = 1;
  std::vector<TPoint> pts;
  for (TDPoint p : doc.DragPoints()) {
    doc.DragMat().Transform(p.x, p.y);
    pts.push_back(
        TPoint{static_cast<int>(std::nearbyint(p.x)), static_cast<int>(std::nearbyint(p.y))});
  }
  cv.MoveTo(pts[0].X, pts[0].Y);
  for (std::size_t i = 1; i < pts.size(); ++i) cv.LineTo(pts[i].X, pts[i].Y);
  if (!corner && !open) cv.LineTo(pts[0].X, pts[0].Y);
  return copy;
}

TEST_F(PixelTest, DuringADragOnlyThePreviewDiffersAndBackAtTheStartNothingDoes) {
  struct TCase {
    const char* what;
    TDragType type;
    bool shift;
    int target;  // 0: a corner of the wall, 1: the ball, 2: the rotation's centre
  };
  const TCase cases[] = {
      {"corner", dt_translate, false, 0}, {"polygon", dt_translate, true, 0},
      {"size", dt_size, false, 0},        {"rotation", dt_rotate, false, 0},
      {"ball", dt_translate, false, 1},   {"reference point", dt_rotate, false, 2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    Scene();
    TPolygon* wall = Maze().GetPolygon(0);
    TBall* ball = Maze().balllist->GetBall(0);
    // Selected beforehand, so that the press changes no highlight.
    QPoint from;
    if (c.target == 0) {
      doc.SetPolygon(wall);
      doc.SetSide(wall->GetSide(4));
      from = Px(wall->GetSide(4)->x(), wall->GetSide(4)->y());
    } else if (c.target == 1) {
      doc.SetBall(ball);
      from = Px(0.6, 0.9) + QPoint(1, 1);
    } else {
      doc.SetPolygon(Maze().GetPolygon(1));
      from = Px(1, -0.5);
    }
    doc.SetDragType(c.type);
    doc.Redraw();
    const QImage before = Picture();
    const std::string bytes = doc.CleanCollection();

    Press(from, c.shift ? Qt::ShiftModifier : Qt::NoModifier);
    ASSERT_TRUE(doc.Dragging());
    // Round a loop of 24 points, 40 pixels across, and back to the press point.
    for (int k = 1; k <= 24; ++k) {
      const double a = 2 * std::numbers::pi * k / 24;
      const QPoint at = from + QPoint(static_cast<int>(std::lround(40 * std::sin(a))),
                                      static_cast<int>(std::lround(20 - 20 * std::cos(a))));
      Move(at);
      if (c.target == 0) {
        const QImage want = WithOutline(before, doc, c.type == dt_translate && !c.shift, false);
        ASSERT_NE(want, before) << "move " << k << ": the outline shows";
        ASSERT_EQ(Picture(), want) << "move " << k;
      } else {
        // The ball's ring (radius 6 pixels) or the cross (4 pixels) round the mouse.
        const int reach = c.target == 1 ? 8 : 4;
        const std::vector<QPoint> d = Differences(before, Picture());
        ASSERT_FALSE(d.empty()) << "move " << k;
        for (const QPoint& p : d) {
          ASSERT_LE(std::abs(p.x() - at.x()), reach) << "move " << k;
          ASSERT_LE(std::abs(p.y() - at.y()), reach) << "move " << k;
        }
      }
    }
    Release(from);
    EXPECT_FALSE(doc.Dragging());
    EXPECT_EQ(doc.CleanCollection(), bytes);
    EXPECT_TRUE(Picture() == before) << Differences(before, Picture()).size() << " pixels differ";
  }
}

using ButtonsTest = PreviewFixture;

TEST_F(ButtonsTest, ASecondButtonChangesNothingAndAReleaseOutsideCountsAtTheLastPointInside) {
  TPolygon* p = OpenWith({{0, 0}, {0, 0.5}, {0.5, 0.5}, {0.5, 0}});
  Maze().AddBall(-1, -1, -1);
  TSide* s = p->GetSide(2);
  const QPoint from = Px(0.5, 0.5);
  Press(from);
  Move(from + QPoint(20, 0));
  Press(Px(-1, -1), Qt::NoModifier, Qt::RightButton);  // on the ball
  EXPECT_TRUE(doc.Dragging());
  EXPECT_EQ(doc.Ball(), nullptr);
  Move(from + QPoint(30, 10));
  Release(from + QPoint(30, 10), Qt::NoModifier, Qt::RightButton);
  EXPECT_TRUE(doc.Dragging()) << "the left button is still down";
  const QPoint last = from + QPoint(40, -20);
  Move(last);
  Move(QPoint(kSide + 15, last.y()));  // out to the right
  Release(QPoint(kSide + 40, last.y() + 9));
  EXPECT_FALSE(doc.Dragging());
  EXPECT_EQ(doc.LastStep().name, "Move Point");
  EXPECT_NEAR(s->x(), (last.x() - 510) / 200.0, 1e-12);
  EXPECT_NEAR(s->y(), (510 - last.y()) / 200.0, 1e-12);

  // A press with the drag's release lost (the mouse was taken elsewhere): the old drag ends
  // where it was last seen, then the press acts.
  Press(Px(s->x(), s->y()));
  Move(last + QPoint(0, 30));
  QMouseEvent lost(QEvent::MouseButtonPress, QPointF(Px(-1, -1)), field->mapToGlobal(Px(-1, -1)),
                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field.get(), &lost);
  EXPECT_NEAR(s->y(), (510 - last.y() - 30) / 200.0, 1e-12);
  EXPECT_EQ(doc.Ball(), Maze().balllist->GetBall(0)) << "the new press took the ball";
  Release(Px(-1, -1));
}

using CursorTest = PreviewFixture;

TEST_F(CursorTest, TheCursorShowsWhatAPressWouldDo) {
  Scene();
  const TPolygon* wall = Maze().GetPolygon(0);
  const QPoint corner = Px(wall->GetSide(4)->x(), wall->GetSide(4)->y());
  const QPoint edge = Px(1.3, -0.5);  // the square's right edge
  struct TCase {
    const char* what;
    TDragType type;
    Qt::KeyboardModifiers mods;
    QPoint at;
    Qt::CursorShape shape;  // Qt::BitmapCursor: one painted by the editor
  };
  const TCase cases[] = {
      {"corner", dt_translate, Qt::NoModifier, corner, Qt::CrossCursor},
      {"edge", dt_translate, Qt::NoModifier, edge, Qt::BitmapCursor},
      {"Shift", dt_translate, Qt::ShiftModifier, corner, Qt::SizeAllCursor},
      {"size", dt_size, Qt::NoModifier, edge, Qt::SizeHorCursor},
      {"rotate", dt_rotate, Qt::NoModifier, corner, Qt::BitmapCursor},
      {"ball", dt_size, Qt::NoModifier, Px(0.6, 0.9), Qt::OpenHandCursor},
      {"centre", dt_translate, Qt::NoModifier, Px(1, -0.5), Qt::PointingHandCursor},
      {"nothing", dt_translate, Qt::NoModifier, QPoint(500, 900), Qt::ArrowCursor},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    doc.SetDragType(c.type);
    Hover(c.at, c.mods);
    EXPECT_EQ(field->cursor().shape(), c.shape);
  }
  doc.sBallClick();
  Hover(QPoint(500, 900) + QPoint(1, 0));
  EXPECT_EQ(field->CursorShown(), TEditCursor::Add);
  Press(Px(0.6, 0.9));
  EXPECT_EQ(field->cursor().shape(), Qt::ClosedHandCursor) << "while the ball is dragged";
  Move(Px(0.6, 0.9) + QPoint(10, 10));
  EXPECT_EQ(field->cursor().shape(), Qt::ClosedHandCursor);
  Release(Px(0.6, 0.9) + QPoint(10, 10));
  EXPECT_EQ(field->cursor().shape(), Qt::OpenHandCursor) << "over the ball where it landed";
}

}  // namespace
