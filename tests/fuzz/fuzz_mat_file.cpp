// The .mat reader: refuses or reads within the grid; what it reads writes back to a file
// it reads to the same sizes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dialogs/MatFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    MatrixGrid grid;
    if (!ParseMatFile(text, grid).ok())
        return 0;
    if (grid.width < 0 || grid.width > MatrixGrid::kSide || grid.height < 0 ||
        grid.height > MatrixGrid::kSide)
        std::abort();
    MatrixGrid again;
    if (!ParseMatFile(FormatMatFile(grid), again).ok() || again.width != grid.width ||
        again.height != grid.height)
        std::abort();
    return 0;
}
