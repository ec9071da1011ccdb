#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "records/FileStamp.h"
#include "records/Result.h"

namespace kelvane {

// The one save path for every file the program writes (SaveFileAt in AtomicSave.h, on
// the folder of path). A second save of the same file is refused while the first runs; a
// failure leaves the file byte for byte as it was, and the message says why. A read-only
// target is refused. The target's permission bits (and, where allowed, its owner) are
// kept; a symbolic link is kept and the file it points at is saved.
// With expected set, the save is refused when the target's content no longer matches
// (or the target is gone); a new time alone is not a change.
Status WriteFileAtomically(const std::string& path, std::string_view bytes,
                           const FileStamp* expected = nullptr);

// Writes a file that no one else sees yet (in a folder being built): creates or truncates
// it, writes all bytes and flushes them. 0, or the errno of the failure.
int WriteNewFile(const std::string& path, std::string_view bytes, mode_t mode = 0666);
int WriteNewFileAt(int dirfd, const std::string& name, std::string_view bytes, mode_t mode = 0666);

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

// A short reason for an errno value of a write, worded for the user.
std::string ErrnoReason(int error);

// Copies a file over a target through the atomic save path.
Status CopyFileReplacing(const std::string& from, const std::string& to);

}  // namespace kelvane
