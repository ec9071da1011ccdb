#pragma once

#include <string>
#include <vector>

#include "exchange/ExportWalk.h"
#include "records/FunctionRecord.h"

namespace kelvane {

// What a reference shows of one function, as UTF-8 texts, whatever the format.
struct ParameterRow {
    std::string direction;  // "Input" or "Output", as the function tree decides
    std::string type;
    std::string defaultValue;  // as the function tree shows it
    std::string storedValue;
    std::string description;
};

struct FunctionPage {
    std::string kind;
    int parameterCount = 0;
    std::string description;
    std::vector<ParameterRow> parameters;
};

FunctionPage MakeFunctionPage(const FunctionRecord& record);

// How deep an index nests its lists; deeper folders are listed at this depth.
inline constexpr int kMaxIndexNesting = 24;

// Headings of the references.
inline constexpr const char* kColumnHeadings[] = {
    "#", "Direction", "Type", "Default value", "Stored value", "Description"};

// "15 functions in 3 tabs" and the like, for the head of an index.
std::string ExportCountText(const ExportTree& tree);

// The anchor of a group in the index, and of a function in a one-document reference.
std::string GroupAnchor(int index);
std::string FunctionAnchor(const ExportNode& node);

// The groups a function's page links back to: those below the start down to its parent,
// at most kMaxIndexNesting of them (the nearest); shortened tells that some were left out.
std::vector<int> CrumbTrail(const ExportTree& tree, int index, bool& shortened);

// "reached again through a symbolic link; listed once" and the like: why a node has no
// page, or empty.
std::string NodeRemark(const ExportNode& node);

}  // namespace kelvane
