// Creation where the disk fills up and where the file system cannot exchange or
// no-replace rename folders (forced through the fault shim).
#include <gtest/gtest.h>
#include <sys/mount.h>

#include "tests/records/TestFiles.h"
#include "tests/reliability/Run.h"

namespace {

// A small tmpfs mounted for one test; skipped where mounting is not allowed.
class SmallDisk {
public:
    explicit SmallDisk(const std::string& size) {
        m_mounted = mount("tmpfs", m_dir.path().c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
    }
    ~SmallDisk() {
        if (m_mounted)
            umount(m_dir.path().c_str());
    }
    bool mounted() const { return m_mounted; }
    const std::string& path() const { return m_dir.path(); }

private:
    TempDir m_dir;
    bool m_mounted = false;
};

}  // namespace

TEST(CreationTest, fullDisk_failsNamingTheReasonAndLeavesEverythingAsItWas) {
    SmallDisk disk("256k");
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    TempDir home;
    const RunResult run =
        RunShell(Stress() + " diskfull " + Q(disk.path()) + " " + Q(home.path()) + " 24");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "left behind: 0")) << run.output;
}

TEST(CreationTest, withoutFolderExchange_createAndReplaceStillWholeAndLeaveNothing) {
    TempDir home;
    MakeDirs(home / "Skel/Dll/res");
    WriteBytes(home / "Skel/Dll/Dll.dsp", "project");
    MakeDirs(home / "lib");
    const std::string create = "KELVANE_FAULT=renameat2:0:EINVAL " + PreloadShim() + " " + Cli() +
                               " --home " + Q(home.path()) + " create --location " +
                               Q(home / "lib") + " --name Blur --in int* ";
    RunResult run = RunShell(create);
    ASSERT_TRUE(Contains(run.output, "Created")) << run.output;
    WriteBytes(home / "lib/Blur()/notes.txt", "mine");
    run = RunShell(create + "--in double* --replace");
    ASSERT_TRUE(Contains(run.output, "Created")) << run.output;
    EXPECT_EQ(SortedNames(home / "lib"), std::vector<std::string>{"Blur()"});
    EXPECT_EQ(SortedNames(home / "lib/Blur()"),
              (std::vector<std::string>{"Blur().fdb", "_Src", "notes.txt"}));
    EXPECT_EQ(ReadBytes(home / "lib/Blur()/Blur().fdb").size(), 1372u + 2 * 4740u);
    EXPECT_TRUE(Contains(ReadBytes(home / "lib/Blur()/_Src/Function.cpp"), "double* pIn_1"));
}
