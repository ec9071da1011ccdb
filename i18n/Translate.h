#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace kelvane::i18n {

// The gettext domain of the Qt-free core and kelvane-cli.
inline constexpr const char* kTextDomain = "kelvane";

// Whose words a text is in: the language in use, for what the user is shown; or the
// source texts, for what is written into files, which never change with the language.
enum class Texts { Shown, Source };

// `source` in the language in use: the source text itself until UseLanguage is called, and
// when the catalogue has no entry for it. The result lives as long as the program.
const char* Tr(const char* source, Texts texts = Texts::Shown);

// Marks a text for the catalogues where it is defined; it is translated with Tr where used.
constexpr const char* N_(const char* source) {
    return source;
}

// A placeholder and the text it stands for.
using Value = std::pair<std::string_view, std::string_view>;

// `sentence` with every "{name}" replaced by its value; a name with no value stays as it
// is. Placeholders are named so that a translator may move them.
std::string Fill(std::string_view sentence, std::initializer_list<Value> values);

// Fill(Tr(source), values).
std::string Say(const char* source, std::initializer_list<Value> values = {});
std::string SayIn(Texts texts, const char* source, std::initializer_list<Value> values = {});

// The form of `singular` or `plural` that suits the number n in the language in use, with
// "{n}" and the other placeholders filled.
std::string SayPlural(const char* singular, const char* plural, unsigned long n,
                      std::initializer_list<Value> values = {});

}  // namespace kelvane::i18n
