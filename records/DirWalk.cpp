#include "records/DirWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "records/Leftovers.h"
#include "records/LibraryPaths.h"

namespace kelvane {

namespace {

constexpr int kOpenDirectory = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// One directory on the way down: open, with its subdirectories read in advance so that
// only its descriptor stays open while the walk is below it.
struct Frame {
    int fd;
    std::string name;
    std::size_t pathLength;
    int depth;
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
    explicit StartContainment(const EnteredDirs& entered) : m_entered(entered) {}

    // A directory whose chain cannot be followed to the end counts as outside.
    bool Inside(int fd) {
        std::vector<DirIdentity> chain;
        bool inside = false;
        int current = openat(fd, ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
        struct stat st {};
        while (current >= 0 && fstat(current, &st) == 0) {
            const DirIdentity id{st.st_dev, st.st_ino};
            if (m_entered.Find(id) || m_inside.contains(id)) {
                inside = true;
                break;
            }
            if (m_outside.contains(id))
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
            (inside ? m_inside : m_outside).insert(id);
        return inside;
    }

private:
    const EnteredDirs& m_entered;
    std::set<DirIdentity> m_inside;
    std::set<DirIdentity> m_outside;
};

// One pass over the open directory; moved is set when a folder that a creation moved aside
// was met.
int ReadOnce(int dirFd, std::vector<Subdirectory>& found, bool& moved) {
    const int own = fcntl(dirFd, F_DUPFD_CLOEXEC, 0);
    if (own < 0)
        return errno;
    DIR* handle = fdopendir(own);
    if (!handle) {
        const int error = errno;
        close(own);
        return error;
    }
    rewinddir(handle);  // the duplicate shares its position with dirFd
    int failure = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(handle);
        if (!entry) {
            if (errno != 0 && failure == 0)
                failure = errno;
            break;
        }
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        if (IsCreationFolder(dirFd, name)) {
            moved = moved || IsMovedAsideName(name);
            continue;
        }
        if (entry->d_type == DT_DIR) {
            found.push_back({name, {}});  // known to be one: no call needed
            continue;
        }
        if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            continue;
        struct stat st {};
        if (fstatat(dirFd, name, &st, 0) == 0) {
            if (S_ISDIR(st.st_mode))
                found.push_back({name, {st.st_dev, st.st_ino}});
        } else if (errno != ENOENT && errno != ELOOP && errno != ENOTDIR && failure == 0) {
            failure = errno;  // cannot tell whether it is a directory
        }
    }
    closedir(handle);
    return failure;
}

}  // namespace

int ReadSubdirectories(int dirFd, std::vector<Subdirectory>& found) {
    const std::size_t before = found.size();
    bool moved = false;
    const int error = ReadOnce(dirFd, found, moved);
    if (!moved || RollBackLeftovers(dirFd) == 0)
        return error;
    // Read again, with the folder put back in its place.
    found.resize(before);
    return ReadOnce(dirFd, found, moved);
}

bool WalkDirectories(const std::string& start, WalkVisitor& visitor, WalkLinks links) {
    std::string path = start;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const int startFd = open(path.c_str(), kOpenDirectory);
    if (startFd < 0) {
        visitor.Unreadable(path, LastComponent(path), errno);
        return false;
    }
    EnteredDirs entered;
    StartContainment containment(entered);
    std::vector<Frame> stack;
    // Takes over fd; path holds the directory's walk path.
    auto enter = [&](int fd, std::string name, int depth) {
        struct stat st {};
        if (fstat(fd, &st) != 0) {
            visitor.Unreadable(path, name, errno);
            close(fd);
            return;
        }
        // Where each was entered is not kept: a deep walk would hold every path on its way.
        if (!entered.Insert({st.st_dev, st.st_ino}, std::string())) {
            visitor.Repeated(path);
            close(fd);
            return;
        }
        stack.push_back({fd, std::move(name), path.size(), depth, {}});
        Frame& frame = stack.back();
        visitor.Entered(WalkDir{frame.fd, frame.name, path, depth});
        if (const int error = ReadSubdirectories(frame.fd, frame.children))
            visitor.Unreadable(path, frame.name, error);
    };
    enter(startFd, LastComponent(path), 0);

    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.children.size()) {
            close(top.fd);
            stack.pop_back();
            continue;
        }
        const Subdirectory child = top.children[top.next++];
        path.resize(top.pathLength);
        if (!visitor.Found(WalkDir{top.fd, top.name, path, top.depth}, child.name))
            continue;
        if (path.empty() || path.back() != '/')
            path += '/';
        path += child.name;
        if (child.id.inode != 0 && entered.Find(child.id)) {
            visitor.Repeated(path);  // known already: no need to open it to find that out
            continue;
        }
        const int depth = top.depth + 1;
        const int fd = openat(top.fd, child.name.c_str(), kOpenDirectory);
        if (fd < 0) {
            if (!NotADirectoryAnyMore(errno))
                visitor.Unreadable(path, child.name, errno);
            continue;
        }
        // Only a link (or an entry of unknown type) can lead out; a plain subdirectory is inside.
        if (links != WalkLinks::Follow && child.id.inode != 0 && !containment.Inside(fd)) {
            visitor.LeadsOutside(path);
            if (links == WalkLinks::StayInside) {
                close(fd);
                continue;
            }
        }
        enter(fd, child.name, depth);  // may move the stack: top is not used after this
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
