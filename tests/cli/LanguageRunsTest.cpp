// The real program in both languages: chosen by --lang or by the messages locale, with
// only the C.UTF-8 locale installed.
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <string>

#include "TestFiles.h"

namespace {

struct Outcome {
    int code = -1;
    std::string output;
};

// What a shell command prints on standard output, and how it ends.
Outcome Capture(const std::string& command) {
    Outcome run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    while (std::size_t got = fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, got);
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The program's standard error, with the locale variables given and no others.
Outcome RunWithLocale(const std::string& locale, const std::string& args) {
    return Capture("env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG " + locale +
                   " '" KELVANE_CLI "' " + args + " 2>&1 >/dev/null");
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
        const Outcome run = RunWithLocale(c.locale, c.args);
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.output, c.err);
    }
}

// What the program writes into files is the same whatever language it speaks: a new
// function (name in Korean), and every form of export of a library with a damaged file.
TEST(LanguageRuns, FilesWrittenAreTheSameInBothLanguages) {
    TempDir dir;
    std::string script;
    for (const std::string language : {"ko", "en"}) {
        const std::string cli = "'" KELVANE_CLI "' --lang " + language;
        script += "mkdir -p " + language + "/lib/'Broken()' && cd " + language + " && " + cli +
                  " create --location lib --name 흐림 --in 'int*' --out 'CMatrix*' >/dev/null && "
                  "printf short > 'lib/Broken()/Broken().fdb' && { " +
                  cli + " export lib >all.json; " + cli +
                  " export --format html --output html lib; " + cli +
                  " export --format markdown --output md lib; } 2>/dev/null; cd .. && ";
    }
    const std::string command = "cd '" + dir.path() + "' && " + script +
                                "test -s en/md/functions/broken.md && diff -r ko en";
    const Outcome run = Capture("(" + command + ") 2>&1");
    EXPECT_EQ(run.code, 0) << run.output;
}

}  // namespace
