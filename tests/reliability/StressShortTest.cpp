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

TEST(StressShortTest, killsDuringCreation_leaveOneWholeFunctionAndNothingBeside) {
    TempDir dir;
    const RunResult run = RunShell(Stress() + " createloop " + dir.path() + " 40");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "function file and Function.cpp disagree: 0")) << run.output;
}

TEST(StressShortTest, killsDuringCreationWithoutFolderExchange_leaveOneWholeFunction) {
    TempDir dir;
    const RunResult run = RunShell("KELVANE_FAULT=renameat2:0:EINVAL " + PreloadShim() + " " +
                                   Stress() + " createloop " + dir.path() + " 20");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "lost functions: 0")) << run.output;
}

TEST(StressShortTest, stalledSaver_blocksOnlyWhileStoppedAndLosesNothing) {
    TempDir dir;
    const RunResult run = RunShell(Stress() + " stall " + dir.path() + " 20");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "lost updates: 0")) << run.output;
}

TEST(StressShortTest, folderRenamedDuringSaves_leavesNothingAndWritesNowhereElse) {
    TempDir dir;
    const RunResult run = RunShell(Stress() + " renames " + dir.path() + " 100");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "files written into the other folder: 0")) << run.output;
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
