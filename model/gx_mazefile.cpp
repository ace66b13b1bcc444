#include "gx_mazefile.h"

#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "qor_errors.h"
#include "qor_text.h"

std::vector<std::unique_ptr<TMaze>> ReadMazeFile(const std::string& bytes) {
  TTextReader f(bytes);
  if (f.AtEnd()) throw EQorError("The file is empty");
  // The id decides how the first line is read: the maze's header line is read by the maze
  // reader itself (it carries the name), the collection's is skipped.
  TTextReader peek(bytes);
  const std::int32_t id = peek.ReadInteger();
  std::vector<std::unique_ptr<TMaze>> mazes;
  if (id == kMazeFileId) {
    mazes.push_back(TMazeList::ReadMaze(f, 0, "maze file"));
  } else if (id == kCollectionFileId) {
    f.ReadLn();
    TMazeList list;
    list.LoadFromF(f);
    if (list.Count() == 0) throw EQorError("The collection holds no maze");
    mazes.resize(static_cast<std::size_t>(list.Count()));
    for (int i = list.Count() - 1; i >= 0; --i) {
      // The list holds nothing but the mazes its reader made.
      mazes[static_cast<std::size_t>(i)].reset(static_cast<TMaze*>(list.Delete(i).release()));
    }
  } else {
    throw EQorError(
        "The file holds neither a maze (class id 7) nor a collection (class id 8) "
        "but class id " +
        std::to_string(id));
  }
  return mazes;
}

std::vector<std::unique_ptr<TMaze>> ReadMazeFileAt(const std::string& path) {
  return ReadMazeFile(ReadFileBytes(path));
}
