#pragma once
// Registered persistent classes with their own stream and XML records, for the tests and fuzz
// targets of the stream and XML forms. Nothing in the game uses them.
#include <string>

#include "qor_utils.h"

// A name, an integer and a real: every kind of field a record holds.
class TTestItem : public TQorObj {
  QOR_CLASS(TTestItem)
 public:
  TTestItem() = default;
  TTestItem(std::string n, std::int32_t v, double w) : name(std::move(n)), value(v), weight(w) {}

  void AssignTo(TQorObj& dest) const override {
    if (auto* d = dynamic_cast<TTestItem*>(&dest)) {
      d->name = name;
      d->value = value;
      d->weight = weight;
    }
  }
  void SaveToStream(TQorStream& s) const override {
    s.WriteStreamString(name);
    s.WriteInt32(value);
    s.WriteDouble(weight);
  }
  void LoadFromStream(TQorStream& s) override {
    name = s.ReadStreamString();
    value = s.ReadInt32();
    weight = s.ReadDouble();
  }
  std::string GenXMLData() const override {
    return XmlTextElement("name", name) + "\r\n" + XmlTextElement("value", std::to_string(value)) +
           "\r\n" + XmlTextElement("weight", FormatReal(weight)) + "\r\n";
  }
  void ProcessXMLData(const TXmlNode& node) override {
    name = node.ChildText("name");
    if (!ParseInteger(node.ChildText("value"), value)) throw EQorError("Invalid value");
    std::string w = node.ChildText("weight");
    w.erase(0, w.find_first_not_of(' '));
    if (!ParseReal(w, weight)) throw EQorError("Invalid weight");
  }
  std::string Describe() const {
    return name + "|" + std::to_string(value) + "|" + FormatReal(weight);
  }

  std::string name;
  std::int32_t value = 0;
  double weight = 0;
};

// A second registered class, one integer, for lists that mix classes.
class TTestMark : public TQorObj {
  QOR_CLASS(TTestMark)
 public:
  void SaveToStream(TQorStream& s) const override { s.WriteInt32(mark); }
  void LoadFromStream(TQorStream& s) override { mark = s.ReadInt32(); }
  std::string GenXMLData() const override { return XmlTextElement("mark", std::to_string(mark)); }
  void ProcessXMLData(const TXmlNode& node) override {
    if (!ParseInteger(node.ChildText("mark"), mark)) throw EQorError("Invalid mark");
  }
  std::int32_t mark = 0;
};

inline void RegisterTestClasses() {
  RegisterQorClass(TTestItem::StaticClass());
  RegisterQorClass(TTestMark::StaticClass());
}

// The entries of a list, one per line, with their classes: equal texts mean equal lists.
inline std::string DescribeList(const TQorList& list);

inline std::string DescribeEntry(const TQorBase* item) {
  std::string out = item->ClassName();
  if (auto* t = dynamic_cast<const TTestItem*>(item)) out += ":" + t->Describe();
  if (auto* m = dynamic_cast<const TTestMark*>(item)) out += ":" + std::to_string(m->mark);
  if (auto* lo = dynamic_cast<const TQorListObj*>(item)) {
    out += std::string("<") + lo->ElmClass()->name + ">[";
    if (lo->List()) out += DescribeList(*lo->List());
    out += "]";
  }
  if (auto* l = dynamic_cast<const TQorList*>(item)) out += "[" + DescribeList(*l) + "]";
  return out;
}

inline std::string DescribeList(const TQorList& list) {
  std::string out;
  for (int i = 0; i < list.Count(); ++i) out += DescribeEntry(list.Items(i)) + ";";
  return out;
}
