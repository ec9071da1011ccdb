#include "i18n/Language.h"

#include <libintl.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "GeneratedBuildInfo.h"
#include "i18n/Translate.h"

namespace kelvane::i18n {

namespace {

constexpr std::string_view kKoreanCode = "ko";
constexpr std::string_view kEnglishCode = "en";
constexpr const char* kLanguageVariable = "LANGUAGE";
// The one locale every glibc has built in since 2.35, and the only one this program can
// count on; gettext honours LANGUAGE in it, unlike in C and POSIX.
constexpr const char* kBuiltInLocale = "C.UTF-8";
// The catalogues' folder inside the program's data folder.
constexpr std::string_view kCatalogueFolderName = "locale";
constexpr const char* kCatalogueCodeset = "UTF-8";

std::atomic<bool> g_inUse{false};
std::atomic<Language> g_language{Language::Korean};
// LANGUAGE as the program found it, for the programs it starts.
std::optional<std::string> g_inheritedLanguage;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// True when `locale` names the language `code`: "en", "en_GB.UTF-8", "en@x", "en.UTF-8".
bool Names(std::string_view locale, std::string_view code) {
    if (!locale.starts_with(code))
        return false;
    if (locale.size() == code.size())
        return true;
    const char next = locale[code.size()];
    return next == '_' || next == '.' || next == '@';
}

bool IsPlainC(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX";
}

std::optional<Language> Named(std::string_view locale) {
    if (Names(locale, kEnglishCode))
        return Language::English;
    if (Names(locale, kKoreanCode))
        return Language::Korean;
    return std::nullopt;
}

const char* CodeOf(Language language) {
    return language == Language::English ? kEnglishCode.data() : kKoreanCode.data();
}

std::string BinaryFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    return std::filesystem::path(std::string(buffer, static_cast<std::size_t>(length)))
        .parent_path()
        .string();
}

}  // namespace

LocaleVariables LocaleVariables::OfProcess() {
    return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

LanguageChoice ChooseLanguage(std::optional<std::string_view> option,
                              const LocaleVariables& variables) {
    LanguageChoice choice;
    if (option) {
        if (*option == kKoreanCode)
            return {Language::Korean, std::nullopt};
        if (*option == kEnglishCode)
            return {Language::English, std::nullopt};
        choice.refused = std::string(*option);
    }
    const std::string& locale = !variables.lcAll.empty()        ? variables.lcAll
                                : !variables.lcMessages.empty() ? variables.lcMessages
                                                                : variables.lang;
    // gettext ignores LANGUAGE in the C locale; so do we.
    if (IsPlainC(locale))
        return choice;
    std::string_view list = variables.language;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        if (const auto named = Named(entry)) {
            choice.language = *named;
            return choice;
        }
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    choice.language = Named(locale).value_or(Language::Korean);
    return choice;
}

std::string UnknownLanguageMessage(std::string_view value) {
    return Say(N_("Unknown language \"{value}\"; choose ko or en."), {{"value", value}});
}

std::string MissingLanguageMessage() {
    return Say(N_("--lang needs a language: ko or en."));
}

LanguageOption ReadLanguageOption(const std::vector<std::string>& words, std::size_t at) {
    LanguageOption option;
    if (at >= words.size())
        return option;
    std::string_view word = words[at];
    if (word.starts_with("--"))
        word.remove_prefix(2);
    else if (word.starts_with("-"))
        word.remove_prefix(1);
    else
        return option;
    constexpr std::string_view kName = "lang";
    if (word.starts_with(kName) && word.size() > kName.size() && word[kName.size()] == '=') {
        option.used = 1;
        option.value = word.substr(kName.size() + 1);
    } else if (word == kName) {
        option.lastWord = at + 1 == words.size();
        option.used = option.lastWord ? 1 : 2;
        if (!option.lastWord)
            option.value = words[at + 1];
    }
    return option;
}

void UseLanguage(Language language) {
    if (!g_inUse.load()) {
        if (const char* inherited = std::getenv(kLanguageVariable))
            g_inheritedLanguage = inherited;
    }
    // Only the messages category: numbers and the character type stay as they are.
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (!messages || IsPlainC(messages))
        std::setlocale(LC_MESSAGES, kBuiltInLocale);
    setenv(kLanguageVariable, CodeOf(language), 1);
    const std::string dir = CatalogueDir();
    bindtextdomain(kTextDomain, dir.c_str());
    bind_textdomain_codeset(kTextDomain, kCatalogueCodeset);
    g_language.store(language);
    g_inUse.store(true);
}

Language CurrentLanguage() {
    return g_language.load();
}

bool LanguageInUse() {
    return g_inUse.load();
}

std::vector<VariableToRestore> EnvironmentForChildren() {
    if (!g_inUse.load())
        return {};
    return {{kLanguageVariable, g_inheritedLanguage}};
}

std::string CatalogueDir() {
    const std::filesystem::path dir =
        std::filesystem::path(BinaryFolder()) / KELVANE_DATA_FROM_BINARY / kCatalogueFolderName;
    std::string text = dir.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

}  // namespace kelvane::i18n
