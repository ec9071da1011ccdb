#include "records/FunctionRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "records/FileOps.h"

namespace kelvane {

FunctionRecord::FunctionRecord() {
    std::memset(&m_header, 0, sizeof m_header);
}

bool FunctionRecord::Load(const std::string& path, FileStamp* stamp) {
    // Only a regular file: opening a FIFO or a device would block or never end.
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    if (bytes.size() < fdb::kHeaderSize)
        return false;

    FunctionHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    const std::size_t left = bytes.size() - fdb::kHeaderSize;
    if (header.parameterCount < 0 ||
        static_cast<std::size_t>(header.parameterCount) > left / fdb::kParameterSize)
        return false;

    std::vector<ParameterRecord> parameters(static_cast<std::size_t>(header.parameterCount));
    if (!parameters.empty())
        std::memcpy(parameters.data(), bytes.data() + fdb::kHeaderSize,
                    parameters.size() * fdb::kParameterSize);
    m_header = header;
    m_parameters = std::move(parameters);
    if (stamp) {
        *stamp = StampOfFile(path);
        // The stamp must describe the bytes we hold even if the file changed just now.
        stamp->hash = HashBytes(bytes);
        stamp->size = static_cast<std::int64_t>(bytes.size());
    }
    return true;
}

bool FunctionRecord::LoadHeader(const std::string& path, FunctionHeader& header) {
    // Non-blocking, so that a FIFO is refused by the test below instead of waiting.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
    if (!ok)
        return false;
    const std::size_t left = static_cast<std::size_t>(st.st_size) - fdb::kHeaderSize;
    if (read.parameterCount < 0 ||
        static_cast<std::size_t>(read.parameterCount) > left / fdb::kParameterSize)
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
