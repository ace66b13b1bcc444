// Zoom and pan with real events: the wheel zooms about the pointer, the middle button and
// Space with the left one pan, the View menu's shortcuts, and the zoom in the left column.
#include <QLabel>
#include <QWheelEvent>

#include "gx_edithistory.h"
#include "playfield_fixture.h"
#include "window_fixture.h"

namespace {

using PlayFieldZoomTest = PlayFieldTest;

void Wheel(QWidget* w, QPoint at, int delta) {
  QWheelEvent e(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

TEST_F(PlayFieldZoomTest, TheWheelZoomsAboutThePointerANotchALevelFineWheelsAddUp) {
  Open(TwoCaves());
  const QPoint at(300, 700);
  const TDPoint under = doc.ImageToModel(at.x(), kSide - at.y());
  Wheel(field.get(), at, 120);
  EXPECT_DOUBLE_EQ(doc.View().Zoom(), std::exp2(0.25));
  Wheel(field.get(), at, 240);
  EXPECT_DOUBLE_EQ(doc.View().Zoom(), std::exp2(0.75));
  for (int k = 0; k < 3; ++k) Wheel(field.get(), at, 40);  // a wheel that turns finely
  EXPECT_DOUBLE_EQ(doc.View().Zoom(), 2);
  double x = under.x, y = under.y;
  doc.M2I().Transform(x, y);
  EXPECT_NEAR(x, at.x(), 1e-9);
  EXPECT_NEAR(kSide - y, at.y(), 1e-9);
  Wheel(field.get(), at, -480);
  EXPECT_DOUBLE_EQ(doc.View().Zoom(), 1);
}

TEST_F(PlayFieldZoomTest, TheMiddleButtonAndSpaceWithTheLeftOnePanAndEditNothing) {
  Open(TwoCaves());
  const std::string bytes = doc.CleanCollection();
  const QPoint corner = Px(-0.8, -0.8);
  Drag(corner, corner + QPoint(40, -20), Qt::NoModifier, 4);  // the left button drags it
  ASSERT_EQ(doc.StepCount(), 1);
  const TDPoint moved{Maze().GetPolygon(0)->GetSide(2)->x(), Maze().GetPolygon(0)->GetSide(2)->y()};
  const std::string dragged = doc.CleanCollection();
  EXPECT_NE(dragged, bytes);
  // The middle button on the corner pans instead.
  const QPoint at = Px(moved.x, moved.y);
  Press(at, Qt::NoModifier, Qt::MiddleButton);
  EXPECT_TRUE(doc.Panning());
  Move(at + QPoint(30, 10));
  Release(at + QPoint(30, 10), Qt::NoModifier, Qt::MiddleButton);
  EXPECT_FALSE(doc.Panning());
  EXPECT_EQ(doc.StepCount(), 1);
  EXPECT_EQ(doc.CleanCollection(), dragged);
  const TDPoint image = Image(*Maze().GetPolygon(0)->GetSide(2));
  EXPECT_NEAR(image.x, at.x() + 30, 0.5 + 1e-9);
  EXPECT_NEAR(kSide - image.y, at.y() + 10, 0.5 + 1e-9);
  // Space held with the focus on the field: the left button pans too.
  field->setFocus();
  QTest::keyPress(field.get(), Qt::Key_Space);
  const QPoint from = Px(0.5, 0.5);
  Drag(from, from + QPoint(-25, 15), Qt::NoModifier, 3);
  QTest::keyRelease(field.get(), Qt::Key_Space);
  EXPECT_EQ(doc.StepCount(), 1);
  const TDPoint image2 = Image(*Maze().GetPolygon(0)->GetSide(2));
  EXPECT_NEAR(image2.x - image.x, -25, 1e-9);
  EXPECT_NEAR(image2.y - image.y, -15, 1e-9);
  // Space let go, the left button edits again.
  const TDPoint third = Image(*Maze().GetPolygon(2)->GetSide(2));
  const QPoint grab(static_cast<int>(std::lround(third.x)),
                    static_cast<int>(std::lround(kSide - third.y)));
  Drag(grab, grab + QPoint(5, 5), Qt::NoModifier, 2);
  EXPECT_EQ(doc.StepCount(), 2);
}

using WindowZoomTest = EditWindowTest;

TEST_F(WindowZoomTest, TheViewMenusShortcutsZoomFitAndGoBackAndTheColumnShowsThePercent) {
  QWidget* w = editor->PlayField;
  w->setFocus();
  EXPECT_TRUE(Doc().View().IsDesignView());
  EXPECT_EQ(editor->lZoom->text(), "Zoom 100 %");
  QTest::keyClick(w, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(Doc().View().Zoom(), std::exp2(0.25));
  EXPECT_EQ(editor->lZoom->text(), "Zoom 119 %");
  QTest::keyClick(w, Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(Doc().View().Zoom(), std::exp2(0.5));
  QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(Doc().View().Zoom(), std::exp2(-0.25));
  EXPECT_EQ(editor->lZoom->text(), "Zoom 84 %");
  QTest::keyClick(w, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(Doc().View().Mode(), TEditView::TMode::Fit);
  EXPECT_EQ(editor->lZoom->text(), QStringLiteral("Zoom %1 %").arg(Doc().View().ZoomPercent()));
  QTest::keyClick(w, Qt::Key_1, Qt::ControlModifier);
  EXPECT_TRUE(Doc().View().IsDesignView());
  EXPECT_EQ(editor->lZoom->text(), "Zoom 100 %");
  EXPECT_EQ(Doc().StepCount(), 0);
  EXPECT_EQ(editor->History().Stack().count(), 0);
}

}  // namespace
