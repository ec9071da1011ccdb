#include "cli/TextOut.h"

#include <cstdio>

#include "exchange/Json.h"

namespace kelvane::cli {

namespace {

constexpr unsigned char kDelete = 0x7F;
// U+0080 to U+009F are C2 80 to C2 9F in UTF-8.
constexpr unsigned char kC1Lead = 0xC2;
constexpr unsigned char kC1First = 0x80;
constexpr unsigned char kC1Last = 0x9F;

bool IsC1At(std::string_view text, std::size_t i) {
    if (static_cast<unsigned char>(text[i]) != kC1Lead || i + 1 >= text.size())
        return false;
    const auto next = static_cast<unsigned char>(text[i + 1]);
    return next >= kC1First && next <= kC1Last;
}

void AppendHex(std::string& out, const char* format, unsigned value) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, format, value);
    out += escaped;
}

}  // namespace

std::string EscapeLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\r':
                line += "\\r";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\\':
                line += "\\\\";
                break;
            default:
                if (byte < 0x20 || byte == kDelete) {
                    AppendHex(line, "\\x%02x", byte);
                } else if (IsC1At(text, i)) {
                    AppendHex(line, "\\x%02x", byte);
                    AppendHex(line, "\\x%02x", static_cast<unsigned char>(text[++i]));
                } else {
                    line += c;
                }
        }
    }
    return line;
}

std::string JsonString(std::string_view text) {
    return DumpJson(Json(std::string(text)));
}

}  // namespace kelvane::cli
