#include "records/FileStamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "records/FileOps.h"

namespace kelvane {

std::uint64_t HashBytes(std::string_view bytes) {
    // FNV-1a, 64 bits: enough to tell one version of a small file from another.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

FileStamp StampFromDescriptor(int fd, std::string_view bytes) {
    FileStamp stamp;
    struct stat st {};
    if (fstat(fd, &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::int64_t>(bytes.size());
    stamp.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.hash = HashBytes(bytes);
    return stamp;
}

FileStamp StampOfFile(const std::string& path) {
    // One descriptor for the bytes and the metadata, so both describe the same file.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat st {};
    std::string bytes;
    FileStamp stamp;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ReadDescriptor(fd, bytes))
        stamp = StampFromDescriptor(fd, bytes);
    close(fd);
    return stamp;
}

}  // namespace kelvane
