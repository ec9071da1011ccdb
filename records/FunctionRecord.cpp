#include "records/FunctionRecord.h"

#include <cstring>

#include "records/FileOps.h"
#include "records/FunctionFile.h"

namespace kelvane {

FunctionRecord::FunctionRecord() {
    std::memset(&m_header, 0, sizeof m_header);
}

bool FunctionRecord::Load(const std::string& path, FileStamp* stamp) {
    FdbRead read = ReadFunctionFile(path, stamp ? FdbPart::WholeFile : FdbPart::Records);
    if (!read.ok())
        return false;
    if (stamp)
        *stamp = {true, std::move(read.bytes)};
    *this = read.TakeRecord();
    return true;
}

bool FunctionRecord::LoadHeader(const std::string& path, FunctionHeader& header) {
    const FdbRead read = ReadFunctionFile(path, FdbPart::Header);
    if (read.ok())
        header = read.header;
    return read.ok();
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
