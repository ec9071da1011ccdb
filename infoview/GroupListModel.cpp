#include "infoview/GroupListModel.h"

#include "i18n/Translate.h"
#include "infoview/IconCells.h"
#include "records/DirScan.h"
#include "records/FunctionFileCheck.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/TextCodec.h"

namespace kelvane {

using i18n::Say;

std::vector<ListColumn> SubgroupColumns() {
    return {{"Name", 80}, {"Description", 480}};
}

std::vector<ListColumn> FunctionColumns() {
    return {{"Name", 80}, {"Type", 50}, {"#", 20}, {"Description", 480}};
}

std::string FunctionKindWord(int kind) {
    switch (kind) {
        case 0:
            return "Dll";
        case 1:
            return "Schematic";
        case 2:
            return "Script";
        default:
            return "Unknown";
    }
}

namespace {

GroupListing ListingOf(const std::vector<DirEntry>& entries) {
    GroupListing listing;

    listing.columns = SubgroupColumns();
    for (const DirEntry& entry : entries) {
        if (IsFunctionFolderName(entry.name))
            continue;
        listing.rows.push_back(
            {{DisplayName(entry.name), std::string()}, libicon::kGroupClosed, entry.name});
    }
    if (!listing.rows.empty())
        return listing;

    listing.columns = FunctionColumns();
    for (const DirEntry& entry : entries) {
        if (!IsFunctionFolderName(entry.name))
            continue;
        listing.rows.push_back({{DisplayName(entry.name)}, libicon::kFunction, entry.name});
        const FdbRead read =
            ReadFunctionFile(GetFunctionFilePath(entry.path, entry.name), FdbPart::Header);
        if (!read.ok()) {
            listing.complete = false;
            listing.message = LoadFailureMessage(entry.path, entry.name, read);
            break;
        }
        const FunctionHeader& header = read.header;
        ListRow& row = listing.rows.back();
        row.cells.push_back(FunctionKindWord(header.kind));
        row.cells.push_back(std::to_string(header.parameterCount));
        row.cells.push_back(Cp949ToUtf8(FieldText(header.description)));
    }
    return listing;
}

}  // namespace

GroupListing BuildGroupListing(const std::string& groupPath) {
    const DirListing scan = ListDirectories(groupPath);
    GroupListing listing = ListingOf(scan.entries);
    if (scan.error != 0 && listing.complete) {
        listing.complete = false;
        listing.message =
            Say("Could not read the folder {path}: {reason}.",
                {{"path", DisplayPath(groupPath)}, {"reason", ReadErrnoReason(scan.error)}});
    }
    return listing;
}

}  // namespace kelvane
