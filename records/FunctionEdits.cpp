#include "records/FunctionEdits.h"

#include <sys/stat.h>

#include <algorithm>

#include "i18n/Translate.h"
#include "records/FunctionFile.h"
#include "records/LibraryPaths.h"
#include "records/ParamTypes.h"
#include "records/TextCodec.h"

namespace kelvane {

using i18n::Say;
using i18n::Tr;

namespace {

// Encodes text for a field of N bytes; nothing is stored unless all of it fits. Text that
// reads as the field already does was not changed: the field keeps its bytes, whether they
// are CP949 or not.
template <std::size_t N>
Status StoreText(char (&field)[N], std::string_view utf8, std::string_view what) {
    if (Cp949ToUtf8(FieldText(field)) == utf8)
        return Status::Ok();
    const FieldFit fit = FitField(utf8, N - 1, what);
    if (fit.tooLong)
        return Status::Fail(
            Say("{what} is {bytes} bytes long; its field holds at most {max} bytes; nothing "
                "was written.",
                {{"what", what},
                 {"bytes", std::to_string(fit.bytes)},
                 {"max", std::to_string(N - 1)}}));
    if (!fit.cp949)
        return Status::Fail(fit.refusal);
    static_cast<void>(SetFieldText(field, *fit.cp949));
    return Status::Ok();
}

Status CheckIndex(const FunctionRecord& record, int index) {
    if (index >= 0 && index < record.parameterCount())
        return Status::Ok();
    return Status::Fail(Say(
        "The function has no parameter {index} (it has {count}; the first is 0); nothing "
        "was written.",
        {{"index", std::to_string(index)}, {"count", std::to_string(record.parameterCount())}}));
}

bool IsSelectableType(std::string_view typeName) {
    return std::any_of(kParameterTypes.begin(), kParameterTypes.end(),
                       [&](const TypeInfo& type) { return type.name == typeName; });
}

}  // namespace

Status FunctionEdit::Load(const std::string& path) {
    FdbRead read = ReadFunctionFile(path, FdbPart::WholeFile);
    if (!read.ok())
        return Status::Fail(
            Say("Could not read the function file {path}: {reason}; nothing was changed.",
                {{"path", DisplayPath(path)}, {"reason", read.Reason()}}));
    m_path = path;
    m_stamp = {true, std::move(read.bytes)};
    m_record = read.TakeRecord();
    return Status::Ok();
}

Status FunctionEdit::Save() const {
    return m_record.Save(m_path, &m_stamp);
}

Status FunctionEdit::CheckParameter(int index) const {
    return CheckIndex(m_record, index);
}

WrittenChange FunctionEdit::Change() const {
    return {m_path, m_stamp.bytes, m_record.Serialize()};
}

bool FunctionEdit::ChangedSinceRead() const {
    struct stat st {};
    return stat(m_path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           !FileHolds(m_path, m_stamp.bytes);
}

Status AddParameter(FunctionRecord& record) {
    if (record.parameterCount() >= fdb::kMaxParameterCount)
        return Status::Fail(
            Say("The function has {count} parameters, as many as a function file can hold; "
                "nothing was written.",
                {{"count", std::to_string(record.parameterCount())}}));
    std::vector<ParameterRecord> parameters = record.parameters();
    ParameterRecord added{};
    added.direction = fdb::kInput;
    const std::string name = PlaceholderTypeName(static_cast<int>(parameters.size()) + 1);
    (void)SetFieldText(added.typeName, name);  // at most "__Empty_Type_" and ten digits
    parameters.push_back(added);
    record.ReplaceParameters(std::move(parameters));
    return Status::Ok();
}

Status DeleteParameter(FunctionRecord& record, int index) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    std::vector<ParameterRecord> parameters = record.parameters();
    parameters.erase(parameters.begin() + index);
    record.ReplaceParameters(std::move(parameters));
    return Status::Ok();
}

Status SetDirection(FunctionRecord& record, int index, std::int32_t direction) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    if (direction != fdb::kInput && direction != fdb::kOutput)
        return Status::Fail(Say("A direction is 1 (input) or 0 (output); nothing was written."));
    record.parameter(index).direction = direction;
    return Status::Ok();
}

Status SetTypeName(FunctionRecord& record, int index, std::string_view typeName) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    if (!IsSelectableType(typeName))
        return Status::Fail(
            Say("\"{type}\" is not a parameter type; nothing was written.", {{"type", typeName}}));
    return StoreText(record.parameter(index).typeName, typeName, Tr("The type name"));
}

Status SetTextValue(FunctionRecord& record, int index, bool stored, std::string_view utf8) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    ParameterRecord& parameter = record.parameter(index);
    const std::optional<std::int32_t> kind = KindOfValueType(FieldText(parameter.typeName));
    if (!kind)
        return Status::Fail(
            Say("The parameter's type is not int*, double* or char*; nothing was written."));
    Status storedText = stored ? StoreText(parameter.storedText, utf8, Tr("The value"))
                               : StoreText(parameter.defaultText, utf8, Tr("The value"));
    if (!storedText)
        return storedText;
    parameter.defaultKind = *kind;
    parameter.storedKind = *kind;
    return Status::Ok();
}

Status SetMatrixValue(FunctionRecord& record, int index, bool stored, int width, int height,
                      const std::vector<float>& elements) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    ParameterRecord& parameter = record.parameter(index);
    if (EditClassOf(FieldText(parameter.typeName)) != EditClass::Matrix)
        return Status::Fail(
            Say("The parameter's value is not edited as a matrix; nothing was written."));
    if (width < 0 || height < 0 || width > kMatrixMaxSide || height > kMatrixMaxSide)
        return Status::Fail(Say("A matrix has 0 to {max} rows and columns; nothing was written.",
                                {{"max", std::to_string(kMatrixMaxSide)}}));
    if (elements.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return Status::Fail(
            Say("A {width} x {height} matrix needs {count} numbers; nothing was written.",
                {{"width", std::to_string(width)},
                 {"height", std::to_string(height)},
                 {"count", std::to_string(width * height)}}));
    const std::optional<std::string> text = FormatMatrixText(width, height, elements);
    if (!text)
        return Status::Fail(
            Say("The matrix value would be longer than the {max} bytes its field holds; "
                "nothing was written.",
                {{"max", std::to_string(kValueTextCapacity)}}));
    (void)SetFieldText(stored ? parameter.storedText : parameter.defaultText, *text);
    (stored ? parameter.storedKind : parameter.defaultKind) = kKindMatrix;
    return Status::Ok();
}

Status ClearImageValue(FunctionRecord& record, int index) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    ParameterRecord& parameter = record.parameter(index);
    if (EditClassOf(FieldText(parameter.typeName)) != EditClass::NoValue)
        return Status::Fail(Say("The parameter is not an image; nothing was written."));
    parameter.defaultKind = kKindImage;
    parameter.storedKind = kKindImage;
    return Status::Ok();
}

Status SetParameterDescription(FunctionRecord& record, int index, std::string_view utf8) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    return StoreText(record.parameter(index).description, utf8, Tr("The description"));
}

Status SetFunctionDescription(FunctionRecord& record, std::string_view utf8) {
    return StoreText(record.header().description, utf8, Tr("The description"));
}

}  // namespace kelvane
