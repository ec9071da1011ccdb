#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/FunctionRecord.h"
#include "records/Result.h"

namespace kelvane::sample {

struct SampleParameter {
    std::string type;  // a type name, or any text for odd cases
    bool input = true;
    std::string description = "Empty";  // UTF-8
    // Texts as UTF-8; unset means the type's initial value.
    std::optional<std::string> defaultText;
    std::optional<std::string> storedText;
};

struct SampleFunction {
    std::string name;  // without "()"
    int kind = 0;
    std::string description = "New Function";  // UTF-8
    std::vector<SampleParameter> params;
};

// The record of a SampleFunction, texts stored as CP949 (a text CP949 cannot hold, or one too
// long for its field, is a programming error here and throws).
FunctionRecord MakeRecord(const SampleFunction& spec);

// Creates dir/NAME()/NAME().fdb (and the folders on the way).
Status WriteFunction(const std::string& dir, const SampleFunction& spec);

// The bundled sample: dir/FunctionLibrary with its groups and functions.
Status WriteSampleLibrary(const std::string& programDir);

// A library of odd folders and damaged files for tests: dir/FunctionLibrary.
Status WriteEdgeLibrary(const std::string& programDir);

// Copies the skeleton and class library texts from sourceDir (the data folder) to
// programDir/Skel/Dll and programDir/ClassLibrary; the skeleton gets CR LF line ends.
Status CopyProjectData(const std::string& sourceDir, const std::string& programDir);

}  // namespace kelvane::sample
