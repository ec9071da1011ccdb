#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/FunctionRecord.h"

namespace kelvane {

// The reads of function files by export, import and dump, in one place.

// Reads the function file of the folder folderName in the directory open as dirFd (whose
// walk path is dirPath). On failure problem says why, as the check words it.
bool ReadFunctionAt(int dirFd, const std::string& dirPath, const std::string& folderName,
                    FunctionRecord& record, std::string& problem);
// The same, for a function folder open as dirFd whose listing named its file as a regular
// file (see ReadListedFunctionFile).
bool ReadListedFunctionAt(int dirFd, const std::string& dirPath, const std::string& folderName,
                          FunctionRecord& record, std::string& problem);

// Reads the function file of a function folder; on failure message is the missing-file
// message and why.
bool ReadFunctionFolder(const std::string& folderPath, FunctionRecord& record,
                        std::string& message);

// Whatever a function file holds, sound or not, for showing it.
struct FunctionFileView {
    std::vector<std::string> problems;  // empty when the file is sound
    bool hasHeader = false;
    FunctionHeader header{};
    // The records the header announces, as far as the file holds them whole.
    std::vector<ParameterRecord> parameters;
    std::uint64_t size = 0;  // of the file
    std::uint64_t hash = 0;  // of the bytes read (at most fdb::kMaxFunctionFileBytes)
};

// False with errno set when the file cannot be opened or read, or is not a regular file.
bool ReadFunctionFileView(const std::string& path, FunctionFileView& view);

}  // namespace kelvane
