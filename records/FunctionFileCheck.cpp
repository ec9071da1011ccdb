#include "records/FunctionFileCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "records/FunctionRecord.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/TextCodec.h"

namespace kelvane {

namespace {

// How many parameter records are read at once.
constexpr std::size_t kRecordsPerRead = 64;

constexpr std::string_view kMissing = "the function file is missing";

template <std::size_t N>
void CheckTerminated(const char (&field)[N], const std::string& what,
                     std::vector<std::string>& problems) {
    if (!FieldTerminated(field))
        problems.push_back(what + " text fills its " + std::to_string(N) +
                           " bytes without a terminator");
}

std::string CannotBeRead(int error) {
    return "cannot be read: " + ReadErrnoReason(error);
}

// Reads exactly size bytes at offset; the errno of the failure, EIO for a file that ended
// early, or 0.
int ReadAt(int fd, void* data, std::size_t size, off_t offset) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n =
            pread(fd, static_cast<char*>(data) + got, size - got, offset + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

void CheckParameters(int fd, std::int32_t count, std::vector<std::string>& problems) {
    std::vector<ParameterRecord> block(kRecordsPerRead);
    for (std::int32_t first = 0; first < count;) {
        const std::size_t n = std::min(kRecordsPerRead, static_cast<std::size_t>(count - first));
        const off_t offset = static_cast<off_t>(fdb::kHeaderSize + static_cast<std::size_t>(first) *
                                                                       fdb::kParameterSize);
        if (const int error = ReadAt(fd, block.data(), n * fdb::kParameterSize, offset)) {
            problems.push_back(CannotBeRead(error));
            return;
        }
        for (std::size_t k = 0; k < n; ++k) {
            const ParameterRecord& p = block[k];
            const std::string which =
                "parameter " + std::to_string(first + static_cast<std::int32_t>(k)) + ": the ";
            CheckTerminated(p.typeName, which + "type name", problems);
            CheckTerminated(p.description, which + "description", problems);
            CheckTerminated(p.defaultText, which + "default value", problems);
            CheckTerminated(p.storedText, which + "stored value", problems);
        }
        first += static_cast<std::int32_t>(n);
    }
}

std::vector<std::string> CheckOpenFile(int fd, std::size_t size) {
    std::vector<std::string> problems;
    if (size < fdb::kHeaderSize) {
        problems.push_back("is " + std::to_string(size) + " bytes, shorter than the " +
                           std::to_string(fdb::kHeaderSize) + "-byte header");
        return problems;
    }
    FunctionHeader header;
    if (const int error = ReadAt(fd, &header, sizeof header, 0)) {
        problems.push_back(CannotBeRead(error));
        return problems;
    }
    const std::size_t room = (size - fdb::kHeaderSize) / fdb::kParameterSize;
    const std::int32_t count = header.parameterCount;
    if (count < 0) {
        problems.push_back("announces a negative parameter count (" + std::to_string(count) + ")");
        return problems;
    }
    if (static_cast<std::size_t>(count) > room) {
        problems.push_back("announces " + std::to_string(count) + " parameters but its " +
                           std::to_string(size) + " bytes hold " + std::to_string(room));
        return problems;
    }
    const std::size_t expected =
        fdb::kHeaderSize + static_cast<std::size_t>(count) * fdb::kParameterSize;
    if (count > fdb::kMaxParameterCount) {
        problems.push_back("is too large: it announces " + std::to_string(count) + " parameters (" +
                           std::to_string(expected) + " bytes); at most " +
                           std::to_string(fdb::kMaxParameterCount) + " (" +
                           std::to_string(fdb::kMaxFunctionFileBytes >> 20) + " MiB) are read");
        return problems;
    }
    if (size > fdb::kMaxFunctionFileBytes)
        problems.push_back("is too large to edit: " + std::to_string(size) +
                           " bytes, more than the " +
                           std::to_string(fdb::kMaxFunctionFileBytes >> 20) + " MiB an edit reads");
    if (size > expected)
        problems.push_back("has " + std::to_string(size - expected) +
                           " bytes after its last parameter record, which the next save "
                           "drops");

    CheckTerminated(header.name, "the function's name", problems);
    CheckTerminated(header.nameCopy, "the function's name copy", problems);
    CheckTerminated(header.description, "the function's description", problems);
    CheckParameters(fd, count, problems);
    return problems;
}

}  // namespace

std::vector<std::string> CheckFunctionFileAt(int dirFd, const std::string& name) {
    struct stat st {};
    if (fstatat(dirFd, name.c_str(), &st, 0) != 0)
        return {errno == ENOENT ? std::string(kMissing) : CannotBeRead(errno)};
    if (!S_ISREG(st.st_mode))
        return {"is not a regular file"};
    // Non-blocking: a FIFO put in its place since the test above must not make us wait.
    const int fd = openat(dirFd, name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {CannotBeRead(errno)};
    std::vector<std::string> problems;
    if (fstat(fd, &st) != 0)
        problems.push_back(CannotBeRead(errno));
    else if (!S_ISREG(st.st_mode))
        problems.push_back("is not a regular file");
    else
        problems = CheckOpenFile(fd, static_cast<std::size_t>(st.st_size));
    close(fd);
    return problems;
}

std::vector<std::string> CheckFunctionFile(const std::string& path) {
    return CheckFunctionFileAt(AT_FDCWD, path);
}

std::string LoadFailureMessage(const std::string& folderPath, const std::string& folderName) {
    std::string message = MissingFileMessage(folderPath, folderName);
    const std::vector<std::string> problems =
        CheckFunctionFile(GetFunctionFilePath(folderPath, folderName));
    if (!problems.empty() && problems.front() != kMissing)
        message += " (" + DisplayName(folderName + std::string(kFunctionFileExtension)) + " " +
                   problems.front() + ")";
    return message;
}

}  // namespace kelvane
