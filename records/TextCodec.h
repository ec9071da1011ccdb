#pragma once

#include <cstddef>
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

// Every "\n" written as "\r\n", as a text-mode writer does: the line breaks of descriptions
// in function files and of generated project files.
std::string ToCrLf(std::string_view text);
// Every "\r\n" read as "\n", as a text-mode reader does; a lone "\r" stays.
std::string FromCrLf(std::string_view text);

// Text for a function-file field of maxBytes bytes (its terminator not counted): the CP949
// bytes when all of it fits, else why not. what names the text, as it begins a sentence in
// the language in use ("The description").
struct FieldFit {
    std::optional<std::string> cp949;
    bool tooLong = false;   // CP949 holds it but the field does not
    std::size_t bytes = 0;  // its length in CP949, when CP949 holds it
    // NotCp949Message, or "The description is 600 bytes long; its field holds at most
    // 512 bytes."
    std::string refusal;
};
FieldFit FitField(std::string_view utf8, std::size_t maxBytes, std::string_view what);

// A file-system name for display: itself when it is UTF-8, else decoded as CP949.
std::string DisplayName(std::string_view bytes);

}  // namespace kelvane
