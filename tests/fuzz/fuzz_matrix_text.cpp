// The matrix value text parser: sizes stay within the grid, and a fully read text
// formats back to a text the parser reads to the same grid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dialogs/MatrixText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    MatrixGrid grid;
    const bool complete = ParseMatrixText(text, grid);
    if (grid.width < 0 || grid.width > MatrixGrid::kSide || grid.height < 0 ||
        grid.height > MatrixGrid::kSide)
        std::abort();
    if (!complete)
        return 0;
    const auto formatted = FormatMatrixText(grid.width, grid.height, grid.ActiveElements());
    if (!formatted)
        return 0;  // too long for a value field
    MatrixGrid again;
    if (!ParseMatrixText(*formatted, again) || again.width != grid.width ||
        again.height != grid.height)
        std::abort();
    return 0;
}
