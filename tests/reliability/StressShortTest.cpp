// Short runs of the stress drivers; scripts/reliability runs them long.
#include <gtest/gtest.h>

#include "tests/records/TestFiles.h"
#include "tests/reliability/Run.h"

TEST(StressShortTest, killsDuringSave_leaveNoTornOrLostFile) {
    TempDir dir;
    const RunResult run = RunShell(Stress() + " killloop " + dir.path() + " 150");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "torn files: 0")) << run.output;
}

TEST(StressShortTest, twoInstances_loseNoUpdate) {
    TempDir dir;
    const RunResult run = RunShell(Stress() + " instances " + dir.path() + " 100");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "lost updates: 0")) << run.output;
}

TEST(StressShortTest, renameRacingMkdir_neverReplaces) {
    TempDir dir;
    const RunResult run = RunShell(Stress() + " race " + dir.path() + " 150");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "replaced: 0")) << run.output;
}

TEST(StressShortTest, externalChanges_areAllStoppedWithoutFalseAlarms) {
    TempDir dir;
    const RunResult run = RunShell(Stress() + " changes " + dir.path() + " 60");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "false alarms: 0")) << run.output;
}
