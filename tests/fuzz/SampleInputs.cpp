#include "tests/fuzz/SampleInputs.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "dialogs/MatFile.h"
#include "dialogs/MatrixText.h"
#include "exchange/FunctionJson.h"
#include "infoview/InfoTreeModel.h"
#include "records/FunctionFileCheck.h"
#include "records/FunctionRecord.h"

namespace kelvane::fuzz {

namespace {

void Set(char* field, std::size_t size, const std::string& text) {
    text.copy(field, std::min(text.size(), size - 1));
    field[std::min(text.size(), size - 1)] = '\0';
}

template <std::size_t N>
void Set(char (&field)[N], const std::string& text) {
    Set(field, N, text);
}

std::string Function(int kind, const std::vector<std::pair<std::string, std::string>>& params) {
    FunctionRecord record;
    record.header().kind = kind;
    Set(record.header().name, "Blur");
    Set(record.header().nameCopy, "Blur");
    Set(record.header().description, "New Function\r\nsecond line \xb0\xa1");
    record.AllocateParameters(static_cast<int>(params.size()));
    for (std::size_t i = 0; i < params.size(); ++i) {
        ParameterRecord& p = record.parameter(static_cast<int>(i));
        Set(p.typeName, params[i].first);
        p.direction = i % 2 == 0 ? fdb::kInput : fdb::kOutput;
        Set(p.description, "Empty");
        const auto kind = KindOfValueType(params[i].first);
        p.defaultKind = p.storedKind = kind.value_or(0);
        Set(p.defaultText, params[i].second);
        Set(p.storedText, params[i].second);
    }
    return record.Serialize();
}

}  // namespace

std::vector<Sample> SampleFunctionFiles() {
    return {
        {"empty", Function(0, {})},
        {"values", Function(0, {{"CImageByte*", "Image do not have default parameters"},
                                {"int*", "42"},
                                {"double*", "0.0"},
                                {"char*", "text"}})},
        {"matrix", Function(1, {{"CMatrix*",
                                 "(3x2) 1.000000 2.000000 3.000000 4.000000 "
                                 "5.000000 6.000000"},
                                {"CSequence*", "Sequence do not have default parameters"},
                                {"__Empty_Type_03", ""}})},
    };
}

std::vector<Sample> SampleMatrixTexts() {
    return {{"one", "(1x1) 1.000000"},
            {"three_by_two", "(3x2) 1.000000 -2.500000 3.000000 4.000000 5.000000 6.000000"},
            {"empty", ""},
            {"zero", "(4x0)"},
            {"big", "(2x1) 123456789.000000 -0.000001"}};
}

std::vector<Sample> SampleMatFiles() {
    return {{"canonical", "3\n2\n\n1.000000 2.000000 3.000000 \n4.000000 5.000000 6.000000 \n"},
            {"loose", "2 2 1 2\r\n 3\t4"},
            {"empty_grid", "0\n0\n\n"}};
}

void ExerciseFunctionFile(const std::string& bytes) {
    static const int fd = memfd_create("fuzz.fdb", 0);
    if (fd < 0)
        std::abort();
    if (ftruncate(fd, 0) != 0 ||
        pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        std::abort();
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    FunctionHeader header;
    const bool headerRead = FunctionRecord::LoadHeader(path, header);
    FunctionRecord record;
    const bool loaded = record.Load(path);
    if (headerRead != loaded || ParseFunctionBytes(bytes).ok() != loaded)
        std::abort();
    CheckFunctionFile(path);
    if (!loaded)
        return;
    const std::string again = record.Serialize();
    if (bytes.compare(0, again.size(), again) != 0)
        std::abort();
    const InfoItem tree = BuildInfoTree("Blur()", record);
    if (tree.children.empty())
        std::abort();
    // Its JSON form gives the same bytes back, whatever they are.
    const ParsedJson form = ParseJson(DumpJson(FunctionToJson(record), 2));
    const FormResult back = form.ok ? FunctionFromJson(form.value) : FormResult{};
    if (!back.ok || back.record.Serialize() != again)
        std::abort();
}

std::vector<Sample> SampleFunctionForms() {
    std::vector<Sample> forms;
    for (const Sample& file : SampleFunctionFiles()) {
        if (file.bytes.size() < fdb::kHeaderSize)
            continue;
        FunctionRecord record;
        std::memcpy(&record.header(), file.bytes.data(), fdb::kHeaderSize);
        const auto count = static_cast<std::size_t>(record.header().parameterCount);
        if (count == 0 || count > (file.bytes.size() - fdb::kHeaderSize) / fdb::kParameterSize)
            continue;
        std::vector<ParameterRecord> parameters(count);
        std::memcpy(parameters.data(), file.bytes.data() + fdb::kHeaderSize,
                    count * fdb::kParameterSize);
        record.ReplaceParameters(std::move(parameters));
        forms.push_back({file.name, DumpJson(FunctionToJson(record), 2)});
    }
    return forms;
}

void ExerciseFunctionForm(const std::string& text) {
    const ParsedJson parsed = ParseJson(text);
    if (!parsed.ok)
        return;
    const FormResult result = FunctionFromJson(parsed.value);
    if (!result.ok)
        return;
    // A form that was taken describes a record whose own form describes it again.
    const FormResult again = FunctionFromJson(FunctionToJson(result.record));
    if (!again.ok || again.record.Serialize() != result.record.Serialize())
        std::abort();
}

}  // namespace kelvane::fuzz
