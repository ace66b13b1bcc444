// Records of polygons and draw lists: exact bytes, read-back, and files that are damaged.
#include <gtest/gtest.h>

#include <string>

#include "gx_ball.h"
#include "gx_drawlist.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_traflist.h"
#include "scene_test_support.h"

namespace {

using scene_test::Crlf;
using scene_test::MakePolygon;

const std::string kIdentityRows =
    Crlf({" 1.00000000000000E+0000  0.00000000000000E+0000  0.00000000000000E+0000",
          " 0.00000000000000E+0000  1.00000000000000E+0000  0.00000000000000E+0000",
          " 0.00000000000000E+0000  0.00000000000000E+0000  1.00000000000000E+0000"});

// A red closed outline, width 2, unfilled, three corners spanning -0.1..0.1 by 0..0.2.
const std::string kRedTriangle =
    Crlf({"2 {TPolygon}", "255", "2", "0", "1"}) + kIdentityRows +
    Crlf({"-1.00000000000000E-0001  1.00000000000000E-0001  0.00000000000000E+0000  "
          "2.00000000000000E-0001",
          "0",
          "0 0",
          "3",
          "1 {TSide}",
          " 0.00000000000000E+0000  2.00000000000000E-0001  0.00000000000000E+0000",
          "255",
          "-1",
          "1",
          "1 {TSide}",
          " 1.00000000000000E-0001  0.00000000000000E+0000  0.00000000000000E+0000",
          "255",
          "-1",
          "2",
          "1 {TSide}",
          "-1.00000000000000E-0001  0.00000000000000E+0000  0.00000000000000E+0000",
          "255",
          "-1",
          "1",
          "16 {TTrafList}",
          "0"});

std::string Saved(const TQorList& l) {
  TTextWriter w;
  EXPECT_TRUE(l.SaveToF(w));
  return w.Bytes();
}

// Reads a record as a container does: the header line first, then the body.
template <class T>
std::unique_ptr<T> LoadRecord(const std::string& bytes, int expected_id) {
  TTextReader r(bytes);
  EXPECT_EQ(r.ReadHeaderId(), expected_id);
  auto obj = std::make_unique<T>();
  EXPECT_TRUE(obj->LoadFromF(r));
  EXPECT_TRUE(r.AtEnd());
  return obj;
}

std::string LoadError(TQorList& target, const std::string& body) {
  TTextReader r(body);
  try {
    target.LoadFromF(r);
  } catch (const EQorError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(ScenePolygonRecord, RedTriangleIsWrittenByteForByteAndReadBack) {
  auto p =
      MakePolygon({{0, 0.2, st_normal, 255}, {0.1, 0, st_landing, 255}, {-0.1, 0, st_normal, 255}});
  p->SetColor(255);
  p->width = 2;
  p->fillcolor = 0;
  p->fillstyle = bsClear;
  ASSERT_EQ(Saved(*p), kRedTriangle);

  auto back = LoadRecord<TPolygon>(kRedTriangle, 2);
  EXPECT_EQ(back->Count(), 3);
  EXPECT_EQ(back->GetSide(1)->sidetype, st_landing);
  EXPECT_EQ(back->fillstyle, bsClear);
  EXPECT_EQ(Saved(*back), kRedTriangle);
}

TEST(ScenePolygonRecord, FlagsMatrixAndFillSurviveARoundTrip) {
  auto p = MakePolygon({{1, 2}, {3, 4}}, /*open=*/true);
  p->SetColor(-16777216);
  p->width = 5;
  p->fillcolor = 0x123456;
  p->fillstyle = bsDiagCross;
  p->invisible = true;
  p->harmless = true;
  p->matrix = tmat2d::rot(0.3);
  p->matrix.MatXM(tmat2d::trans(-1.0 / 3, 1e-20));
  const std::string bytes = Saved(*p);
  auto back = LoadRecord<TPolygon>(bytes, 2);
  EXPECT_TRUE(back->open);
  EXPECT_TRUE(back->invisible);
  EXPECT_TRUE(back->harmless);
  EXPECT_EQ(back->fillstyle, bsDiagCross);
  EXPECT_EQ(back->Color(), -16777216);
  EXPECT_EQ(Saved(*back), bytes);
}

TEST(ScenePolygonRecord, LoadedExtentIsTheCornersBoundingBox) {
  // The stored extent is a stale rectangle; corners replace it. Without corners it stays.
  const std::string stale = "-9 9 -9 9";
  const std::string body = Crlf({"0", "0", "0", "0"}) + kIdentityRows +
                           Crlf({stale, "1", "1 0", "2", "1 {TSide}", "0.5 -1 0", "0", "-1", "1",
                                 "1 {TSide}", "-2 3 0", "0", "-1", "1", "0"});
  TTextReader r(body);
  TPolygon p;
  p.LoadFromF(r);
  EXPECT_EQ(p.extent.x1, -2);
  EXPECT_EQ(p.extent.x2, 0.5);
  EXPECT_EQ(p.extent.y1, -1);
  EXPECT_EQ(p.extent.y2, 3);
  EXPECT_TRUE(p.open);
  EXPECT_TRUE(p.invisible);
  EXPECT_FALSE(p.harmless);

  const std::string empty =
      Crlf({"0", "0", "0", "0"}) + kIdentityRows + Crlf({stale, "0", "0 0", "0", "0"});
  TTextReader r2(empty);
  TPolygon q;
  q.LoadFromF(r2);
  EXPECT_EQ(q.extent.x1, -9);
  EXPECT_EQ(q.extent.y2, 9);
}

TEST(ScenePolygonRecord, TailOtherThanATransformListReadsNoTransforms) {
  // The record ends "0" instead of "16 {TTrafList}": that line is consumed and nothing more.
  std::string body = kRedTriangle.substr(kRedTriangle.find("\r\n") + 2);
  body = body.substr(0, body.rfind("16 {TTrafList}")) + Crlf({"0", "99"});
  TTextReader r(body);
  TPolygon p;
  ASSERT_TRUE(p.LoadFromF(r));
  EXPECT_EQ(p.Count(), 3);
  EXPECT_EQ(p.TrafList()->Count(), 0);
  EXPECT_EQ(r.ReadInteger(), 99);
}

TEST(ScenePolygonRecord, UnknownFillPatternReadsAsSolidAndAnyNonzeroFlagIsTrue) {
  const std::string body =
      Crlf({"0", "1", "0", "9"}) + kIdentityRows + Crlf({"0 0 0 0", "2", "-1 7", "0", "0"});
  TTextReader r(body);
  TPolygon p;
  p.LoadFromF(r);
  EXPECT_EQ(p.fillstyle, bsSolid);
  EXPECT_TRUE(p.open);
  EXPECT_TRUE(p.invisible);
  EXPECT_TRUE(p.harmless);
}

TEST(ScenePolygonRecord, CornerCountsFromDamagedFilesEndAtTheEndOfTheFile) {
  const std::string head =
      Crlf({"0", "1", "0", "0"}) + kIdentityRows + Crlf({"0 0 0 0", "0", "0 0"});
  const std::string corner = Crlf({"1 {TSide}", "1 1 0", "0", "-1", "1"});
  const struct {
    std::string name;
    std::string body;
    int corners;  // -1: the load fails with "Unexpected end of file"
  } cases[] = {
      {"count in the billions", head + Crlf({"2000000000"}), -1},
      {"largest count", head + Crlf({"2147483647"}) + corner, -1},
      {"one corner short", head + Crlf({"3"}) + corner + corner, -1},
      {"file ends after the count", head + "2", -1},
      {"negative count", head + Crlf({"-5", "0"}), 0},
      {"exact count", head + Crlf({"2"}) + corner + corner + Crlf({"0"}), 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TPolygon p;
    const std::string err = LoadError(p, c.body);
    if (c.corners < 0) {
      EXPECT_EQ(err, "Unexpected end of file");
    } else {
      EXPECT_EQ(err, "(no error)");
      EXPECT_EQ(p.Count(), c.corners);
    }
  }
}

// ---------------------------------------------------------------------------- draw lists

class TTestScene : public TDrawList {
  QOR_LIST_CLASS(TTestScene)
};

std::string ListBody(const std::string& count, const std::string& entries) {
  return kIdentityRows + Crlf({"0 0 0 0", count}) + entries;
}

TEST(SceneDrawListRecord, SeveralPolygonsRoundTripByteForByte) {
  TDrawList list;
  list.matrix = tmat2d::trans(0.5, -0.75);
  list.extent = TDRect{-3, 4, 1e-7, 123456.789};  // stored as it is, not recomputed
  list.AddPolygon(MakePolygon(
      {{0, 0.2, st_normal, 255}, {0.1, 0, st_landing, 255}, {-0.1, 0, st_normal, 255}}));
  auto open = MakePolygon({{0, 0}, {0.5, 1}, {1, 0}}, /*open=*/true);
  open->width = 3;
  list.AddPolygon(std::move(open));
  auto hidden = MakePolygon({{5, 5}, {6, 5}, {6, 6}, {5, 6}});
  hidden->invisible = true;
  hidden->harmless = true;
  hidden->fillstyle = bsHorizontal;
  hidden->fillcolor = 0x00FFFF;
  list.AddPolygon(std::move(hidden));
  const std::string bytes = Saved(list);
  ASSERT_EQ(bytes.substr(0, 15), "5 {TDrawList}\r\n");

  auto back = LoadRecord<TDrawList>(bytes, 5);
  ASSERT_EQ(back->Count(), 3);
  EXPECT_TRUE(back->GetPolygon(1)->open);
  EXPECT_TRUE(back->GetPolygon(2)->invisible);
  EXPECT_EQ(back->extent.y2, 123456.789);
  EXPECT_EQ(back->matrix, list.matrix);
  EXPECT_EQ(Saved(*back), bytes);
}

TEST(SceneDrawListRecord, EntryIdentifierThreeIsAPlainPolygon) {
  const std::string body = kRedTriangle.substr(kRedTriangle.find("\r\n") + 2);
  TTextReader r(ListBody("1", "3 {Anything}\r\n" + body) + Crlf({"16 {TTrafList}", "0"}));
  TDrawList list;
  list.LoadFromF(r);
  ASSERT_EQ(list.Count(), 1);
  ASSERT_NE(list.GetPolygon(0), nullptr);
  EXPECT_EQ(list.GetPolygon(0)->Count(), 3);
  // Written back under the one identifier polygons have now.
  EXPECT_NE(Saved(list).find("2 {TPolygon}"), std::string::npos);
}

TEST(SceneDrawListRecord, EntryIdentifierFourIsABall) {
  TDrawList list;
  list.AddPolygon(std::make_unique<TBall>());
  const std::string bytes = Saved(list);
  auto back = LoadRecord<TDrawList>(bytes, 5);
  ASSERT_EQ(back->Count(), 1);
  EXPECT_NE(dynamic_cast<TBall*>(back->GetPolygon(0)), nullptr);
}

TEST(SceneDrawListRecord, InvalidEntryIdentifierNamesEntryListAndIdentifier) {
  const std::string triangle = kRedTriangle;  // a valid first entry
  const struct {
    std::string name;
    std::string entries;
    std::string message;
    int loaded;  // entries kept from before the bad one
  } cases[] = {
      {"maze header", "7 {TMaze}\r\n", "Element 0 in TTestScene has invalid id: 7", 0},
      {"side header", "1 {TSide}\r\n", "Element 0 in TTestScene has invalid id: 1", 0},
      {"negative", "-12\r\n", "Element 0 in TTestScene has invalid id: -12", 0},
      {"second entry", triangle + "5 {TDrawList}\r\n", "Element 1 in TTestScene has invalid id: 5",
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TTestScene list;
    EXPECT_EQ(LoadError(list, ListBody("2", c.entries)), c.message);
    EXPECT_EQ(list.Count(), c.loaded);
  }
  TDrawList plain;
  EXPECT_EQ(LoadError(plain, ListBody("1", "7 {TMaze}\r\n")),
            "Element 0 in TDrawList has invalid id: 7");
}

TEST(SceneDrawListRecord, EntryCountsFromDamagedFilesEndAtTheEndOfTheFile) {
  const struct {
    std::string name;
    std::string body;
    std::string error;
    int entries;
  } cases[] = {
      {"count in the billions", ListBody("2000000000", ""), "Unexpected end of file", 0},
      {"one entry short", ListBody("2", kRedTriangle), "Unexpected end of file", 1},
      {"truncated after a polygon's first corner",
       ListBody("1", kRedTriangle.substr(
                         0, kRedTriangle.find("1 {TSide}", kRedTriangle.find("1 {TSide}") + 1))),
       "Unexpected end of file", 0},
      {"negative count", ListBody("-1", Crlf({"16 {TTrafList}", "0"})), "(no error)", 0},
      {"no tail at all", ListBody("1", kRedTriangle), "(no error)", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TDrawList list;
    EXPECT_EQ(LoadError(list, c.body), c.error);
    EXPECT_EQ(list.Count(), c.entries);
  }
}

TEST(SceneDrawListRecord, LoadingAppendsAndKeepsTheStoredMatrix) {
  TDrawList list;
  list.AddPolygon(MakePolygon({{0, 0}, {1, 0}, {0, 1}}));
  const std::string body =
      Crlf({"2 0 7", "0 2 8", "0 0 1", "1 2 3 4", "1"}) + kRedTriangle + Crlf({"0"});
  TTextReader r(body);
  list.LoadFromF(r);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.matrix.mat[0][2], 7);
  EXPECT_EQ(list.matrix.mat[1][1], 2);
  EXPECT_EQ(list.extent.x2, 2);
}

// A polygon turned by a rotation whose time path is turned by a rotation, and so on: depth
// polygons in all. Only a hand-made file nests time paths; the game's own go one level deep.
std::unique_ptr<TPolygon> NestedTimePaths(int depth) {
  auto outer = MakePolygon({{0, 0}, {1, 0}, {0, 1}});
  TPolygon* level = outer.get();
  for (int i = 1; i < depth; ++i) {
    auto rot = std::make_unique<TRotate>();
    rot->init(0.5, 0.25, 0.75, 40 + i);
    TRotate* r = rot.get();
    level->TrafList()->AddTraf(std::move(rot));
    level = r->flinear.get();
  }
  return outer;
}

TEST(ScenePolygonRecord, AnimatedPolygonRoundTripsWithItsTimePath) {
  auto p = NestedTimePaths(2);
  const std::string bytes = Saved(*p);
  ASSERT_NE(bytes.find("13 {TRotate}"), std::string::npos);
  auto back = LoadRecord<TPolygon>(bytes, 2);
  ASSERT_EQ(back->TrafList()->Count(), 1);
  EXPECT_EQ(back->TrafList()->GetTraf(0)->period(), 41);
  EXPECT_EQ(Saved(*back), bytes);
}

TEST(ScenePolygonRecord, RecordsNestedBeyondReasonAreRefusedNotRecursedInto) {
  const std::string deep = Saved(*NestedTimePaths(200));
  TTextReader r(deep);
  r.ReadHeaderId();
  TPolygon p;
  try {
    p.LoadFromF(r);
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Records nested too deeply");
  }
  // The depth count unwinds with the error: a modest nesting still loads afterwards.
  const std::string modest = Saved(*NestedTimePaths(20));
  EXPECT_EQ(Saved(*LoadRecord<TPolygon>(modest, 2)), modest);
}

}  // namespace
