#include <memory>
#include <new>
#include <utility>

#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "i18n/Translate.h"
#include "records/DirWalk.h"
#include "records/FunctionFileCheck.h"
#include "records/Leftovers.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/TextCodec.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::SayPlural;
using kelvane::i18n::Tr;

namespace {

// Loads every function file below a folder and reports the ones that are not sound. Each
// folder is checked once, however many links lead to it; one that cannot be read is a
// problem too.
class CheckCommand : public Command, private WalkVisitor {
public:
    CheckCommand()
        : Command("check", "[PATH] [--clean]",
                  N_("report function files that are missing, short, inconsistent or hold an "
                     "unterminated text, and what interrupted saves or creations left that "
                     "nothing has rolled back yet; --clean rolls it back (PATH defaults to the "
                     "library)")) {}

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
            return UsageError(err, Tr("The check command takes at most one folder."));
        if (!args.empty() && args[0].empty())
            return UsageError(err, Tr("The folder is empty."));
        const std::string start =
            args.empty() ? GetLibraryRoot() : NormalizeFolderArgument(args[0]);
        if (!IsDirectory(start))
            return Failure(err, Say("{path} is not a folder.", {{"path", DisplayPath(start)}}));

        m_functions = 0;
        m_faulty = 0;
        m_unreadable = 0;
        m_leftovers = 0;
        m_linksOut = 0;
        m_libraryRoot = GetLibraryRoot();
        m_out = &out;
        // Nothing outside the folder given is checked, listed or rolled back.
        WalkDirectories(start, *this, WalkLinks::StayInside);
        const std::string checked =
            SayPlural("{n} function folder checked, {faulty} with problems",
                      "{n} function folders checked, {faulty} with problems", m_functions,
                      {{"faulty", std::to_string(m_faulty)}});
        if (m_unreadable > 0)
            out << Say("{checked}; {unreadable}.",
                       {{"checked", checked},
                        {"unreadable", SayPlural("{n} folder could not be read",
                                                 "{n} folders could not be read", m_unreadable)}})
                << "\n";
        else
            out << Say("{checked}.", {{"checked", checked}}) << "\n";
        if (m_linksOut > 0)
            out << SayPlural("{n} link out of the folder checked was not followed.",
                             "{n} links out of the folder checked were not followed.", m_linksOut)
                << "\n";
        if (m_leftovers > 0)
            out << (m_clean ? SayPlural("{n} work file of interrupted saves or creations could "
                                        "not be rolled back.",
                                        "{n} work files of interrupted saves or creations could "
                                        "not be rolled back.",
                                        m_leftovers)
                            : SayPlural("{n} work file is left by interrupted saves or "
                                        "creations; --clean rolls it back.",
                                        "{n} work files are left by interrupted saves or "
                                        "creations; --clean rolls them back.",
                                        m_leftovers))
                << "\n";
        if (m_faulty == 0 && m_leftovers == 0 && m_unreadable == 0)
            return kExitOk;
        if (m_faulty == 0 && m_unreadable == 0)
            return Failure(err, SayPlural("{n} work file of interrupted saves or creations is "
                                          "left.",
                                          "{n} work files of interrupted saves or creations are "
                                          "left.",
                                          m_leftovers));
        if (m_faulty == 0)
            return Failure(err, SayPlural("{n} folder could not be read.",
                                          "{n} folders could not be read.", m_unreadable));
        return Failure(err, SayPlural("{faulty} of {n} function file is not sound.",
                                      "{faulty} of {n} function files are not sound.", m_functions,
                                      {{"faulty", std::to_string(m_faulty)}}));
    }

private:
    bool Found(const WalkDir& parent, const std::string& name) override {
        // Every folder directly in the library root is a tab, "_Src" too. A function's own
        // "_Src" is entered for what interrupted work left there, but not below.
        if (IsOwnSourceFolder(parent))
            return false;
        return LibraryTreeChild(name, parent.path == m_libraryRoot) != TreeItemKind::Hidden ||
               IsFunctionFolderName(parent.name);
    }

    bool IsOwnSourceFolder(const WalkDir& dir) const {
        return dir.name == kSourceFolderName && dir.depth > 0 &&
               ParentPath(dir.path) != m_libraryRoot;
    }

    void Entered(const WalkDir& dir) override {
        std::ostream& out = *m_out;
        const std::string name(dir.name);
        if (IsFunctionFolderName(name)) {
            ++m_functions;
            const std::string file = GetFunctionFilePath(dir.path, name);
            const std::vector<std::string> problems = CheckFile(dir.fd, name);
            if (!problems.empty())
                ++m_faulty;
            for (const std::string& problem : problems)
                out << EscapeLine(DisplayPath(file)) << ": " << problem << "\n";
        }
        ReportLeftovers(dir, out);
    }

    void LeadsOutside(const std::string& path) override {
        ++m_linksOut;
        *m_out << EscapeLine(DisplayPath(path)) << ": "
               << Tr("a link out of the folder checked; not followed") << "\n";
    }

    void Unreadable(const std::string& path, std::string_view name, int error) override {
        // A function folder that cannot be read is a function with a problem.
        if (IsFunctionFolderName(name)) {
            ++m_functions;
            ++m_faulty;
        } else {
            ++m_unreadable;
        }
        *m_out << EscapeLine(DisplayPath(path)) << ": "
               << Say("cannot be read: {reason}", {{"reason", ReadErrnoReason(error)}}) << "\n";
    }

    // The problems of one function file; running out of memory on one is a problem of
    // that file, and the check goes on with the next.
    static std::vector<std::string> CheckFile(int folderFd, const std::string& folderName) {
        try {
            return CheckFunctionFileAt(folderFd, folderName + std::string(kFunctionFileExtension));
        } catch (const std::bad_alloc&) {
            return {Tr("could not be checked: there is not enough memory")};
        }
    }

    // Counts what stays behind: leftovers kept, or that could not be rolled back.
    void ReportLeftovers(const WalkDir& dir, std::ostream& out) {
        for (const Leftover& leftover : FindLeftovers(dir.fd, dir.path)) {
            const std::string path = EscapeLine(DisplayPath(leftover.folder + "/" + leftover.name));
            const std::string what =
                leftover.kind == WorkKind::Temp
                    ? Say("{path}: temporary file of an interrupted save", {{"path", path}})
                    : Say("{path}: record of an interrupted creation of {name}",
                          {{"path", path}, {"name", EscapeLine(DisplayName(leftover.target))}});
            if (leftover.inUse) {
                out << Say("{what} (in use by a running save or creation; left alone)",
                           {{"what", what}})
                    << "\n";
                continue;
            }
            if (m_clean) {
                const Status rolledBack = RollBack(dir.fd, leftover);
                out << (rolledBack ? Say("{what}, rolled back", {{"what", what}})
                                   : EscapeLine(rolledBack.message()))
                    << "\n";
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
    int m_linksOut = 0;
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
