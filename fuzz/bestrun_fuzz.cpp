// A best-run file as the game finds it in its replays folder. The input is read as it is, and
// once more with its checksum made to fit, so that the reader behind the checksum is fuzzed
// too. Whatever reads must write again and read back to the same keys, clock and checks.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gx_runfile.h"

namespace {

void Check(const std::string& bytes) {
  std::string why;
  const std::optional<TRunRecording> run = ReadRunFile(bytes, &why);
  if (!run) {
    if (why.empty()) std::abort();  // every refusal says why
    return;
  }
  const std::optional<TRunRecording> again = ReadRunFile(WriteRunFile(*run));
  if (!again || again->keys != run->keys || again->checks != run->checks ||
      again->clock != run->clock || again->poses.size() != run->poses.size()) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  Check(input);
  if (input.size() >= 4) {
    input.resize(input.size() - 4);
    const std::uint32_t crc = Crc32(input);
    for (int i = 0; i < 4; ++i) input.push_back(static_cast<char>(crc >> (8 * i)));
    Check(input);
  }
  return 0;
}
