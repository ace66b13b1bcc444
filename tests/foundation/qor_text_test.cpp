// The text form: number formats, line handling, code page and the end-of-file rules.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>

#include "qor_utils.h"

namespace {

struct RealCase {
  double value;
  const char* text;
};

const RealCase kRealCases[] = {
    {1.5, " 1.50000000000000E+0000"},
    {-0.25, "-2.50000000000000E-0001"},
    {0.0, " 0.00000000000000E+0000"},
    {50.0, " 5.00000000000000E+0001"},
    {1e-20, " 1.00000000000000E-0020"},
    {-123456.789, "-1.23456789000000E+0005"},
    {1e300, " 1.00000000000000E+0300"},
    {-0.0, " 0.00000000000000E+0000"},
};

TEST(RealFormat, WritesTheFixedExponentFormAndReadsItBack) {
  for (const auto& c : kRealCases) {
    SCOPED_TRACE(c.text);
    const std::string s = FormatReal(c.value);
    EXPECT_EQ(s, c.text);
    EXPECT_EQ(s.size(), 23u);
    TTextReader r(s);
    EXPECT_EQ(r.ReadReal(), c.value);
  }
}

TEST(RealFormat, IgnoresTheProcessLocale) {
  // A locale with a decimal comma must not leak into the files.
  const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "C.UTF-8"};
  std::string old = std::setlocale(LC_ALL, nullptr);
  for (const char* loc : locales) {
    if (!std::setlocale(LC_ALL, loc)) continue;
    EXPECT_EQ(FormatReal(1.5), " 1.50000000000000E+0000") << loc;
    TTextReader r("-2.50000000000000E-0001");
    EXPECT_EQ(r.ReadReal(), -0.25) << loc;
  }
  std::setlocale(LC_ALL, old.c_str());
}

TEST(RealFormat, RoundsToFifteenSignificantDigits) {
  const double v = 0.1234567890123456789;
  const std::string s = FormatReal(v);
  EXPECT_EQ(s, " 1.23456789012346E-0001");
  TTextReader r(s);
  EXPECT_EQ(r.ReadReal(), 0.123456789012346);
  EXPECT_NE(r.ReadReal(), v);
}

TEST(RealFormat, NonFiniteValuesAreRightAlignedAndReadBack) {
  EXPECT_EQ(FormatReal(std::numeric_limits<double>::infinity()), std::string(19, ' ') + "+Inf");
  EXPECT_EQ(FormatReal(-std::numeric_limits<double>::infinity()), std::string(19, ' ') + "-Inf");
  EXPECT_EQ(FormatReal(std::nan("")), std::string(20, ' ') + "Nan");
  // A saved file must load again: the reader accepts what the writer writes.
  TTextReader r(FormatReal(-std::numeric_limits<double>::infinity()) + " " + FormatReal(NAN));
  EXPECT_EQ(r.ReadReal(), -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(r.ReadReal()));
}

TEST(RealParse, AcceptsPlainDecimalFormsAndRejectsTheRest) {
  struct Case {
    const char* token;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {"42", true, 42},       {"-3.5", true, -3.5}, {"+2", true, 2},      {"1e3", true, 1000},
      {"1.5E-0001", true, .15}, {".5", true, 0.5},  {"5.", true, 5},      {"1e-400", true, 0},
      {"x", false, 0},        {"1.2.3", false, 0},  {"1e", false, 0},     {"--1", false, 0},
      {"1e400", false, 0},    {"0x10", false, 0},   {"", false, 0},       {"1,5", false, 0},
  };
  for (const auto& c : cases) {
    double v = -99;
    EXPECT_EQ(ParseReal(c.token, v), c.ok) << c.token;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.token;
    }
  }
}

TEST(IntegerParse, DecimalOnlyWithinThirtyTwoBits) {
  std::int32_t v = 0;
  EXPECT_TRUE(ParseInteger("-2147483648", v));
  EXPECT_EQ(v, std::numeric_limits<std::int32_t>::min());
  EXPECT_TRUE(ParseInteger("2147483647", v));
  EXPECT_FALSE(ParseInteger("2147483648", v));
  EXPECT_FALSE(ParseInteger("99999999999999999999999", v));
  EXPECT_FALSE(ParseInteger("$FF", v));
  EXPECT_FALSE(ParseInteger("1.0", v));
  EXPECT_FALSE(ParseInteger("-", v));
}

TEST(TextReader, ReadsNumbersAcrossBlanksAndLines) {
  TTextReader r("  42 {TSide}\r\n\r\n\t-7   8\r\n 1.5");
  EXPECT_EQ(r.ReadInteger(), 42);
  r.ReadLn();  // the rest of the header line is skipped, class name unused
  EXPECT_EQ(r.ReadInteger(), -7);  // taken from the next non-empty line
  EXPECT_EQ(r.ReadInteger(), 8);
  r.ReadLn();
  EXPECT_EQ(r.ReadReal(), 1.5);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.ReadInteger(), 0);  // at the end of the file a number reads as 0
  EXPECT_EQ(r.ReadReal(), 0.0);
}

TEST(TextReader, MalformedNumbersRaiseInvalidNumericInput) {
  for (const char* text : {"x", "12a", "1.5", "\x01"}) {
    TTextReader r(text);
    try {
      r.ReadInteger();
      ADD_FAILURE() << "no error for " << text;
    } catch (const EInOutError& e) {
      EXPECT_STREQ(e.what(), "Invalid numeric input");
    }
  }
  TTextReader r("abc");
  EXPECT_THROW(r.ReadReal(), EInOutError);
}

TEST(TextReader, StringsTakeTheRestOfTheLineAndComeBackAsUtf8) {
  TTextReader r("7  H\xF6hle \x80 \r\nnext\nlast");
  EXPECT_EQ(r.ReadInteger(), 7);
  EXPECT_EQ(r.ReadString(), "  H\xC3\xB6hle \xE2\x82\xAC ");
  r.ReadLn();
  EXPECT_EQ(r.ReadString(), "next");  // a bare LF ends a line too
  r.ReadLn();
  EXPECT_EQ(r.ReadString(), "last");
  r.ReadLn();
  EXPECT_TRUE(r.Eof());
  EXPECT_EQ(r.ReadString(), "");
}

TEST(TextReader, RequireEntryStopsCountedListsAtTheEnd) {
  TTextReader r("1\r\n  \r\n");
  EXPECT_NO_THROW(r.RequireEntry());
  r.ReadHeaderId();
  try {
    r.RequireEntry();
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Unexpected end of file");
  }
}

TEST(TextWriter, WritesFieldsWithOneBlankAndCrLf) {
  TTextWriter w;
  w.Header(16, "TTrafList").IntLine(0).RealsLine({1.0, -1.0, 0.0});
  w.Integer(1).Blank().Integer(-2).EndLine().StrLine("H\xC3\xB6hle \xE2\x82\xAC \xE4\xB8\xAD");
  EXPECT_EQ(w.Bytes(),
            "16 {TTrafList}\r\n0\r\n"
            " 1.00000000000000E+0000 -1.00000000000000E+0000  0.00000000000000E+0000\r\n"
            "1 -2\r\nH\xF6hle \x80 ?\r\n");
}

TEST(CodePage, RoundTripsEveryWindows1252Byte) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Utf8ToCp1252("\xFF\xFE"), "??");  // not UTF-8: one "?" a byte
}

TEST(Files, MissingFileAndUnwritablePathReportThePlatformError) {
  try {
    TTextReader::FromFile("/nonexistent/dir/file.cav");
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_THROW(WriteFileBytes("/nonexistent/dir/file.cav", "x"), EInOutError);
}

TEST(Files, SaveAndLoadThroughFiles) {
  const auto path = std::filesystem::temp_directory_path() / "gravonaut_text_test.txt";
  TTextWriter w;
  w.IntLine(5).RealsLine({2.5});
  w.SaveToFile(path.string());
  TTextReader r = TTextReader::FromFile(path.string());
  EXPECT_EQ(r.ReadInteger(), 5);
  EXPECT_EQ(r.ReadReal(), 2.5);
  std::filesystem::remove(path);
}

}  // namespace
