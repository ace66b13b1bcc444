// The XML reader: text set as XMLData of a TQorListObj and of a TQorList. Whatever reads
// without error must write and read back to the same text.
#include <cstdint>
#include <string>

#include "qor_test_item.h"
#include "qor_utils.h"

namespace {

template <typename T>
void ReadAndCheck(const std::string& text) {
  T first;
  try {
    first.SetXMLData(text);
  } catch (const EQorError&) {
    return;
  }
  const std::string once = first.XMLData();
  T second;
  second.SetXMLData(once);  // raising here is a finding: the reader refused what was written
  if (second.XMLData() != once) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool registered = (RegisterTestClasses(), true);
  (void)registered;
  const std::string text(reinterpret_cast<const char*>(data), size);
  ReadAndCheck<TQorListObj>(text);
  ReadAndCheck<TQorList>(text);
  return 0;
}
