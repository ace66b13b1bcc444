#include "gx_safesave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include "qor_errors.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& fn, int err) {
  throw EInOutError(what + " '" + fn + "': " + std::strerror(err));
}

std::string FolderOf(const std::string& fn) {
  const fs::path dir = fs::path(fn).parent_path();
  return dir.empty() ? std::string(".") : dir.string();
}

// The mode for a new collection file: that of the file it replaces, or the usual one for a new
// file (mkstemp would make it private to the owner).
mode_t ModeFor(const std::string& fn) {
  struct stat st {};
  if (::stat(fn.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool Exists(const std::string& fn) {
  struct stat st {};
  return ::lstat(fn.c_str(), &st) == 0;
}

// Writes bytes to a new temporary file beside fn and flushes it to the disk; returns its name.
std::string WriteTemporary(const std::string& fn, std::string_view bytes) {
  std::vector<char> name(fn.begin(), fn.end());
  const std::string suffix = ".tmp-XXXXXX";
  name.insert(name.end(), suffix.begin(), suffix.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail("Error writing mazefile", fn, errno);
  const std::string tmp(name.data());
  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(tmp.c_str());
    Fail("Error writing mazefile", fn, err);
  };
  if (::fchmod(fd, ModeFor(fn)) != 0) fail(errno);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) fail(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    Fail("Error writing mazefile", fn, err);
  }
  return tmp;
}

// Makes the renames themselves durable.
void SyncFolder(const std::string& fn) {
  const int dfd = ::open(FolderOf(fn).c_str(), O_RDONLY | O_DIRECTORY);
  if (dfd < 0) return;
  ::fsync(dfd);
  ::close(dfd);
}

}  // namespace

std::string BackupFileName(const std::string& fn) {
  const fs::path p(fn);
  // The file name cut before its last ".", as the collection's own name is made.
  std::string name = p.filename().string();
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  name += ".old";
  return p.has_parent_path() ? (p.parent_path() / name).string() : name;
}

void SaveWithBackup(const std::string& fn, const std::string& bak, std::string_view bytes) {
  const std::string tmp = WriteTemporary(fn, bytes);
  if (Exists(bak) && ::unlink(bak.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    Fail("Error deleting backup file", bak, err);
  }
  bool moved = false;
  if (Exists(fn)) {
    if (::rename(fn.c_str(), bak.c_str()) != 0) {
      const int err = errno;
      ::unlink(tmp.c_str());
      Fail("Error renaming mazefile", fn, err);
    }
    moved = true;
  }
  if (::rename(tmp.c_str(), fn.c_str()) != 0) {
    const int err = errno;
    // Put the collection back where it was rather than leave only a backup behind.
    if (moved) ::rename(bak.c_str(), fn.c_str());
    ::unlink(tmp.c_str());
    Fail("Error writing mazefile", fn, err);
  }
  SyncFolder(fn);
}

void SaveReplacing(const std::string& fn, std::string_view bytes) {
  const std::string tmp = WriteTemporary(fn, bytes);
  if (::rename(tmp.c_str(), fn.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    Fail("Error writing mazefile", fn, err);
  }
  SyncFolder(fn);
}

std::string KeepUnreadableCopy(const std::string& fn) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = fn + ".unreadable-" + stamp;
  std::string keep = base;
  for (int n = 2; Exists(keep); ++n) keep = base + "-" + std::to_string(n);
  std::error_code ec;
  if (!fs::copy_file(fn, keep, fs::copy_options::none, ec)) {
    throw EInOutError("Error keeping a copy of '" + fn + "': " + ec.message());
  }
  return keep;
}
