#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/FunctionRecord.h"
#include "records/Result.h"

namespace kelvane {

enum class ExportNodeType { Library, Tab, Group, Function };

// One folder of an exported tree: what every format needs to show it and to link to it.
struct ExportNode {
    ExportNodeType type = ExportNodeType::Group;
    std::string name;  // as shown: UTF-8
    int parent = -1;   // index in ExportTree::nodes; -1 for the folder the export starts at
    int depth = 0;
    // Why the folder or its function file could not be read; empty when it could.
    std::string problem;
    bool repeated = false;  // reached again through a link: listed, not entered again
    // Of a function that was read: its kind, parameter count and the first line of its
    // description (the line for a sink that needs it).
    std::int32_t kind = 0;
    int parameterCount = 0;
    std::string summary;
    // Of a function: a file name for it in an output folder, unique in the export, made of
    // ASCII letters, digits and "-" only; for a sink that needs it.
    std::string file;
};

// The folders of an export in library order, parents before their children.
struct ExportTree {
    std::vector<ExportNode> nodes;
    int functions = 0;
    int unreadable = 0;  // folders and function files that could not be read
    // Symbolic links followed out of the folder the export starts at, as sentences.
    std::vector<std::string> linksOut;

    std::vector<int> Children(int index) const;
    // The groups from the start down to the node's parent.
    std::vector<int> Ancestors(int index) const;
};

// What a format shows of the nodes beyond their names, types and problems; the walk
// works out only that.
struct ExportNeeds {
    bool fileNames = true;  // ExportNode::file
    bool summaries = true;  // ExportNode::summary
};

// Receives the nodes of an export one by one, in library order.
class ExportSink {
public:
    virtual ~ExportSink() = default;
    virtual ExportNeeds Needs() const { return {}; }
    // Sets out to what of the node's output depends on its own fields and its record alone
    // (not on its index, its file name or the nodes around it); record is the function's
    // when it was read, else null. Called before Add, on any thread.
    virtual void Prepare(const ExportNode& node, const FunctionRecord* record,
                         std::string& out) const = 0;
    // The node just added to tree, with what Prepare gave for it.
    virtual Status Add(const ExportTree& tree, int index, std::string_view prepared) = 0;
    // Every node has been added.
    virtual Status Finish(const ExportTree& tree) = 0;
};

// Walks the folder start with the one library walk (each folder entered once, links
// followed but never twice, "_Src" skipped below the tabs) and gives every folder to the
// sink, each function with its record read from its file. A folder or file that cannot be
// read is added with its problem and the export goes on. Fails when start cannot be read or
// the sink fails; the sink has then not been finished. With more than one thread the
// folders in start are walked side by side; the sink gets the same nodes in the same order.
Status WalkForExport(const std::string& start, const std::string& libraryRoot, ExportSink& sink,
                     ExportTree& tree, int threads = 1);

}  // namespace kelvane
