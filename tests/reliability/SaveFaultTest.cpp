// Every call of the save path failed in turn with each errno: the old file must stay
// byte-identical (or, past the rename, the new one be complete), nothing may be left
// beside it, and the message must say which.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <cstdio>

#include "records/FileLock.h"
#include "records/FileOps.h"
#include "records/LibraryPaths.h"
#include "records/UniqueFd.h"
#include "tests/records/TestFiles.h"
#include "tests/reliability/Run.h"

using namespace kelvane;

namespace {

struct MatrixTally {
    int cases = 0, unchanged = 0, completed = 0, warned = 0;
};

std::string FaultCommand(const TempDir& dir, const TempDir& scratch, const std::string& fault,
                         const std::string& tail) {
    return "KELVANE_FAULT=" + fault + " KELVANE_FAULT_PATH=" + dir.path() +
           " KELVANE_FAULT_ARM=manual KELVANE_FAULT_REPORT=" + scratch / "report" + " " +
           PreloadShim() + " " + Stress() + " " + tail;
}

}  // namespace

TEST(SaveFaultTest, everyCallAndErrno_leavesOldFileOrCompleteNewFile_andNothingBeside) {
    const char* calls[] = {"open",  "tmpfile", "read", "write", "fsync",
                           "close", "rename",  "link", "fchmod"};
    const char* errnos[] = {"ENOSPC", "EIO", "EDQUOT"};
    const int errnoValues[] = {ENOSPC, EIO, EDQUOT};
    const std::string old = FunctionBytes(2, "Old version");
    MatrixTally tally;
    for (const char* call : calls) {
        for (int e = 0; e < 3; ++e) {
            for (int nth = 1;; ++nth) {
                TempDir dir, scratch;
                const std::string path = dir / "Blur().fdb";
                WriteBytes(path, old);
                const std::string fault =
                    std::string(call) + ":" + std::to_string(nth) + ":" + errnos[e];
                const RunResult run =
                    RunShell(FaultCommand(dir, scratch, fault, "edit " + Q(path)));
                const std::string report = ReadBytes(scratch / "report");
                SCOPED_TRACE(fault + " -> " + run.output);
                ASSERT_FALSE(report.empty());
                EXPECT_EQ(SortedNames(dir.path()), std::vector<std::string>{"Blur().fdb"});
                if (report.rfind("miss", 0) == 0) {
                    ASSERT_GT(nth, 1) << "the save path never calls " << call;
                    break;
                }
                ++tally.cases;
                const std::string now = ReadBytes(path);
                if (Contains(run.output, "Could not save")) {
                    EXPECT_EQ(run.exitCode, 1);
                    EXPECT_EQ(now, old);
                    EXPECT_TRUE(Contains(run.output, ErrnoReason(errnoValues[e])));
                    EXPECT_TRUE(Contains(run.output, "the file on disk is unchanged"));
                    ++tally.unchanged;
                    continue;
                }
                // A fault that the save survives, or one after the rename.
                FunctionRecord record;
                ASSERT_TRUE(record.Load(path));
                EXPECT_EQ(FieldText(record.header().description), "Edited by the probe");
                EXPECT_EQ(now.size(), old.size());
                if (run.output == "ok\n") {
                    EXPECT_EQ(run.exitCode, 0);
                    ++tally.completed;
                } else {
                    EXPECT_TRUE(Contains(run.output, "could not be flushed")) << run.output;
                    ++tally.warned;
                }
            }
        }
    }
    std::printf(
        "error matrix: %d cases; %d refused with the old file byte-identical, %d "
        "completed (fault harmless), %d completed with a flush warning; nothing left beside "
        "the file\n",
        tally.cases, tally.unchanged, tally.completed, tally.warned);
    EXPECT_GE(tally.unchanged, 8 * 3);
}

TEST(SaveFaultTest, fileSizeLimit_isReportedNotFatal) {
    TempDir dir;
    const std::string path = dir / "Big().fdb";
    const std::string old(1000, 'o');
    WriteBytes(path, old);
    const RunResult run =
        RunShell("ulimit -f 4; exec " + Stress() + " write " + Q(path) + " 20000");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(Contains(run.output, "the file would exceed the file-size limit")) << run.output;
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(SortedNames(dir.path()), std::vector<std::string>{"Big().fdb"});
}

TEST(SaveFaultTest, anotherSaveInProgress_isRefusedUntilItEnds) {
    TempDir dir;
    const std::string path = dir / "Blur().fdb";
    WriteBytes(path, "old");
    {
        // Another save holds the lock of the file, as a running save does.
        const UniqueFd other(open(path.c_str(), O_RDWR | O_CLOEXEC));
        ASSERT_EQ(TryLockFile(other.get()), 0);
        const Status status = WriteFileAtomically(path, "new");
        ASSERT_FALSE(status.ok());
        EXPECT_TRUE(Contains(status.message(),
                             "another save is in progress; the file on disk is unchanged"))
            << status.message();
        EXPECT_EQ(ReadBytes(path), "old");
    }
    EXPECT_TRUE(WriteFileAtomically(path, "new").ok());
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(SortedNames(dir.path()), std::vector<std::string>{"Blur().fdb"});
}

// A function folder name of 251 bytes gives a function file name of 255, the most a name
// can have: the save must not need a longer one.
TEST(SaveFaultTest, longestNames_save) {
    TempDir dir;
    const std::string folder = dir / (std::string(249, 'n') + "()");
    MakeDirs(folder);
    const std::string path = folder + "/" + LastComponent(folder) + ".fdb";
    ASSERT_EQ(LastComponent(path).size(), 255u);
    WriteBytes(path, "old");
    const Status status = WriteFileAtomically(path, "new");
    EXPECT_TRUE(status.ok()) << status.message();
    EXPECT_EQ(ReadBytes(path), "new");
}

TEST(SaveFaultTest, newFileWithFailedWrite_createsNothing) {
    TempDir dir, scratch;
    const std::string path = dir / "New().fdb";
    const RunResult run =
        RunShell(FaultCommand(dir, scratch, "write:1:ENOSPC", "write " + Q(path) + " 5000"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Contains(run.output, "the disk is full; nothing was written")) << run.output;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
