#include <memory>
#include <string>

#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "i18n/Translate.h"
#include "infoview/InfoTreeModel.h"
#include "records/LibraryPaths.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

void PrintLines(const InfoItem& item, int depth, bool icons, std::ostream& out) {
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << EscapeLine(item.text);
    if (icons)
        out << " [" << item.icon << "/" << item.selectedIcon << "]";
    out << "\n";
    for (const InfoItem& child : item.children)
        PrintLines(child, depth + 1, icons, out);
}

void PrintJson(const InfoItem& item, int depth, std::ostream& out) {
    const std::string pad(static_cast<std::size_t>(depth) * 2, ' ');
    out << pad << "{\"text\": " << JsonString(item.text) << ", \"icon\": " << item.icon
        << ", \"selectedIcon\": " << item.selectedIcon
        << ", \"bold\": " << (item.bold ? "true" : "false")
        << ", \"expanded\": " << (item.expanded ? "true" : "false") << ", \"children\": [";
    if (item.children.empty()) {
        out << "]}";
        return;
    }
    out << "\n";
    for (std::size_t i = 0; i < item.children.size(); ++i) {
        PrintJson(item.children[i], depth + 1, out);
        out << (i + 1 < item.children.size() ? ",\n" : "\n");
    }
    out << pad << "]}";
}

// The information tree of one function folder, every item shown.
class ShowCommand : public Command {
public:
    ShowCommand()
        : Command("show", "FOLDER [--icons] [--json]",
                  N_("print the information tree of a function folder")) {}

    int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) override {
        const Arguments args = ParseArguments(words, {"--icons", "--json"});
        if (!args.error.empty())
            return UsageError(err, args.error);
        if (args.positional.size() != 1)
            return UsageError(err, Tr("The show command needs one folder."));
        if (args.positional[0].empty())
            return UsageError(err, Tr("The folder is empty."));
        const std::string folderPath = NormalizeFolderArgument(args.positional[0]);
        const std::string folderName = LastComponent(folderPath);
        if (folderName.empty())
            return UsageError(err, Tr("FOLDER must name a folder."));

        const InfoTreeResult tree = LoadInfoTree(folderPath, folderName);
        if (!tree.loaded) {
            err << EscapeLine(tree.message) << "\n";
            return kExitFailure;
        }
        if (args.has("--json")) {
            PrintJson(tree.root, 0, out);
            out << "\n";
        } else {
            PrintLines(tree.root, 0, args.has("--icons"), out);
        }
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeShowCommand() {
    return std::make_unique<ShowCommand>();
}

}  // namespace kelvane::cli
