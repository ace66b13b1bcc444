#include "gx_datafolder.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "qor_errors.h"

namespace fs = std::filesystem;

#ifndef GRAVONAUT_DATA_RELDIR
#define GRAVONAUT_DATA_RELDIR "../share/gravonaut"
#endif

namespace {

bool Absolute(const char* p) {
  return p && p[0] == '/';
}

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

[[noreturn]] void Fail(const std::string& what, const fs::path& p, const std::error_code& ec) {
  throw EInOutError(what + " '" + p.string() + "': " + ec.message());
}

// The starter mazes' best runs go with them into the data folder, so that a new player races
// their ghosts from the first start. A run that cannot be copied only means no ghost there.
void InstallStarterReplays(const std::string& starter, const fs::path& dir) {
  const fs::path from = starter + ".replays";
  std::error_code ec;
  if (!fs::is_directory(from, ec)) return;
  const fs::path to = dir / "replays";
  fs::create_directories(to, ec);
  for (const auto& entry : fs::directory_iterator(from, ec)) {
    if (entry.path().extension() != ".gxrun") continue;
    std::error_code copy_ec;
    fs::copy_file(entry.path(), to / entry.path().filename(), fs::copy_options::skip_existing,
                  copy_ec);
  }
}

}  // namespace

std::string PlayerDataFolder(const char* xdg_data_home, const char* home) {
  if (Absolute(xdg_data_home)) return (fs::path(xdg_data_home) / "gravonaut").string();
  if (Absolute(home)) return (fs::path(home) / ".local" / "share" / "gravonaut").string();
  return "";
}

std::string InstalledStarterCollection(const std::string& program_dir) {
  const fs::path p = fs::path(program_dir) / GRAVONAUT_DATA_RELDIR / "starter.cav";
  std::error_code ec;
  return fs::is_regular_file(p, ec) ? p.lexically_normal().string() : "";
}

TDataFolder PrepareDataFolder(const std::string& folder, const std::string& starter) {
  TDataFolder result;
  const fs::path dir(folder);
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec || !fs::is_directory(dir)) {
    Fail("Cannot create the data folder", dir,
         ec ? ec : std::make_error_code(std::errc::not_a_directory));
  }
  const fs::path cav = dir / "gravonaut.cav";
  result.collection = cav.string();
  if (starter.empty() || Exists(cav)) return result;
  // Copied under a temporary name first, so that an interrupted copy never looks like a
  // collection; the rename does not replace a collection that appeared meanwhile.
  const fs::path tmp = dir / "gravonaut.cav.starter-tmp";
  fs::remove(tmp, ec);
  if (!fs::copy_file(starter, tmp, fs::copy_options::none, ec)) {
    Fail("Cannot copy the starter collection to", tmp, ec);
  }
  if (::link(tmp.c_str(), cav.c_str()) == 0) {
    result.copied = true;
    InstallStarterReplays(starter, dir);
  } else if (errno != EEXIST) {
    // A file system without hard links: a plain rename, the collection still being absent.
    const std::error_code link_ec(errno, std::generic_category());
    if (!Exists(cav)) {
      fs::rename(tmp, cav, ec);
      if (ec) {
        fs::remove(tmp, ec);
        Fail("Cannot create", cav, link_ec);
      }
      result.copied = true;
      InstallStarterReplays(starter, dir);
      return result;
    }
  }
  fs::remove(tmp, ec);
  return result;
}
