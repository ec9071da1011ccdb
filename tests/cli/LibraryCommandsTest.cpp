#include <gtest/gtest.h>
#include <unistd.h>

#include "CliRun.h"
#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "records/DirScan.h"

using namespace kelvane;
using Lines = std::vector<std::string>;

namespace {

Lines ScanOrder(const std::string& dir) {
    Lines names;
    for (const DirEntry& entry : ScanDirectories(dir))
        names.push_back(entry.name);
    return names;
}

class LibraryCommands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sample::WriteEdgeLibrary(home.path())); }
    CliRun Run(Lines words) {
        words.insert(words.begin(), {"--home", home.path()});
        return RunCliWords(words);
    }
    std::string Lib(const std::string& relative) const {
        return home / ("FunctionLibrary/" + relative);
    }
    TempDir home;
};

}  // namespace

TEST_F(LibraryCommands, tabs_everyTopLevelFolderInScanOrder) {
    const CliRun run = Run({"tabs"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.lines(), ScanOrder(Lib("")));
    EXPECT_EQ(run.lines().size(), 3u);  // Odd, X() and _Src: no name test at the top
}

TEST_F(LibraryCommands, tree_skipsSourceFoldersAndEndsCycles) {
    const CliRun run = Run({"tree", "Odd"});
    ASSERT_EQ(run.code, 0) << run.err;
    Lines expected{"Odd"};
    for (const std::string& name : ScanOrder(Lib("Odd"))) {
        if (name == "_Src")
            continue;
        expected.push_back("  " + (name == "\xC7\xCA\xC5\xCD" ? std::string("필터") : name));
        const std::string below = name == "Loop" ? "Loop" : name == "Damaged" ? "Damaged" : "";
        if (below.empty())
            continue;
        for (const std::string& child : ScanOrder(Lib("Odd/" + below)))
            expected.push_back("    " + child);  // Loop/Back leads back up: not entered
    }
    EXPECT_EQ(run.lines(), expected);

    MakeDirs(Lib("\xC7\xCA\xC5\xCD/Sub"));  // a tab named in CP949, asked for as tabs shows it
    EXPECT_EQ(Run({"tree", "필터"}).lines(), (Lines{"필터", "  Sub"}));
    MakeDirs(Lib("A\\B"));  // a backslash, which tabs prints escaped
    EXPECT_EQ(Run({"tree", "A\\\\B"}).lines(), (Lines{"A\\\\B"}));

    const CliRun missing = Run({"tree", "Nope"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.out.empty());
}

TEST_F(LibraryCommands, show_printsTheTreeWithEscapes) {
    const CliRun run = Run({"show", Lib("Odd/Escapes()/")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.lines(),
              (Lines{"Escapes()", "  Basic Information", "    Type", "      DLL Function",
                     "    Attribute", "    Number of Parameters", "      0",
                     "    Description(Max:1024 bytes)",
                     "      tab\\there back\\\\slash\\r\\nsecond line", "  Parameters"}));

    const CliRun icons = Run({"show", "--icons", Lib("Odd/Odd()")});
    ASSERT_EQ(icons.code, 0);
    const Lines lines = icons.lines();
    EXPECT_EQ(lines[0], "Odd() [0/0]");
    EXPECT_EQ(lines[3], "      Unknown Function [4/4]");
    EXPECT_EQ(lines[10], "    __Empty_Type_01 Type [8/8]");  // direction 2: not an input icon
    EXPECT_EQ(lines[12], "        Input Parameter [5/5]");

    const CliRun json = Run({"show", Lib("Odd/Escapes()"), "--json"});
    EXPECT_NE(json.out.find("{\"text\": \"Escapes()\", \"icon\": 0, \"selectedIcon\": 0, "
                            "\"bold\": true, \"expanded\": true"),
              std::string::npos);
    EXPECT_NE(json.out.find("\"tab\\there back\\\\slash\\r\\nsecond line\""), std::string::npos);
}

TEST_F(LibraryCommands, show_relativeFolderAndMissingFile) {
    char saved[4096];
    ASSERT_TRUE(getcwd(saved, sizeof saved));
    ASSERT_EQ(chdir(Lib("Odd/()").c_str()), 0);
    const CliRun dot = Run({"show", "."});
    const CliRun misnamed = Run({"show", "../Misnamed()"});
    ASSERT_EQ(chdir(saved), 0);

    EXPECT_EQ(dot.code, 0) << dot.err;
    EXPECT_EQ(dot.lines().front(), "()");
    EXPECT_EQ(misnamed.code, 1);
    EXPECT_TRUE(misnamed.out.empty());
    EXPECT_EQ(misnamed.err, "../Misnamed()/Misnamed().fdb 파일이 없습니다.\n");
}

TEST_F(LibraryCommands, list_endsEarlyWithTheMessage) {
    const CliRun run = Run({"list", Lib("Odd/Damaged")});
    EXPECT_EQ(run.code, 1);
    const Lines lines = run.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Name\tType\t#\tDescription");
    // Every row before the last is complete; the last holds the name of the bad file.
    for (std::size_t i = 1; i + 1 < lines.size(); ++i)
        EXPECT_EQ(lines[i].rfind("Unterminated()\tDll\t0\tAAAA", 0), 0u) << lines[i];
    EXPECT_EQ(lines.back().find('\t'), std::string::npos);
    // The missing-file message, and why the file that is there cannot be loaded.
    EXPECT_EQ(run.err.rfind(Lib("Odd/Damaged/") + lines.back() + "/" + lines.back() +
                                ".fdb 파일이 없습니다. (" + lines.back() + ".fdb ",
                            0),
              0u)
        << run.err;

    const CliRun subgroups = Run({"list", Lib("Odd"), "--json"});
    EXPECT_EQ(subgroups.code, 0);
    EXPECT_NE(subgroups.out.find("{\"icon\": 1, \"cells\": [\"_Src\", \"\"]}"), std::string::npos);
    EXPECT_NE(subgroups.out.find("\"complete\": true"), std::string::npos);
    EXPECT_EQ(Run({"list", Lib("Nope")}).code, 1);
}

TEST_F(LibraryCommands, check_reportsEachDamagedFunction) {
    const CliRun run = Run({"check"});
    EXPECT_EQ(run.code, 1);
    for (const char* fault :
         {"Misnamed()/Misnamed().fdb: the function file is missing", "Short().fdb: is 1000 bytes",
          "Truncated().fdb: announces 3", "Negative().fdb: announces a negative",
          "Huge().fdb: announces", "Trailing().fdb: has 100 bytes after",
          "Unterminated().fdb: the function's description text"})
        EXPECT_NE(run.out.find(fault), std::string::npos) << fault;
    EXPECT_NE(run.out.find("11 function folders checked, 7 with problems"), std::string::npos);

    const CliRun one = Run({"check", Lib("Odd/Escapes()")});
    EXPECT_EQ(one.code, 0);
    EXPECT_EQ(one.out, "1 function folder checked, 0 with problems.\n");
}

TEST(SampleLibrary, isSoundAndShowsItsTexts) {
    TempDir home;
    ASSERT_TRUE(sample::WriteSampleLibrary(home.path()));
    const CliRun check = RunCliWords({"--home", home.path(), "check"});
    EXPECT_EQ(check.code, 0) << check.out;
    EXPECT_EQ(check.out, "15 function folders checked, 0 with problems.\n");

    const CliRun blur =
        RunCliWords({"show", home / "FunctionLibrary/Basic/Filter/Blur()", "--icons"});
    ASSERT_EQ(blur.code, 0);
    const Lines lines = blur.lines();
    ASSERT_EQ(lines.size(), 10u + 3 * 11);
    EXPECT_EQ(lines[8],
              "      평균 필터로 영상을 흐리게 한다. Smooths an image with a box filter. [4/4]");
    EXPECT_EQ(
        Lines(lines.begin() + 21, lines.begin() + 32),
        (Lines{"    int* Type [7/7]", "      Input/Output [4/4]", "        Input Parameter [5/5]",
               "      Parameter Type [4/4]", "        int* [5/5]", "      Default Value [4/4]",
               "        3 [5/5]", "      Stored Value [4/4]", "        5 [5/5]",
               "      Description(Max:512 bytes) [4/4]", "        커널 크기 (홀수) [5/5]"}));

    // Blur() holds its function file and a source folder: neither is in the tree.
    const CliRun tree = RunCliWords({"--home", home.path(), "tree", "Basic"});
    EXPECT_EQ(tree.code, 0);
    EXPECT_EQ(tree.out.find("_Src"), std::string::npos);
    EXPECT_EQ(tree.out.find(".fdb"), std::string::npos);
    EXPECT_NE(tree.out.find("\n  Filter\n"), std::string::npos);
    EXPECT_NE(tree.out.find("\n    Blur()\n"), std::string::npos);

    const std::string skeleton = home / "ClassLibrary";
    EXPECT_FALSE(std::filesystem::exists(skeleton));  // the library alone was asked for
}
