#pragma once

#include <string>
#include <vector>

namespace kelvane {

// What is wrong with one function file, as sentences for the user (empty when the file
// is sound): missing or unreadable, shorter than its header, a parameter count that is
// negative or larger than the file holds, bytes after the last record (lost at the next
// save), or a text field without its terminator.
std::vector<std::string> CheckFunctionFile(const std::string& path);

}  // namespace kelvane
