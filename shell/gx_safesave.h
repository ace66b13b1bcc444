#pragma once
// Writing the maze collection without ever losing it.
//
// The new contents go to a temporary file in the collection's own folder and are flushed to
// the disk before anything else is touched; only then is the old backup deleted, the collection
// renamed to the backup name and the temporary file renamed to the collection name. A failure
// while writing leaves the collection and its backup exactly as they were.
#include <string>
#include <string_view>

// The backup name of a collection file: the same folder, the extension replaced by ".old"
// ("dir/gravonaut.cav" gives "dir/gravonaut.old").
std::string BackupFileName(const std::string& fn);

// Replaces fn by bytes, keeping the previous fn under bak. Raises EInOutError naming fn and
// the system's reason when anything fails.
void SaveWithBackup(const std::string& fn, const std::string& bak, std::string_view bytes);

// Copies fn to a new name beside it that no save removes: fn + ".unreadable-YYYYMMDD-HHMMSS"
// (with "-2", "-3", ... appended should that name exist). Returns the new name; raises
// EInOutError when the copy cannot be made.
std::string KeepUnreadableCopy(const std::string& fn);
