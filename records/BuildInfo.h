#pragma once

#include <string_view>

namespace kelvane {

// What the build configuration fixed.

// The version of both programs, e.g. "1.0".
std::string_view ProgramVersion();
// The desktop entry's and metainfo's name without extension (reverse-DNS).
std::string_view ApplicationId();
// The installed data folder relative to the installed binaries' folder
// ("../share/kelvane" for the usual layout), so an installed tree can be moved whole.
std::string_view DataFolderFromBinary();

}  // namespace kelvane
