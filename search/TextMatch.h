#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvane {

// The text with its Latin capitals in lower case: A-Z, the capitals of Latin-1 and
// Latin Extended-A, and the full-width Ａ-Ｚ; every other character as it is. Each letter
// keeps its length in UTF-8, so an offset into the folded text is the same offset into
// the original.
std::string FoldLatinCase(std::string_view utf8);

// At most about kExcerptLength characters of text around the piece [offset, offset +
// length), cut at character boundaries, with "…" where text was left out; line breaks and
// other control characters become blanks, so the excerpt is one line.
inline constexpr std::size_t kExcerptLength = 60;
std::string Excerpt(std::string_view utf8, std::size_t offset, std::size_t length);

}  // namespace kelvane
