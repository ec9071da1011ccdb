#include "records/FolderSwap.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "records/DirTree.h"
#include "records/Leftovers.h"

namespace kelvane {

namespace {

bool NoRenameFlags(int error) {
    return error == EINVAL || error == ENOSYS;
}

}  // namespace

FolderSwap::~FolderSwap() {
    if (m_active)
        Abandon();
}

int FolderSwap::Begin(int dirfd, const std::string& name, bool replace) {
    m_dirfd = dirfd;
    m_name = name;
    m_replace = replace;
    RollBackLeftovers(dirfd);
    if (const int error = m_record.Begin(dirfd, {replace, name, 0}))
        return error;
    m_active = true;
    const std::string staging = m_record.StagingName();
    if (mkdirat(dirfd, staging.c_str(), 0777) != 0) {
        const int error = errno;
        Abandon();
        return error;
    }
    m_staging.reset(OpenDirectoryAt(dirfd, staging));
    if (!m_staging.valid()) {
        const int error = errno;
        Abandon();
        return error;
    }
    return 0;
}

std::string FolderSwap::StagingPath(const std::string& folderPath) const {
    const std::string self = "/proc/self/fd/" + std::to_string(m_staging.get());
    struct stat viaProc {
    }, direct{};
    if (stat(self.c_str(), &viaProc) == 0 && fstat(m_staging.get(), &direct) == 0 &&
        viaProc.st_ino == direct.st_ino && viaProc.st_dev == direct.st_dev)
        return self;
    return folderPath + "/" + m_record.StagingName();
}

// Moves from onto the name, which must be free. Without a no-replace rename the name is
// first claimed with an empty folder, noted in the record, and the move replaces it.
int FolderSwap::MoveToFreeName(const std::string& from) {
    if (renameat2(m_dirfd, from.c_str(), m_dirfd, m_name.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (!NoRenameFlags(errno))
        return errno;
    if (const int error = m_record.NoteClaim())
        return error;
    if (mkdirat(m_dirfd, m_name.c_str(), 0700) != 0)
        return errno;
    struct stat placeholder {};
    int error = fstatat(m_dirfd, m_name.c_str(), &placeholder, AT_SYMLINK_NOFOLLOW) == 0
                    ? m_record.NotePlaceholder(placeholder.st_ino)
                    : errno;
    if (error == 0 && renameat(m_dirfd, from.c_str(), m_dirfd, m_name.c_str()) != 0)
        error = errno;
    if (error != 0)
        unlinkat(m_dirfd, m_name.c_str(), AT_REMOVEDIR);
    return error;
}

FolderSwap::Result FolderSwap::Commit(const struct stat* expected) {
    Result result;
    if ((result.error = SyncTree(m_staging.get())) != 0)
        return result;
    const std::string staging = m_record.StagingName();
    std::string replaced;  // where the replaced folder is once the new one is in place
    if (m_replace) {
        struct stat now {};
        if (fstatat(m_dirfd, m_name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0) {
            result.error = errno == ENOENT ? ESTALE : errno;
            return result;
        }
        if (expected && (now.st_ino != expected->st_ino || now.st_dev != expected->st_dev)) {
            result.error = ESTALE;
            return result;
        }
        if (renameat2(m_dirfd, staging.c_str(), m_dirfd, m_name.c_str(), RENAME_EXCHANGE) == 0) {
            replaced = staging;
        } else if (!NoRenameFlags(errno)) {
            result.error = errno;
            return result;
        } else {
            const std::string old = m_record.OldName();
            if (renameat(m_dirfd, m_name.c_str(), m_dirfd, old.c_str()) != 0) {
                result.error = errno;
                return result;
            }
            if ((result.error = MoveToFreeName(staging)) != 0) {
                renameat(m_dirfd, old.c_str(), m_dirfd, m_name.c_str());
                return result;
            }
            replaced = old;
        }
    } else if ((result.error = MoveToFreeName(staging)) != 0) {
        return result;
    }
    m_staging.reset();
    result.flushError = SyncDirectory(m_dirfd);
    if (!replaced.empty()) {
        // What appeared in the old folder while the new one was built goes over too.
        const UniqueFd oldFolder(OpenDirectoryAt(m_dirfd, replaced));
        const UniqueFd newFolder(OpenDirectoryAt(m_dirfd, m_name));
        if (oldFolder.valid() && newFolder.valid())
            static_cast<void>(MergeMissing(oldFolder.get(), newFolder.get(), MergeMode::Move));
        result.cleanupError = RemoveTreeAt(m_dirfd, replaced);
    }
    // A replaced folder that could not be removed stays under its record, for a later
    // roll back to finish.
    if (result.cleanupError == 0) {
        static_cast<void>(m_record.Finish());
        if (result.flushError == 0)
            result.flushError = SyncDirectory(m_dirfd);
    }
    m_active = false;
    return result;
}

void FolderSwap::Abandon() {
    m_staging.reset();
    if (RemoveTreeAt(m_dirfd, m_record.StagingName()) == 0)
        static_cast<void>(m_record.Finish());
    m_active = false;
}

}  // namespace kelvane
