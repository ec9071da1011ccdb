#pragma once

#include <string>
#include <string_view>

#include "dialogs/MatrixText.h"
#include "records/Result.h"

namespace kelvane {

// .mat text files: the width, the height, an empty line, then one line per row with
// each element in "%f" form followed by a blank. Only the part in use is stored.

inline constexpr std::string_view kMatExtension = ".mat";

// The path with ".mat" appended unless its last four characters already are ".mat" in
// any case.
std::string WithMatExtension(const std::string& path);

std::string FormatMatFile(const MatrixGrid& grid);

// Reads the format with any white space between the numbers. The sizes must lie within
// 0..10 and every number must be present; otherwise grid is left untouched and the
// message says what is wrong. Numbers outside the stored part keep their values.
Status ParseMatFile(std::string_view text, MatrixGrid& grid);

// Writes through the atomic save path; read with ReadWholeFile and ParseMatFile.
Status WriteMatFile(const std::string& path, const MatrixGrid& grid);

}  // namespace kelvane
