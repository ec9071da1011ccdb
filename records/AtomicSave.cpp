#include "records/AtomicSave.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "records/DirTree.h"
#include "records/FileLock.h"
#include "records/Leftovers.h"
#include "records/TempFile.h"

namespace kelvane {

namespace {

// A file replaced this many times between opening and locking it is being rewritten
// without pause by someone else.
constexpr int kLockAttempts = 8;

using Kind = SaveOutcome::Kind;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

LockedFile Refused(Kind kind, int error, bool exists) {
    LockedFile file;
    file.refusal = kind;
    file.error = error;
    file.exists = exists;
    return file;
}

// What stands at name when it cannot be opened for writing.
LockedFile WhyNotWritable(int dirfd, const std::string& name, int error) {
    struct stat st {};
    if (fstatat(dirfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Refused(Kind::Failed, error, false);
    if (S_ISLNK(st.st_mode)) {
        const bool dangling = fstatat(dirfd, name.c_str(), &st, 0) != 0 && errno == ENOENT;
        return Refused(dangling ? Kind::DanglingLink : Kind::NotRegular, 0, !dangling);
    }
    if (S_ISDIR(st.st_mode))
        return Refused(Kind::NotRegular, EISDIR, true);
    if (!S_ISREG(st.st_mode))
        return Refused(Kind::NotRegular, 0, true);
    if (error == EACCES || error == EPERM)
        return Refused(Kind::ReadOnly, 0, true);
    return Refused(Kind::Failed, error, true);
}

}  // namespace

void IgnoreFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            signal(SIGXFSZ, SIG_IGN);
    });
}

LockedFile LockFileAt(int dirfd, const std::string& name) {
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        struct stat before {};
        if (fstatat(dirfd, name.c_str(), &before, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT)
                return LockedFile{};
            return Refused(Kind::Failed, errno, false);
        }
        // Never opened when not a plain file: a device may act on being opened.
        if (!S_ISREG(before.st_mode))
            return WhyNotWritable(dirfd, name, 0);
        // The owner's write bit decides even for root, who may write anything.
        if ((before.st_mode & S_IWUSR) == 0)
            return Refused(Kind::ReadOnly, 0, true);
        LockedFile file;
        file.fd.reset(openat(dirfd, name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!file.fd.valid()) {
            if (errno == ENOENT)
                continue;
            return WhyNotWritable(dirfd, name, errno);
        }
        if (fstat(file.fd.get(), &file.st) != 0)
            return Refused(Kind::Failed, errno, true);
        if (!S_ISREG(file.st.st_mode))
            return Refused(Kind::NotRegular, 0, true);
        if (const int error = TryLockFile(file.fd.get()))
            return Refused(error == EWOULDBLOCK ? Kind::Busy : Kind::Failed, error, true);
        // Locked: still the file that the name gives? A save that ended meanwhile has put
        // another in its place.
        struct stat now {};
        if (fstatat(dirfd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(now, file.st)) {
            file.exists = true;
            return file;
        }
    }
    return Refused(Kind::Busy, 0, true);
}

SaveOutcome SaveFileAt(int dirfd, const std::string& name, std::string_view bytes,
                       const FileStamp* expected) {
    IgnoreFileSizeSignal();
    RollBackLeftovers(dirfd);

    LockedFile target = LockFileAt(dirfd, name);
    if (target.refusal != Kind::Saved)
        return {target.refusal, target.error, target.exists};
    const bool existed = target.exists;
    auto outcome = [&](Kind kind, int error = 0) { return SaveOutcome{kind, error, existed}; };
    const bool checkContent = expected && expected->exists;
    if (checkContent && !existed)
        return outcome(Kind::Removed);
    auto contentChanged = [&](int& error) {
        bool same = false;
        error = CompareContent(target.fd.get(), expected->bytes, same);
        return error == 0 && !same;
    };
    int readError = 0;
    if (checkContent && contentChanged(readError))
        return outcome(Kind::Changed);
    if (readError != 0)
        return outcome(Kind::Failed, readError);

    TempFile temp;
    if (const int error = temp.Create(dirfd, 0666))
        return outcome(Kind::Failed, error);
    auto fail = [&](int error) {
        temp.Discard();
        return outcome(Kind::Failed, error);
    };
    if (existed) {
        if (fchmod(temp.fd(), target.st.st_mode & 07777) != 0)
            return fail(errno);
        // Keeps owner and group where we may (root saving a user's file); else ours.
        static_cast<void>(fchown(temp.fd(), target.st.st_uid, target.st.st_gid));
    }
    if (!WriteAll(temp.fd(), bytes) || fsync(temp.fd()) != 0)
        return fail(errno);

    if (existed) {
        if (checkContent && contentChanged(readError)) {
            temp.Discard();
            return outcome(Kind::Changed);
        }
        if (readError != 0)
            return fail(readError);
        // Replaced by another program since it was locked: its file is not ours to drop.
        struct stat now {};
        const bool gone = fstatat(dirfd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0;
        if (checkContent && (gone || !SameFile(now, target.st))) {
            temp.Discard();
            return outcome(gone ? Kind::Removed : Kind::Changed);
        }
        if (const int error = temp.RenameOver(name))
            return fail(error);
    } else if (const int error = temp.LinkAs(name)) {
        temp.Discard();
        return outcome(error == EEXIST ? Kind::CreatedMeanwhile : Kind::Failed, error);
    }
    temp.Close();
    if (const int error = SyncDirectory(dirfd))
        return outcome(Kind::NotFlushed, error);
    return outcome(Kind::Saved);
}

}  // namespace kelvane
