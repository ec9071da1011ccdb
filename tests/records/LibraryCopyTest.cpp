#include "records/LibraryCopy.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <functional>

#include "TestFiles.h"
#include "records/DirScan.h"
#include "records/FolderSwap.h"
#include "records/UniqueFd.h"

using namespace kelvane;

namespace {

namespace fs = std::filesystem;

// Every entry below dir as "path" (folders end in "/") with file contents, sorted.
std::vector<std::string> TreeListing(const std::string& dir) {
    std::vector<std::string> lines;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string rel = fs::relative(entry.path(), dir).string();
        lines.push_back(entry.is_directory() ? rel + "/" : rel + " " + ReadBytes(entry.path()));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// A small library: nested groups, a function file with binary bytes, an empty group.
void MakeSource(const std::string& from) {
    MakeDirs(from + "/Basic/Filter/Blur()");
    MakeDirs(from + "/Empty");
    WriteBytes(from + "/Basic/Filter/Blur()/Blur().fdb", std::string("\0\x01\xC7\xCA", 4));
    WriteBytes(from + "/Basic/note.txt", "n");
}

}  // namespace

TEST(LibraryCopy, copiesTheWholeTreeIntoNewFolders_andLeavesNothingElse) {
    TempDir dir;
    const std::string from = dir / "share/FunctionLibrary";
    MakeSource(from);
    const std::string to = dir / "data/kelvane/FunctionLibrary";
    ASSERT_TRUE(CopyFolderTree(from, to).ok());
    EXPECT_EQ(TreeListing(to), TreeListing(from));
    EXPECT_EQ(SortedNames(dir / "data/kelvane"), std::vector<std::string>{"FunctionLibrary"});
    // The folders made on the way hold the user's data: private to the user.
    EXPECT_EQ(fs::status(dir / "data/kelvane").permissions() & fs::perms::all,
              fs::perms::owner_all);
}

TEST(LibraryCopy, refusesAnythingInTheWay_andLeavesSourceAndTargetAsTheyWere) {
    TempDir dir;
    const std::string from = dir / "from";
    MakeSource(from);
    const std::vector<std::string> source = TreeListing(from);
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
    };
    const Case cases[] = {
        {"an empty folder", [](const std::string& to) { MakeDirs(to); }},
        {"a library", [](const std::string& to) { MakeDirs(to + "/Mine"); }},
        {"a file", [](const std::string& to) { WriteBytes(to, "f"); }},
        {"a dangling link", [](const std::string& to) { fs::create_symlink("/nowhere", to); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string parent = dir / c.what;
        MakeDirs(parent);
        const std::string to = parent + "/FunctionLibrary";
        c.make(to);
        const Status copied = CopyFolderTree(from, to);
        EXPECT_FALSE(copied.ok());
        EXPECT_NE(copied.message().find("already exists; nothing was copied"), std::string::npos)
            << copied.message();
        EXPECT_EQ(SortedNames(parent), std::vector<std::string>{"FunctionLibrary"});
        EXPECT_EQ(TreeListing(from), source);
    }
    EXPECT_EQ(SortedNames(dir / "a library/FunctionLibrary"), std::vector<std::string>{"Mine"});
}

TEST(LibraryCopy, somethingNotAFileOrFolderInTheSource_stopsTheCopyWithNothingLeft) {
    TempDir dir;
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
    };
    const Case cases[] = {
        {"a link out of the source",
         [](const std::string& from) {
             fs::create_directory_symlink("/etc", from + "/Basic/etc");
         }},
        {"a FIFO",
         [](const std::string& from) {
             ASSERT_EQ(mkfifo((from + "/Basic/Filter/pipe").c_str(), 0600), 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string base = dir / c.what;
        MakeSource(base + "/from");
        c.make(base + "/from");
        const Status copied = CopyFolderTree(base + "/from", base + "/to/FunctionLibrary");
        EXPECT_FALSE(copied.ok());
        EXPECT_NE(copied.message().find("is not a plain file or folder"), std::string::npos)
            << copied.message();
        EXPECT_TRUE(SortedNames(base + "/to").empty());
    }
}

TEST(LibraryCopy, deadCopyIsRolledBack_aRunningOneRefusesASecond_lookAlikesStay) {
    TempDir dir;
    const std::string from = dir / "from";
    MakeSource(from);
    MakeDirs(dir / "to/.FunctionLibrary.new-123/Basic");  // the user's, whatever its name
    MakeDirs(dir / "to/.kelvane-0123456789abcdef.new");   // without a record: the user's too
    const UniqueFd to(open((dir / "to").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    {
        // Another copy running now holds its record's lock.
        FolderSwap running;
        ASSERT_EQ(running.Begin(to.get(), "FunctionLibrary", false), 0);
        const Status busy = CopyFolderTree(from, dir / "to/FunctionLibrary");
        EXPECT_NE(busy.message().find("in progress"), std::string::npos) << busy.message();
    }
    // A copy that died while it filled its staging folder: not listed, and rolled back by
    // the next copy.
    const pid_t child = fork();
    if (child == 0) {
        auto* swap = new FolderSwap;  // never destroyed: the process dies with it
        _exit(swap->Begin(to.get(), "FunctionLibrary", false) == 0 &&
                      mkdirat(swap->staging(), "Basic", 0700) == 0
                  ? 0
                  : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(SortedNames(dir / "to").size(), 4u);
    EXPECT_EQ(ScanDirectories(dir / "to").size(), 2u);

    ASSERT_TRUE(CopyFolderTree(from, dir / "to/FunctionLibrary").ok());
    EXPECT_EQ(SortedNames(dir / "to"),
              (std::vector<std::string>{".FunctionLibrary.new-123", ".kelvane-0123456789abcdef.new",
                                        "FunctionLibrary"}));
    EXPECT_EQ(TreeListing(dir / "to/FunctionLibrary"), TreeListing(from));
}
