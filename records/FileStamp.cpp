#include "records/FileStamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "records/FileOps.h"

namespace kelvane {

namespace {

// FNV-1a, 64 bits: enough to tell one version of a small file from another.
constexpr std::uint64_t kHashStart = 14695981039346656037ull;

std::uint64_t HashMore(std::uint64_t hash, std::string_view bytes) {
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

std::uint64_t HashBytes(std::string_view bytes) {
    return HashMore(kHashStart, bytes);
}

bool HashFromStart(int fd, std::uint64_t& hash) {
    hash = kHashStart;
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        const ssize_t got = pread(fd, buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        hash = HashMore(hash, std::string_view(buffer, static_cast<std::size_t>(got)));
        offset += got;
    }
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
