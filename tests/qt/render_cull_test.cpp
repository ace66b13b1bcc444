// The play view skips polygons that lie wholly outside the window. The skip must not change a
// single pixel: the same frame is painted with and without it into real images and compared.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <memory>
#include <string>

#include "../../tools/stress_maze.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_rocket.h"
#include "gx_rotate.h"
#include "gx_traflist.h"
#include "gx_trans.h"
#include "qt_canvas.h"
#include "recording_canvas.h"

namespace {

constexpr int kW = 1920;
constexpr int kH = 1080;

// Text needs an application object; the test program may or may not have made one.
void EnsureApp() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "render_cull_test";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

// The main window's viewports for a zoom of target pixels per rocket length.
void MapLikeTheWindow(TMaze& maze, int target, TDRect& playvp, TDRect& mapvp) {
  mapvp = TDRect{static_cast<double>(kW * 6 / 7), static_cast<double>(kW - 10),
                 static_cast<double>(kH - kW / 7), static_cast<double>(kH - 10)};
  const double scale = target / maze.Rocket()->sx;
  maze.GetExtent();
  const TDRect e = maze.extent;
  const double cx = (e.x1 + e.x2) / 2;
  const double cy = (e.y1 + e.y2) / 2;
  playvp = TDRect{(e.x1 - cx) * scale + kW / 2.0, (e.x2 - cx) * scale + kW / 2.0,
                  (e.y1 - cy) * scale + kH / 2.0, (e.y2 - cy) * scale + kH / 2.0};
}

// One frame as the main window paints it: play view with score, then the overview map.
QImage PaintFrame(TMaze& maze, int target, bool cull) {
  TDRect playvp, mapvp;
  MapLikeTheWindow(maze, target, playvp, mapvp);
  TFixedControl control(kW, kH);
  TQtCanvas cv(kW, kH, clBlack);
  cv.Font.Name = "MS Sans Serif";
  cv.Font.Size = 14;
  cv.Font.Bold = true;
  cv.Font.Italic = true;
  maze.FCullHidden = cull;
  {
    TQtPaintScope scope(cv);
    const tmat2d m;
    maze.MapToViewport(playvp, true, true);
    maze.Draw(control, cv, m, 0, true, true, false);
    maze.MapToViewport(mapvp, true, false);
    maze.DrawSpot(control, cv, m, 3);
  }
  maze.FCullHidden = true;
  return cv.Image().copy();
}

int DifferentPixels(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  }
  return n;
}

int PolygonsDrawn(TMaze& maze, int target, bool cull) {
  TDRect playvp, mapvp;
  MapLikeTheWindow(maze, target, playvp, mapvp);
  TFixedControl control(kW, kH);
  TRecordingCanvas cv;
  maze.FCullHidden = cull;
  maze.MapToViewport(playvp, true, true);
  maze.Draw(control, cv, tmat2d(), 0, false, false, false);
  maze.FCullHidden = true;
  return static_cast<int>(cv.CallsOf("Polygon").size());
}

struct StressFixture : ::testing::Test {
  void SetUp() override {
    EnsureApp();
    maze = MakeStressMaze();
    maze->SetRocket(&rocket);
    maze->reset();
    maze->SetMsgLine("Press F1 for Help");
    // Some ticks of animation, so that turning, pulsing and sliding polygons are mid-way.
    for (int t = 1; t <= 17; ++t) maze->TDrawList::Execute(t);
  }
  std::unique_ptr<TMaze> maze;
  TRocket rocket;
};

TEST_F(StressFixture, SkippingHiddenPolygonsLeavesTheFrameIdentical) {
  const TDRect e = maze->extent;
  struct Case {
    const char* name;
    int target;
    double px, py;  // rocket position; NaN keeps the start
  };
  const Case cases[] = {
      {"start, default zoom", 25, NAN, NAN},
      {"start, zoomed out", 5, NAN, NAN},
      {"start, zoomed in", 60, NAN, NAN},
      {"bottom-left corner", 25, e.x1 + 0.2, e.y1 + 0.2},
      {"beyond the top-right corner", 10, e.x2 + 3, e.y2 + 2},
      {"on a cell edge", 25, 10.0, 7.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!std::isnan(c.px)) {
      rocket.Force()->SetPx(c.px);
      rocket.Force()->SetPy(c.py);
    }
    const QImage culled = PaintFrame(*maze, c.target, true);
    const QImage full = PaintFrame(*maze, c.target, false);
    ASSERT_EQ(culled.size(), full.size());
    EXPECT_EQ(DifferentPixels(culled, full), 0);
  }
}

TEST_F(StressFixture, TheSkipActuallySkipsAtPlayingZoom) {
  // Otherwise the comparison above would prove nothing.
  const int all = PolygonsDrawn(*maze, 25, false);
  const int shown = PolygonsDrawn(*maze, 25, true);
  EXPECT_GT(all, 2000);  // 2000 walls and 200 balls
  EXPECT_LT(shown, all / 2);
  EXPECT_GT(shown, 200);
}

// The editor draws with corner handles and reference points, through its view matrix (here
// 200 pixels per maze unit, centred on (cx, cy)).
QImage PaintEditorView(TMaze& maze, double cx, double cy, bool cull) {
  TFixedControl control(kW, kH);
  TQtCanvas cv(kW, kH, clBlack);
  maze.FCullHidden = cull;
  maze.matrix = tmat2d();
  maze.matrix.mat[0][0] = maze.matrix.mat[1][1] = 200;
  maze.matrix.mat[0][2] = kW / 2.0 - 200 * cx;
  maze.matrix.mat[1][2] = kH / 2.0 - 200 * cy;
  {
    TQtPaintScope scope(cv);
    maze.Draw(control, cv, tmat2d(), 0, false, false, true);
  }
  maze.FCullHidden = true;
  return cv.Image().copy();
}

TEST_F(StressFixture, TheEditorsPictureIsIdenticalWithHandlesAndReferencePointsSkipped) {
  // Far polygons whose only visible part is a reference point: a rotation about a point in
  // view, the end of a translation in view, with a wide pen for the markers.
  auto far = [&](double x, double y) {
    auto p = TPolygon::CreateCircle(x, y, 0.2, 0.2, 0, 6, 0x00FF00);
    p->SetColor(0x00FF00);
    p->width = 7;
    return p;
  };
  auto turning = far(40, 3);
  auto r = std::make_unique<TRotate>();
  r->init(0, 25.4, 21.3, 50);
  turning->TrafList()->AddTraf(std::move(r));
  maze->AddPolygon(std::move(turning));
  auto sliding = far(2, 40);
  auto t = std::make_unique<TTrans>();
  t->SetRx(2);
  t->SetRy(40);
  t->x1 = 23.1 - 2;
  t->y1 = 20.6 - 40;
  sliding->TrafList()->AddTraf(std::move(t));
  maze->AddPolygon(std::move(sliding));
  const double views[][2] = {{25, 21}, {0.4, 0.3}, {49.8, 39.6}, {24.7, 20.9}, {-3, -2}};
  for (const auto& v : views) {
    SCOPED_TRACE(std::to_string(v[0]) + ", " + std::to_string(v[1]));
    EXPECT_EQ(DifferentPixels(PaintEditorView(*maze, v[0], v[1], true),
                              PaintEditorView(*maze, v[0], v[1], false)),
              0);
  }
  // And the skip is real: the view shows a few cells of the grid.
  TRecordingCanvas rec;
  TFixedControl control(kW, kH);
  maze->matrix = tmat2d();
  maze->matrix.mat[0][0] = maze->matrix.mat[1][1] = 200;
  maze->Draw(control, rec, tmat2d(), 0, false, false, true);
  EXPECT_LT(rec.CallsOf("Polygon").size(), 400u);
}

TEST(RenderCull, WidePensJustOutsideTheEdgesStillReachIn) {
  // Walls whose corners lie a few pixels outside each edge of the window, drawn with wide
  // pens: the part of the pen that reaches into the window must still be painted.
  EnsureApp();
  TMaze maze;
  maze.outcolor = 0x202020;
  auto wall = [&](double x1, double y1, double x2, double y2, int width) {
    auto p = std::make_unique<TPolygon>();
    p->SetColor(0x00C0FF);
    p->fillcolor = 0x0000FF;
    p->width = width;
    p->AddSide(x1, y1, st_normal, 0x00C0FF);
    p->AddSide(x1, y2, st_normal, 0x00C0FF);
    p->AddSide(x2, y2, st_landing, 0xFFFF00);
    p->AddSide(x2, y1, st_normal, 0x00C0FF);
    maze.AddPolygon(std::move(p));
  };
  // Maze units are pixels here (identity mapping below); y counts up from the bottom.
  for (int width : {1, 2, 5, 9}) {
    const double d = 1 + width / 3.0;        // just beyond the edge
    wall(-40, 100, -d, 200, width);          // left of the window
    wall(kW + d, 100, kW + 40, 200, width);  // right
    wall(300, kH + d, 400, kH + 40, width);  // above the top
    wall(300, -40, 400, -d, width);          // below the bottom
  }
  TFixedControl control(kW, kH);
  auto paint = [&](bool cull) {
    TQtCanvas cv(kW, kH, clBlack);
    maze.FCullHidden = cull;
    maze.matrix = tmat2d();
    maze.Draw(control, cv, tmat2d(), 0, false, false, false);
    return cv.Image().copy();
  };
  const QImage culled = paint(true);
  const QImage full = paint(false);
  EXPECT_EQ(DifferentPixels(culled, full), 0);
}

}  // namespace
