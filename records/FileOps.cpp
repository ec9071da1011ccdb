#include "records/FileOps.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "records/LibraryPaths.h"

namespace kelvane {

namespace {

constexpr std::string_view kLockSuffix = ".lock";

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SyncDirectory(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);  // best effort: the rename has already happened
    close(fd);
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
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

Status ChangedOnDisk(const std::string& path) {
    return Status::Fail("could not save " + DisplayPath(path) +
                        ": it was changed on disk by another program since it was read; "
                        "the file on disk is unchanged");
}

}  // namespace

std::string ErrnoReason(int error) {
    switch (error) {
        case ENOSPC: return "the disk is full";
        case EDQUOT: return "the disk quota is exhausted";
        case EACCES:
        case EPERM: return "no permission to write in the folder";
        case EIO: return "a device error occurred";
        case EFBIG: return "the file would exceed the file-size limit";
        case EROFS: return "the file system is read-only";
        case ENOENT: return "the folder does not exist";
        case ENOTDIR: return "a part of the path is not a folder";
        case ENAMETOOLONG: return "the name is too long";
        case EISDIR: return "a folder stands where the file should be";
        case EXDEV: return "it would move across file systems";
        default: return std::strerror(error);
    }
}

std::string SaveFailureMessage(const std::string& path, int error) {
    return "could not save " + DisplayPath(path) + ": " + ErrnoReason(error) +
           "; the file on disk is unchanged";
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bytes.clear();
    struct stat st{};
    if (fstat(fd, &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            close(fd);
            return false;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return true;
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes,
                           const FileStamp* expected) {
    struct stat target{};
    const bool targetExists = stat(path.c_str(), &target) == 0;
    if (targetExists) {
        if (S_ISDIR(target.st_mode)) return Status::Fail(SaveFailureMessage(path, EISDIR));
        if ((target.st_mode & S_IWUSR) == 0)
            return Status::Fail("could not save " + DisplayPath(path) +
                                ": the file is read-only; the file on disk is unchanged");
    }
    if (expected && expected->exists && StampOfFile(path).hash != expected->hash)
        return ChangedOnDisk(path);
    if (expected && expected->exists && !targetExists) return ChangedOnDisk(path);

    const std::string lockPath = path + std::string(kLockSuffix);
    const int fd = open(lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return Status::Fail("could not save " + DisplayPath(path) +
                                ": another save is in progress (" +
                                DisplayPath(BaseNameOf(lockPath)) +
                                " exists); the file on disk is unchanged");
        return Status::Fail(SaveFailureMessage(path, errno));
    }
    auto fail = [&](int error) {
        unlink(lockPath.c_str());
        return Status::Fail(SaveFailureMessage(path, error));
    };
    if (targetExists && fchmod(fd, target.st_mode & 07777) != 0) {
        const int error = errno;
        close(fd);
        return fail(error);
    }
    if (!WriteAll(fd, bytes) || fsync(fd) != 0) {
        const int error = errno;
        close(fd);
        return fail(error);
    }
    if (close(fd) != 0) return fail(errno);

    if (expected && expected->exists) {
        const FileStamp now = StampOfFile(path);
        if (!now.exists || now.hash != expected->hash) {
            unlink(lockPath.c_str());
            return ChangedOnDisk(path);
        }
    }
    if (rename(lockPath.c_str(), path.c_str()) != 0) return fail(errno);
    SyncDirectory(DirectoryOf(path));
    return Status::Ok();
}

Status RenameNoReplace(const std::string& from, const std::string& to) {
    auto failure = [&](int error) {
        if (error == EEXIST || error == ENOTEMPTY)
            return Status::Fail("could not rename " + DisplayPath(from) + ": " +
                                DisplayPath(to) + " already exists");
        return Status::Fail("could not rename " + DisplayPath(from) + ": " + ErrnoReason(error));
    };
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        SyncDirectory(DirectoryOf(to));
        return Status::Ok();
    }
    if (errno != EINVAL && errno != ENOSYS) return failure(errno);

    // No atomic no-replace rename here: claim the name first, then move onto the claim.
    struct stat source{};
    if (lstat(from.c_str(), &source) != 0) return failure(errno);
    if (S_ISDIR(source.st_mode)) {
        if (mkdir(to.c_str(), 0700) != 0) return failure(errno);
        if (rename(from.c_str(), to.c_str()) != 0) {
            const int error = errno;
            rmdir(to.c_str());
            return failure(error);
        }
    } else {
        if (link(from.c_str(), to.c_str()) != 0) return failure(errno);
        if (unlink(from.c_str()) != 0) {
            const int error = errno;
            unlink(to.c_str());
            return failure(error);
        }
    }
    SyncDirectory(DirectoryOf(to));
    return Status::Ok();
}

Status CopyFileReplacing(const std::string& from, const std::string& to) {
    std::string bytes;
    if (!ReadWholeFile(from, bytes))
        return Status::Fail("could not read " + DisplayPath(from) + ": " + ErrnoReason(errno));
    return WriteFileAtomically(to, bytes);
}

}  // namespace kelvane
