// The persistence base: ownership, copying, the class registry, the generic text forms and the
// helpers.
#include <gtest/gtest.h>

#include <filesystem>

#include "qor_matrix.h"
#include "qor_utils.h"

namespace {

int g_alive = 0;

// A persistent object that counts its instances and stores one number.
class TCounted : public TQorObj {
  QOR_CLASS(TCounted)
 public:
  TCounted() { ++g_alive; }
  ~TCounted() override { --g_alive; }
  bool LoadFromF(TTextReader& f) override {
    value = f.ReadInteger();
    f.ReadLn();
    return true;
  }
  bool SaveToF(TTextWriter& f) const override {
    f.IntLine(value);
    return true;
  }
  void AssignTo(TQorObj& dest) const override {
    if (auto* d = dynamic_cast<TCounted*>(&dest)) d->value = value;
  }
  int value = 0;
};

// A subclass that does not override AssignTo: copies of it are fresh default objects.
class TPlain : public TQorObj {
  QOR_CLASS(TPlain)
 public:
  int value = 7;
};

class TCountedList : public TQorList {
  QOR_LIST_CLASS(TCountedList)
 public:
  TCountedList() { ++g_alive; }
  ~TCountedList() override { --g_alive; }
};

TEST(Ownership, DestroyingAListFreesNestedListsAndTheirItems) {
  g_alive = 0;
  {
    auto outer = std::make_unique<TCountedList>();
    auto inner = std::make_unique<TCountedList>();
    inner->Add(std::make_unique<TCounted>());
    inner->Add(std::make_unique<TCounted>());
    outer->Add(std::move(inner));
    outer->Add(std::make_unique<TCounted>());
    EXPECT_EQ(g_alive, 5);
  }
  EXPECT_EQ(g_alive, 0);
}

TEST(Ownership, FreeItemClearAllDeleteAndExtract) {
  g_alive = 0;
  TQorList list;
  for (int i = 0; i < 4; ++i) list.Add(std::make_unique<TCounted>());
  list.FreeItem(list.Count());  // outside the list: nothing happens
  list.FreeItem(-1);
  EXPECT_EQ(list.Count(), 4);
  list.FreeItem(0);
  EXPECT_EQ(g_alive, 3);
  std::unique_ptr<TQorBase> taken = list.Delete(0);  // ownership handed back
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(g_alive, 3);
  TQorBase* second = list.Items(1);
  std::unique_ptr<TQorBase> extracted = list.Extract(second);
  EXPECT_EQ(extracted.get(), second);
  EXPECT_EQ(list.Extract(second), nullptr);
  list.ClearAll();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(g_alive, 2);
  EXPECT_THROW(list.Items(0), EQorError);
}

TEST(Copying, DuplicateUsesTheVirtualConstructorAndAssignTo) {
  auto m = std::make_unique<tmat2d>(tmat2d::rot(0.5));
  m->SetMatIJ(0, 2, 3.0);
  std::unique_ptr<TQorObj> copy = m->duplicate();
  auto* mc = dynamic_cast<tmat2d*>(copy.get());
  ASSERT_NE(mc, nullptr);
  EXPECT_NE(mc, m.get());
  EXPECT_TRUE(*mc == *m);
  m->SetMatIJ(0, 0, 9.0);  // independent
  EXPECT_NE(mc->GetMatIJ(0, 0), 9.0);

  TPlain plain;
  plain.value = 99;
  std::unique_ptr<TQorObj> fresh = plain.duplicate();
  ASSERT_NE(dynamic_cast<TPlain*>(fresh.get()), nullptr);
  EXPECT_EQ(dynamic_cast<TPlain*>(fresh.get())->value, 7);

  // Assigning between unrelated classes changes nothing and raises nothing.
  tvec2d v = tvec2d::createxy(1, 2);
  v.Assign(*m);
  EXPECT_EQ(v.x, 1);
}

TEST(Copying, ListDuplicateCopiesObjectsAndNestedLists) {
  TQorList list;
  auto c = std::make_unique<TCounted>();
  c->value = 5;
  list.Add(std::move(c));
  auto inner = std::make_unique<TCountedList>();
  inner->Add(std::make_unique<TCounted>());
  list.Add(std::move(inner));
  std::unique_ptr<TQorList> copy = list.duplicate();
  ASSERT_EQ(copy->Count(), 2);
  EXPECT_EQ(dynamic_cast<TCounted*>(copy->Items(0))->value, 5);
  EXPECT_NE(copy->Items(0), list.Items(0));
  auto* inner_copy = dynamic_cast<TCountedList*>(copy->Items(1));
  ASSERT_NE(inner_copy, nullptr);
  EXPECT_EQ(inner_copy->Count(), 1);
}

TEST(GenericTextForm, ListObjRoundTripsThroughTheRegistry) {
  RegisterQorClass(TCounted::StaticClass());
  TQorListObj obj;
  obj.SetElmClass(&TCounted::StaticClass());
  for (int v : {3, -4}) {
    auto c = std::make_unique<TCounted>();
    c->value = v;
    obj.Add(std::move(c));
  }
  TTextWriter w;
  obj.SaveToF(w);
  EXPECT_EQ(w.Bytes(), "TCounted\r\n2\r\n3\r\n-4\r\n");

  TQorListObj back;
  TTextReader r(w.Bytes());
  back.LoadFromF(r);
  EXPECT_EQ(back.ElmClass(), &TCounted::StaticClass());
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(dynamic_cast<TCounted*>(back.GetItems(1))->value, -4);

  TQorListObj assigned;
  assigned.Assign(obj);
  ASSERT_EQ(assigned.Count(), 2);
  EXPECT_EQ(dynamic_cast<TCounted*>(assigned.GetItems(0))->value, 3);
}

TEST(GenericTextForm, UnknownClassNamesAndHostileCountsStopTheLoad) {
  TQorListObj obj;
  TTextReader unknown("TNoSuchClass\r\n0\r\n");
  try {
    obj.LoadFromF(unknown);
    ADD_FAILURE();
  } catch (const EQorError& e) {
    EXPECT_NE(std::string(e.what()).find("TNoSuchClass"), std::string::npos);
  }
  RegisterQorClass(TCounted::StaticClass());
  TTextReader hostile("TCounted\r\n2000000000\r\n1\r\n2\r\n");
  try {
    obj.LoadFromF(hostile);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Unexpected end of file");
  }
  EXPECT_EQ(obj.Count(), 2);  // what was read before the error stays
}

TEST(GenericTextForm, FilesAreClosedAndErrorsPropagate) {
  const auto path = (std::filesystem::temp_directory_path() / "gravonaut_obj_test.txt").string();
  TQorList list;
  list.Add(std::make_unique<TCounted>());
  EXPECT_TRUE(list.SaveToFile(path));
  TQorList back;
  EXPECT_TRUE(back.LoadFromFile(path, &TCounted::StaticClass()));
  EXPECT_EQ(back.Count(), 1);
  std::filesystem::remove(path);
  EXPECT_THROW(back.LoadFromFile(path, &TCounted::StaticClass()), EInOutError);
}

TEST(Helpers, BlendColorRoundsHalvesToEven) {
  EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 0.5), 0x808080);  // 127.5 -> 128
  EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 0.25), 0x404040);  // 63.75 -> 64
  EXPECT_EQ(BlendColor(0x123456, 0xABCDEF, 0.0), 0x123456);
  EXPECT_EQ(BlendColor(0x123456, 0xABCDEF, 1.0), 0xABCDEF);
  EXPECT_EQ(BlendColor(0x000001, 0x000002, 0.5), 0x000002);  // 1.5 -> 2
  EXPECT_EQ(BlendColor(0x000002, 0x000003, 0.5), 0x000002);  // 2.5 -> 2
  EXPECT_EQ(BlendColor(-1, 0, 0.0), 0xFFFFFF);  // the top byte never survives
}

TEST(Helpers, ScaleToScreenRoundsHalvesAwayFromZero) {
  SetScreenPixelsPerInch(96);
  EXPECT_EQ(ScaleToScreen(3), 3);
  SetScreenPixelsPerInch(144);
  EXPECT_EQ(ScaleToScreen(3), 5);   // 4.5 -> 5
  EXPECT_EQ(ScaleToScreen(-3), -5);
  SetScreenPixelsPerInch(120);
  EXPECT_EQ(ScaleToScreen(2), 3);   // 2.5 -> 3
  SetScreenPixelsPerInch(96);
}

TEST(Helpers, JoinStr) {
  EXPECT_EQ(JoinStr("a", ", ", "b"), "a, b");
  EXPECT_EQ(JoinStr("", ", ", "b"), "b");
  EXPECT_EQ(JoinStr("a", ", ", ""), "a");
}

}  // namespace
