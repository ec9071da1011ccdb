#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/Result.h"
#include "records/WorkFiles.h"

namespace kelvane {

// What a save or a creation that died can leave in a folder, recognised beyond doubt (see
// WorkFiles.h): a temporary file whose name is the check sum of its own inode, or the
// record of a creation, holding the program's mark, with its staging and old folders.
// Either counts only while no running process holds its lock; names that merely look
// alike are never touched. Every save and creation rolls back what it finds in its folder
// first, so a crash never needs a command; "kelvane-cli check" lists and "--clean" rolls
// back what lies in folders that nothing has touched since.
struct Leftover {
    std::string folder;              // the folder it lies in
    std::string name;                // the temporary file or the creation record
    WorkKind kind = WorkKind::None;  // Temp or Record
    bool inUse = false;              // held by a running save or creation: left alone
    std::string target;              // of a record: the name of the function folder being made
};

// The leftovers directly in the open folder dirfd, in the order the file system lists
// them; folder is its path, for messages.
std::vector<Leftover> FindLeftovers(int dirfd, const std::string& folder);

// Rolls one leftover in the open folder dirfd back unless it is in use: a temporary file is
// removed; of a creation, the staging folder is removed and an old folder moved aside is
// put back (or, once the new folder is in place, removed), so that the function is the old
// one or the new one, whole; the record goes last.
Status RollBack(int dirfd, const Leftover& leftover);

// Rolls back every leftover directly in an open folder, quietly and as far as it can;
// the number rolled back.
int RollBackLeftovers(int dirfd);

// The same for a folder given by its path.
int RollBackLeftoversIn(const std::string& folder);

// Where the file system cannot exchange two folders, a creation moves the old folder
// aside for a moment; one that died then leaves the name empty. Called when path is
// missing: rolls back the leftovers of its parent folder, and true when path is there now.
bool RestoreMovedAside(const std::string& path);

// True for the name of an old folder that a creation moved aside.
bool IsMovedAsideName(std::string_view name);

// True when name in the folder is the staging or old folder of a creation, which no
// listing shows.
bool IsCreationFolder(int dirfd, std::string_view name);

}  // namespace kelvane
