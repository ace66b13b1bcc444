#pragma once
// Writing the game's files without ever losing them: the collection (with its backup) and the
// editor's exported mazes.
//
// The new contents go to a temporary file in the target's own folder and are flushed to the
// disk before anything else is touched; only then are the files renamed into place (for the
// collection: the old backup deleted, the collection renamed to the backup name, the temporary
// file renamed to the collection name). A failure while writing leaves the files on disk
// exactly as they were. Plain system calls, no toolkit: the shell and the editor both use it.
#include <string>
#include <string_view>

// The backup name of a collection file: the same folder, the extension replaced by ".old"
// ("dir/gravonaut.cav" gives "dir/gravonaut.old").
std::string BackupFileName(const std::string& fn);

// Replaces fn by bytes, keeping the previous fn under bak. Raises EInOutError naming fn and
// the system's reason when anything fails.
void SaveWithBackup(const std::string& fn, const std::string& bak, std::string_view bytes);

// Replaces fn by bytes, or creates it, through a flushed temporary file renamed over it: fn is
// either what it was or the new bytes, never a part. Raises EInOutError naming fn and the
// system's reason when anything fails.
void SaveReplacing(const std::string& fn, std::string_view bytes);

// Copies fn to a new name beside it that no save removes: fn + ".unreadable-YYYYMMDD-HHMMSS"
// (with "-2", "-3", ... appended should that name exist). Returns the new name; raises
// EInOutError when the copy cannot be made.
std::string KeepUnreadableCopy(const std::string& fn);
