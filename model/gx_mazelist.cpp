#include "gx_mazelist.h"

#include <filesystem>
#include <system_error>

#include "gx_mazegame.h"

#ifndef GRAVONAUT_PRODUCT_VERSION
#define GRAVONAUT_PRODUCT_VERSION ""
#endif

namespace {

// Blanks and control characters off both ends (bytes of multi-byte UTF-8 letters are >= 0x80).
std::string TrimName(const std::string& s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

}  // namespace

TMaze* TMazeList::GetMaze(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return static_cast<TMaze*>(items_[index].get());
}

void TMazeList::SetMaze(int index, std::unique_ptr<TMaze> m) {
  if (!m) return;
  if (index < 0) index = 0;
  if (index > Count()) index = Count();
  Insert(index, std::move(m));
}

bool TMazeList::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.IntLine(Count());
  for (int i = 0; i < Count(); ++i) GetMaze(i)->SaveToF(f);
  return true;
}

std::unique_ptr<TMaze> TMazeList::ReadMaze(TTextReader& f, int index, const char* list_name) {
  const std::int32_t id = f.ReadInteger();
  if (id != 7) {
    throw EQorError("Element " + std::to_string(index) + " in " + list_name +
                    " has invalid id: " + std::to_string(id));
  }
  auto m = std::make_unique<TMaze>();
  m->mazename = TrimName(f.ReadString());
  f.ReadLn();
  m->LoadFromF(f);
  return m;
}

bool TMazeList::LoadFromF(TTextReader& f, const TQorClass*) {
  const std::int32_t n = f.ReadInteger();
  f.ReadLn();
  for (std::int32_t i = 0; i < n; ++i) {
    // A count larger than the file can hold ends at "Unexpected end of file", not in a loop.
    f.RequireEntry();
    Add(ReadMaze(f, i, ClassName()));
  }
  return true;
}

std::string NameWithExt(const std::string& path, const std::string& ext) {
  const std::size_t sep = path.find_last_of("/\\:");
  std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name + ext;
}

namespace {
std::string& ProgramPathSlot() {
  static std::string path;
  return path;
}
}  // namespace

void SetProgramFilePath(const std::string& path) {
  ProgramPathSlot() = path;
}
const std::string& ProgramFilePath() {
  return ProgramPathSlot();
}

std::string GetVersionString(const std::string& fn, const std::string& key) {
  const std::string& self = ProgramPathSlot();
  if (key != "ProductVersion" || self.empty() || fn.empty()) return "";
  bool same = fn == self;
  if (!same) {
    // Another spelling of the same file (relative path, symbolic link) counts too.
    std::error_code ec;
    same = std::filesystem::equivalent(fn, self, ec) && !ec;
  }
  return same ? GRAVONAUT_PRODUCT_VERSION : "";
}
