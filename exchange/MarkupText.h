#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// Texts of the library (names, descriptions, values) in a reference. Control characters
// other than line breaks and TAB are shown as \xHH, as kelvane-cli prints them.

// For HTML text and attribute values: & < > " ' as entities.
std::string HtmlEscape(std::string_view text);
// The same, each line break (CR LF, LF or CR) as <br>.
std::string HtmlLines(std::string_view text);

// For one line of Markdown: every character that could start markup is escaped with a
// backslash (or as an entity), line breaks become <br>, so the text shows as it is
// wherever it stands: in a heading, a list item, a table cell or a paragraph.
std::string MarkdownText(std::string_view text);

}  // namespace kelvane
