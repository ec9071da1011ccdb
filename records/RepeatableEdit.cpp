#include "records/RepeatableEdit.h"

#include <utility>

#include "i18n/Translate.h"
#include "records/TextCodec.h"

namespace kelvane {

using i18n::Say;

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
        const std::string index = std::to_string(m_parameter);
        if (m_parameter >= record.parameterCount())
            return Status::Fail(
                Say("The function has no parameter {index} (the first is 0) any more (it has "
                    "{count}), so the change was not made.",
                    {{"index", index}, {"count", std::to_string(record.parameterCount())}}));
        const std::string_view now = FieldText(record.parameter(m_parameter).typeName);
        if (now != m_typeName)
            return Status::Fail(Say(
                "Parameter {index} (the first is 0) is now of type {now}, not {was}: it is "
                "not the parameter that was changed, so the change was not made.",
                {{"index", index}, {"now", DisplayName(now)}, {"was", DisplayName(m_typeName)}}));
    }
    return m_apply(record);
}

}  // namespace kelvane
