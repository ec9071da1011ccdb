#include "records/DirTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "i18n/Translate.h"
#include "records/FileOps.h"
#include "records/ReadReason.h"
#include "records/TempFile.h"
#include "records/UniqueFd.h"
#include "records/WorkFiles.h"

namespace kelvane {

using i18n::Tr;

namespace {

int RemoveBelow(int dirfd, const std::string& name, dev_t device, int depth) {
    struct stat st {};
    if (fstatat(dirfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISDIR(st.st_mode))
        return unlinkat(dirfd, name.c_str(), 0) == 0 || errno == ENOENT ? 0 : errno;
    if (st.st_dev != device)
        return EXDEV;
    if (depth >= kMaxTreeDepth)
        return ELOOP;
    int first = 0;
    {
        const UniqueFd folder(OpenDirectoryAt(dirfd, name));
        if (!folder.valid())
            return errno;
        std::vector<std::string> names;
        if (!ListNames(folder.get(), names))
            return errno;
        for (const std::string& entry : names) {
            const int error = RemoveBelow(folder.get(), entry, device, depth + 1);
            if (error != 0 && first == 0)
                first = error;
        }
    }
    if (first != 0)
        return first;
    return unlinkat(dirfd, name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT ? 0 : errno;
}

bool IsOurTemporaryFile(const std::string& name, const struct stat& st) {
    return S_ISREG(st.st_mode) && ParseWorkName(name).kind == WorkKind::Temp &&
           TempNameOf(st.st_ino) == name;
}

// Owner and permission bits of the original, where we may set them.
void KeepOwnerAndMode(int dirfd, const std::string& name, const struct stat& st) {
    static_cast<void>(fchownat(dirfd, name.c_str(), st.st_uid, st.st_gid, AT_SYMLINK_NOFOLLOW));
    if (!S_ISLNK(st.st_mode))
        static_cast<void>(fchmodat(dirfd, name.c_str(), st.st_mode & 07777, 0));
}

int CopyFile(int fromDir, int toDir, const std::string& name, const struct stat& st) {
    const UniqueFd from(openat(fromDir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!from.valid())
        return errno;
    const UniqueFd to(
        openat(toDir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!to.valid())
        return errno;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(from.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            break;
        if (!WriteAll(to.get(), std::string_view(buffer, static_cast<std::size_t>(got))))
            return errno;
    }
    if (fsync(to.get()) != 0)
        return errno;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    static_cast<void>(futimens(to.get(), times));
    KeepOwnerAndMode(toDir, name, st);
    return 0;
}

int BringOver(int oldDir, int newDir, const std::string& name, const struct stat& st) {
    if (linkat(oldDir, name.c_str(), newDir, name.c_str(), 0) == 0)
        return 0;
    const int linkError = errno;
    if (S_ISREG(st.st_mode))
        return CopyFile(oldDir, newDir, name, st);
    if (S_ISLNK(st.st_mode)) {
        char target[4096];
        const ssize_t length = readlinkat(oldDir, name.c_str(), target, sizeof target - 1);
        if (length < 0)
            return errno;
        target[length] = '\0';
        if (symlinkat(target, newDir, name.c_str()) != 0)
            return errno;
        KeepOwnerAndMode(newDir, name, st);
        return 0;
    }
    return linkError;
}

std::string Merge(int oldDir, int newDir, MergeMode mode, dev_t device, const std::string& prefix,
                  int depth) {
    std::vector<std::string> names;
    if (!ListNames(oldDir, names))
        return (prefix.empty() ? "" : prefix + ": ") + ReadErrnoReason(errno);
    for (const std::string& name : names) {
        const std::string path = prefix.empty() ? name : prefix + "/" + name;
        struct stat st {};
        if (fstatat(oldDir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT)
                continue;
            return path + ": " + ReadErrnoReason(errno);
        }
        if (IsOurTemporaryFile(name, st))
            continue;
        const bool folder = S_ISDIR(st.st_mode);
        if (folder && st.st_dev != device)
            return path + ": " + Tr("it is on another file system");
        struct stat there {};
        const bool exists = fstatat(newDir, name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0;
        if (exists && folder != S_ISDIR(there.st_mode))
            return path + ": " + Tr("a folder and a file stand in each other's place");
        if (exists && !folder)
            continue;  // the new one replaces it
        if (!exists && mode == MergeMode::Move) {
            if (renameat2(oldDir, name.c_str(), newDir, name.c_str(), RENAME_NOREPLACE) != 0 &&
                renameat(oldDir, name.c_str(), newDir, name.c_str()) != 0)
                return path + ": " + ErrnoReason(errno);
            continue;
        }
        if (!folder) {
            if (const int error = BringOver(oldDir, newDir, name, st))
                return path + ": " + ErrnoReason(error);
            continue;
        }
        if (depth >= kMaxTreeDepth)
            return path + ": " + Tr("folders are nested too deeply");
        if (!exists && mkdirat(newDir, name.c_str(), 0700) != 0)
            return path + ": " + ErrnoReason(errno);
        {
            const UniqueFd oldSub(OpenDirectoryAt(oldDir, name));
            const UniqueFd newSub(OpenDirectoryAt(newDir, name));
            if (!oldSub.valid() || !newSub.valid())
                return path + ": " + ErrnoReason(errno);
            std::string fault = Merge(oldSub.get(), newSub.get(), mode, device, path, depth + 1);
            if (!fault.empty())
                return fault;
        }
        // Last, so that a folder without write permission could still be filled.
        if (mode == MergeMode::LinkOrCopy)
            KeepOwnerAndMode(newDir, name, st);
    }
    return {};
}

int SyncBelow(int dirfd, int depth) {
    if (depth >= kMaxTreeDepth)
        return ELOOP;
    std::vector<std::string> names;
    if (!ListNames(dirfd, names))
        return errno;
    for (const std::string& name : names) {
        struct stat st {};
        if (fstatat(dirfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode))
            continue;
        const UniqueFd sub(OpenDirectoryAt(dirfd, name));
        if (!sub.valid())
            return errno;
        if (const int error = SyncBelow(sub.get(), depth + 1))
            return error;
    }
    return SyncDirectory(dirfd);
}

}  // namespace

std::string MergeMissing(int oldDirfd, int newDirfd, MergeMode mode) {
    struct stat folder {};
    if (fstat(oldDirfd, &folder) != 0)
        return ReadErrnoReason(errno);
    return Merge(oldDirfd, newDirfd, mode, folder.st_dev, {}, 0);
}

int SyncTree(int dirfd) {
    return SyncBelow(dirfd, 0);
}

int OpenDirectoryAt(int dirfd, const std::string& name) {
    return openat(dirfd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool ListNames(int dirfd, std::vector<std::string>& names, std::string_view prefix) {
    names.clear();
    // A description of its own, so that reading does not move the caller's offset.
    const int fd = openat(dirfd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    DIR* stream = fdopendir(fd);
    if (!stream) {
        const int error = errno;
        close(fd);
        errno = error;
        return false;
    }
    errno = 0;
    while (const dirent* entry = readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && name.starts_with(prefix))
            names.emplace_back(name);
        errno = 0;
    }
    const int error = errno;
    closedir(stream);
    errno = error;
    return error == 0;
}

int RemoveTreeAt(int dirfd, const std::string& name) {
    struct stat folder {};
    if (fstat(dirfd, &folder) != 0)
        return errno;
    return RemoveBelow(dirfd, name, folder.st_dev, 0);
}

int SyncDirectory(int dirfd) {
    if (fsync(dirfd) == 0 || errno == EINVAL || errno == EBADF)
        return 0;
    return errno;
}

bool IsEmptyDirectoryAt(int dirfd, const std::string& name) {
    const UniqueFd folder(OpenDirectoryAt(dirfd, name));
    std::vector<std::string> names;
    return folder.valid() && ListNames(folder.get(), names) && names.empty();
}

}  // namespace kelvane
