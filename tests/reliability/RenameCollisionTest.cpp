// The no-replace rename refuses every kind of existing target, with the atomic rename and
// with the placeholder fallback (forced through the fault shim), and refuses a move to
// another file system.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "records/FileOps.h"
#include "tests/records/TestFiles.h"
#include "tests/reliability/Run.h"

using namespace kelvane;

namespace {

struct Collision {
    const char* name;
    std::function<void(const std::string&)> make;
};

const Collision kCollisions[] = {
    {"empty directory", [](const std::string& to) { MakeDirs(to); }},
    {"non-empty directory",
     [](const std::string& to) {
         MakeDirs(to);
         WriteBytes(to + "/Sharpen().fdb", "theirs");
     }},
    {"file", [](const std::string& to) { WriteBytes(to, "theirs"); }},
    {"symbolic link", [](const std::string& to) { ASSERT_EQ(symlink("/tmp", to.c_str()), 0); }},
    {"dangling link",
     [](const std::string& to) { ASSERT_EQ(symlink("/nonexistent/x", to.c_str()), 0); }},
};

// Snapshot of what a path is: its type, link text or listing.
std::string Describe(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return "missing";
    if (S_ISLNK(st.st_mode))
        return "link " + std::filesystem::read_symlink(path).string();
    if (S_ISREG(st.st_mode))
        return "file " + ReadBytes(path);
    std::string listing = "dir";
    for (const auto& entry : std::filesystem::directory_iterator(path))
        listing += " " + entry.path().filename().string();
    return listing;
}

void ExpectAllRefused(bool fallback) {
    for (const Collision& collision : kCollisions) {
        SCOPED_TRACE(collision.name);
        TempDir dir;
        const std::string from = dir / "Blur()";
        const std::string to = dir / "Sharpen()";
        MakeDirs(from);
        WriteBytes(from + "/Blur().fdb", "ours");
        collision.make(to);
        const std::string before = Describe(to);
        std::string message;
        if (fallback) {
            const RunResult run = RunShell("KELVANE_FAULT=renameat2:0:EINVAL " + PreloadShim() +
                                           " " + Stress() + " rename " + Q(from) + " " + Q(to));
            EXPECT_EQ(run.exitCode, 1);
            message = run.output;
        } else {
            const Status status = RenameNoReplace(from, to);
            EXPECT_FALSE(status.ok());
            message = status.message();
        }
        EXPECT_TRUE(Contains(message, "already exists")) << message;
        EXPECT_EQ(Describe(to), before);
        EXPECT_EQ(Describe(from), "dir Blur().fdb");
    }
}

}  // namespace

TEST(RenameCollisionTest, everyKindOfTarget_isRefusedAndBothStayAsTheyWere) {
    ExpectAllRefused(false);
}

TEST(RenameCollisionTest, placeholderFallback_refusesTheSameTargets) {
    ExpectAllRefused(true);
}

TEST(RenameCollisionTest, placeholderFallback_movesToAFreeName) {
    TempDir dir;
    MakeDirs(dir / "Blur()");
    WriteBytes(dir / "Blur()/Blur().fdb", "ours");
    WriteBytes(dir / "Edge().fdb", "file");
    const std::string shim = "KELVANE_FAULT=renameat2:0:EINVAL " + PreloadShim() + " ";
    EXPECT_EQ(
        RunShell(shim + Stress() + " rename " + Q(dir / "Blur()") + " " + Q(dir / "Sharpen()"))
            .exitCode,
        0);
    EXPECT_EQ(
        RunShell(shim + Stress() + " rename " + Q(dir / "Edge().fdb") + " " + Q(dir / "E.fdb"))
            .exitCode,
        0);
    EXPECT_EQ(Describe(dir / "Sharpen()"), "dir Blur().fdb");
    EXPECT_EQ(Describe(dir / "E.fdb"), "file file");
    EXPECT_EQ(Describe(dir / "Blur()"), "missing");
    EXPECT_EQ(Describe(dir / "Edge().fdb"), "missing");
}

TEST(RenameCollisionTest, caseVariantOnACaseSensitiveFileSystem_isADistinctName) {
    TempDir dir;
    MakeDirs(dir / "Filter");
    MakeDirs(dir / "Blur()");
    ASSERT_TRUE(RenameNoReplace(dir / "Blur()", dir / "FILTER").ok());
    EXPECT_EQ(Describe(dir / "Filter"), "dir");
    EXPECT_EQ(Describe(dir / "FILTER"), "dir");
}

TEST(RenameCollisionTest, moveToAnotherFileSystem_isRefused) {
    struct stat tmp {
    }, shm{};
    if (stat("/dev/shm", &shm) != 0 ||
        stat(std::filesystem::temp_directory_path().c_str(), &tmp) != 0 || tmp.st_dev == shm.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    TempDir dir;
    MakeDirs(dir / "Blur()");
    const std::string to = "/dev/shm/kelvane-xdev-" + std::to_string(getpid());
    for (const bool fallback : {false, true}) {
        const std::string prefix =
            fallback ? "KELVANE_FAULT=renameat2:0:EINVAL " + PreloadShim() + " " : "";
        const RunResult run =
            RunShell(prefix + Stress() + " rename " + Q(dir / "Blur()") + " " + Q(to));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(Contains(run.output, "it would move across file systems")) << run.output;
        EXPECT_EQ(Describe(dir / "Blur()"), "dir");
        EXPECT_EQ(Describe(to), "missing");
    }
}
