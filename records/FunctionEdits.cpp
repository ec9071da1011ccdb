#include "records/FunctionEdits.h"

#include <sys/stat.h>

#include <algorithm>

#include "records/FunctionFile.h"
#include "records/LibraryPaths.h"
#include "records/ParamTypes.h"
#include "records/TextCodec.h"

namespace kelvane {

namespace {

// Encodes text for a field of N bytes; nothing is stored unless all of it fits. Text that
// reads as the field already does was not changed: the field keeps its bytes, whether they
// are CP949 or not.
template <std::size_t N>
Status StoreText(char (&field)[N], std::string_view utf8, std::string_view what) {
    if (Cp949ToUtf8(FieldText(field)) == utf8)
        return Status::Ok();
    const FieldFit fit = FitField(utf8, N - 1, what);
    if (!fit.cp949)
        return Status::Fail(fit.tooLong ? fit.refusal + "; nothing was written" : fit.refusal);
    static_cast<void>(SetFieldText(field, *fit.cp949));
    return Status::Ok();
}

Status CheckIndex(const FunctionRecord& record, int index) {
    if (index >= 0 && index < record.parameterCount())
        return Status::Ok();
    return Status::Fail("the function has no parameter " + std::to_string(index) + " (it has " +
                        std::to_string(record.parameterCount()) +
                        "; the first is 0); nothing was written");
}

bool IsSelectableType(std::string_view typeName) {
    return std::any_of(kParameterTypes.begin(), kParameterTypes.end(),
                       [&](const TypeInfo& type) { return type.name == typeName; });
}

}  // namespace

Status FunctionEdit::Load(const std::string& path) {
    FdbRead read = ReadFunctionFile(path, FdbPart::WholeFile);
    if (!read.ok())
        return Status::Fail("could not read the function file " + DisplayPath(path) + ": " +
                            read.Reason() + "; nothing was changed");
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
        return Status::Fail("the function has " + std::to_string(record.parameterCount()) +
                            " parameters, as many as a function file can hold; nothing was "
                            "written");
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
        return Status::Fail("a direction is 1 (input) or 0 (output); nothing was written");
    record.parameter(index).direction = direction;
    return Status::Ok();
}

Status SetTypeName(FunctionRecord& record, int index, std::string_view typeName) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    if (!IsSelectableType(typeName))
        return Status::Fail("\"" + std::string(typeName) +
                            "\" is not a parameter type; nothing was written");
    return StoreText(record.parameter(index).typeName, typeName, "The type name");
}

Status SetTextValue(FunctionRecord& record, int index, bool stored, std::string_view utf8) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    ParameterRecord& parameter = record.parameter(index);
    const std::optional<std::int32_t> kind = KindOfValueType(FieldText(parameter.typeName));
    if (!kind)
        return Status::Fail(
            "the parameter's type is not int*, double* or char*; nothing "
            "was written");
    Status storedText = stored ? StoreText(parameter.storedText, utf8, "The value")
                               : StoreText(parameter.defaultText, utf8, "The value");
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
            "the parameter's value is not edited as a matrix; nothing was "
            "written");
    if (width < 0 || height < 0 || width > kMatrixMaxSide || height > kMatrixMaxSide)
        return Status::Fail("a matrix has 0 to " + std::to_string(kMatrixMaxSide) +
                            " rows and columns; nothing was written");
    if (elements.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return Status::Fail("a " + std::to_string(width) + " x " + std::to_string(height) +
                            " matrix needs " + std::to_string(width * height) +
                            " numbers; nothing was written");
    const std::optional<std::string> text = FormatMatrixText(width, height, elements);
    if (!text)
        return Status::Fail("the matrix value would be longer than the " +
                            std::to_string(kValueTextCapacity) +
                            " bytes its field holds; nothing was written");
    (void)SetFieldText(stored ? parameter.storedText : parameter.defaultText, *text);
    (stored ? parameter.storedKind : parameter.defaultKind) = kKindMatrix;
    return Status::Ok();
}

Status ClearImageValue(FunctionRecord& record, int index) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    ParameterRecord& parameter = record.parameter(index);
    if (EditClassOf(FieldText(parameter.typeName)) != EditClass::NoValue)
        return Status::Fail("the parameter is not an image; nothing was written");
    parameter.defaultKind = kKindImage;
    parameter.storedKind = kKindImage;
    return Status::Ok();
}

Status SetParameterDescription(FunctionRecord& record, int index, std::string_view utf8) {
    if (Status checked = CheckIndex(record, index); !checked)
        return checked;
    return StoreText(record.parameter(index).description, utf8, "The description");
}

Status SetFunctionDescription(FunctionRecord& record, std::string_view utf8) {
    return StoreText(record.header().description, utf8, "The description");
}

}  // namespace kelvane
