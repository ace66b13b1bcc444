// Test play from the editor: the current maze is copied from its clean record and handed to the
// test-play service, so that the run cannot reach the collection and the editor's state.
#include <exception>

#include "gx_dialogs.h"
#include "gx_editdoc.h"
#include "gx_mazefile.h"
#include "gx_mazegame.h"
#include "gx_testplay.h"

std::unique_ptr<TMaze> TEditDocument::TestPlayCopy() {
  if (!FMaze) return nullptr;
  // A maze record reads back as exactly one maze (anything else raises).
  return std::move(ReadMazeFile(CleanRecord(*FMaze)).front());
}

void TEditDocument::TestPlayClick() {
  if (!test_play_ || !FMaze) return;
  // The release of a drag would come to the test window: the drag is dropped, as for a command.
  if (FDrag) CancelDrag();
  try {
    test_play_->TestPlay(TestPlayCopy());
  } catch (const std::exception& e) {
    dialogs_.ShowError(e.what());
  }
}
