#include <gtest/gtest.h>

#include <algorithm>

#include "CliRun.h"
#include "TestFiles.h"
#include "data/SampleLibrary.h"

using namespace kelvane;
using Lines = std::vector<std::string>;

namespace {

class SearchCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            sample::WriteFunction(Lib("Basic/Filter"), {"Blur", 0, "Smooths\tan image, \\ box", {}})
                .ok());
        ASSERT_TRUE(sample::WriteFunction(Lib("Basic"), {"Tab\tBlur", 0, "x", {}}).ok());
        ASSERT_TRUE(sample::WriteFunction(Lib("Advanced"),
                                          {"Gain", 0, "g", {{"CMatrix*", true, "Kernel", {}, {}}}})
                        .ok());
        MakeDirs(Lib("Advanced/Broken()"));
        WriteBytes(Lib("Advanced/Broken()/Broken().fdb"), std::string(10, 'x'));
    }
    CliRun Run(Lines words) {
        words.insert(words.begin(), {"--home", home.path(), "search"});
        return RunCliWords(words);
    }
    std::string Lib(const std::string& relative) const {
        return home / ("FunctionLibrary/" + relative);
    }
    TempDir home;
};

Lines Sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace

TEST_F(SearchCommand, oneEscapedLinePerFunction_folderFieldExcerpt) {
    const CliRun run = Run({"BLUR"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Sorted(run.lines()), (Lines{Lib("Basic/Filter/Blur()") + "\tname\tBlur()",
                                          Lib("Basic/Tab\\tBlur()") + "\tname\tTab Blur()"}));
    // The damaged file is named on stderr with the reason, after the hits.
    EXPECT_EQ(run.err, Lib("Advanced/Broken()/Broken().fdb") +
                           ": is 10 bytes, shorter than the 1372-byte header\n"
                           "kelvane-cli: 1 function file could not be read.\n");

    EXPECT_EQ(Run({"--field", "description", "box"}).lines(),
              Lines{Lib("Basic/Filter/Blur()") + "\tdescription\tSmooths an image, \\\\ box"});
    EXPECT_EQ(Run({"--type", "CMatrix*", "--dir", "in"}).lines(),
              Lines{Lib("Advanced/Gain()") + "\ttype\tCMatrix*"});
    EXPECT_EQ(Run({"--group", Lib("Basic/Filter"), "--field=name", "--field", "type", "blur"}).out,
              Lib("Basic/Filter/Blur()") + "\tname\tBlur()\n");
}

TEST_F(SearchCommand, exitStatus_noMatchIsOne_usageErrorsAreTwo) {
    const struct {
        Lines words;
        int code;
        const char* err;
    } cases[] = {
        {{"kernel"}, 0, ""},
        {{"kernel", "nowhere"}, 1, "kelvane-cli: No function matches (4 functions searched).\n"},
        {{"--type", "CMatrix*", "--dir", "out"}, 1, "No function matches"},
        {{"--group", Lib("Nowhere"), "x"}, 1, "Nowhere is not a folder"},
        {{}, 2, "The search command needs a word, --type or --dir."},
        {{"--field", "title", "x"}, 2, "Unknown field title"},
        {{"--dir", "sideways", "x"}, 2, "--dir is in or out."},
        {{"--type", "", "x"}, 2, "The type is empty."},
        {{"--group", "", "x"}, 2, "The group folder is empty."},
        {{""}, 2, "A word is empty."},
        {{"--bold", "x"}, 2, "Unknown option --bold."},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(c.words);
        EXPECT_EQ(run.code, c.code) << c.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
}

TEST_F(SearchCommand, json_hitsCountsAndProblems) {
    const CliRun run = Run({"--json", "--field", "param-description", "kernel"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "{\"hits\": [\n  {\"path\": \"" + Lib("Advanced/Gain()") +
                           "\", \"name\": \"Gain()\", \"field\": \"param-description\", "
                           "\"parameter\": 0, \"excerpt\": \"Kernel\"}\n ],\n"
                           " \"functions\": 4,\n \"unreadableFiles\": 1,\n"
                           " \"unreadableFolders\": 0,\n \"problems\": [\n  {\"path\": \"" +
                           Lib("Advanced/Broken()/Broken().fdb") +
                           "\", \"reason\": \"is 10 bytes, shorter than the 1372-byte header\"}\n"
                           " ]}\n");
}
