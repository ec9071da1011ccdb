#include "tools/stress/SampleRecords.h"

#include <filesystem>
#include <string_view>

#include "records/FunctionRecord.h"

namespace kelvane::stress {

std::string SampleFunctionBytes(int version) {
    FunctionRecord record;
    record.AllocateParameters(2 + version % 2);
    const std::string text = "Version " + std::to_string(version);
    static_cast<void>(SetFieldText(record.header().description, text));
    for (int i = 0; i < record.parameterCount(); ++i) {
        static_cast<void>(SetFieldText(record.parameter(i).typeName, "int*"));
        static_cast<void>(SetFieldText(record.parameter(i).defaultText, text));
        record.parameter(i).direction = fdb::kInput;
    }
    return record.Serialize();
}

std::string CounterFunctionBytes(long counter) {
    FunctionRecord record;
    record.AllocateParameters(1);
    static_cast<void>(SetFieldText(record.header().description, std::to_string(counter)));
    return record.Serialize();
}

long CounterOf(const std::string& path) {
    FunctionRecord record;
    if (!record.Load(path) || record.parameterCount() != 1)
        return -1;
    const std::string text(FieldText(record.header().description));
    try {
        return std::stol(text);
    } catch (...) {
        return -1;
    }
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

}  // namespace kelvane::stress
