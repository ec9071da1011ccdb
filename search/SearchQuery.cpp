#include "search/SearchQuery.h"

#include <bit>
#include <cstdint>

#include "records/TextCodec.h"
#include "search/TextMatch.h"

namespace kelvane {

namespace {

constexpr std::string_view kKeywords[kSearchFieldCount] = {"name", "description", "type",
                                                           "param-description"};

using WordMask = std::uint64_t;  // one bit per word
constexpr std::size_t kMaxWords = kMaxSearchWords;
static_assert(kMaxWords <= sizeof(WordMask) * 8);

// The best field so far: most words, earliest in field order.
struct Best {
    WordMask mask = 0;
    SearchField field = SearchField::kName;
    int parameter = -1;
    std::string text;  // decoded
    std::string folded;
};

}  // namespace

std::string_view FieldKeyword(SearchField field) {
    return kKeywords[static_cast<int>(field)];
}

std::optional<SearchField> FieldOfKeyword(std::string_view keyword) {
    for (int i = 0; i < kSearchFieldCount; ++i)
        if (kKeywords[i] == keyword)
            return static_cast<SearchField>(i);
    return std::nullopt;
}

std::vector<std::string> SplitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (i < text.size()) {
        while (i < text.size() && blank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !blank(text[i]))
            ++i;
        if (i > start)
            words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

QueryMatcher::QueryMatcher(const SearchQuery& query)
    : m_fields(query.fields), m_type(query.type), m_direction(query.direction) {
    for (const std::string& word : query.words) {
        if (word.empty())
            continue;
        std::string folded = FoldLatinCase(word);
        bool known = false;
        for (const std::string& other : m_words)
            known = known || other == folded;
        if (!known && m_words.size() < kMaxWords)
            m_words.push_back(std::move(folded));
    }
    const bool words = !m_words.empty();
    m_needsHeader = words && (m_fields & FieldBit(SearchField::kDescription));
    m_needsParameters =
        query.HasFilter() ||
        (words &&
         (m_fields & (FieldBit(SearchField::kType) | FieldBit(SearchField::kParamDescription))));
}

bool QueryMatcher::PassesFilter(const ParameterRecord& parameter) const {
    if (m_direction == DirectionFilter::kInput && parameter.direction == fdb::kOutput)
        return false;
    if (m_direction == DirectionFilter::kOutput && parameter.direction != fdb::kOutput)
        return false;
    return m_type.empty() || Cp949ToUtf8(FieldText(parameter.typeName)) == m_type;
}

std::optional<SearchMatch> QueryMatcher::Match(std::string_view folderName,
                                               const FunctionHeader* header,
                                               std::span<const ParameterRecord> parameters) const {
    int filtered = -1;  // the first parameter the filter asks for
    if (!m_type.empty() || m_direction != DirectionFilter::kAny) {
        if (!header)
            return std::nullopt;
        for (std::size_t i = 0; i < parameters.size() && filtered < 0; ++i)
            if (PassesFilter(parameters[i]))
                filtered = static_cast<int>(i);
        if (filtered < 0)
            return std::nullopt;
    }
    if (m_words.empty()) {
        if (filtered < 0)
            return std::nullopt;
        const std::string type =
            Cp949ToUtf8(FieldText(parameters[static_cast<std::size_t>(filtered)].typeName));
        return SearchMatch{SearchField::kType, filtered, Excerpt(type, 0, type.size())};
    }

    const WordMask all =
        m_words.size() == kMaxWords ? ~WordMask{0} : (WordMask{1} << m_words.size()) - 1;
    WordMask found = 0;
    Best best;
    // Looks for the words in one field; true once a field holds them all.
    auto look = [&](SearchField field, int parameter, std::string text) {
        std::string folded = FoldLatinCase(text);
        WordMask mask = 0;
        for (std::size_t w = 0; w < m_words.size(); ++w)
            if (folded.find(m_words[w]) != std::string::npos)
                mask |= WordMask{1} << w;
        found |= mask;
        if (std::popcount(mask) > std::popcount(best.mask))
            best = {mask, field, parameter, std::move(text), std::move(folded)};
        return best.mask == all;
    };
    auto wanted = [&](SearchField field) { return (m_fields & FieldBit(field)) != 0; };

    bool done = wanted(SearchField::kName) && look(SearchField::kName, -1, DisplayName(folderName));
    if (header && !done && wanted(SearchField::kDescription))
        done = look(SearchField::kDescription, -1, Cp949ToUtf8(FieldText(header->description)));
    if (header && wanted(SearchField::kType))
        for (std::size_t i = 0; i < parameters.size() && !done; ++i)
            done = look(SearchField::kType, static_cast<int>(i),
                        Cp949ToUtf8(FieldText(parameters[i].typeName)));
    if (header && wanted(SearchField::kParamDescription))
        for (std::size_t i = 0; i < parameters.size() && !done; ++i)
            done = look(SearchField::kParamDescription, static_cast<int>(i),
                        Cp949ToUtf8(FieldText(parameters[i].description)));
    if (found != all)
        return std::nullopt;

    // The excerpt starts near the first of the best field's words in its text.
    std::size_t at = best.folded.size();
    std::size_t length = 0;
    for (std::size_t w = 0; w < m_words.size(); ++w) {
        if (!(best.mask & (WordMask{1} << w)))
            continue;
        const std::size_t position = best.folded.find(m_words[w]);
        if (position < at) {
            at = position;
            length = m_words[w].size();
        }
    }
    return SearchMatch{best.field, best.parameter, Excerpt(best.text, at, length)};
}

}  // namespace kelvane
