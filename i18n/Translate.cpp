#include "i18n/Translate.h"

#include <libintl.h>

#include "i18n/Language.h"

namespace kelvane::i18n {

const char* Tr(const char* source, Texts texts) {
    if (texts == Texts::Source || !LanguageInUse() || !source || !*source)
        return source;
    return dgettext(kTextDomain, source);
}

std::string Fill(std::string_view sentence, std::initializer_list<Value> values) {
    std::string filled;
    filled.reserve(sentence.size());
    std::size_t at = 0;
    while (at < sentence.size()) {
        const std::size_t open = sentence.find('{', at);
        if (open == std::string_view::npos)
            break;
        const std::size_t close = sentence.find('}', open + 1);
        if (close == std::string_view::npos)
            break;
        const std::string_view name = sentence.substr(open + 1, close - open - 1);
        const Value* found = nullptr;
        for (const Value& value : values)
            if (value.first == name)
                found = &value;
        filled.append(sentence.substr(at, open - at));
        if (found) {
            filled.append(found->second);
            at = close + 1;
        } else {
            filled.push_back('{');
            at = open + 1;
        }
    }
    filled.append(sentence.substr(at));
    return filled;
}

std::string Say(const char* source, std::initializer_list<Value> values) {
    return Fill(Tr(source), values);
}

std::string SayIn(Texts texts, const char* source, std::initializer_list<Value> values) {
    return Fill(Tr(source, texts), values);
}

std::string SayPlural(const char* singular, const char* plural, unsigned long n,
                      std::initializer_list<Value> values) {
    const char* form = LanguageInUse() ? dngettext(kTextDomain, singular, plural, n)
                                       : (n == 1 ? singular : plural);
    const std::string count = std::to_string(n);
    std::string filled = Fill(form, {{"n", count}});
    return values.size() == 0 ? filled : Fill(filled, values);
}

}  // namespace kelvane::i18n
