#pragma once
// The files the editor imports: a single maze (".mze", one maze record, header "7 <name>") or
// a whole collection (".cav", header "8 {TMazeList}"). The class id at the start of the first
// line says which.
#include <memory>
#include <string>
#include <vector>

class TMaze;

// The class ids of the two kinds of file.
constexpr int kMazeFileId = 7;
constexpr int kCollectionFileId = 8;

// The mazes of a maze file or a collection file held in bytes, in file order. All or nothing:
// any fault (another class id, an empty collection, a malformed record, a file that ends too
// early) raises EQorError with the reader's message and returns none of the mazes read before.
std::vector<std::unique_ptr<TMaze>> ReadMazeFile(const std::string& bytes);

// The same for a file on disk; a file that cannot be read raises EInOutError.
std::vector<std::unique_ptr<TMaze>> ReadMazeFileAt(const std::string& path);
