#include "cli/TextOut.h"

#include <cstdio>

#include "exchange/Json.h"
#include "records/ControlBytes.h"

namespace kelvane::cli {

namespace {

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
                if (IsC0OrDelete(byte)) {
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
