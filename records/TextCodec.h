#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

// Function files keep their texts in CP949; the program works in UTF-8.

// Decodes CP949 bytes; bytes that are not CP949 become U+FFFD.
std::string Cp949ToUtf8(std::string_view cp949);

// Encodes UTF-8 text as CP949; nullopt when a character has no CP949 form
// (or the input is not valid UTF-8).
std::optional<std::string> Utf8ToCp949(std::string_view utf8);

// The message shown when text cannot be stored in a function file.
std::string NotCp949Message(std::string_view what);

bool IsValidUtf8(std::string_view bytes);

// A file-system name for display: itself when it is UTF-8, else decoded as CP949.
std::string DisplayName(std::string_view bytes);

}  // namespace kelvane
