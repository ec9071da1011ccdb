#include "exchange/Json.h"

#include <cstring>
#include <set>
#include <vector>

#include "i18n/Translate.h"
#include "records/ControlBytes.h"

namespace kelvane {

using i18n::Say;

namespace {

void AppendUnicodeEscape(std::string& out, unsigned value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\u00";
    out += kDigits[value >> 4];
    out += kDigits[value & 0xF];
}

// Printable ASCII other than the quote and the backslash: what a dump writes as it is.
bool PlainAscii(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= kDeleteByte || c == '"' || c == '\\')
            return false;
    }
    return true;
}

// Stops a parse that goes past a limit or meets a key twice.
struct Refused {
    std::string why;
};

}  // namespace

void EscapeTerminalControls(std::string& text) {
    EscapeTerminalControlsFrom(text, 0);
}

void EscapeTerminalControlsFrom(std::string& text, std::size_t from) {
    // Outside strings a dump holds only ASCII punctuation, digits and letters, so every
    // byte found here is inside a string.
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size() - from;
    const auto* del =
        static_cast<const unsigned char*>(std::memchr(begin + from, kDeleteByte, size));
    const auto* lead = static_cast<const unsigned char*>(std::memchr(begin + from, kC1Lead, size));
    if (!del && !lead)
        return;
    const std::size_t first =
        static_cast<std::size_t>((del && (!lead || del < lead) ? del : lead) - begin);
    std::string rest;
    rest.reserve(text.size() - first + 16);
    for (std::size_t i = first; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == kDeleteByte) {
            AppendUnicodeEscape(rest, byte);
        } else if (IsC1At(text, i)) {
            AppendUnicodeEscape(rest, static_cast<unsigned char>(text[++i]));
        } else {
            rest += text[i];
        }
    }
    text.resize(first);
    text += rest;
}

// nlohmann's own serializer, kept for one writer so that its set-up is paid once, and one
// string value it writes, reused so that a string costs no new value.
class JsonTextWriter::Escaper {
public:
    explicit Escaper(std::string& text)
        : m_serializer(nlohmann::detail::output_adapter<char, std::string>(text), ' ',
                       Json::error_handler_t::replace),
          m_value(std::string()) {}
    void String(std::string_view value) {
        m_value.get_ref<std::string&>().assign(value);
        m_serializer.dump(m_value, false, false, 0);
    }

private:
    nlohmann::detail::serializer<Json> m_serializer;
    Json m_value;
};

JsonTextWriter::JsonTextWriter() : m_escaper(std::make_unique<Escaper>(m_text)) {}

JsonTextWriter::~JsonTextWriter() = default;

void JsonTextWriter::String(std::string_view value) {
    // Most texts of a library need no escape: written as they are, as the dump would.
    if (PlainAscii(value)) {
        m_text += '"';
        m_text += value;
        m_text += '"';
        return;
    }
    const std::size_t start = m_text.size();
    m_escaper->String(value);
    EscapeTerminalControlsFrom(m_text, start);
}

std::string DumpJson(const Json& value, int indent) {
    std::string text = value.dump(indent, ' ', false, Json::error_handler_t::replace);
    EscapeTerminalControls(text);
    return text;
}

ParsedJson ParseJson(std::string_view text) {
    ParsedJson result;
    if (text.size() > kMaxJsonBytes) {
        result.error = Say("it is {bytes} bytes long, more than the {limit} MiB read",
                           {{"bytes", std::to_string(text.size())},
                            {"limit", std::to_string(kMaxJsonBytes >> 20)}});
        return result;
    }
    std::size_t values = 0;
    std::vector<std::set<std::string>> keys;  // of each object being read
    auto check = [&](int depth, Json::parse_event_t event, Json& parsed) {
        if (depth >= kMaxJsonDepth)
            throw Refused{Say("it is nested more than {depth} levels deep",
                              {{"depth", std::to_string(kMaxJsonDepth)}})};
        if (++values > kMaxJsonValues)
            throw Refused{Say("it holds more than {count} values",
                              {{"count", std::to_string(kMaxJsonValues)}})};
        switch (event) {
            case Json::parse_event_t::object_start:
                keys.emplace_back();
                break;
            case Json::parse_event_t::object_end:
                keys.pop_back();
                break;
            case Json::parse_event_t::key:
                if (!keys.back().insert(parsed.get<std::string>()).second)
                    throw Refused{Say("the field \"{field}\" appears twice in one object",
                                      {{"field", parsed.get<std::string>()}})};
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
        result.error = Say("it is not valid JSON: {why}", {{"why", why}});
    } catch (const Refused& refused) {
        result.error = refused.why;
    }
    return result;
}

}  // namespace kelvane
