#include "exchange/FunctionSource.h"

#include <cerrno>

#include "records/DirWalk.h"
#include "records/FunctionFile.h"
#include "records/FunctionFileCheck.h"
#include "records/LibraryPaths.h"

namespace kelvane {

namespace {

// FNV-1a: tells two versions of a damaged file apart in a dump.
std::uint64_t HashBytes(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

bool ReadFunctionAt(int dirFd, const std::string& dirPath, const std::string& folderName,
                    FunctionRecord& record, std::string& problem) {
    FdbRead read = ReadFunctionFile(GetFunctionFilePath(CallablePath(dirFd, dirPath), folderName));
    if (!read.ok()) {
        // Written into the export's files, which never change with the language.
        problem = read.Reason(i18n::Texts::Source);
        return false;
    }
    record = read.TakeRecord();
    return true;
}

bool ReadListedFunctionAt(int dirFd, const std::string& dirPath, const std::string& folderName,
                          FunctionRecord& record, std::string& problem) {
    FdbRead read = ReadListedFunctionFile(dirFd, folderName + std::string(kFunctionFileExtension));
    if (read.fault == FdbFault::Missing)  // gone since it was listed, or moved aside
        return ReadFunctionAt(dirFd, dirPath, folderName, record, problem);
    if (!read.ok()) {
        // Written into the export's files, which never change with the language.
        problem = read.Reason(i18n::Texts::Source);
        return false;
    }
    record = read.TakeRecord();
    return true;
}

bool ReadFunctionFolder(const std::string& folderPath, FunctionRecord& record,
                        std::string& message) {
    const std::string name = LastComponent(folderPath);
    FdbRead read = ReadFunctionFile(GetFunctionFilePath(folderPath, name));
    if (!read.ok()) {
        message = LoadFailureMessage(folderPath, name, read);
        return false;
    }
    record = read.TakeRecord();
    return true;
}

bool ReadFunctionFileView(const std::string& path, FunctionFileView& view) {
    FdbRead read = ReadFunctionFile(path, FdbPart::Salvage);
    if (read.fault == FdbFault::Missing || read.fault == FdbFault::Unreadable ||
        read.fault == FdbFault::NotRegular) {
        errno = read.fault == FdbFault::NotRegular ? EINVAL : read.error;
        return false;
    }
    view.size = read.fileSize;
    view.hash = HashBytes(read.bytes);
    view.problems = FunctionFileFindings(read);
    view.hasHeader = read.fault != FdbFault::ShortHeader;
    view.header = read.header;
    view.parameters = std::move(read.parameters);
    return true;
}

}  // namespace kelvane
