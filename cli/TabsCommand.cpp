#include <memory>

#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "records/DirScan.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/TextCodec.h"

namespace kelvane::cli {

namespace {

// The top-level groups, one per line, in the order the library browser makes its tabs.
class TabsCommand : public Command {
public:
    TabsCommand() : Command("tabs", "", "print the tabs: the top-level groups in scan order") {}

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override {
        if (!args.empty())
            return UsageError(err, "tabs takes no arguments");
        const std::string root = GetLibraryRoot();
        if (!IsDirectory(root))
            return Failure(err, "no function library at " + DisplayPath(root));
        const DirListing tabs = ListDirectories(root);
        for (const DirEntry& entry : tabs.entries)
            out << EscapeLine(DisplayName(entry.name)) << "\n";
        if (tabs.error != 0) {
            out.flush();
            return Failure(err, "could not read the folder " + DisplayPath(root) + ": " +
                                    ReadErrnoReason(tabs.error));
        }
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeTabsCommand() {
    return std::make_unique<TabsCommand>();
}

}  // namespace kelvane::cli
