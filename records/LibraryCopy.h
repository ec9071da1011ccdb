#pragma once

#include <cstdint>
#include <string>

#include "records/ProgramFolders.h"
#include "records/Result.h"

namespace kelvane {

// The largest single file a library copy takes; the bundled files are a few kilobytes.
inline constexpr std::uint64_t kMaxCopiedFileBytes = 64ull << 20;

// Copies the folder tree from to to, a name that must not exist yet. The copy is built in
// a staging folder beside to, under a creation record, and moved into place in one step
// (FolderSwap.h), so afterwards to is either absent or complete, nothing that existed is
// replaced, and what a copy that died left is rolled back by the next operation in that
// folder. The folders on the way to to are created (mode 0700, as for the user's data
// folders). Only folders and regular files are copied; a link or anything else in from
// stops the copy. A copy to the same name while another runs is refused.
Status CopyFolderTree(const std::string& from, const std::string& to);

// Creates dir and the missing folders on the way to it, each for the user alone (0700).
Status MakeUserFolders(const std::string& dir);

// Copies the bundled sample library (folders.SampleLibrary()) to folders.libraryRoot.
Status CopySampleLibrary(const ProgramFolders& folders);

// An installed program that finds no library in the user's folder: the window then
// offers the bundled sample library, and kelvane-cli says how to get it.
bool LacksUserLibrary(const ProgramFolders& folders);
// Whether the bundled sample library is there to be copied.
bool HasSampleLibrary(const ProgramFolders& folders);

}  // namespace kelvane
