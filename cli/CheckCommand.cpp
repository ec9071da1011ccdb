#include <sys/stat.h>

#include <memory>
#include <utility>

#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "records/DirScan.h"
#include "records/FunctionFileCheck.h"
#include "records/LibraryPaths.h"

namespace kelvane::cli {

namespace {

using DirectoryId = std::pair<dev_t, ino_t>;

// Loads every function file below a folder and reports the ones that are not sound.
class CheckCommand : public Command {
public:
    CheckCommand()
        : Command("check", "[PATH]",
                  "report function files that are missing, short, inconsistent or hold an "
                  "unterminated text (PATH defaults to the library)") {}

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override {
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
        std::vector<DirectoryId> ancestors;
        m_libraryRoot = GetLibraryRoot();
        Visit(start, LastComponent(start), ancestors, out);
        out << m_functions << " function folder" << (m_functions == 1 ? "" : "s") << " checked, "
            << m_faulty << " with problems\n";
        if (m_faulty == 0)
            return kExitOk;
        return Failure(err, std::to_string(m_faulty) + " of " + std::to_string(m_functions) +
                                " function files are not sound");
    }

private:
    void Visit(const std::string& dir, const std::string& name, std::vector<DirectoryId>& ancestors,
               std::ostream& out) {
        struct stat st {};
        if (stat(dir.c_str(), &st) != 0)
            return;
        const DirectoryId id{st.st_dev, st.st_ino};
        for (const DirectoryId& seen : ancestors)
            if (seen == id)
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
        ancestors.push_back(id);
        for (const DirEntry& entry : ScanDirectories(dir)) {
            // Every folder directly in the library root is a tab, "_Src" too.
            if (entry.name == kSourceFolderName && dir != m_libraryRoot)
                continue;
            Visit(entry.path, entry.name, ancestors, out);
        }
        ancestors.pop_back();
    }

    std::string m_libraryRoot;
    int m_functions = 0;
    int m_faulty = 0;
};

}  // namespace

std::unique_ptr<Command> MakeCheckCommand() {
    return std::make_unique<CheckCommand>();
}

}  // namespace kelvane::cli
