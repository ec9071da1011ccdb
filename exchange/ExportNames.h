#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kelvane {

// Gives the functions of an export file names (without extension) that are safe on any
// file system and in any link: lowercase ASCII letters, digits and single "-" between
// them, at most kMaxExportNameLength bytes, never empty, never "." or "..", and unique
// in the export. A name is made from the groups above the function and its own folder
// name without "()", so the same library gives the same names.
class ExportNamer {
public:
    static constexpr std::size_t kMaxExportNameLength = 80;

    // path: the names from the start down to the function folder, as shown (UTF-8).
    std::string Name(const std::vector<std::string_view>& path);

private:
    std::unordered_set<std::string> m_taken;
    std::unordered_map<std::string, int> m_nextSuffix;
};

}  // namespace kelvane
