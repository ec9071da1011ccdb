#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "wizard/FunctionCreator.h"

using namespace kelvane;

namespace {

const GenerationDate kDate{2024, 1, 2};

NewFunction Blur(const TempDir& dir) {
    return {kKindDll, "Blur", dir / "lib", {"CImageByte*", "int*"}, {"CImageByte*"}};
}

void MakeSkeleton(const TempDir& dir) {
    MakeDirs(dir / "prog/Skel/Dll/res");
    WriteBytes(dir / "prog/Skel/Dll/res/Dll.rc2", "rc2");
    for (const char* name :
         {"StdAfx.h", "StdAfx.cpp", "resource.h", "Dll.rc", "Dll.h", "Dll.cpp", "Dll.dsp"})
        WriteBytes(dir / ("prog/Skel/Dll/" + std::string(name)), name);
}

}  // namespace

TEST(FunctionCreator, create_writesFolderFileAndProjectAndLeavesNoStaging) {
    TempDir dir;
    MakeSkeleton(dir);
    MakeDirs(dir / "lib");
    const NewFunction blur = Blur(dir);
    const CreationResult result =
        CreateFunction(blur, ProgramFolders::InHome(dir / "prog"), false, kDate);
    ASSERT_TRUE(result.created()) << result.message;
    EXPECT_TRUE(result.generation.complete());
    EXPECT_EQ(SortedNames(dir / "lib"), std::vector<std::string>{"Blur()"});
    EXPECT_EQ(SortedNames(dir / "lib/Blur()"), (std::vector<std::string>{"Blur().fdb", "_Src"}));
    EXPECT_EQ(result.projectFile, dir / "lib/Blur()/_Src/Blur.dsp");
    EXPECT_EQ(ReadBytes(result.projectFile), "Dll.dsp");
    EXPECT_EQ(ReadBytes(result.functionFile), BuildFunctionRecord(blur)->Serialize());
    EXPECT_EQ(ReadBytes(result.functionFile).size(), 1372u + 3u * 4740u);
    EXPECT_NE(ReadBytes(dir / "lib/Blur()/_Src/Function.cpp").find("// Date: 2024/01/02\r\n"),
              std::string::npos);
}

TEST(FunctionCreator, missingLocation_failsLikeAFailedSaveAndCreatesNothing) {
    TempDir dir;
    const CreationResult result =
        CreateFunction(Blur(dir), ProgramFolders::InHome(dir / "prog"), false, kDate);
    EXPECT_EQ(result.outcome, CreationResult::Outcome::SaveFailed);
    EXPECT_EQ(result.message, "Could not create Blur() in " + dir / "lib" +
                                  ": the folder does not exist; nothing was created.");
    EXPECT_EQ(SortedNames(dir.path()), std::vector<std::string>{});
}

TEST(FunctionCreator, unwritableLocation_leavesNothingBehind) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    TempDir dir;
    MakeDirs(dir / "lib");
    std::filesystem::permissions(
        dir / "lib", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const CreationResult result =
        CreateFunction(Blur(dir), ProgramFolders::InHome(dir / "prog"), false, kDate);
    EXPECT_EQ(result.outcome, CreationResult::Outcome::SaveFailed);
    EXPECT_TRUE(SortedNames(dir / "lib").empty());
}

TEST(FunctionCreator, existingFolder_refusedUnlessReplaceThenOnlyNewFilesReplaced) {
    TempDir dir;
    MakeSkeleton(dir);
    MakeDirs(dir / "lib/Blur()/_Src");
    WriteBytes(dir / "lib/Blur()/Blur().fdb", "old record");
    WriteBytes(dir / "lib/Blur()/_Src/Function.cpp", "my code");
    WriteBytes(dir / "lib/Blur()/_Src/Blur.dsw", "workspace");
    const NewFunction blur = Blur(dir);
    EXPECT_EQ(ExamineTarget(blur), ExistingTarget::Folder);

    CreationResult result =
        CreateFunction(blur, ProgramFolders::InHome(dir / "prog"), false, kDate);
    EXPECT_EQ(result.outcome, CreationResult::Outcome::Refused);
    EXPECT_EQ(ReadBytes(dir / "lib/Blur()/Blur().fdb"), "old record");
    EXPECT_EQ(ReadBytes(dir / "lib/Blur()/_Src/Function.cpp"), "my code");
    EXPECT_EQ(SortedNames(dir / "lib"), std::vector<std::string>{"Blur()"});

    result = CreateFunction(blur, ProgramFolders::InHome(dir / "prog"), true, kDate);
    ASSERT_TRUE(result.created()) << result.message;
    EXPECT_EQ(ReadBytes(dir / "lib/Blur()/Blur().fdb"), BuildFunctionRecord(blur)->Serialize());
    EXPECT_NE(ReadBytes(dir / "lib/Blur()/_Src/Function.cpp"), "my code");
    EXPECT_EQ(ReadBytes(dir / "lib/Blur()/_Src/Blur.dsw"), "workspace");
    EXPECT_EQ(ReadBytes(dir / "lib/Blur()/_Src/res/Dll.rc2"), "rc2");
    EXPECT_EQ(SortedNames(dir / "lib"), std::vector<std::string>{"Blur()"});
}

TEST(FunctionCreator, replaceThroughALink_keepsTheLinkAndReplacesTheFolderItLeadsTo) {
    TempDir dir;
    MakeSkeleton(dir);
    MakeDirs(dir / "elsewhere/Real()/_Src");
    WriteBytes(dir / "elsewhere/Real()/Blur().fdb", "old record");
    WriteBytes(dir / "elsewhere/Real()/notes.txt", "mine");
    MakeDirs(dir / "lib");
    ASSERT_EQ(symlink((dir / "elsewhere/Real()").c_str(), (dir / "lib/Blur()").c_str()), 0);
    const NewFunction blur = Blur(dir);
    const CreationResult result =
        CreateFunction(blur, ProgramFolders::InHome(dir / "prog"), true, kDate);
    ASSERT_TRUE(result.created()) << result.message;
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "lib/Blur()"));
    EXPECT_EQ(ReadBytes(dir / "elsewhere/Real()/Blur().fdb"),
              BuildFunctionRecord(blur)->Serialize());
    EXPECT_EQ(ReadBytes(dir / "elsewhere/Real()/notes.txt"), "mine");
    EXPECT_EQ(SortedNames(dir / "elsewhere"), std::vector<std::string>{"Real()"});
}

TEST(FunctionCreator, fileInPlaceOfFolderOrOfAFile_isRefusedUntouched) {
    TempDir dir;
    MakeDirs(dir / "lib");
    WriteBytes(dir / "lib/Blur()", "a file");
    const NewFunction blur = Blur(dir);
    EXPECT_EQ(ExamineTarget(blur), ExistingTarget::NotAFolder);
    EXPECT_EQ(CreateFunction(blur, ProgramFolders::InHome(dir / "prog"), true, kDate).outcome,
              CreationResult::Outcome::Refused);
    EXPECT_EQ(ReadBytes(dir / "lib/Blur()"), "a file");

    TempDir other;
    MakeSkeleton(other);
    MakeDirs(other / "lib/Blur()/_Src/Dll.h");  // a folder where a copied file goes
    const CreationResult result =
        CreateFunction(Blur(other), ProgramFolders::InHome(other / "prog"), true, kDate);
    EXPECT_EQ(result.outcome, CreationResult::Outcome::Failed);
    EXPECT_EQ(result.message, "Could not replace Blur() in " + other / "lib" +
                                  ": could not keep _Src/Dll.h: a folder and a file stand in "
                                  "each other's place; the function is unchanged.");
    EXPECT_EQ(SortedNames(other / "lib/Blur()"), std::vector<std::string>{"_Src"});
    EXPECT_EQ(SortedNames(other / "lib"), std::vector<std::string>{"Blur()"});
}

TEST(FunctionCreator, refusedNames_touchNothing) {
    TempDir dir;
    MakeDirs(dir / "lib");
    for (const char* name : {"", "a/b", "..", "."}) {
        NewFunction function = Blur(dir);
        function.name = name;
        EXPECT_EQ(
            CreateFunction(function, ProgramFolders::InHome(dir / "prog"), true, kDate).outcome,
            CreationResult::Outcome::Refused)
            << name;
    }
    EXPECT_TRUE(SortedNames(dir / "lib").empty());
}

TEST(FunctionCreator, missingSkeleton_stillCreatesAndNamesTheMissingFilesAtTheirFinalPaths) {
    TempDir dir;
    MakeDirs(dir / "lib");
    const CreationResult result =
        CreateFunction(Blur(dir), ProgramFolders::InHome(dir / "prog"), false, kDate);
    ASSERT_TRUE(result.created()) << result.message;
    ASSERT_EQ(result.generation.failedFiles.size(), 8u);
    EXPECT_EQ(result.generation.failedFiles.front(), dir / "lib/Blur()/_Src/res/Dll.rc2");
    EXPECT_EQ(result.generation.failedFiles.back(), dir / "lib/Blur()/_Src/Blur.dsp");
    const std::string message = GenerationGapMessage(result.generation);
    EXPECT_NE(message.find(dir / "lib/Blur()/_Src/StdAfx.h"), std::string::npos);
    EXPECT_EQ(SortedNames(dir / "lib/Blur()/_Src"),
              (std::vector<std::string>{"Blur.dsp", "Function.cpp", "res"}));
}

TEST(FunctionCreator, koreanName_isCp949InsideTheGeneratedFilesAndUtf8OnDisk) {
    TempDir dir;
    MakeSkeleton(dir);
    WriteBytes(dir / "prog/Skel/Dll/Dll.dsp",
               "# TARGTYPE \"Dll\"\r\nCFG=Dll - Win32 Debug \"Dll.mak\" /out:\"../Dll.dll\"\r\n");
    MakeDirs(dir / "lib");
    NewFunction function = Blur(dir);
    function.name = "흐림";
    const CreationResult result =
        CreateFunction(function, ProgramFolders::InHome(dir / "prog"), false, kDate);
    ASSERT_TRUE(result.created()) << result.message;

    const std::string cp949 = "\xc8\xe5\xb8\xb2";
    EXPECT_EQ(SortedNames(dir / "lib"), std::vector<std::string>{"흐림()"});
    EXPECT_EQ(result.projectFile, dir / "lib/흐림()/_Src/흐림.dsp");
    EXPECT_EQ(ReadBytes(result.projectFile), "# TARGTYPE \"" + cp949 + "\"\r\nCFG=" + cp949 +
                                                 " - Win32 Debug \"" + cp949 + ".mak\" /out:\"../" +
                                                 cp949 + "().dll\"\r\n");
    const std::string source = ReadBytes(dir / "lib/흐림()/_Src/Function.cpp");
    EXPECT_NE(source.find("// Function: " + cp949 + "()\r\n"), std::string::npos);
    EXPECT_NE(source.find("\r\nBOOL " + cp949 +
                          "( CImageByte* pIn_0, int* pIn_1, CImageByte* "
                          "pOut_0 )\r\n"),
              std::string::npos);
    EXPECT_EQ(source.find("흐림"), std::string::npos);
}
