#include "exchange/FunctionSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "records/DirWalk.h"
#include "records/FileStamp.h"
#include "records/FunctionFileCheck.h"
#include "records/LibraryPaths.h"

namespace kelvane {

bool ReadFunctionAt(int dirFd, const std::string& dirPath, const std::string& folderName,
                    FunctionRecord& record, std::string& problem) {
    if (record.Load(GetFunctionFilePath(CallablePath(dirFd, dirPath), folderName)))
        return true;
    const std::vector<std::string> problems =
        CheckFunctionFileAt(dirFd, folderName + std::string(kFunctionFileExtension));
    problem = problems.empty() ? "the function file could not be read" : problems.front();
    return false;
}

bool ReadFunctionFolder(const std::string& folderPath, FunctionRecord& record,
                        std::string& message) {
    const std::string name = LastComponent(folderPath);
    if (record.Load(GetFunctionFilePath(folderPath, name)))
        return true;
    message = LoadFailureMessage(folderPath, name);
    return false;
}

bool ReadFunctionFileView(const std::string& path, FunctionFileView& view) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        close(fd);
        errno = error;
        return false;
    }
    view.size = static_cast<std::uint64_t>(st.st_size);
    std::string bytes(std::min<std::size_t>(view.size, fdb::kMaxFunctionFileBytes), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    bytes.resize(got);
    view.hash = HashBytes(bytes);
    view.problems = CheckFunctionFile(path);
    if (bytes.size() < fdb::kHeaderSize)
        return true;
    view.hasHeader = true;
    std::memcpy(&view.header, bytes.data(), sizeof view.header);
    const std::size_t whole = (bytes.size() - fdb::kHeaderSize) / fdb::kParameterSize;
    const std::size_t count =
        view.header.parameterCount < 0
            ? 0
            : std::min(whole, static_cast<std::size_t>(view.header.parameterCount));
    view.parameters.resize(count);
    if (count > 0)
        std::memcpy(view.parameters.data(), bytes.data() + fdb::kHeaderSize,
                    count * fdb::kParameterSize);
    return true;
}

}  // namespace kelvane
