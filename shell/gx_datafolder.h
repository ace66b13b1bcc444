#pragma once
// The player's data folder: where the game keeps its collection when it is started from the
// desktop's menu (the --data-folder option) instead of playing the working directory's.
//
// The folder is $XDG_DATA_HOME/gravonaut, or ~/.local/share/gravonaut when XDG_DATA_HOME is
// unset or not an absolute path. On the first start it is created and the starter collection
// that is installed with the game is copied into it, with the starter mazes' best runs
// (starter.cav.replays/) going to folder/replays/; an existing collection is never touched.
#include <string>

// The folder for these values of XDG_DATA_HOME and HOME (either may be null); "" when
// neither gives an absolute path.
std::string PlayerDataFolder(const char* xdg_data_home, const char* home);

// The starter collection installed beside the program: program_dir/<relative data dir>/
// starter.cav. "" when there is none.
std::string InstalledStarterCollection(const std::string& program_dir);

struct TDataFolder {
  std::string collection;  // the collection file to play: folder/gravonaut.cav
  bool copied = false;     // the starter collection was copied there just now
};

// Creates folder when it is missing and copies starter (when not "") to folder/gravonaut.cav
// unless a collection is already there. Raises EInOutError naming the file
// and the reason when the folder cannot be made or the copy fails.
TDataFolder PrepareDataFolder(const std::string& folder, const std::string& starter);
