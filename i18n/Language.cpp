#include "i18n/Language.h"

#include <libintl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "GeneratedBuildInfo.h"
#include "i18n/Translate.h"

namespace kelvane::i18n {

namespace {

constexpr const char* kLanguageVariable = "LANGUAGE";
// The one locale every glibc has built in since 2.35, and the only one this program can
// count on; gettext honours LANGUAGE in it, unlike in C and POSIX.
constexpr const char* kBuiltInLocale = "C.UTF-8";
// The catalogues' folder inside the program's data folder, and what each language has in it.
constexpr std::string_view kCatalogueFolderName = "locale";
constexpr const char* kCatalogueCodeset = "UTF-8";
constexpr std::string_view kCoreCatalogue = "LC_MESSAGES/kelvane.mo";
constexpr std::string_view kWindowCataloguePrefix = "kelvane_";
constexpr std::string_view kWindowCatalogueSuffix = ".qm";
// A language code: two or three lower-case letters, then optionally "_" and two capitals.
constexpr std::size_t kShortestLanguage = 2;
constexpr std::size_t kLongestLanguage = 3;
constexpr std::size_t kTerritoryLength = 2;
// The catalogues' folder holds a few dozen languages at most; a bigger one is not ours.
constexpr std::size_t kMostEntriesRead = 4096;

std::atomic<bool> g_inUse{false};
std::mutex g_languageMutex;
Language g_language = Language::Korean();
// LANGUAGE as the program found it, for the programs it starts.
std::optional<std::string> g_inheritedLanguage;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsPlainC(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX";
}

bool AllIn(std::string_view text, char first, char last) {
    return std::all_of(text.begin(), text.end(), [&](char c) { return c >= first && c <= last; });
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// The installed language a locale names: "pt_BR.UTF-8@x" names pt_BR if installed, else pt.
std::optional<Language> Named(std::string_view locale, const std::vector<Language>& installed) {
    const std::string_view name = locale.substr(0, locale.find_first_of(".@"));
    const std::string_view language = name.substr(0, name.find('_'));
    for (std::string_view code : {name, language})
        for (const Language& candidate : installed)
            if (candidate.code() == code)
                return candidate;
    return std::nullopt;
}

// "ko", "ko or en", "ko, de or en" in the language in use.
std::string ListOf(const std::vector<Language>& languages) {
    std::string list;
    for (std::size_t i = 0; i + 1 < languages.size(); ++i)
        list += (i == 0 ? "" : ", ") + languages[i].code();
    if (languages.size() < 2)
        return languages.empty() ? list : languages.front().code();
    return Say(N_("{list} or {last}"), {{"list", list}, {"last", languages.back().code()}});
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

std::optional<Language> Language::FromCode(std::string_view code) {
    const std::string_view language = code.substr(0, code.find('_'));
    const std::string_view territory =
        language.size() == code.size() ? std::string_view() : code.substr(language.size() + 1);
    if (language.size() < kShortestLanguage || language.size() > kLongestLanguage ||
        !AllIn(language, 'a', 'z'))
        return std::nullopt;
    if (language.size() != code.size() &&
        (territory.size() != kTerritoryLength || !AllIn(territory, 'A', 'Z')))
        return std::nullopt;
    return Language(std::string(code));
}

std::vector<Language> InstalledLanguages(Face face, const std::string& dir) {
    std::vector<Language> languages;
    std::error_code error;
    std::filesystem::directory_iterator entries(dir, error);
    for (std::size_t read = 0;
         !error && entries != std::filesystem::directory_iterator() && read < kMostEntriesRead;
         entries.increment(error), ++read) {
        const std::filesystem::path& path = entries->path();
        const std::optional<Language> language = Language::FromCode(path.filename().string());
        if (!language || *language == Language::Korean() || !IsFile(path / kCoreCatalogue))
            continue;
        const std::string window = std::string(kWindowCataloguePrefix) + language->code() +
                                   std::string(kWindowCatalogueSuffix);
        if (face == Face::Window && !IsFile(std::filesystem::path(dir) / window))
            continue;
        languages.push_back(*language);
    }
    std::sort(languages.begin(), languages.end(),
              [](const Language& a, const Language& b) { return a.code() < b.code(); });
    languages.insert(languages.begin(), Language::Korean());
    return languages;
}

std::vector<Language> InstalledLanguages(Face face) {
    return InstalledLanguages(face, CatalogueDir());
}

LanguageChoice ChooseLanguage(std::optional<std::string_view> option,
                              const LocaleVariables& variables,
                              const std::vector<Language>& installed) {
    LanguageChoice choice;
    if (option) {
        for (const Language& language : installed)
            if (language.code() == *option)
                return {language, std::nullopt};
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
        if (const auto named = Named(list.substr(0, colon), installed)) {
            choice.language = *named;
            return choice;
        }
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    choice.language = Named(locale, installed).value_or(Language::Korean());
    return choice;
}

LanguageChoice ChooseLanguage(std::optional<std::string_view> option,
                              const LocaleVariables& variables) {
    return ChooseLanguage(option, variables, InstalledLanguages(Face::Core));
}

std::string UnknownLanguageMessage(std::string_view value, const std::vector<Language>& installed) {
    return Say(N_("Unknown language \"{value}\"; choose {languages}."),
               {{"value", value}, {"languages", ListOf(installed)}});
}

std::string UnknownLanguageMessage(std::string_view value) {
    return UnknownLanguageMessage(value, InstalledLanguages(Face::Core));
}

std::string MissingLanguageMessage(const std::vector<Language>& installed) {
    return Say(N_("--lang needs a language: {languages}."), {{"languages", ListOf(installed)}});
}

std::string MissingLanguageMessage() {
    return MissingLanguageMessage(InstalledLanguages(Face::Core));
}

LanguageOption ReadLanguageOption(const std::vector<std::string>& words, std::size_t at) {
    return ReadValueOption(words, at, "lang");
}

void UseLanguage(const Language& language) {
    UseLanguage(language, CatalogueDir());
}

void UseLanguage(const Language& language, const std::string& dir) {
    if (!g_inUse.load()) {
        if (const char* inherited = std::getenv(kLanguageVariable))
            g_inheritedLanguage = inherited;
    }
    // Only the messages category: numbers and the character type stay as they are.
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (!messages || IsPlainC(messages))
        std::setlocale(LC_MESSAGES, kBuiltInLocale);
    setenv(kLanguageVariable, language.code().c_str(), 1);
    bindtextdomain(kTextDomain, dir.c_str());
    bind_textdomain_codeset(kTextDomain, kCatalogueCodeset);
    {
        const std::lock_guard lock(g_languageMutex);
        g_language = language;
    }
    g_inUse.store(true);
}

Language CurrentLanguage() {
    const std::lock_guard lock(g_languageMutex);
    return g_language;
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
