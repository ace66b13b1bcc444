#pragma once
// The play field alone, 1020 x 1020 pixels (200 pixels per model unit, the model origin at
// pixel (510, 510)), shown offscreen with a document on it, driven with real mouse events.
#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <memory>

#include "../edit_fixture.h"
#include "gx_playfield.h"
#include "window_fixture.h"

class PlayFieldTest : public ::testing::Test {
 protected:
  static constexpr int kSide = 1020;

  void SetUp() override {
    WindowTestApp();
    SetProgramFilePath("/proc/self/exe");
    field = std::make_unique<TEditPlayField>();
    field->resize(kSide, kSide);
    field->SetDocument(&doc);
    field->OnResized = [this] { doc.Redraw(); };
    doc.SetSurface(field.get());
    field->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(field.get()));
    ASSERT_EQ(field->width(), kSide);
    ASSERT_EQ(field->height(), kSide);
  }
  void TearDown() override {
    doc.SetSurface(nullptr);
    field->SetDocument(nullptr);
    field.reset();
  }

  void Open(std::unique_ptr<TMazeList> l) {
    std::unique_ptr<TMazeList> before = std::move(list);
    list = std::move(l);
    doc.SetMazeList(list.get());
  }
  // One maze holding the polygon given, nothing else.
  TPolygon* OpenWith(TCorners corners, bool open = false) {
    auto l = std::make_unique<TMazeList>();
    auto m = EmptyMaze("Field");
    TPolygon* p = AddPolygon(*m, corners);
    p->open = open;
    l->Add(std::move(m));
    Open(std::move(l));
    return p;
  }
  TMaze& Maze() const { return *list->GetMaze(0); }

  // The pixel (y down) nearest to a model point, and the image point (y up) of a model point.
  static QPoint Px(double x, double y) {
    return QPoint(static_cast<int>(std::lround(510 + 200 * x)),
                  static_cast<int>(std::lround(510 - 200 * y)));
  }
  TDPoint Image(const TSide& s) const {
    double x = s.x(), y = s.y();
    doc.M2I().Transform(x, y);
    return TDPoint{x, y};
  }

  void Press(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier,
             Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(field.get(), b, mods, p);
  }
  void Move(QPoint p) { QTest::mouseMove(field.get(), p); }
  void Release(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier,
               Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseRelease(field.get(), b, mods, p);
  }
  void Click(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Press(p, mods);
    Release(p, mods);
  }
  // Press, `steps` moves along the way, release.
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier, int steps = 5) {
    Press(from, mods);
    for (int k = 1; k <= steps; ++k) Move(from + (to - from) * k / steps);
    Release(to, mods);
  }
  // A move with no button down, as the mouse passes over the field.
  void Hover(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(QEvent::MouseMove, p, field->mapToGlobal(p), Qt::NoButton, Qt::NoButton, mods);
    QApplication::sendEvent(field.get(), &e);
  }
  const QImage& Picture() const { return field->Image(); }

  TRecordingDialogs dialogs{mrYes};
  std::unique_ptr<TMazeList> list;
  TEditDocument doc{dialogs};
  std::unique_ptr<TEditPlayField> field;
};

// Screen pixels per inch for one test.
class TPpiScope {
 public:
  explicit TPpiScope(int ppi) { SetScreenPixelsPerInch(ppi); }
  ~TPpiScope() { SetScreenPixelsPerInch(96); }
  TPpiScope(const TPpiScope&) = delete;
  TPpiScope& operator=(const TPpiScope&) = delete;
};
