// The XML form: exact text written, what is read back, and malformed or hostile documents.
#include <gtest/gtest.h>

#include <vector>

#include "error_text.h"
#include "qor_test_item.h"
#include "qor_utils.h"

namespace {

class XmlFormTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestClasses(); }
};

TEST_F(XmlFormTest, EmptyListAndPlainObjectTexts) {
  EXPECT_EQ(TQorList().XMLData(),
            "<TQorList>\r\n<listitems count=\"0\">\r\n</listitems>\r\n</TQorList>\r\n");
  EXPECT_EQ(TQorObj().XMLData(), "<TQorObj>\r\n</TQorObj>\r\n");
}

TEST_F(XmlFormTest, ListObjectTextNestsTheListAfterItsElementClass) {
  TQorListObj obj;
  obj.SetElmClass(&TTestItem::StaticClass());
  obj.Add(std::make_unique<TTestItem>("a<&>", 5, 2.5));
  EXPECT_EQ(obj.XMLData(),
            "<TQorListObj>\r\n"
            "<cl>TTestItem</cl><TQorList>\r\n"
            "<listitems count=\"1\">\r\n"
            "<TTestItem>\r\n"
            "<name>a&lt;&amp;&gt;</name>\r\n"
            "<value>5</value>\r\n"
            "<weight> 2.50000000000000E+0000</weight>\r\n"
            "</TTestItem>\r\n"
            "</listitems>\r\n"
            "</TQorList>\r\n"
            "</TQorListObj>\r\n");
}

TEST_F(XmlFormTest, ListObjectReadsBackToAnEqualObject) {
  TQorListObj obj;
  obj.SetElmClass(&TTestItem::StaticClass());
  obj.Add(std::make_unique<TTestItem>("first", -3, 1e-20));
  obj.Add(std::make_unique<TTestItem>("\xC3\xA9t\xC3\xA9 \"q\" 'a'", 2147483647, -123456.789));
  obj.Add(std::make_unique<TTestItem>("", 0, 0));
  obj.Add(std::make_unique<TTestItem>("two\r\nlines\tand a tab\r", 1, 1));

  TQorListObj back;  // element class TQorObj, no items: both replaced
  back.SetXMLData(obj.XMLData());
  EXPECT_EQ(back.ElmClass(), &TTestItem::StaticClass());
  EXPECT_EQ(DescribeList(*back.List()), DescribeList(*obj.List()));
  EXPECT_EQ(back.XMLData(), obj.XMLData());

  // Nested list objects and mixed classes come back too.
  TQorListObj outer;
  outer.SetElmClass(&TQorListObj::StaticClass());
  outer.Add(obj.duplicate());
  outer.Add(std::make_unique<TTestMark>());
  outer.Add(std::make_unique<TQorListObj>());
  TQorListObj outer_back;
  outer_back.SetXMLData(outer.XMLData());
  EXPECT_EQ(DescribeList(*outer_back.List()), DescribeList(*outer.List()));
}

TEST_F(XmlFormTest, ItemClassComesFromTheClassAttributeOrElseTheElementName) {
  TQorList list;
  list.SetXMLData(
      "<TQorList><listitems count=\"3\">"
      "<entry class=\"TTestMark\"><mark>7</mark></entry>"
      "<TTestMark class=\"\"><mark>8</mark></TTestMark>"
      "<TTestItem><name>n</name><value>1</value><weight>0.5</weight></TTestItem>"
      "</listitems></TQorList>");
  EXPECT_EQ(DescribeList(list), "TTestMark:7;TTestMark:8;TTestItem:n|1| 5.00000000000000E-0001;");
}

TEST_F(XmlFormTest, ListObjectAlsoReadsListItemsPlacedDirectlyInside) {
  TQorListObj obj;
  obj.SetXMLData(
      "<TQorListObj><cl>TTestMark</cl>"
      "<listitems count=\"1\"><TTestMark><mark>3</mark></TTestMark></listitems></TQorListObj>");
  EXPECT_EQ(obj.ElmClass(), &TTestMark::StaticClass());
  EXPECT_EQ(DescribeList(*obj.List()), "TTestMark:3;");
}

TEST_F(XmlFormTest, ElementWithoutChildElementsLeavesTheListAlone) {
  TQorList list;
  list.Add(std::make_unique<TTestMark>());
  list.SetXMLData("<TQorList>just text</TQorList>");
  EXPECT_EQ(list.Count(), 1);
  // With children but no listitems, the list is emptied.
  list.SetXMLData("<TQorList><other/></TQorList>");
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(XmlFormTest, CountOnlySizesTheList) {
  for (const char* count : {"2000000000", "-4", "x", ""}) {
    TQorList list;
    list.SetXMLData(std::string("<TQorList><listitems count=\"") + count +
                    "\"><TTestMark><mark>1</mark></TTestMark></listitems></TQorList>");
    EXPECT_EQ(list.Count(), 1) << count;
    EXPECT_LT(list.Capacity(), 1000) << count;
  }
}

TEST_F(XmlFormTest, UnusableDocumentsStopWithAnError) {
  struct Case {
    const char* what;
    std::string xml;
    std::string error;  // the start of the message
  };
  const std::vector<Case> cases = {
      {"empty", "", "XML document has no root element"},
      {"only a comment", "<!-- nothing -->", "XML document has no root element"},
      {"not XML", "hello", "XML document has no root element"},
      {"unclosed", "<TQorList><listitems>", "XML parse error: "},
      {"mismatched", "<TQorList></TQorLisT>", "XML parse error: "},
      {"truncated", TQorList().XMLData().substr(0, 30), "XML parse error: "},
      {"bad attribute", "<TQorList><listitems count=5/></TQorList>", "XML parse error: "},
      {"unregistered element class", "<TQorListObj><cl>TNobody</cl></TQorListObj>",
       "Class not found: TNobody"},
      {"unregistered item", "<TQorList><listitems><TNobody/></listitems></TQorList>",
       "Class not found: TNobody"},
      {"unregistered class attribute",
       "<TQorList><listitems><TTestMark class=\"TGhost\"/></listitems></TQorList>",
       "Class not found: TGhost"},
      {"item's own reader", "<TQorList><listitems><TTestMark/></listitems></TQorList>",
       "Invalid mark"},
  };
  for (const Case& c : cases) {
    TQorListObj obj;
    const std::string error = ErrorOf([&] { obj.SetXMLData(c.xml); });
    EXPECT_EQ(error.substr(0, c.error.size()), c.error) << c.what << ": " << error;
  }
}

TEST_F(XmlFormTest, ParseErrorsSayWhere) {
  TQorList list;
  EXPECT_EQ(ErrorOf([&] { list.SetXMLData("<a><b></a>"); }),
            "XML parse error: Start-end tags mismatch at offset 8");
}

TEST_F(XmlFormTest, DeepDocumentsAreRefusedWithoutExhaustingTheStack) {
  // Far beyond any stack a recursive reader could survive.
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "<a>";
  for (int i = 0; i < 200000; ++i) deep += "</a>";
  TQorList list;
  EXPECT_EQ(ErrorOf([&] { list.SetXMLData(deep); }), "XML nesting too deep");

  // Shallow enough for the parser, but list objects nested deeper than loaders may go.
  std::string nested = "<TQorListObj><cl>TQorListObj</cl><TQorList><listitems>";
  std::string tail;
  for (int i = 0; i < 60; ++i) {
    nested += "<TQorListObj><listitems>";
    tail = "</listitems></TQorListObj>" + tail;
  }
  nested += tail + "</listitems></TQorList></TQorListObj>";
  TQorListObj obj;
  EXPECT_EQ(ErrorOf([&] { obj.SetXMLData(nested); }), "Records nested too deeply");

  // Nothing is left counted after the failure.
  obj.SetXMLData("<TQorListObj><cl>TTestMark</cl><TQorList><listitems><TTestMark><mark>1</mark>"
                 "</TTestMark></listitems></TQorList></TQorListObj>");
  EXPECT_EQ(obj.Count(), 1);
}

TEST_F(XmlFormTest, TheSameObjectRoundTripsThroughBothForms) {
  TQorListObj obj;
  obj.SetElmClass(&TTestItem::StaticClass());
  obj.Add(std::make_unique<TTestItem>("x", 1, 0.1));
  obj.Add(std::make_unique<TTestItem>("y\xE2\x82\xAC", -1, 1e300));
  obj.Add(std::make_unique<TTestItem>("z", 3, -2.75));

  TMemoryStream s;
  obj.SaveToStream(s);
  s.SetPosition(0);
  TQorListObj via_stream;
  via_stream.LoadFromStream(s);
  TQorListObj via_both;
  via_both.SetXMLData(via_stream.XMLData());
  EXPECT_EQ(via_both.ElmClass(), &TTestItem::StaticClass());
  EXPECT_EQ(DescribeList(*via_both.List()), DescribeList(*obj.List()));
  TMemoryStream again;
  via_both.SaveToStream(again);
  EXPECT_EQ(again.Bytes(), s.Bytes());
}

}  // namespace
