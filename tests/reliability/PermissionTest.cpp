// Permission cases run as an unprivileged user (root ignores permission bits).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/records/TestFiles.h"
#include "tests/reliability/Run.h"

namespace {

constexpr uid_t kNobody = 65534;

class PermissionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0)
            GTEST_SKIP() << "needs root and setpriv to run as another user";
        ASSERT_EQ(chmod(m_dir.path().c_str(), 0755), 0);
        ASSERT_EQ(chown(m_dir.path().c_str(), kNobody, kNobody), 0);
        WriteBytes(m_path, FunctionBytes(1, "Old"));
        ASSERT_EQ(chown(m_path.c_str(), kNobody, kNobody), 0);
        m_old = ReadBytes(m_path);
    }
    RunResult EditAsNobody() {
        return RunShell("setpriv --reuid=65534 --regid=65534 --clear-groups " + Stress() +
                        " edit " + Q(m_path));
    }
    void ExpectUnchanged(const RunResult& run, const std::string& reason) {
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_TRUE(Contains(run.output, reason)) << run.output;
        EXPECT_EQ(ReadBytes(m_path), m_old);
        EXPECT_EQ(SortedNames(m_dir.path()), std::vector<std::string>{"Blur().fdb"});
    }

    TempDir m_dir;
    std::string m_path = m_dir / "Blur().fdb";
    std::string m_old;
};

}  // namespace

TEST_F(PermissionTest, folderWithoutWritePermission_refusesTheSave) {
    ASSERT_EQ(chmod(m_dir.path().c_str(), 0555), 0);
    ExpectUnchanged(EditAsNobody(), "no permission to write in the folder");
}

TEST_F(PermissionTest, readOnlyFile_isRefusedNotReplaced) {
    ASSERT_EQ(chmod(m_path.c_str(), 0444), 0);
    ExpectUnchanged(EditAsNobody(), "the file is read-only");
}

TEST_F(PermissionTest, anotherUsersFileInOurFolder_isNotReplaced) {
    ASSERT_EQ(chown(m_path.c_str(), 0, 0), 0);
    ExpectUnchanged(EditAsNobody(), "the file is read-only");
}

TEST_F(PermissionTest, writableFile_isSavedAndKeepsItsOwner) {
    const RunResult run = EditAsNobody();
    EXPECT_EQ(run.exitCode, 0) << run.output;
    struct stat st {};
    ASSERT_EQ(stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_NE(ReadBytes(m_path), m_old);
}
