// The text form of a draw list: the header integer, then TDrawList::LoadFromF, as a container
// reads an entry. Whatever reads without error must write a record that reads back and writes
// the same bytes again.
#include <cstdint>
#include <string>

#include "gx_maze.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TTextReader f(std::string(reinterpret_cast<const char*>(data), size));
  TDrawList first;
  try {
    if (f.ReadHeaderId() != first.FId) return 0;
    first.LoadFromF(f);
  } catch (const EQorError&) {
    return 0;
  }
  TTextWriter once;
  first.SaveToF(once);
  TTextReader r(once.Bytes());
  if (r.ReadHeaderId() != first.FId) __builtin_trap();
  TDrawList second;
  second.LoadFromF(r);  // raising here is a finding: the reader refused what was written
  TTextWriter twice;
  second.SaveToF(twice);
  if (once.Bytes() != twice.Bytes()) __builtin_trap();
  return 0;
}
