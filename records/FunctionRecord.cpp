#include "records/FunctionRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "records/FileOps.h"
#include "records/Leftovers.h"
#include "records/LibraryPaths.h"

namespace kelvane {

FunctionRecord::FunctionRecord() {
    std::memset(&m_header, 0, sizeof m_header);
}

namespace {

// Reads exactly size bytes at offset; false on a short read or an error.
bool ReadExactly(int fd, char* data, std::size_t size, off_t offset) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = pread(fd, data + got, size - got, offset + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// Non-blocking, so that a FIFO is refused instead of waited on. A function folder that a
// dead creation left moved aside is put back first.
int OpenFunctionFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && errno == ENOENT && RestoreMovedAside(ParentPath(path)))
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    return fd;
}

// The file (at least a header long) holds the records its header announces, and they are
// within the memory limit.
bool CountFits(const FunctionHeader& header, std::size_t fileSize) {
    const std::size_t left = fileSize - fdb::kHeaderSize;
    return header.parameterCount >= 0 && header.parameterCount <= fdb::kMaxParameterCount &&
           static_cast<std::size_t>(header.parameterCount) <= left / fdb::kParameterSize;
}

}  // namespace

bool FunctionRecord::Load(const std::string& path, FileStamp* stamp, std::string* bytes) {
    if (stamp)
        return LoadStamped(path, *stamp, bytes);
    // Non-blocking and only a regular file: a FIFO or a device would block or never end.
    const int fd = OpenFunctionFile(path);
    if (fd < 0)
        return false;
    struct stat st {};
    FunctionHeader header;
    std::vector<ParameterRecord> parameters;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              static_cast<std::size_t>(st.st_size) >= fdb::kHeaderSize &&
              ReadExactly(fd, reinterpret_cast<char*>(&header), sizeof header, 0) &&
              CountFits(header, static_cast<std::size_t>(st.st_size));
    if (ok) {
        // Only the announced records are read: trailing bytes, however many, are not.
        parameters.resize(static_cast<std::size_t>(header.parameterCount));
        ok = parameters.empty() || ReadExactly(fd, reinterpret_cast<char*>(parameters.data()),
                                               parameters.size() * fdb::kParameterSize,
                                               static_cast<off_t>(fdb::kHeaderSize));
    }
    close(fd);
    if (!ok)
        return false;
    m_header = header;
    m_parameters = std::move(parameters);
    return true;
}

bool FunctionRecord::LoadStamped(const std::string& path, FileStamp& stamp,
                                 std::string* bytesRead) {
    // One descriptor and one read of the whole file, so the stamp describes exactly the
    // bytes we hold.
    const int fd = OpenFunctionFile(path);
    if (fd < 0)
        return false;
    struct stat st {};
    std::string bytes;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              static_cast<std::size_t>(st.st_size) <= fdb::kMaxFunctionFileBytes;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(st.st_size));
        ok = ReadExactly(fd, bytes.data(), bytes.size(), 0);
    }
    FunctionHeader header;
    if (ok && bytes.size() >= fdb::kHeaderSize) {
        std::memcpy(&header, bytes.data(), sizeof header);
        ok = CountFits(header, bytes.size());
    } else {
        ok = false;
    }
    if (ok)
        stamp = StampFromDescriptor(fd, bytes);
    close(fd);
    if (!ok)
        return false;
    std::vector<ParameterRecord> parameters(static_cast<std::size_t>(header.parameterCount));
    if (!parameters.empty())
        std::memcpy(parameters.data(), bytes.data() + fdb::kHeaderSize,
                    parameters.size() * fdb::kParameterSize);
    m_header = header;
    m_parameters = std::move(parameters);
    if (bytesRead)
        *bytesRead = std::move(bytes);
    return true;
}

bool FunctionRecord::LoadHeader(const std::string& path, FunctionHeader& header) {
    // Non-blocking, so that a FIFO is refused by the test below instead of waiting.
    const int fd = OpenFunctionFile(path);
    if (fd < 0)
        return false;
    struct stat st {};
    FunctionHeader read{};
    std::size_t got = 0;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    while (ok && got < sizeof read) {
        const ssize_t n = pread(fd, reinterpret_cast<char*>(&read) + got, sizeof read - got,
                                static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            got += static_cast<std::size_t>(n);
    }
    close(fd);
    if (!ok || !CountFits(read, static_cast<std::size_t>(st.st_size)))
        return false;
    header = read;
    return true;
}

std::string FunctionRecord::Serialize() const {
    std::string bytes(fdb::kHeaderSize + m_parameters.size() * fdb::kParameterSize, '\0');
    std::memcpy(bytes.data(), &m_header, fdb::kHeaderSize);
    if (!m_parameters.empty())
        std::memcpy(bytes.data() + fdb::kHeaderSize, m_parameters.data(),
                    m_parameters.size() * fdb::kParameterSize);
    return bytes;
}

Status FunctionRecord::Save(const std::string& path, const FileStamp* expected) const {
    return WriteFileAtomically(path, Serialize(), expected);
}

void FunctionRecord::AllocateParameters(int n) {
    if (n < 0)
        n = 0;
    m_parameters.assign(static_cast<std::size_t>(n), ParameterRecord{});
    m_header.parameterCount = n;
}

void FunctionRecord::ReplaceParameters(std::vector<ParameterRecord> records) {
    m_parameters = std::move(records);
    m_header.parameterCount = static_cast<std::int32_t>(m_parameters.size());
}

}  // namespace kelvane
