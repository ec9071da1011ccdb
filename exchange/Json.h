#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace kelvane {

using Json = nlohmann::ordered_json;

// JSON text of a value: indent < 0 gives one line, else nlohmann's layout with that many
// spaces. Besides what JSON needs escaped, DEL and the C1 controls (U+0080 to U+009F) are
// written as \u escapes, so the text never acts on a terminal; bytes that are not UTF-8
// become U+FFFD.
std::string DumpJson(const Json& value, int indent = -1);

// Makes text produced by nlohmann's dump terminal-safe in place (see DumpJson), all of it or
// what follows from.
void EscapeTerminalControls(std::string& text);
void EscapeTerminalControlsFrom(std::string& text, std::size_t from);

// Appends pieces of JSON text to a string, each string value escaped as DumpJson escapes
// it, for output that is laid out piece by piece rather than built as one value.
class JsonTextWriter {
public:
    JsonTextWriter();
    ~JsonTextWriter();
    JsonTextWriter(const JsonTextWriter&) = delete;
    JsonTextWriter& operator=(const JsonTextWriter&) = delete;

    std::string& text() { return m_text; }
    void String(std::string_view value);
    void Integer(long long value) { m_text += std::to_string(value); }
    void Raw(std::string_view piece) { m_text += piece; }
    void Indent(std::size_t spaces) { m_text.append(spaces, ' '); }

private:
    class Escaper;
    std::string m_text;
    std::unique_ptr<Escaper> m_escaper;
};

// The most a JSON text may hold when read: bytes, nesting and values. A function's form
// is an object of parameters of fields, nested four deep, with about 15 values per
// parameter.
inline constexpr std::size_t kMaxJsonBytes = 64u << 20;
inline constexpr int kMaxJsonDepth = 16;
inline constexpr std::size_t kMaxJsonValues = 1u << 20;

struct ParsedJson {
    bool ok = false;
    Json value;
    std::string error;  // why the text is not accepted, with line and column where known
};

// Parses a JSON text within the limits above. A key given twice in one object is refused,
// since only one of the two could be kept.
ParsedJson ParseJson(std::string_view text);

}  // namespace kelvane
