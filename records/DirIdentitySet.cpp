#include "records/DirIdentitySet.h"

#include <algorithm>
#include <cstdint>

namespace kelvane {

namespace {

constexpr std::size_t kFirstCapacity = 1024;  // a power of two
// Grown to twice its size before it is half full: probes stay short.
constexpr std::size_t kMaxLoadDivisor = 2;

std::uint64_t Mix(const DirIdentity& id) {
    // Inode numbers come in runs; the multiplication spreads them over the high bits.
    constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;
    constexpr std::uint64_t kDeviceMix = 0xFF51AFD7ED558CCDULL;
    return (static_cast<std::uint64_t>(id.inode) ^
            static_cast<std::uint64_t>(id.device) * kDeviceMix) *
           kGolden;
}

}  // namespace

std::size_t DirIdentitySet::SlotOf(const DirIdentity& id) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = static_cast<std::size_t>(Mix(id) >> 32) & mask;
    while (m_slots[slot].inode != 0 && m_slots[slot] != id)
        slot = (slot + 1) & mask;
    return slot;
}

bool DirIdentitySet::Contains(const DirIdentity& id) const {
    if (id.inode == 0)
        return std::find(m_inodeZero.begin(), m_inodeZero.end(), id.device) != m_inodeZero.end();
    return !m_slots.empty() && m_slots[SlotOf(id)].inode != 0;
}

bool DirIdentitySet::Insert(const DirIdentity& id) {
    if (id.inode == 0) {
        if (Contains(id))
            return false;
        m_inodeZero.push_back(id.device);
        return true;
    }
    if ((m_size + 1) * kMaxLoadDivisor > m_slots.size())
        Grow();
    DirIdentity& slot = m_slots[SlotOf(id)];
    if (slot.inode != 0)
        return false;
    slot = id;
    ++m_size;
    return true;
}

void DirIdentitySet::Grow() {
    std::vector<DirIdentity> old = std::move(m_slots);
    m_slots.assign(old.empty() ? kFirstCapacity : old.size() * 2, DirIdentity{});
    for (const DirIdentity& id : old)
        if (id.inode != 0)
            m_slots[SlotOf(id)] = id;
}

}  // namespace kelvane
