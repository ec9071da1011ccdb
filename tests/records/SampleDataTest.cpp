#include <gtest/gtest.h>

#include <set>

#include "TestFiles.h"
#include "data/SampleLibrary.h"

using namespace kelvane;

// The skeleton a generated project is copied from: the eight files, CR LF line ends, and
// the six texts the project rewrite looks for, in the project file.
TEST(SampleData, skeletonHasItsFilesLineEndsAndSearchTexts) {
    TempDir home;
    ASSERT_TRUE(sample::CopyProjectData(KELVANE_DATA_DIR, home.path()));
    const std::string skel = home / "Skel/Dll/";
    for (const char* name : {"res/Dll.rc2", "StdAfx.h", "StdAfx.cpp", "resource.h", "Dll.rc",
                             "Dll.h", "Dll.cpp", "Dll.dsp"}) {
        const std::string text = ReadBytes(skel + name);
        ASSERT_FALSE(text.empty()) << name;
        for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << name << " at byte " << i;
    }
    const std::string project = ReadBytes(skel + "Dll.dsp");
    for (const char* search : {"\"Dll\"", "Dll - Win32 Debug", "Dll - Win32 Release", "\"Dll.mak\"",
                               "vantor20.lib", "../Dll.dll"})
        EXPECT_NE(project.find(search), std::string::npos) << search;
    EXPECT_NE(project.find("SOURCE=.\\Function.cpp"), std::string::npos);
    for (const char* header : {"ImageClass.h", "MatrixClass.h", "SequenceClass.h", "README.md"})
        EXPECT_TRUE(std::filesystem::exists(home / ("ClassLibrary/" + std::string(header))));
}

TEST(SampleData, sampleCoversEveryTypeAndBothDirections) {
    TempDir home;
    ASSERT_TRUE(sample::WriteSampleLibrary(home.path()));
    std::set<std::string> types;
    std::set<std::int32_t> directions, kinds;
    int functions = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(home / "FunctionLibrary")) {
        if (entry.path().extension() != ".fdb")
            continue;
        FunctionRecord record;
        ASSERT_TRUE(record.Load(entry.path().string()));
        ++functions;
        kinds.insert(record.header().kind);
        for (const ParameterRecord& p : record.parameters()) {
            types.insert(std::string(FieldText(p.typeName)));
            directions.insert(p.direction);
        }
    }
    EXPECT_GE(functions, 12);
    EXPECT_EQ(types.size(), 9u);
    EXPECT_EQ(directions, (std::set<std::int32_t>{0, 1}));
    EXPECT_EQ(kinds, (std::set<std::int32_t>{0, 1, 2}));
}
