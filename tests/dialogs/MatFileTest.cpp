#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestFiles.h"
#include "dialogs/MatFile.h"

using kelvane::MatrixGrid;

namespace {

MatrixGrid Numbered(int width, int height) {
    MatrixGrid grid;
    grid.width = width;
    grid.height = height;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            grid.at(r, c) = static_cast<float>(r * width + c + 1);
    return grid;
}

}  // namespace

TEST(MatFile, writesOnlyTheActivePartInTheFixedLayout) {
    MatrixGrid grid = Numbered(3, 2);
    grid.at(0, 5) = 99;  // inactive: not stored
    EXPECT_EQ(kelvane::FormatMatFile(grid),
              "3\n2\n\n1.000000 2.000000 3.000000 \n4.000000 5.000000 6.000000 \n");
}

TEST(MatFile, roundTripKeepsSixDecimals) {
    TempDir dir;
    MatrixGrid grid;
    grid.width = 2;
    grid.height = 2;
    grid.at(0, 0) = 0.1234567f;
    grid.at(0, 1) = -3;
    grid.at(1, 0) = 1e6f;
    grid.at(1, 1) = 0;
    const std::string path = dir / "m.mat";
    ASSERT_TRUE(kelvane::WriteMatFile(path, grid).ok());
    MatrixGrid loaded;
    ASSERT_TRUE(kelvane::ParseMatFile(ReadBytes(path), loaded).ok());
    EXPECT_EQ(loaded.width, 2);
    EXPECT_EQ(loaded.height, 2);
    EXPECT_EQ(loaded.ActiveElements(), std::vector<float>({0.123457f, -3, 1e6f, 0}));
}

TEST(MatFile, readerAcceptsAnyWhiteSpace) {
    const MatrixGrid expected = Numbered(3, 2);
    for (const char* text : {"3\r\n2\r\n\r\n1.000000 2.000000 3.000000 \r\n4 5 6 \r\n",
                             "3 2 1 2 3 4 5 6", "  3\n2\n1\t2\n\n3 4\n5 6"}) {
        MatrixGrid grid;
        ASSERT_TRUE(kelvane::ParseMatFile(text, grid).ok()) << text;
        EXPECT_EQ(grid.width, 3);
        EXPECT_EQ(grid.height, 2);
        EXPECT_EQ(grid.ActiveElements(), expected.ActiveElements()) << text;
    }
}

TEST(MatFile, damagedFilesLeaveTheGridUntouchedAndSaySo) {
    const MatrixGrid before = Numbered(2, 2);
    for (const char* text : {"", "abc", "3", "11\n1\n\n1 2 3 4 5 6 7 8 9 10 11 \n", "-1\n2\n",
                             "2\n2\n\n1 2\n3 \n", "2\n1\n\n1 x \n"}) {
        MatrixGrid grid = before;
        const kelvane::Status status = kelvane::ParseMatFile(text, grid);
        EXPECT_FALSE(status.ok()) << text;
        EXPECT_FALSE(status.message().empty());
        EXPECT_EQ(grid.width, 2);
        EXPECT_EQ(grid.elements, before.elements) << text;
    }
}

TEST(MatFile, extensionIsAddedUnlessPresentInAnyCase) {
    EXPECT_EQ(kelvane::WithMatExtension("/tmp/m"), "/tmp/m.mat");
    EXPECT_EQ(kelvane::WithMatExtension("/tmp/m.mat"), "/tmp/m.mat");
    EXPECT_EQ(kelvane::WithMatExtension("/tmp/M.MAT"), "/tmp/M.MAT");
    EXPECT_EQ(kelvane::WithMatExtension("/tmp/m.Mat"), "/tmp/m.Mat");
    EXPECT_EQ(kelvane::WithMatExtension("/tmp/m.txt"), "/tmp/m.txt.mat");
    EXPECT_EQ(kelvane::WithMatExtension("at"), "at.mat");
}

TEST(MatFile, unwritableFolderFailsWithoutLeavingAFile) {
    TempDir dir;
    MakeDirs(dir / "ro");
    chmod((dir / "ro").c_str(), 0555);
    if (access((dir / "ro").c_str(), W_OK) == 0)
        GTEST_SKIP() << "running with full rights";
    EXPECT_FALSE(kelvane::WriteMatFile(dir / "ro/m.mat", Numbered(1, 1)).ok());
    EXPECT_FALSE(std::filesystem::exists(dir / "ro/m.mat"));
}
