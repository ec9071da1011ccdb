#include <memory>
#include <utility>

#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "records/DirScan.h"
#include "records/LibraryPaths.h"
#include "records/TextCodec.h"

namespace kelvane::cli {

namespace {

// The library tree of one tab as the browser shows it fully expanded.
class TreeCommand : public Command {
public:
    TreeCommand() : Command("tree", "TAB", "print the library tree of a tab, fully expanded") {}

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override {
        if (args.size() != 1)
            return UsageError(err, "tree needs one tab name");
        const std::string root = GetLibraryRoot();
        if (!IsDirectory(root))
            return Failure(err, "no function library at " + DisplayPath(root));
        for (const DirEntry& tab : ScanDirectories(root)) {
            // The raw name, or the name as tabs prints it (a CP949 name decoded, escaped).
            if (tab.name != args[0] && DisplayName(tab.name) != args[0] &&
                EscapeLine(DisplayName(tab.name)) != args[0])
                continue;
            out << EscapeLine(DisplayName(tab.name)) << "\n";
            WalkPath walk;
            Descend(tab.path, 1, walk, out);
            return kExitOk;
        }
        return Failure(err, "no tab named " + DisplayName(args[0]) + " in " + DisplayPath(root));
    }

private:
    // Prints the children of dir; a directory already on the way down from the root (a
    // cycle through symbolic links) is printed but not entered again.
    void Descend(const std::string& dir, int depth, WalkPath& walk, std::ostream& out) {
        if (!walk.Enter(dir))
            return;
        const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        for (const DirEntry& entry : ScanDirectories(dir)) {
            if (entry.name == kSourceFolderName)
                continue;
            out << indent << EscapeLine(DisplayName(entry.name)) << "\n";
            Descend(entry.path, depth + 1, walk, out);
        }
        walk.Leave();
    }
};

}  // namespace

std::unique_ptr<Command> MakeTreeCommand() {
    return std::make_unique<TreeCommand>();
}

}  // namespace kelvane::cli
