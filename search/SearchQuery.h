#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/FunctionRecord.h"

namespace kelvane {

// The texts of a function a query can look in, in the order a match reports them.
enum class SearchField { kName, kDescription, kType, kParamDescription };
inline constexpr int kSearchFieldCount = 4;

using SearchFields = unsigned;  // one bit per SearchField
inline constexpr SearchFields FieldBit(SearchField field) {
    return 1u << static_cast<unsigned>(field);
}
inline constexpr SearchFields kAllSearchFields = (1u << kSearchFieldCount) - 1;

// "name", "description", "type", "param-description": the words of the command line.
std::string_view FieldKeyword(SearchField field);
std::optional<SearchField> FieldOfKeyword(std::string_view keyword);

enum class DirectionFilter { kAny, kInput, kOutput };

// A query holds at most this many different words.
inline constexpr std::size_t kMaxSearchWords = 64;

struct SearchQuery {
    // UTF-8; every word must be in one of the fields (not necessarily the same one),
    // Latin letters matched in either case. Words past kMaxSearchWords are not looked for.
    std::vector<std::string> words;
    SearchFields fields = kAllSearchFields;
    // A parameter of exactly this type name is required (none when empty) ...
    std::string type;
    // ... and, of that same parameter, this direction.
    DirectionFilter direction = DirectionFilter::kAny;

    bool HasFilter() const { return !type.empty() || direction != DirectionFilter::kAny; }
};

// The words of a line the user typed, split at white space.
std::vector<std::string> SplitWords(std::string_view text);

// Where a function matched: the field holding most of the words (the first such in
// SearchField order, parameters in their order), and a short excerpt of it.
struct SearchMatch {
    SearchField field = SearchField::kName;
    int parameter = -1;   // for kType and kParamDescription
    std::string excerpt;  // UTF-8, one line
};

// A query prepared for matching many functions.
class QueryMatcher {
public:
    explicit QueryMatcher(const SearchQuery& query);

    // Whether a match needs the function file at all, and its parameter records.
    bool NeedsFile() const { return m_needsHeader || m_needsParameters; }
    bool NeedsParameters() const { return m_needsParameters; }

    // The function of the folder folderName, its header and parameters as read (header
    // nullptr when the file was not read or could not be; only the name can match then).
    std::optional<SearchMatch> Match(std::string_view folderName, const FunctionHeader* header,
                                     std::span<const ParameterRecord> parameters) const;

private:
    bool PassesFilter(const ParameterRecord& parameter) const;

    std::vector<std::string> m_words;  // folded
    SearchFields m_fields;
    std::string m_type;
    DirectionFilter m_direction;
    bool m_needsHeader;
    bool m_needsParameters;
};

}  // namespace kelvane
