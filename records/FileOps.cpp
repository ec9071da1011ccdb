#include "records/FileOps.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "i18n/Translate.h"
#include "records/AtomicSave.h"
#include "records/DirTree.h"
#include "records/LibraryPaths.h"
#include "records/TempFile.h"
#include "records/UniqueFd.h"

namespace kelvane {

using i18n::Say;
using i18n::Tr;

namespace {

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
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
int SyncDirectoryPath(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES ? 0 : errno;
    const int error = SyncDirectory(fd);
    close(fd);
    return error;
}

std::string SaveMessage(const std::string& path, const SaveOutcome& outcome) {
    using Kind = SaveOutcome::Kind;
    const std::string shown = DisplayPath(path);
    // Of a file that was there, that it is unchanged; of one that was not, only that
    // nothing was written.
    auto failed = [&](std::string_view reason) {
        return outcome.existed
                   ? Say("Could not save {path}: {reason}; the file on disk is unchanged.",
                         {{"path", shown}, {"reason", reason}})
                   : Say("Could not save {path}: {reason}; nothing was written.",
                         {{"path", shown}, {"reason", reason}});
    };
    switch (outcome.kind) {
        case Kind::Saved:
            return {};
        case Kind::Failed:
            return failed(ErrnoReason(outcome.error));
        case Kind::Busy:
            return failed(Tr("another save is in progress"));
        case Kind::ReadOnly:
            return failed(Tr("the file is read-only"));
        case Kind::NotRegular:
            return Say("Could not save {path}: {reason}; nothing was written.",
                       {{"path", shown},
                        {"reason", outcome.error == EISDIR ? ErrnoReason(EISDIR)
                                                           : Tr("it is not a regular file")}});
        case Kind::DanglingLink:
            return Say(
                "Could not save {path}: it is a symbolic link to a file that does not exist; "
                "nothing was written.",
                {{"path", shown}});
        case Kind::Changed:
            return failed(Tr("it was changed on disk by another program since it was read"));
        case Kind::Removed:
            return Say(
                "Could not save {path}: it was removed or renamed by another program since it "
                "was read; nothing was written.",
                {{"path", shown}});
        case Kind::CreatedMeanwhile:
            return Say(
                "Could not save {path}: another program created it meanwhile; that file is "
                "unchanged.",
                {{"path", shown}});
        case Kind::NotFlushed:
            return Say(
                "Saved {path}, but its folder could not be flushed to disk: {reason}; the "
                "change may be lost if the system stops now.",
                {{"path", shown}, {"reason", ErrnoReason(outcome.error)}});
    }
    return {};
}

}  // namespace

std::string ErrnoReason(int error) {
    switch (error) {
        case ENOSPC:
            return Tr("the disk is full");
        case EDQUOT:
            return Tr("the disk quota is exhausted");
        case EACCES:
        case EPERM:
            return Tr("no permission to write in the folder");
        case EIO:
            return Tr("a device error occurred");
        case EFBIG:
            return Tr("the file would exceed the file-size limit");
        case EROFS:
            return Tr("the file system is read-only");
        case ENOENT:
            return Tr("the folder does not exist");
        case ENOTDIR:
            return Tr("a part of the path is not a folder");
        case ENAMETOOLONG:
            return Tr("the name is too long");
        case EISDIR:
            return Tr("a folder stands where the file should be");
        case EXDEV:
            return Tr("it would move across file systems");
        case EMFILE:
        case ENFILE:
            return Tr("too many files are open");
        case ENOLCK:
            return Tr("the file system cannot lock the file against another save");
        default:
            return std::strerror(error);
    }
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
    const std::string path = ResolveLink(requestedPath);
    const std::string name = LastComponent(path);
    // A folder that may be entered but not read is still written in, through a path-only
    // descriptor (its listing and its flush are then out of reach).
    UniqueFd dir(open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid() && errno == EACCES)
        dir.reset(open(DirectoryOf(path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid()) {
        const int error = errno;
        struct stat st {};
        const bool existed = lstat(path.c_str(), &st) == 0;
        return Status::Fail(SaveMessage(path, {SaveOutcome::Kind::Failed, error, existed}));
    }
    const SaveOutcome outcome = SaveFileAt(dir.get(), name, bytes, expected);
    if (!outcome.ok())
        return Status::Fail(SaveMessage(path, outcome));
    return Status::Ok();
}

int WriteNewFile(const std::string& path, std::string_view bytes, mode_t mode) {
    return WriteNewFileAt(AT_FDCWD, path, bytes, mode);
}

int WriteNewFileAt(int dirfd, const std::string& name, std::string_view bytes, mode_t mode) {
    IgnoreFileSizeSignal();
    const UniqueFd fd(
        openat(dirfd, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd.valid())
        return errno;
    if (!WriteAll(fd.get(), bytes) || fsync(fd.get()) != 0)
        return errno;
    return 0;
}

Status RenameNoReplace(const std::string& from, const std::string& to) {
    auto failure = [&](int error) {
        if (error == EEXIST || error == ENOTEMPTY)
            return Status::Fail(Say("Could not rename {from}: {to} already exists.",
                                    {{"from", DisplayPath(from)}, {"to", DisplayPath(to)}}));
        return Status::Fail(Say("Could not rename {from}: {reason}.",
                                {{"from", DisplayPath(from)}, {"reason", ErrnoReason(error)}}));
    };
    auto done = [&] {
        if (const int error = SyncDirectoryPath(DirectoryOf(to)))
            return Status::Fail(
                Say("Renamed {from}, but its folder could not be flushed to disk: {reason}.",
                    {{"from", DisplayPath(from)}, {"reason", ErrnoReason(error)}}));
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
        return Status::Fail(Say("Could not read {path}: {reason}.",
                                {{"path", DisplayPath(from)}, {"reason", ErrnoReason(errno)}}));
    return WriteFileAtomically(to, bytes);
}

}  // namespace kelvane
