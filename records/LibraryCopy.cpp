#include "records/LibraryCopy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <set>
#include <utility>

#include "records/FileOps.h"
#include "records/LibraryPaths.h"

namespace kelvane {

namespace {

constexpr std::string_view kStagingMark = ".new-";
constexpr int kStagingAttempts = 100;
constexpr unsigned kStagingRange = 1000000;
// Folders made on the way to the target hold the user's own data: for the user alone.
constexpr mode_t kOuterFolderMode = 0700;
constexpr mode_t kFolderMode = 0777;  // less the umask, as any folder the user makes

Status Failed(const std::string& to, const std::string& why) {
    return Status::Fail("could not copy to " + DisplayPath(to) + ": " + why +
                        "; nothing was copied.");
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
            return "cannot create " + DisplayPath(prefix) + ": " +
                   (errno == EEXIST ? "it is not a folder" : ErrnoReason(errno));
    }
    return {};
}

// An exclusive lock on a folder, held by the kernel until released or the process ends.
class FolderLock {
public:
    explicit FolderLock(const std::string& dir)
        : m_fd(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (m_fd >= 0 && flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            m_error = errno;
            close(m_fd);
            m_fd = -1;
        } else if (m_fd < 0) {
            m_error = errno;
        }
    }
    ~FolderLock() {
        if (m_fd >= 0)
            close(m_fd);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return m_fd >= 0; }
    int error() const { return m_error; }

private:
    int m_fd;
    int m_error = 0;
};

std::string StagingPrefix(const std::string& to) {
    return "." + LastComponent(to) + std::string(kStagingMark);
}

bool IsStagingOf(std::string_view name, const std::string& prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size())
        return false;
    return name.substr(prefix.size()).find_first_not_of("0123456789") == std::string_view::npos;
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);  // links are removed, never followed
}

// Staging folders of an earlier copy to the same target: whoever made them held the lock
// we now hold, so they are a crash's leftovers.
void RollBackLeftovers(const std::string& parent, const std::string& to) {
    const std::string prefix = StagingPrefix(to);
    DIR* stream = opendir(parent.c_str());
    if (!stream)
        return;
    std::vector<std::string> found;
    while (const dirent* entry = readdir(stream)) {
        if (IsStagingOf(entry->d_name, prefix))
            found.push_back(parent + "/" + entry->d_name);
    }
    closedir(stream);
    for (const std::string& path : found) {
        struct stat st {};
        if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            RemoveTree(path);
    }
}

std::string MakeStagingFolder(const std::string& parent, const std::string& to) {
    std::random_device seed;
    std::mt19937 rng(seed());
    const std::string base = parent + "/" + StagingPrefix(to);
    for (int attempt = 0; attempt < kStagingAttempts; ++attempt) {
        const std::string path = base + std::to_string(rng() % kStagingRange);
        if (mkdir(path.c_str(), kFolderMode) == 0)
            return path;
        if (errno != EEXIST)
            return {};
    }
    errno = EEXIST;
    return {};
}

// Copies a tree entry by entry, never following a link; each folder is entered once.
class TreeCopier {
public:
    explicit TreeCopier(std::string target) : m_target(std::move(target)) {}

    Status CopyFolder(const std::string& from, const std::string& to) {
        struct stat st {};
        if (stat(from.c_str(), &st) != 0)
            return Failed(m_target, "cannot read " + DisplayPath(from) + ": " + Reason(errno));
        if (!m_visited.insert({st.st_dev, st.st_ino}).second)
            return Failed(m_target, DisplayPath(from) + " is reached twice");
        DIR* stream = opendir(from.c_str());
        if (!stream)
            return Failed(m_target, "cannot read " + DisplayPath(from) + ": " + Reason(errno));
        std::vector<std::string> names;
        errno = 0;
        while (const dirent* entry = readdir(stream)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                names.emplace_back(name);
            errno = 0;
        }
        const int error = errno;
        closedir(stream);
        if (error != 0)
            return Failed(m_target, "cannot read " + DisplayPath(from) + ": " + Reason(error));
        for (const std::string& name : names) {
            if (Status copied = CopyEntry(from + "/" + name, to + "/" + name); !copied)
                return copied;
        }
        return Status::Ok();
    }

private:
    Status CopyEntry(const std::string& from, const std::string& to) {
        struct stat st {};
        if (lstat(from.c_str(), &st) != 0)
            return Failed(m_target, "cannot read " + DisplayPath(from) + ": " + Reason(errno));
        if (S_ISDIR(st.st_mode)) {
            if (mkdir(to.c_str(), kFolderMode) != 0)
                return Failed(m_target,
                              "cannot create " + DisplayPath(to) + ": " + ErrnoReason(errno));
            return CopyFolder(from, to);
        }
        if (!S_ISREG(st.st_mode))
            return Failed(m_target, DisplayPath(from) + " is not a plain file or folder");
        if (static_cast<std::uint64_t>(st.st_size) > kMaxCopiedFileBytes)
            return Failed(m_target, DisplayPath(from) + " is larger than a library file can be");
        if (Status copied = CopyFileReplacing(from, to); !copied)
            return Failed(m_target, copied.message());
        return Status::Ok();
    }

    // Reading the source fails for reasons of its own; ErrnoReason speaks of writing.
    static std::string Reason(int error) {
        return error == EACCES || error == EPERM ? "no permission to read it" : ErrnoReason(error);
    }

    std::string m_target;
    std::set<std::pair<dev_t, ino_t>> m_visited;
};

}  // namespace

Status CopyFolderTree(const std::string& from, const std::string& to) {
    const std::string parent = ParentPath(to);
    if (parent.empty() || LastComponent(to).empty())
        return Failed(to, "it is not a folder path");
    if (!IsFolder(from))
        return Failed(to, DisplayPath(from) + " is not a folder");
    if (const std::string problem = MakeOuterFolders(parent); !problem.empty())
        return Failed(to, problem);
    const FolderLock lock(parent);
    if (!lock.held()) {
        if (lock.error() == EWOULDBLOCK)
            return Failed(to, "another copy into " + DisplayPath(parent) + " is in progress");
        return Failed(to, "cannot open " + DisplayPath(parent) + ": " + ErrnoReason(lock.error()));
    }
    RollBackLeftovers(parent, to);
    struct stat st {};
    if (lstat(to.c_str(), &st) == 0)
        return Failed(to, "it already exists");

    const std::string staging = MakeStagingFolder(parent, to);
    if (staging.empty())
        return Failed(
            to, "cannot create a folder in " + DisplayPath(parent) + ": " + ErrnoReason(errno));
    TreeCopier copier(to);
    Status copied = copier.CopyFolder(from, staging);
    if (copied) {
        if (Status placed = RenameNoReplace(staging, to); !placed)
            copied = Failed(to, placed.message());
    }
    if (!copied)
        RemoveTree(staging);
    return copied;
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
