// Drawing of a maze, checked on a recording canvas: the viewport mapping, the layers of the
// play view, the overview map, the score lines and the status bars.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "gx_ball.h"
#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_rocket.h"
#include "recording_canvas.h"

namespace {

constexpr TColor kOut = 0x112233;
constexpr TColor kWall = 0xC0C0C0;
constexpr TColor kLand = 0x00FFFF;
constexpr TColor kBall = 0x0000FF;
constexpr TColor kRocket = 0x00FF00;

std::unique_ptr<TPolygon> Box(double x1, double y1, double x2, double y2, TColor c) {
  auto p = std::make_unique<TPolygon>();
  p->SetColor(c);
  p->fillcolor = 0x404040;
  p->AddSide(x1, y1, st_normal, c);
  p->AddSide(x1, y2, st_normal, c);
  p->AddSide(x2, y2, st_normal, c);
  p->AddSide(x2, y1, st_normal, c);
  return p;
}

// A cave 4 x 2.5 units: a floor slab whose top edge is the start zone, a ceiling slab and one
// ball; the rocket stands on the floor at x = 0.
struct RenderFixture : ::testing::Test {
  RenderFixture() : control(640, 480) {
    maze.outcolor = kOut;
    auto floor = Box(-2, -0.5, 2, 0, kWall);
    TPolygon* fl = floor.get();
    maze.AddPolygon(std::move(floor));
    maze.AddPolygon(Box(-2, 1.5, 2, 2, kWall));
    maze.SetStart(TMaze::SideRect(*fl, *fl->GetSide(2)));
    ball = maze.AddBall(0, 0.8, kBall);
    maze.SetTickUnit(50);
    maze.SetRocket(&rocket);
    maze.reset();
  }

  // Index of the first recorded call with this op and pen colour, or -1.
  int First(const std::string& op, TColor pen) const {
    for (std::size_t i = 0; i < cv.calls.size(); ++i) {
      if (cv.calls[i].op == op && cv.calls[i].pen.Color == pen) return static_cast<int>(i);
    }
    return -1;
  }
  int FirstOp(const std::string& op) const {
    for (std::size_t i = 0; i < cv.calls.size(); ++i) {
      if (cv.calls[i].op == op) return static_cast<int>(i);
    }
    return -1;
  }

  TFixedControl control;
  TRecordingCanvas cv;
  TMaze maze;
  TRocket rocket;
  TBall* ball = nullptr;
};

// --- mapping -----------------------------------------------------------------------------

struct MapCase {
  const char* name;
  bool keepaspect;
  double kx, ky, tx, ty;
};

TEST(MapToViewport, EmptyMazeFillsViewportWithDefaultExtent) {
  // Without polygons the extent is (-1, 1, -1, 1); vp is 100 x 50 pixels.
  const MapCase cases[] = {
      {"keep aspect", true, 25, 25, 50, 25},
      {"stretch", false, 50, 25, 50, 25},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMaze maze;
    maze.MapToViewport(TDRect{0, 100, 0, 50}, c.keepaspect, false);
    EXPECT_DOUBLE_EQ(maze.matrix.mat[0][0], c.kx);
    EXPECT_DOUBLE_EQ(maze.matrix.mat[1][1], c.ky);
    EXPECT_DOUBLE_EQ(maze.matrix.mat[0][2], c.tx);
    EXPECT_DOUBLE_EQ(maze.matrix.mat[1][2], c.ty);
    EXPECT_DOUBLE_EQ(maze.matrix.mat[0][1], 0);
    EXPECT_DOUBLE_EQ(maze.matrix.mat[1][0], 0);
    EXPECT_DOUBLE_EQ(maze.extent.x1, -1);
    EXPECT_DOUBLE_EQ(maze.extent.y2, 1);
  }
}

TEST(MapToViewport, RecomputesExtentAndCentresTheMaze) {
  TMaze maze;
  maze.AddPolygon(Box(2, 10, 6, 12, kWall));   // centre (4, 11), 4 x 2 units
  maze.extent = TDRect{-100, 100, -100, 100};  // stale: the mapping must recompute it
  maze.MapToViewport(TDRect{10, 210, 20, 120}, true, false);
  EXPECT_DOUBLE_EQ(maze.matrix.mat[0][0], 50);
  EXPECT_DOUBLE_EQ(maze.matrix.mat[1][1], 50);
  double x = 4, y = 11;
  maze.matrix.Transform(x, y);
  EXPECT_DOUBLE_EQ(x, 110);
  EXPECT_DOUBLE_EQ(y, 70);
}

TEST(MapToViewport, DegenerateExtentIsMappedWithFiniteScale) {
  // Corners on one vertical line, on one horizontal line, or all on one point: the flat
  // direction takes the other direction's scale (one pixel per unit for a point), and the
  // middle of the maze still lands in the middle of the viewport.
  struct Case {
    const char* name;
    std::vector<std::pair<double, double>> corners;
    TDRect vp;
    double k;
    double cx, cy;
  };
  const Case cases[] = {
      {"vertical line", {{0, 0}, {0, 2}, {0, 1}}, {0, 100, 0, 50}, 25, 0, 1},
      {"horizontal line", {{-1, 3}, {3, 3}}, {0, 100, 0, 100}, 25, 1, 3},
      {"single point", {{5, 5}, {5, 5}}, {-20, 20, 0, 30}, 1, 5, 5},
  };
  for (const auto& c : cases) {
    for (bool keep : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (keep ? " keep" : " stretch"));
      TMaze maze;
      auto p = std::make_unique<TPolygon>();
      for (auto [x, y] : c.corners) p->AddSide(x, y, st_normal, kWall);
      maze.AddPolygon(std::move(p));
      const TDRect& vp = c.vp;
      maze.MapToViewport(vp, keep, false);
      for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) EXPECT_TRUE(std::isfinite(maze.matrix.mat[i][j]));
      }
      EXPECT_DOUBLE_EQ(maze.matrix.mat[0][0], c.k);
      EXPECT_DOUBLE_EQ(maze.matrix.mat[1][1], c.k);
      double x = c.cx, y = c.cy;
      maze.matrix.Transform(x, y);
      EXPECT_DOUBLE_EQ(x, (vp.x1 + vp.x2) / 2);
      EXPECT_DOUBLE_EQ(y, (vp.y1 + vp.y2) / 2);
    }
  }
}

TEST_F(RenderFixture, RocketCenterPutsTheRocketInTheMiddleAtAnyZoom) {
  rocket.Force()->SetPx(1.25);
  rocket.Force()->SetPy(0.4);
  const TDRect vps[] = {{0, 640, 0, 480}, {-300, 900, 100, 400}, {10, 20, 30, 35}};
  for (const auto& vp : vps) {
    for (bool keep : {true, false}) {
      maze.MapToViewport(vp, keep, true);
      double x = 1.25, y = 0.4;
      maze.matrix.Transform(x, y);
      EXPECT_NEAR(x, (vp.x1 + vp.x2) / 2, 1e-9);
      EXPECT_NEAR(y, (vp.y1 + vp.y2) / 2, 1e-9);
    }
  }
  // The zoom is the same as without following the rocket.
  maze.MapToViewport(vps[1], true, false);
  const double k = maze.matrix.mat[0][0];
  maze.MapToViewport(vps[1], true, true);
  EXPECT_DOUBLE_EQ(maze.matrix.mat[0][0], k);
}

// --- play view ---------------------------------------------------------------------------

TEST_F(RenderFixture, PlayViewPaintsItsLayersBackToFront) {
  auto bullet = std::make_unique<TBullit>();
  bullet->SetX(0.5);
  bullet->SetY(0.5);
  bullet->LifeTime = 10;
  maze.bullitlist->AddBullit(std::move(bullet));
  maze.MapToViewport(TDRect{0, 640, 0, 480}, true, false);
  cv.Pen.Mode = TPenMode::pmXor;  // whatever the caller left, the maze draws in copy mode
  maze.Draw(control, cv, tmat2d(), 0, true, true, false);

  ASSERT_FALSE(cv.calls.empty());
  const TCanvasCall& bg = cv.calls[0];
  EXPECT_EQ(bg.Describe(), "Rectangle 0 0 640 480");
  EXPECT_EQ(bg.pen.Style, TPenStyle::psClear);
  EXPECT_EQ(bg.brush.Color, kOut);
  EXPECT_EQ(bg.brush.Style, bsSolid);

  const int wall = First("Polygon", kWall);
  const int ballAt = First("Polygon", kBall);
  int rocketAt = First("Polyline", kRocket);
  if (rocketAt < 0) rocketAt = First("Polygon", kRocket);
  const int bulletAt = FirstOp("SetPixel");
  const int text = FirstOp("TextOut");
  ASSERT_GE(wall, 1);
  ASSERT_GE(bulletAt, 0);
  ASSERT_GE(ballAt, 0);
  ASSERT_GE(rocketAt, 0);
  ASSERT_GE(text, 0);
  EXPECT_LT(wall, ballAt);
  EXPECT_LT(ballAt, rocketAt);
  EXPECT_LT(rocketAt, bulletAt);
  EXPECT_LT(bulletAt, text);
  for (std::size_t i = 1; i < cv.calls.size(); ++i) {
    EXPECT_EQ(cv.calls[i].pen.Mode, TPenMode::pmCopy) << cv.calls[i].Describe();
  }
  // The status bars come with the score.
  EXPECT_GT(static_cast<int>(cv.CallsOf("FillRect").size()), 0);
}

TEST_F(RenderFixture, PlayViewLeavesOutWhatTheCallerDoesNotAskFor) {
  maze.MapToViewport(TDRect{0, 640, 0, 480}, true, false);
  int dummy = 0;
  maze.bkgrnd = &dummy;  // a background picture has been painted by the window
  maze.Draw(control, cv, tmat2d(), 0, false, false, false);
  EXPECT_EQ(FirstOp("Rectangle"), -1);
  EXPECT_EQ(FirstOp("TextOut"), -1);
  EXPECT_EQ(FirstOp("FillRect"), -1);
  EXPECT_EQ(First("Polyline", kRocket), -1);
  EXPECT_EQ(First("Polygon", kRocket), -1);
  EXPECT_EQ(First("Polygon", kWall), 0);
}

TEST_F(RenderFixture, PlayViewWidthOverrideAndHandlesReachEveryWall) {
  // The editor draws with handles and the thumbnails with a forced width: every polygon is
  // drawn, also one far off the control, and keeps the width it was given.
  auto far = Box(100, 100, 101, 101, 0x808080);
  TPolygon* farp = far.get();
  maze.AddPolygon(std::move(far));
  maze.MapToViewport(TDRect{0, 640, 0, 480}, true, false);
  maze.Draw(control, cv, tmat2d(), 3, false, false, false);
  EXPECT_EQ(farp->width, 3);
  EXPECT_GE(First("Polygon", 0x808080), 0);

  cv.calls.clear();
  maze.Draw(control, cv, tmat2d(), 0, false, false, true);
  EXPECT_GE(First("Polygon", 0x808080), 0);
}

TEST_F(RenderFixture, PlayViewSkipsOnlyWallsWhollyOffTheControl) {
  // 640 x 480 pixels show x from -2 to 2 and y from -0.75 to 2.25 (160 pixels a unit).
  maze.MapToViewport(TDRect{0, 640, 0, 480}, true, false);
  struct Case {
    const char* name;
    double x1, y1, x2, y2;
    bool drawn;
  };
  const Case cases[] = {
      {"far right", 5, 0, 6, 1, false},
      {"far left", -9, 0, -8, 1, false},
      {"far above", 0, 9, 1, 10, false},
      {"far below", 0, -9, 1, -8, false},
      {"inside", 0.5, 0.5, 0.6, 0.6, true},
      {"straddles the right edge", 1.9, 0, 2.5, 1, true},
      {"just beyond the edge, pen reaches in", 2.005, 0, 3, 1, true},
      {"around the whole control", -10, -10, 10, 10, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMaze m;
    m.outcolor = kOut;
    auto p = Box(c.x1, c.y1, c.x2, c.y2, 0x808080);
    p->width = 4;
    m.AddPolygon(std::move(p));
    m.matrix = maze.matrix;
    cv.calls.clear();
    m.Draw(control, cv, tmat2d(), 0, false, false, false);
    EXPECT_EQ(First("Polygon", 0x808080) >= 0, c.drawn);
    m.FCullHidden = false;
    cv.calls.clear();
    m.Draw(control, cv, tmat2d(), 0, false, false, false);
    EXPECT_GE(First("Polygon", 0x808080), 0);
  }
}

// --- overview map and single layers --------------------------------------------------------

TEST_F(RenderFixture, OverviewMapShowsWallsAndDotsOnly) {
  TBall* hidden = maze.AddBall(1, 1, 0xFF00FF);
  hidden->invisible = true;
  maze.MapToViewport(TDRect{0, 640, 0, 480}, true, false);
  maze.DrawSpot(control, cv, tmat2d(), 3);

  EXPECT_EQ(FirstOp("Rectangle"), -1);
  EXPECT_EQ(FirstOp("TextOut"), -1);
  EXPECT_EQ(cv.CallsOf("Polygon").size(), 2u);  // the walls in full, no ball outline
  const auto dots = cv.CallsOf("Ellipse");
  ASSERT_EQ(dots.size(), 2u);  // the visible ball, then the rocket; the invisible ball is not
  // The ball at (0, 0.8) maps to (320, 480 - (120 + 128)) = (320, 232): radius 3 around it.
  EXPECT_EQ(dots[0].brush.Color, kBall);
  EXPECT_EQ((dots[0].args[0] + dots[0].args[2]) / 2, 320);
  EXPECT_EQ(std::abs(dots[0].args[2] - dots[0].args[0]), 6);
  EXPECT_NEAR((dots[0].args[1] + dots[0].args[3]) / 2.0, 232, 1);
  EXPECT_EQ(std::abs(dots[1].args[2] - dots[1].args[0]), 6);
  EXPECT_EQ(dots[1].brush.Color, kRocket);
}

TEST_F(RenderFixture, SingleLayerOperations) {
  TBall* hidden = maze.AddBall(1, 1, 0xFF00FF);
  hidden->invisible = true;
  ball->width = 5;
  maze.MapToViewport(TDRect{0, 640, 0, 480}, true, false);

  maze.DrawBalls(control, cv, tmat2d());
  ASSERT_EQ(cv.calls.size(), 1u);  // the invisible ball is not drawn
  EXPECT_EQ(cv.calls[0].op, "Polygon");
  EXPECT_EQ(cv.calls[0].pen.Width, 1);

  cv.calls.clear();
  maze.DrawBallSpot(control, cv, tmat2d());
  const auto spots = cv.CallsOf("Ellipse");
  ASSERT_EQ(spots.size(), 2u);  // the invisible ball is marked too
  EXPECT_EQ(spots[1].brush.Color, 0xFF00FFu);
  EXPECT_EQ(cv.calls.size(), 2u);

  cv.calls.clear();
  maze.DrawRocket(control, cv, tmat2d());
  ASSERT_FALSE(cv.calls.empty());
  for (const auto& c : cv.calls) EXPECT_NE(c.op, "Ellipse");

  cv.calls.clear();
  maze.DrawRocketSpot(control, cv, tmat2d());
  ASSERT_EQ(cv.calls.size(), 1u);
  EXPECT_EQ(cv.calls[0].op, "Ellipse");
  EXPECT_EQ(cv.calls[0].args[0], cv.calls[0].args[2]);  // radius 0
}

// --- score ---------------------------------------------------------------------------------

TEST_F(RenderFixture, ScoreLinesFormatTimeScoreAndBestTime) {
  struct Case {
    std::uint32_t duration;
    int score;
    double bestdur;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {61, 3, 0, {"3.05 3"}},
      {0, 0, 7.5, {"0.00 0", "7.50"}},
      // The product overflows 32 bits: it must be taken in 64.
      {4000000000u, 12, 0.05, {"200000000.00 12", "0.05"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines[0]);
    maze.duration = c.duration;
    rocket.score = c.score;
    maze.bestdur = c.bestdur;
    cv.calls.clear();
    maze.DrawScore(control, cv);
    const auto texts = cv.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), c.lines.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i].text, c.lines[i]);
      EXPECT_EQ(texts[i].args[0], 10);
      EXPECT_EQ(texts[i].args[1], 6 + 13 * static_cast<int>(i));  // h = 13: h div 2, + h
      EXPECT_EQ(texts[i].font.Color, kRocket);
      EXPECT_TRUE(texts[i].font.Bold);
      EXPECT_EQ(texts[i].font.Name, "Arial");
      EXPECT_EQ(texts[i].brush.Style, bsClear);
    }
  }
}

TEST_F(RenderFixture, ScoreMessageIsCentredAtDoubleSizeAndStateIsRestored) {
  maze.SetMsgLine("Press F1 for Help");
  rocket.color = 0x0000FF;  // an exploding rocket flashes red
  cv.Pen = TPen{0x123456, 3, TPenStyle::psSolid, TPenMode::pmXor};
  cv.Brush = TBrush{0x654321, bsCross};
  cv.Font.Size = 10;
  cv.Font.Height = -13;
  cv.Font.Italic = true;
  const TPen pen = cv.Pen;
  const TBrush brush = cv.Brush;
  const TFont font = cv.Font;

  maze.DrawScore(control, cv);

  const auto texts = cv.CallsOf("TextOut");
  ASSERT_EQ(texts.size(), 2u);
  const TCanvasCall& msg = texts[1];
  EXPECT_EQ(msg.text, "Press F1 for Help");
  EXPECT_EQ(msg.font.Size, 20);
  EXPECT_EQ(msg.font.Color, 0x0000FFu);
  // 17 characters of 7 pixels, 13 high; the line sits below the middle by the height value
  // the canvas keeps for the doubled size (negative: a size in points).
  EXPECT_EQ(msg.args[0], (640 - 119) / 2);
  EXPECT_LT(msg.font.Height, 0);
  EXPECT_EQ(msg.args[1], (480 - 13) / 2 - msg.font.Height);
  EXPECT_FALSE(texts[0].font.Italic);
  EXPECT_EQ(texts[0].font.Size, 10);
  EXPECT_EQ(cv.Pen, pen);
  EXPECT_EQ(cv.Brush, brush);
  EXPECT_EQ(cv.Font, font);
}

// --- status bars ---------------------------------------------------------------------------

TEST_F(RenderFixture, RocketStateShowsCannonHeatAndHealth) {
  rocket.FCannonHeat = 100;
  maze.DrawRocketState(control, cv);
  // h = 13: bars at y 39 and 52, 52 wide and 6 high.
  EXPECT_EQ(cv.Log(),
            "FillRect 10 39 36 45\n"
            "FillRect 36 39 62 45\n"
            "Rectangle 10 39 62 45\n"
            "TextOut 72 36 \"cannon heat\"\n"
            "FillRect 10 52 62 58\n"
            "Rectangle 10 52 62 58\n"
            "TextOut 72 49 \"rocket health\"\n");
  const auto fills = cv.CallsOf("FillRect");
  EXPECT_EQ(fills[0].brush.Color, 0x800080u);  // 127.5 of red and blue, to the even 128
  EXPECT_EQ(fills[1].brush.Color, clBlack);
  EXPECT_EQ(fills[2].brush.Color, 0x008000u);
  const auto texts = cv.CallsOf("TextOut");
  EXPECT_EQ(texts[0].font.Color, 0x800080u);
  EXPECT_EQ(texts[1].font.Color, 0x008000u);
}

TEST_F(RenderFixture, RocketStateDrawsNothingWithoutAWholeRocket) {
  rocket.SetExploded(true);
  maze.DrawRocketState(control, cv);
  EXPECT_TRUE(cv.calls.empty());
  TMaze bare;
  bare.DrawRocketState(control, cv);
  EXPECT_TRUE(cv.calls.empty());
}

TEST(DrawBar, FillFollowsTheFractionWithinTheFrame) {
  // Bar at x 10, 40 wide, colours blue at 0 and red at 1.
  struct Case {
    const char* name;
    double fraction;
    std::string log;
    TColor fill;
  };
  const Case cases[] = {
      {"empty", 0, "FillRect 40 5 80 9\nRectangle 40 5 80 9\n", clBlack},
      {"quarter", 0.25, "FillRect 40 5 50 9\nFillRect 50 5 80 9\nRectangle 40 5 80 9\n", 0xBF0040},
      {"full", 1, "FillRect 40 5 80 9\nRectangle 40 5 80 9\n", 0x0000FF},
      {"over full", 3.5, "FillRect 40 5 80 9\nRectangle 40 5 80 9\n", 0x0000FF},
      // Below zero the bar stays empty inside its frame instead of spilling to the left.
      {"negative", -0.5, "FillRect 40 5 80 9\nRectangle 40 5 80 9\n", clBlack},
      {"not a number", std::nan(""), "FillRect 40 5 80 9\nRectangle 40 5 80 9\n", clBlack},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TRecordingCanvas cv;
    TMaze::DrawBar(cv, 40, 5, 40, 4, 0xFFFFFF, 0xFF0000, 0x0000FF, c.fraction, "", 1);
    EXPECT_EQ(cv.Log(), c.log);
    EXPECT_EQ(cv.calls[0].brush.Color, c.fill);
    const TCanvasCall& frame = cv.calls.back();
    EXPECT_EQ(frame.pen.Color, 0xFFFFFFu);
    EXPECT_EQ(frame.pen.Width, 1);
    EXPECT_EQ(frame.brush.Style, bsClear);
  }
}

TEST(DrawBar, FillEndRoundsHalvesToEven) {
  // 10 + 5 * 0.5 = 12.5 -> 12; 11 + 5 * 0.5 = 13.5 -> 14.
  for (auto [x, xe] : {std::pair{10, 12}, std::pair{11, 14}}) {
    TRecordingCanvas cv;
    TMaze::DrawBar(cv, x, 0, 5, 4, 0xFFFFFF, 0, 0xFFFFFF, 0.5, "", 1);
    ASSERT_GE(cv.calls.size(), 1u);
    EXPECT_EQ(cv.calls[0].args[2], xe);
  }
}

TEST(DrawBar, LabelPositionsAndCanvasRestored) {
  // "heat": 28 x 13 on the recording canvas; bar at (100, 50), 40 x 8.
  struct Case {
    int pos;
    int x, y;
  };
  const Case cases[] = {
      {0, 100 - 28 - 10, 50 + (8 - 13) / 2},
      {1, 100 + 40 + 10, 50 + (8 - 13) / 2},
      {2, 100, 40},
      {3, 100 + (40 - 28) / 2, 40},
      {4, 100 + 40 - 28, 40},
      {9, 100, 50},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pos);
    TRecordingCanvas cv;
    cv.Font.Size = 14;
    cv.Font.Bold = true;
    cv.Pen.Mode = TPenMode::pmNotXor;
    cv.Brush.Style = bsDiagCross;
    const TPen pen = cv.Pen;
    const TBrush brush = cv.Brush;
    const TFont font = cv.Font;
    TMaze::DrawBar(cv, 100, 50, 40, 8, 0xFFFFFF, 0xFF0000, 0x0000FF, 1, "heat", c.pos);
    const auto texts = cv.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].args[0], c.x);
    EXPECT_EQ(texts[0].args[1], c.y);
    EXPECT_EQ(texts[0].font.Size, 8);
    EXPECT_FALSE(texts[0].font.Bold);
    EXPECT_EQ(texts[0].font.Color, 0x0000FFu);
    EXPECT_EQ(cv.Pen, pen);
    EXPECT_EQ(cv.Brush, brush);
    EXPECT_EQ(cv.Font, font);
  }
}

}  // namespace
