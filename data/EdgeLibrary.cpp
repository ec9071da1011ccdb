#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>

#include "data/SampleLibrary.h"
#include "records/FileOps.h"
#include "records/LibraryPaths.h"

namespace kelvane::sample {

namespace {

Status MakeDir(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error)
        return Status::Fail("Could not create " + dir + ": " + error.message() + ".");
    return Status::Ok();
}

// Writes a function file whose bytes the caller has damaged.
Status WriteRaw(const std::string& group, const std::string& folderName, std::string bytes) {
    const std::string folder = group + "/" + folderName;
    if (Status made = MakeDir(folder); !made)
        return made;
    return WriteFileAtomically(GetFunctionFilePath(folder, folderName), bytes);
}

std::string WithCount(std::string bytes, std::int32_t count) {
    std::memcpy(bytes.data() + offsetof(FunctionHeader, parameterCount), &count, sizeof count);
    return bytes;
}

SampleFunction Plain(const std::string& name, int parameters) {
    SampleFunction spec{name, 0, name + " description", {}};
    for (int i = 0; i < parameters; ++i)
        spec.params.push_back({"int*", true, "p", {}, {}});
    return spec;
}

}  // namespace

Status WriteEdgeLibrary(const std::string& programDir) {
    const std::string root = programDir + "/FunctionLibrary";
    const std::string odd = root + "/Odd";
    const std::string damaged = odd + "/Damaged";
    for (const std::string& dir : {odd + "/Edge( )", odd + "/Edge()x", odd + "/_Src", odd + "/_src",
                                   damaged, odd + "/Misnamed()", root + "/_Src", odd + "/Loop"})
        if (Status made = MakeDir(dir); !made)
            return made;

    Status status = WriteFunction(odd, Plain("", 0));  // the folder "()"
    if (status)
        status = WriteFunction(root, Plain("X", 1));
    if (status)
        status = WriteFileAtomically(odd + "/Misnamed()/Misnamed.fdb", "");
    if (status)
        status = WriteFileAtomically(odd + "/notes.txt", "not a folder\n");
    if (status)
        status = WriteFunction(odd, {"Escapes", 0, "tab\there back\\slash\r\nsecond line", {}});
    if (status)
        status = WriteFunction(odd, {"Odd",
                                     7,
                                     "kinds and directions out of range",
                                     {{"__Empty_Type_01", true, "placeholder", {}, {}},
                                      {"Int*", true, "not a value type", {}, {}},
                                      {"CSequence*", false, "sequence", {}, {}}}});
    if (!status)
        return status;
    {
        FunctionRecord record = MakeRecord(Plain("Odd", 0));
        if (!record.Load(GetFunctionFilePath(odd + "/Odd()", "Odd()")))
            return Status::Fail("Could not read back Odd().");
        record.parameter(0).direction = 2;
        record.parameter(1).defaultKind = 9;
        record.parameter(1).storedKind = -1;
        if (status = record.Save(GetFunctionFilePath(odd + "/Odd()", "Odd()")); !status)
            return status;
    }

    const std::string three = MakeRecord(Plain("Three", 3)).Serialize();
    if (status = WriteRaw(damaged, "Short()", three.substr(0, 1000)); !status)
        return status;
    if (status = WriteRaw(damaged, "Truncated()", three.substr(0, three.size() - 4740)); !status)
        return status;
    if (status = WriteRaw(damaged, "Negative()", WithCount(three, -1)); !status)
        return status;
    if (status = WriteRaw(damaged, "Huge()", WithCount(three, INT32_MAX)); !status)
        return status;
    if (status = WriteRaw(damaged, "Trailing()", three + std::string(100, 'x')); !status)
        return status;
    std::string unterminated = MakeRecord(Plain("Unterminated", 0)).Serialize();
    std::memset(unterminated.data() + offsetof(FunctionHeader, description), 'A',
                fdb::kFunctionDescriptionSize);
    if (status = WriteRaw(damaged, "Unterminated()", unterminated); !status)
        return status;

    // A name that is not UTF-8: "필터" in CP949.
    if (status = MakeDir(odd + "/\xC7\xCA\xC5\xCD"); !status)
        return status;
    // A cycle through a symbolic link.
    std::error_code error;
    std::filesystem::create_directory_symlink("..", odd + "/Loop/Back", error);
    if (error && error != std::errc::file_exists)
        return Status::Fail("Could not create the link: " + error.message() + ".");
    return Status::Ok();
}

}  // namespace kelvane::sample
