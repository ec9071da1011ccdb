#include "records/Leftovers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "i18n/Translate.h"
#include "records/CreationRecord.h"
#include "records/DirTree.h"
#include "records/FileLock.h"
#include "records/FileOps.h"
#include "records/LibraryPaths.h"
#include "records/UniqueFd.h"

namespace kelvane {

using i18n::Say;

namespace {

enum class Proof { NotOurs, InUse, Dead };

struct Examined {
    Proof proof = Proof::NotOurs;
    UniqueFd fd;  // holds the lock of a dead one
    CreationPlan plan;
};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Opens a regular file that is still the one stat describes; invalid otherwise.
UniqueFd OpenSame(int dirfd, const std::string& name, const struct stat& st, int mode) {
    UniqueFd fd(openat(dirfd, name.c_str(), mode | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat now {};
    if (fd.valid() && (fstat(fd.get(), &now) != 0 || !SameFile(now, st)))
        fd.reset();
    return fd;
}

bool ReadRecord(int fd, std::string& bytes) {
    bytes.resize(kMaxRecordSize + 1);
    const ssize_t got = pread(fd, bytes.data(), bytes.size(), 0);
    if (got < 0)
        return false;
    bytes.resize(static_cast<std::size_t>(got));
    return true;
}

// Takes the lock of a work file: dead when no one held it, and the name still gives it.
Proof Lock(int dirfd, const std::string& name, const struct stat& st, const UniqueFd& fd) {
    const int error = TryLockFile(fd.get());
    if (error == EWOULDBLOCK)
        return Proof::InUse;
    struct stat now {};
    if (error != 0 || fstatat(dirfd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 ||
        !SameFile(now, st))
        return Proof::NotOurs;
    return Proof::Dead;
}

Examined Examine(int dirfd, const std::string& name) {
    Examined result;
    const WorkName work = ParseWorkName(name);
    struct stat st {};
    if (work.kind != WorkKind::Temp && work.kind != WorkKind::Record)
        return result;
    if (fstatat(dirfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
        return result;
    if (work.kind == WorkKind::Temp && TempNameOf(st.st_ino) != name)
        return result;
    if (work.kind == WorkKind::Record && st.st_size > static_cast<off_t>(kMaxRecordSize))
        return result;
    UniqueFd fd = OpenSame(dirfd, name, st, O_RDWR);
    if (!fd.valid())
        return result;
    auto readPlan = [&] {
        std::string bytes;
        const auto plan =
            ReadRecord(fd.get(), bytes) ? ParseCreationRecord(bytes, work.id) : std::nullopt;
        if (plan)
            result.plan = *plan;
        return plan.has_value();
    };
    if (work.kind == WorkKind::Record && !readPlan())
        return result;
    result.proof = Lock(dirfd, name, st, fd);
    // Read again under the lock: the creation may have added to it before it died.
    if (result.proof == Proof::Dead && work.kind == WorkKind::Record && !readPlan()) {
        result.proof = Proof::NotOurs;
        return result;
    }
    result.fd = std::move(fd);
    return result;
}

bool IsDirectoryAt(int dirfd, const std::string& name, struct stat& st) {
    return fstatat(dirfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

// Leaves the function folder old or new, whole, then removes the record. 0 or errno.
int RollBackCreation(int dirfd, const std::string& recordName, const CreationPlan& plan) {
    const std::string id = ParseWorkName(recordName).id;
    const std::string staging = WorkFileName(WorkKind::Staging, id);
    const std::string old = WorkFileName(WorkKind::Old, id);
    const std::string& target = plan.target;
    struct stat st {};
    const bool stagingThere = IsDirectoryAt(dirfd, staging, st);
    const bool oldThere = IsDirectoryAt(dirfd, old, st);
    bool targetThere = fstatat(dirfd, target.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;

    // The empty folder that claimed the name, while the staging folder had not yet been
    // moved onto it: made by the creation, unless it died before noting its inode.
    const bool claimed = plan.placeholder != 0 ? st.st_ino == plan.placeholder : plan.claiming;
    const bool placeholder = targetThere && stagingThere && claimed && S_ISDIR(st.st_mode) &&
                             IsEmptyDirectoryAt(dirfd, target);
    if (placeholder && !oldThere) {
        if (unlinkat(dirfd, target.c_str(), AT_REMOVEDIR) != 0)
            return errno;
        targetThere = false;
    }
    if (oldThere) {
        // Put back, over the empty placeholder if there is one (a rename replaces an empty
        // folder in the same step).
        if (!targetThere || placeholder) {
            if (renameat(dirfd, old.c_str(), dirfd, target.c_str()) != 0)
                return errno;
        } else if (!stagingThere) {
            if (const int error = RemoveTreeAt(dirfd, old))
                return error;
        } else {
            return EEXIST;  // something else took the name meanwhile: nothing is decided
        }
    }
    // Before the swap it holds the unfinished new folder, after it the replaced one.
    if (const int error = RemoveTreeAt(dirfd, staging))
        return error;
    if (unlinkat(dirfd, recordName.c_str(), 0) != 0 && errno != ENOENT)
        return errno;
    return SyncDirectory(dirfd);
}

int RollBackExamined(int dirfd, const std::string& name, const Examined& examined) {
    if (ParseWorkName(name).kind == WorkKind::Temp)
        return unlinkat(dirfd, name.c_str(), 0) == 0 || errno == ENOENT ? 0 : errno;
    return RollBackCreation(dirfd, name, examined.plan);
}

}  // namespace

std::vector<Leftover> FindLeftovers(int dirfd, const std::string& folder) {
    std::vector<Leftover> found;
    std::vector<std::string> names;
    if (!ListNames(dirfd, names, kWorkPrefix))
        return found;
    for (const std::string& name : names) {
        const Examined examined = Examine(dirfd, name);
        if (examined.proof == Proof::NotOurs)
            continue;
        found.push_back({folder, name, ParseWorkName(name).kind, examined.proof == Proof::InUse,
                         examined.plan.target});
    }
    return found;
}

Status RollBack(int dirfd, const Leftover& leftover) {
    const std::string shown = DisplayPath(leftover.folder + "/" + leftover.name);
    const Examined examined = Examine(dirfd, leftover.name);
    if (examined.proof == Proof::InUse)
        return Status::Fail(
            Say("{path} is in use by a running save or creation.", {{"path", shown}}));
    if (examined.proof == Proof::NotOurs)
        return Status::Ok();  // rolled back meanwhile by another process
    if (const int error = RollBackExamined(dirfd, leftover.name, examined))
        return Status::Fail(Say("Could not roll back {path}: {reason}.",
                                {{"path", shown}, {"reason", ErrnoReason(error)}}));
    return Status::Ok();
}

int RollBackLeftovers(int dirfd) {
    std::vector<std::string> names;
    if (!ListNames(dirfd, names, kWorkPrefix))
        return 0;
    int rolledBack = 0;
    for (const std::string& name : names) {
        const Examined examined = Examine(dirfd, name);
        if (examined.proof == Proof::Dead && RollBackExamined(dirfd, name, examined) == 0)
            ++rolledBack;
    }
    return rolledBack;
}

int RollBackLeftoversIn(const std::string& folder) {
    const UniqueFd dir(
        open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.valid() ? RollBackLeftovers(dir.get()) : 0;
}

bool RestoreMovedAside(const std::string& path) {
    struct stat st {};
    return RollBackLeftoversIn(ParentPath(path)) > 0 && lstat(path.c_str(), &st) == 0;
}

bool IsMovedAsideName(std::string_view name) {
    return ParseWorkName(name).kind == WorkKind::Old;
}

bool IsCreationFolder(int dirfd, std::string_view name) {
    const WorkName work = ParseWorkName(name);
    if (work.kind != WorkKind::Staging && work.kind != WorkKind::Old)
        return false;
    const UniqueFd fd(openat(dirfd, WorkFileName(WorkKind::Record, work.id).c_str(),
                             O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    std::string bytes;
    return fd.valid() && fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
           ReadRecord(fd.get(), bytes) && ParseCreationRecord(bytes, work.id).has_value();
}

}  // namespace kelvane
