#include "records/FunctionFileCheck.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "records/FileOps.h"
#include "records/FunctionRecord.h"

namespace kelvane {

namespace {

template <std::size_t N>
void CheckTerminated(const char (&field)[N], const std::string& what,
                     std::vector<std::string>& problems) {
    if (!FieldTerminated(field))
        problems.push_back(what + " text fills its " + std::to_string(N) +
                           " bytes without a terminator");
}

}  // namespace

std::vector<std::string> CheckFunctionFile(const std::string& path) {
    std::vector<std::string> problems;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        problems.push_back(errno == ENOENT ? "the function file is missing"
                                           : "cannot be read: " + ErrnoReason(errno));
        return problems;
    }
    if (!S_ISREG(st.st_mode)) {
        problems.push_back("is not a regular file");
        return problems;
    }
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        problems.push_back("cannot be read: " + ErrnoReason(errno));
        return problems;
    }
    if (bytes.size() < fdb::kHeaderSize) {
        problems.push_back("is " + std::to_string(bytes.size()) + " bytes, shorter than the " +
                           std::to_string(fdb::kHeaderSize) + "-byte header");
        return problems;
    }
    FunctionHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    const std::size_t room = (bytes.size() - fdb::kHeaderSize) / fdb::kParameterSize;
    const std::int32_t count = header.parameterCount;
    if (count < 0) {
        problems.push_back("announces a negative parameter count (" + std::to_string(count) + ")");
        return problems;
    }
    if (static_cast<std::size_t>(count) > room) {
        problems.push_back("announces " + std::to_string(count) + " parameters but its " +
                           std::to_string(bytes.size()) + " bytes hold " + std::to_string(room));
        return problems;
    }
    const std::size_t expected =
        fdb::kHeaderSize + static_cast<std::size_t>(count) * fdb::kParameterSize;
    if (bytes.size() > expected)
        problems.push_back("has " + std::to_string(bytes.size() - expected) +
                           " bytes after its last parameter record, which the next save "
                           "drops");

    CheckTerminated(header.name, "the function's name", problems);
    CheckTerminated(header.nameCopy, "the function's name copy", problems);
    CheckTerminated(header.description, "the function's description", problems);
    for (std::int32_t i = 0; i < count; ++i) {
        ParameterRecord p;
        std::memcpy(&p, bytes.data() + fdb::kHeaderSize + static_cast<std::size_t>(i) * sizeof p,
                    sizeof p);
        const std::string which = "parameter " + std::to_string(i) + ": the ";
        CheckTerminated(p.typeName, which + "type name", problems);
        CheckTerminated(p.description, which + "description", problems);
        CheckTerminated(p.defaultText, which + "default value", problems);
        CheckTerminated(p.storedText, which + "stored value", problems);
    }
    return problems;
}

}  // namespace kelvane
