#pragma once

#include <optional>
#include <string>

namespace kelvane {

// The folder an edit of a function folder must stay in: the library root when the folder
// is in the library (as named, or once links are resolved), else the folder itself.
std::string EditBounds(const std::string& functionFolder, const std::string& libraryRoot);

// Where a write to file really lands when a symbolic link on its way (the file itself or a
// folder above it) leads out of bounds; nullopt when it stays inside, or when the path
// cannot be resolved (then there is nothing to write through).
std::optional<std::string> LinkedOutside(const std::string& file, const std::string& bounds);

// "F().fdb leads through a symbolic link out of BOUNDS, to TARGET"
std::string LinkedOutsideText(const std::string& file, const std::string& bounds,
                              const std::string& target);

}  // namespace kelvane
