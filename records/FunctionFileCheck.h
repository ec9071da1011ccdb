#pragma once

#include <string>
#include <vector>

namespace kelvane {

// What is wrong with one function file, as sentences for the user (empty when the file
// is sound): missing or unreadable (with the reason), shorter than its header, a parameter
// count that is negative, larger than the file holds or too large to load, a file too long
// to edit, bytes after the last record (lost at the next save), or a text field without its
// terminator. A problem that stops the file from loading comes first. The records are read
// a few at a time, so the check needs little memory whatever the file's size.
std::vector<std::string> CheckFunctionFile(const std::string& path);

// The same for the file name in the directory open as dirFd, so that no path length limits
// it.
std::vector<std::string> CheckFunctionFileAt(int dirFd, const std::string& name);

// The message for a function file that could not be loaded: the missing-file message of
// the folder, followed, when the file is there but cannot be loaded, by why not in
// parentheses.
std::string LoadFailureMessage(const std::string& folderPath, const std::string& folderName);

}  // namespace kelvane
