#include "exchange/FunctionPage.h"

#include <algorithm>

#include "infoview/InfoLabels.h"
#include "records/ParamTypes.h"
#include "records/TextCodec.h"

namespace kelvane {

FunctionPage MakeFunctionPage(const FunctionRecord& record) {
    FunctionPage page;
    page.kind = std::string(FunctionKindText(record.header().kind));
    page.parameterCount = record.parameterCount();
    page.description = Cp949ToUtf8(FieldText(record.header().description));
    for (const ParameterRecord& p : record.parameters()) {
        ParameterRow row;
        row.direction = p.direction != 0 ? "Input" : "Output";
        row.type = Cp949ToUtf8(FieldText(p.typeName));
        row.defaultValue =
            ValueDisplayText(p.defaultKind, Cp949ToUtf8(FieldText(p.defaultText)), true);
        row.storedValue =
            ValueDisplayText(p.storedKind, Cp949ToUtf8(FieldText(p.storedText)), false);
        row.description = Cp949ToUtf8(FieldText(p.description));
        page.parameters.push_back(std::move(row));
    }
    return page;
}

std::string ExportCountText(const ExportTree& tree) {
    int tabs = 0;
    for (const ExportNode& node : tree.nodes)
        tabs += node.type == ExportNodeType::Tab && node.depth == 1;
    std::string text =
        std::to_string(tree.functions) + (tree.functions == 1 ? " function" : " functions");
    if (tabs > 0)
        text += " in " + std::to_string(tabs) + (tabs == 1 ? " tab" : " tabs");
    if (tree.unreadable > 0)
        text += "; " + std::to_string(tree.unreadable) + " could not be read";
    return text;
}

std::string GroupAnchor(int index) {
    return "g" + std::to_string(index);
}

std::string FunctionAnchor(const ExportNode& node) {
    return "f-" + node.file;
}

std::vector<int> CrumbTrail(const ExportTree& tree, int index, bool& shortened) {
    std::vector<int> trail;
    shortened = false;
    for (int at = tree.nodes[static_cast<std::size_t>(index)].parent; at > 0;
         at = tree.nodes[static_cast<std::size_t>(at)].parent) {
        if (static_cast<int>(trail.size()) == kMaxIndexNesting) {
            shortened = true;
            break;
        }
        trail.push_back(at);
    }
    std::reverse(trail.begin(), trail.end());
    return trail;
}

std::string NodeRemark(const ExportNode& node) {
    if (node.repeated)
        return "reached again through a symbolic link; listed once";
    if (!node.problem.empty())
        return "unreadable: " + node.problem;
    return {};
}

}  // namespace kelvane
