#include "tools/stress/SampleRecords.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "records/FileOps.h"
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

Status EditDescription(const std::string& path, const std::string& text) {
    FunctionRecord record;
    FileStamp stamp;
    if (!record.Load(path, &stamp))
        return Status::Fail("could not load " + path);
    static_cast<void>(SetFieldText(record.header().description, text));
    return record.Save(path, &stamp);
}

Status IncrementCounter(const std::string& path) {
    FunctionRecord record;
    FileStamp stamp;
    if (!record.Load(path, &stamp))
        return Status::Fail("could not load " + path);
    long counter = 0;
    try {
        counter = std::stol(std::string(FieldText(record.header().description)));
    } catch (...) {
        return Status::Fail("no counter in " + path);
    }
    static_cast<void>(SetFieldText(record.header().description, std::to_string(counter + 1)));
    return record.Save(path, &stamp);
}

std::vector<std::string> NamesIn(const std::string& dir, std::string_view prefix) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void WriteSkeleton(const std::string& programDir) {
    const std::string skeleton = programDir + "/Skel/Dll";
    std::filesystem::create_directories(skeleton + "/res");
    static_cast<void>(WriteNewFile(skeleton + "/res/Dll.rc2", "// resources\r\n"));
    for (const char* name : {"StdAfx.h", "StdAfx.cpp", "resource.h", "Dll.rc", "Dll.h", "Dll.cpp"})
        static_cast<void>(WriteNewFile(skeleton + "/" + name, std::string("// ") + name + "\r\n"));
    static_cast<void>(WriteNewFile(skeleton + "/Dll.dsp",
                                   "# Microsoft Developer Studio Project File - Name=\"Dll\"\r\n"
                                   "# ADD LINK32 vantor20.lib /out:\"../Dll.dll\"\r\n"));
}

}  // namespace kelvane::stress
