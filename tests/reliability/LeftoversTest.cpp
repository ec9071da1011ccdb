// Lock files and staging folders left by a crash: found, told apart from names that only
// look alike, and removed by "kelvane-cli check --clean" once they are old enough.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "records/Leftovers.h"
#include "tests/records/TestFiles.h"
#include "tests/reliability/Run.h"

using namespace kelvane;

namespace {

void MakeOld(const std::string& path) {
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), old, AT_SYMLINK_NOFOLLOW), 0);
}

}  // namespace

TEST(LeftoversTest, names_matchOnlyWhatASaveOrCreationLeaves) {
    EXPECT_TRUE(IsLockName("Blur().fdb.lock"));
    EXPECT_FALSE(IsLockName(".lock"));
    EXPECT_TRUE(IsStagingName(".Blur().new-123456"));
    EXPECT_FALSE(IsStagingName(".Blur().new-"));
    EXPECT_FALSE(IsStagingName("Blur().new-12"));
    EXPECT_FALSE(IsStagingName(".Blur().new-12a"));
}

TEST(LeftoversTest, checkClean_removesOldLeftoversAndKeepsRecentOnes) {
    TempDir home;
    const std::string function = home / "FunctionLibrary/Basic/Blur()";
    MakeDirs(function + "/_Src");
    WriteBytes(function + "/Blur().fdb", FunctionBytes(1, "Blur"));
    WriteBytes(function + "/Blur().fdb.lock", "interrupted");
    MakeOld(function + "/Blur().fdb.lock");
    WriteBytes(function + "/_Src/Blur.dsp.lock", "recent");
    const std::string staging = home / "FunctionLibrary/Basic/.Edge().new-42";
    MakeDirs(staging);
    WriteBytes(staging + "/Edge().fdb", "half");
    MakeOld(staging);

    const std::string check = Cli() + " --home " + Q(home.path()) + " check";
    const RunResult report = RunShell(check);
    EXPECT_EQ(report.exitCode, 1) << report.output;
    EXPECT_TRUE(Contains(report.output, "3 left by interrupted saves or creations"))
        << report.output;
    EXPECT_TRUE(std::filesystem::exists(function + "/Blur().fdb.lock"));

    const RunResult clean = RunShell(check + " --clean");
    EXPECT_EQ(clean.exitCode, 1) << clean.output;
    EXPECT_TRUE(Contains(clean.output, "perhaps in use")) << clean.output;
    EXPECT_FALSE(std::filesystem::exists(function + "/Blur().fdb.lock"));
    EXPECT_FALSE(std::filesystem::exists(staging));
    EXPECT_TRUE(std::filesystem::exists(function + "/_Src/Blur.dsp.lock"));
    EXPECT_TRUE(std::filesystem::exists(function + "/Blur().fdb"));

    MakeOld(function + "/_Src/Blur.dsp.lock");
    EXPECT_EQ(RunShell(check + " --clean").exitCode, 0);
    EXPECT_EQ(RunShell(check).exitCode, 0);
}
