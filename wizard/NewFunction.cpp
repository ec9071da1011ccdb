#include "wizard/NewFunction.h"

#include <algorithm>

#include "i18n/Translate.h"
#include "records/LibraryPaths.h"
#include "records/ParamTypes.h"
#include "records/TextCodec.h"

namespace kelvane {

using i18n::Say;
using i18n::Tr;

namespace {

constexpr std::string_view kRule = "====================\r\n";

std::string Section(std::string_view heading) {
    return std::string(kRule) + std::string(heading) + "\r\n" + std::string(kRule);
}

std::string KindText(int kind) {
    switch (kind) {
        case 0:
            return Tr("DLL 함수");
        case 1:
            return Tr("Script 함수");
        case 2:
            return Tr("Visual Programming 함수");
        default:
            return {};
    }
}

}  // namespace

std::optional<std::string> NameRefusal(const std::string& name) {
    // An empty name is refused by each caller before this, in its own words.
    switch (FolderNameFault(name)) {
        case NameFault::None:
        case NameFault::Empty:
            break;
        case NameFault::Separator:
            return Tr("A function name cannot contain \"/\".");
        case NameFault::DotName:
            return Tr("\".\" and \"..\" cannot be function names.");
    }
    // A control character in a folder name would reach terminals raw wherever it is listed.
    if (std::any_of(name.begin(), name.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte < 0x20 || byte == 0x7F;
        }))
        return Tr("A function name cannot contain control characters.");
    const auto cp949 = Utf8ToCp949(name);
    if (!cp949)
        return NotCp949Message(Tr("The function name"));
    if (cp949->size() >= fdb::kNameCopySize)
        return Say(
            "The function name is {bytes} bytes long in the Korean code page; at most {max} "
            "fit.",
            {{"bytes", std::to_string(cp949->size())},
             {"max", std::to_string(fdb::kNameCopySize - 1)}});
    return std::nullopt;
}

std::string LocationDirectory(const std::string& location) {
    if (!location.empty() && location.back() == '/')
        return location;
    return location + "/";
}

std::string FunctionFolderName(const NewFunction& function) {
    return function.name + "()";
}

std::string FunctionFolderPath(const NewFunction& function) {
    return LocationDirectory(function.location) + FunctionFolderName(function);
}

std::string FunctionFilePathOf(const NewFunction& function) {
    return GetFunctionFilePath(FunctionFolderPath(function), FunctionFolderName(function));
}

std::string ProjectFilePathOf(const NewFunction& function) {
    return GetProjectFilePath(FunctionFolderPath(function), FunctionFolderName(function), ".dsp");
}

std::string BuildSummary(const NewFunction& function) {
    std::string text;
    const std::string kind = KindText(function.kind);
    if (!kind.empty())
        text += Section(Tr("함수의 형식")) + "\r\n" + kind + "\r\n\r\n";
    text += Section(Tr("함수의 이름")) + "\r\n" + function.name + "\r\n\r\n";
    text += Section(Tr("함수의 위치")) + "\r\n" + DisplayPath(FunctionFolderPath(function)) +
            "\r\n\r\n";
    text += Section(Tr("파라미터 정보")) + "Input:\r\n";
    for (const std::string& type : function.inputs)
        text += type + "\r\n";
    text += "\r\nOutput:\r\n";
    for (const std::string& type : function.outputs)
        text += type + "\r\n";
    return text;
}

std::string BuildSignature(const NewFunction& function) {
    std::string text = "BOOL " + function.name + "( ";
    bool first = true;
    auto add = [&](const std::vector<std::string>& types, std::string_view prefix) {
        for (std::size_t i = 0; i < types.size(); ++i) {
            if (!first)
                text += ", ";
            first = false;
            text += types[i] + " " + std::string(prefix) + std::to_string(i);
        }
    };
    add(function.inputs, "pIn_");
    add(function.outputs, "pOut_");
    return text + " )";
}

std::optional<FunctionRecord> BuildFunctionRecord(const NewFunction& function) {
    const auto name = Utf8ToCp949(function.name);
    if (!name)
        return std::nullopt;
    FunctionRecord record;
    FunctionHeader& header = record.header();
    header.kind = function.kind;
    if (!SetFieldText(header.nameCopy, *name) || !SetFieldText(header.name, *name) ||
        !SetFieldText(header.description, kNewFunctionDescription))
        return std::nullopt;

    const std::size_t count = function.inputs.size() + function.outputs.size();
    record.AllocateParameters(static_cast<int>(count));
    int index = 0;
    for (const std::string& type : function.inputs) {
        ParameterRecord& p = record.parameter(index++);
        p.direction = fdb::kInput;
        if (!SetFieldText(p.typeName, type) ||
            !SetFieldText(p.description, kNewParameterDescription))
            return std::nullopt;
        if (const auto initial = InitialValueOf(type)) {
            p.defaultKind = p.storedKind = initial->kind;
            if (!SetFieldText(p.defaultText, initial->text) ||
                !SetFieldText(p.storedText, initial->text))
                return std::nullopt;
        }
    }
    for (const std::string& type : function.outputs) {
        ParameterRecord& p = record.parameter(index++);
        p.direction = fdb::kOutput;
        if (!SetFieldText(p.typeName, type) ||
            !SetFieldText(p.description, kNewParameterDescription))
            return std::nullopt;
    }
    return record;
}

}  // namespace kelvane
