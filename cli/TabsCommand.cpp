#include <memory>

#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "i18n/Translate.h"
#include "records/DirScan.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/TextCodec.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

// The top-level groups, one per line, in the order the library browser makes its tabs.
class TabsCommand : public Command {
public:
    TabsCommand() : Command("tabs", "", N_("print the tabs: the top-level groups in scan order")) {}

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override {
        if (!args.empty())
            return UsageError(err, Tr("The tabs command takes no arguments."));
        const std::string root = GetLibraryRoot();
        if (!IsDirectory(root))
            return Failure(
                err, Say("There is no function library at {path}.", {{"path", DisplayPath(root)}}));
        const DirListing tabs = ListDirectories(root);
        for (const DirEntry& entry : tabs.entries)
            out << EscapeLine(DisplayName(entry.name)) << "\n";
        if (tabs.error != 0) {
            out.flush();
            return Failure(
                err, Say("Could not read the folder {path}: {reason}.",
                         {{"path", DisplayPath(root)}, {"reason", ReadErrnoReason(tabs.error)}}));
        }
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeTabsCommand() {
    return std::make_unique<TabsCommand>();
}

}  // namespace kelvane::cli
