#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace kelvane::cli {

// A directory given on the command line, absolute or relative to the working directory,
// without trailing separators. A path ending in "." or ".." is made absolute so that
// its last component is a real name.
std::string NormalizeFolderArgument(const std::string& argument);

// True when path names a directory (symbolic links followed).
bool IsDirectory(const std::string& path);

// The directories on the way down a walk of the library, so that a directory met again
// (a cycle through symbolic links) ends the descent instead of looping.
class WalkPath {
public:
    // Enters dir; false when it cannot be read or is already on the way down.
    bool Enter(const std::string& dir);
    void Leave() { m_ids.pop_back(); }

private:
    std::vector<std::pair<dev_t, ino_t>> m_ids;
};

}  // namespace kelvane::cli
