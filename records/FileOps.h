#pragma once

#include <string>
#include <string_view>

#include "records/FileStamp.h"
#include "records/Result.h"

namespace kelvane {

// The suffix of the lock file that a save creates beside its target.
inline constexpr std::string_view kLockSuffix = ".lock";

// The one save path for every file the program writes. Creates PATH.lock beside the
// target exclusively, writes all bytes, flushes them to disk, renames the lock over the
// target and flushes the directory. On any failure before the rename the lock is removed,
// the target is left byte for byte as it was, and the message says why. A read-only
// target is refused. The target's permission bits (and, where allowed, its owner) are
// kept; a symbolic link is kept and the file it points at is saved.
// With expected set, the save is refused when the target's content no longer matches
// (or the target is gone); a new time alone is not a change.
Status WriteFileAtomically(const std::string& path, std::string_view bytes,
                           const FileStamp* expected = nullptr);

// Reads a whole regular file; false (errno set) when it cannot be opened or read, or is
// not a regular file (a FIFO or device would block or never end).
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Reads from an open descriptor to its end; false (errno set) on a read error.
bool ReadDescriptor(int fd, std::string& bytes);

// Moves a file or directory to a name that must not exist yet. Never replaces anything:
// where the file system lacks an atomic no-replace rename, the target is first created
// as an empty placeholder, which then receives the move. A move to another file system
// is refused.
Status RenameNoReplace(const std::string& from, const std::string& to);

// "could not save X: reason; the file on disk is unchanged"
std::string SaveFailureMessage(const std::string& path, int error);

// A short reason for an errno value, worded for the user.
std::string ErrnoReason(int error);

// Copies a file over a target through the atomic save path.
Status CopyFileReplacing(const std::string& from, const std::string& to);

}  // namespace kelvane
