#include <memory>

#include "cli/Command.h"
#include "records/LibraryCopy.h"
#include "records/LibraryPaths.h"
#include "records/ProgramFolders.h"

namespace kelvane::cli {

namespace {

// Copies the sample library that comes with the program to where the library is looked
// for; never over anything that is already there.
class CopySampleCommand : public Command {
public:
    CopySampleCommand()
        : Command("copy-sample", "",
                  "copy the sample library that comes with the program to where the library is "
                  "looked for, when nothing is there yet") {}

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override {
        if (!args.empty())
            return UsageError(err, "copy-sample takes no arguments");
        const ProgramFolders folders = GetProgramFolders();
        if (!HasSampleLibrary(folders))
            return Failure(err, "the sample library is not installed: " +
                                    DisplayPath(folders.SampleLibrary()) + " is missing");
        if (Status copied = CopySampleLibrary(folders); !copied)
            return Failure(err, copied.message());
        out << "copied the sample library to " << DisplayPath(folders.libraryRoot) << "\n";
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeCopySampleCommand() {
    return std::make_unique<CopySampleCommand>();
}

}  // namespace kelvane::cli
