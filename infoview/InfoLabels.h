#pragma once

#include <cstdint>
#include <optional>
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

// The fields the labels name, for the window's commands and kelvane-cli alike.
enum class EditField {
    Type,
    Attribute,
    InputOutput,
    ParameterType,
    DefaultValue,
    StoredValue,
    ParameterDescription,
    FunctionDescription,
};

// The field of a label text ("Default Value", "Description(Max:512 bytes)", ...).
std::optional<EditField> FieldOfLabel(std::string_view label);
// True for the labels under a parameter row.
bool IsParameterField(EditField field);
// "Type" and "Attribute" are shown but cannot be changed.
bool IsEditableField(EditField field);

}  // namespace kelvane
