#include "records/RepeatableEdit.h"

#include <utility>

#include "records/TextCodec.h"

namespace kelvane {

RepeatableEdit::RepeatableEdit(Apply apply, int parameter, std::string typeName)
    : m_apply(std::move(apply)), m_parameter(parameter), m_typeName(std::move(typeName)) {}

RepeatableEdit RepeatableEdit::OfFunction(Apply apply) {
    return RepeatableEdit(std::move(apply), -1, {});
}

RepeatableEdit RepeatableEdit::OfParameter(const FunctionRecord& record, int index, Apply apply) {
    std::string typeName;
    if (index >= 0 && index < record.parameterCount())
        typeName = FieldText(record.parameter(index).typeName);
    return RepeatableEdit(std::move(apply), index, std::move(typeName));
}

Status RepeatableEdit::ApplyTo(FunctionRecord& record) const {
    if (m_parameter >= 0) {
        const std::string position =
            "parameter " + std::to_string(m_parameter) + " (the first is 0)";
        if (m_parameter >= record.parameterCount())
            return Status::Fail("the function has no " + position + " any more (it has " +
                                std::to_string(record.parameterCount()) +
                                "), so the change was not made.");
        const std::string_view now = FieldText(record.parameter(m_parameter).typeName);
        if (now != m_typeName)
            return Status::Fail(position + " is now of type " + DisplayName(now) + ", not " +
                                DisplayName(m_typeName) +
                                ": it is not the parameter that was changed, so the change "
                                "was not made.");
    }
    return m_apply(record);
}

}  // namespace kelvane
