#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "i18n/ValueOption.h"

namespace kelvane::i18n {

// A language of the interface, by the code its catalogues are named with: "ko", "en", "de",
// "pt_BR". Korean is the original program's texts with Korean for Kelvane's own, and the
// default; every other language is whatever catalogues are installed for it.
class Language {
public:
    // A code as the catalogues name it; codes from the user go through FromCode.
    explicit Language(std::string code) : m_code(std::move(code)) {}
    static Language Korean() { return Language("ko"); }
    // `code` when it has the form of a language code (ll or lll, then optionally _CC),
    // which also keeps it a plain name in the catalogues' folder.
    static std::optional<Language> FromCode(std::string_view code);

    const std::string& code() const { return m_code; }
    bool operator==(const Language&) const = default;

private:
    std::string m_code;
};

// Who is to speak a language: the Qt-free core and kelvane-cli need its gettext catalogue;
// the window needs the widgets' Qt catalogue too.
enum class Face { Core, Window };

// The languages installed in the catalogues' folder `dir` for `face`: Korean first (always
// there, as the source texts), then every other code whose catalogues are all present, in
// the order of their codes.
std::vector<Language> InstalledLanguages(Face face, const std::string& dir);
std::vector<Language> InstalledLanguages(Face face);  // in CatalogueDir()

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
    Language language = Language::Korean();  // from the environment when the value is refused
    std::optional<std::string> refused;      // a --lang value naming no installed language
    bool ok() const { return !refused.has_value(); }
};

// `option` is the text of --lang when given: the code of one of the `installed` languages;
// anything else is refused. Without it the messages locale decides as gettext reads it:
// LC_ALL, else LC_MESSAGES, else LANG; when that is C, POSIX or unset the original Korean,
// else the first entry of LANGUAGE, then the locale itself, that names an installed
// language ("pt_BR.UTF-8" names pt_BR, else pt); Korean when none does. Decided from the
// variables' text and the catalogues, never from whether that locale is installed.
LanguageChoice ChooseLanguage(std::optional<std::string_view> option,
                              const LocaleVariables& variables,
                              const std::vector<Language>& installed);
// Among the core's languages in CatalogueDir().
LanguageChoice ChooseLanguage(std::optional<std::string_view> option,
                              const LocaleVariables& variables);

// "Unknown language "VALUE"; choose ko or en." in the language in use, listing `installed`.
std::string UnknownLanguageMessage(std::string_view value, const std::vector<Language>& installed);
std::string UnknownLanguageMessage(std::string_view value);  // the core's languages
// "--lang needs a language: ko or en." in the language in use, listing `installed`.
std::string MissingLanguageMessage(const std::vector<Language>& installed);
std::string MissingLanguageMessage();  // the core's languages

// The --lang option of both programs, read from words[at]: "--lang ko" or "--lang=ko",
// and "-lang" alike.
using LanguageOption = ValueOption;
LanguageOption ReadLanguageOption(const std::vector<std::string>& words, std::size_t at);

// Makes the Qt-free core's own messages speak `language`; once, at the start of main()
// (in the window's main after QApplication is made, since it sets the locale afresh).
// Sets LANGUAGE for this process, and LC_MESSAGES to C.UTF-8 when it is C or POSIX, so
// that the catalogues are read with only C.UTF-8 installed.
// The catalogues are read from `dir`.
void UseLanguage(const Language& language, const std::string& dir);
void UseLanguage(const Language& language);  // from CatalogueDir()
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
