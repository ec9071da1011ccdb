#pragma once

namespace kelvane {

// The icon of each item, as the cell of a bitmap strip: the models choose them, the widgets
// show them, and the resources cut the strips into these cells.

// Cells of bitmap strip 132 (information tree).
namespace infoicon {
inline constexpr int kFunction = 0;
inline constexpr int kFolderClosed = 1;
inline constexpr int kFolderOpen = 2;
inline constexpr int kLabel = 3;       // red box
inline constexpr int kValue = 4;       // green box
inline constexpr int kParamValue = 5;  // magenta box
inline constexpr int kUnused = 6;      // blue box
inline constexpr int kInput = 7;
inline constexpr int kOutput = 8;
inline constexpr int kCount = 9;
}  // namespace infoicon

// Cells of bitmap strip 131 (library tree and group listing).
namespace libicon {
inline constexpr int kLibrary = 0;
inline constexpr int kGroupClosed = 1;
inline constexpr int kGroupOpen = 2;
inline constexpr int kFunction = 3;
inline constexpr int kFunctionSelected = 4;
inline constexpr int kBroken = 5;          // grey box with a red cross: a folder not read
inline constexpr int kBrokenSelected = 6;  // dark box with a red cross
inline constexpr int kCount = 7;
}  // namespace libicon

}  // namespace kelvane
