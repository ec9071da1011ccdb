#include "records/WorkFiles.h"

#include <sys/random.h>

#include <array>
#include <cstdio>
#include <random>

namespace kelvane {

namespace {

struct Suffix {
    WorkKind kind;
    std::string_view text;
};

constexpr std::array<Suffix, 4> kSuffixes = {{
    {WorkKind::Temp, ".tmp"},
    {WorkKind::Record, ".txn"},
    {WorkKind::Staging, ".new"},
    {WorkKind::Old, ".old"},
}};

std::string Hex(std::uint64_t value) {
    char text[kWorkIdLength + 1];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

bool IsHexId(std::string_view id) {
    return id.size() == kWorkIdLength &&
           id.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

}  // namespace

WorkName ParseWorkName(std::string_view name) {
    if (!name.starts_with(kWorkPrefix))
        return {};
    const std::string_view rest = name.substr(kWorkPrefix.size());
    for (const Suffix& suffix : kSuffixes) {
        if (rest.size() == kWorkIdLength + suffix.text.size() && rest.ends_with(suffix.text) &&
            IsHexId(rest.substr(0, kWorkIdLength)))
            return {suffix.kind, std::string(rest.substr(0, kWorkIdLength))};
    }
    return {};
}

std::string WorkFileName(WorkKind kind, std::string_view id) {
    for (const Suffix& suffix : kSuffixes) {
        if (suffix.kind == kind)
            return std::string(kWorkPrefix) + std::string(id) + std::string(suffix.text);
    }
    return {};
}

std::string TempNameOf(std::uint64_t inode) {
    // FNV-1a over a tag and the inode number: a file the user names so by chance would
    // also need this inode number.
    std::uint64_t hash = 14695981039346656037ull;
    auto mix = [&](unsigned char byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    for (const char c : std::string_view("kelvane temporary file"))
        mix(static_cast<unsigned char>(c));
    for (int shift = 0; shift < 64; shift += 8)
        mix(static_cast<unsigned char>(inode >> shift));
    return WorkFileName(WorkKind::Temp, Hex(hash));
}

std::string NewWorkId() {
    std::uint64_t value = 0;
    if (getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value)) {
        std::random_device seed;
        value = (static_cast<std::uint64_t>(seed()) << 32) ^ seed();
    }
    return Hex(value);
}

}  // namespace kelvane
