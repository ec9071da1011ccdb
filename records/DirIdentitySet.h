#pragma once

#include <cstddef>
#include <vector>

#include "records/DirScan.h"

namespace kelvane {

// A set of directory identities in one array (open addressing), for a walk that enters
// many folders: no allocation per folder, and a look-up touches one or two cache lines.
class DirIdentitySet {
public:
    // False, and nothing changes, when id is in the set already.
    bool Insert(const DirIdentity& id);
    bool Contains(const DirIdentity& id) const;

private:
    std::size_t SlotOf(const DirIdentity& id) const;
    void Grow();

    // A free slot holds inode 0, which no file system here gives a directory; one that
    // does is kept aside by its device.
    std::vector<DirIdentity> m_slots;
    std::vector<dev_t> m_inodeZero;
    std::size_t m_size = 0;
};

}  // namespace kelvane
