#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/DirScan.h"

namespace kelvane {

struct Subdirectory {
    std::string name;
    DirIdentity id;         // known (inode not 0) for a link, which has to be examined anyway
    ino_t listedInode = 0;  // of a plain directory: the inode number its listing gave
};

// Reads the subdirectories of the open directory dirFd in enumeration order (links to
// directories included; dangling links and link loops are not directories). The folders a
// running or crashed creation is building are left out, and a folder that a dead creation
// left moved aside is put back first (Leftovers.h). dirFd stays open, positioned at its
// start. Returns 0, or the errno of the first call that failed; what was read before stays
// in found.
int ReadSubdirectories(int dirFd, std::vector<Subdirectory>& found);

// A directory met by WalkDirectories, valid during the visitor's call.
struct WalkDir {
    int fd;  // open on the directory; for *at calls (the walk reads its entries itself)
    std::string_view name;    // its last component
    const std::string& path;  // the start path and the names below it, for messages
    int depth;                // 0 for the start
    DirIdentity id;           // of the directory itself
    // Reached through a symbolic link (or an entry whose type had to be looked up).
    bool throughLink = false;
};

class WalkVisitor {
public:
    virtual ~WalkVisitor() = default;
    // A subdirectory found in parent; true to go into it.
    virtual bool Found(const WalkDir& parent, const std::string& name) = 0;
    // A directory entered (the start too), before its subdirectories are read.
    virtual void Entered(const WalkDir& dir) { static_cast<void>(dir); }
    // The same directory once its entries are read (as far as they could be; a failure is
    // told next): regularFiles are the names its listing gave as regular files, which
    // leaves out links and entries of a type the file system did not give.
    virtual void Listed(const WalkDir& dir, const std::vector<std::string>& regularFiles) {
        static_cast<void>(dir);
        static_cast<void>(regularFiles);
    }
    // A directory found again through a link; it is not entered again.
    virtual void Repeated(const std::string& path) { static_cast<void>(path); }
    // A link to a directory outside the start: with WalkLinks::StayInside it is not
    // entered, with WalkLinks::FollowAndTell it is entered after this call.
    virtual void LeadsOutside(const std::string& path) { static_cast<void>(path); }
    // A directory, or an entry in one, that could not be read; error is the errno of the
    // call that failed. A directory that vanished during the walk is not reported.
    virtual void Unreadable(const std::string& path, std::string_view name, int error) = 0;
};

enum class WalkLinks {
    Follow,         // every link to a directory, wherever it leads
    StayInside,     // only links to directories inside the start
    FollowAndTell,  // every link, those that lead outside the start told to the visitor
};

// Walks depth first from start, in the order the file system lists names, never sorted.
// Each directory is opened relative to its parent's descriptor, so no call is ever given a
// path longer than one name and the depth is not limited by the path length; it is limited
// by the descriptors the process may hold, which ends that branch with EMFILE. Symbolic
// links to directories are followed (with StayInside only those that lead to a directory
// inside the start), but no directory is entered twice in one walk.
// False when start itself could not be opened (the visitor has been told).
// alsoInside: a directory that counts as inside the start for the links, as when start is a
// part of a walk from alsoInside.
bool WalkDirectories(const std::string& start, WalkVisitor& visitor,
                     WalkLinks links = WalkLinks::Follow, const DirIdentity* alsoInside = nullptr);

// A path for calls that take one, naming the directory open as fd whose walk path is path:
// path itself while the system can take it with a name appended, else /proc/self/fd/N.
std::string CallablePath(int fd, const std::string& path);

}  // namespace kelvane
