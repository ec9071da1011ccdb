#pragma once

#include <string>
#include <string_view>

namespace kelvane::cli {

// A text as one printed line that a terminal shows as it is: CR, LF, TAB and backslash
// become \r \n \t \\, every other control character (below 0x20, DEL, and the C1 controls
// U+0080 to U+009F in UTF-8) becomes \xHH for each of its bytes. Every text that did not
// come from kelvane-cli itself (names, paths, messages holding them) is printed so.
std::string EscapeLine(std::string_view text);

// A JSON string literal, quotes included, with every control character escaped (DumpJson).
// The text is expected to be UTF-8; bytes that are not become U+FFFD.
std::string JsonString(std::string_view text);

}  // namespace kelvane::cli
