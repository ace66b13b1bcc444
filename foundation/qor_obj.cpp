#include "qor_obj.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "qor_stream.h"
#include "qor_xml.h"

namespace {

std::map<std::string, const TQorClass*>& Registry() {
  static std::map<std::string, const TQorClass*> registry = [] {
    std::map<std::string, const TQorClass*> r;
    r[TQorObj::StaticClass().name] = &TQorObj::StaticClass();
    r[TQorListObj::StaticClass().name] = &TQorListObj::StaticClass();
    return r;
  }();
  return registry;
}

int g_pixels_per_inch = 96;
thread_local int g_load_nesting = 0;

const std::string kCrLf = "\r\n";

// "<name>" CR LF + content + "</name>" CR LF: the element of an object or a list.
std::string XmlRecord(const char* name, const std::string& content) {
  return std::string("<") + name + ">" + kCrLf + content + "</" + name + ">" + kCrLf;
}

void ParseInto(const std::string& xml, const std::function<void(const TXmlNode&)>& process) {
  TXmlDocument doc;
  doc.Parse(xml);
  process(doc.Root());
}

void SaveItemToStream(const TQorBase* item, TQorStream& s) {
  if (auto* obj = dynamic_cast<const TQorObj*>(item)) {
    obj->SaveToStream(s);
  } else if (auto* sub = dynamic_cast<const TQorList*>(item)) {
    sub->SaveToStream(s);
  }
}

[[noreturn]] void BadCount(std::int32_t n) {
  throw EQorError("Invalid list count in stream (" + std::to_string(n) + ")");
}

}  // namespace

void RegisterQorClass(const TQorClass& cls) { Registry()[cls.name] = &cls; }

const TQorClass* FindQorClass(const std::string& name) {
  auto& r = Registry();
  auto it = r.find(name);
  return it == r.end() ? nullptr : it->second;
}

const TQorClass& GetQorClass(const std::string& name) {
  const TQorClass* cls = FindQorClass(name);
  if (!cls) throw EQorError("Class not found: " + name);
  return *cls;
}

TLoadNesting::TLoadNesting() {
  if (g_load_nesting >= kMaxNesting) throw EInOutError("Records nested too deeply");
  ++g_load_nesting;
}

TLoadNesting::~TLoadNesting() { --g_load_nesting; }

// ---------------------------------------------------------------------------- TQorObj

const TQorClass& TQorObj::StaticClass() {
  static const TQorClass cls{"TQorObj", [] { return std::make_unique<TQorObj>(); }};
  return cls;
}

const TQorClass& TQorObj::Class() const { return StaticClass(); }

void TQorObj::AssignTo(TQorObj&) const {}

std::unique_ptr<TQorObj> TQorObj::duplicate() const {
  std::unique_ptr<TQorObj> copy = Class().create();
  copy->Assign(*this);
  return copy;
}

bool TQorObj::LoadFromF(TTextReader&) { return true; }
bool TQorObj::SaveToF(TTextWriter&) const { return true; }

bool TQorObj::LoadFromFile(const std::string& fnm) {
  TTextReader f = TTextReader::FromFile(fnm);
  return LoadFromF(f);
}

bool TQorObj::SaveToFile(const std::string& fnm) const {
  TTextWriter f;
  const bool ok = SaveToF(f);
  f.SaveToFile(fnm);
  return ok;
}

void TQorObj::SaveToStream(TQorStream&) const { throw EQorError("Not implemented"); }
void TQorObj::LoadFromStream(TQorStream&) { throw EQorError("Not implemented"); }

std::string TQorObj::XMLData() const { return XmlRecord(ClassName(), GenXMLData()); }

void TQorObj::SetXMLData(const std::string& xml) {
  ParseInto(xml, [this](const TXmlNode& root) { ProcessXMLData(root); });
}

std::string TQorObj::GenXMLData() const { return ""; }
void TQorObj::ProcessXMLData(const TXmlNode&) {}

// ---------------------------------------------------------------------------- TQorList

std::unique_ptr<TQorList> TQorList::CreateList() const { return std::make_unique<TQorList>(); }

void TQorList::SetCapacity(int capacity) {
  if (capacity > Count()) items_.reserve(static_cast<std::size_t>(capacity));
}

TQorBase* TQorList::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw EQorError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return items_[static_cast<std::size_t>(index)].get();
}

int TQorList::Add(std::unique_ptr<TQorBase> item) {
  items_.push_back(std::move(item));
  return Count() - 1;
}

void TQorList::Insert(int index, std::unique_ptr<TQorBase> item) {
  if (index < 0 || index > Count()) {
    throw EQorError("List index out of bounds (" + std::to_string(index) + ")");
  }
  items_.insert(items_.begin() + index, std::move(item));
}

std::unique_ptr<TQorBase> TQorList::Delete(int index) {
  Items(index);  // range check
  std::unique_ptr<TQorBase> item = std::move(items_[static_cast<std::size_t>(index)]);
  items_.erase(items_.begin() + index);
  return item;
}

std::unique_ptr<TQorBase> TQorList::Extract(const TQorBase* item) {
  const int ix = IndexOf(item);
  if (ix < 0) return nullptr;
  return Delete(ix);
}

int TQorList::IndexOf(const TQorBase* item) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == item) return static_cast<int>(i);
  }
  return -1;
}

void TQorList::Exchange(int index1, int index2) {
  Items(index1);
  Items(index2);
  std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

void TQorList::Sort(const std::function<bool(const TQorBase*, const TQorBase*)>& less) {
  std::stable_sort(items_.begin(), items_.end(),
                   [&](const auto& a, const auto& b) { return less(a.get(), b.get()); });
}

void TQorList::FreeItem(int ix) {
  if (ix < 0 || ix >= Count()) return;
  items_.erase(items_.begin() + ix);
}

void TQorList::ClearAll() {
  // Entry by entry from the front, as the design frees them; an entry's destructor may still
  // look at the list.
  while (!items_.empty()) FreeItem(0);
}

std::unique_ptr<TQorList> TQorList::duplicate() const {
  std::unique_ptr<TQorList> copy = CreateList();
  CopyFieldsTo(*copy);
  CopyItemsTo(*copy);
  return copy;
}

void TQorList::CopyFieldsTo(TQorList&) const {}

void TQorList::CopyItemsTo(TQorList& list) const {
  for (const auto& item : items_) {
    if (auto* obj = dynamic_cast<const TQorObj*>(item.get())) {
      list.Add(obj->duplicate());
    } else if (auto* sub = dynamic_cast<const TQorList*>(item.get())) {
      list.Add(sub->duplicate());
    }
  }
}

bool TQorList::LoadBodyFromF(TTextReader&) { return true; }
bool TQorList::SaveBodyToF(TTextWriter&) const { return true; }

bool TQorList::LoadFromF(TTextReader& f, const TQorClass* cl) {
  ClearAll();
  LoadBodyFromF(f);
  const int n = f.ReadInteger();
  f.ReadLn();
  const TQorClass& cls = cl ? *cl : TQorObj::StaticClass();
  for (int i = 0; i < n; ++i) {
    f.RequireEntry();
    std::unique_ptr<TQorObj> obj = cls.create();
    obj->LoadFromF(f);
    Add(std::move(obj));
  }
  return true;
}

bool TQorList::SaveToF(TTextWriter& f) const {
  SaveBodyToF(f);
  f.IntLine(Count());
  for (const auto& item : items_) {
    if (auto* obj = dynamic_cast<const TQorObj*>(item.get())) {
      obj->SaveToF(f);
    } else if (auto* sub = dynamic_cast<const TQorList*>(item.get())) {
      sub->SaveToF(f);
    }
  }
  return true;
}

bool TQorList::LoadFromFile(const std::string& fnm, const TQorClass* cl) {
  TTextReader f = TTextReader::FromFile(fnm);
  return LoadFromF(f, cl);
}

bool TQorList::SaveToFile(const std::string& fnm) const {
  TTextWriter f;
  const bool ok = SaveToF(f);
  f.SaveToFile(fnm);
  return ok;
}

void TQorList::SaveBodyToStream(TQorStream&) const {}
void TQorList::LoadBodyFromStream(TQorStream&) {}

void TQorList::SaveToStream(TQorStream& s) const {
  SaveBodyToStream(s);
  s.WriteInt32(Count());
  for (const auto& item : items_) {
    s.WriteStreamString(item->ClassName());
    SaveItemToStream(item.get(), s);
  }
}

void TQorList::LoadFromStream(TQorStream& s, const TQorClass* cl) {
  TLoadNesting nesting;
  ClearAll();
  LoadBodyFromStream(s);
  const std::int32_t n = s.ReadInt32();
  // Every entry starts with its class name, at least the four bytes of its length.
  if (n < 0 || n > s.Remaining() / 4) BadCount(n);
  for (std::int32_t i = 0; i < n; ++i) {
    const std::string name = s.ReadStreamString();
    std::unique_ptr<TQorObj> obj = (cl ? *cl : GetQorClass(name)).create();
    obj->LoadFromStream(s);
    Add(std::move(obj));
  }
}

std::string TQorList::XMLData() const { return XmlRecord(ClassName(), GenXMLData()); }

void TQorList::SetXMLData(const std::string& xml) {
  ParseInto(xml, [this](const TXmlNode& root) { ProcessXMLData(root); });
}

std::string TQorList::GenXMLData() const {
  std::string out = "<listitems count=\"" + std::to_string(Count()) + "\">" + kCrLf;
  for (const auto& item : items_) {
    if (auto* obj = dynamic_cast<const TQorObj*>(item.get())) {
      out += obj->XMLData();
    } else if (auto* sub = dynamic_cast<const TQorList*>(item.get())) {
      out += sub->XMLData();
    }
  }
  return out + "</listitems>" + kCrLf;
}

void TQorList::ProcessXMLData(const TXmlNode& node) {
  if (!node.HasElements()) return;
  TLoadNesting nesting;
  ClearAll();
  const TXmlNode listitems = node.Child("listitems");
  const std::vector<TXmlNode> entries = listitems.Elements();
  // The count only sizes the list: what is there is read, and a hostile count reserves no more
  // than the entries present.
  std::int32_t hint = 0;
  if (ParseInteger(listitems.Attribute("count"), hint) && hint > 0) {
    SetCapacity(std::min(hint, static_cast<std::int32_t>(entries.size())));
  }
  for (const TXmlNode& entry : entries) {
    std::string name = entry.Attribute("class");
    if (name.empty()) name = entry.Name();
    std::unique_ptr<TQorObj> obj = GetQorClass(name).create();
    obj->ProcessXMLData(entry);
    Add(std::move(obj));
  }
}

// ---------------------------------------------------------------------------- TQorListObj

TQorListObj::TQorListObj() : FList(std::make_unique<TQorList>()), FElmClass(&TQorObj::StaticClass()) {}

void TQorListObj::SetCapacity(int capacity) {
  if (FList) FList->SetCapacity(capacity);
}

TQorBase* TQorListObj::GetItems(int index) const { return FList ? FList->Items(index) : nullptr; }

void TQorListObj::SetItems(int index, std::unique_ptr<TQorBase> v) {
  if (!FList) return;
  FList->Items(index);
  FList->FreeItem(index);
  FList->Insert(index, std::move(v));
}

int TQorListObj::Add(std::unique_ptr<TQorBase> item) { return FList ? FList->Add(std::move(item)) : -1; }

void TQorListObj::Insert(int index, std::unique_ptr<TQorBase> item) {
  if (FList) FList->Insert(index, std::move(item));
}

std::unique_ptr<TQorBase> TQorListObj::Delete(int index) {
  return FList ? FList->Delete(index) : nullptr;
}

void TQorListObj::Exchange(int index1, int index2) {
  if (FList) FList->Exchange(index1, index2);
}

std::unique_ptr<TQorBase> TQorListObj::Extract(const TQorBase* item) {
  return FList ? FList->Extract(item) : nullptr;
}

int TQorListObj::IndexOf(const TQorBase* item) const { return FList ? FList->IndexOf(item) : -1; }

void TQorListObj::Sort(const std::function<bool(const TQorBase*, const TQorBase*)>& less) {
  if (FList) FList->Sort(less);
}

void TQorListObj::ClearAll() {
  if (FList) FList->ClearAll();
}

void TQorListObj::FreeItem(int ix) {
  if (FList) FList->FreeItem(ix);
}

void TQorListObj::Clear() { ClearAll(); }

void TQorListObj::AssignTo(TQorObj& dest) const {
  if (auto* d = dynamic_cast<TQorListObj*>(&dest)) {
    CopyElmClassTo(*d);
    CopyListTo(*d);
  }
}

void TQorListObj::CopyElmClassTo(TQorListObj& dest) const { dest.FElmClass = FElmClass; }

void TQorListObj::CopyListTo(TQorListObj& dest) const {
  if (dest.FList) {
    dest.FList->ClearAll();
  } else {
    dest.FList = std::make_unique<TQorList>();
  }
  if (!FList) return;
  for (int i = 0; i < FList->Count(); ++i) {
    std::unique_ptr<TQorObj> obj = FElmClass->create();
    if (auto* src = dynamic_cast<const TQorObj*>(FList->Items(i))) obj->Assign(*src);
    dest.FList->Add(std::move(obj));
  }
}

bool TQorListObj::LoadFromF(TTextReader& f) {
  TLoadNesting nesting;
  const std::string name = f.ReadString();
  f.ReadLn();
  FElmClass = &GetQorClass(name);
  if (!FList) FList = std::make_unique<TQorList>();
  return FList->LoadFromF(f, FElmClass);
}

bool TQorListObj::SaveToF(TTextWriter& f) const {
  f.StrLine(FElmClass->name);
  return FList ? FList->SaveToF(f) : TQorList().SaveToF(f);
}

void TQorListObj::SaveBodyToStream(TQorStream& s) const { s.WriteStreamString(FElmClass->name); }

void TQorListObj::LoadBodyFromStream(TQorStream& s) { FElmClass = &GetQorClass(s.ReadStreamString()); }

void TQorListObj::SaveToStream(TQorStream& s) const {
  const std::int64_t p0 = s.Position();
  s.WriteInt64(0);  // the record's length, filled in below
  SaveBodyToStream(s);
  s.WriteInt32(Count());
  if (FList) {
    for (int i = 0; i < FList->Count(); ++i) SaveItemToStream(FList->Items(i), s);
  }
  const std::int64_t end = s.Position();
  s.SetPosition(p0);
  s.WriteInt64(end - p0);
  s.SetPosition(end);
}

void TQorListObj::LoadFromStream(TQorStream& s) {
  TLoadNesting nesting;
  const std::int64_t p0 = s.Position();
  const std::int64_t length = s.ReadInt64();
  // Reading stays inside the record, so the position after it is never behind where reading
  // stopped, and the next record is read from its start however this one was consumed.
  TStreamRecord record(s, p0, length, 8);
  struct Resume {
    TQorStream& s;
    std::int64_t end;
    ~Resume() { s.SetPosition(end); }
  } resume{s, record.End()};
  LoadBodyFromStream(s);
  if (FList) {
    FList->ClearAll();
  } else {
    FList = std::make_unique<TQorList>();
  }
  const std::int32_t n = s.ReadInt32();
  if (n < 0 || n > s.Remaining()) BadCount(n);
  for (std::int32_t i = 0; i < n; ++i) {
    std::unique_ptr<TQorObj> obj = FElmClass->create();
    obj->LoadFromStream(s);
    FList->Add(std::move(obj));
  }
}

std::string TQorListObj::GenXMLData() const {
  return XmlTextElement("cl", FElmClass->name) + (FList ? FList->XMLData() : TQorList().XMLData());
}

void TQorListObj::ProcessXMLData(const TXmlNode& node) {
  TLoadNesting nesting;
  if (const TXmlNode cl = node.Child("cl")) FElmClass = &GetQorClass(cl.Text());
  if (!FList) FList = std::make_unique<TQorList>();
  // The list's own element follows <cl>; an element that holds "listitems" itself is the list.
  TXmlNode list = node;
  if (!node.Child("listitems")) {
    for (const TXmlNode& child : node.Elements()) {
      if (child.Name() != "cl") {
        list = child;
        break;
      }
    }
  }
  FList->ProcessXMLData(list);
}

// ---------------------------------------------------------------------------- helpers

void SetScreenPixelsPerInch(int ppi) { g_pixels_per_inch = ppi > 0 ? ppi : 96; }
int ScreenPixelsPerInch() { return g_pixels_per_inch; }

int ScaleToScreen(int n) {
  return static_cast<int>(std::round(static_cast<double>(n) * g_pixels_per_inch / 96.0));
}

TColor BlendColor(TColor c1, TColor c2, double x) {
  auto channel = [&](int shift) {
    const double a = (static_cast<std::uint32_t>(c1) >> shift) & 0xFF;
    const double b = (static_cast<std::uint32_t>(c2) >> shift) & 0xFF;
    double v = std::nearbyint(a + (b - a) * x);
    if (!(v >= 0)) v = 0;  // also NaN
    if (v > 255) v = 255;
    return static_cast<std::uint32_t>(v);
  };
  return static_cast<TColor>(channel(0) | (channel(8) << 8) | (channel(16) << 16));
}

std::string JoinStr(const std::string& a, const std::string& sep, const std::string& b) {
  if (!a.empty() && !b.empty()) return a + sep + b;
  return a + b;
}
