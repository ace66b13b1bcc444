// The stream form: byte layout, records that delimit themselves, and hostile input.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "error_text.h"
#include "qor_test_item.h"
#include "qor_utils.h"

namespace {

using namespace std::string_literals;

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

void PutInt64(std::string& bytes, std::size_t at, std::int64_t v) {
  for (int i = 0; i < 8; ++i) bytes[at + i] = static_cast<char>(static_cast<std::uint64_t>(v) >> (8 * i));
}

class StreamFormTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestClasses(); }

  // A TQorListObj of TTestItem with n items.
  static std::unique_ptr<TQorListObj> Items(int n) {
    auto obj = std::make_unique<TQorListObj>();
    obj->SetElmClass(&TTestItem::StaticClass());
    for (int i = 0; i < n; ++i) {
      obj->Add(std::make_unique<TTestItem>("item" + std::to_string(i), i * 10 - 7, i + 0.25));
    }
    return obj;
  }

  static std::string Record(const TQorListObj& obj) {
    TMemoryStream s;
    obj.SaveToStream(s);
    return s.Bytes();
  }
};

// ---------------------------------------------------------------------------- bytes

TEST(StreamBytes, IntegersAndStringsAreLittleEndianUtf16) {
  struct Case {
    const char* what;
    std::function<void(TQorStream&)> write;
    const char* hex;
  };
  const std::vector<Case> cases = {
      {"int32 -2", [](TQorStream& s) { s.WriteInt32(-2); }, "FE FF FF FF"},
      {"int32", [](TQorStream& s) { s.WriteInt32(0x01020304); }, "04 03 02 01"},
      {"int64", [](TQorStream& s) { s.WriteInt64(0x0102030405060708); }, "08 07 06 05 04 03 02 01"},
      {"double 1.5", [](TQorStream& s) { s.WriteDouble(1.5); }, "00 00 00 00 00 00 F8 3F"},
      {"empty string", [](TQorStream& s) { s.WriteStreamString(""); }, "00 00 00 00"},
      {"latin", [](TQorStream& s) { s.WriteStreamString("A\xC3\xA9"); }, "02 00 00 00 41 00 E9 00"},
      {"astral pair", [](TQorStream& s) { s.WriteStreamString("\xF0\x9F\x98\x80"); },
       "02 00 00 00 3D D8 00 DE"},
  };
  for (const Case& c : cases) {
    TMemoryStream s;
    c.write(s);
    EXPECT_EQ(Hex(s.Bytes()), c.hex) << c.what;
  }
}

TEST(StreamBytes, StringsReadBackAndNonPositiveLengthsAreEmpty) {
  TMemoryStream s;
  for (const char* text : {"", "TTestItem", "A\xC3\xA9", "\xF0\x9F\x98\x80 \xE2\x82\xAC"}) {
    s.WriteStreamString(text);
  }
  s.WriteInt32(-5);  // a negative length: empty, and no code units follow
  s.WriteInt32(77);
  s.SetPosition(0);
  for (const char* text : {"", "TTestItem", "A\xC3\xA9", "\xF0\x9F\x98\x80 \xE2\x82\xAC"}) {
    EXPECT_EQ(s.ReadStreamString(), text);
  }
  EXPECT_EQ(s.ReadStreamString(), "");
  EXPECT_EQ(s.ReadInt32(), 77);
}

TEST(StreamBytes, MalformedTextBecomesReplacementCharacters) {
  // Unpaired surrogates from a stream, and broken UTF-8 written to one.
  EXPECT_EQ(Utf16ToUtf8(u"a\xD800" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\xFFFD" "b");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\xFFFD");        // truncated sequence
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\xFFFD");        // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\xFFFD");    // encoded surrogate
}

TEST(StreamBytes, ReadingPastTheEndRaisesAndReadsNothing) {
  TMemoryStream s(std::string("\x01\x02\x03", 3));
  EXPECT_EQ(ErrorOf([&] { s.ReadInt32(); }), "Stream read error");
  EXPECT_EQ(s.Position(), 0);

  // A length far beyond the bytes present is refused before anything is allocated.
  TMemoryStream huge(std::string("\xFF\xFF\xFF\x7F" "ab", 6));
  EXPECT_EQ(ErrorOf([&] { huge.ReadStreamString(); }), "Stream read error");
  TMemoryStream odd(std::string("\x02\x00\x00\x00" "abc", 7));  // 2 units need 4 bytes
  EXPECT_EQ(ErrorOf([&] { odd.ReadStreamString(); }), "Stream read error");

  EXPECT_EQ(ErrorOf([&] { s.SetPosition(-1); }), "Stream seek error");
}

TEST(StreamBytes, WritingPastTheEndFillsTheGapWithZeros) {
  TMemoryStream s;
  s.SetPosition(3);
  s.WriteInt32(-1);
  EXPECT_EQ(Hex(s.Bytes()), "00 00 00 FF FF FF FF");
}

// ---------------------------------------------------------------------------- base classes

TEST_F(StreamFormTest, BaseObjectHasNoStreamForm) {
  TQorObj obj;
  TMemoryStream s(std::string(16, '\0'));
  EXPECT_EQ(ErrorOf([&] { obj.SaveToStream(s); }), "Not implemented");
  EXPECT_EQ(ErrorOf([&] { obj.LoadFromStream(s); }), "Not implemented");
  // A list object of plain TQorObj elements fails the same way once it has an element.
  TQorListObj lo;
  lo.Add(std::make_unique<TQorObj>());
  EXPECT_EQ(ErrorOf([&] { lo.SaveToStream(s); }), "Not implemented");
}

TEST_F(StreamFormTest, ListObjectRecordLayout) {
  auto obj = Items(1);
  const std::string bytes = Record(*obj);
  const std::string name = "TTestItem";
  // length, element class name, count, then the item's own record without a class name
  const std::size_t expected = 8 + (4 + 2 * name.size()) + 4 + (4 + 2 * 5) + 4 + 8;
  ASSERT_EQ(bytes.size(), expected);
  std::int64_t length = 0;
  for (int i = 7; i >= 0; --i) length = length << 8 | static_cast<unsigned char>(bytes[i]);
  EXPECT_EQ(length, static_cast<std::int64_t>(expected));
  EXPECT_EQ(Hex(bytes.substr(8, 6)), "09 00 00 00 54 00");  // 9 units, "T"
  EXPECT_EQ(Hex(bytes.substr(8 + 22, 8)), "01 00 00 00 05 00 00 00");  // count 1, name "item0"
}

TEST_F(StreamFormTest, ListObjectReadAfterOtherDataEndsExactlyAfterItsRecord) {
  auto obj = Items(3);
  TMemoryStream s;
  s.WriteStreamString("other data first");
  const std::int64_t start = s.Position();
  obj->SaveToStream(s);
  const std::int64_t end = s.Position();
  EXPECT_EQ(end, s.Size());
  s.WriteInt32(12345);  // the next record

  s.SetPosition(start);
  TQorListObj back;
  back.LoadFromStream(s);
  EXPECT_EQ(s.Position(), end);
  EXPECT_EQ(s.ReadInt32(), 12345);
  EXPECT_EQ(back.ElmClass(), &TTestItem::StaticClass());
  ASSERT_EQ(back.Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_NE(dynamic_cast<TTestItem*>(back.GetItems(i)), nullptr);
  EXPECT_EQ(DescribeList(*back.List()), DescribeList(*obj->List()));
}

TEST_F(StreamFormTest, ReadingReplacesItemsAndAcceptsAnEmptyList) {
  TMemoryStream s;
  TQorListObj empty;
  empty.SaveToStream(s);
  EXPECT_EQ(s.Size(), 8 + 4 + 2 * 7 + 4);  // "TQorObj", count 0

  auto target = Items(2);
  s.SetPosition(0);
  target->LoadFromStream(s);
  EXPECT_EQ(target->Count(), 0);
  EXPECT_EQ(target->ElmClass(), &TQorObj::StaticClass());
}

TEST_F(StreamFormTest, ReaderResumesAfterARecordLongerThanItReads) {
  // A record written by a newer version may carry bytes this reader does not know: they are
  // skipped by the record's length.
  std::string bytes = Record(*Items(2));
  bytes += "xyz";
  PutInt64(bytes, 0, static_cast<std::int64_t>(bytes.size()));
  TMemoryStream s(bytes);
  s.SeekToEnd();
  s.WriteInt32(-9);
  s.SetPosition(0);
  TQorListObj back;
  back.LoadFromStream(s);
  EXPECT_EQ(back.Count(), 2);
  EXPECT_EQ(s.ReadInt32(), -9);
}

TEST_F(StreamFormTest, CorruptRecordsStopWithAnError) {
  const std::string good = Record(*Items(2));
  const std::size_t count_at = 8 + 4 + 2 * 9;
  struct Case {
    const char* what;
    std::function<void(std::string&)> spoil;
    const char* error;
  };
  const std::vector<Case> cases = {
      {"length below its own size", [](std::string& b) { PutInt64(b, 0, 7); },
       "Invalid record length in stream (7)"},
      {"negative length", [](std::string& b) { PutInt64(b, 0, -1); },
       "Invalid record length in stream (-1)"},
      {"length beyond the stream", [&](std::string& b) { PutInt64(b, 0, 1LL << 40); },
       "Invalid record length in stream (1099511627776)"},
      // The last item would have to read past the record's end into what follows it.
      {"length cutting the last item", [&](std::string& b) {
         PutInt64(b, 0, static_cast<std::int64_t>(good.size()) - 4);
       }, "Stream read error"},
      {"count in the billions", [&](std::string& b) {
         std::memcpy(&b[count_at], "\xFF\xFF\xFF\x7F", 4);
       }, "Invalid list count in stream (2147483647)"},
      {"negative count", [&](std::string& b) { std::memcpy(&b[count_at], "\xFE\xFF\xFF\xFF", 4); },
       "Invalid list count in stream (-2)"},
      {"unregistered element class", [](std::string& b) { b[12] = 'X'; },
       "Class not found: XTestItem"},
  };
  for (const Case& c : cases) {
    std::string bytes = good;
    c.spoil(bytes);
    bytes += std::string(8, '\0');  // something after the record for a wrong length to reach
    TMemoryStream s(bytes);
    TQorListObj back;
    EXPECT_EQ(ErrorOf([&] { back.LoadFromStream(s); }), c.error) << c.what;
  }
}

TEST_F(StreamFormTest, FailedRecordWithAValidLengthLeavesTheStreamAfterIt) {
  std::string bytes = Record(*Items(1));
  bytes[12] = 'X';  // unregistered element class
  TMemoryStream s(bytes + "\x2A\0\0\0"s);
  TQorListObj back;
  EXPECT_THROW(back.LoadFromStream(s), EQorError);
  EXPECT_EQ(s.Position(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(s.ReadInt32(), 42);
}

TEST_F(StreamFormTest, EveryTruncationOfAStreamIsAnError) {
  // A list of list objects: records inside records.
  TQorList list;
  list.Add(Items(2));
  list.Add(std::make_unique<TTestMark>());
  list.Add(Items(0));
  TMemoryStream full;
  list.SaveToStream(full);
  for (std::size_t n = 0; n < full.Bytes().size(); ++n) {
    TMemoryStream s(full.Bytes().substr(0, n));
    TQorList back;
    EXPECT_THROW(back.LoadFromStream(s), EQorError) << "prefix of " << n << " bytes";
  }
  TMemoryStream s(full.Bytes());
  TQorList back;
  back.LoadFromStream(s);
  EXPECT_EQ(DescribeList(back), DescribeList(list));
}

// ---------------------------------------------------------------------------- TQorList

TEST_F(StreamFormTest, ListStoresClassNamesAndReadsThemWhenNoClassIsGiven) {
  TQorList list;
  list.Add(std::make_unique<TTestItem>("a", 1, -0.5));
  auto mark = std::make_unique<TTestMark>();
  mark->mark = 99;
  list.Add(std::move(mark));
  list.Add(Items(1));
  TMemoryStream s;
  list.SaveToStream(s);
  EXPECT_EQ(Hex(s.Bytes().substr(0, 8)), "03 00 00 00 09 00 00 00");  // count 3, "TTestItem"

  s.SetPosition(0);
  TQorList back;
  back.Add(std::make_unique<TTestMark>());  // replaced by what is read
  back.LoadFromStream(s);
  EXPECT_EQ(DescribeList(back), DescribeList(list));
  EXPECT_EQ(s.Position(), s.Size());
}

TEST_F(StreamFormTest, ListReadsEveryEntryAsTheGivenClass) {
  TQorList list;
  list.Add(std::make_unique<TTestItem>("a", 5, 2));
  TMemoryStream s;
  list.SaveToStream(s);
  // The stored class name is not used when the reader names the class: a class whose record
  // is a single integer reads the string length of "a" from the item written above.
  s.SetPosition(0);
  TQorList back;
  back.LoadFromStream(s, &TTestItem::StaticClass());
  EXPECT_EQ(DescribeList(back), "TTestItem:a|5| 2.00000000000000E+0000;");
  s.SetPosition(0);
  back.LoadFromStream(s, &TTestMark::StaticClass());
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(dynamic_cast<TTestMark*>(back.Items(0))->mark, 1);
}

TEST_F(StreamFormTest, ListStopsAtUnregisteredNamesAndImpossibleCounts) {
  TMemoryStream s;
  s.WriteInt32(1);
  s.WriteStreamString("TNobody");
  s.SetPosition(0);
  TQorList back;
  EXPECT_EQ(ErrorOf([&] { back.LoadFromStream(s); }), "Class not found: TNobody");

  TMemoryStream counted;
  counted.WriteInt32(3);  // three entries need at least 12 more bytes
  counted.WriteInt64(0);
  counted.SetPosition(0);
  EXPECT_EQ(ErrorOf([&] { back.LoadFromStream(counted); }), "Invalid list count in stream (3)");
}

TEST_F(StreamFormTest, DeeplyNestedRecordsAreRefusedAndTheReaderRecovers) {
  // 150 list objects, each the only element of the one around it.
  std::unique_ptr<TQorListObj> inner = Items(1);
  for (int i = 0; i < 150; ++i) {
    auto outer = std::make_unique<TQorListObj>();
    outer->SetElmClass(&TQorListObj::StaticClass());
    outer->Add(std::move(inner));
    inner = std::move(outer);
  }
  TMemoryStream s;
  inner->SaveToStream(s);
  s.SetPosition(0);
  TQorListObj back;
  EXPECT_EQ(ErrorOf([&] { back.LoadFromStream(s); }), "Records nested too deeply");

  // The failed load left no nesting behind: a record of ordinary depth still reads.
  TMemoryStream ok(Record(*Items(2)));
  back.LoadFromStream(ok);
  EXPECT_EQ(back.Count(), 2);
}

}  // namespace
