#include "exchange/ExportNames.h"

namespace kelvane {

namespace {

constexpr std::string_view kFallback = "function";

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Kept(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Letters and digits of each part, every run of anything else one "-".
std::string Slug(const std::vector<std::string_view>& path, std::size_t limit) {
    std::string slug;
    for (std::string_view part : path) {
        if (part.ends_with("()"))
            part.remove_suffix(2);
        for (char c : part) {
            const char lower = Lower(c);
            if (Kept(lower))
                slug += lower;
            else if (!slug.empty() && slug.back() != '-')
                slug += '-';
        }
        if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    if (slug.size() > limit)
        slug.resize(limit);
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    return slug.empty() ? std::string(kFallback) : slug;
}

}  // namespace

std::string ExportNamer::Name(const std::vector<std::string_view>& path) {
    // Room for a suffix such as "-12345".
    constexpr std::size_t kSuffixRoom = 12;
    const std::string base = Slug(path, kMaxExportNameLength - kSuffixRoom);
    if (m_taken.insert(base).second)
        return base;
    int& next = m_nextSuffix.try_emplace(base, 2).first->second;
    for (;;) {
        std::string candidate = base + "-" + std::to_string(next++);
        if (m_taken.insert(candidate).second)
            return candidate;
    }
}

}  // namespace kelvane
