#include <gtest/gtest.h>

#include <random>

#include "dialogs/MatFile.h"
#include "dialogs/MatrixText.h"

using kelvane::MatrixGrid;
using kelvane::ParseMatrixText;

namespace {

std::vector<float> Row(const MatrixGrid& grid, int r) {
    std::vector<float> row;
    for (int c = 0; c < MatrixGrid::kSide; ++c)
        row.push_back(grid.at(r, c));
    return row;
}

}  // namespace

TEST(MatrixText, readsTheCanonicalForm) {
    MatrixGrid grid;
    EXPECT_TRUE(
        ParseMatrixText("(3x2) 1.000000 2.000000 3.000000 4.000000 5.000000 6.000000", grid));
    EXPECT_EQ(grid.width, 3);
    EXPECT_EQ(grid.height, 2);
    EXPECT_EQ(Row(grid, 0), std::vector<float>({1, 2, 3, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(Row(grid, 1), std::vector<float>({4, 5, 6, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(grid.ActiveElements(), std::vector<float>({1, 2, 3, 4, 5, 6}));
}

TEST(MatrixText, negativeAndLongNumbersKeepTheirPositions) {
    MatrixGrid grid;
    EXPECT_TRUE(ParseMatrixText("(2x1) -12345.500000 0.250000", grid));
    EXPECT_EQ(grid.ActiveElements(), std::vector<float>({-12345.5f, 0.25f}));
}

TEST(MatrixText, textWithoutThePrefixGivesAnEmptyMatrix) {
    for (const char* text : {"Sequence do not have default parameters", "3x2 1 2", "(x2)", "("}) {
        MatrixGrid grid;
        EXPECT_FALSE(ParseMatrixText(text, grid)) << text;
        EXPECT_EQ(grid.width, 0) << text;
        EXPECT_EQ(grid.height, 0) << text;
    }
}

TEST(MatrixText, sizesOutsideTheGridAreClampedAndNothingOutsideIsTouched) {
    MatrixGrid grid;
    ParseMatrixText("(2147483647x99999)", grid);
    EXPECT_EQ(grid.width, 10);
    EXPECT_EQ(grid.height, 10);
    MatrixGrid negative;
    ParseMatrixText("(-3x-7) 5.000000", negative);
    EXPECT_EQ(negative.width, 0);
    EXPECT_EQ(negative.height, 0);
    EXPECT_EQ(negative.ActiveElements(), std::vector<float>());
}

TEST(MatrixText, aRowWiderThanTheGridKeepsLaterRowsAligned) {
    std::string text = "(12x2)";
    for (int i = 1; i <= 24; ++i)
        text += " " + kelvane::FormatFixed(static_cast<float>(i));
    MatrixGrid grid;
    EXPECT_TRUE(ParseMatrixText(text, grid));
    EXPECT_EQ(grid.width, 10);
    EXPECT_EQ(grid.at(1, 0), 13.0f);
    EXPECT_EQ(grid.at(1, 9), 22.0f);
}

TEST(MatrixText, truncatedTextKeepsTheGridNumbersForTheMissingElements) {
    MatrixGrid grid;
    grid.at(0, 2) = 7;
    EXPECT_FALSE(ParseMatrixText("(3x1) 4.000000 5.0", grid));
    EXPECT_EQ(grid.width, 3);
    EXPECT_EQ(Row(grid, 0)[0], 4.0f);
    EXPECT_EQ(Row(grid, 0)[1], 5.0f);
    EXPECT_EQ(Row(grid, 0)[2], 7.0f);
    MatrixGrid garbage;
    EXPECT_FALSE(ParseMatrixText("(2x1) abcdefgh 2.000000", garbage));
    EXPECT_EQ(garbage.ActiveElements(), std::vector<float>({1, 2}));
}

TEST(MatrixText, numberFormsMatchTheCConversions) {
    EXPECT_EQ(kelvane::FormatCellNumber(1.0f), "1");
    EXPECT_EQ(kelvane::FormatCellNumber(0.25f), "0.25");
    EXPECT_EQ(kelvane::FormatCellNumber(1234567.0f), "1.23457e+06");
    EXPECT_EQ(kelvane::FormatCellNumber(0.1234567f), "0.123457");
    EXPECT_EQ(kelvane::FormatFixed(-2.5f), "-2.500000");
    EXPECT_EQ(kelvane::FormatFixed(0.1234567f), "0.123457");
}

TEST(MatrixText, typedNumbersMustBeWhole) {
    int size = -1;
    EXPECT_TRUE(kelvane::ParseIntegerText(" 12 ", size));
    EXPECT_EQ(size, 12);
    EXPECT_TRUE(kelvane::ParseIntegerText("+3", size));
    EXPECT_EQ(size, 3);
    // The whole range of int, and not one past either end.
    EXPECT_TRUE(kelvane::ParseIntegerText("2147483647", size));
    EXPECT_EQ(size, 2147483647);
    EXPECT_TRUE(kelvane::ParseIntegerText("-2147483648", size));
    EXPECT_EQ(size, -2147483647 - 1);
    for (const char* bad :
         {"", " ", "1x", "1.5", "-", "+", "+-3", "+ 3", "99999999999", "2147483648", "-2147483649"})
        EXPECT_FALSE(kelvane::ParseIntegerText(bad, size)) << bad;
    float value = 0;
    EXPECT_TRUE(kelvane::ParseRealText("-1.5e2", value));
    EXPECT_EQ(value, -150.0f);
    for (const char* bad : {"", "abc", "1,5", "1.5.2", "nan", "inf", "1e60"})
        EXPECT_FALSE(kelvane::ParseRealText(bad, value)) << bad;
}

TEST(MatrixText, randomTextsStayWithinTheGrid) {
    std::mt19937 random(20261208);
    const std::string alphabet = "(x)0123456789.-+e \n";
    for (int round = 0; round < 20000; ++round) {
        std::string text = round % 2 ? "(" : "";
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        MatrixGrid grid;
        ParseMatrixText(text, grid);
        ASSERT_GE(grid.width, 0) << text;
        ASSERT_LE(grid.width, 10) << text;
        ASSERT_GE(grid.height, 0) << text;
        ASSERT_LE(grid.height, 10) << text;
        (void)kelvane::ParseMatFile(text, grid);
    }
}
