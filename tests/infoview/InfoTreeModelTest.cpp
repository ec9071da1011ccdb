#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "infoview/InfoTreeModel.h"

using namespace kelvane;
using Lines = std::vector<std::string>;

namespace {

// One line per item: indent, text, icons, and B / E for bold and initially expanded.
void Print(const InfoItem& item, int depth, Lines& lines) {
    std::string line = std::string(static_cast<std::size_t>(depth) * 2, ' ') + item.text + " [" +
                       std::to_string(item.icon) + "/" + std::to_string(item.selectedIcon) + "]";
    if (item.bold)
        line += " B";
    if (item.expanded)
        line += " E";
    lines.push_back(line);
    for (const InfoItem& child : item.children)
        Print(child, depth + 1, lines);
}

Lines Printed(const sample::SampleFunction& spec, const std::string& folder) {
    Lines lines;
    Print(BuildInfoTree(folder, sample::MakeRecord(spec)), 0, lines);
    return lines;
}

// The lines of the first parameter only.
Lines FirstParameter(const Lines& all) {
    const auto start = std::find(all.begin(), all.end(), "  Parameters [1/2] E") + 1;
    return Lines(start, start + 11);
}

}  // namespace

TEST(InfoTreeModel, dllFunctionWithoutParameters) {
    EXPECT_EQ(
        Printed({"Blur", 0, "흐리게 한다", {}}, "Blur()"),
        (Lines{"Blur() [0/0] B E", "  Basic Information [1/2] E", "    Type [3/3]",
               "      DLL Function [4/4]", "    Attribute [3/3]", "    Number of Parameters [3/3]",
               "      0 [4/4]", "    Description(Max:1024 bytes) [3/3]", "      흐리게 한다 [4/4]",
               "  Parameters [1/2] E"}));
}

TEST(InfoTreeModel, outputIntParameter) {
    EXPECT_EQ(
        FirstParameter(Printed({"F", 0, "d", {{"int*", false, "count", {}, {}}}}, "F()")),
        (Lines{"    int* Type [8/8]", "      Input/Output [4/4]", "        Output Parameter [5/5]",
               "      Parameter Type [4/4]", "        int* [5/5]", "      Default Value [4/4]",
               "        0 [5/5]", "      Stored Value [4/4]", "        0 [5/5]",
               "      Description(Max:512 bytes) [4/4]", "        count [5/5]"}));
}

TEST(InfoTreeModel, imageAndSequenceValues_showFixedTexts) {
    const Lines image =
        FirstParameter(Printed({"F", 0, "d", {{"CImageByte*", true, "in", {}, {}}}}, "F()"));
    EXPECT_EQ(image[0], "    CImageByte* Type [7/7]");
    EXPECT_EQ(image[6], "        Image do not have a default parameter [5/5]");
    EXPECT_EQ(image[8], "        Image do not have a stored parameter [5/5]");

    const Lines sequence = FirstParameter(
        Printed({"F", 0, "d", {{"CSequence*", false, "s", "held text", "held text"}}}, "F()"));
    EXPECT_EQ(sequence[6], "        Unknown Parameter Type [5/5]");
    EXPECT_EQ(sequence[8], "        Unknown Parameter Type [5/5]");
}

TEST(InfoTreeModel, outOfRangeFields_followTheirRules) {
    FunctionRecord record = sample::MakeRecord({"F", 0, "d", {{"int*", true, "p", {}, {}}}});
    record.header().kind = 3;
    record.parameter(0).direction = 2;  // only 1 is drawn as input, only 0 reads "Output"
    record.parameter(0).defaultKind = 4;
    std::memset(record.header().description, 'D', fdb::kFunctionDescriptionSize);
    Lines lines;
    Print(BuildInfoTree("F()", record), 0, lines);
    EXPECT_EQ(lines[3], "      Unknown Function [4/4]");
    EXPECT_EQ(lines[8], "      " + std::string(fdb::kFunctionDescriptionSize, 'D') + " [4/4]");
    const Lines parameter = FirstParameter(lines);
    EXPECT_EQ(parameter[0], "    int* Type [8/8]");
    EXPECT_EQ(parameter[2], "        Input Parameter [5/5]");
    EXPECT_EQ(parameter[6], "        0 [5/5]");
}

TEST(InfoTreeModel, missingFile_givesTheMessageAndNoTree) {
    TempDir dir;
    MakeDirs(dir / "Blur()");
    WriteBytes(dir / "Blur()/Blur.fdb", "");
    const InfoTreeResult result = LoadInfoTree(dir / "Blur()", "Blur()");
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(result.message, dir / "Blur()/Blur().fdb 파일이 없습니다.");
    EXPECT_TRUE(result.root.children.empty());
}
