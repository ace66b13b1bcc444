// The maze collection: its file, single-maze files, file names and the version string.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "../../tools/stress_maze.h"
#include "anim_test_support.h"
#include "gx_ball.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_traflist.h"
#include "gx_trans.h"
#include "referee_fixture.h"

namespace {

using referee_test::MakeCave;
using referee_test::Slab;

std::string Write(const TMazeList& list) {
  TTextWriter w;
  list.SaveToF(w);
  return w.Bytes();
}

// With GRAVONAUT_FUZZ_SEEDS set, the collections these tests build are also written there as
// the seed corpus of the collection reader's fuzz target.
void Seed(const char* name, const std::string& bytes) {
  const char* dir = std::getenv("GRAVONAUT_FUZZ_SEEDS");
  if (!dir || !*dir) return;
  const std::filesystem::path d = std::filesystem::path(dir) / "collection_fuzz";
  std::filesystem::create_directories(d);
  WriteFileBytes((d / name).string(), bytes);
}

// Reads a collection as the game does: the first line is skipped by the caller.
void Read(const std::string& bytes, TMazeList& list) {
  TTextReader r(bytes);
  r.ReadLn();
  list.LoadFromF(r);
}

// A maze that uses every record the collection can hold: polygons with landing edges and all
// four kinds of transform, balls, the maze's own transform, colours and a non-ASCII name.
std::unique_ptr<TMaze> RichMaze() {
  auto maze = MakeCave();
  maze->mazename = "Höhle";
  maze->bestdur = 12.35;
  maze->outcolor = 0x102030;
  auto gear = Slab(-1, 0.5, -0.5, 1.0, false);
  auto rot = std::make_unique<TRotate>();
  rot->init(0.25, -0.75, 0.75, 80);
  rot->SetA1(-0.5);
  rot->SetA2(0.5);
  rot->SetCw(true);
  gear->SetRot(std::move(rot));
  auto scale = std::make_unique<TScale>();
  scale->init(-0.75, 0.75, 0.5, 0.75, 1.5, 1.25, 120);
  gear->SetScale(std::move(scale));
  maze->AddPolygon(std::move(gear));
  auto gate = Slab(0.5, 0.5, 1.0, 1.0, true);
  auto trans = std::make_unique<TTrans>();
  trans->SetRx(0.75);
  trans->SetRy(0.75);
  trans->x1 = 0.25;
  trans->y1 = -0.125;
  trans->SetPeriod(60);
  trans->SetAniType(at_sinusoidal);
  gate->SetTrans(std::move(trans));
  auto force = std::make_unique<TForce>();
  force->init(0.001, 3, 0.5, 1.0, 0, -0.001, 0, 0, 0.01, 0.02, 0.3, 0.4);
  gate->TrafList()->AddTraf(std::move(force));
  maze->AddPolygon(std::move(gate));
  auto spin = std::make_unique<TRotate>();
  spin->init(0, 0, 0, 400);
  maze->SetRot(std::move(spin));
  maze->balllist->GetBall(1)->invisible = true;
  maze->SetTickUnit(40);
  return maze;
}

std::unique_ptr<TMazeList> SampleCollection() {
  auto list = std::make_unique<TMazeList>();
  list->Add(RichMaze());
  auto plain = MakeCave({.target_ball = false, .two_balls = false});
  plain->mazename = "Plain";
  list->Add(std::move(plain));
  auto empty = std::make_unique<TMaze>();
  empty->mazename = "Empty";
  list->Add(std::move(empty));
  return list;
}

TEST(MazeListFile, CollectionRoundTripsByteForByte) {
  const std::string first = Write(*SampleCollection());
  Seed("sample.cav", first);
  ASSERT_EQ(first.rfind("8 {TMazeList}\r\n3\r\n7 H\xF6hle\r\n", 0), 0u) << "name in Windows-1252";

  TMazeList back;
  Read(first, back);
  ASSERT_EQ(back.Count(), 3);
  EXPECT_EQ(Write(back), first);

  const TMaze* m = back.GetMaze(0);
  EXPECT_EQ(m->mazename, "Höhle");
  EXPECT_DOUBLE_EQ(m->bestdur, 12.35);
  EXPECT_EQ(m->TickUnit(), 40);
  EXPECT_EQ(m->GetPolygon(2)->TickUnit(), 40) << "the tick unit reaches the polygons";
  EXPECT_EQ(m->outcolor, 0x102030);
  EXPECT_EQ(m->Count(), 4);
  EXPECT_EQ(m->balllist->Count(), 2);
  ASSERT_NE(m->balllist->GetBall(0), nullptr);
  EXPECT_DOUBLE_EQ(m->balllist->GetBall(0)->CenterY(), 0.8);
  EXPECT_TRUE(m->balllist->GetBall(1)->invisible);
  EXPECT_NE(m->GetPolygon(2)->Rot(), nullptr);
  EXPECT_NE(m->GetPolygon(2)->Scale(), nullptr);
  EXPECT_NE(m->GetPolygon(3)->Trans(), nullptr);
  EXPECT_EQ(m->GetPolygon(3)->TrafList()->Count(), 2);
  EXPECT_NE(m->Rot(), nullptr);
  EXPECT_EQ(m->GetPolygon(0)->GetSide(2)->sidetype, st_landing);
  const TDRect& s = m->Start();
  EXPECT_EQ((std::array{s.x1, s.x2, s.y1, s.y2}), (std::array{-2.0, 2.0, 0.0, 0.0}));
  const TDRect& l = m->Landing();
  EXPECT_EQ((std::array{l.x1, l.x2, l.y1, l.y2}), (std::array{-2.0, 2.0, 0.0, 0.0}));
  EXPECT_EQ(back.GetMaze(1)->mazename, "Plain");
  EXPECT_EQ(back.GetMaze(1)->balllist->Count(), 0);
  EXPECT_EQ(back.GetMaze(2)->Count(), 0);
}

TEST(MazeListFile, DrawnTimePathsOfScalesAndTranslationsSurviveTheFile) {
  const anim_test::CornerList pulse{{0, 0}, {0.1, 1}, {0.5, 1}, {0.6, 0}, {1, 0}};
  const anim_test::CornerList slide{{0, 0}, {0.3, 0.8}, {0.7, 0.8}, {1, 0}};
  TMazeList list;
  auto maze = MakeCave();
  auto gate = Slab(-1, 0.5, -0.5, 1.0, false);
  auto scale = std::make_unique<TScale>();
  scale->init(-0.75, 0.75, 1, 0.2, 1, 1, 80);
  scale->flinear = anim_test::Path(pulse);
  gate->SetScale(std::move(scale));
  auto trans = std::make_unique<TTrans>();
  trans->x1 = 0.5;
  trans->SetPeriod(60);
  trans->flinear = anim_test::Path(slide);
  gate->SetTrans(std::move(trans));
  maze->AddPolygon(std::move(gate));
  list.Add(std::move(maze));
  const std::string written = Write(list);

  TMazeList back;
  Read(written, back);
  ASSERT_EQ(back.Count(), 1);
  const TPolygon* g = back.GetMaze(0)->GetPolygon(2);
  ASSERT_NE(g->Scale(), nullptr);
  ASSERT_NE(g->Trans(), nullptr);
  EXPECT_EQ(anim_test::Corners(*g->Scale()->flinear), pulse);
  EXPECT_EQ(anim_test::Corners(*g->Trans()->flinear), slide);
  EXPECT_TRUE(g->Scale()->Swing());
  EXPECT_TRUE(g->Trans()->Swing());
  EXPECT_EQ(Write(back), written);
}

TEST(MazeListFile, EmptyCollectionIsTwoLines) {
  TMazeList list;
  EXPECT_EQ(Write(list), "8 {TMazeList}\r\n0\r\n");
  TMazeList back;
  Read(Write(list), back);
  EXPECT_EQ(back.Count(), 0);
}

TEST(MazeListFile, NamesAreTrimmedAndMayBeEmpty) {
  TMazeList list;
  auto m = std::make_unique<TMaze>();
  m->mazename = "  Deep Cave \t";
  list.Add(std::move(m));
  list.Add(std::make_unique<TMaze>());
  const std::string bytes = Write(list);
  EXPECT_NE(bytes.find("\r\n7 \r\n"), std::string::npos) << "an empty name still has its blank";
  TMazeList back;
  Read(bytes, back);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.GetMaze(0)->mazename, "Deep Cave");
  EXPECT_EQ(back.GetMaze(1)->mazename, "");

  // A header line with nothing after the number.
  std::string bare = bytes;
  bare.replace(bare.find("\r\n7 \r\n"), 6, "\r\n7\r\n");
  TMazeList back2;
  Read(bare, back2);
  EXPECT_EQ(back2.GetMaze(1)->mazename, "");
}

TEST(MazeListFile, LineBreaksInANameCannotSplitTheRecord) {
  TMazeList list;
  auto m = std::make_unique<TMaze>();
  m->mazename = "Two\r\nLines";
  list.Add(std::move(m));
  TMazeList back;
  Read(Write(list), back);
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.GetMaze(0)->mazename, "Two  Lines");
}

TEST(MazeListFile, BadMazeHeaderStopsLoadingAndKeepsTheMazesBefore) {
  const std::string good = Write(*SampleCollection());
  // Give the third maze the identifier 5.
  std::string bad = good;
  const std::size_t third = bad.find("\r\n7 Empty\r\n");
  ASSERT_NE(third, std::string::npos);
  bad[third + 2] = '5';
  Seed("bad-third-header.cav", bad);
  TMazeList back;
  try {
    Read(bad, back);
    FAIL() << "no error";
  } catch (const EQorError& e) {
    EXPECT_STREQ(e.what(), "Element 2 in TMazeList has invalid id: 5");
  }
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.GetMaze(0)->mazename, "Höhle");
  EXPECT_EQ(back.GetMaze(1)->mazename, "Plain");
}

TEST(MazeListFile, HostileCountsAndTruncationEndInAnError) {
  const std::string good = Write(*SampleCollection());
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::string huge = good;
  huge.replace(huge.find("\r\n3\r\n"), 5, "\r\n2000000000\r\n");
  const Case cases[] = {
      {"count far beyond the mazes", huge},
      {"cut in the middle", good.substr(0, good.size() / 2)},
      {"garbage count", "8 {TMazeList}\r\nmany\r\n"},
  };
  for (const Case& c : cases) {
    TMazeList back;
    EXPECT_THROW(Read(c.bytes, back), EQorError) << c.what;
  }
  // A count at the end of the file reads as 0: an empty collection.
  TMazeList back;
  Read("8 {TMazeList}\r\n", back);
  EXPECT_EQ(back.Count(), 0);
}

TEST(MazeListFile, MazeRecordWithoutBallListLoads) {
  auto maze = MakeCave();
  TTextWriter w;
  maze->SaveToF(w);
  std::string bytes = w.Bytes();
  // Cut out the ball list record: from its header to the maze's own header.
  const std::size_t from = bytes.find("9 {TBallList}\r\n");
  const std::size_t to = bytes.find("7 {TMaze}\r\n");
  ASSERT_LT(from, to);
  bytes.erase(from, to - from);
  Seed("no-ball-list.cav", "8 {TMazeList}\r\n1\r\n" + bytes);

  TTextReader r(bytes);
  auto back = TMazeList::ReadMaze(r, 0, "TMazeList");
  EXPECT_EQ(back->mazename, "Cave");
  EXPECT_EQ(back->balllist->Count(), 0);
  EXPECT_TRUE(back->NoMoreBalls());
  EXPECT_EQ(back->Count(), 2);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(back->GetPolygon(0)->GetSide(2)->sidetype, st_landing);
}

TEST(MazeListFile, SingleMazeFileHoldsOneMazeRecord) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "gravonaut_single_maze_test.mze";
  auto maze = RichMaze();
  ASSERT_TRUE(maze->SaveToFile(file.string()));
  TTextReader r = TTextReader::FromFile(file.string());
  auto back = TMazeList::ReadMaze(r, 0, "TMazeList");
  TTextWriter a, b;
  maze->SaveToF(a);
  back->SaveToF(b);
  EXPECT_EQ(a.Bytes(), b.Bytes());
  EXPECT_EQ(ReadFileBytes(file.string()), a.Bytes());
  std::filesystem::remove(file);
}

TEST(MazeList, SetMazeInsertsAtTheClampedIndex) {
  auto named = [](const char* n) {
    auto m = std::make_unique<TMaze>();
    m->mazename = n;
    return m;
  };
  auto names = [](const TMazeList& l) {
    std::string s;
    for (int i = 0; i < l.Count(); ++i) s += l.GetMaze(i)->mazename;
    return s;
  };
  TMazeList list;
  list.SetMaze(0, named("a"));
  list.SetMaze(1, named("b"));
  list.SetMaze(2, named("c"));
  list.SetMaze(1, named("x"));
  EXPECT_EQ(names(list), "axbc");
  list.SetMaze(-3, named("f"));
  EXPECT_EQ(names(list), "faxbc");
  list.SetMaze(list.Count() + 5, named("z"));
  EXPECT_EQ(names(list), "faxbcz");
  EXPECT_EQ(list.GetMaze(list.Count()), nullptr);
  EXPECT_EQ(list.GetMaze(-1), nullptr);
  EXPECT_EQ(list.Id(), 8);
}

TEST(FileNames, NameWithExt) {
  struct Case {
    const char* path;
    const char* ext;
    const char* want;
  };
  const Case cases[] = {
      {"C:\\Games\\Fly.exe", ".cav", "Fly.cav"},
      {"Fly", ".cav", "Fly.cav"},
      {"my.game.exe", ".cav", "my.game.cav"},
      {"C:\\x\\a.b\\prog", ".cav", "prog.cav"},
      {"/usr/games/gravonaut", ".cav", "gravonaut.cav"},
      {"/home/a.b/gravonaut", ".cav", "gravonaut.cav"},
      {"D:prog.exe", ".cav", "prog.cav"},
      {"gravonaut.cav", ".old", "gravonaut.old"},
      {"dir/", ".cav", ".cav"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameWithExt(c.path, c.ext), c.want) << c.path;
}

TEST(FileNames, VersionStringOnlyForTheProgramsOwnFile) {
  const std::filesystem::path self =
      std::filesystem::temp_directory_path() / "gravonaut_version_test_program";
  WriteFileBytes(self.string(), "x");
  const std::string before = ProgramFilePath();
  SetProgramFilePath(self.string());
  EXPECT_EQ(GetVersionString(self.string(), "ProductVersion"), "2.7");
  EXPECT_EQ(GetVersionString(self.string(), "FileDescription"), "");
  EXPECT_EQ(GetVersionString("/no/such/file", "ProductVersion"), "");
  EXPECT_EQ(GetVersionString("", "ProductVersion"), "");
  // Another spelling of the same file.
  const std::string other = (self.parent_path() / "." / self.filename()).string();
  EXPECT_EQ(GetVersionString(other, "ProductVersion"), "2.7");
  SetProgramFilePath("");
  EXPECT_EQ(GetVersionString(self.string(), "ProductVersion"), "") << "no program registered";
  SetProgramFilePath(before);
  std::filesystem::remove(self);
}

}  // namespace

namespace {

TEST(MazeListFile, StressCollectionLoadsBackToTheSameBytes) {
  TMazeList list;
  list.Add(MakeStressMaze());
  const std::string first = Write(list);
  TMazeList back;
  Read(first, back);
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.GetMaze(0)->Count(), 2000);
  EXPECT_EQ(back.GetMaze(0)->balllist->Count(), 200);
  EXPECT_EQ(Write(back), first);
}

}  // namespace
