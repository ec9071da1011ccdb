#include "exchange/ExportFolder.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "i18n/Translate.h"
#include "records/DirTree.h"
#include "records/FileOps.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/TextCodec.h"

namespace kelvane {

using i18n::Say;
using i18n::Tr;

namespace {

constexpr std::string_view kStagingMark = ".export-";
constexpr int kStagingAttempts = 100;
constexpr unsigned kStagingRange = 1000000;
constexpr mode_t kFolderMode = 0777;  // less the umask
constexpr mode_t kFileMode = 0666;
// A marker lists one line per file; a hundred thousand functions take a few megabytes.
constexpr std::size_t kMaxMarkerBytes = 64u << 20;

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// 0, or the errno of the failure.
int WriteFileAt(int dirFd, const std::string& name, std::string_view bytes, int flags) {
    const int fd =
        openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | flags, kFileMode);
    if (fd < 0)
        return errno;
    int error = WriteAll(fd, bytes) ? 0 : errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

bool ReadMarker(int dirFd, std::string& text) {
    const int fd = openat(dirFd, std::string(kExportMarkerName).c_str(),
                          O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              static_cast<std::size_t>(st.st_size) <= kMaxMarkerBytes;
    if (ok)
        ok = ReadDescriptor(fd, text) && text.size() <= kMaxMarkerBytes;
    close(fd);
    return ok;
}

bool StartsWithTitle(const std::string& text) {
    return text.starts_with(kExportMarkerTitle) &&
           (text.size() == kExportMarkerTitle.size() || text[kExportMarkerTitle.size()] == '\n');
}

// A file an export writes: a plain name, or one in the functions folder.
bool IsExportFileName(const std::string& name) {
    const std::string functions = std::string(kExportFunctionsFolder) + "/";
    const std::string_view plain =
        name.starts_with(functions) ? std::string_view(name).substr(functions.size()) : name;
    return !plain.empty() && plain != "." && plain != ".." &&
           plain.find('/') == std::string_view::npos && plain != kExportMarkerName;
}

bool IsStagingOf(std::string_view entry, const std::string& prefix) {
    return entry.size() > prefix.size() && entry.starts_with(prefix) &&
           entry.substr(prefix.size()).find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

Status CheckReplaceableExport(int dirFd, const std::string& shownPath,
                              std::set<std::string>& files) {
    const std::string shown = DisplayPath(shownPath);
    auto foreign = [&](const std::string& entry) {
        return Status::Fail(
            Say("{folder} holds {entry}, which kelvane-cli export did not write; choose an empty "
                "or new folder; nothing was written.",
                {{"folder", shown}, {"entry", DisplayName(entry)}}));
    };
    std::vector<std::string> names;
    if (!ListNames(dirFd, names))
        return Status::Fail(Say("Cannot read {folder}: {reason}; nothing was written.",
                                {{"folder", shown}, {"reason", ReadErrnoReason(errno)}}));
    files.clear();
    if (names.empty())
        return Status::Ok();
    std::string marker;
    if (!ReadMarker(dirFd, marker) || !StartsWithTitle(marker))
        return Status::Fail(
            Say("{folder} is not empty and is not an earlier export of kelvane-cli; choose an "
                "empty or new folder; nothing was written.",
                {{"folder", shown}}));
    std::size_t at = marker.find('\n');
    while (at != std::string::npos && at + 1 < marker.size()) {
        const std::size_t end = marker.find('\n', at + 1);
        std::string name = marker.substr(at + 1, end == std::string::npos ? end : end - at - 1);
        if (!IsExportFileName(name))
            return Status::Fail(
                Say("{marker} names {entry}, which an export does not write; nothing was written.",
                    {{"marker", shown + "/" + std::string(kExportMarkerName)},
                     {"entry", DisplayName(name)}}));
        files.insert(std::move(name));
        at = end;
    }
    for (const std::string& name : names) {
        if (name == kExportMarkerName || files.count(name))
            continue;
        if (name != kExportFunctionsFolder)
            return foreign(name);
        const int sub = OpenDirectoryAt(dirFd, name);
        if (sub < 0)
            return foreign(name);
        std::vector<std::string> inner;
        const bool listed = ListNames(sub, inner);
        close(sub);
        if (!listed)
            return Status::Fail(
                Say("Cannot read {folder}: {reason}; nothing was written.",
                    {{"folder", shown + "/" + name}, {"reason", ReadErrnoReason(errno)}}));
        for (const std::string& file : inner) {
            if (!files.count(name + "/" + file))
                return foreign(name + "/" + file);
        }
    }
    return Status::Ok();
}

ExportFolder::~ExportFolder() {
    Abandon();
    if (m_parentFd >= 0)
        close(m_parentFd);  // releases the lock
}

Status ExportFolder::Fail(const std::string& why) const {
    return Status::Fail(Say("Could not export to {folder}: {reason}; nothing was written.",
                            {{"folder", DisplayPath(m_target)}, {"reason", why}}));
}

void ExportFolder::Abandon() {
    if (m_stagingFd >= 0) {
        close(m_stagingFd);
        m_stagingFd = -1;
    }
    if (!m_stagingName.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_parent + "/" + m_stagingName,
                                    ignored);  // never follows links
        m_stagingName.clear();
    }
}

Status ExportFolder::Begin(const std::string& target) {
    m_target = target;
    while (m_target.size() > 1 && m_target.back() == '/')
        m_target.pop_back();
    m_name = LastComponent(m_target);
    m_parent = m_target.find('/') == std::string::npos ? "." : ParentPath(m_target);
    if (m_parent.empty())
        m_parent = "/";
    if (m_name.empty() || m_name == "." || m_name == "..")
        return Fail(Tr("it does not name a folder"));
    m_parentFd = open(m_parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_parentFd < 0)
        return Fail(Say("cannot open the folder {folder}: {reason}",
                        {{"folder", DisplayPath(m_parent)}, {"reason", ReadErrnoReason(errno)}}));
    if (flock(m_parentFd, LOCK_EX | LOCK_NB) != 0)
        return Fail(errno == EWOULDBLOCK
                        ? Say("another export into {folder} is in progress",
                              {{"folder", DisplayPath(m_parent)}})
                        : Say("cannot lock {folder}: {reason}",
                              {{"folder", DisplayPath(m_parent)}, {"reason", ErrnoReason(errno)}}));

    // Staging folders of an earlier export to this name: whoever made them held the lock we
    // hold now, so they are a crash's leftovers.
    const std::string prefix = "." + m_name + std::string(kStagingMark);
    std::vector<std::string> names;
    if (ListNames(m_parentFd, names)) {
        for (const std::string& name : names) {
            if (!IsStagingOf(name, prefix))
                continue;
            const int fd =
                openat(m_parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0)
                continue;
            std::string marker;
            const bool ours = ReadMarker(fd, marker) && StartsWithTitle(marker);
            close(fd);
            if (ours) {
                std::error_code ignored;
                std::filesystem::remove_all(m_parent + "/" + name, ignored);
            }
        }
    }

    struct stat st {};
    if (fstatat(m_parentFd, m_name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode))
            return Fail(Tr("it is a symbolic link; give the folder it leads to"));
        if (!S_ISDIR(st.st_mode))
            return Fail(Tr("it is not a folder"));
        const int fd = openat(m_parentFd, m_name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return Fail(Say("cannot open it: {reason}", {{"reason", ReadErrnoReason(errno)}}));
        std::set<std::string> files;
        const Status replaceable = CheckReplaceableExport(fd, m_target, files);
        close(fd);
        if (!replaceable)
            return replaceable;
        m_replace = true;
    } else if (errno != ENOENT) {
        return Fail(ReadErrnoReason(errno));
    }

    std::random_device seed;
    std::mt19937 rng(seed());
    for (int attempt = 0; attempt < kStagingAttempts && m_stagingName.empty(); ++attempt) {
        const std::string name = prefix + std::to_string(rng() % kStagingRange);
        if (mkdirat(m_parentFd, name.c_str(), kFolderMode) == 0)
            m_stagingName = name;
        else if (errno != EEXIST)
            return Fail(Say("cannot create a folder in {folder}: {reason}",
                            {{"folder", DisplayPath(m_parent)}, {"reason", ErrnoReason(errno)}}));
    }
    if (m_stagingName.empty())
        return Fail(Say("cannot find a free name for a folder in {folder}",
                        {{"folder", DisplayPath(m_parent)}}));
    m_stagingFd =
        openat(m_parentFd, m_stagingName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (m_stagingFd < 0)
        return Fail(ErrnoReason(errno));
    // The folder it replaces keeps its permissions.
    if (m_replace)
        static_cast<void>(fchmod(m_stagingFd, st.st_mode & 07777));
    if (const int error = WriteFileAt(m_stagingFd, std::string(kExportMarkerName),
                                      std::string(kExportMarkerTitle) + "\n", O_EXCL))
        return Fail(ErrnoReason(error));
    return Status::Ok();
}

Status ExportFolder::Write(const std::string& relative, std::string_view bytes) {
    if (m_stagingFd < 0 || !IsExportFileName(relative))
        return Fail(Tr("the export wrote an unexpected file name"));
    if (!m_functionsMade && relative.starts_with(std::string(kExportFunctionsFolder) + "/")) {
        if (mkdirat(m_stagingFd, std::string(kExportFunctionsFolder).c_str(), kFolderMode) != 0)
            return Fail(ErrnoReason(errno));
        m_functionsMade = true;
    }
    if (const int error = WriteFileAt(m_stagingFd, relative, bytes, O_EXCL))
        return Fail(ErrnoReason(error));
    m_written.push_back(relative);
    return Status::Ok();
}

Status ExportFolder::Commit() {
    if (m_stagingFd < 0)
        return Fail(Tr("the export was not begun"));
    std::string marker = std::string(kExportMarkerTitle) + "\n";
    for (const std::string& file : m_written)
        marker += file + "\n";
    if (const int error = WriteFileAt(m_stagingFd, std::string(kExportMarkerName), marker, O_TRUNC))
        return Fail(ErrnoReason(error));
    // One flush for every file written, before any of them can be seen at the target.
    if (syncfs(m_stagingFd) != 0)
        return Fail(ErrnoReason(errno));

    if (!m_replace) {
        if (Status moved = RenameNoReplace(m_parent + "/" + m_stagingName, m_parent + "/" + m_name);
            !moved)
            return Status::Fail(
                Say("{message} Nothing was written to {folder}.",
                    {{"message", moved.message()}, {"folder", DisplayPath(m_target)}}));
        close(m_stagingFd);
        m_stagingFd = -1;
        m_stagingName.clear();
        return Status::Ok();
    }

    // The folder at the target must still be one we may replace.
    const int current =
        openat(m_parentFd, m_name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (current < 0)
        return Fail(Tr("it was moved or removed meanwhile"));
    std::set<std::string> oldFiles;
    const Status replaceable = CheckReplaceableExport(current, m_target, oldFiles);
    if (!replaceable) {
        close(current);
        return replaceable;
    }
    if (renameat2(m_parentFd, m_stagingName.c_str(), m_parentFd, m_name.c_str(), RENAME_EXCHANGE) !=
        0) {
        const int error = errno;
        close(current);
        if (error == EINVAL || error == ENOSYS)
            return Fail(
                Tr("this file system cannot exchange two folders in one step; remove it or "
                   "choose a new folder"));
        return Fail(ErrnoReason(error));
    }
    // The export is in place; the old one now stands at the staging name and goes, file by
    // file, as far as it holds only what its marker lists.
    const std::string oldName = m_stagingName;
    close(m_stagingFd);
    m_stagingFd = -1;
    m_stagingName.clear();
    int error = 0;
    for (const std::string& file : oldFiles) {
        if (unlinkat(current, file.c_str(), 0) != 0 && errno != ENOENT && error == 0)
            error = errno;
    }
    if (unlinkat(current, std::string(kExportFunctionsFolder).c_str(), AT_REMOVEDIR) != 0 &&
        errno != ENOENT && error == 0)
        error = errno;
    if (unlinkat(current, std::string(kExportMarkerName).c_str(), 0) != 0 && errno != ENOENT &&
        error == 0)
        error = errno;
    close(current);
    if (unlinkat(m_parentFd, oldName.c_str(), AT_REMOVEDIR) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        // What is left holds something else; a name no later export takes for its own.
        std::string kept = oldName;
        kept.insert(kept.rfind('-') + 1, "kept-");
        if (renameat2(m_parentFd, oldName.c_str(), m_parentFd, kept.c_str(), RENAME_NOREPLACE) != 0)
            kept = oldName;
        m_warning =
            Say("The earlier export could not be removed wholly and stays in {folder} "
                "({reason}).",
                {{"folder", DisplayPath(m_parent + "/" + kept)}, {"reason", ErrnoReason(error)}});
    }
    if (fsync(m_parentFd) != 0 && errno != EINVAL && m_warning.empty())
        m_warning = Say("{folder} could not be flushed to disk: {reason}.",
                        {{"folder", DisplayPath(m_parent)}, {"reason", ErrnoReason(errno)}});
    return Status::Ok();
}

}  // namespace kelvane
