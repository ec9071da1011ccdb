#pragma once

#include <string>
#include <string_view>

namespace kelvane::cli {

// A text as one printed line: CR, LF, TAB and backslash become \r \n \t \\.
std::string EscapeLine(std::string_view text);

// A JSON string literal, quotes included. The text is expected to be UTF-8.
std::string JsonString(std::string_view text);

}  // namespace kelvane::cli
