#include <memory>
#include <utility>

#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "i18n/Translate.h"
#include "records/DirScan.h"
#include "records/DirWalk.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/TextCodec.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

// Prints the children of every directory below the tab, two spaces of indent per level. A
// directory met again through a link is printed but not entered again; a folder that
// cannot be read is reported on err.
class TreePrinter : public WalkVisitor {
public:
    TreePrinter(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    bool Found(const WalkDir& parent, const std::string& name) override {
        if (LibraryTreeChild(name) == TreeItemKind::Hidden)
            return false;
        m_out << std::string(static_cast<std::size_t>(parent.depth + 1) * 2, ' ')
              << EscapeLine(DisplayName(name)) << "\n";
        return true;
    }
    void Unreadable(const std::string& path, std::string_view, int error) override {
        m_out.flush();
        Command::Failure(m_err,
                         Say("Could not read the folder {path}: {reason}.",
                             {{"path", DisplayPath(path)}, {"reason", ReadErrnoReason(error)}}));
        m_failed = true;
    }
    bool failed() const { return m_failed; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_failed = false;
};

// The library tree of one tab as the browser shows it fully expanded.
class TreeCommand : public Command {
public:
    TreeCommand() : Command("tree", "TAB", N_("print the library tree of a tab, fully expanded")) {}

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override {
        if (args.size() != 1)
            return UsageError(err, Tr("The tree command needs one tab name."));
        const std::string root = GetLibraryRoot();
        if (!IsDirectory(root))
            return Failure(
                err, Say("There is no function library at {path}.", {{"path", DisplayPath(root)}}));
        for (const DirEntry& tab : ScanDirectories(root)) {
            // The raw name, or the name as tabs prints it (a CP949 name decoded, escaped).
            if (tab.name != args[0] && DisplayName(tab.name) != args[0] &&
                EscapeLine(DisplayName(tab.name)) != args[0])
                continue;
            out << EscapeLine(DisplayName(tab.name)) << "\n";
            TreePrinter printer(out, err);
            WalkDirectories(tab.path, printer);
            return printer.failed() ? kExitFailure : kExitOk;
        }
        return Failure(err, Say("There is no tab named {tab} in {path}.",
                                {{"tab", DisplayName(args[0])}, {"path", DisplayPath(root)}}));
    }
};

}  // namespace

std::unique_ptr<Command> MakeTreeCommand() {
    return std::make_unique<TreeCommand>();
}

}  // namespace kelvane::cli
