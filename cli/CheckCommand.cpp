#include <sys/stat.h>

#include <memory>
#include <utility>

#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "records/DirScan.h"
#include "records/FunctionFileCheck.h"
#include "records/Leftovers.h"
#include "records/LibraryPaths.h"
#include "records/TextCodec.h"

namespace kelvane::cli {

namespace {

// Loads every function file below a folder and reports the ones that are not sound.
class CheckCommand : public Command {
public:
    CheckCommand()
        : Command("check", "[PATH] [--clean]",
                  "report function files that are missing, short, inconsistent or hold an "
                  "unterminated text, and what interrupted saves or creations left that nothing "
                  "has rolled back yet; --clean rolls it back (PATH defaults to the library)") {}

    int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) override {
        std::vector<std::string> args;
        m_clean = false;
        for (const std::string& word : words) {
            if (word == "--clean")
                m_clean = true;
            else
                args.push_back(word);
        }
        if (args.size() > 1)
            return UsageError(err, "check takes at most one folder");
        if (!args.empty() && args[0].empty())
            return UsageError(err, "the folder is empty");
        const std::string start =
            args.empty() ? GetLibraryRoot() : NormalizeFolderArgument(args[0]);
        if (!IsDirectory(start))
            return Failure(err, DisplayPath(start) + " is not a folder");

        m_functions = 0;
        m_faulty = 0;
        m_leftovers = 0;
        WalkPath walk;
        m_libraryRoot = GetLibraryRoot();
        m_start = start;
        Visit(start, LastComponent(start), walk, out);
        out << m_functions << " function folder" << (m_functions == 1 ? "" : "s") << " checked, "
            << m_faulty << " with problems\n";
        if (m_leftovers > 0)
            out << m_leftovers << " left by interrupted saves or creations"
                << (m_clean ? " could not be rolled back\n" : "; --clean rolls them back\n");
        if (m_faulty == 0 && m_leftovers == 0)
            return kExitOk;
        if (m_faulty == 0)
            return Failure(err, std::to_string(m_leftovers) +
                                    " work files of interrupted saves or creations are left");
        return Failure(err, std::to_string(m_faulty) + " of " + std::to_string(m_functions) +
                                " function files are not sound");
    }

private:
    void Visit(const std::string& dir, const std::string& name, WalkPath& walk, std::ostream& out) {
        if (!walk.Enter(dir))
            return;

        if (IsFunctionFolderName(name)) {
            ++m_functions;
            const std::string file = GetFunctionFilePath(dir, name);
            const std::vector<std::string> problems = CheckFunctionFile(file);
            if (!problems.empty())
                ++m_faulty;
            for (const std::string& problem : problems)
                out << DisplayPath(file) << ": " << problem << "\n";
        }
        ReportLeftovers(dir, out);
        if (IsFunctionFolderName(name))
            ReportLeftovers(GetSourceFolderPath(dir), out);
        for (const DirEntry& entry : ScanDirectories(dir)) {
            // Every folder directly in the library root is a tab, "_Src" too.
            if (entry.name == kSourceFolderName && dir != m_libraryRoot)
                continue;
            Visit(entry.path, entry.name, walk, out);
        }
        walk.Leave();
    }

    // Counts what stays behind: leftovers kept, or that could not be rolled back. Only
    // inside the folder given, whatever links lead out of it.
    void ReportLeftovers(const std::string& dir, std::ostream& out) {
        for (const Leftover& leftover : FindLeftovers(dir, m_start)) {
            const std::string what =
                DisplayPath(leftover.folder + "/" + leftover.name) +
                (leftover.kind == WorkKind::Temp
                     ? ": temporary file of an interrupted save"
                     : ": record of an interrupted creation of " + DisplayName(leftover.target));
            if (leftover.inUse) {
                out << what << " (in use by a running save or creation; left alone)\n";
                continue;
            }
            if (m_clean) {
                const Status rolledBack = RollBack(leftover);
                out << (rolledBack ? what + ", rolled back" : rolledBack.message()) << "\n";
                if (rolledBack)
                    continue;
            } else {
                out << what << "\n";
            }
            ++m_leftovers;
        }
    }

    bool m_clean = false;
    int m_leftovers = 0;
    std::string m_libraryRoot;
    std::string m_start;
    int m_functions = 0;
    int m_faulty = 0;
};

}  // namespace

std::unique_ptr<Command> MakeCheckCommand() {
    return std::make_unique<CheckCommand>();
}

}  // namespace kelvane::cli
