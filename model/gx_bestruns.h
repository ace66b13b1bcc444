#pragma once
// Where best runs are kept: one file per maze in a folder beside the collection, named by the
// maze's content hash ("0123456789abcdef.gxrun"), so that a renamed or reordered maze keeps
// its best run and a changed maze no longer finds one. Files are written through the safe
// save; a file that cannot be read is ignored with one line on standard error.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <string>

#include "gx_runfile.h"

class TMaze;
class TMazeList;

// The folder of best runs of a collection given by path: "<collection file>.replays".
std::string ReplaysFolderFor(const std::string& collection);
// The folder of best runs in the player's data folder: "<data folder>/replays".
std::string DataFolderReplays(const std::string& data_folder);
// "0123456789abcdef.gxrun".
std::string BestRunFileName(std::uint64_t maze_hash);

class TBestRuns {
 public:
  explicit TBestRuns(std::string folder, std::FILE* log = stderr)
      : folder_(std::move(folder)), log_(log) {}
  const std::string& Folder() const { return folder_; }
  std::string PathFor(std::uint64_t maze_hash) const;
  // The best run kept for a maze of this content; nullopt when there is none or it cannot be
  // read (said once per file on the log).
  std::optional<TRunRecording> Load(std::uint64_t maze_hash) const;
  // Keeps run as the best run of its maze (creating the folder); raises EInOutError.
  void Save(const TRunRecording& run) const;
  // Removes the best run of a maze of this content, if there is one.
  void Retire(std::uint64_t maze_hash) const;

 private:
  std::string folder_;
  std::FILE* log_;
  mutable std::set<std::string> reported_;
};

// --verify-replays: re-simulates the best run of every maze of mazes that has one and prints
// one line per such maze on out ("3 Gear Works: 29.90 s, replay matches" or "... does not
// match"). 0 when all match (also when there are none), 1 otherwise.
int VerifyBestRuns(const TMazeList& mazes, const TBestRuns& runs, std::FILE* out);
// The same for a collection file and its folder of best runs; a collection that cannot be read
// is said on err (status 2), a collection without any best run on out (status 0).
int VerifyCollectionReplays(const std::string& collection, const std::string& replays,
                            std::FILE* out, std::FILE* err);
