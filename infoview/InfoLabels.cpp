#include "infoview/InfoLabels.h"

namespace kelvane {

namespace {

struct LabelField {
    std::string_view label;
    EditField field;
};

constexpr LabelField kLabels[] = {
    {kLabelType, EditField::Type},
    {kLabelAttribute, EditField::Attribute},
    {kLabelInputOutput, EditField::InputOutput},
    {kLabelParameterType, EditField::ParameterType},
    {kLabelDefaultValue, EditField::DefaultValue},
    {kLabelStoredValue, EditField::StoredValue},
    {kLabelParameterDescription, EditField::ParameterDescription},
    {kLabelFunctionDescription, EditField::FunctionDescription},
};

}  // namespace

std::optional<EditField> FieldOfLabel(std::string_view label) {
    for (const LabelField& entry : kLabels)
        if (entry.label == label)
            return entry.field;
    return std::nullopt;
}

bool IsParameterField(EditField field) {
    return field != EditField::Type && field != EditField::Attribute &&
           field != EditField::FunctionDescription;
}

bool IsEditableField(EditField field) {
    return field != EditField::Type && field != EditField::Attribute;
}

}  // namespace kelvane
