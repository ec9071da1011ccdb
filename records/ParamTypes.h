#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

enum ValueKind : std::int32_t {
    kKindImage = 0,
    kKindInteger = 1,
    kKindReal = 2,
    kKindText = 3,
    kKindMatrix = 4,
    kKindSequence = 5,
};

struct TypeInfo {
    std::string_view name;
    std::string_view description;  // UTF-8, as the wizard shows it beside the name
};

// The nine type names in the wizard's order, with their descriptions.
extern const std::array<TypeInfo, 9> kParameterTypes;

// A type's description in the language in use.
std::string ShownDescription(const TypeInfo& type);

// The fourteen rows of the type selection list: headings, types and empty spacers.
extern const std::array<std::string_view, 14> kTypeSelectionRows;

inline constexpr std::string_view kImageHeading = "<--Image Parameter-->";
inline constexpr std::string_view kSequenceHeading = "<--Sequence Parameter-->";
inline constexpr std::string_view kValueHeading = "<--Value Parameter-->";
inline constexpr std::string_view kPlaceholderPrefix = "__Empty_Type_";

// The first five characters equal those of "CImage".
bool IsImageType(std::string_view typeName);
// "int*", "double*" or "char*", exactly.
bool IsValueType(std::string_view typeName);
// 1, 2 or 3 for the value types; nullopt otherwise.
std::optional<std::int32_t> KindOfValueType(std::string_view typeName);

struct InitialValue {
    std::int32_t kind;
    std::string_view text;
};
// The value a new function gives a parameter of this type; nullopt for an unknown name.
std::optional<InitialValue> InitialValueOf(std::string_view typeName);

enum class EditClass { NoValue, TextLine, Matrix };
EditClass EditClassOf(std::string_view typeName);

// How a default or stored value is shown: by its kind, whatever its text.
std::string ValueDisplayText(std::int32_t kind, std::string_view text, bool isDefault);

// "__Empty_Type_%02d"
std::string PlaceholderTypeName(int parameterCount);

inline constexpr int kMatrixMaxSide = 10;
inline constexpr std::size_t kValueTextCapacity = 2047;

// "(%dx%d)" then " %f" per element, row by row; elements holds height rows of width
// numbers. nullopt when the text would not fit a value field (2047 bytes).
std::optional<std::string> FormatMatrixText(int width, int height,
                                            const std::vector<float>& elements);

}  // namespace kelvane
