#include "records/TempFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "records/FileLock.h"
#include "records/WorkFiles.h"

namespace kelvane {

namespace {

// O_TMPFILE is missing from this file system (or kernel).
bool NoUnnamedFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

int LinkUnnamed(int fd, int dirfd, const std::string& name) {
    if (linkat(fd, "", dirfd, name.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    if (errno != ENOENT && errno != EPERM)
        return errno;
    // Without CAP_DAC_READ_SEARCH the file is linked through its /proc entry.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return linkat(AT_FDCWD, self.c_str(), dirfd, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

int TempFile::Create(int dirfd, mode_t mode) {
    m_dirfd = dirfd;
    m_name.clear();
    int fd = openat(dirfd, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (fd < 0 && NoUnnamedFiles(errno)) {
        // Named at once; the random name is renamed to the certified one right after.
        const std::string name = WorkFileName(WorkKind::Temp, NewWorkId());
        fd = openat(dirfd, name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0)
            m_name = name;
    }
    if (fd < 0)
        return errno;
    m_fd.reset(fd);
    if (const int error = TryLockFile(fd)) {
        Discard();
        return error == EWOULDBLOCK ? EIO : error;
    }
    if (!m_name.empty()) {
        if (const int error = GiveTemporaryName()) {
            Discard();
            return error;
        }
    }
    return 0;
}

int TempFile::GiveTemporaryName() {
    struct stat st {};
    if (fstat(m_fd.get(), &st) != 0)
        return errno;
    const std::string name = TempNameOf(st.st_ino);
    if (m_name == name)
        return 0;
    if (m_name.empty()) {
        if (const int error = LinkUnnamed(m_fd.get(), m_dirfd, name))
            return error;
    } else if (renameat(m_dirfd, m_name.c_str(), m_dirfd, name.c_str()) != 0) {
        return errno;
    }
    m_name = name;
    return 0;
}

int TempFile::LinkAs(const std::string& name) {
    if (m_name.empty())
        return LinkUnnamed(m_fd.get(), m_dirfd, name);
    if (renameat2(m_dirfd, m_name.c_str(), m_dirfd, name.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS)
            return errno;
        // No no-replace rename here: a hard link refuses an existing name just as well.
        if (linkat(m_dirfd, m_name.c_str(), m_dirfd, name.c_str(), 0) != 0)
            return errno;
        unlinkat(m_dirfd, m_name.c_str(), 0);
    }
    m_name.clear();
    return 0;
}

int TempFile::RenameOver(const std::string& name) {
    if (const int error = GiveTemporaryName())
        return error;
    if (renameat(m_dirfd, m_name.c_str(), m_dirfd, name.c_str()) != 0)
        return errno;
    m_name.clear();
    return 0;
}

void TempFile::Discard() {
    if (!m_name.empty())
        unlinkat(m_dirfd, m_name.c_str(), 0);
    m_name.clear();
    m_fd.reset();
}

}  // namespace kelvane
