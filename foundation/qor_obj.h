#pragma once
// The persistent base classes of every model object.
//
// TQorObj is a persistent object, TQorList an owning list of persistent objects and TQorListObj
// a persistent object that holds a TQorList and the class of its elements. Every class writes
// and reads its own text record (LoadFromF/SaveToF); containers read the header line of each
// entry and choose the class by its numeric identifier.
//
// Ownership: a list owns its items through unique_ptr. Removing an item either hands ownership
// back (Delete, Extract) or destroys it (FreeItem, ClearAll); destroying a list destroys its
// items, recursively (what the game's design calls FreeAll). Objects are never copied by
// accident: copying is `duplicate`, which goes through the virtual constructor and `AssignTo`.
//
// Two further forms exist for lists of classes registered by name, used by no game file:
//   - the stream form (qor_stream.h): little-endian binary with length-prefixed UTF-16 strings;
//     a TQorListObj record starts with its own 64-bit length, so a reader always resumes at the
//     next record;
//   - the XML form, read and written through XMLData (qor_xml.h): UTF-8 text with CR LF lines.
// Both stop with an EQorError on input they cannot use: a class name that is not registered is
// named in the message ("Class not found: TFoo"), truncated or malformed input never crashes.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "qor_errors.h"
#include "qor_text.h"
#include "qor_types.h"

class TQorObj;
class TQorList;
class TQorStream;
class TXmlNode;

// Base of everything a TQorList can hold.
class TQorBase {
 public:
  virtual ~TQorBase() = default;
  TQorBase(const TQorBase&) = delete;
  TQorBase& operator=(const TQorBase&) = delete;
  virtual const char* ClassName() const = 0;

 protected:
  TQorBase() = default;
};

// A class reference ("class of TQorObj"): the class name and its virtual constructor.
struct TQorClass {
  const char* name;
  std::unique_ptr<TQorObj> (*create)();
};

// Declares the class reference and class name of a concrete persistent class. Every concrete
// subclass of TQorObj uses it, so that `duplicate` and the registry create the right class.
#define QOR_CLASS(T)                                                                \
 public:                                                                            \
  static const TQorClass& StaticClass() {                                           \
    static const TQorClass cls{#T, [] { return std::unique_ptr<TQorObj>(new T()); }}; \
    return cls;                                                                     \
  }                                                                                 \
  const TQorClass& Class() const override { return StaticClass(); }                 \
  const char* ClassName() const override { return #T; }

// The same for list classes: their virtual constructor creates an empty list of the class.
#define QOR_LIST_CLASS(T)                                                            \
 public:                                                                             \
  const char* ClassName() const override { return #T; }                              \
  std::unique_ptr<TQorList> CreateList() const override { return std::make_unique<T>(); }

// Class registry: class names to class references. TQorObj and TQorListObj are registered
// from the start; a class that is to be read back by name must be registered too.
void RegisterQorClass(const TQorClass& cls);
const TQorClass* FindQorClass(const std::string& name);
// FindQorClass that raises "Class not found: <name>" instead of answering null.
const TQorClass& GetQorClass(const std::string& name);

// Counts how deeply loaders are nested inside each other while it lives, and raises
// "Records nested too deeply" past kMaxNesting levels: loaders of records that can contain
// records of their own kind hold one, so that hostile input cannot exhaust the stack.
class TLoadNesting {
 public:
  static constexpr int kMaxNesting = 100;
  TLoadNesting();
  ~TLoadNesting();
  TLoadNesting(const TLoadNesting&) = delete;
  TLoadNesting& operator=(const TLoadNesting&) = delete;
};

class TQorObj : public TQorBase {
 public:
  TQorObj() = default;
  static const TQorClass& StaticClass();
  virtual const TQorClass& Class() const;
  const char* ClassName() const override { return "TQorObj"; }

  // Copies this object into dest when dest's class is one this class knows how to fill; the
  // base copies nothing and raises no error.
  virtual void AssignTo(TQorObj& dest) const;
  void Assign(const TQorObj& source) { source.AssignTo(*this); }
  // A new object of the same class with this object assigned to it.
  virtual std::unique_ptr<TQorObj> duplicate() const;

  // The text record; the base reads and writes nothing.
  virtual bool LoadFromF(TTextReader& f);
  virtual bool SaveToF(TTextWriter& f) const;
  bool LoadFromFile(const std::string& fnm);
  bool SaveToFile(const std::string& fnm) const;

  // Stream form; the base has none and raises "Not implemented".
  virtual void SaveToStream(TQorStream& s) const;
  virtual void LoadFromStream(TQorStream& s);

  // XML form: "<ClassName>" CR LF + GenXMLData() + "</ClassName>" CR LF. Setting it parses the
  // text and hands the root element to ProcessXMLData.
  std::string XMLData() const;
  void SetXMLData(const std::string& xml);
  // The XML content of the element; "" and nothing to read in the base.
  virtual std::string GenXMLData() const;
  virtual void ProcessXMLData(const TXmlNode& node);
};

class TQorList : public TQorBase {
 public:
  TQorList() = default;
  ~TQorList() override = default;
  const char* ClassName() const override { return "TQorList"; }
  // Virtual constructor of lists: a new empty list of the same class.
  virtual std::unique_ptr<TQorList> CreateList() const;

  int Count() const { return static_cast<int>(items_.size()); }
  int Capacity() const { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int capacity);
  // Raises "List index out of bounds (i)" outside 0 .. Count - 1.
  TQorBase* Items(int index) const;

  int Add(std::unique_ptr<TQorBase> item);
  void Insert(int index, std::unique_ptr<TQorBase> item);
  // Removes entry index and hands it back.
  std::unique_ptr<TQorBase> Delete(int index);
  // Removes item when it is an entry and hands it back; empty when it is not.
  std::unique_ptr<TQorBase> Extract(const TQorBase* item);
  int IndexOf(const TQorBase* item) const;
  void Exchange(int index1, int index2);
  void Sort(const std::function<bool(const TQorBase*, const TQorBase*)>& less);

  // Destroys entry ix; does nothing when ix is outside 0 .. Count - 1.
  void FreeItem(int ix);
  // Destroys every entry.
  void ClearAll();

  // A new list of the same class with the own fields and duplicates of the items.
  virtual std::unique_ptr<TQorList> duplicate() const;
  virtual void CopyFieldsTo(TQorList& list) const;
  virtual void CopyItemsTo(TQorList& list) const;

  // Generic text form: body, count, then each item's record; cl creates the entries. The game's
  // lists override LoadFromF/SaveToF with their own records and ignore cl.
  virtual bool LoadFromF(TTextReader& f, const TQorClass* cl = nullptr);
  virtual bool SaveToF(TTextWriter& f) const;
  virtual bool LoadBodyFromF(TTextReader& f);
  virtual bool SaveBodyToF(TTextWriter& f) const;
  bool LoadFromFile(const std::string& fnm, const TQorClass* cl = nullptr);
  bool SaveToFile(const std::string& fnm) const;

  // Stream form: body, the 32-bit count, then per item its class name as a stream string and
  // its own stream record. Entries are read as class cl; without cl, as the registered class
  // of the name stored with each entry.
  virtual void SaveToStream(TQorStream& s) const;
  virtual void LoadFromStream(TQorStream& s, const TQorClass* cl = nullptr);
  virtual void SaveBodyToStream(TQorStream& s) const;
  virtual void LoadBodyFromStream(TQorStream& s);

  // XML form: "<ClassName>" CR LF + GenXMLData() + "</ClassName>" CR LF, where GenXMLData is a
  // "listitems" element holding each item's own XMLData. Reading creates each item as the
  // registered class named by its "class" attribute, or else by its element name; the "count"
  // attribute is only a capacity hint.
  virtual std::string XMLData() const;
  virtual void SetXMLData(const std::string& xml);
  virtual std::string GenXMLData() const;
  virtual void ProcessXMLData(const TXmlNode& node);

 protected:
  // Entries in order; subclasses may read them directly in hot loops.
  std::vector<std::unique_ptr<TQorBase>> items_;
};

class TQorListObj : public TQorObj {
  QOR_CLASS(TQorListObj)
 public:
  TQorListObj();
  TQorList* List() const { return FList.get(); }
  const TQorClass* ElmClass() const { return FElmClass; }
  void SetElmClass(const TQorClass* cls) { FElmClass = cls; }

  int Count() const { return FList ? FList->Count() : 0; }
  int Capacity() const { return FList ? FList->Capacity() : 0; }
  void SetCapacity(int capacity);
  TQorBase* GetItems(int index) const;
  // Replaces entry index, destroying the former one.
  void SetItems(int index, std::unique_ptr<TQorBase> v);

  int Add(std::unique_ptr<TQorBase> item);
  void Insert(int index, std::unique_ptr<TQorBase> item);
  std::unique_ptr<TQorBase> Delete(int index);
  void Exchange(int index1, int index2);
  std::unique_ptr<TQorBase> Extract(const TQorBase* item);
  int IndexOf(const TQorBase* item) const;
  void Sort(const std::function<bool(const TQorBase*, const TQorBase*)>& less);
  void ClearAll();
  void FreeItem(int ix);

  void AssignTo(TQorObj& dest) const override;
  virtual void CopyElmClassTo(TQorListObj& dest) const;
  virtual void CopyListTo(TQorListObj& dest) const;
  virtual void Clear();

  // Text form: the element class's name on a line of its own, then the list's text form.
  bool LoadFromF(TTextReader& f) override;
  bool SaveToF(TTextWriter& f) const override;

  // Stream form: one self-delimiting record, its 64-bit total length first, then the body (the
  // element class's name), the 32-bit count and each item's own record (no class names).
  // Reading confines itself to that length and always ends just after the record. Every item
  // record must take at least one byte: a count larger than the bytes left is refused.
  void SaveToStream(TQorStream& s) const override;
  void LoadFromStream(TQorStream& s) override;
  virtual void SaveBodyToStream(TQorStream& s) const;
  virtual void LoadBodyFromStream(TQorStream& s);

  // XML form: "<cl>" element class "</cl>" followed by the list's own XMLData. Reading takes
  // the element class from <cl> and the items from the list element after it, so that what is
  // written reads back to an equal object; an element that holds "listitems" directly is read
  // as the list itself.
  std::string GenXMLData() const override;
  void ProcessXMLData(const TXmlNode& node) override;

 protected:
  std::unique_ptr<TQorList> FList;
  const TQorClass* FElmClass;
};

// Helpers of the persistence unit.

// The screen's pixels per inch, set once by the platform layer; 96 until then.
void SetScreenPixelsPerInch(int ppi);
int ScreenPixelsPerInch();
// n pixels for a 96-pixels-per-inch screen scaled to this screen (halves away from zero).
int ScaleToScreen(int n);
// Per-channel mix of c1 and c2 at x (0 gives c1, 1 gives c2), halves to even; top byte 0.
TColor BlendColor(TColor c1, TColor c2, double x);
// a + sep + b when both are non-empty, else a + b.
std::string JoinStr(const std::string& a, const std::string& sep, const std::string& b);
