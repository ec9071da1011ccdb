#include "records/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "i18n/Translate.h"

namespace kelvane {

using i18n::Say;

namespace {

// A conversion descriptor opened once per thread and direction; iconv_open is costly
// next to the short texts of a function file.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// One conversion through iconv; on an invalid sequence either substitutes or fails.
std::optional<std::string> Convert(const Converter& converter, std::string_view input,
                                   const char* replacement, std::size_t skipOnError) {
    if (!converter.ok())
        return std::nullopt;
    iconv_t cd = converter.get();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    std::string out;
    out.reserve(input.size() * 2 + 4);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            if (!replacement)
                return std::nullopt;
            out += replacement;
            const std::size_t skip = skipOnError < inLeft ? skipOnError : inLeft;
            in += skip;
            inLeft -= skip;
        }
    }
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t extra;
        std::uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) ||
            (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string Cp949ToUtf8(std::string_view cp949) {
    bool ascii = true;
    for (char c : cp949) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return std::string(cp949);
    thread_local const Converter decoder("UTF-8", "CP949");
    auto converted = Convert(decoder, cp949, "\xEF\xBF\xBD", 1);
    return converted ? *converted : std::string(cp949);
}

std::optional<std::string> Utf8ToCp949(std::string_view utf8) {
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    bool ascii = true;
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return std::string(utf8);
    thread_local const Converter encoder("CP949", "UTF-8");
    return Convert(encoder, utf8, nullptr, 0);
}

std::string ToCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::string FromCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

FieldFit FitField(std::string_view utf8, std::size_t maxBytes, std::string_view what) {
    FieldFit fit;
    std::optional<std::string> cp949 = Utf8ToCp949(utf8);
    if (!cp949) {
        fit.refusal = NotCp949Message(what);
    } else if (fit.bytes = cp949->size(); fit.bytes > maxBytes) {
        fit.tooLong = true;
        fit.refusal = Say("{what} is {bytes} bytes long; its field holds at most {max} bytes.",
                          {{"what", what},
                           {"bytes", std::to_string(cp949->size())},
                           {"max", std::to_string(maxBytes)}});
    } else {
        fit.cp949 = std::move(cp949);
    }
    return fit;
}

std::string NotCp949Message(std::string_view what) {
    return Say(
        "{what} holds characters that cannot be stored in a function file (Korean code page "
        "CP949); nothing was written.",
        {{"what", what}});
}

std::string DisplayName(std::string_view bytes) {
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return Cp949ToUtf8(bytes);
}

}  // namespace kelvane
