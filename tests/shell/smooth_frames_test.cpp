// The play view's pictures between the ticks: a picture at fraction 1 (and every picture at one
// frame per tick) is the picture drawn before there were pictures between ticks, pixel for
// pixel; a picture between two ticks shows the rocket and the scroll moved and leaves the
// game's state as the tick left it; HiDPI pictures are drawn at the device's pixels; the frame
// log and the picture options.
#include <QTest>
#include <fstream>
#include <sstream>

#include "../../app/options.h"
#include "gx_frames.h"
#include "gx_playview.h"
#include "gx_rocket.h"
#include "shell_fixture.h"

namespace {

class SmoothFramesTest : public ShellTest {
 protected:
  // A window on one square maze whose rocket has flown up and turned for a while.
  std::unique_ptr<TUniverse> Flying(int ticks) {
    WriteBytes(Collection(), CollectionBytes({"one"}));
    auto u = Start(0);
    u->Frames().smooth_motion = true;
    keys.Tap(vk::LControl);
    u->gametickerTimer();
    keys.Down(vk::LControl);
    for (int i = 0; i < ticks; ++i) {
      if (i % 2 == 0) keys.Tap(vk::Left);
      u->gametickerTimer();
    }
    return u;
  }
  static QImage Frame(TUniverse& u, const TPlayFrameStyle& style) {
    QImage image(u.size(), QImage::Format_RGB32);
    PaintPlayFrame(image, u.Cave(), nullptr, u, u.playvp, u.mapvp, style);
    return image;
  }
};

TEST_F(SmoothFramesTest, APictureAtFractionOneIsTheTicksOwnPicture) {
  auto u = Flying(8);
  QImage today(u->size(), QImage::Format_RGB32);
  u->PaintFrame(today);  // the maze as it is, the picture of one frame per tick
  const tmat2d maze_matrix = u->Cave()->matrix;

  const TFrameSnapshot& prev = u->Frames().Previous();
  const TFrameSnapshot& cur = u->Frames().Current();
  ASSERT_TRUE(Continuous(prev, cur))
      << prev.valid << cur.valid << " maze " << prev.maze << " " << cur.maze << " restarts "
      << prev.rocket_restarts << " " << cur.rocket_restarts << " polygons "
      << prev.polygons.size() << " " << cur.polygons.size() << " ticks " << prev.tick << " "
      << cur.tick;
  TPlayFrameStyle style{&prev, &cur, 1.0, cur.tick, false};
  EXPECT_EQ(Frame(*u, style), today);
  // What the stopped driver (and one frame per tick) hands the paint handler.
  for (int fps : {0, -1}) {
    SCOPED_TRACE(fps);
    u->Frames().SetFps(fps);
    const TFrameDriver::TFrame frame = u->Frames().BeginFrame();
    EXPECT_EQ(frame.fraction, 1.0);
    EXPECT_EQ(frame.ticks, static_cast<double>(cur.tick));
    EXPECT_EQ(Frame(*u, FrameStyle(frame, false)), today);
  }

  // Halfway: the rocket and the scroll have moved, and the maze is back as the tick left it
  // (its matrix, which the collection file stores, included).
  style.fraction = 0.5;
  const QImage half = Frame(*u, style);
  EXPECT_NE(half, today);
  EXPECT_TRUE(StillAsTaken(*u->Cave(), cur));
  EXPECT_EQ(u->Cave()->matrix.mat, maze_matrix.mat);
  style.fraction = 0;
  const QImage start = Frame(*u, style);
  EXPECT_NE(start, half);
  EXPECT_NE(start, today);
}

TEST_F(SmoothFramesTest, AJumpShowsTheNewStateAtOnce) {
  auto u = Flying(8);
  QImage today(u->size(), QImage::Format_RGB32);
  u->PaintFrame(today);
  const TFrameSnapshot& prev = u->Frames().Previous();
  const TFrameSnapshot& cur = u->Frames().Current();
  // The end of a dialog: whatever the snapshots say, the next picture is the state as it is.
  u->Frames().Jump();
  EXPECT_FALSE(Continuous(prev, cur));
  EXPECT_EQ(Frame(*u, {&prev, &cur, 0.3, cur.tick, false}), today);
  // A window key that resets the run between two ticks (C): the maze as it is, not the blend
  // of two states that are gone.
  u->gametickerTimer();
  u->FormKeyPress('c');
  QImage reset(u->size(), QImage::Format_RGB32);
  u->PaintFrame(reset);
  EXPECT_EQ(Frame(*u, {&u->Frames().Previous(), &u->Frames().Current(), 0.3, 0, false}), reset);
}

TEST_F(SmoothFramesTest, SmoothEdgesChangeOnlyThePlayViewsEdges) {
  auto u = Flying(4);
  const TFrameSnapshot& cur = u->Frames().Current();
  const QImage hard = Frame(*u, {&cur, &cur, 1.0, cur.tick, false});
  const QImage soft = Frame(*u, {&cur, &cur, 1.0, cur.tick, true});
  ASSERT_EQ(hard.size(), soft.size());
  // Antialiased edges bring colours that the hard picture has nowhere: mixes of a wall's
  // colour and what lies behind it.
  int differing = 0;
  for (int y = 0; y < hard.height(); ++y) {
    for (int x = 0; x < hard.width(); ++x) differing += hard.pixel(x, y) != soft.pixel(x, y);
  }
  EXPECT_GT(differing, 50);
  EXPECT_LT(differing, hard.width() * hard.height() / 10);
}

TEST_F(SmoothFramesTest, AHiDpiPictureIsDrawnAtTheDevicesPixels) {
  auto u = Flying(4);
  const TFrameSnapshot& cur = u->Frames().Current();
  const TPlayFrameStyle style{&cur, &cur, 1.0, cur.tick, false};
  const QImage normal = Frame(*u, style);
  QImage hidpi(u->size() * 2, QImage::Format_RGB32);
  hidpi.setDevicePixelRatio(2);
  PaintPlayFrame(hidpi, u->Cave(), nullptr, *u, u->playvp, u->mapvp, style);
  // The whole device image is drawn: the overview map, at the window's right edge, is there
  // (its rectangle is y up: its rows count from the bottom of the window) ...
  const int x1 = static_cast<int>(u->mapvp.x1), x2 = static_cast<int>(u->mapvp.x2);
  const int y1 = u->height() - static_cast<int>(u->mapvp.y2);
  const int y2 = u->height() - static_cast<int>(u->mapvp.y1);
  int map_pixels = 0;
  for (int y = 2 * y1; y < 2 * y2; ++y) {
    for (int x = 2 * x1; x < 2 * x2; ++x) map_pixels += qGray(hidpi.pixel(x, y)) > 0;
  }
  EXPECT_GT(map_pixels, 20);
  // ... and finer than the normal picture stretched: some 2 x 2 block of device pixels is not
  // of one colour (lines and text have edges at the device's resolution).
  const QImage stretched = normal.scaled(normal.size() * 2);
  int split_blocks = 0;
  for (int y = 0; y + 1 < hidpi.height(); y += 2) {
    for (int x = 0; x + 1 < hidpi.width(); x += 2) {
      const QRgb c = hidpi.pixel(x, y);
      split_blocks += hidpi.pixel(x + 1, y) != c || hidpi.pixel(x, y + 1) != c ||
                      hidpi.pixel(x + 1, y + 1) != c;
    }
  }
  EXPECT_GT(split_blocks, 100);
  EXPECT_NE(hidpi, stretched);
}

// The window on its own timers for a while, with a frame log.
std::vector<std::pair<double, double>> RunWithFrameLog(const std::string& collection,
                                                       const std::string& log, int fps, int ms) {
  TUniverseOptions o;
  o.collection = collection;
  o.maze = 0;
  o.fps = fps;
  o.frame_log = log;
  {
    TUniverse u(o);
    u.resize(400, 300);
    u.show();
    QTest::qWait(ms);
    // A slow build on a loaded machine starts late: go on until the game has run some ticks.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return u.Frames().Ticks() >= 12 && u.Frames().FramesDrawn() >= 12; }, 30000));
    u.close();
  }
  std::vector<std::pair<double, double>> lines;
  std::ifstream in(log);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    double at = 0, ticks = 0;
    std::string rest;
    EXPECT_TRUE(fields >> at >> ticks) << line;
    EXPECT_FALSE(fields >> rest) << line;
    lines.emplace_back(at, ticks);
  }
  return lines;
}

TEST_F(SmoothFramesTest, TheFrameLogHasALinePerPictureAndTimeNeverGoesBack) {
  WriteBytes(Collection(), CollectionBytes({"one"}));
  for (int fps : {-1, 0}) {
    SCOPED_TRACE(fps);
    const std::string log = Path("frames.txt").string();
    const auto lines = RunWithFrameLog(Collection(), log, fps, 700);
    ASSERT_GE(lines.size(), 5u);
    for (std::size_t i = 1; i < lines.size(); ++i) {
      EXPECT_GE(lines[i].first, lines[i - 1].first) << "line " << i + 1;
      EXPECT_GE(lines[i].second, lines[i - 1].second) << "line " << i + 1;
    }
    EXPECT_GT(lines.back().second, 3);
    if (fps == 0) {
      // One picture per tick: whole ticks only.
      for (const auto& l : lines) EXPECT_EQ(l.second, std::floor(l.second));
    } else {
      // Pictures between the ticks: fractions of ticks. (How many pictures there are depends
      // on the machine's load, which a test cannot know: the pacing script measures it.)
      int fractions = 0;
      for (const auto& l : lines) fractions += l.second != std::floor(l.second);
      EXPECT_GT(fractions, 3);
    }
  }
}

TEST(FrameOptions, PicturesAndTheirLog) {
  const struct {
    std::vector<std::string> args;
    int fps;
    std::string log;
    bool smooth;
  } cases[] = {
      {{}, -1, "", true},
      {{"--fps", "0"}, 0, "", true},
      {{"--fps=144", "--frame-log", "f.txt"}, 144, "f.txt", true},
      {{"--no-smooth-edges", "--frame-log=a b.txt"}, -1, "a b.txt", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
    const TCommandLine cmd = ParseCommandLine(c.args, "gravonaut", "9.9");
    ASSERT_EQ(cmd.action, TCommandLine::caRun) << cmd.text;
    EXPECT_EQ(cmd.fps, c.fps);
    EXPECT_EQ(cmd.frameLog, c.log);
    EXPECT_EQ(cmd.smoothEdges, c.smooth);
  }
  for (const char* bad : {"-1", "fast", "60.5", "1001"}) {
    const TCommandLine cmd = ParseCommandLine({"--fps", bad}, "gravonaut", "9.9");
    EXPECT_EQ(cmd.action, TCommandLine::caError) << bad;
    EXPECT_NE(cmd.text.find("invalid number of pictures a second"), std::string::npos) << bad;
  }
  EXPECT_EQ(ParseCommandLine({"--frame-log"}, "gravonaut", "9.9").action, TCommandLine::caError);
  const std::string help = ParseCommandLine({"--help"}, "gravonaut", "9.9").text;
  for (const char* option : {"--fps N", "--frame-log FILE", "--no-smooth-edges"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
}

}  // namespace
