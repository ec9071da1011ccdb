#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// Directory work relative to open descriptors, so that a folder renamed meanwhile is
// still the one worked in. Nothing here follows a symbolic link or enters another file
// system, and every descent is bounded by kMaxTreeDepth.
inline constexpr int kMaxTreeDepth = 128;

// Opens the folder name below dirfd for reading; never through a link. -1 with errno.
int OpenDirectoryAt(int dirfd, const std::string& name);

// The names in an open folder that begin with prefix, "." and ".." left out, in the order
// the file system gives them. False with errno set when it cannot be read.
bool ListNames(int dirfd, std::vector<std::string>& names, std::string_view prefix = {});

// Removes name below dirfd and, for a folder, everything in it. 0, or the errno of the
// first entry that could not be removed (EXDEV for another file system inside, ELOOP when
// nested deeper than the bound); a missing name is no error.
int RemoveTreeAt(int dirfd, const std::string& name);

// Flushes an open folder's entries to disk: 0, or the errno of the failure. A descriptor
// that cannot be flushed at all (opened only as a path) is no fault.
int SyncDirectory(int dirfd);

// True when name below dirfd is an empty folder (not a link).
bool IsEmptyDirectoryAt(int dirfd, const std::string& name);

}  // namespace kelvane

namespace kelvane {

// How MergeMissing brings an entry over.
enum class MergeMode {
    LinkOrCopy,  // a hard link (a copy where none can be made); folders made anew
    Move,        // renamed over, folders whole
};

// Brings every entry of the old folder that the new folder lacks into it, and goes on in
// the folders both have; what the new folder has of the same name stays. A folder in one
// and a file or link in the other stop it; so do a folder of another file system, a
// FIFO or device that cannot be linked, and a failed copy. The program's own temporary
// files are left out. "" when done, else the reason, naming the entry by its path
// relative to the folders.
std::string MergeMissing(int oldDirfd, int newDirfd, MergeMode mode);

// Flushes an open folder and every folder below it. 0 or the first errno.
int SyncTree(int dirfd);

}  // namespace kelvane
