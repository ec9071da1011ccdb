#include "records/LibraryCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <utility>
#include <vector>

#include "i18n/Translate.h"
#include "records/DirTree.h"
#include "records/FileOps.h"
#include "records/FolderSwap.h"
#include "records/Leftovers.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/UniqueFd.h"

namespace kelvane {

using i18n::Say;
using i18n::Tr;

namespace {

// Folders made on the way to the target hold the user's own data: for the user alone.
constexpr mode_t kOuterFolderMode = 0700;
constexpr mode_t kFolderMode = 0777;  // less the umask, as any folder the user makes
constexpr mode_t kFileMode = 0666;

Status Failed(const std::string& to, const std::string& why) {
    return Status::Fail(Say("Could not copy to {path}: {reason}; nothing was copied.",
                            {{"path", DisplayPath(to)}, {"reason", why}}));
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates the missing folders of dir, outermost first; the reason when one cannot be made.
std::string MakeOuterFolders(const std::string& dir) {
    std::size_t at = 0;
    while (at != std::string::npos) {
        at = dir.find('/', at + 1);
        const std::string prefix = dir.substr(0, at);
        if (prefix.empty() || mkdir(prefix.c_str(), kOuterFolderMode) == 0)
            continue;
        if (errno != EEXIST || !IsFolder(prefix))
            return Say(
                "cannot create {path}: {reason}",
                {{"path", DisplayPath(prefix)},
                 {"reason", errno == EEXIST ? Tr("it is not a folder") : ErrnoReason(errno)}});
    }
    return {};
}

// True while another process copies to name in the open folder dirfd: its creation record
// names the same folder and its lock is held.
bool CopyInProgress(int dirfd, const std::string& folder, const std::string& name) {
    for (const Leftover& leftover : FindLeftovers(dirfd, folder)) {
        if (leftover.kind == WorkKind::Record && leftover.inUse && leftover.target == name)
            return true;
    }
    return false;
}

// Copies a tree entry by entry, relative to open folders, never following a link; each
// folder is entered once.
class TreeCopier {
public:
    TreeCopier(std::string from, std::string target)
        : m_from(std::move(from)), m_target(std::move(target)) {}

    // Copies what is in the open folder fromFd (named from in messages) into toFd.
    Status CopyFolder(int fromFd, const std::string& from, int toFd, int depth = 0) {
        struct stat st {};
        if (fstat(fromFd, &st) != 0)
            return CannotRead(from, errno);
        if (!m_visited.insert({st.st_dev, st.st_ino}).second)
            return Failed(m_target, Say("{path} is reached twice", {{"path", DisplayPath(from)}}));
        if (depth >= kMaxTreeDepth)
            return Failed(m_target, Say("{path}: folders are nested too deeply",
                                        {{"path", DisplayPath(from)}}));
        std::vector<std::string> names;
        if (!ListNames(fromFd, names))
            return CannotRead(from, errno);
        for (const std::string& name : names) {
            if (Status copied = CopyEntry(fromFd, from, toFd, name, depth); !copied)
                return copied;
        }
        return Status::Ok();
    }

private:
    Status CopyEntry(int fromFd, const std::string& from, int toFd, const std::string& name,
                     int depth) {
        const std::string path = from + "/" + name;
        struct stat st {};
        if (fstatat(fromFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return CannotRead(path, errno);
        if (S_ISDIR(st.st_mode)) {
            const UniqueFd source(OpenDirectoryAt(fromFd, name));
            if (!source.valid())
                return CannotRead(path, errno);
            if (mkdirat(toFd, name.c_str(), kFolderMode) != 0)
                return Failed(m_target,
                              Say("cannot create {path}: {reason}",
                                  {{"path", Inside(path)}, {"reason", ErrnoReason(errno)}}));
            const UniqueFd copy(OpenDirectoryAt(toFd, name));
            if (!copy.valid())
                return Failed(m_target,
                              Say("cannot open {path}: {reason}",
                                  {{"path", Inside(path)}, {"reason", ErrnoReason(errno)}}));
            return CopyFolder(source.get(), path, copy.get(), depth + 1);
        }
        if (!S_ISREG(st.st_mode))
            return Failed(m_target, Say("{path} is not a plain file or folder",
                                        {{"path", DisplayPath(path)}}));
        if (static_cast<std::uint64_t>(st.st_size) > kMaxCopiedFileBytes)
            return Failed(m_target, Say("{path} is larger than a library file can be",
                                        {{"path", DisplayPath(path)}}));
        const UniqueFd source(
            openat(fromFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        std::string bytes;
        if (!source.valid() || !ReadDescriptor(source.get(), bytes))
            return CannotRead(path, errno);
        if (bytes.size() > kMaxCopiedFileBytes)
            return Failed(m_target, Say("{path} is larger than a library file can be",
                                        {{"path", DisplayPath(path)}}));
        if (const int error = WriteNewFileAt(toFd, name, bytes, kFileMode))
            return Failed(m_target, Say("cannot write {path}: {reason}",
                                        {{"path", Inside(path)}, {"reason", ErrnoReason(error)}}));
        return Status::Ok();
    }

    // An entry of the copy by its path inside it; the staging folder is not the user's
    // concern.
    std::string Inside(const std::string& path) const {
        return DisplayPath(m_target + path.substr(m_from.size()));
    }

    Status CannotRead(const std::string& path, int error) const {
        return Failed(m_target,
                      Say("cannot read {path}: {reason}",
                          {{"path", DisplayPath(path)}, {"reason", ReadErrnoReason(error)}}));
    }

    std::string m_from;
    std::string m_target;
    std::set<std::pair<dev_t, ino_t>> m_visited;
};

}  // namespace

Status CopyFolderTree(const std::string& from, const std::string& to) {
    const std::string parent = ParentPath(to);
    const std::string name = LastComponent(to);
    if (parent.empty() || name.empty())
        return Failed(to, Tr("it is not a folder path"));
    const UniqueFd source(open(from.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!source.valid())
        return Failed(to, errno == ENOENT || errno == ENOTDIR
                              ? Say("{path} is not a folder", {{"path", DisplayPath(from)}})
                              : Say("{path}: {reason}", {{"path", DisplayPath(from)},
                                                         {"reason", ReadErrnoReason(errno)}}));
    if (const std::string problem = MakeOuterFolders(parent); !problem.empty())
        return Failed(to, problem);
    const UniqueFd folder(open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return Failed(to, Say("cannot open {path}: {reason}",
                              {{"path", DisplayPath(parent)}, {"reason", ErrnoReason(errno)}}));
    if (CopyInProgress(folder.get(), parent, name))
        return Failed(
            to, Say("another copy into {path} is in progress", {{"path", DisplayPath(parent)}}));
    struct stat st {};
    if (fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
        return Failed(to, Tr("it already exists"));

    // Built in a staging folder under a creation record, as a new function is: a copy that
    // dies leaves nothing the next one does not roll back, and nothing shows meanwhile.
    FolderSwap swap;
    if (const int error = swap.Begin(folder.get(), name, false))
        return Failed(to, Say("cannot create a folder in {path}: {reason}",
                              {{"path", DisplayPath(parent)}, {"reason", ErrnoReason(error)}}));
    TreeCopier copier(from, to);
    if (Status copied = copier.CopyFolder(source.get(), from, swap.staging()); !copied) {
        swap.Abandon();
        return copied;
    }
    // A folder that could not be flushed is in place all the same; should the system stop
    // before it reaches the disk, the next start offers the copy again.
    const FolderSwap::Result placed = swap.Commit(nullptr);
    if (placed.error == EEXIST)
        return Failed(to, Tr("it already exists"));
    if (placed.error != 0)
        return Failed(to, ErrnoReason(placed.error));
    return Status::Ok();
}

Status MakeUserFolders(const std::string& dir) {
    if (const std::string problem = MakeOuterFolders(dir); !problem.empty())
        return Status::Fail(problem);
    return Status::Ok();
}

Status CopySampleLibrary(const ProgramFolders& folders) {
    return CopyFolderTree(folders.SampleLibrary(), folders.libraryRoot);
}

bool LacksUserLibrary(const ProgramFolders& folders) {
    struct stat st {};
    return folders.source == FolderSource::Installed &&
           lstat(folders.libraryRoot.c_str(), &st) != 0;
}

bool HasSampleLibrary(const ProgramFolders& folders) {
    return IsFolder(folders.SampleLibrary());
}

}  // namespace kelvane
