#include "records/FileOps.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>

#include "records/LibraryPaths.h"

namespace kelvane {

namespace {

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Past the file-size limit the kernel sends SIGXFSZ, which by default kills the process
// in the middle of a save and leaves its lock behind. Ignored, write fails with EFBIG.
void IgnoreFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            signal(SIGXFSZ, SIG_IGN);
    });
}

// The file a save really replaces: the target of a symbolic link, so the link survives.
std::string ResolveLink(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

// 0 when the directory entry is on disk, else the errno of the failure. A folder that
// may not be opened for reading cannot be flushed by us at all; that is not a fault.
int SyncDirectory(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES ? 0 : errno;
    int error = 0;
    if (fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    close(fd);
    return error;
}

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

std::string Unchanged(const std::string& path, const std::string& reason) {
    return "could not save " + DisplayPath(path) + ": " + reason +
           "; the file on disk is unchanged";
}

// Null when the file still holds the bytes it held when it was read.
std::optional<std::string> ExternalChange(const std::string& path, const FileStamp& expected) {
    std::string now;
    if (!ReadWholeFile(path, now)) {
        if (errno == ENOENT)
            return "could not save " + DisplayPath(path) +
                   ": it was removed or renamed by another program since it was read; nothing "
                   "was written";
        return Unchanged(path, ErrnoReason(errno));
    }
    if (HashBytes(now) != expected.hash)
        return Unchanged(path, "it was changed on disk by another program since it was read");
    return std::nullopt;
}

}  // namespace

std::string ErrnoReason(int error) {
    switch (error) {
        case ENOSPC:
            return "the disk is full";
        case EDQUOT:
            return "the disk quota is exhausted";
        case EACCES:
        case EPERM:
            return "no permission to write in the folder";
        case EIO:
            return "a device error occurred";
        case EFBIG:
            return "the file would exceed the file-size limit";
        case EROFS:
            return "the file system is read-only";
        case ENOENT:
            return "the folder does not exist";
        case ENOTDIR:
            return "a part of the path is not a folder";
        case ENAMETOOLONG:
            return "the name is too long";
        case EISDIR:
            return "a folder stands where the file should be";
        case EXDEV:
            return "it would move across file systems";
        case EMFILE:
        case ENFILE:
            return "too many files are open";
        default:
            return std::strerror(error);
    }
}

std::string SaveFailureMessage(const std::string& path, int error) {
    return Unchanged(path, ErrnoReason(error));
}

bool ReadDescriptor(int fd, std::string& bytes) {
    bytes.clear();
    struct stat st {};
    if (fstat(fd, &st) == 0 && st.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        close(fd);
        errno = error;
        return false;
    }
    const bool ok = ReadDescriptor(fd, bytes);
    const int error = errno;
    close(fd);
    errno = error;
    return ok;
}

Status WriteFileAtomically(const std::string& requestedPath, std::string_view bytes,
                           const FileStamp* expected) {
    IgnoreFileSizeSignal();
    const std::string path = ResolveLink(requestedPath);

    struct stat target {};
    const bool targetExists = stat(path.c_str(), &target) == 0;
    if (!targetExists && errno != ENOENT)
        return Status::Fail(SaveFailureMessage(path, errno));
    if (targetExists) {
        if (S_ISDIR(target.st_mode))
            return Status::Fail(SaveFailureMessage(path, EISDIR));
        if (!S_ISREG(target.st_mode))
            return Status::Fail(Unchanged(path, "it is not a regular file"));
        // The owner's write bit decides even for root, who may write anything.
        if ((target.st_mode & S_IWUSR) == 0 || (access(path.c_str(), W_OK) != 0 && errno == EACCES))
            return Status::Fail(Unchanged(path, "the file is read-only"));
    }
    if (expected && expected->exists && !targetExists) {
        if (auto change = ExternalChange(path, *expected))
            return Status::Fail(*change);
    }

    const std::string lockPath = path + std::string(kLockSuffix);
    const int fd = open(lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return Status::Fail(
                Unchanged(path, "another save is in progress (" + DisplayPath(lockPath) +
                                    " exists; if no save is running, it was left by a crash and "
                                    "\"kelvane-cli check --clean\" removes it)"));
        return Status::Fail(SaveFailureMessage(path, errno));
    }
    auto fail = [&](int error) {
        unlink(lockPath.c_str());
        return Status::Fail(SaveFailureMessage(path, error));
    };
    if (targetExists) {
        if (fchmod(fd, target.st_mode & 07777) != 0) {
            const int error = errno;
            close(fd);
            return fail(error);
        }
        // Keeps owner and group where we may (root saving a user's file); else ours.
        static_cast<void>(fchown(fd, target.st_uid, target.st_gid));
    }
    if (!WriteAll(fd, bytes) || fsync(fd) != 0) {
        const int error = errno;
        close(fd);
        return fail(error);
    }
    if (close(fd) != 0)
        return fail(errno);

    if (expected && expected->exists) {
        if (auto change = ExternalChange(path, *expected)) {
            unlink(lockPath.c_str());
            return Status::Fail(*change);
        }
    }
    if (rename(lockPath.c_str(), path.c_str()) != 0)
        return fail(errno);
    if (const int error = SyncDirectory(DirectoryOf(path)))
        return Status::Fail("saved " + DisplayPath(path) +
                            ", but its folder could not be flushed to disk: " + ErrnoReason(error) +
                            "; the change may be lost if the system stops now");
    return Status::Ok();
}

Status RenameNoReplace(const std::string& from, const std::string& to) {
    auto failure = [&](int error) {
        if (error == EEXIST || error == ENOTEMPTY)
            return Status::Fail("could not rename " + DisplayPath(from) + ": " + DisplayPath(to) +
                                " already exists");
        return Status::Fail("could not rename " + DisplayPath(from) + ": " + ErrnoReason(error));
    };
    auto done = [&] {
        if (const int error = SyncDirectory(DirectoryOf(to)))
            return Status::Fail(
                "renamed " + DisplayPath(from) +
                ", but its folder could not be flushed to disk: " + ErrnoReason(error));
        return Status::Ok();
    };
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return done();
    if (errno != EINVAL && errno != ENOSYS)
        return failure(errno);

    // No atomic no-replace rename here: claim the name with an empty placeholder, then
    // move onto the claim (a rename may replace an empty directory or a file).
    struct stat source {};
    if (lstat(from.c_str(), &source) != 0)
        return failure(errno);
    struct stat folder {};
    if (stat(DirectoryOf(to).c_str(), &folder) != 0)
        return failure(errno);
    if (folder.st_dev != source.st_dev)
        return failure(EXDEV);
    if (S_ISDIR(source.st_mode)) {
        if (mkdir(to.c_str(), 0700) != 0)
            return failure(errno);
        if (rename(from.c_str(), to.c_str()) != 0) {
            const int error = errno;
            rmdir(to.c_str());
            return failure(error);
        }
    } else {
        const int fd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return failure(errno);
        close(fd);
        if (rename(from.c_str(), to.c_str()) != 0) {
            const int error = errno;
            unlink(to.c_str());
            return failure(error);
        }
    }
    return done();
}

Status CopyFileReplacing(const std::string& from, const std::string& to) {
    std::string bytes;
    if (!ReadWholeFile(from, bytes))
        return Status::Fail("could not read " + DisplayPath(from) + ": " + ErrnoReason(errno));
    return WriteFileAtomically(to, bytes);
}

}  // namespace kelvane
