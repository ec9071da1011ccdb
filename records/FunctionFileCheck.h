#pragma once

#include <string>
#include <vector>

#include "records/FunctionFile.h"

namespace kelvane {

// What is wrong with one function file, as sentences for the user (empty when the file
// is sound): why it cannot be read (FdbRead::Reason), else what a read accepts but the
// next save changes or an edit refuses: a file too long to edit, bytes after the last
// record (lost at the next save), a text field without its terminator. Of a Records read.
std::vector<std::string> FunctionFileFindings(const FdbRead& read);

// The findings of the file at path, or of name in the folder open as dirFd (so that no
// path length limits it).
std::vector<std::string> CheckFunctionFile(const std::string& path);
std::vector<std::string> CheckFunctionFileAt(int dirFd, const std::string& name);

// The message for a function file that could not be read: the missing-file message of the
// folder, followed, when the file is there but cannot be read, by why not in parentheses.
std::string LoadFailureMessage(const std::string& folderPath, const std::string& folderName,
                               const FdbRead& read);

}  // namespace kelvane
