#include "infoview/InfoTreeModel.h"

#include <string_view>

#include "infoview/IconCells.h"
#include "infoview/InfoLabels.h"
#include "records/FunctionFileCheck.h"
#include "records/LibraryPaths.h"
#include "records/ParamTypes.h"
#include "records/TextCodec.h"

namespace kelvane {

namespace {

InfoItem Item(std::string_view text, int icon, int selectedIcon) {
    InfoItem item;
    item.text = std::string(text);
    item.icon = icon;
    item.selectedIcon = selectedIcon;
    return item;
}

InfoItem Labelled(std::string_view label, int labelIcon, std::string value, int valueIcon) {
    InfoItem item = Item(label, labelIcon, labelIcon);
    item.children.push_back(Item(value, valueIcon, valueIcon));
    return item;
}

InfoItem ParameterItem(const ParameterRecord& p) {
    using namespace infoicon;
    const std::string typeName = Cp949ToUtf8(FieldText(p.typeName));
    const int icon = p.direction == 1 ? kInput : kOutput;
    InfoItem item = Item(typeName + " Type", icon, icon);
    item.children.push_back(Labelled(kLabelInputOutput, kValue,
                                     p.direction != 0 ? "Input Parameter" : "Output Parameter",
                                     kParamValue));
    item.children.push_back(Labelled(kLabelParameterType, kValue, typeName, kParamValue));
    item.children.push_back(Labelled(
        kLabelDefaultValue, kValue,
        ValueDisplayText(p.defaultKind, Cp949ToUtf8(FieldText(p.defaultText)), true), kParamValue));
    item.children.push_back(Labelled(
        kLabelStoredValue, kValue,
        ValueDisplayText(p.storedKind, Cp949ToUtf8(FieldText(p.storedText)), false), kParamValue));
    item.children.push_back(Labelled(kLabelParameterDescription, kValue,
                                     Cp949ToUtf8(FieldText(p.description)), kParamValue));
    return item;
}

}  // namespace

InfoItem BuildInfoTree(const std::string& folderName, const FunctionRecord& record) {
    using namespace infoicon;
    const FunctionHeader& h = record.header();
    InfoItem root = Item(DisplayName(folderName), kFunction, kFunction);
    root.bold = true;
    root.expanded = true;

    InfoItem basic = Item(kBasicInformation, kFolderClosed, kFolderOpen);
    basic.expanded = true;
    basic.children.push_back(
        Labelled(kLabelType, kLabel, std::string(FunctionKindText(h.kind)), kValue));
    basic.children.push_back(Item(kLabelAttribute, kLabel, kLabel));
    basic.children.push_back(
        Labelled(kLabelParameterCount, kLabel, std::to_string(h.parameterCount), kValue));
    basic.children.push_back(
        Labelled(kLabelFunctionDescription, kLabel, Cp949ToUtf8(FieldText(h.description)), kValue));
    root.children.push_back(std::move(basic));

    InfoItem parameters = Item(kParameters, kFolderClosed, kFolderOpen);
    parameters.expanded = true;
    for (const ParameterRecord& p : record.parameters())
        parameters.children.push_back(ParameterItem(p));
    root.children.push_back(std::move(parameters));
    return root;
}

InfoTreeResult LoadInfoTree(const std::string& folderPath, const std::string& folderName) {
    InfoTreeResult result;
    FdbRead read = ReadFunctionFile(GetFunctionFilePath(folderPath, folderName));
    if (!read.ok()) {
        result.message = LoadFailureMessage(folderPath, folderName, read);
        return result;
    }
    result.loaded = true;
    result.root = BuildInfoTree(folderName, read.TakeRecord());
    return result;
}

}  // namespace kelvane
