// Moving single mazes between the collection and files: import, export and deletion. The
// collection in memory changes through the gate; the main window writes it when the editor
// closes with OK. Each command reports its own errors through the dialog service, so no error
// of a file leaves the command.
#include <filesystem>
#include <system_error>

#include "gx_dialogs.h"
#include "gx_editdoc.h"
#include "gx_mazefile.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_safesave.h"

void TEditDocument::mmImportClick() {
  if (!FMazeList) return;
  TFileDialogOptions o;
  o.filter = kImportFilter;
  o.filterIndex = 1;
  o.defaultExt = kMazeFileExt;
  o.initialDir = FFileFolder;
  o.mustExist = true;
  const std::optional<std::string> fn = dialogs_.OpenFile(o);
  if (!fn) return;
  std::vector<std::unique_ptr<TMaze>> mazes;
  try {
    // Everything is read before anything is added: a fault adds none of the file's mazes.
    mazes = ReadMazeFileAt(*fn);
  } catch (const std::exception& e) {
    dialogs_.ShowError("Error reading mazefile '" + *fn + "': " + e.what());
    return;
  }
  const std::string step = mazes.size() > 1 ? "Import Mazes" : "Import Maze";
  AddMazes(std::move(mazes), step);
}

void TEditDocument::mmExportClick() {
  if (!FMaze) return;
  TFileDialogOptions o;
  o.filter = kExportFilter;
  o.filterIndex = 1;
  o.defaultExt = kMazeFileExt;
  o.initialDir = FFileFolder;
  const std::optional<std::string> fn = dialogs_.SaveFile(o);
  if (!fn) return;
  std::error_code ec;
  if (std::filesystem::exists(*fn, ec) &&
      !dialogs_.Confirm("File '" + *fn + "' does already exist; Overwrite?")) {
    return;
  }
  try {
    // The maze as it is, without the highlights, through a temporary file renamed into place:
    // a failed write leaves an existing file as it was.
    SaveReplacing(*fn, CleanRecord(*FMaze));
  } catch (const std::exception& e) {
    dialogs_.ShowError(e.what());
  }
}

void TEditDocument::mmDeleteClick() {
  if (!FMaze || !FMazeList || MazeIndex(FMaze) < 0) return;
  if (FMazeList->Count() <= 1) {
    // The editor and the game always need a maze to show.
    dialogs_.ShowError("The maze '" + FMaze->mazename +
                       "' is the only one of the collection and cannot be deleted: the "
                       "collection must keep at least one maze. Add another one first (New or "
                       "Import).");
    return;
  }
  if (!dialogs_.Confirm("are you sure you want to delete maze: '" + FMaze->mazename + "'?")) {
    return;
  }
  RemoveMaze(FMaze);
}
