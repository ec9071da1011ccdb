#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "records/ParamTypes.h"

namespace kelvane {

// The matrix editor's data: a 10 x 10 grid, row-major (element r * 10 + c), of which the
// top-left height x width part is in use.
struct MatrixGrid {
    static constexpr int kSide = kMatrixMaxSide;
    static constexpr int kCells = kSide * kSide;

    int width = 0;
    int height = 0;
    std::array<float, kCells> elements = FilledWithOnes();

    float& at(int row, int column) {
        return elements[static_cast<std::size_t>(row * kSide + column)];
    }
    float at(int row, int column) const {
        return elements[static_cast<std::size_t>(row * kSide + column)];
    }
    // The elements in use, height rows of width numbers.
    std::vector<float> ActiveElements() const;

private:
    static std::array<float, kCells> FilledWithOnes() {
        std::array<float, kCells> ones;
        ones.fill(1.0f);
        return ones;
    }
};

// A size read from a value text or a file, kept within the grid.
int ClampSide(int size);

// Reads a matrix value text "(WxH) e e ..." into the grid the way the editor opens it:
// width and height from the prefix (0 where missing), clamped to 0..10; then each element
// in use from the position where the "%f" form of the previous one ended. An element that
// cannot be read keeps the grid's number. Returns false when the text was not complete
// (a missing prefix or element), true when every element in use was read.
bool ParseMatrixText(std::string_view text, MatrixGrid& grid);

// "%.6g", as the grid cells show a number.
std::string FormatCellNumber(float value);
// "%f"
std::string FormatFixed(float value);

// Reads a whole decimal integer or real number as typed into a cell or size edit:
// blanks around it are allowed, anything else is not.
bool ParseIntegerText(std::string_view text, int& value);
bool ParseRealText(std::string_view text, float& value);

}  // namespace kelvane
