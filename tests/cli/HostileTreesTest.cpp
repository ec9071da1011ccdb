// kelvane-cli on the trees and files a shared library folder collects: link webs, trees
// deeper than a path can name, huge sparse files, control characters in names, links out.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "CliRun.h"
#include "HostileTrees.h"
#include "TestFiles.h"
#include "records/FunctionRecord.h"

using namespace kelvane;
using Lines = std::vector<std::string>;

namespace {

class HostileTrees : public ::testing::Test {
protected:
    CliRun Run(Lines words) {
        words.insert(words.begin(), {"--home", home.path()});
        return RunCliWords(words);
    }
    std::string Lib(const std::string& relative) const {
        return home / ("FunctionLibrary/" + relative);
    }
    TempDir home;
};

// No byte a terminal acts on, except the line ends (and TABs where allowed).
bool TerminalSafe(const std::string& text, bool tabs) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n' || (tabs && byte == '\t'))
            continue;
        if (byte < 0x20 || byte == 0x7F)
            return false;
        if (byte == 0xC2 && i + 1 < text.size() &&
            (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80)
            return false;  // U+0080 to U+009F
    }
    return true;
}

}  // namespace

TEST_F(HostileTrees, linkWeb_eachFolderIsEnteredOnce) {
    constexpr int kFolders = 40;
    MakeLinkWeb(Lib("Web"), home / "store", kFolders);
    symlink(Lib("Web").c_str(), (home / "store/d39/up").c_str());  // and a cycle

    const CliRun tree = Run({"tree", "Web"});
    ASSERT_EQ(tree.code, 0) << tree.err;
    // The tab and d00; in each folder but the last a, b and its function; in the last its
    // function and the link back up. Linear, however many ways lead to a folder.
    const Lines lines = tree.lines();
    EXPECT_EQ(lines.size(), 1u + 1 + 3 * (kFolders - 1) + 2);
    for (int i = 0; i < kFolders; ++i) {
        const std::string function =
            "F" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "()";
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& line) {
                                    return line.find(function) != std::string::npos;
                                }),
                  1)
            << function;
    }

    // check stays inside the folder it is given: the two links out are named, not followed.
    const CliRun check = Run({"check"});
    EXPECT_EQ(check.code, 0) << check.out;
    for (const char* link : {"a", "b"})
        EXPECT_NE(check.out.find(Lib("Web/d00/") + link +
                                 ": a link out of the folder checked; not followed\n"),
                  std::string::npos)
            << check.out;
    EXPECT_TRUE(
        check.out.ends_with("1 function folder checked, 0 with problems.\n"
                            "2 links out of the folder checked were not followed.\n"))
        << check.out;

    // The same web inside the folder checked: each folder once, however many links lead there.
    MakeLinkWeb(Lib("Inner"), Lib("Inner/store"), kFolders);
    const CliRun inner = Run({"check", Lib("Inner")});
    EXPECT_EQ(inner.code, 0) << inner.out;
    EXPECT_EQ(inner.out, "40 function folders checked, 0 with problems.\n");
}

TEST_F(HostileTrees, treeDeeperThanAPath_isWalkedWhole_orEndsWithAMessage) {
    constexpr int kDepth = 2100;  // "d/" 2,100 times: longer than the 4,096 a path may be
    MakeDirs(Lib("Deep"));
    MakeDeepTree(Lib("Deep"), kDepth);

    const CliRun tree = Run({"tree", "Deep"});
    EXPECT_EQ(tree.code, 0) << tree.err;
    const Lines lines = tree.lines();
    ASSERT_EQ(lines.size(), 2u + kDepth);
    EXPECT_EQ(lines.back(), std::string(2 * (kDepth + 1), ' ') + "Bottom()");
    const CliRun check = Run({"check", Lib("Deep")});
    EXPECT_EQ(check.code, 0) << check.out;
    EXPECT_EQ(check.out, "1 function folder checked, 0 with problems.\n");

    // With fewer descriptors than levels the walk stops there, says so and fails.
    // The undefined-behaviour sanitizer checks a stream's dynamic type, on the first member
    // call through that type, with a pipe() that fails while every descriptor is taken: let
    // it check one beforehand (its cache holds the answer for every std::ostringstream).
    std::ostringstream checkedFirst;
    checkedFirst.flush();
    struct rlimit saved {};
    getrlimit(RLIMIT_NOFILE, &saved);
    struct rlimit few = saved;
    few.rlim_cur = 256;
    setrlimit(RLIMIT_NOFILE, &few);
    const CliRun limited = Run({"tree", "Deep"});
    const CliRun limitedCheck = Run({"check", Lib("Deep")});
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(limited.code, 1);
    EXPECT_NE(limited.err.find("/d/d/d: too many files are open at once"), std::string::npos)
        << limited.err.substr(0, 200);
    EXPECT_EQ(limitedCheck.code, 1);
    EXPECT_NE(limitedCheck.out.find("folder could not be read"), std::string::npos);

    RemoveDeepTree(Lib("Deep"));
}

TEST_F(HostileTrees, hugeSparseFile_isRefusedBeforeAllocating_andCheckGoesOn) {
    MakeDirs(Lib("Huge/Big()"));
    MakeSparseFunctionFile(Lib("Huge/Big()/Big().fdb"), 100'000'000);  // 474 GB announced
    MakeDirs(Lib("Huge/Ok()"));
    WriteBytes(Lib("Huge/Ok()/Ok().fdb"), FunctionRecord().Serialize());
    const std::string tooLarge = "is too large: it announces 100000000 parameters";

    const CliRun show = Run({"show", Lib("Huge/Big()")});
    EXPECT_EQ(show.code, 1);
    EXPECT_NE(show.err.find("(Big().fdb " + tooLarge), std::string::npos) << show.err;
    for (const Lines& edit :
         {Lines{"add-param", Lib("Huge/Big()")}, Lines{"delete-param", Lib("Huge/Big()"), "0"},
          Lines{"edit", Lib("Huge/Big()"), "Description(Max:1024 bytes)", "x"}}) {
        const CliRun run = Run(edit);
        EXPECT_EQ(run.code, 1) << edit[0];
        EXPECT_NE(run.err.find(tooLarge), std::string::npos) << run.err;
    }
    const CliRun list = Run({"list", Lib("Huge")});
    EXPECT_EQ(list.code, 1);
    EXPECT_NE(list.err.find(tooLarge), std::string::npos) << list.err;

    const CliRun check = Run({"check", Lib("Huge")});
    EXPECT_EQ(check.code, 1);
    EXPECT_NE(check.out.find("Big().fdb: " + tooLarge), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("2 function folders checked, 1 with problems"), std::string::npos);

    // The largest file a load reads shows and edits; one more parameter is refused.
    MakeDirs(Lib("Huge/Near()"));
    MakeSparseFunctionFile(Lib("Huge/Near()/Near().fdb"), fdb::kMaxParameterCount);
    EXPECT_EQ(Run({"show", Lib("Huge/Near()")}).code, 0);
    const CliRun add = Run({"add-param", Lib("Huge/Near()")});
    EXPECT_EQ(add.code, 1);
    EXPECT_NE(add.err.find("as many as a function file can hold"), std::string::npos);
}

TEST_F(HostileTrees, controlCharactersInNames_neverReachTheTerminalRaw) {
    const std::string esc = "T\x1b[31mred";
    const std::string forged = "N\n0 function folders checked, 0 with problems";
    for (const std::string& name : {esc, forged, std::string("D\x7f"), std::string("C1\xc2\x9b")})
        MakeDirs(Lib("Tab/" + name));
    const std::string function = "E\x1b]0;title\x07()";
    MakeDirs(Lib("Tab/" + function));
    FunctionRecord record;
    ASSERT_TRUE(SetFieldText(record.header().description, "a\x1b[2Jb"));
    WriteBytes(Lib("Tab/" + function + "/" + function + ".fdb"), record.Serialize());
    MakeDirs(Lib("Tab/Bad\x1b()"));
    WriteBytes(Lib("Tab/Bad\x1b()/Bad\x1b().fdb"), "short");

    struct Case {
        Lines words;
        bool tabs;
    };
    const Case cases[] = {
        {{"tabs"}, false},
        {{"tree", "Tab"}, false},
        {{"check"}, false},
        {{"list", Lib("Tab")}, true},
        {{"list", Lib("Tab"), "--json"}, false},
        {{"show", Lib("Tab/" + function)}, false},
        {{"show", Lib("Tab/" + function), "--json"}, false},
        {{"show", Lib("Tab/Bad\x1b()")}, false},
        {{"add-param", Lib("Tab/Bad\x1b()")}, false},
        {{"tree", esc}, false},
        {{"show", Lib(esc)}, false},
    };
    for (const Case& c : cases) {
        const CliRun run = Run(c.words);
        EXPECT_TRUE(TerminalSafe(run.out, c.tabs)) << c.words[0] << ": " << run.out;
        EXPECT_TRUE(TerminalSafe(run.err, false)) << c.words[0] << ": " << run.err;
    }
    const CliRun tree = Run({"tree", "Tab"});
    EXPECT_NE(tree.out.find("  T\\x1b[31mred\n"), std::string::npos);
    EXPECT_NE(tree.out.find("  N\\n0 function folders checked"), std::string::npos);
    EXPECT_NE(tree.out.find("  C1\\xc2\\x9b\n"), std::string::npos);
    EXPECT_NE(Run({"show", Lib("Tab/" + function), "--json"}).out.find("a\\u001b[2Jb"),
              std::string::npos);
    // One summary line: the name with a line break cannot forge a second.
    const CliRun check = Run({"check"});
    EXPECT_EQ(std::count(check.out.begin(), check.out.end(), '\n'), 2) << check.out;
}

TEST_F(HostileTrees, functionFileLinkedOutOfTheLibrary_isWrittenOnlyWhenAskedTo) {
    MakeDirs(home / "outside");
    WriteBytes(home / "outside/target.fdb", FunctionRecord().Serialize());
    const std::string before = ReadBytes(home / "outside/target.fdb");
    MakeDirs(Lib("Tab/Out()"));
    symlink((home / "outside/target.fdb").c_str(), Lib("Tab/Out()/Out().fdb").c_str());
    symlink((home / "outside").c_str(), Lib("Linked").c_str());  // a tab that is a link out
    MakeDirs(home / "outside/Far()");
    WriteBytes(home / "outside/Far()/Far().fdb", FunctionRecord().Serialize());
    MakeDirs(Lib("Tab/In()"));
    WriteBytes(Lib("Tab/real.fdb"), FunctionRecord().Serialize());
    symlink(Lib("Tab/real.fdb").c_str(), Lib("Tab/In()/In().fdb").c_str());

    for (const Lines& edit :
         {Lines{"add-param", Lib("Tab/Out()")}, Lines{"add-param", Lib("Linked/Far()")},
          Lines{"edit", Lib("Tab/Out()"), "Description(Max:1024 bytes)", "x"}}) {
        const CliRun run = Run(edit);
        EXPECT_EQ(run.code, 1) << edit[1];
        EXPECT_NE(
            run.err.find("leads through a symbolic link out of " + home / "FunctionLibrary, to "),
            std::string::npos)
            << run.err;
    }
    EXPECT_EQ(ReadBytes(home / "outside/target.fdb"), before);
    EXPECT_EQ(ReadBytes(home / "outside/Far()/Far().fdb"), before);

    EXPECT_EQ(Run({"add-param", Lib("Tab/In()")}).code, 0);         // a link that stays inside
    EXPECT_EQ(Run({"add-param", home / "outside/Far()"}).code, 0);  // named outside: no link
    EXPECT_EQ(Run({"add-param", "--follow-links", Lib("Tab/Out()")}).code, 0);
    EXPECT_NE(ReadBytes(home / "outside/target.fdb"), before);
    EXPECT_TRUE(std::filesystem::is_symlink(Lib("Tab/Out()/Out().fdb")));
}
