#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TestFiles.h"
#include "cli/Cli.h"
#include "wizard/NewFunction.h"

using namespace kelvane;

namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Cli(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int code = cli::RunCli(words, out, err);
    return {code, out.str(), err.str()};
}

void MakeSkeleton(const TempDir& dir) {
    MakeDirs(dir / "Skel/Dll/res");
    WriteBytes(dir / "Skel/Dll/res/Dll.rc2", "rc2");
    for (const char* name :
         {"StdAfx.h", "StdAfx.cpp", "resource.h", "Dll.rc", "Dll.h", "Dll.cpp", "Dll.dsp"})
        WriteBytes(dir / ("Skel/Dll/" + std::string(name)), name);
}

}  // namespace

TEST(CreateCommand, createsTheSameFunctionAsTheWizardAndPrintsTheSummary) {
    TempDir dir;
    MakeSkeleton(dir);
    MakeDirs(dir / "FunctionLibrary/Basic");
    const std::string location = dir / "FunctionLibrary/Basic";
    const CliRun run = Cli({"--home", dir.path(), "create", "--location", location, "--name",
                            "Blur", "--in", "CImageByte*", "--in", "int*", "--out", "CImageByte*"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("함수의 위치\n====================\n\n" + location + "/Blur()\n"),
              std::string::npos)
        << run.out;
    const NewFunction blur{kKindDll, "Blur", location, {"CImageByte*", "int*"}, {"CImageByte*"}};
    EXPECT_EQ(ReadBytes(location + "/Blur()/Blur().fdb"), BuildFunctionRecord(blur)->Serialize());
    EXPECT_EQ(ReadBytes(location + "/Blur()/_Src/Blur.dsp"), "Dll.dsp");

    // A second run is refused unless --replace is given.
    WriteBytes(location + "/Blur()/Blur().fdb", "changed");
    const CliRun again = Cli(
        {"--home", dir.path(), "create", "--location", location, "--name", "Blur", "--in", "int*"});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("--replace"), std::string::npos);
    EXPECT_EQ(ReadBytes(location + "/Blur()/Blur().fdb"), "changed");
    const CliRun replaced = Cli({"--home", dir.path(), "create", "--location", location, "--name",
                                 "Blur", "--in", "int*", "--replace"});
    EXPECT_EQ(replaced.code, 0) << replaced.err;
    EXPECT_EQ(ReadBytes(location + "/Blur()/Blur().fdb").size(), 1372u + 4740u);
}

TEST(CreateCommand, refusalsAndGenerationGaps_exitNonZero) {
    TempDir dir;
    MakeDirs(dir / "lib");
    const std::string lib = dir / "lib";
    EXPECT_EQ(Cli({"create", "--location", lib, "--name", "Blur"}).code, 2);  // no input
    EXPECT_EQ(Cli({"create", "--location", lib, "--name", "B", "--in", "float*"}).code, 2);
    EXPECT_EQ(Cli({"create", "--location", lib, "--name", "a/b", "--in", "int*"}).code, 1);
    EXPECT_EQ(Cli({"create", "--location", lib, "--name", "..", "--in", "int*"}).code, 1);
    EXPECT_EQ(Cli({"create", "--location", dir / "missing", "--name", "B", "--in", "int*"}).code,
              1);
    EXPECT_TRUE(std::filesystem::is_empty(lib));

    // No skeleton beside the program: the function is made, the gaps are named, exit 1.
    const CliRun run =
        Cli({"--home", dir.path(), "create", "--location", lib, "--name", "Blur", "--in", "int*"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(lib + "/Blur()/_Src/Dll.cpp"), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::exists(lib + "/Blur()/Blur().fdb"));
}
