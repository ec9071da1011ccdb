#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/FunctionRecord.h"

namespace kelvane {

inline constexpr int kKindDll = 0;
inline constexpr std::string_view kNewFunctionDescription = "New Function";
inline constexpr std::string_view kNewParameterDescription = "Empty";

// What the wizard (or the command line) collected about a function to create.
struct NewFunction {
    int kind = kKindDll;
    std::string name;                  // UTF-8, without "()"
    std::string location;              // the folder to create it in, as path bytes
    std::vector<std::string> inputs;   // type names in order
    std::vector<std::string> outputs;  // type names in order
};

// Why a name cannot become a function folder and record; nullopt when it can. An empty
// name is left to the caller. Refused: "/" or NUL, "." or "..", control characters, text
// without a CP949 form, and a CP949 form longer than the record's short name field holds.
std::optional<std::string> NameRefusal(const std::string& name);

// The location with a final "/" ensured.
std::string LocationDirectory(const std::string& location);
std::string FunctionFolderName(const NewFunction& function);  // name + "()"
std::string FunctionFolderPath(const NewFunction& function);
std::string FunctionFilePathOf(const NewFunction& function);
std::string ProjectFilePathOf(const NewFunction& function);  // _Src/name.dsp

// The text the summary page shows, with "\r\n" line ends (UTF-8).
std::string BuildSummary(const NewFunction& function);

// "BOOL name( T0 pIn_0, ..., U0 pOut_0, ... )"
std::string BuildSignature(const NewFunction& function);

// The new function file: header and one record per parameter, inputs first, each with
// the initial values of its type. Fails when the name has no CP949 form or is too long.
std::optional<FunctionRecord> BuildFunctionRecord(const NewFunction& function);

}  // namespace kelvane
