// kelvane-cli run as another process on what it cannot read or hold in memory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "records/LibraryPaths.h"
#include "tests/records/HostileTrees.h"
#include "tests/records/TestFiles.h"
#include "tests/reliability/Run.h"

namespace {

// Run as nobody, whom permission bits stop (they do not stop root).
std::string AsNobody() {
    return "setpriv --reuid=65534 --regid=65534 --clear-groups ";
}

}  // namespace

TEST(HostileRuns, unreadableFoldersAndFiles_areReportedWithTheirReason) {
    if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "needs root and setpriv to run as another user";
    TempDir home;
    ASSERT_EQ(chmod(home.path().c_str(), 0755), 0);
    const std::string tab = home / "FunctionLibrary/Tab";
    for (const char* function : {"Closed/A()", "Open/B()", "Open/Locked()"}) {
        MakeDirs(tab + "/" + function);
        const std::string name = kelvane::LastComponent(function);
        WriteBytes(tab + "/" + function + "/" + name + ".fdb", FunctionBytes(0, "d"));
    }
    ASSERT_EQ(chmod((tab + "/Closed").c_str(), 0), 0);
    ASSERT_EQ(chmod((tab + "/Open/Locked()/Locked().fdb").c_str(), 0), 0);
    const std::string cli = AsNobody() + Cli() + " --home " + Q(home.path()) + " ";
    const std::string noPermission = ": cannot be read: no permission to read it";

    const RunResult check = RunShell(cli + "check");
    EXPECT_EQ(check.exitCode, 1) << check.output;
    EXPECT_TRUE(Contains(check.output, tab + "/Closed" + noPermission)) << check.output;
    EXPECT_TRUE(Contains(check.output, "Locked()/Locked().fdb" + noPermission));
    EXPECT_TRUE(Contains(check.output,
                         "2 function folders checked, 1 with problems; 1 folder "
                         "could not be read"));

    const std::string cannotRead = "Could not read the folder " + tab + "/Closed: no permission";
    const RunResult tree = RunShell(cli + "tree Tab");
    EXPECT_EQ(tree.exitCode, 1);
    EXPECT_TRUE(Contains(tree.output, cannotRead)) << tree.output;
    const RunResult list = RunShell(cli + "list " + Q(tab + "/Closed"));
    EXPECT_EQ(list.exitCode, 1);
    EXPECT_TRUE(Contains(list.output, cannotRead)) << list.output;
    const RunResult show = RunShell(cli + "show " + Q(tab + "/Open/Locked()"));
    EXPECT_EQ(show.exitCode, 1);
    EXPECT_TRUE(Contains(show.output, "(Locked().fdb cannot be read: no permission to read it)"))
        << show.output;
}

#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer reserves more address space than allowed
TEST(HostileRuns, runningOutOfMemory_endsTheCommandWithAMessage) {
    TempDir home;
    MakeDirs(home / "Near()");
    MakeSparseFunctionFile(home / "Near()/Near().fdb", kelvane::fdb::kMaxParameterCount);
    // The file loads within the limit, but not within this address space.
    const RunResult show =
        RunShell("prlimit --as=40000000 " + Cli() + " show " + Q(home / "Near()"));
    EXPECT_EQ(show.exitCode, 1) << show.output;  // not killed by SIGABRT
    EXPECT_TRUE(Contains(show.output, "kelvane-cli: show: there is not enough memory to finish"))
        << show.output;
}
#endif
