#include <gtest/gtest.h>

#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "infoview/GroupListModel.h"
#include "records/DirScan.h"

using namespace kelvane;
using Lines = std::vector<std::string>;

namespace {

// Header line, then one line per row: icon, then the cells separated by " | ".
Lines Printed(const GroupListing& listing) {
    Lines lines;
    std::string header;
    for (const ListColumn& column : listing.columns)
        header +=
            (header.empty() ? "" : " | ") + column.header + ":" + std::to_string(column.width);
    lines.push_back(header);
    for (const ListRow& row : listing.rows) {
        std::string line = std::to_string(row.icon);
        for (const std::string& cell : row.cells)
            line += " | " + cell;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ScanOrder(const std::string& dir) {
    std::vector<std::string> names;
    for (const DirEntry& entry : ScanDirectories(dir))
        names.push_back(entry.name);
    return names;
}

}  // namespace

TEST(GroupListModel, subgroupsHideFunctions) {
    TempDir dir;
    MakeDirs(dir / "A");
    MakeDirs(dir / "_Src");
    ASSERT_TRUE(sample::WriteFunction(dir.path(), {"F", 0, "f", {}}));
    const GroupListing listing = BuildGroupListing(dir.path());
    Lines expected{"Name:80 | Description:480"};
    for (const std::string& name : ScanOrder(dir.path()))
        if (name != "F()")
            expected.push_back("1 | " + name + " | ");
    EXPECT_EQ(Printed(listing), expected);
    EXPECT_EQ(expected.size(), 3u);  // "_Src" is listed like any subgroup
    EXPECT_TRUE(listing.complete);
}

TEST(GroupListModel, functionsWithKindCountAndDescription) {
    TempDir dir;
    ASSERT_TRUE(sample::WriteFunction(dir.path(), {"F", 0, "첫째\r\nline", {}}));
    ASSERT_TRUE(sample::WriteFunction(
        dir.path(), {"G", 2, "g", {{"int*", true, "", {}, {}}, {"int*", false, "", {}, {}}}}));
    WriteBytes(dir / "loose.fdb", "not a folder");
    Lines expected{"Name:80 | Type:50 | #:20 | Description:480"};
    for (const std::string& name : ScanOrder(dir.path()))
        expected.push_back(name == "F()" ? "3 | F() | Dll | 0 | 첫째\r\nline"
                                         : "3 | G() | Script | 2 | g");
    EXPECT_EQ(Printed(BuildGroupListing(dir.path())), expected);
}

TEST(GroupListModel, emptyOrUnreadableGroup_showsFunctionColumnsOnly) {
    TempDir dir;
    EXPECT_EQ(Printed(BuildGroupListing(dir.path())),
              (Lines{"Name:80 | Type:50 | #:20 | Description:480"}));
    EXPECT_EQ(Printed(BuildGroupListing(dir / "missing")).size(), 1u);
}

TEST(GroupListModel, missingFunctionFile_endsTheListingThere) {
    TempDir dir;
    for (const char* name : {"A", "B", "C"})
        ASSERT_TRUE(sample::WriteFunction(dir.path(), {name, 1, name, {}}));
    const std::vector<std::string> order = ScanOrder(dir.path());
    std::filesystem::remove(dir / (order[1] + "/" + order[1] + ".fdb"));

    const GroupListing listing = BuildGroupListing(dir.path());
    EXPECT_FALSE(listing.complete);
    EXPECT_EQ(listing.message, dir / (order[1] + "/" + order[1] + ".fdb 파일이 없습니다."));
    const std::string first = order[0].substr(0, 1);
    EXPECT_EQ(Printed(listing),
              (Lines{"Name:80 | Type:50 | #:20 | Description:480",
                     "3 | " + order[0] + " | Schematic | 0 | " + first, "3 | " + order[1]}));
}

TEST(GroupListModel, kindWords) {
    EXPECT_EQ(FunctionKindWord(0), "Dll");
    EXPECT_EQ(FunctionKindWord(1), "Schematic");
    EXPECT_EQ(FunctionKindWord(2), "Script");
}
