#include "records/FileLock.h"

#include <fcntl.h>

#include <cerrno>

namespace kelvane {

int TryLockFile(int fd) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    whole.l_start = 0;
    whole.l_len = 0;  // to the end, however long the file grows
    while (fcntl(fd, F_OFD_SETLK, &whole) != 0) {
        if (errno == EINTR)
            continue;
        return errno == EAGAIN || errno == EACCES ? EWOULDBLOCK : errno;
    }
    return 0;
}

}  // namespace kelvane
