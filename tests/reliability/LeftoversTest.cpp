// What dead saves and creations leave is rolled back by the next operation in the folder
// and by "kelvane-cli check --clean"; anything that only looks like it is never touched,
// what a live process holds is left alone, and check stays inside the folder it is given.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <functional>

#include "records/CreationRecord.h"
#include "records/DirScan.h"
#include "records/FileOps.h"
#include "records/FolderSwap.h"
#include "records/Leftovers.h"
#include "records/LibraryPaths.h"
#include "records/TempFile.h"
#include "records/UniqueFd.h"
#include "tests/records/TestFiles.h"
#include "tests/reliability/Run.h"

using namespace kelvane;

namespace {

// Runs work in a child that then ends without finishing anything, as a killed process
// would: the kernel closes its files and drops its locks.
void InDyingProcess(const std::function<void()>& work) {
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

UniqueFd OpenDir(const std::string& path) {
    return UniqueFd(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// A save that died between naming its temporary file and renaming it.
void LeaveTemporaryFile(const std::string& folder) {
    InDyingProcess([&] {
        const UniqueFd dir = OpenDir(folder);
        TempFile temp;
        if (temp.Create(dir.get(), 0644) != 0 || !WriteAll(temp.fd(), "half") ||
            temp.GiveTemporaryName() != 0)
            _exit(1);
    });
}

// A creation that died while it built its staging folder.
void LeaveCreation(const std::string& folder, const std::string& name) {
    InDyingProcess([&] {
        const UniqueFd dir = OpenDir(folder);
        auto* swap = new FolderSwap;  // never destroyed: the process dies with it
        if (swap->Begin(dir.get(), name, false) != 0 ||
            WriteNewFileAt(swap->staging(), name + ".fdb", "half") != 0)
            _exit(1);
    });
}

std::string DirsOf(const std::string& folder) {
    std::string names;
    for (const DirEntry& entry : ScanDirectories(folder))
        names += entry.name + " ";
    return names;
}

}  // namespace

TEST(LeftoversTest, provenLeftoversRolledBack_lookAlikesAndLiveWorkLeftAlone) {
    TempDir home;
    const std::string group = home / "FunctionLibrary/Basic";
    const std::string function = group + "/Blur()";
    MakeDirs(function);
    WriteBytes(function + "/Blur().fdb", FunctionBytes(1, "Blur"));
    // A user's files with names like the program's, old and new.
    const std::vector<std::string> lookAlikes = {
        function + "/Cargo.lock",
        function + "/Blur().fdb.lock",
        function + "/.kelvane-0123456789abcdef.tmp",
        group + "/.kelvane-0123456789abcdef.txn",
        group + "/.kelvane-0123456789abcdef.new/Edge().fdb",
        group + "/.Edge().new-123456/Edge().fdb",
    };
    for (const std::string& path : lookAlikes) {
        MakeDirs(ParentPath(path));
        WriteBytes(path, "the user's");
    }
    const UniqueFd groupFd = OpenDir(group);
    FolderSwap live;
    ASSERT_EQ(live.Begin(groupFd.get(), "Live()", false), 0);
    LeaveTemporaryFile(function);
    LeaveCreation(group, "Edge()");

    // Neither the dead creation's staging folder nor the live one shows; the look-alikes do.
    EXPECT_EQ(ScanDirectories(group).size(), 3u) << DirsOf(group);

    const std::string check = Cli() + " --home " + Q(home.path()) + " check";
    const RunResult report = RunShell(check);
    EXPECT_EQ(report.exitCode, 1) << report.output;
    EXPECT_TRUE(Contains(report.output, "2 work files are left by interrupted saves or creations"))
        << report.output;
    EXPECT_TRUE(Contains(report.output, "interrupted creation of Edge()")) << report.output;
    EXPECT_TRUE(Contains(report.output, "in use by a running save or creation")) << report.output;

    // The next save in the function folder rolls back what a dead save left there.
    FunctionRecord record;
    ASSERT_TRUE(record.Load(function + "/Blur().fdb"));
    ASSERT_TRUE(record.Save(function + "/Blur().fdb").ok());
    EXPECT_EQ(SortedNames(function),
              (std::vector<std::string>{".kelvane-0123456789abcdef.tmp", "Blur().fdb",
                                        "Blur().fdb.lock", "Cargo.lock"}));

    const RunResult clean = RunShell(check + " --clean");
    EXPECT_EQ(clean.exitCode, 0) << clean.output;
    EXPECT_TRUE(Contains(clean.output, "interrupted creation of Edge(), rolled back"))
        << clean.output;
    for (const std::string& path : lookAlikes)
        EXPECT_EQ(ReadBytes(path), "the user's") << path;
    EXPECT_EQ(ScanDirectories(group).size(), 3u) << DirsOf(group);
    live.Abandon();
    EXPECT_EQ(SortedNames(group),
              (std::vector<std::string>{".Edge().new-123456", ".kelvane-0123456789abcdef.new",
                                        ".kelvane-0123456789abcdef.txn", "Blur()"}));
}

TEST(LeftoversTest, checkClean_staysInsideTheFolderGiven) {
    TempDir home, outside, outsideSource;
    const std::string function = home / "FunctionLibrary/Basic/Blur()";
    MakeDirs(function + "/_Src");
    MakeDirs(home / "FunctionLibrary/Basic/Link()");
    LeaveTemporaryFile(function + "/_Src");  // inside: rolled back
    LeaveTemporaryFile(outside.path());
    LeaveTemporaryFile(outsideSource.path());
    const std::vector<std::string> before = SortedNames(outside.path());
    const std::vector<std::string> beforeSource = SortedNames(outsideSource.path());
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(symlink(outside.path().c_str(), (home / "FunctionLibrary/Basic/Linked").c_str()), 0);
    // A function's source folder that is a link out of the library.
    ASSERT_EQ(
        symlink(outsideSource.path().c_str(), (home / "FunctionLibrary/Basic/Link()/_Src").c_str()),
        0);
    const RunResult clean = RunShell(Cli() + " --home " + Q(home.path()) + " check --clean");
    EXPECT_TRUE(Contains(clean.output, "Blur()/_Src/.kelvane-")) << clean.output;
    EXPECT_TRUE(Contains(clean.output, "2 links out of the folder checked were not followed"))
        << clean.output;
    EXPECT_EQ(SortedNames(function + "/_Src"), std::vector<std::string>{});
    EXPECT_EQ(SortedNames(outside.path()), before);
    EXPECT_EQ(SortedNames(outsideSource.path()), beforeSource);
}

// Where a folder cannot be exchanged in one step, the old one is moved aside first; after
// a crash at each point the next look at the folder (a listing, or loading the function)
// must find one whole function, old or new, and nothing beside it.
TEST(LeftoversTest, interruptedReplacement_nextLookFindsOneWholeFunction) {
    // Each arrangement runs in the dying child: false when it could not be made.
    struct Crash {
        const char* when;
        const char* result;  // the description of the function found afterwards
        std::function<bool(int dir, CreationRecord& record)> arrange;
    };
    auto move = [](int dir, const std::string& from, const std::string& to) {
        return renameat(dir, from.c_str(), dir, to.c_str()) == 0;
    };
    const Crash crashes[] = {
        {"while the new folder is built", "Old", [](int, CreationRecord&) { return true; }},
        {"after the old folder was moved aside", "Old",
         [&](int dir, CreationRecord& record) { return move(dir, "Blur()", record.OldName()); }},
        {"while the name was claimed", "Old",
         [&](int dir, CreationRecord& record) {
             return move(dir, "Blur()", record.OldName()) && record.NoteClaim() == 0 &&
                    mkdirat(dir, "Blur()", 0700) == 0;
         }},
        {"after the name was claimed", "Old",
         [&](int dir, CreationRecord& record) {
             struct stat st {};
             return move(dir, "Blur()", record.OldName()) && record.NoteClaim() == 0 &&
                    mkdirat(dir, "Blur()", 0700) == 0 && fstatat(dir, "Blur()", &st, 0) == 0 &&
                    record.NotePlaceholder(st.st_ino) == 0;
         }},
        {"after the new folder was moved in", "New",
         [&](int dir, CreationRecord& record) {
             return move(dir, "Blur()", record.OldName()) &&
                    move(dir, record.StagingName(), "Blur()");
         }},
        {"after the two were exchanged", "New",
         [&](int dir, CreationRecord& record) {
             return renameat2(dir, record.StagingName().c_str(), dir, "Blur()", RENAME_EXCHANGE) ==
                    0;
         }},
    };
    bool byListing = false;
    for (const Crash& crash : crashes) {
        SCOPED_TRACE(crash.when);
        TempDir dir;
        MakeDirs(dir / "Blur()");
        WriteBytes(dir / "Blur()/Blur().fdb", FunctionBytes(1, "Old"));
        InDyingProcess([&] {
            const UniqueFd folder = OpenDir(dir.path());
            CreationRecord record;
            if (record.Begin(folder.get(), {true, "Blur()", 0}) != 0)
                _exit(1);
            MakeDirs(dir / record.StagingName());
            WriteBytes(dir / (record.StagingName() + "/Blur().fdb"), FunctionBytes(2, "New"));
            if (!crash.arrange(folder.get(), record))
                _exit(1);
        });
        // Half the cases look by listing the folder, the others by loading the function.
        byListing = !byListing;
        if (byListing) {
            EXPECT_EQ(DirsOf(dir.path()), "Blur() ");
        }
        FunctionRecord record;
        ASSERT_TRUE(record.Load(dir / "Blur()/Blur().fdb"));
        EXPECT_EQ(FieldText(record.header().description), crash.result);
        const UniqueFd folder = OpenDir(dir.path());
        RollBackLeftovers(folder.get());
        EXPECT_EQ(SortedNames(dir.path()), std::vector<std::string>{"Blur()"});
    }
}
