#include <memory>
#include <string>

#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "i18n/Translate.h"
#include "infoview/GroupListModel.h"
#include "records/LibraryPaths.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

void PrintText(const GroupListing& listing, std::ostream& out) {
    std::string line;
    for (std::size_t i = 0; i < listing.columns.size(); ++i) {
        if (i > 0)
            line += '\t';
        line += EscapeLine(listing.columns[i].header);
    }
    out << line << "\n";
    for (const ListRow& row : listing.rows) {
        line.clear();
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            if (i > 0)
                line += '\t';
            line += EscapeLine(row.cells[i]);
        }
        out << line << "\n";
    }
}

void PrintJson(const GroupListing& listing, std::ostream& out) {
    out << "{\"columns\": [";
    for (std::size_t i = 0; i < listing.columns.size(); ++i) {
        out << (i > 0 ? ", " : "") << "{\"header\": " << JsonString(listing.columns[i].header)
            << ", \"width\": " << listing.columns[i].width << "}";
    }
    out << "],\n \"rows\": [";
    for (std::size_t r = 0; r < listing.rows.size(); ++r) {
        const ListRow& row = listing.rows[r];
        out << (r > 0 ? ",\n  " : "\n  ") << "{\"icon\": " << row.icon << ", \"cells\": [";
        for (std::size_t i = 0; i < row.cells.size(); ++i)
            out << (i > 0 ? ", " : "") << JsonString(row.cells[i]);
        out << "]}";
    }
    out << (listing.rows.empty() ? "" : "\n ")
        << "],\n \"complete\": " << (listing.complete ? "true" : "false");
    if (!listing.complete)
        out << ",\n \"message\": " << JsonString(listing.message);
    out << "}\n";
}

// The group listing of one directory: its subgroups, or else its functions.
class ListCommand : public Command {
public:
    ListCommand()
        : Command("list", "GROUP [--json]",
                  N_("print the listing of a group: subgroups, or else functions")) {}

    int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) override {
        const Arguments args = ParseArguments(words, {"--json"});
        if (!args.error.empty())
            return UsageError(err, args.error);
        if (args.positional.size() != 1)
            return UsageError(err, Tr("The list command needs one group folder."));
        if (args.positional[0].empty())
            return UsageError(err, Tr("The group folder is empty."));
        const std::string groupPath = NormalizeFolderArgument(args.positional[0]);
        if (!IsDirectory(groupPath))
            return Failure(err, Say("{path} is not a folder.", {{"path", DisplayPath(groupPath)}}));

        const GroupListing listing = BuildGroupListing(groupPath);
        if (args.has("--json"))
            PrintJson(listing, out);
        else
            PrintText(listing, out);
        if (!listing.complete) {
            out.flush();
            err << EscapeLine(listing.message) << "\n";
            return kExitFailure;
        }
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeListCommand() {
    return std::make_unique<ListCommand>();
}

}  // namespace kelvane::cli
