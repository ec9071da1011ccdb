#include "exchange/MarkupText.h"

#include <cstdio>

#include "records/ControlBytes.h"

namespace kelvane {

namespace {

void AppendHexEscape(std::string& out, unsigned char byte) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
    out += escaped;
}

// Walks text, giving line breaks to onBreak, control characters to the hex escape and
// every other character (one byte, or the two of a C1 control) to onChar.
template <typename OnChar, typename OnBreak>
void Walk(std::string_view text, std::string& out, OnChar onChar, OnBreak onBreak) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            onBreak();
        } else if (IsC0OrDelete(byte) && c != '\t') {
            AppendHexEscape(out, byte);
        } else if (IsC1At(text, i)) {
            AppendHexEscape(out, byte);
            AppendHexEscape(out, static_cast<unsigned char>(text[++i]));
        } else {
            onChar(c);
        }
    }
}

void AppendHtmlChar(std::string& out, char c) {
    switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    Walk(
        text, out, [&](char c) { AppendHtmlChar(out, c); }, [&] { out += ' '; });
    return out;
}

std::string HtmlLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    Walk(
        text, out, [&](char c) { AppendHtmlChar(out, c); }, [&] { out += "<br>"; });
    return out;
}

std::string MarkdownText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    // What makes a block at the start of a line: a heading, quote, list item, rule or
    // setext underline; a number followed by "." or ")" starts a list.
    std::size_t lead = 0;
    while (lead < text.size() && IsDigit(text[lead]))
        ++lead;
    const bool numbered =
        lead > 0 && lead < text.size() && (text[lead] == '.' || text[lead] == ')') &&
        (lead + 1 == text.size() || text[lead + 1] == ' ' || text[lead + 1] == '\t');
    std::size_t at = 0;
    Walk(
        text, out,
        [&](char c) {
            const std::size_t i = at++;
            switch (c) {
                case '\\':
                case '`':
                case '*':
                case '_':
                case '[':
                case ']':
                case '|':
                case '~':
                    out += '\\';
                    out += c;
                    return;
                case '<':
                    out += "&lt;";
                    return;
                case '>':
                    out += "&gt;";
                    return;
                case '&':
                    out += "&amp;";
                    return;
                case '#':
                case '-':
                case '+':
                case '=':
                    if (i == 0)
                        out += '\\';
                    out += c;
                    return;
                case '.':
                case ')':
                    if (numbered && i == lead)
                        out += '\\';
                    out += c;
                    return;
                default:
                    out += c;
            }
        },
        [&] {
            out += "<br>";
            ++at;
        });
    return out;
}

}  // namespace kelvane
