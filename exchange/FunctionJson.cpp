#include "exchange/FunctionJson.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "i18n/Translate.h"
#include "records/TextCodec.h"

namespace kelvane {

using i18n::Say;
using i18n::Tr;

namespace {

enum class FieldType { Integer, Text, Bytes };

// One field of a record: its name in the form and where it lies in the record.
struct FieldSpec {
    std::string_view key;
    std::size_t offset;
    std::size_t size;
    FieldType type;
};

constexpr std::size_t kIntegerSize = sizeof(std::int32_t);

constexpr FieldSpec kHeaderFields[] = {
    {"kind", offsetof(FunctionHeader, kind), kIntegerSize, FieldType::Integer},
    {"name", offsetof(FunctionHeader, name), fdb::kNameSize, FieldType::Text},
    {"nameCopy", offsetof(FunctionHeader, nameCopy), fdb::kNameCopySize, FieldType::Text},
    {"description", offsetof(FunctionHeader, description), fdb::kFunctionDescriptionSize,
     FieldType::Text},
    {"attribute", offsetof(FunctionHeader, attribute), fdb::kAttributeSize, FieldType::Bytes},
};

constexpr FieldSpec kParameterFields[] = {
    {"typeName", offsetof(ParameterRecord, typeName), fdb::kTypeNameSize, FieldType::Text},
    {"direction", offsetof(ParameterRecord, direction), kIntegerSize, FieldType::Integer},
    {"reserved", offsetof(ParameterRecord, reserved), fdb::kReservedSize, FieldType::Bytes},
    {"description", offsetof(ParameterRecord, description), fdb::kParameterDescriptionSize,
     FieldType::Text},
    {"defaultKind", offsetof(ParameterRecord, defaultKind), kIntegerSize, FieldType::Integer},
    {"defaultText", offsetof(ParameterRecord, defaultText), fdb::kValueTextSize, FieldType::Text},
    {"storedKind", offsetof(ParameterRecord, storedKind), kIntegerSize, FieldType::Integer},
    {"storedText", offsetof(ParameterRecord, storedText), fdb::kValueTextSize, FieldType::Text},
};

constexpr char kHexDigits[] = "0123456789abcdef";

// The bytes in hex, two lowercase digits each, without the zero bytes at the end.
std::string Hex(const char* data, std::size_t size) {
    while (size > 0 && data[size - 1] == '\0')
        --size;
    std::string hex;
    hex.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 0xF];
    }
    return hex;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The text of CP949 bytes as UTF-8 when it gives back the same bytes; nullopt otherwise.
std::optional<std::string> ExactUtf8(std::string_view cp949) {
    std::string utf8 = Cp949ToUtf8(cp949);
    const std::optional<std::string> back = Utf8ToCp949(utf8);
    if (!back || *back != cp949)
        return std::nullopt;
    return utf8;
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string TailKey(std::string_view key) {
    return std::string(key) + std::string(kTailSuffix);
}

// Zero bytes compared a block at a time.
bool AllZeroFast(const char* data, std::size_t size) {
    static constexpr char kZeros[fdb::kValueTextSize] = {};
    while (size > 0) {
        const std::size_t n = std::min(size, sizeof kZeros);
        if (std::memcmp(data, kZeros, n) != 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// The fields of one record, in order, to an emitter: the one place that decides what the
// form holds.
template <typename Emitter>
void PutFields(std::span<const FieldSpec> fields, const char* record, Emitter& out) {
    for (const FieldSpec& spec : fields) {
        const char* field = record + spec.offset;
        switch (spec.type) {
            case FieldType::Integer: {
                std::int32_t value;
                std::memcpy(&value, field, sizeof value);
                out.Integer(spec.key, value);
                break;
            }
            case FieldType::Bytes:
                if (!AllZeroFast(field, spec.size))
                    out.String(spec.key, Hex(field, spec.size));
                break;
            case FieldType::Text: {
                const std::size_t length = strnlen(field, spec.size);
                const std::string_view bytes(field, length);
                const bool ascii = IsAscii(bytes);
                std::optional<std::string> text;
                if (length < spec.size && !ascii)
                    text = ExactUtf8(bytes);
                if (length == spec.size || (!ascii && !text)) {
                    out.HexForm(spec.key, Hex(field, spec.size));
                    break;
                }
                // ASCII is the same in CP949 and UTF-8.
                out.String(spec.key, text ? std::string_view(*text) : bytes);
                const char* tail = field + length + 1;
                const std::size_t tailSize = spec.size - length - 1;
                if (!AllZeroFast(tail, tailSize))
                    out.String(TailKey(spec.key), Hex(tail, tailSize));
                break;
            }
        }
    }
}

template <typename Emitter>
void PutForm(const FunctionHeader& header, std::span<const ParameterRecord> parameters,
             Emitter& out) {
    PutFields(kHeaderFields, reinterpret_cast<const char*>(&header), out);
    out.BeginParameters(parameters.size());
    for (const ParameterRecord& parameter : parameters) {
        out.BeginParameter();
        PutFields(kParameterFields, reinterpret_cast<const char*>(&parameter), out);
        out.EndParameter();
    }
    out.End();
}

// Builds the form as a JSON value.
class ValueEmitter {
public:
    explicit ValueEmitter(Json& form) : m_form(form), m_current(&form) { form = Json::object(); }

    void Integer(std::string_view key, std::int32_t value) {
        (*m_current)[std::string(key)] = value;
    }
    void String(std::string_view key, std::string_view value) {
        (*m_current)[std::string(key)] = std::string(value);
    }
    void HexForm(std::string_view key, const std::string& hex) {
        (*m_current)[std::string(key)] = Json{{std::string(kHexKey), hex}};
    }
    void BeginParameters(std::size_t) { m_form[std::string(kParametersKey)] = Json::array(); }
    void BeginParameter() {
        Json& list = m_form[std::string(kParametersKey)];
        list.push_back(Json::object());
        m_current = &list.back();
    }
    void EndParameter() { m_current = &m_form; }
    void End() {}

private:
    Json& m_form;
    Json* m_current;
};

// Writes the form as text, laid out as DumpJson with an indent of two lays out its value.
class TextEmitter {
public:
    TextEmitter(JsonTextWriter& out, std::size_t indent) : m_out(out), m_base(indent) {
        m_out.Raw("{");
        m_indent = m_base + kStep;
    }

    void Integer(std::string_view key, std::int32_t value) {
        Key(key);
        m_out.Integer(value);
    }
    void String(std::string_view key, std::string_view value) {
        Key(key);
        m_out.String(value);
    }
    void HexForm(std::string_view key, const std::string& hex) {
        Key(key);
        m_out.Raw("{\n");
        m_out.Indent(m_indent + kStep);
        m_out.Raw("\"");
        m_out.Raw(kHexKey);
        m_out.Raw("\": ");
        m_out.String(hex);
        m_out.Raw("\n");
        m_out.Indent(m_indent);
        m_out.Raw("}");
    }
    void BeginParameters(std::size_t count) {
        Key(kParametersKey);
        m_out.Raw(count == 0 ? "[]" : "[");
        m_parameters = count;
    }
    void BeginParameter() {
        m_out.Raw(m_written++ == 0 ? "\n" : ",\n");
        m_out.Indent(m_base + 2 * kStep);
        m_out.Raw("{");
        m_first = true;
        m_indent = m_base + 3 * kStep;
    }
    void EndParameter() {
        m_out.Raw("\n");
        m_out.Indent(m_base + 2 * kStep);
        m_out.Raw("}");
        m_indent = m_base + kStep;
    }
    void End() {
        if (m_parameters > 0) {
            m_out.Raw("\n");
            m_out.Indent(m_base + kStep);
            m_out.Raw("]");
        }
        m_out.Raw("\n");
        m_out.Indent(m_base);
        m_out.Raw("}");
    }

private:
    static constexpr std::size_t kStep = 2;

    void Key(std::string_view key) {
        m_out.Raw(m_first ? "\n" : ",\n");
        m_first = false;
        m_out.Indent(m_indent);
        m_out.Raw("\"");
        m_out.Raw(key);
        m_out.Raw("\": ");
    }

    JsonTextWriter& m_out;
    std::size_t m_base;
    std::size_t m_indent;
    bool m_first = true;
    std::size_t m_parameters = 0;
    std::size_t m_written = 0;
};

// "~" and "/" in a key, escaped for a JSON pointer.
std::string PointerToken(std::string_view key) {
    std::string token;
    for (char c : key) {
        if (c == '~')
            token += "~0";
        else if (c == '/')
            token += "~1";
        else
            token += c;
    }
    return token;
}

// Reads the fields of one record from an object of the form; the first field it cannot
// take ends the reading.
class FieldReader {
public:
    explicit FieldReader(FormError& error) : m_error(error) {}

    bool Fail(const std::string& pointer, std::string problem) {
        m_error = {pointer, std::move(problem)};
        return false;
    }

    // extraKey: a key the caller reads itself ("parameters" of the header), or empty.
    bool Read(const Json& object, std::span<const FieldSpec> fields, char* record,
              const std::string& at, std::string_view extraKey) {
        if (!object.is_object())
            return Fail(at, Tr("must be an object of fields"));
        for (const auto& item : object.items()) {
            if (!Known(item.key(), fields, extraKey))
                return Fail(at + "/" + PointerToken(item.key()),
                            extraKey.empty() ? Tr("is not a field of a parameter (unknown field)")
                                             : Tr("is not a field of a function (unknown field)"));
        }
        for (const FieldSpec& spec : fields) {
            const std::string pointer = at + "/" + std::string(spec.key);
            char* field = record + spec.offset;
            const auto found = object.find(std::string(spec.key));
            bool ok = true;
            switch (spec.type) {
                case FieldType::Integer:
                    ok = found != object.end() ? ReadInteger(*found, field, pointer)
                                               : Fail(pointer, Tr("is missing"));
                    break;
                case FieldType::Bytes:
                    ok = found == object.end() || ReadHex(*found, field, spec.size, pointer);
                    break;
                case FieldType::Text:
                    ok = found != object.end() ? ReadText(object, *found, spec, field, at)
                                               : Fail(pointer, Tr("is missing"));
                    break;
            }
            if (!ok)
                return false;
        }
        return true;
    }

private:
    static bool Known(const std::string& key, std::span<const FieldSpec> fields,
                      std::string_view extraKey) {
        if (!extraKey.empty() && key == extraKey)
            return true;
        return std::any_of(fields.begin(), fields.end(), [&](const FieldSpec& spec) {
            return key == spec.key || (spec.type == FieldType::Text && key == TailKey(spec.key));
        });
    }

    bool ReadInteger(const Json& value, char* field, const std::string& pointer) {
        std::int64_t number = 0;
        bool fits = false;
        if (value.is_number_unsigned()) {
            const auto u = value.get<std::uint64_t>();
            fits = u <= static_cast<std::uint64_t>(INT32_MAX);
            number = static_cast<std::int64_t>(u);
        } else if (value.is_number_integer()) {
            number = value.get<std::int64_t>();
            fits = number >= INT32_MIN && number <= INT32_MAX;
        } else {
            return Fail(pointer, Tr("must be a whole number"));
        }
        if (!fits)
            return Fail(pointer, Say("is {value}, outside the 32-bit range of its field "
                                     "(-2147483648 to 2147483647)",
                                     {{"value", value.dump()}}));
        const auto stored = static_cast<std::int32_t>(number);
        std::memcpy(field, &stored, sizeof stored);
        return true;
    }

    // Hex digits for the first bytes of a field of size bytes; the rest stays zero.
    bool ReadHex(const Json& value, char* field, std::size_t size, const std::string& pointer) {
        if (!value.is_string())
            return Fail(pointer, Tr("must be a text of hexadecimal digits"));
        const std::string& hex = value.get_ref<const std::string&>();
        if (hex.size() % 2 != 0)
            return Fail(pointer, Say("must have two hexadecimal digits per byte (it has {count} "
                                     "digits)",
                                     {{"count", std::to_string(hex.size())}}));
        if (hex.size() / 2 > size)
            return Fail(pointer, Say("holds {bytes} bytes; the field has room for {size}",
                                     {{"bytes", std::to_string(hex.size() / 2)},
                                      {"size", std::to_string(size)}}));
        for (std::size_t i = 0; i < hex.size(); i += 2) {
            const int high = HexValue(hex[i]);
            const int low = HexValue(hex[i + 1]);
            if (high < 0 || low < 0)
                return Fail(pointer, Tr("must hold only hexadecimal digits (0-9, a-f)"));
            field[i / 2] = static_cast<char>(high * 16 + low);
        }
        return true;
    }

    bool ReadText(const Json& object, const Json& value, const FieldSpec& spec, char* field,
                  const std::string& at) {
        const std::string pointer = at + "/" + std::string(spec.key);
        const std::string tailKey = TailKey(spec.key);
        const auto tail = object.find(tailKey);
        if (value.is_object()) {
            for (const auto& item : value.items()) {
                if (item.key() != kHexKey)
                    return Fail(pointer + "/" + PointerToken(item.key()),
                                Tr("is not part of the hex form of a text (unknown field)"));
            }
            const auto hex = value.find(std::string(kHexKey));
            if (hex == value.end())
                return Fail(pointer + "/" + std::string(kHexKey), Tr("is missing"));
            if (tail != object.end())
                return Fail(at + "/" + tailKey,
                            Say("cannot go with the hex form of {field}, which holds the whole "
                                "field",
                                {{"field", spec.key}}));
            return ReadHex(*hex, field, spec.size, pointer + "/" + std::string(kHexKey));
        }
        if (!value.is_string())
            return Fail(pointer, Tr("must be a text, or an object with \"hex\""));
        const std::string& utf8 = value.get_ref<const std::string&>();
        if (utf8.find('\0') != std::string::npos)
            return Fail(pointer, Tr("holds a NUL character, which would end the text early"));
        const FieldFit fit = FitField(utf8, spec.size - 1, pointer);
        if (!fit.tooLong && !fit.cp949)
            return Fail(pointer,
                        Tr("holds characters that cannot be stored in a function file (Korean "
                           "code page CP949)"));
        if (fit.tooLong)
            return Fail(pointer, Say("is {bytes} bytes in CP949; the field holds at most {max}",
                                     {{"bytes", std::to_string(fit.bytes)},
                                      {"max", std::to_string(spec.size - 1)}}));
        const std::optional<std::string>& cp949 = fit.cp949;
        std::memcpy(field, cp949->data(), cp949->size());
        field[cp949->size()] = '\0';
        if (tail == object.end())
            return true;
        const std::size_t after = cp949->size() + 1;
        return ReadHex(*tail, field + after, spec.size - after, at + "/" + tailKey);
    }

    FormError& m_error;
};

}  // namespace

Json FunctionToJson(const FunctionHeader& header, std::span<const ParameterRecord> parameters) {
    Json form;
    ValueEmitter out(form);
    PutForm(header, parameters, out);
    return form;
}

void WriteFunctionJson(JsonTextWriter& out, const FunctionRecord& record, std::size_t indent) {
    TextEmitter emitter(out, indent);
    PutForm(record.header(), record.parameters(), emitter);
}

Json FunctionToJson(const FunctionRecord& record) {
    return FunctionToJson(record.header(), record.parameters());
}

FormResult FunctionFromJson(const Json& form) {
    FormResult result;
    FieldReader reader(result.error);
    FunctionHeader header{};
    if (!reader.Read(form, kHeaderFields, reinterpret_cast<char*>(&header), "", kParametersKey))
        return result;
    const std::string at = "/" + std::string(kParametersKey);
    const auto list = form.find(std::string(kParametersKey));
    if (list == form.end()) {
        reader.Fail(at, Tr("is missing"));
        return result;
    }
    if (!list->is_array()) {
        reader.Fail(at, Tr("must be a list of parameters"));
        return result;
    }
    if (list->size() > static_cast<std::size_t>(fdb::kMaxParameterCount)) {
        reader.Fail(at, Say("has {count} parameters; a function file holds at most {max}",
                            {{"count", std::to_string(list->size())},
                             {"max", std::to_string(fdb::kMaxParameterCount)}}));
        return result;
    }
    std::vector<ParameterRecord> parameters(list->size(), ParameterRecord{});
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (!reader.Read((*list)[i], kParameterFields, reinterpret_cast<char*>(&parameters[i]),
                         at + "/" + std::to_string(i), {}))
            return result;
    }
    result.record.header() = header;
    result.record.ReplaceParameters(std::move(parameters));
    result.ok = true;
    return result;
}

}  // namespace kelvane
