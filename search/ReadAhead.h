#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/DirWalk.h"

namespace kelvane {

// Reads the function files of a folder's function folders ahead of a walk, many at a time
// with io_uring, so that each costs no system call of its own. Only a file that stands at
// "X()/X().fdb" below the folder with no link on the way, is a regular file when looked at,
// and is small enough for one read is taken; the caller reads anything else as before.
// Where io_uring is not available nothing is read ahead. One per walk, used by the thread
// that made it.
class FunctionReadAhead {
public:
    FunctionReadAhead();
    ~FunctionReadAhead();
    FunctionReadAhead(const FunctionReadAhead&) = delete;
    FunctionReadAhead& operator=(const FunctionReadAhead&) = delete;

    // The folder dir has just been listed with these subdirectories; what was read ahead
    // for folders at its depth or deeper is dropped.
    void Listed(const WalkDir& dir, const std::vector<Subdirectory>& subdirectories);

    // The bytes of the function file of the function folder folderName, directly in the
    // folder parent open as parentFd at depth parentDepth, if they were read ahead; nullptr
    // if not. Valid until the next call.
    const std::string* Take(const DirIdentity& parent, int parentFd, int parentDepth,
                            std::string_view folderName);

    // For tests: whether read-aheads made from now on in this process may read ahead.
    static void EnableForTesting(bool enabled);

private:
    struct Ring;
    struct Group;
    void Fill(Group& group, int parentFd, std::size_t from);

    std::unique_ptr<Ring> m_ring;
    std::vector<Group> m_groups;  // by depth of the folder listed
    std::string m_taken;
};

}  // namespace kelvane
