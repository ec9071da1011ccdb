#pragma once

#include <memory>
#include <ostream>

#include "exchange/ExportFolder.h"
#include "exchange/ExportWalk.h"
#include "exchange/Json.h"

namespace kelvane {

// One JSON document on out, written as the walk goes: the folder the export starts at with
// its tree of groups, each function with its form. Laid out as DumpJson with an indent of
// two would lay out the whole document.
std::unique_ptr<ExportSink> MakeJsonDocumentSink(std::ostream& out);

// In an output folder: functions/NAME.json for every function that could be read (its
// form, as import reads it) and index.json, the tree with the file of each function.
std::unique_ptr<ExportSink> MakeJsonFolderSink(ExportFolder& folder);

// The JSON of a node without its children: name, type, and the form (or the file, or why
// it could not be read, or that it is repeated). form may be null.
Json ExportNodeJson(const ExportNode& node, const Json* form, bool withFile);

}  // namespace kelvane
