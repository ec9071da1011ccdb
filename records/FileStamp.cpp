#include "records/FileStamp.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace kelvane {

namespace {
constexpr std::size_t kPieceSize = 65536;
}  // namespace

int CompareContent(int fd, std::string_view bytes, bool& same) {
    same = false;
    struct stat st {};
    if (fstat(fd, &st) != 0)
        return errno;
    if (static_cast<std::uint64_t>(st.st_size) != bytes.size())
        return 0;
    char piece[kPieceSize];
    std::size_t offset = 0;
    // One byte more than expected is asked for at the end, in case the file grew.
    for (;;) {
        const std::size_t want = std::min(kPieceSize, bytes.size() - offset + 1);
        const ssize_t got = pread(fd, piece, want, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        const auto n = static_cast<std::size_t>(got);
        if (n == 0) {
            same = offset == bytes.size();
            return 0;
        }
        if (offset + n > bytes.size() || bytes.compare(offset, n, piece, n) != 0)
            return 0;
        offset += n;
    }
}

}  // namespace kelvane
