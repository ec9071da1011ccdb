#include "records/CreationRecord.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <sstream>

#include "records/TempFile.h"
#include "records/WorkFiles.h"

namespace kelvane {

namespace {

constexpr std::string_view kMark = "Kelvane creation record 1\n";
constexpr int kNameAttempts = 16;

std::string HexOf(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

std::optional<std::string> FromHex(std::string_view hex) {
    if (hex.size() % 2 != 0)
        return std::nullopt;
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]), low = digit(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

// The name may hold any byte but "/" and NUL, so it is written in hex.
std::string Serialize(std::string_view id, const CreationPlan& plan) {
    std::string text(kMark);
    text += "id " + std::string(id) + "\n";
    text += plan.replace ? "replace\n" : "new\n";
    text += "target " + HexOf(plan.target) + "\n";
    if (plan.claiming)
        text += "claim\n";
    if (plan.placeholder != 0)
        text += "placeholder " + std::to_string(plan.placeholder) + "\n";
    return text;
}

}  // namespace

std::optional<CreationPlan> ParseCreationRecord(std::string_view bytes, std::string_view id) {
    if (!bytes.starts_with(kMark) || bytes.size() > kMaxRecordSize)
        return std::nullopt;
    std::istringstream lines{std::string(bytes.substr(kMark.size()))};
    std::string line;
    if (!std::getline(lines, line) || line != "id " + std::string(id))
        return std::nullopt;
    CreationPlan plan;
    if (!std::getline(lines, line) || (line != "new" && line != "replace"))
        return std::nullopt;
    plan.replace = line == "replace";
    constexpr std::string_view kTarget = "target ";
    if (!std::getline(lines, line) || !line.starts_with(kTarget))
        return std::nullopt;
    const auto target = FromHex(std::string_view(line).substr(kTarget.size()));
    if (!target || target->empty())
        return std::nullopt;
    plan.target = *target;
    if (!std::getline(lines, line))
        return plan;
    if (line == "claim") {
        plan.claiming = true;
        if (!std::getline(lines, line))
            return plan;
    }
    constexpr std::string_view kPlaceholder = "placeholder ";
    if (line.starts_with(kPlaceholder)) {
        const char* first = line.data() + kPlaceholder.size();
        const char* last = line.data() + line.size();
        if (std::from_chars(first, last, plan.placeholder).ptr != last)
            return std::nullopt;
    }
    return plan;
}

int CreationRecord::Begin(int dirfd, const CreationPlan& plan) {
    m_dirfd = dirfd;
    m_plan = plan;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        m_id = NewWorkId();
        const std::string bytes = Serialize(m_id, m_plan);
        TempFile file;
        if (const int error = file.Create(dirfd, 0644))
            return error;
        if (!WriteAll(file.fd(), bytes) || fsync(file.fd()) != 0) {
            const int error = errno;
            file.Discard();
            return error;
        }
        const int linked = file.LinkAs(RecordName());
        if (linked == EEXIST) {
            file.Discard();
            continue;
        }
        if (linked != 0) {
            file.Discard();
            return linked;
        }
        // The lock taken at birth goes with the descriptor, which the record keeps.
        m_fd = file.TakeDescriptor();
        return 0;
    }
    return EEXIST;
}

std::string CreationRecord::RecordName() const {
    return WorkFileName(WorkKind::Record, m_id);
}

std::string CreationRecord::StagingName() const {
    return WorkFileName(WorkKind::Staging, m_id);
}

std::string CreationRecord::OldName() const {
    return WorkFileName(WorkKind::Old, m_id);
}

int CreationRecord::NoteClaim() {
    m_plan.claiming = true;
    const std::string bytes = Serialize(m_id, m_plan);
    if (pwrite(m_fd.get(), bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        return errno != 0 ? errno : EIO;
    return 0;
}

int CreationRecord::NotePlaceholder(std::uint64_t inode) {
    m_plan.claiming = true;
    m_plan.placeholder = inode;
    const std::string bytes = Serialize(m_id, m_plan);
    if (pwrite(m_fd.get(), bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        return errno != 0 ? errno : EIO;
    return 0;
}

int CreationRecord::Finish() {
    if (!m_fd.valid())
        return 0;
    const int error = unlinkat(m_dirfd, RecordName().c_str(), 0) == 0 ? 0 : errno;
    m_fd.reset();
    return error;
}

}  // namespace kelvane
