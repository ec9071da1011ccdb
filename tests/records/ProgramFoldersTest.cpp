#include "records/ProgramFolders.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <sstream>

#include "TestFiles.h"
#include "records/LibraryPaths.h"

using namespace kelvane;

namespace {

// Folders of a test machine, below one temporary folder:
//   portable/FunctionLibrary   a portable program (its binary beside the library)
//   skelonly/Skel              a portable program with only the skeleton
//   usr/bin                    an installed binary, nothing beside it
//   usr/share/kelvane          the installed data
//   home                       the user's home folder
//   xdg                        a data home given by XDG_DATA_HOME
struct Machine {
    TempDir dir;
    Machine() {
        for (const char* sub :
             {"portable/FunctionLibrary", "skelonly/Skel", "usr/bin", "usr/share/kelvane/Skel/Dll",
              "usr/share/kelvane/ClassLibrary", "home", "xdg", "h", "v"})
            MakeDirs(dir / sub);
    }
    std::string operator/(const std::string& sub) const { return dir / sub; }
};

}  // namespace

TEST(ProgramFolders, lookupOrder_optionVariableBinaryFolderThenUserAndInstalledData) {
    Machine m;
    const std::string data = m / "usr/share/kelvane";
    struct Case {
        const char* what;
        ProgramEnvironment env;
        const char* userFolders;  // made in the user's data folder before the lookup
        FolderSource source;
        std::string home;  // where FunctionLibrary lies
        std::string skeleton;
        std::string classLibrary;
    };
    const std::string xdgUser = m / "xdg/kelvane";
    const std::string homeUser = m / "home/.local/share/kelvane";
    const Case cases[] = {
        {"--home wins over everything",
         {m / "h", m / "v", m / "xdg", m / "home", m / "portable", data},
         "",
         FolderSource::HomeOption,
         m / "h",
         m / "h/Skel/Dll",
         m / "h/ClassLibrary"},
        {"--home with a trailing separator",
         {m / "h/", "", "", m / "home", m / "usr/bin", data},
         "",
         FolderSource::HomeOption,
         m / "h",
         m / "h/Skel/Dll",
         m / "h/ClassLibrary"},
        {"KELVANE_HOME wins over the binary's folder",
         {"", m / "v", m / "xdg", m / "home", m / "portable", data},
         "",
         FolderSource::HomeVariable,
         m / "v",
         m / "v/Skel/Dll",
         m / "v/ClassLibrary"},
        {"a binary beside FunctionLibrary is portable",
         {"", "", m / "xdg", m / "home", m / "portable", data},
         "",
         FolderSource::BesideBinary,
         m / "portable",
         m / "portable/Skel/Dll",
         m / "portable/ClassLibrary"},
        {"a binary beside Skel alone is portable too",
         {"", "", m / "xdg", m / "home", m / "skelonly", data},
         "",
         FolderSource::BesideBinary,
         m / "skelonly",
         m / "skelonly/Skel/Dll",
         m / "skelonly/ClassLibrary"},
        {"installed: library in XDG_DATA_HOME, skeleton and classes installed",
         {"", "", m / "xdg", m / "home", m / "usr/bin", data},
         "",
         FolderSource::Installed,
         xdgUser,
         data + "/Skel/Dll",
         data + "/ClassLibrary"},
        {"installed: the user's own skeleton and classes win",
         {"", "", m / "xdg", m / "home", m / "usr/bin", data},
         "Skel/Dll ClassLibrary",
         FolderSource::Installed,
         xdgUser,
         xdgUser + "/Skel/Dll",
         xdgUser + "/ClassLibrary"},
        {"installed: each of the two is looked for on its own",
         {"", "", m / "xdg", m / "home", m / "usr/bin", data},
         "ClassLibrary",
         FolderSource::Installed,
         xdgUser,
         data + "/Skel/Dll",
         xdgUser + "/ClassLibrary"},
        {"installed without XDG_DATA_HOME: ~/.local/share",
         {"", "", "", m / "home", m / "usr/bin", data},
         "",
         FolderSource::Installed,
         homeUser,
         data + "/Skel/Dll",
         data + "/ClassLibrary"},
        {"a relative XDG_DATA_HOME is ignored",
         {"", "", "xdg", m / "home", m / "usr/bin", data},
         "",
         FolderSource::Installed,
         homeUser,
         data + "/Skel/Dll",
         data + "/ClassLibrary"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string user = c.source == FolderSource::Installed ? c.home : "";
        std::istringstream made(c.userFolders);
        for (std::string sub; made >> sub;)
            MakeDirs(user + "/" + sub);
        const ProgramFolders found = FindProgramFolders(c.env);
        EXPECT_EQ(found.source, c.source);
        EXPECT_EQ(found.libraryRoot, c.home + "/FunctionLibrary");
        EXPECT_EQ(found.skeleton, c.skeleton);
        EXPECT_EQ(found.classLibrary, c.classLibrary);
        EXPECT_EQ(found.userFolder, user);
        EXPECT_EQ(found.SampleLibrary(), data + "/SampleLibrary");
        if (!user.empty())
            std::filesystem::remove_all(user);
    }
}

TEST(ProgramFolders, relativeHome_isMadeAbsolute) {
    Machine m;
    char saved[4096];
    ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(chdir(m.dir.path().c_str()), 0);
    ProgramEnvironment env;
    env.homeVariable = "v";
    const ProgramFolders found = FindProgramFolders(env);
    ASSERT_EQ(chdir(saved), 0);
    EXPECT_EQ(found.libraryRoot, AbsoluteFolder(m / "v") + "/FunctionLibrary");
    EXPECT_EQ(found.libraryRoot.front(), '/');
}

TEST(ProgramFolders, thisProcess_readsKelvaneHomeAndFindsTheSampleTheBuildStaged) {
    Machine m;
    const std::string saved = GetProgramDirectoryOverride();
    SetProgramDirectoryOverride("");
    // The build folder keeps the installed layout: bin/ beside share/kelvane.
    const ProgramFolders beside = GetProgramFolders();
    EXPECT_EQ(beside.source, FolderSource::BesideBinary);
    EXPECT_TRUE(std::filesystem::is_directory(beside.SampleLibrary())) << beside.SampleLibrary();
    EXPECT_TRUE(std::filesystem::is_directory(beside.dataFolder + "/Skel/Dll"));

    setenv("KELVANE_HOME", (m / "v").c_str(), 1);
    EXPECT_EQ(GetLibraryRoot(), m / "v/FunctionLibrary");
    SetProgramDirectoryOverride(m / "h");
    EXPECT_EQ(GetLibraryRoot(), m / "h/FunctionLibrary");
    unsetenv("KELVANE_HOME");
    SetProgramDirectoryOverride(saved);
}
