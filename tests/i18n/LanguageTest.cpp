#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "i18n/Language.h"
#include "i18n/Translate.h"
#include "records/FileOps.h"
#include "wizard/FunctionCreator.h"

namespace {

using kelvane::i18n::ChooseLanguage;
using kelvane::i18n::Language;
using kelvane::i18n::LocaleVariables;

TEST(ChooseLanguage, OptionFirstThenTheMessagesLocaleAsGettextReadsIt) {
    struct Case {
        std::optional<std::string> option;
        LocaleVariables variables;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        Language expected;
        bool refused = false;
    };
    const Case cases[] = {
        {std::nullopt, {}, Language::Korean},
        {std::nullopt, {"", "", "", "en_US.UTF-8"}, Language::English},
        {std::nullopt, {"", "", "", "en"}, Language::English},
        {std::nullopt, {"", "", "", "ko_KR.UTF-8"}, Language::Korean},
        {std::nullopt, {"", "", "", "de_DE.UTF-8"}, Language::Korean},
        {std::nullopt, {"", "", "", "eng"}, Language::Korean},
        {std::nullopt, {"", "C.UTF-8", "", "en_US.UTF-8"}, Language::Korean},
        {std::nullopt, {"", "", "en_GB", "ko_KR.UTF-8"}, Language::English},
        {std::nullopt, {"", "ko_KR.UTF-8", "en_GB", ""}, Language::Korean},
        // LANGUAGE counts only where the locale is not C or POSIX, as in gettext.
        {std::nullopt, {"en", "", "", ""}, Language::Korean},
        {std::nullopt, {"en", "POSIX", "", ""}, Language::Korean},
        {std::nullopt, {"en", "C.UTF-8", "", ""}, Language::English},
        {std::nullopt, {"fr:en_GB:ko", "", "", "ko_KR.UTF-8"}, Language::English},
        {std::nullopt, {"fr:de", "", "", "en_US.UTF-8"}, Language::English},
        {"ko", {"", "", "", "en_US.UTF-8"}, Language::Korean},
        {"en", {}, Language::English},
        // A value naming no language is refused; the locale still decides the language.
        {"EN", {"", "", "", "en_US.UTF-8"}, Language::English, true},
        {"", {}, Language::Korean, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option.value_or("(none)") + " " + c.variables.language + "|" +
                     c.variables.lcAll + "|" + c.variables.lcMessages + "|" + c.variables.lang);
        const auto choice = ChooseLanguage(c.option, c.variables);
        EXPECT_EQ(choice.language, c.expected);
        EXPECT_EQ(!choice.ok(), c.refused);
    }
}

TEST(ReadLanguageOption, BothSpellingsAndAMissingValue) {
    using kelvane::i18n::ReadLanguageOption;
    const std::vector<std::string> words = {"--lang", "en", "--lang=ko", "-lang", "--home"};
    EXPECT_EQ(ReadLanguageOption(words, 0).used, 2u);
    EXPECT_EQ(ReadLanguageOption(words, 0).value, "en");
    EXPECT_EQ(ReadLanguageOption(words, 2).value, "ko");
    EXPECT_EQ(ReadLanguageOption(words, 4).used, 0u);
    const auto last = ReadLanguageOption({"--lang"}, 0);
    EXPECT_TRUE(last.lastWord);
    EXPECT_EQ(last.used, 1u);
}

TEST(Fill, NamedPlaceholdersInAnyOrderAndValuesTakenAsTheyAre) {
    using kelvane::i18n::Fill;
    EXPECT_EQ(Fill("{b} then {a}", {{"a", "1"}, {"b", "2"}}), "2 then 1");
    EXPECT_EQ(Fill("{a}{a}", {{"a", "{a}"}}), "{a}{a}");
    EXPECT_EQ(Fill("{unknown} {", {{"a", "1"}}), "{unknown} {");
}

// Without UseLanguage every text is its source text, whatever the environment says.
TEST(Catalogues, SourceTextsUntilALanguageIsChosen) {
    setenv("LANGUAGE", "en", 1);
    EXPECT_STREQ(kelvane::i18n::Tr(kelvane::kFdbCreateErrorMessage.data()), "fdb 파일 생성 에러");
    EXPECT_TRUE(kelvane::i18n::EnvironmentForChildren().empty());
}

// With only C.UTF-8 installed, as here and in CI, the compiled catalogues are found beside
// the binaries and speak the language chosen; what a file keeps stays the source text.
TEST(Catalogues, EnglishTranslatesTheKoreanTexts) {
    unsetenv("LANGUAGE");
    kelvane::i18n::UseLanguage(Language::English);
    EXPECT_EQ(kelvane::i18n::CurrentLanguage(), Language::English);
    EXPECT_STREQ(kelvane::i18n::Tr(kelvane::kFdbCreateErrorMessage.data()),
                 "Could not create the function file");
    EXPECT_EQ(kelvane::ErrnoReason(ENOSPC), "the disk is full");
    EXPECT_STREQ(kelvane::i18n::Tr("함수의 형식", kelvane::i18n::Texts::Source), "함수의 형식");
    // The programs it starts see LANGUAGE as it was: unset.
    const auto restore = kelvane::i18n::EnvironmentForChildren();
    ASSERT_EQ(restore.size(), 1u);
    EXPECT_EQ(restore[0].name, "LANGUAGE");
    EXPECT_FALSE(restore[0].value.has_value());
}

TEST(Catalogues, KoreanTranslatesTheProgramsOwnMessages) {
    setenv("LANGUAGE", "de", 1);
    kelvane::i18n::UseLanguage(Language::Korean);
    EXPECT_STREQ(kelvane::i18n::Tr(kelvane::kFdbCreateErrorMessage.data()), "fdb 파일 생성 에러");
    EXPECT_EQ(kelvane::ErrnoReason(ENOSPC), "디스크가 가득 찼음");
    EXPECT_EQ(kelvane::i18n::SayPlural("{n} folder could not be read.",
                                       "{n} folders could not be read.", 3),
              "폴더 3개를 읽을 수 없었습니다.");
    const auto restore = kelvane::i18n::EnvironmentForChildren();
    ASSERT_EQ(restore.size(), 1u);
    EXPECT_EQ(restore[0].value, std::optional<std::string>("de"));
}

}  // namespace
