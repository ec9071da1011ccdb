#pragma once

#include <string>
#include <vector>

namespace kelvane {

struct ListColumn {
    std::string header;
    int width = 0;
};

struct ListRow {
    std::vector<std::string> cells;  // UTF-8, one per column (fewer when the row ended early)
    int icon = 0;
    std::string name;  // the directory name as the file system gives it
};

// What the group listing shows for one directory.
struct GroupListing {
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    bool complete = true;
    std::string message;  // why the listing ended early
};

std::vector<ListColumn> SubgroupColumns();
std::vector<ListColumn> FunctionColumns();

// "Dll", "Schematic", "Script"; other kinds have no word of their own.
std::string FunctionKindWord(int kind);

// Subgroups when there are any, else the function folders with kind, parameter count and
// description. A function file that cannot be loaded ends the listing there with the
// missing-file message; the row of that function keeps its name only. A folder that cannot
// be read (wholly or in part) lists what was read, with a message saying why not all.
GroupListing BuildGroupListing(const std::string& groupPath);

}  // namespace kelvane
