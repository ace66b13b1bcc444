#pragma once
// The maze collection: every maze of the game, stored together as one text file (".cav"),
// and the file-name and version routines that go with it.
#include <memory>
#include <string>

#include "qor_utils.h"

class TMaze;

class TMazeList : public TQorList {
  QOR_LIST_CLASS(TMazeList)
 public:
  TMazeList() = default;
  int Id() const { return FId; }

  // The maze at index, or null outside 0 .. Count - 1.
  TMaze* GetMaze(int index) const;
  // Inserts m (it does not replace) at index clamped to 0 .. Count.
  void SetMaze(int index, std::unique_ptr<TMaze> m);

  // "8 {TMazeList}", the count, then each maze's record.
  bool SaveToF(TTextWriter& f) const override;
  // The count and the mazes, after the header line that the caller has skipped. A maze header
  // whose identifier is not 7 stops loading; the mazes read before it stay in the list.
  bool LoadFromF(TTextReader& f, const TQorClass* cl = nullptr) override;

  // Reads the "7 <name>" line of a maze record into a new maze and then its body; raises the
  // invalid-id error (naming element `index` of `list_name`) when the identifier is not 7.
  static std::unique_ptr<TMaze> ReadMaze(TTextReader& f, int index, const char* list_name);

  int FId = 8;
};

// The file-name part of path (after the last '/', '\' or drive ':'), cut before its last '.',
// followed by ext: "C:\Games\Fly.exe", ".cav" gives "Fly.cav".
std::string NameWithExt(const std::string& path, const std::string& ext);

// The program's own file is recognised by the path the program registers at start-up (its
// executable path); only that file carries version information.
void SetProgramFilePath(const std::string& path);
const std::string& ProgramFilePath();
// The value stored under key in the version information of file fn: the product version for
// key "ProductVersion" of the program's own file, and "" for any other file or key.
std::string GetVersionString(const std::string& fn, const std::string& key);
