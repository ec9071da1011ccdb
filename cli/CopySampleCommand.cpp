#include <memory>

#include "cli/Command.h"
#include "i18n/Translate.h"
#include "records/LibraryCopy.h"
#include "records/LibraryPaths.h"
#include "records/ProgramFolders.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

// Copies the sample library that comes with the program to where the library is looked
// for; never over anything that is already there.
class CopySampleCommand : public Command {
public:
    CopySampleCommand()
        : Command("copy-sample", "",
                  N_("copy the sample library that comes with the program to where the library "
                     "is looked for, when nothing is there yet")) {}

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override {
        if (!args.empty())
            return UsageError(err, Tr("The copy-sample command takes no arguments."));
        const ProgramFolders folders = GetProgramFolders();
        if (!HasSampleLibrary(folders))
            return Failure(err, Say("The sample library is not installed: {path} is missing.",
                                    {{"path", DisplayPath(folders.SampleLibrary())}}));
        if (Status copied = CopySampleLibrary(folders); !copied)
            return Failure(err, copied.message());
        out << Say("Copied the sample library to {path}.",
                   {{"path", DisplayPath(folders.libraryRoot)}})
            << "\n";
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeCopySampleCommand() {
    return std::make_unique<CopySampleCommand>();
}

}  // namespace kelvane::cli
