#include "records/DirScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "records/DirWalk.h"

namespace kelvane {

DirListing ListDirectories(const std::string& dir) {
    DirListing listing;
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        listing.error = errno == ENOENT ? 0 : errno;
        return listing;
    }
    std::vector<Subdirectory> found;
    listing.error = ReadSubdirectories(fd, found);
    close(fd);
    const std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    listing.entries.reserve(found.size());
    for (Subdirectory& sub : found) {
        std::string path = prefix + sub.name;
        listing.entries.push_back({std::move(sub.name), std::move(path), sub.id});
    }
    return listing;
}

std::vector<DirEntry> ScanDirectories(const std::string& dir) {
    return ListDirectories(dir).entries;
}

}  // namespace kelvane
