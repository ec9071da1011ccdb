#include <memory>
#include <new>
#include <utility>

#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "records/DirWalk.h"
#include "records/FunctionFileCheck.h"
#include "records/Leftovers.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"

namespace kelvane::cli {

namespace {

// Loads every function file below a folder and reports the ones that are not sound. Each
// folder is checked once, however many links lead to it; one that cannot be read is a
// problem too.
class CheckCommand : public Command, private WalkVisitor {
public:
    CheckCommand()
        : Command("check", "[PATH] [--clean]",
                  "report function files that are missing, short, inconsistent or hold an "
                  "unterminated text, and lock files or staging folders left by a crash; "
                  "--clean removes those older than a minute (PATH defaults to the library)") {}

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
        m_unreadable = 0;
        m_leftovers = 0;
        m_libraryRoot = GetLibraryRoot();
        m_out = &out;
        WalkDirectories(start, *this);
        out << m_functions << " function folder" << (m_functions == 1 ? "" : "s") << " checked, "
            << m_faulty << " with problems";
        if (m_unreadable > 0)
            out << "; " << m_unreadable << " folder" << (m_unreadable == 1 ? "" : "s")
                << " could not be read";
        out << "\n";
        if (m_leftovers > 0)
            out << m_leftovers << " left by interrupted saves or creations"
                << (m_clean ? " kept (less than a minute old, or not removable)\n"
                            : "; --clean removes them\n");
        if (m_faulty == 0 && m_leftovers == 0 && m_unreadable == 0)
            return kExitOk;
        if (m_faulty == 0 && m_unreadable == 0)
            return Failure(err, std::to_string(m_leftovers) +
                                    " lock files or staging folders were left by a crash");
        if (m_faulty == 0)
            return Failure(err, std::to_string(m_unreadable) + " folder" +
                                    (m_unreadable == 1 ? "" : "s") + " could not be read");
        return Failure(err, std::to_string(m_faulty) + " of " + std::to_string(m_functions) +
                                " function files are not sound");
    }

private:
    bool Found(const WalkDir& parent, const std::string& name) override {
        // Every folder directly in the library root is a tab, "_Src" too.
        return name != kSourceFolderName || parent.path == m_libraryRoot;
    }

    void Entered(const WalkDir& dir) override {
        std::ostream& out = *m_out;
        const std::string name(dir.name);
        const std::string folder = CallablePath(dir.fd, dir.path);
        m_callFolder = folder;
        m_shownFolder = dir.path;
        if (IsFunctionFolderName(name)) {
            ++m_functions;
            const std::string file = GetFunctionFilePath(dir.path, name);
            const std::vector<std::string> problems = CheckFile(dir.fd, name);
            if (!problems.empty())
                ++m_faulty;
            for (const std::string& problem : problems)
                out << EscapeLine(DisplayPath(file)) << ": " << problem << "\n";
        }
        ReportLeftovers(folder, out);
        if (IsFunctionFolderName(name))
            ReportLeftovers(GetSourceFolderPath(folder), out);
    }

    void Unreadable(const std::string& path, std::string_view name, int error) override {
        // A function folder that cannot be read is a function with a problem.
        if (IsFunctionFolderName(name)) {
            ++m_functions;
            ++m_faulty;
        } else {
            ++m_unreadable;
        }
        *m_out << EscapeLine(DisplayPath(path)) << ": cannot be read: " << ReadErrnoReason(error)
               << "\n";
    }

    // The problems of one function file; running out of memory on one is a problem of
    // that file, and the check goes on with the next.
    static std::vector<std::string> CheckFile(int folderFd, const std::string& folderName) {
        try {
            return CheckFunctionFileAt(folderFd, folderName + std::string(kFunctionFileExtension));
        } catch (const std::bad_alloc&) {
            return {"could not be checked: there is not enough memory"};
        }
    }

    // Counts what stays behind: entries kept, perhaps in use, or that could not be removed.
    void ReportLeftovers(const std::string& dir, std::ostream& out) {
        for (const Leftover& leftover : FindLeftovers(dir)) {
            const std::string what =
                EscapeLine(DisplayPath(Shown(leftover.path))) +
                (leftover.isLock ? ": lock file of an interrupted save"
                                 : ": staging folder of an interrupted creation");
            if (m_clean && !leftover.recent) {
                const Status removed = RemoveLeftover(leftover);
                out << (removed ? what + ", removed" : EscapeLine(removed.message())) << "\n";
                if (removed)
                    continue;
            } else {
                out << what << (leftover.recent ? " (less than a minute old: perhaps in use)" : "")
                    << "\n";
            }
            ++m_leftovers;
        }
    }

    // A path below the folder being checked as the walk names it, for a folder too deep
    // for its path to be used in calls.
    std::string Shown(const std::string& path) const {
        if (m_callFolder == m_shownFolder ||
            path.compare(0, m_callFolder.size(), m_callFolder) != 0)
            return path;
        return m_shownFolder + path.substr(m_callFolder.size());
    }

    std::string m_callFolder;
    std::string m_shownFolder;
    bool m_clean = false;
    int m_leftovers = 0;
    std::string m_libraryRoot;
    std::ostream* m_out = nullptr;
    int m_functions = 0;
    int m_faulty = 0;
    int m_unreadable = 0;
};

}  // namespace

std::unique_ptr<Command> MakeCheckCommand() {
    return std::make_unique<CheckCommand>();
}

}  // namespace kelvane::cli
