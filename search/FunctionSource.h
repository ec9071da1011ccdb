#pragma once

#include <string>

#include "records/FunctionRecord.h"

namespace kelvane {

// What a search reads of one function file: the header alone (the record then holds no
// parameter), or the whole record. Every read of the search goes through here.
struct FunctionSource {
    bool loaded = false;
    FunctionRecord record;
    std::string problem;  // why it could not be read, when not loaded
};

FunctionSource ReadFunctionSource(const std::string& filePath, bool withParameters);

// The same read of fileName in the folder open as dirFd, which its listing named as a
// regular file; filePath is where the folder's walk found it, for a file gone since.
FunctionSource ReadListedFunctionSource(int dirFd, const std::string& fileName,
                                        const std::string& filePath, bool withParameters);

}  // namespace kelvane
