// Renders every sound effect of the game to a WAV file, to listen to them and look at them:
//   render_sounds [FOLDER]   (default: the working directory)
// Each effect becomes FOLDER/NAME.wav (mono, 16-bit, 48 kHz); the thrust loop is written three
// times round, so that its seam can be heard.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gx_effects.h"

namespace {

void PutLE(std::FILE* f, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((v >> (8 * i)) & 0xFF), f);
}

bool WriteWav(const std::string& path, const std::vector<float>& s, int rate) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const std::uint32_t data = static_cast<std::uint32_t>(s.size() * 2);
  std::fputs("RIFF", f);
  PutLE(f, 36 + data, 4);
  std::fputs("WAVEfmt ", f);
  PutLE(f, 16, 4);
  PutLE(f, 1, 2);  // PCM
  PutLE(f, 1, 2);  // mono
  PutLE(f, static_cast<std::uint32_t>(rate), 4);
  PutLE(f, static_cast<std::uint32_t>(rate * 2), 4);
  PutLE(f, 2, 2);
  PutLE(f, 16, 2);
  std::fputs("data", f);
  PutLE(f, data, 4);
  for (float x : s) {
    const long v = std::lround(std::fmax(-1.0, std::fmin(1.0, double(x))) * 32767);
    PutLE(f, static_cast<std::uint32_t>(static_cast<std::int16_t>(v)), 2);
  }
  return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : ".";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const TSoundBank bank;
  int failed = 0;
  for (int i = 0; i < kSoundEffectCount; ++i) {
    const auto e = static_cast<TSoundEffect>(i);
    std::vector<float> s = bank.Samples(e);
    if (bank.Loops(e)) {
      const std::vector<float> once = s;
      for (int k = 0; k < 2; ++k) s.insert(s.end(), once.begin(), once.end());
    }
    const std::string path = (folder / (std::string(SoundEffectName(e)) + ".wav")).string();
    if (WriteWav(path, s, kSampleRate)) {
      std::printf("%s  %.3f s\n", path.c_str(), double(s.size()) / kSampleRate);
    } else {
      std::fprintf(stderr, "render_sounds: cannot write %s\n", path.c_str());
      ++failed;
    }
  }
  return failed ? 1 : 0;
}
