// The real program in both languages: chosen by --lang or by the messages locale, with
// only the C.UTF-8 locale installed.
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <string>

namespace {

struct Run {
    int code = -1;
    std::string err;
};

// The program's standard error, with the locale variables given and no others.
Run RunWithLocale(const std::string& locale, const std::string& args) {
    const std::string command = "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG " + locale +
                                " '" KELVANE_CLI "' " + args + " 2>&1 >/dev/null";
    Run run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    while (std::size_t got = fread(buffer, 1, sizeof buffer, pipe))
        run.err.append(buffer, got);
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(LanguageRuns, UsageErrorsAndRefusalsInKoreanAndEnglish) {
    struct Case {
        const char* locale;
        const char* args;
        int code;
        const char* err;
    };
    const Case cases[] = {
        // A usage error: the C locale gives the original texts, Korean for Kelvane's own.
        {"", "tabs extra", 2,
         "kelvane-cli: tabs 명령은 인수를 받지 않습니다.\n사용법: kelvane-cli tabs \n"},
        {"LANG=en_US.UTF-8", "tabs extra", 2,
         "kelvane-cli: The tabs command takes no arguments.\nusage: kelvane-cli tabs \n"},
        {"LC_ALL=C.UTF-8 LANGUAGE=en", "--lang ko tabs extra", 2,
         "kelvane-cli: tabs 명령은 인수를 받지 않습니다.\n사용법: kelvane-cli tabs \n"},
        {"LANG=ko_KR.UTF-8", "--lang=en tabs extra", 2,
         "kelvane-cli: The tabs command takes no arguments.\nusage: kelvane-cli tabs \n"},
        // A refusal.
        {"LANG=ko_KR.UTF-8", "edit '/nowhere/Blur()' Type", 1,
         "kelvane-cli: \"Type\"은(는) 바꿀 수 없습니다. 아무것도 쓰지 않았습니다.\n"},
        {"LC_MESSAGES=en_GB.UTF-8", "edit '/nowhere/Blur()' Type", 1,
         "kelvane-cli: \"Type\" cannot be changed; nothing was written.\n"},
        // A message of the original stays as it is in Korean and is translated in English.
        {"", "show '/nowhere/Blur()'", 1, "/nowhere/Blur()/Blur().fdb 파일이 없습니다.\n"},
        {"", "--lang en show '/nowhere/Blur()'", 1,
         "The file /nowhere/Blur()/Blur().fdb does not exist.\n"},
        // A language that is neither: refused in the locale's language.
        {"LANG=en_US.UTF-8", "--lang fr tabs", 2,
         "kelvane-cli: Unknown language \"fr\"; choose ko or en.\nTry 'kelvane-cli --help'.\n"},
        {"", "--lang", 2, "kelvane-cli: --lang에는 언어가 필요합니다: ko 또는 en.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.args);
        const Run run = RunWithLocale(c.locale, c.args);
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.err, c.err);
    }
}

}  // namespace
