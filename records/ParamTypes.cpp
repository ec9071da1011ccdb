#include "records/ParamTypes.h"

#include <cstdio>
#include <cstring>

#include "i18n/Translate.h"

namespace kelvane {

using i18n::N_;
using i18n::Tr;

const std::array<TypeInfo, 9> kParameterTypes = {{
    {"CImageByte*", N_("Byte 형 Image 객체의 포인터를 나타낸다.")},
    {"CImageFloat*", N_("Float 형 Image 객체의 포인터를 나타낸다.")},
    {"CImageComplex*", N_("Complex 형 Image 객체의 포인터를 나타낸다.")},
    {"CImageRGB*", N_("RGB 형 Image 객체의 포인터를 나타낸다.")},
    {"int*", N_("int 형 변수의 포인터를 나타낸다.")},
    {"double*", N_("double 형 변수의 포인터를 나타낸다.")},
    {"char*", N_("문자열을 나타낸다.")},
    {"CMatrix*", N_("Matrix 형을 나타낸다.")},
    {"CSequence*", N_("Sequence 형을 나타낸다.")},
}};

const std::array<std::string_view, 14> kTypeSelectionRows = {
    kImageHeading,    "CImageByte*", "CImageFloat*",
    "CImageComplex*", "CImageRGB*",  "",
    kSequenceHeading, "CSequence*",  "",
    kValueHeading,    "int*",        "double*",
    "char*",          "CMatrix*",
};

bool IsImageType(std::string_view typeName) {
    // Compares like strncmp over five characters: a shorter name ends the comparison.
    constexpr std::string_view image = "CImage";
    for (std::size_t i = 0; i < 5; ++i) {
        const char c = i < typeName.size() ? typeName[i] : '\0';
        if (c != image[i])
            return false;
    }
    return true;
}

bool IsValueType(std::string_view typeName) {
    return KindOfValueType(typeName).has_value();
}

std::optional<std::int32_t> KindOfValueType(std::string_view typeName) {
    if (typeName == "int*")
        return kKindInteger;
    if (typeName == "double*")
        return kKindReal;
    if (typeName == "char*")
        return kKindText;
    return std::nullopt;
}

std::optional<InitialValue> InitialValueOf(std::string_view typeName) {
    if (IsImageType(typeName))
        return InitialValue{kKindImage, "Image do not have default parameters"};
    if (typeName == "int*")
        return InitialValue{kKindInteger, "0"};
    if (typeName == "double*")
        return InitialValue{kKindReal, "0.0"};
    if (typeName == "char*")
        return InitialValue{kKindText, ""};
    if (typeName == "CMatrix*")
        return InitialValue{kKindMatrix, "(1x1) 1.000000"};
    if (typeName == "CSequence*")
        return InitialValue{kKindSequence, "Sequence do not have default parameters"};
    return std::nullopt;
}

EditClass EditClassOf(std::string_view typeName) {
    if (IsImageType(typeName))
        return EditClass::NoValue;
    if (IsValueType(typeName))
        return EditClass::TextLine;
    return EditClass::Matrix;
}

std::string ShownDescription(const TypeInfo& type) {
    return Tr(type.description.data());
}

std::string ValueDisplayText(std::int32_t kind, std::string_view text, bool isDefault) {
    if (kind == kKindImage)
        return isDefault ? "Image do not have a default parameter"
                         : "Image do not have a stored parameter";
    if (kind >= kKindInteger && kind <= kKindMatrix)
        return std::string(text);
    return "Unknown Parameter Type";
}

std::string PlaceholderTypeName(int parameterCount) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%02d", kPlaceholderPrefix.data(), parameterCount);
    return buffer;
}

std::optional<std::string> FormatMatrixText(int width, int height,
                                            const std::vector<float>& elements) {
    if (width < 0 || height < 0)
        return std::nullopt;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (elements.size() < count)
        return std::nullopt;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "(%dx%d)", width, height);
    std::string text = buffer;
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, " %f", static_cast<double>(elements[i]));
        text += buffer;
        if (text.size() > kValueTextCapacity)
            return std::nullopt;
    }
    return text;
}

}  // namespace kelvane
