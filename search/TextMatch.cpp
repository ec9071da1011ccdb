#include "search/TextMatch.h"

#include <algorithm>
#include <cstdint>

namespace kelvane {

namespace {

// How many characters of the text before a match an excerpt shows.
constexpr std::size_t kExcerptLead = 20;

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";  // …

// A capital of Latin-1 or Latin Extended-A in lower case (both take two bytes in UTF-8).
char32_t FoldTwoByte(char32_t c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // À-Þ, not ×
        return c + 0x20;
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;  // capital at the even code point, small letter after it
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;  // capital at the odd code point
    if (c == 0x178)                  // Ÿ
        return 0xFF;
    return c;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::string FoldLatinCase(std::string_view utf8) {
    std::string folded(utf8);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        if (byte >= 'A' && byte <= 'Z') {
            folded[i] = static_cast<char>(byte + ('a' - 'A'));
        } else if ((byte == 0xC3 || byte == 0xC4 || byte == 0xC5) && i + 1 < folded.size() &&
                   IsContinuation(static_cast<unsigned char>(folded[i + 1]))) {
            const char32_t c = (static_cast<char32_t>(byte & 0x1F) << 6) |
                               (static_cast<unsigned char>(folded[i + 1]) & 0x3F);
            const char32_t lower = FoldTwoByte(c);
            folded[i] = static_cast<char>(0xC0 | (lower >> 6));
            folded[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
            ++i;
        } else if (byte == 0xEF && i + 2 < folded.size() &&
                   static_cast<unsigned char>(folded[i + 1]) == 0xBC) {
            // Ａ-Ｚ are EF BC A1 to EF BC BA; ａ-ｚ are EF BD 81 to EF BD 9A.
            const auto last = static_cast<unsigned char>(folded[i + 2]);
            if (last >= 0xA1 && last <= 0xBA) {
                folded[i + 1] = static_cast<char>(0xBD);
                folded[i + 2] = static_cast<char>(last - 0x20);
            }
            i += 2;
        }
    }
    return folded;
}

std::string Excerpt(std::string_view text, std::size_t offset, std::size_t length) {
    auto back = [&](std::size_t at, std::size_t characters) {
        while (at > 0 && characters > 0) {
            --at;
            while (at > 0 && IsContinuation(static_cast<unsigned char>(text[at])))
                --at;
            --characters;
        }
        return at;
    };
    auto forward = [&](std::size_t at, std::size_t characters) {
        while (at < text.size() && characters > 0) {
            ++at;
            while (at < text.size() && IsContinuation(static_cast<unsigned char>(text[at])))
                ++at;
            --characters;
        }
        return at;
    };
    offset = std::min(offset, text.size());
    const std::size_t matchEnd = std::min(text.size(), offset + length);
    std::size_t begin = 0;
    std::size_t end = forward(0, kExcerptLength);
    if (end < text.size()) {
        // Too long to show whole: a window from a little before the match, using all of its
        // length near the end, cut at blanks where there are some.
        begin = back(offset, kExcerptLead);
        end = forward(begin, kExcerptLength);
        if (end == text.size())
            begin = std::min(begin, back(text.size(), kExcerptLength));
        auto blank = [&](std::size_t i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            return byte <= ' ' || byte == 0x7F;
        };
        for (std::size_t i = begin; begin > 0 && i < offset; ++i)
            if (blank(i)) {
                begin = i + 1;
                break;
            }
        for (std::size_t i = end; end < text.size() && i > matchEnd; --i)
            if (blank(i - 1)) {
                end = i - 1;
                break;
            }
        end = std::max(end, matchEnd);
    }

    std::string excerpt;
    if (begin > 0)
        excerpt += kEllipsis;
    bool blank = !excerpt.empty();  // no blank right after the ellipsis
    for (std::size_t i = begin; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool space = byte < 0x20 || byte == 0x7F || byte == ' ';
        if (space) {
            if (!blank && !excerpt.empty())
                excerpt += ' ';
            blank = true;
            continue;
        }
        excerpt += static_cast<char>(byte);
        blank = false;
    }
    if (end < text.size()) {
        if (!excerpt.empty() && excerpt.back() == ' ')
            excerpt.pop_back();
        excerpt += kEllipsis;
    } else if (!excerpt.empty() && excerpt.back() == ' ') {
        excerpt.pop_back();
    }
    return excerpt;
}

}  // namespace kelvane
