#include "qor_xml.h"

#include <pugixml.hpp>
#include <string>

#include "qor_errors.h"

namespace {

pugi::xml_node Node(pugi::xml_node_struct* n) { return pugi::xml_node(n); }

// The depth of the deepest element, found without recursion.
int MaxDepth(const pugi::xml_node& root) {
  int depth = 0;
  int max_depth = 0;
  pugi::xml_node n = root.first_child();
  if (!n) return 0;
  depth = 1;
  while (n) {
    if (n.type() == pugi::node_element && depth > max_depth) max_depth = depth;
    if (n.first_child()) {
      n = n.first_child();
      ++depth;
      continue;
    }
    while (n && !n.next_sibling()) {
      n = n.parent();
      --depth;
      if (n == root) return max_depth;
    }
    if (n) n = n.next_sibling();
  }
  return max_depth;
}

}  // namespace

// ---------------------------------------------------------------------------- TXmlNode

std::string TXmlNode::Name() const { return node_ ? Node(node_).name() : ""; }

std::string TXmlNode::Attribute(std::string_view name) const {
  if (!node_) return "";
  return Node(node_).attribute(std::string(name).c_str()).value();
}

bool TXmlNode::HasAttribute(std::string_view name) const {
  return node_ && Node(node_).attribute(std::string(name).c_str());
}

TXmlNode TXmlNode::Child(std::string_view name) const {
  if (!node_) return {};
  return TXmlNode(Node(node_).child(std::string(name).c_str()).internal_object());
}

std::vector<TXmlNode> TXmlNode::Elements() const {
  std::vector<TXmlNode> out;
  if (!node_) return out;
  for (pugi::xml_node c = Node(node_).first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element) out.push_back(TXmlNode(c.internal_object()));
  }
  return out;
}

bool TXmlNode::HasElements() const {
  if (!node_) return false;
  for (pugi::xml_node c = Node(node_).first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element) return true;
  }
  return false;
}

std::string TXmlNode::Text() const { return node_ ? Node(node_).text().get() : ""; }

// ---------------------------------------------------------------------------- TXmlDocument

TXmlDocument::TXmlDocument() : doc_(std::make_unique<pugi::xml_document>()) {}
TXmlDocument::~TXmlDocument() = default;

void TXmlDocument::Parse(std::string_view utf8) {
  const pugi::xml_parse_result r =
      doc_->load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
  if (r.status == pugi::status_no_document_element) {
    throw EQorError("XML document has no root element");
  }
  if (!r) {
    throw EQorError(std::string("XML parse error: ") + r.description() + " at offset " +
                    std::to_string(r.offset));
  }
  if (!doc_->document_element()) throw EQorError("XML document has no root element");
  if (MaxDepth(*doc_) > kMaxXmlDepth) {
    doc_->reset();
    throw EQorError("XML nesting too deep");
  }
}

TXmlNode TXmlDocument::Root() const { return TXmlNode(doc_->document_element().internal_object()); }

// ---------------------------------------------------------------------------- helpers

std::string XmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      // The parser turns raw line ends into LF and, in attributes, tabs and line ends into
      // blanks: written as references they come back as they were.
      case '\r': out += "&#13;"; break;
      case '\n': out += "&#10;"; break;
      case '\t': out += "&#9;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string XmlTextElement(std::string_view name, std::string_view text) {
  std::string out = "<";
  out += name;
  out += '>';
  out += XmlEscape(text);
  out += "</";
  out += name;
  out += '>';
  return out;
}
