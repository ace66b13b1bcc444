#include "qor_obj.h"

#include <algorithm>
#include <cmath>
#include <map>

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

}  // namespace

void RegisterQorClass(const TQorClass& cls) { Registry()[cls.name] = &cls; }

const TQorClass* FindQorClass(const std::string& name) {
  auto& r = Registry();
  auto it = r.find(name);
  return it == r.end() ? nullptr : it->second;
}

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
  const std::string name = f.ReadString();
  f.ReadLn();
  const TQorClass* cls = FindQorClass(name);
  if (!cls) throw EQorError("Class not found: " + name);
  FElmClass = cls;
  if (!FList) FList = std::make_unique<TQorList>();
  return FList->LoadFromF(f, FElmClass);
}

bool TQorListObj::SaveToF(TTextWriter& f) const {
  f.StrLine(FElmClass->name);
  return FList ? FList->SaveToF(f) : TQorList().SaveToF(f);
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
