// A save after a load is refused when another program changed, replaced or removed the
// file in between; a new time alone is no change. Kept: permissions, links, read-only.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "records/FileOps.h"
#include "tests/records/TestFiles.h"
#include "tests/reliability/Run.h"

using namespace kelvane;

namespace {

class ExternalChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(m_path, FunctionBytes(1, "Loaded"));
        ASSERT_TRUE(m_record.Load(m_path, &m_stamp));
        static_cast<void>(SetFieldText(m_record.header().description, "Ours"));
    }
    Status Save() { return m_record.Save(m_path, &m_stamp); }
    std::string Description() {
        FunctionRecord now;
        return now.Load(m_path) ? std::string(FieldText(now.header().description)) : "";
    }

    TempDir m_dir;
    std::string m_path = m_dir / "Blur().fdb";
    FunctionRecord m_record;
    FileStamp m_stamp;
};

}  // namespace

TEST_F(ExternalChangeTest, sameSizeEditWithTimeRestored_isDetected) {
    struct stat before {};
    ASSERT_EQ(stat(m_path.c_str(), &before), 0);
    WriteBytes(m_path, FunctionBytes(1, "Theirs"));
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, m_path.c_str(), times, 0), 0);
    const Status status = Save();
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(Contains(status.message(), "changed on disk by another program"));
    EXPECT_EQ(Description(), "Theirs");
    EXPECT_EQ(SortedNames(m_dir.path()), std::vector<std::string>{"Blur().fdb"});
}

TEST_F(ExternalChangeTest, replaceByRenameAndSameSecondWrite_areDetected) {
    WriteBytes(m_dir / "other", FunctionBytes(1, "Renamed in"));
    ASSERT_EQ(rename((m_dir / "other").c_str(), m_path.c_str()), 0);
    EXPECT_FALSE(Save().ok());
    EXPECT_EQ(Description(), "Renamed in");

    ASSERT_TRUE(m_record.Load(m_path, &m_stamp));
    WriteBytes(m_path, FunctionBytes(1, "Same second"));
    EXPECT_FALSE(Save().ok());
    EXPECT_EQ(Description(), "Same second");
}

TEST_F(ExternalChangeTest, deletedFile_isNotRecreated) {
    ASSERT_EQ(unlink(m_path.c_str()), 0);
    const Status status = Save();
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(Contains(status.message(), "removed or renamed by another program"));
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.path()));
}

TEST_F(ExternalChangeTest, touchOrIdenticalRewrite_isNoFalseAlarm) {
    const timespec now[2] = {{0, UTIME_NOW}, {0, UTIME_NOW}};
    ASSERT_EQ(utimensat(AT_FDCWD, m_path.c_str(), now, 0), 0);
    WriteBytes(m_dir / "copy", ReadBytes(m_path));
    ASSERT_EQ(rename((m_dir / "copy").c_str(), m_path.c_str()), 0);
    EXPECT_TRUE(Save().ok());
    EXPECT_EQ(Description(), "Ours");
}

TEST_F(ExternalChangeTest, save_keepsPermissionBitsAndLinks) {
    ASSERT_EQ(chmod(m_path.c_str(), 0640), 0);
    const std::string link = m_dir / "Link().fdb";
    ASSERT_EQ(symlink(m_path.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(link, FunctionBytes(1, "Through the link")).ok());
    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Description(), "Through the link");
}

TEST_F(ExternalChangeTest, readOnlyFile_isRefusedEvenForRoot) {
    ASSERT_EQ(chmod(m_path.c_str(), 0444), 0);
    const std::string before = ReadBytes(m_path);
    const Status status = Save();
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(Contains(status.message(), "the file is read-only"));
    EXPECT_EQ(ReadBytes(m_path), before);
}

TEST_F(ExternalChangeTest, fifoInPlaceOfFile_failsWithoutBlocking) {
    const std::string fifo = m_dir / "Pipe().fdb";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    FunctionRecord record;
    EXPECT_FALSE(record.Load(fifo));
    std::string bytes;
    EXPECT_FALSE(ReadWholeFile(fifo, bytes));
    EXPECT_FALSE(WriteFileAtomically(fifo, "x").ok());
}
