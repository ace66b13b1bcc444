// Recorded runs: a run recorded as it is played, written, read back and re-simulated flies the
// same path and finishes on the same tick; the best run follows the best time; mazes find
// their best runs by content; damaged files are refused; the ghost is only drawn.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "gx_bestruns.h"
#include "gx_mazelist.h"
#include "gx_runfile.h"
#include "gx_runkeeper.h"
#include "gx_runrecorder.h"
#include "gx_runreplay.h"
#include "qor_text.h"
#include "recording_canvas.h"
#include "referee_fixture.h"

namespace {

namespace fs = std::filesystem;
using referee_test::MakeCave;
using referee_test::TGame;

// A folder of its own under the test's temporary directory, removed afterwards.
class TTempFolder {
 public:
  explicit TTempFolder(const std::string& name)
      : path_(fs::temp_directory_path() /
              ("gx-best-run-" + name + "-" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
  }
  ~TTempFolder() { fs::remove_all(path_); }
  std::string Str() const { return path_.string(); }
  std::size_t Files() const {
    std::error_code ec;
    if (!fs::is_directory(path_, ec)) return 0;
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
  }

 private:
  fs::path path_;
};

struct TScriptOptions {
  bool outside_freeze = true;  // the help freezes the game from outside the keys
  int wait = 20;               // ticks from the hop to the shots at the ball (more: slower)
};

// A run through the one-ball cave that uses every recorded input: a climb, turns both ways,
// shots past the ball, the freeze key, the wheel, a freeze from outside, the fall back onto the
// landing edge, and shots straight up at the ball, which finish the run. The keeper (when given) follows the maze as the window's
// does.
void PlayRun(TGame& g, TRunKeeper* keeper, const TScriptOptions& o = {}) {
  if (keeper) {
    keeper->SetMaze(g.maze.get());
    g.maze->FOnChange = [keeper](TMaze* m) { keeper->MazeChanged(*m); };
  }
  g.script = TKeyScript{};
  const int start = g.tick;
  g.script.At(start + 2, vk::LControl, TKeyScript::ka_tap)
      .Hold(start + 3, start + 12, vk::LControl)  // up, clear of the floor
      .Hold(start + 13, start + 16, vk::Left)
      .Hold(start + 16, start + 19, vk::Up)  // tilted: past the ball
      .Hold(start + 19, start + 22, vk::Right)
      .At(start + 23, vk::Down, TKeyScript::ka_tap)
      .At(start + 26, vk::Left, TKeyScript::ka_tap)  // resumes, does not turn
      .Hold(start + 34 + o.wait, start + 34 + o.wait + 40, vk::Up);
  for (int t = 0; t < 600 && !g.maze->FFinished; ++t) {
    if (g.tick == start + 28) g.maze->AddWheelDelta(120);
    if (g.tick == start + 29) g.maze->AddWheelDelta(-120);
    if (o.outside_freeze && g.tick == start + 30) {
      g.maze->SetGameState(gs_freeze);
      g.maze->DiscardGameKeys();
    }
    if (o.outside_freeze && g.tick == start + 33) g.keys.Tap(vk::Right);  // ends that freeze
    g.Tick();
  }
  ASSERT_TRUE(g.maze->FFinished) << "the script no longer finishes the cave";
}

TRunRecording RecordRun(TGame& g, const TScriptOptions& o = {}) {
  TRunRecorder recorder;
  recorder.Attach(*g.maze);
  std::optional<TRunRecording> run;
  g.maze->FOnChange = [&](TMaze* m) {
    if (m->FFinished) run = recorder.Finish(*m);
  };
  PlayRun(g, nullptr, o);
  EXPECT_TRUE(run.has_value());
  return run.value_or(TRunRecording{});
}

std::unique_ptr<TMaze> OneBallCave() {
  return MakeCave({.target_ball = true, .two_balls = false});
}

TEST(RecordedRun, WrittenReadAndReplayedFinishesOnTheSameTickAlongTheSamePath) {
  TGame g(OneBallCave());
  const TRunRecording run = RecordRun(g);
  // Everything the script did is in the keys.
  int frozen = 0, wheel = 0;
  for (const TRunKeys& k : run.keys) {
    frozen += (k.flags & TRunKeys::kFrozen) != 0;
    wheel += k.wheel != 0;
  }
  EXPECT_GT(frozen, 2);
  EXPECT_EQ(wheel, 2);
  EXPECT_EQ(run.clock, g.maze->duration);
  EXPECT_DOUBLE_EQ(run.Seconds(), g.maze->bestdur);
  ASSERT_GE(run.poses.size(), run.clock + 1u);

  std::string why;
  const std::optional<TRunRecording> back = ReadRunFile(WriteRunFile(run), &why);
  ASSERT_TRUE(back) << why;
  EXPECT_EQ(back->keys, run.keys);
  EXPECT_EQ(back->checks, run.checks);
  EXPECT_EQ(back->clock, run.clock);
  EXPECT_EQ(back->maze_hash, MazeContentHash(*g.maze));

  TRunReplay replay(*g.maze, *back);
  while (!replay.Finished() && replay.Ticks() < back->keys.size() + 10) replay.Step();
  ASSERT_TRUE(replay.Finished());
  EXPECT_EQ(replay.FinishTick(), run.keys.size());
  const TRunRecording& flown = *replay.Flown();
  ASSERT_EQ(flown.poses.size(), run.poses.size());
  for (std::size_t i = 0; i < run.poses.size(); ++i) {
    // The original path exactly; the file's within its steps.
    EXPECT_EQ(flown.poses[i].x, run.poses[i].x) << "tick " << i;
    EXPECT_EQ(flown.poses[i].y, run.poses[i].y) << "tick " << i;
    EXPECT_EQ(flown.poses[i].angle, run.poses[i].angle) << "tick " << i;
    EXPECT_NEAR(back->poses[i].x, run.poses[i].x, 1.0 / 8192);
    EXPECT_NEAR(back->poses[i].angle, run.poses[i].angle, 1e-4);
  }
  EXPECT_TRUE(VerifyRun(*g.maze, *back).matches) << VerifyRun(*g.maze, *back).why;
  // The maze played is as it was: its copy flew.
  EXPECT_EQ(g.maze->duration, run.clock);
}

TEST(RecordedRun, ARunThatPartsFromTheMazeDoesNotMatch) {
  TGame g(OneBallCave());
  TRunRecording run = RecordRun(g);
  TRunRecording late = run;
  late.keys.push_back(late.keys.back());  // says it finished a tick later
  EXPECT_FALSE(VerifyRun(*g.maze, late).matches);
  TRunRecording bent = run;
  bent.checks.back().hash ^= 1;  // the state a tick once had
  EXPECT_FALSE(VerifyRun(*g.maze, bent).matches);
  TRunRecording no_thrust = run;
  for (std::size_t i = 1; i < no_thrust.keys.size(); ++i) {
    no_thrust.keys[i].flags &= ~TRunKeys::kThrust;
  }
  const TReplayCheck c = VerifyRun(*g.maze, no_thrust);
  EXPECT_FALSE(c.matches);
  EXPECT_FALSE(c.why.empty());
}

TEST(RecordedRun, AResetOrCrashDropsTheRunAndTheNextThrustStartsAnother) {
  TGame g(OneBallCave());
  TRunRecorder recorder;
  recorder.Attach(*g.maze);
  EXPECT_FALSE(recorder.Recording());
  g.TapTick(vk::LControl);
  EXPECT_TRUE(recorder.Recording());
  g.keys.Down(vk::Space);
  g.Tick();
  g.keys.Up(vk::Space);
  g.Tick();  // the release resets the run
  g.Tick();
  EXPECT_EQ(g.maze->GameState(), gs_intro);
  EXPECT_FALSE(recorder.Recording());
  EXPECT_FALSE(recorder.Finish(*g.maze));
  // Samples of another maze (an old hook still installed) change nothing.
  TGame other(OneBallCave());
  other.maze->FOnKeysSampled = g.maze->FOnKeysSampled;
  other.TapTick(vk::LControl);
  EXPECT_FALSE(recorder.Recording());
}

// --- the best run follows the best time ----------------------------------------------------

TEST(BestRun, ANewRecordReplacesItASlowerRunDoesNotAndClearingRetiresIt) {
  TTempFolder folder("keeper");
  TRunKeeper keeper(folder.Str(), nullptr);
  TGame g(OneBallCave());
  PlayRun(g, &keeper, {.outside_freeze = true, .wait = 30});
  ASSERT_NE(keeper.Best(), nullptr);
  const TRunRecording first = *keeper.Best();
  EXPECT_EQ(folder.Files(), 1u);
  EXPECT_DOUBLE_EQ(first.Seconds(), g.maze->bestdur);

  // Slower: the best run stays.
  g.Ticks(100);
  PlayRun(g, &keeper, {.outside_freeze = true, .wait = 45});
  EXPECT_GT(g.maze->duration, first.clock);
  EXPECT_EQ(keeper.Best()->keys, first.keys);

  // Faster: it is replaced, on disk too.
  g.Ticks(100);
  PlayRun(g, &keeper, {.outside_freeze = false, .wait = 15});
  ASSERT_LT(g.maze->duration, first.clock);
  EXPECT_EQ(keeper.Best()->clock, g.maze->duration);
  TRunKeeper fresh(folder.Str(), nullptr);
  fresh.SetMaze(g.maze.get());
  ASSERT_NE(fresh.Best(), nullptr);
  EXPECT_EQ(fresh.Best()->clock, g.maze->duration);
  EXPECT_TRUE(VerifyRun(*g.maze, *fresh.Best()).matches);

  // R clears the best time inside the maze's key sampling: the best run goes with it.
  g.Ticks(100);
  g.TapTick(vk::R);
  EXPECT_EQ(g.maze->bestdur, 0);
  EXPECT_EQ(keeper.Best(), nullptr);
  EXPECT_EQ(folder.Files(), 0u);
  fresh.SetMaze(g.maze.get());
  EXPECT_EQ(fresh.Best(), nullptr);
}

TEST(BestRun, TheWindowsClearRetiresItAndAnUnwritableFolderIsSaid) {
  TTempFolder folder("retire");
  TRunKeeper keeper(folder.Str(), nullptr);
  TGame g(OneBallCave());
  PlayRun(g, &keeper);
  ASSERT_EQ(folder.Files(), 1u);
  keeper.Retire();
  EXPECT_EQ(keeper.Best(), nullptr);
  EXPECT_EQ(folder.Files(), 0u);

  // The folder's place is taken by a file: the run is still the ghost, the failure one line.
  fs::remove_all(folder.Str());
  std::ofstream(folder.Str()) << "in the way";
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* log = open_memstream(&text, &size);
  TRunKeeper blocked(folder.Str(), log);
  TGame h(OneBallCave());
  PlayRun(h, &blocked);
  std::fclose(log);
  EXPECT_NE(blocked.Best(), nullptr);
  EXPECT_NE(std::string(text).find("the best run is not kept"), std::string::npos) << text;
  std::free(text);
  fs::remove(folder.Str());
}

// --- mazes find their best runs by content -------------------------------------------------

TEST(MazeContentHash, NamesBestTimesViewsAndRunStateDoNotCountTheMazeDoes) {
  auto cave = OneBallCave();
  const std::uint64_t h = MazeContentHash(*cave);
  struct TCase {
    const char* what;
    std::function<void(TMaze&)> change;
    bool same;
  };
  const TCase cases[] = {
      {"renamed", [](TMaze& m) { m.mazename = "Another name"; }, true},
      {"best time", [](TMaze& m) { m.bestdur = 12.5; }, true},
      {"view matrix", [](TMaze& m) { m.matrix = tmat2d::scale(40, 40); }, true},
      {"laid out in a window",
       [](TMaze& m) { m.MapToViewport(TDRect{0, 800, 0, 600}, true, false); }, true},
      {"a ball struck", [](TMaze& m) { m.balllist->SetInVisible(true); }, true},
      {"ball moved", [](TMaze& m) { m.balllist->GetBall(0)->matrix.mat[0][2] += 0.01; }, false},
      {"wall moved", [](TMaze& m) { m.GetPolygon(1)->TransForm(tmat2d::trans(0, 0.001)); },
       false},
      {"landing colour", [](TMaze& m) { m.landcolor = 0x123456; }, false},
      {"tick length", [](TMaze& m) { m.SetTickUnit(40); }, false},
  };
  for (const TCase& c : cases) {
    auto m = OneBallCave();
    c.change(*m);
    EXPECT_EQ(MazeContentHash(*m) == h, c.same) << c.what;
  }
}

TEST(MazeContentHash, ARenamedOrReorderedMazeKeepsItsBestRunAChangedOneLosesIt) {
  TTempFolder folder("content");
  TRunKeeper keeper(folder.Str(), nullptr);
  TGame g(OneBallCave());
  PlayRun(g, &keeper);
  ASSERT_NE(keeper.Best(), nullptr);

  // The collection written with the maze renamed and moved behind another one, read back.
  TMazeList list;
  list.Add(MakeCave({.target_ball = true, .two_balls = true}));
  list.Add(std::move(g.maze));
  list.GetMaze(1)->mazename = "Renamed";
  TTextWriter w;
  list.SaveToF(w);
  TMazeList read;
  TTextReader r(w.Bytes());
  r.ReadLn();
  read.LoadFromF(r);
  TRunKeeper next(folder.Str(), nullptr);
  next.SetMaze(read.GetMaze(1));
  ASSERT_NE(next.Best(), nullptr);
  EXPECT_TRUE(VerifyRun(*read.GetMaze(1), *next.Best()).matches);
  next.SetMaze(read.GetMaze(0));
  EXPECT_EQ(next.Best(), nullptr);

  // Changed: no longer found, and a run given to it anyway does not match.
  TMaze& changed = *read.GetMaze(1);
  const TRunRecording run = *keeper.Best();
  changed.balllist->GetBall(0)->matrix.mat[1][2] += 0.05;
  next.SetMaze(&changed);
  EXPECT_EQ(next.Best(), nullptr);
  EXPECT_EQ(VerifyRun(changed, run).why, "recorded on another maze");
}

// --- files that cannot hurt ------------------------------------------------------------------

class BestRunFile : public ::testing::Test {
 protected:
  void SetUp() override {
    TGame g(OneBallCave());
    run_ = RecordRun(g);
    bytes_ = WriteRunFile(run_);
  }
  // bytes with the checksum made to fit again: what a hostile writer would do.
  static std::string Resealed(std::string b) {
    b.resize(b.size() - 4);
    const std::uint32_t crc = Crc32(b);
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>(crc >> (8 * i)));
    return b;
  }
  static void Put32(std::string& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
  }
  TRunRecording run_;
  std::string bytes_;
};

TEST_F(BestRunFile, EveryTruncationAndEveryBitFlipIsRefused) {
  for (std::size_t n = 0; n < bytes_.size(); ++n) {
    EXPECT_FALSE(ReadRunFile(bytes_.substr(0, n))) << "cut to " << n << " bytes";
  }
  std::string longer = bytes_ + '\0';
  EXPECT_FALSE(ReadRunFile(longer));
  for (std::size_t i = 0; i < bytes_.size(); ++i) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string b = bytes_;
      b[i] = static_cast<char>(b[i] ^ (1 << bit));
      ASSERT_FALSE(ReadRunFile(b)) << "byte " << i << " bit " << bit;
    }
  }
}

TEST_F(BestRunFile, ForeignAndHostileFilesAreRefusedWithAReason) {
  TTextWriter cav;
  OneBallCave()->SaveToF(cav);
  std::string v2 = bytes_;
  v2[8] = 2;
  std::string many_keys = bytes_;
  Put32(many_keys, 28, kMaxRunTicks + 1);
  std::string keys_mismatch = bytes_;
  Put32(keys_mismatch, 28, static_cast<std::uint32_t>(run_.keys.size() + 1));
  std::string sections = bytes_;
  Put32(sections, 40, 0xFFFFFFF0u);
  std::string zero_unit = bytes_;
  Put32(zero_unit, 20, 0);
  std::string flipped = bytes_;
  flipped[60] = static_cast<char>(flipped[60] ^ 0x20);
  struct TCase {
    const char* what;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"empty", "", "not a best-run file"},
      {"a collection", cav.Bytes(), "not a best-run file"},
      {"the magic alone", bytes_.substr(0, 8), "truncated"},
      {"a later version", Resealed(v2), "version 2 is not supported"},
      {"too many ticks", Resealed(many_keys), "bad counts"},
      {"keys short of their count", Resealed(keys_mismatch), "key track shorter than its count"},
      {"sections past the end", Resealed(sections), "section sizes do not match the file"},
      {"no tick length", Resealed(zero_unit), "bad tick length"},
      {"a bit flipped", flipped, "checksum does not match (truncated or damaged)"},
  };
  for (const TCase& c : cases) {
    std::string why;
    EXPECT_FALSE(ReadRunFile(c.bytes, &why)) << c.what;
    EXPECT_EQ(why, c.reason) << c.what;
  }
  EXPECT_TRUE(ReadRunFile(Resealed(bytes_)));
}

TEST_F(BestRunFile, ADamagedFileIsIgnoredWithOneLineOnceAndTheGameGoesOn) {
  TTempFolder folder("damaged");
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* log = open_memstream(&text, &size);
  {
    TBestRuns runs(folder.Str(), log);
    runs.Save(run_);
    const std::string path = runs.PathFor(run_.maze_hash);
    EXPECT_EQ(fs::path(path).filename().string().size(), 16u + 6u);
    ASSERT_TRUE(runs.Load(run_.maze_hash));
    // A run kept under another maze's name is not that maze's.
    fs::copy_file(path, runs.PathFor(42));
    EXPECT_FALSE(runs.Load(42));
    fs::resize_file(path, bytes_.size() / 2);
    EXPECT_FALSE(runs.Load(run_.maze_hash));
    EXPECT_FALSE(runs.Load(run_.maze_hash));
  }
  std::fclose(log);
  const std::string said = text;
  std::free(text);
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
  EXPECT_NE(said.find("checksum does not match"), std::string::npos) << said;
  EXPECT_NE(said.find("recorded on another maze"), std::string::npos) << said;
}

// --- the ghost ---------------------------------------------------------------------------------

struct TWindow : TControl {
  int ClientWidth() const override { return 800; }
  int ClientHeight() const override { return 600; }
};

TEST(Ghost, IsDrawnWhereTheRecordingSaysAtTheClockInItsOwnColour) {
  TRunRecording run;
  run.keys.resize(3);
  run.poses = {{0, 0, 0}, {1, 0.5, 0}, {2, 1, 3.14159265358979 / 2}};
  // Between two ticks the ghost is blended as the rocket is; at the run's end it waits.
  EXPECT_EQ(GhostPose(run, 1, 0).x, 1);
  EXPECT_EQ(GhostPose(run, 1, 0.5).x, 1.5);
  EXPECT_EQ(GhostPose(run, 1, 0.5).y, 0.75);
  EXPECT_DOUBLE_EQ(GhostPose(run, 1, 0.5).angle, 3.14159265358979 / 4);
  EXPECT_EQ(GhostPose(run, 1, 1).x, 2);
  EXPECT_EQ(GhostPose(run, 2, 0.5).x, 2);
  EXPECT_EQ(GhostPose(run, 99, 0).x, 2);  // after its finish it waits there
  TWindow w;
  TRecordingCanvas cv;
  const tmat2d m = tmat2d::scale(100, 100);
  DrawGhost(w, cv, m, GhostPose(run, 2, 0), 0.1, 0.05);
  ASSERT_EQ(cv.CallsOf("Polyline").size(), 1u);
  const TCanvasCall hull = cv.CallsOf("Polyline")[0];
  EXPECT_EQ(hull.pen.Color, kGhostColor);
  // The nose (sx ahead) points up at (200, 100 + 10) in maze pixels: 600 - 110 on screen.
  EXPECT_EQ(hull.points[2].X, 200);
  EXPECT_EQ(hull.points[2].Y, 600 - 110);
  for (const TPoint& p : hull.points) {
    EXPECT_NEAR(p.X, 200, 10);
    EXPECT_NEAR(p.Y, 600 - 100, 10);
  }
  TRecordingCanvas map;
  DrawGhostSpot(w, map, m, GhostPose(run, 1, 0), 3);
  ASSERT_EQ(map.CallsOf("Ellipse").size(), 1u);
  EXPECT_EQ(map.CallsOf("Ellipse")[0].args, (std::vector<int>{97, 547, 103, 553}));
  EXPECT_EQ(map.CallsOf("Ellipse")[0].brush.Color, kGhostColor);
}

TEST(Ghost, FliesAlongWithTheClockAndTouchesNoBallBulletOrScore) {
  // The best run shoots the ball down; the second run only starts and sits on the floor while
  // the ghost flies the best run, shots and all: the ball stays whole.
  TTempFolder folder("ghost");
  TRunKeeper keeper(folder.Str(), nullptr);
  TGame g(OneBallCave());
  PlayRun(g, &keeper);
  ASSERT_NE(keeper.Best(), nullptr);
  const TRunRecording best = *keeper.Best();
  g.Ticks(100);
  ASSERT_EQ(g.maze->GameState(), gs_intro);
  g.TapTick(vk::LControl);
  TWindow w;
  for (int t = 0; t < static_cast<int>(best.clock) + 20; ++t) {
    TRecordingCanvas cv;
    keeper.DrawGhost(w, cv, tmat2d());
    keeper.DrawGhostSpot(w, cv, tmat2d(), 3);
    ASSERT_EQ(cv.CallsOf("Polyline").size(), 1u);
    const TRunPose at = GhostPose(best, g.maze->duration, 0);
    EXPECT_EQ(cv.CallsOf("Ellipse")[0].args[0], RoundToInt(at.x) - 3);
    g.Tick();
  }
  EXPECT_FALSE(g.maze->NoMoreBalls());
  EXPECT_FALSE(g.maze->balllist->GetBall(0)->invisible);
  EXPECT_EQ(g.maze->bullitlist->Count(), 0);
  EXPECT_EQ(g.rocket.score, 0);
  keeper.ShowGhost = false;  // G
  TRecordingCanvas hidden;
  keeper.DrawGhost(w, hidden, tmat2d());
  keeper.DrawGhostSpot(w, hidden, tmat2d(), 3);
  EXPECT_TRUE(hidden.calls.empty());
}

}  // namespace
