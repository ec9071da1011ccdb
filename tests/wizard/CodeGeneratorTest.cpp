#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "TestFiles.h"
#include "records/TextCodec.h"
#include "wizard/CodeGenerator.h"

using namespace kelvane;

namespace {

const GenerationDate kDate{2000, 9, 20};
const std::string kSignature = "BOOL Blur( CImageByte* pIn_0, int* pIn_1, CImageByte* pOut_0 )";

// A program directory with the skeleton: every copied file holds its own name, and the
// project file holds the given bytes.
void MakeSkeleton(const TempDir& dir, const std::string& project) {
    MakeDirs(dir / "prog/Skel/Dll/res");
    WriteBytes(dir / "prog/Skel/Dll/res/Dll.rc2", "rc2 bytes\r\n");
    for (const char* name : {"StdAfx.h", "StdAfx.cpp", "resource.h", "Dll.rc", "Dll.h", "Dll.cpp"})
        WriteBytes(dir / ("prog/Skel/Dll/" + std::string(name)), std::string("skeleton ") + name);
    WriteBytes(dir / "prog/Skel/Dll/Dll.dsp", project);
}

CCodeGenerator Generator(const TempDir& dir) {
    MakeDirs(dir / "lib");
    CCodeGenerator generator("Blur", ProgramFolders::InHome(dir / "prog"), dir / "lib/Blur()",
                             std::string(kProgrammerText), kSignature);
    generator.SetDate(kDate);
    return generator;
}

}  // namespace

TEST(CodeGenerator, rules_applyInOrderToEveryOccurrenceExactCaseOnly) {
    CCodeGenerator generator("Blur", ProgramFolders::InHome("/opt/klv"), "/lib/Blur()", "p", "s");
    EXPECT_EQ(generator.RewriteLine("# Name \"Dll\" and \"Dll\" again\n"),
              "# Name \"Blur\" and \"Blur\" again\n");
    EXPECT_EQ(generator.RewriteLine("!MESSAGE \"Dll.mak\" CFG=\"Dll - Win32 Debug\"\n"),
              "!MESSAGE \"Blur.mak\" CFG=\"Blur - Win32 Debug\"\n");
    EXPECT_EQ(generator.RewriteLine("Dll - Win32 Release|Dll - Win32 Release\n"),
              "Blur - Win32 Release|Blur - Win32 Release\n");
    EXPECT_EQ(generator.RewriteLine("cfg=\"dll - win32 debug\" \"DLL\" Dll.mak\n"),
              "cfg=\"dll - win32 debug\" \"DLL\" Dll.mak\n");
    EXPECT_EQ(generator.RewriteLine("LINK32 vantor20.lib /out:\"../Dll.dll\"\n"),
              "LINK32 \"/opt/klv/ClassLibrary/vantor20.lib\" /out:\"../Blur().dll\"\n");

    // Installed: the skeleton and the class library may come from different folders.
    ProgramFolders split = ProgramFolders::InHome("/usr/share/kelvane");
    split.classLibrary = "/home/u/.local/share/kelvane/ClassLibrary";
    CCodeGenerator installed("Blur", split, "/lib/Blur()", "p", "s");
    EXPECT_EQ(installed.SkeletonDirectory(), "/usr/share/kelvane/Skel/Dll");
    EXPECT_EQ(installed.RewriteLine("vantor20.lib\n"),
              "\"/home/u/.local/share/kelvane/ClassLibrary/vantor20.lib\"\n");
    EXPECT_NE(installed.FunctionSourceText().find(
                  "#include \"/home/u/.local/share/kelvane/ClassLibrary/ImageClass.h\"\n"),
              std::string::npos);
}

TEST(CodeGenerator, textWithoutCp949Form_writesNeitherGeneratedFile) {
    TempDir dir;
    MakeSkeleton(dir, "\"Dll\"\n");
    MakeDirs(dir / "lib/f");
    CCodeGenerator generator("emoji \xF0\x9F\x98\x80", ProgramFolders::InHome(dir / "prog"),
                             dir / "lib/f", "p", "s");
    EXPECT_FALSE(generator.TextsFitCodePage());
    const GenerationReport report = generator.Generate();
    EXPECT_TRUE(report.sourceFailed);
    EXPECT_EQ(report.faultError, EILSEQ);
    EXPECT_EQ(report.failedFiles,
              (std::vector<std::string>{generator.ProjectFilePath(), generator.SourceFilePath()}));
    EXPECT_FALSE(std::filesystem::exists(generator.SourceFilePath()));
    EXPECT_FALSE(std::filesystem::exists(generator.ProjectFilePath()));
}

TEST(CodeGenerator, replacement_isNotScannedAgain) {
    // The name itself holds the search text: the inserted text is left alone.
    CCodeGenerator generator("\"Dll\"", ProgramFolders::InHome("/p"), "/f", "p", "s");
    EXPECT_EQ(generator.RewriteLine("x \"Dll\" y\n"), "x \"\"Dll\"\" y\n");
    std::string line = "aaa";
    ReplaceAll(line, "a", "aa");
    EXPECT_EQ(line, "aaaaaa");
}

TEST(CodeGenerator, skeletonLines_readAsTextInPiecesOf499Bytes) {
    const std::string longLine = std::string(495, 'x') + "\"Dll\"" + std::string(99, 'y') + "\r\n";
    const auto pieces = SplitSkeletonLines("a\r\nb\rc\n" + longLine + "tail");
    ASSERT_EQ(pieces.size(), 5u);
    EXPECT_EQ(pieces[0], "a\n");
    EXPECT_EQ(pieces[1], "b\rc\n");  // a lone carriage return is kept
    EXPECT_EQ(pieces[2].size(), 499u);
    EXPECT_EQ(pieces[3].size(), 101u);
    EXPECT_EQ(pieces[2] + pieces[3], longLine.substr(0, 599) + "\n");
    EXPECT_EQ(pieces[4], "tail");
    EXPECT_EQ(ToCrLf("a\nb\n"), "a\r\nb\r\n");
}

TEST(CodeGenerator, generate_copiesSkeletonAndRewritesProjectWithCrLf) {
    TempDir dir;
    // 600 bytes before the line end: "\"Dll\"" straddles the cut at 499 and is not found;
    // the second line's two occurrences are both replaced.
    const std::string straddling = std::string(496, '#') + "\"Dll\"" + std::string(99, '#');
    MakeSkeleton(dir, straddling + "\r\n" +
                          "# TARGTYPE \"Dll\" \"Dll\"\r\n"
                          "!IF \"$(CFG)\" == \"dll - Win32 Debug\"\r\n"
                          "# ADD LINK32 vantor20.lib /out:\"../Dll.dll\"\r\n");
    MakeDirs(dir / "lib/Blur()");
    CCodeGenerator generator = Generator(dir);
    const GenerationReport report = generator.Generate();
    EXPECT_TRUE(report.complete());
    EXPECT_FALSE(report.sourceFailed);

    const std::string src = dir / "lib/Blur()/_Src";
    EXPECT_EQ(SortedNames(src),
              (std::vector<std::string>{"Blur.dsp", "Dll.cpp", "Dll.h", "Dll.rc", "Function.cpp",
                                        "StdAfx.cpp", "StdAfx.h", "res", "resource.h"}));
    EXPECT_EQ(ReadBytes(src + "/res/Dll.rc2"), "rc2 bytes\r\n");
    EXPECT_EQ(ReadBytes(src + "/Dll.cpp"), "skeleton Dll.cpp");
    EXPECT_EQ(ReadBytes(src + "/Blur.dsp"), straddling + "\r\n" +
                                                "# TARGTYPE \"Blur\" \"Blur\"\r\n"
                                                "!IF \"$(CFG)\" == \"dll - Win32 Debug\"\r\n"
                                                "# ADD LINK32 \"" +
                                                dir.path() +
                                                "/prog/ClassLibrary/vantor20.lib\" "
                                                "/out:\"../Blur().dll\"\r\n");
}

TEST(CodeGenerator, functionSource_matchesGoldenTextByteForByte) {
    TempDir dir;
    MakeSkeleton(dir, "");
    CCodeGenerator generator = Generator(dir);
    ASSERT_TRUE(generator.Generate().complete());
    const std::string p = dir / "prog";
    const std::string golden =
        "///////////////////////////////////////////////////\r\n"
        "// Function: Blur()\r\n"
        "//\r\n"
        "// Date: 2000/09/20\r\n"
        "//\r\n"
        "// Programmer: KLV Code Generator v1.0\r\n"
        "///////////////////////////////////////////////////\r\n"
        "\r\n"
        "#include \"stdafx.h\"\r\n"
        "#include \"" +
        p +
        "/ClassLibrary/ImageClass.h\"\r\n"
        "#include \"" +
        p +
        "/ClassLibrary/MatrixClass.h\"\r\n"
        "#include \"" +
        p +
        "/ClassLibrary/SequenceClass.h\"\r\n"
        "#include <math.h>\r\n"
        "\r\n"
        "\r\n"
        "extern \"C\" __declspec(dllexport)\r\n"
        "BOOL Blur( CImageByte* pIn_0, int* pIn_1, CImageByte* pOut_0 )\r\n"
        "{\r\n"
        "\treturn TRUE;\r\n"
        "}\r\n"
        "\r\n";
    EXPECT_EQ(ReadBytes(dir / "lib/Blur()/_Src/Function.cpp"), golden);
    // The empty skeleton project gives an empty project file, and that is complete.
    EXPECT_EQ(ReadBytes(dir / "lib/Blur()/_Src/Blur.dsp"), "");
}

TEST(CodeGenerator, missingSkeleton_leavesFunctionSourceAndEmptyProjectAndReportsTheRest) {
    TempDir dir;
    CCodeGenerator generator = Generator(dir);
    const GenerationReport report = generator.Generate();
    const std::string src = dir / "lib/Blur()/_Src";
    EXPECT_EQ(SortedNames(src), (std::vector<std::string>{"Blur.dsp", "Function.cpp", "res"}));
    EXPECT_TRUE(SortedNames(src + "/res").empty());
    EXPECT_EQ(ReadBytes(src + "/Blur.dsp"), "");
    EXPECT_FALSE(report.sourceFailed);
    EXPECT_EQ(report.failedFiles,
              (std::vector<std::string>{src + "/res/Dll.rc2", src + "/StdAfx.h",
                                        src + "/StdAfx.cpp", src + "/resource.h", src + "/Dll.rc",
                                        src + "/Dll.h", src + "/Dll.cpp", src + "/Blur.dsp"}));
}

TEST(CodeGenerator, oneMissingFileOrUnwritableSource_isReportedAndOthersStillMade) {
    TempDir dir;
    MakeSkeleton(dir, "x\n");
    std::filesystem::remove(dir / "prog/Skel/Dll/Dll.h");
    MakeDirs(dir / "lib/Blur()/_Src/Function.cpp");  // a folder where the file goes
    CCodeGenerator generator = Generator(dir);
    const GenerationReport report = generator.Generate();
    const std::string src = dir / "lib/Blur()/_Src";
    EXPECT_TRUE(report.sourceFailed);
    EXPECT_EQ(report.failedFiles,
              (std::vector<std::string>{src + "/Dll.h", src + "/Function.cpp"}));
    EXPECT_EQ(ReadBytes(src + "/Blur.dsp"), "x\r\n");
    EXPECT_EQ(ReadBytes(src + "/Dll.cpp"), "skeleton Dll.cpp");
}
