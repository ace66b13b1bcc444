// The stream reader: a TQorListObj record (list objects nested in it, registered test items),
// and the same bytes as a TQorList whose entries name their own classes. Whatever reads without
// error must write and read back to the same bytes.
#include <cstdint>
#include <string>

#include "qor_test_item.h"
#include "qor_utils.h"

namespace {

template <typename T, typename Load>
void CheckRoundTrip(const T& first, Load load) {
  TMemoryStream once;
  first.SaveToStream(once);
  once.SetPosition(0);
  T second;
  load(second, once);  // raising here is a finding: the reader refused what the writer wrote
  if (once.Position() != once.Size()) __builtin_trap();
  TMemoryStream twice;
  second.SaveToStream(twice);
  if (once.Bytes() != twice.Bytes()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool registered = (RegisterTestClasses(), true);
  (void)registered;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  {
    TMemoryStream s(bytes);
    TQorListObj obj;
    bool ok = true;
    try {
      obj.LoadFromStream(s);
    } catch (const EQorError&) {
      ok = false;
    }
    if (ok) CheckRoundTrip(obj, [](TQorListObj& o, TQorStream& st) { o.LoadFromStream(st); });
  }
  {
    TMemoryStream s(bytes);
    TQorList list;
    bool ok = true;
    try {
      list.LoadFromStream(s);
    } catch (const EQorError&) {
      ok = false;
    }
    if (ok) CheckRoundTrip(list, [](TQorList& l, TQorStream& st) { l.LoadFromStream(st); });
  }
  return 0;
}
