#pragma once

#include <cstdint>
#include <string_view>

namespace kelvane {

// Fixed item texts of the information tree; the editing commands find fields by them.
inline constexpr std::string_view kBasicInformation = "Basic Information";
inline constexpr std::string_view kParameters = "Parameters";
inline constexpr std::string_view kLabelType = "Type";
inline constexpr std::string_view kLabelAttribute = "Attribute";
inline constexpr std::string_view kLabelParameterCount = "Number of Parameters";
inline constexpr std::string_view kLabelFunctionDescription = "Description(Max:1024 bytes)";
inline constexpr std::string_view kLabelInputOutput = "Input/Output";
inline constexpr std::string_view kLabelParameterType = "Parameter Type";
inline constexpr std::string_view kLabelDefaultValue = "Default Value";
inline constexpr std::string_view kLabelStoredValue = "Stored Value";
inline constexpr std::string_view kLabelParameterDescription = "Description(Max:512 bytes)";

// The value of "Type": the function's kind.
constexpr std::string_view FunctionKindText(std::int32_t kind) {
    switch (kind) {
        case 0:
            return "DLL Function";
        case 1:
            return "Schematic Function";
        case 2:
            return "Script Function";
        default:
            return "Unknown Function";
    }
}

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
