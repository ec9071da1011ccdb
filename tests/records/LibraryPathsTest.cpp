#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "TestFiles.h"
#include "records/DirScan.h"
#include "records/LibraryPaths.h"

using namespace kelvane;

namespace {

// The names readdir gives, in its order, dot entries left out.
std::vector<std::string> RawOrder(const std::string& dir) {
    std::vector<std::string> names;
    DIR* handle = opendir(dir.c_str());
    while (const dirent* entry = readdir(handle))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.push_back(entry->d_name);
    closedir(handle);
    return names;
}

}  // namespace

TEST(LibraryPaths, functionFolderNames_endInExactlyTwoBrackets) {
    EXPECT_TRUE(IsFunctionFolderName("Blur()"));
    EXPECT_TRUE(IsFunctionFolderName("()"));
    EXPECT_FALSE(IsFunctionFolderName("Edge( )"));
    EXPECT_FALSE(IsFunctionFolderName("Edge()x"));
    EXPECT_FALSE(IsFunctionFolderName(")"));
    EXPECT_FALSE(IsFunctionFolderName(""));
    EXPECT_FALSE(IsFunctionFolderName("Blur()/"));
}

TEST(LibraryPaths, pathsAreBuiltFromFolderPathAndName) {
    EXPECT_EQ(GetFunctionFilePath("/p/FunctionLibrary/Basic/Filter/Blur()", "Blur()"),
              "/p/FunctionLibrary/Basic/Filter/Blur()/Blur().fdb");
    EXPECT_EQ(GetFunctionFilePath("/l/()", "()"), "/l/()/().fdb");
    EXPECT_EQ(GetProjectFilePath("/l/Blur()", "Blur()", ".dsw"), "/l/Blur()/_Src/Blur.dsw");
    EXPECT_EQ(MissingFileMessage("/l/G/Blur()", "Blur()"),
              "/l/G/Blur()/Blur().fdb 파일이 없습니다.");
    // A name that is not UTF-8 is shown decoded as CP949.
    EXPECT_EQ(MissingFileMessage("/l/\xC7\xCA\xC5\xCD/A()", "A()"),
              "/l/필터/A()/A().fdb 파일이 없습니다.");
}

TEST(LibraryPaths, libraryRoot_isBesideTheBinaryUnlessOverridden) {
    const std::string saved = GetProgramDirectoryOverride();
    SetProgramDirectoryOverride("");
    char exe[4096];
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(length, 0);
    const std::string self(exe, static_cast<std::size_t>(length));
    // The build folder keeps the portable layout.
    EXPECT_EQ(GetLibraryRoot(), self.substr(0, self.rfind('/')) + "/FunctionLibrary");
    SetProgramDirectoryOverride("/opt/kelvane/");
    EXPECT_EQ(GetProgramDirectoryOverride(), "/opt/kelvane");
    EXPECT_EQ(GetLibraryRoot(), "/opt/kelvane/FunctionLibrary");
    SetProgramDirectoryOverride(saved);
    EXPECT_EQ(ProgramDirectoryOf("/usr/bin/kelvane"), "/usr/bin");
    EXPECT_EQ(ProgramDirectoryOf("/kelvane") + "/FunctionLibrary", "/FunctionLibrary");
}

TEST(DirScan, keepsDirectoriesAndLinksToThem_inEnumerationOrder) {
    TempDir dir;
    for (const char* name : {"b", "a", "Blur()", "_Src", "zeta", "\xC7\xCA"})
        MakeDirs(dir / name);
    WriteBytes(dir / "file.fdb", "x");
    std::filesystem::create_directory_symlink(dir / "a", dir / "linkToDir");
    std::filesystem::create_symlink(dir / "file.fdb", dir / "linkToFile");
    std::filesystem::create_symlink(dir / "gone", dir / "dangling");

    std::vector<std::string> expected;
    for (const std::string& name : RawOrder(dir.path()))
        if (name != "file.fdb" && name != "linkToFile" && name != "dangling")
            expected.push_back(name);
    std::vector<std::string> names;
    for (const DirEntry& entry : ScanDirectories(dir.path())) {
        names.push_back(entry.name);
        EXPECT_EQ(entry.path, dir / entry.name);
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(names.size(), 7u);
    EXPECT_TRUE(ScanDirectories(dir / "missing").empty());
    EXPECT_TRUE(ScanDirectories(dir / "file.fdb").empty());
}
