#include <gtest/gtest.h>

#include "CliRun.h"
#include "TestFiles.h"
#include "cli/Arguments.h"
#include "cli/TextOut.h"
#include "records/LibraryPaths.h"

using namespace kelvane::cli;

TEST(CliFramework, helpListsEveryCommand_andUsageErrorsExitTwo) {
    const CliRun help = RunCliWords({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* name : {"tabs", "tree TAB", "show FOLDER", "list GROUP", "check [PATH]"})
        EXPECT_NE(help.out.find(name), std::string::npos) << name;

    EXPECT_EQ(RunCliWords({}).code, 2);
    EXPECT_EQ(RunCliWords({"frobnicate"}).code, 2);
    EXPECT_EQ(RunCliWords({"--verbose", "tabs"}).code, 2);
    EXPECT_EQ(RunCliWords({"--home"}).code, 2);
    EXPECT_EQ(RunCliWords({"show"}).code, 2);
    EXPECT_EQ(RunCliWords({"show", "a()", "b()"}).code, 2);
    const CliRun badFlag = RunCliWords({"list", "G", "--jsn"});
    EXPECT_EQ(badFlag.code, 2);
    EXPECT_NE(badFlag.err.find("usage: kelvane-cli list GROUP"), std::string::npos);
    EXPECT_EQ(RunCliWords({"show", "--help"}).code, 0);
}

TEST(CliFramework, homeAppliesToOneRunOnly) {
    const std::string before = kelvane::GetProgramDirectoryOverride();
    const CliRun run = RunCliWords({"--home", "/nonexistent-kelvane", "tabs"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("/nonexistent-kelvane/FunctionLibrary"), std::string::npos);
    EXPECT_EQ(kelvane::GetProgramDirectoryOverride(), before);
}

TEST(CliFramework, argumentsKeepNegativeNumbersPositional) {
    const Arguments args = ParseArguments(
        {"2x1", "-1.5", "--in", "int*", "--in=char*", "--", "--json"}, {"--json"}, {"--in"});
    EXPECT_TRUE(args.error.empty());
    EXPECT_EQ(args.positional, (std::vector<std::string>{"2x1", "-1.5", "--json"}));
    EXPECT_EQ(args.values("--in"), (std::vector<std::string>{"int*", "char*"}));
    EXPECT_FALSE(args.has("--json"));
    EXPECT_EQ(ParseArguments({"--in"}, {}, {"--in"}).error, "--in needs a value.");
    EXPECT_EQ(ParseArguments({"--json=1"}, {"--json"}).error, "Unknown option --json=1.");
}

TEST(CliFramework, printedTextsStayOnOneLine) {
    EXPECT_EQ(EscapeLine("a\tb\\c\r\nd"), "a\\tb\\\\c\\r\\nd");
    EXPECT_EQ(EscapeLine("필터"), "필터");
    EXPECT_EQ(JsonString("q\"\\\x01\n"), "\"q\\\"\\\\\\u0001\\n\"");
}

TEST(CliFramework, versionAndCopySample_neverOverAnExistingLibrary) {
    const CliRun version = RunCliWords({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("kelvane-cli 1.", 0), 0u) << version.out;

    TempDir home;
    const CliRun copied = RunCliWords({"--home", home.path(), "copy-sample"});
    ASSERT_EQ(copied.code, 0) << copied.err;
    EXPECT_EQ(RunCliWords({"--home", home.path(), "tabs"}).out, RunCliWords({"tabs"}).out);
    WriteBytes(home / "FunctionLibrary/Basic/mine", "kept");
    const CliRun again = RunCliWords({"--home", home.path(), "copy-sample"});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("already exists; nothing was copied"), std::string::npos);
    EXPECT_EQ(ReadBytes(home / "FunctionLibrary/Basic/mine"), "kept");
}
