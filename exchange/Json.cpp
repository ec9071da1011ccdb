#include "exchange/Json.h"

#include <set>
#include <vector>

namespace kelvane {

namespace {

constexpr unsigned char kDelete = 0x7F;
// U+0080 to U+009F are C2 80 to C2 9F in UTF-8.
constexpr unsigned char kC1Lead = 0xC2;
constexpr unsigned char kC1First = 0x80;
constexpr unsigned char kC1Last = 0x9F;

void AppendUnicodeEscape(std::string& out, unsigned value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\u00";
    out += kDigits[value >> 4];
    out += kDigits[value & 0xF];
}

// Stops a parse that goes past a limit or meets a key twice.
struct Refused {
    std::string why;
};

}  // namespace

void EscapeTerminalControls(std::string& text) {
    // Outside strings a dump holds only ASCII punctuation, digits and letters, so every
    // byte found here is inside a string.
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == kDelete || (byte == kC1Lead && i + 1 < text.size())) {
            break;
        }
        ++i;
    }
    if (i == text.size())
        return;
    std::string out(text, 0, i);
    out.reserve(text.size() + 16);
    for (; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte == kDelete) {
            AppendUnicodeEscape(out, byte);
        } else if (byte == kC1Lead && next >= kC1First && next <= kC1Last) {
            AppendUnicodeEscape(out, next);
            ++i;
        } else {
            out += text[i];
        }
    }
    text = std::move(out);
}

std::string DumpJson(const Json& value, int indent) {
    std::string text = value.dump(indent, ' ', false, Json::error_handler_t::replace);
    EscapeTerminalControls(text);
    return text;
}

ParsedJson ParseJson(std::string_view text) {
    ParsedJson result;
    if (text.size() > kMaxJsonBytes) {
        result.error = "it is " + std::to_string(text.size()) + " bytes long, more than the " +
                       std::to_string(kMaxJsonBytes >> 20) + " MiB read";
        return result;
    }
    std::size_t values = 0;
    std::vector<std::set<std::string>> keys;  // of each object being read
    auto check = [&](int depth, Json::parse_event_t event, Json& parsed) {
        if (depth >= kMaxJsonDepth)
            throw Refused{"it is nested more than " + std::to_string(kMaxJsonDepth) +
                          " levels deep"};
        if (++values > kMaxJsonValues)
            throw Refused{"it holds more than " + std::to_string(kMaxJsonValues) + " values"};
        switch (event) {
            case Json::parse_event_t::object_start:
                keys.emplace_back();
                break;
            case Json::parse_event_t::object_end:
                keys.pop_back();
                break;
            case Json::parse_event_t::key:
                if (!keys.back().insert(parsed.get<std::string>()).second)
                    throw Refused{"the field \"" + parsed.get<std::string>() +
                                  "\" appears twice in one object"};
                break;
            default:
                break;
        }
        return true;
    };
    try {
        result.value = Json::parse(text.begin(), text.end(), check);
        result.ok = true;
    } catch (const Json::parse_error& error) {
        // "[json.exception.parse_error.101] parse error at line 1, column 2: ..."
        std::string why = error.what();
        if (const auto end = why.find("] "); why.starts_with("[json.") && end != std::string::npos)
            why.erase(0, end + 2);
        result.error = "it is not valid JSON: " + why;
    } catch (const Refused& refused) {
        result.error = refused.why;
    }
    return result;
}

}  // namespace kelvane
