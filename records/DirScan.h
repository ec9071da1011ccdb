#pragma once

#include <string>
#include <vector>

namespace kelvane {

struct DirEntry {
    std::string name;  // as the file system gives it
    std::string path;  // directory + "/" + name
};

// The one directory scan of the library: the subdirectories of dir in the order the file
// system enumerates them, never sorted. Symbolic links to directories count as
// directories; "." and ".." are skipped, and so are the folders a running or crashed
// creation is building (Leftovers.h). A directory that cannot be read yields nothing.
// Each consumer applies its own skip and keep rules to the result.
std::vector<DirEntry> ScanDirectories(const std::string& dir);

}  // namespace kelvane
