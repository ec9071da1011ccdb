#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::i18n {

// Korean: the original program's texts, and Korean for Kelvane's own. English: all English.
enum class Language { Korean, English };

// The variables the messages locale is read from, so that tests can give their own.
struct LocaleVariables {
    std::string language;    // $LANGUAGE, a colon-separated list
    std::string lcAll;       // $LC_ALL
    std::string lcMessages;  // $LC_MESSAGES
    std::string lang;        // $LANG

    static LocaleVariables OfProcess();
};

// The outcome of ChooseLanguage: a language, or the --lang value that names none.
struct LanguageChoice {
    Language language = Language::Korean;  // from the environment when the value is refused
    std::optional<std::string> refused;    // a --lang value other than "ko" and "en"
    bool ok() const { return !refused.has_value(); }
};

// `option` is the text of --lang when given: "ko" or "en"; anything else is refused.
// Without it the messages locale decides as gettext reads it: LC_ALL, else LC_MESSAGES,
// else LANG; when that is C, POSIX or unset the original Korean, else the first entry of
// LANGUAGE, else the locale itself, naming en or ko. en* is English; everything else is
// Korean. Decided from the text alone, never from whether that locale is installed.
LanguageChoice ChooseLanguage(std::optional<std::string_view> option,
                              const LocaleVariables& variables);

// "Unknown language "VALUE"; choose ko or en." in the language in use.
std::string UnknownLanguageMessage(std::string_view value);
// "--lang needs a language: ko or en." in the language in use.
std::string MissingLanguageMessage();

// The --lang option of both programs, read from words[at]: "--lang ko" or "--lang=ko",
// and "-lang" alike.
struct LanguageOption {
    std::size_t used = 0;   // the words it takes; 0 when words[at] is not the option
    std::string value;      // the language named
    bool lastWord = false;  // "--lang" with no word after it
};
LanguageOption ReadLanguageOption(const std::vector<std::string>& words, std::size_t at);

// Makes the Qt-free core's own messages speak `language`; once, at the start of main()
// (in the window's main after QApplication is made, since it sets the locale afresh).
// Sets LANGUAGE for this process, and LC_MESSAGES to C.UTF-8 when it is C or POSIX, so
// that the catalogues are read with only C.UTF-8 installed.
void UseLanguage(Language language);
// The language of UseLanguage; Korean when it was never called (the source texts).
Language CurrentLanguage();
// Whether UseLanguage was called: until then every text is its source text.
bool LanguageInUse();

// What a program started by this one must have in its environment so that it sees the
// user's own, not the one UseLanguage set: each name with the value to give it, or none
// to remove it. Empty when UseLanguage was never called.
struct VariableToRestore {
    std::string name;
    std::optional<std::string> value;
};
std::vector<VariableToRestore> EnvironmentForChildren();

// The folder of the compiled catalogues, found like the program's other data: beside the
// binaries in the build tree and under <prefix>/share/kelvane when installed. It holds
// gettext's LANG/LC_MESSAGES/kelvane.mo and the widgets' Qt catalogues (.qm).
std::string CatalogueDir();

}  // namespace kelvane::i18n
