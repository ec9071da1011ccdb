#pragma once

#include <string>
#include <vector>

#include "records/FunctionRecord.h"

namespace kelvane {

// One item of the information tree: what the widget shows, nothing more.
struct InfoItem {
    std::string text;  // UTF-8
    int icon = 0;
    int selectedIcon = 0;
    bool bold = false;
    bool expanded = false;  // expanded when first shown
    std::vector<InfoItem> children;
};

// The tree of a loaded function, root text = folder name.
InfoItem BuildInfoTree(const std::string& folderName, const FunctionRecord& record);

struct InfoTreeResult {
    bool loaded = false;
    std::string message;  // the missing-file message (and why) when not loaded
    InfoItem root;
};

// Loads the function file of the folder and builds its tree.
InfoTreeResult LoadInfoTree(const std::string& folderPath, const std::string& folderName);

}  // namespace kelvane
