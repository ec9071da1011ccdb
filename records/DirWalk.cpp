#include "records/DirWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <utility>

#include "records/DirIdentitySet.h"
#include "records/Leftovers.h"
#include "records/LibraryPaths.h"
#include "records/ListedFolder.h"
#include "records/SameMountOpen.h"

namespace kelvane {

namespace {

constexpr int kOpenDirectory = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// One directory on the way down: open, with its subdirectories read in advance so that
// only its descriptor stays open while the walk is below it.
struct Frame {
    int fd;
    DirIdentity id;
    std::string name;
    std::size_t pathLength;
    int depth;
    bool knownFileSystem;  // the listing's inode numbers are stat's
    std::vector<Subdirectory> children;
    std::size_t next = 0;
};

bool NotADirectoryAnyMore(int error) {
    return error == ENOENT || error == ENOTDIR;
}

// Tells whether a directory reached through a link lies inside the start of a walk, by the
// chain of ".." above it: where the file system has it, whatever links led there. Every
// directory the walk entered lies inside; the verdict on each directory of a chain is
// kept, so no directory is climbed through twice in one walk.
class StartContainment {
public:
    explicit StartContainment(const DirIdentitySet& entered) : m_entered(entered) {}

    void CountInside(const DirIdentity& id) { m_inside.Insert(id); }

    // A directory whose chain cannot be followed to the end counts as outside.
    bool Inside(int fd) {
        std::vector<DirIdentity> chain;
        bool inside = false;
        int current = openat(fd, ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
        struct stat st {};
        while (current >= 0 && fstat(current, &st) == 0) {
            const DirIdentity id{st.st_dev, st.st_ino};
            if (m_entered.Contains(id) || m_inside.Contains(id)) {
                inside = true;
                break;
            }
            if (m_outside.Contains(id))
                break;
            chain.push_back(id);
            const int parent = openat(current, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
            close(current);
            current = parent;
            struct stat up {};
            if (current >= 0 && fstat(current, &up) == 0 && up.st_dev == st.st_dev &&
                up.st_ino == st.st_ino)
                break;  // the root, which is its own parent
        }
        if (current >= 0)
            close(current);
        for (const DirIdentity& id : chain)
            (inside ? m_inside : m_outside).Insert(id);
        return inside;
    }

private:
    const DirIdentitySet& m_entered;
    DirIdentitySet m_inside;
    DirIdentitySet m_outside;
};

// Room for a few hundred entries per call: most folders are read in one call and, where
// the file system may stop short of the end, the call that finds the end.
constexpr std::size_t kEntryBufferSize = 32 * 1024;

// The largest entry one call can return: its fixed part and the longest name, aligned.
constexpr std::size_t kLargestEntry =
    (offsetof(dirent64, d_name) + NAME_MAX + 1 + alignof(dirent64) - 1) & ~(alignof(dirent64) - 1);
static_assert(kLargestEntry < kEntryBufferSize / 2);

// How the entries of a directory are read.
struct EntryReading {
    // The file system fills every call until the buffer is full or the directory has
    // ended, so a call that leaves room for another entry has read to the end.
    bool fillsEveryCall = false;
    std::vector<std::string>* regularFiles = nullptr;  // if wanted: the names listed as files
};

// Reads the entries of the directory open as readFd from its position to its end; links
// are examined relative to it. One system call per buffer of entries, none per entry but
// for links, file systems that do not give the entry type and names a creation uses.
// moved is set when a folder that a creation moved aside was met.
int ReadEntries(int readFd, std::vector<Subdirectory>& found, bool& moved,
                const EntryReading& how) {
    alignas(dirent64) char buffer[kEntryBufferSize];
    int failure = 0;
    for (;;) {
        const ssize_t got = getdents64(readFd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            failure = errno;
            break;
        }
        if (got == 0)
            break;
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            const char* name = entry->d_name;
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                continue;
            if (IsCreationFolder(readFd, name)) {
                moved = moved || IsMovedAsideName(name);
                continue;
            }
            if (entry->d_type == DT_DIR) {
                found.push_back({name, {}, entry->d_ino});  // known to be one: no call needed
                continue;
            }
            if (entry->d_type == DT_REG && how.regularFiles)
                how.regularFiles->emplace_back(name);
            if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
                continue;
            struct stat st {};
            if (fstatat(readFd, name, &st, 0) == 0) {
                if (S_ISDIR(st.st_mode))
                    found.push_back({name, {st.st_dev, st.st_ino}});
            } else if (errno != ENOENT && errno != ELOOP && errno != ENOTDIR && failure == 0) {
                failure = errno;  // cannot tell whether it is a directory
            }
        }
        if (how.fillsEveryCall && static_cast<std::size_t>(got) <= sizeof buffer - kLargestEntry)
            break;
    }
    return failure;
}

// Reads the whole directory open as readFd, which is at its start, and leaves it past the
// entries read; a folder a dead creation moved aside is put back first, and the folder
// read again.
int ReadAllEntries(int readFd, std::vector<Subdirectory>& found, const EntryReading& how = {}) {
    const std::size_t before = found.size();
    bool moved = false;
    const int error = ReadEntries(readFd, found, moved, how);
    if (!moved || RollBackLeftovers(readFd) == 0)
        return error;
    found.resize(before);
    if (how.regularFiles)
        how.regularFiles->clear();
    if (lseek(readFd, 0, SEEK_SET) != 0)
        return errno;
    return ReadEntries(readFd, found, moved, how);
}

// Whether each file system a walk meets is one whose code is known to fill every call that
// reads a directory (others, FUSE among them, may return a page at a time), to give in the
// listing the inode number that stat reports (overlayfs, for one, need not), and to read a
// regular file in one call as far as the file or the buffer goes (FUSE and network file
// systems may stop short).
class KnownFileSystems {
public:
    bool Known(int fd, dev_t device) {
        for (const auto& [seen, known] : m_seen)
            if (seen == device)
                return known;
        struct statfs fs {};
        const bool known =
            fstatfs(fd, &fs) == 0 && (fs.f_type == EXT4_SUPER_MAGIC || fs.f_type == TMPFS_MAGIC);
        m_seen.emplace_back(device, known);
        return known;
    }

private:
    std::vector<std::pair<dev_t, bool>> m_seen;  // a walk meets a few
};

// Opens a plain subdirectory that the listing of parent, on a known file system, gave with
// its inode number, and tells its identity from that without a stat: the file system is
// the parent's, since a mount point (bind mounts included) at the name is refused, and so
// is a link that took the directory's place since. Returns -1 where that cannot be had,
// with link set where a link now stands at the name.
//
// A rename racing with the walk can put another directory of the same mount at the name
// between the listing and the open; it is then entered under the listed inode's identity.
// That directory alone may be listed a second time (its subdirectories are known by their
// own listed inodes), and the one listed at the name may be skipped later as entered, as
// a walk that stats may miss a directory moved across it. It stays bounded: one directory
// per rename, each identity entered once, and what is opened is a directory below the
// parent on its mount, never a link out of it.
int OpenListed(int parentFd, const DirIdentity& parent, const Subdirectory& child, DirIdentity& id,
               bool& link) {
    const int fd = OpenOnSameMount(parentFd, child.name.c_str(), kOpenDirectory);
    if (fd >= 0)
        id = {parent.device, child.listedInode};
    else
        link = errno == ELOOP;
    return fd;
}

}  // namespace

int ReadSubdirectories(int dirFd, std::vector<Subdirectory>& found) {
    // A duplicate shares its position with dirFd: read from the start, and leave it there.
    const int own = fcntl(dirFd, F_DUPFD_CLOEXEC, 0);
    if (own < 0)
        return errno;
    int failure = lseek(own, 0, SEEK_SET) == 0 ? ReadAllEntries(own, found) : errno;
    if (lseek(own, 0, SEEK_SET) != 0 && failure == 0)
        failure = errno;
    close(own);
    return failure;
}

bool WalkDirectories(const std::string& start, WalkVisitor& visitor, WalkLinks links,
                     const DirIdentity* alsoInside) {
    std::string path = start;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const int startFd = open(path.c_str(), kOpenDirectory);
    if (startFd < 0) {
        visitor.Unreadable(path, LastComponent(path), errno);
        return false;
    }
    DirIdentitySet entered;
    StartContainment containment(entered);
    if (alsoInside)
        containment.CountInside(*alsoInside);
    KnownFileSystems fileSystems;
    std::vector<std::string> files;  // of the directory entered last
    std::vector<Frame> stack;
    // Takes over fd; path holds the directory's walk path. id is the directory's where it
    // is known already, else inode 0.
    auto enter = [&](int fd, std::string name, int depth, DirIdentity id, bool throughLink) {
        if (id.inode == 0) {
            struct stat st {};
            if (fstat(fd, &st) != 0) {
                visitor.Unreadable(path, name, errno);
                close(fd);
                return;
            }
            id = {st.st_dev, st.st_ino};
        }
        // Where each was entered is not kept: a deep walk would hold every path on its way.
        if (!entered.Insert(id)) {
            visitor.Repeated(path);
            close(fd);
            return;
        }
        const bool known = fileSystems.Known(fd, id.device);
        stack.push_back({fd, id, std::move(name), path.size(), depth, known, {}});
        Frame& frame = stack.back();
        const WalkDir dir{frame.fd, frame.name, path, depth, frame.id, throughLink};
        visitor.Entered(dir);
        // The descriptor is the walk's own and still at its start: read it directly.
        files.clear();
        const int error = ReadAllEntries(frame.fd, frame.children, {known, &files});
        {
            const ListedFolder listed(frame.fd, known);
            visitor.Listed(dir, files);
        }
        if (error)
            visitor.Unreadable(path, frame.name, error);
    };
    enter(startFd, LastComponent(path), 0, {}, false);

    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.children.size()) {
            close(top.fd);
            stack.pop_back();
            continue;
        }
        Subdirectory child = std::move(top.children[top.next++]);
        path.resize(top.pathLength);
        if (!visitor.Found(WalkDir{top.fd, top.name, path, top.depth, top.id}, child.name))
            continue;
        if (path.empty() || path.back() != '/')
            path += '/';
        path += child.name;
        if (child.id.inode != 0 && entered.Contains(child.id)) {
            visitor.Repeated(path);  // known already: no need to open it to find that out
            continue;
        }
        const int depth = top.depth + 1;
        DirIdentity id;
        // Only a link (or an entry of unknown type) can lead out; a plain subdirectory is inside.
        bool link = child.id.inode != 0;
        int fd = child.listedInode != 0 && top.knownFileSystem
                     ? OpenListed(top.fd, top.id, child, id, link)
                     : -1;
        if (fd < 0)
            fd = openat(top.fd, child.name.c_str(), kOpenDirectory);
        if (fd < 0) {
            if (!NotADirectoryAnyMore(errno))
                visitor.Unreadable(path, child.name, errno);
            continue;
        }
        if (links != WalkLinks::Follow && link && !containment.Inside(fd)) {
            visitor.LeadsOutside(path);
            if (links == WalkLinks::StayInside) {
                close(fd);
                continue;
            }
        }
        // May move the stack: top is not used after this.
        enter(fd, std::move(child.name), depth, id, link);
    }
    return true;
}

std::string CallablePath(int fd, const std::string& path) {
    // Room for a separator, one more name and its terminator.
    constexpr std::size_t kRoom = 1 + NAME_MAX + 1;
    if (path.size() + kRoom <= PATH_MAX)
        return path;
    return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace kelvane
