#pragma once

#include <string>

namespace kelvane::cli {

// A directory given on the command line, absolute or relative to the working directory,
// without trailing separators. A path ending in "." or ".." is made absolute so that
// its last component is a real name.
std::string NormalizeFolderArgument(const std::string& argument);

// True when path names a directory (symbolic links followed).
bool IsDirectory(const std::string& path);

// Threads for a walk of the library: one per core, up to a few; more do not help a walk
// that waits on the file system.
int WalkThreads();

}  // namespace kelvane::cli
