#include "gx_bestruns.h"

#include <cinttypes>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_runrecorder.h"
#include "gx_runreplay.h"
#include "gx_safesave.h"
#include "qor_errors.h"
#include "qor_text.h"

namespace fs = std::filesystem;

std::string ReplaysFolderFor(const std::string& collection) {
  return collection + ".replays";
}

std::string DataFolderReplays(const std::string& data_folder) {
  return (fs::path(data_folder) / "replays").string();
}

std::string BestRunFileName(std::uint64_t maze_hash) {
  char name[32];
  std::snprintf(name, sizeof name, "%016" PRIx64 ".gxrun", maze_hash);
  return name;
}

std::string TBestRuns::PathFor(std::uint64_t maze_hash) const {
  return (fs::path(folder_) / BestRunFileName(maze_hash)).string();
}

std::optional<TRunRecording> TBestRuns::Load(std::uint64_t maze_hash) const {
  const std::string path = PathFor(maze_hash);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::string why;
  std::optional<TRunRecording> run;
  const auto size = fs::file_size(path, ec);
  if (ec || size > kMaxRunFileBytes) {
    why = ec ? ec.message() : "larger than any best run";
  } else {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
      why = "cannot be read";
    } else {
      run = ReadRunFile(bytes, &why);
      if (run && run->maze_hash != maze_hash) {
        run.reset();
        why = "recorded on another maze";
      }
    }
  }
  if (!run && log_ && reported_.insert(path).second) {
    std::fprintf(log_, "gravonaut: ignoring the best run '%s': %s\n", path.c_str(), why.c_str());
  }
  return run;
}

void TBestRuns::Save(const TRunRecording& run) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) throw EInOutError("Cannot create the folder '" + folder_ + "': " + ec.message());
  const std::string path = PathFor(run.maze_hash);
  SaveReplacing(path, WriteRunFile(run));
  reported_.erase(path);
}

void TBestRuns::Retire(std::uint64_t maze_hash) const {
  std::error_code ec;
  fs::remove(PathFor(maze_hash), ec);
}

int VerifyBestRuns(const TMazeList& mazes, const TBestRuns& runs, std::FILE* out) {
  int status = 0;
  int found = 0;
  for (int i = 0; i < mazes.Count(); ++i) {
    const TMaze* maze = mazes.GetMaze(i);
    if (!maze) continue;
    const std::optional<TRunRecording> run = runs.Load(MazeContentHash(*maze));
    if (!run) continue;
    ++found;
    const TReplayCheck check = VerifyRun(*maze, *run);
    std::fprintf(out, "%d %s: %.2f s, replay %s\n", i + 1, maze->mazename.c_str(), run->Seconds(),
                 check.matches ? "matches" : ("does not match (" + check.why + ")").c_str());
    if (!check.matches) status = 1;
  }
  if (found == 0) std::fprintf(out, "no best runs in '%s'\n", runs.Folder().c_str());
  return status;
}

int VerifyCollectionReplays(const std::string& collection, const std::string& replays,
                            std::FILE* out, std::FILE* err) {
  TMazeList mazes;
  try {
    TTextReader f = TTextReader::FromFile(collection);
    f.ReadLn();  // the collection's own header line
    mazes.LoadFromF(f);
  } catch (const std::exception& e) {
    std::fprintf(err, "gravonaut: cannot read the collection '%s': %s\n", collection.c_str(),
                 e.what());
    return 2;
  }
  return VerifyBestRuns(mazes, TBestRuns(replays, err), out);
}
