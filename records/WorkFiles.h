#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane {

// The names of what the program makes for its own work beside the user's files: a save's
// temporary file, and a creation's record, staging folder and (where the file system
// cannot swap two folders) the old folder moved aside. All are short, hidden by their
// leading dot, and the same whatever the name they serve, so no name loses length:
//   .kelvane-<16 hex>.tmp   temporary file; the hex is a check sum of its inode number
//   .kelvane-<16 hex>.txn   record of a creation; the hex is a random id
//   .kelvane-<16 hex>.new   the folder that creation builds
//   .kelvane-<16 hex>.old   the replaced folder, moved aside
// A name alone proves nothing: a temporary file is ours only when the check sum matches
// its inode, the others only through a record holding the program's mark.
inline constexpr std::string_view kWorkPrefix = ".kelvane-";
inline constexpr std::size_t kWorkIdLength = 16;

enum class WorkKind { None, Temp, Record, Staging, Old };

struct WorkName {
    WorkKind kind = WorkKind::None;
    std::string id;
};

// The kind and id of a work name; kind None for any other name.
WorkName ParseWorkName(std::string_view name);

std::string WorkFileName(WorkKind kind, std::string_view id);

// The one temporary-file name that belongs to a file with this inode number.
std::string TempNameOf(std::uint64_t inode);

// A fresh random id for a creation.
std::string NewWorkId();

}  // namespace kelvane
