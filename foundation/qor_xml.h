#pragma once
// The XML document reader behind the XML form of the persistence base (pugixml underneath), and
// small helpers for classes that write their own XML.
//
// The XML form lives in memory as UTF-8 text whose lines end in CR LF, for example the empty
// list "<TQorList>\r\n<listitems count=\"0\">\r\n</listitems>\r\n</TQorList>\r\n".
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pugi {
class xml_document;
struct xml_node_struct;
}  // namespace pugi

// An element of a parsed document, or a null node. Valid while its document lives.
class TXmlNode {
 public:
  TXmlNode() = default;
  bool IsNull() const { return node_ == nullptr; }
  explicit operator bool() const { return node_ != nullptr; }

  // The element's name; "" for a null node.
  std::string Name() const;
  // The attribute's value; "" when the attribute (or the node) is missing.
  std::string Attribute(std::string_view name) const;
  bool HasAttribute(std::string_view name) const;
  // The first child element of that name, or a null node.
  TXmlNode Child(std::string_view name) const;
  // The child elements in document order (text, comments and the like are left out).
  std::vector<TXmlNode> Elements() const;
  bool HasElements() const;
  // The text directly inside the element (its first text or CDATA child); "" when none.
  std::string Text() const;
  // Text() of the first child element of that name.
  std::string ChildText(std::string_view name) const { return Child(name).Text(); }

 private:
  friend class TXmlDocument;
  explicit TXmlNode(pugi::xml_node_struct* node) : node_(node) {}
  pugi::xml_node_struct* node_ = nullptr;
};

class TXmlDocument {
 public:
  TXmlDocument();
  ~TXmlDocument();
  TXmlDocument(const TXmlDocument&) = delete;
  TXmlDocument& operator=(const TXmlDocument&) = delete;

  // Parses UTF-8 text. Raises EQorError "XML parse error: <what> at offset <n>" for text that is
  // not well-formed, "XML document has no root element" for one without an element, and
  // "XML nesting too deep" past kMaxXmlDepth levels of elements.
  void Parse(std::string_view utf8);
  TXmlNode Root() const;

 private:
  std::unique_ptr<pugi::xml_document> doc_;
};

// Deeper documents are refused when parsed, so that nothing that walks a document recursively
// can run out of stack.
constexpr int kMaxXmlDepth = 256;

// Text made safe for element content and attribute values: &, <, >, " and ' escaped, and CR, LF
// and tab written as character references so that they read back unchanged.
std::string XmlEscape(std::string_view text);
// "<name>" + escaped text + "</name>" (no line end).
std::string XmlTextElement(std::string_view name, std::string_view text);
