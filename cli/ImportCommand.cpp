#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "exchange/FunctionJson.h"
#include "i18n/Translate.h"
#include "records/FileOps.h"
#include "records/FunctionFile.h"
#include "records/LibraryPaths.h"
#include "records/OutsideLinks.h"
#include "records/ReadReason.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

constexpr std::string_view kCreate = "--create";
constexpr std::string_view kFollowLinks = "--follow-links";

// Reads at most kMaxJsonBytes + 1 bytes, so that a longer text is refused, not held.
bool ReadJsonText(const std::string& file, std::string& text) {
    const bool standardInput = file == "-";
    const int fd = standardInput ? STDIN_FILENO : open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[65536];
    bool ok = true;
    while (text.size() <= kMaxJsonBytes) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    const int error = errno;
    if (!standardInput)
        close(fd);
    errno = error;
    return ok;
}

// Writes a function file from its JSON form, through the save path of the edits.
class ImportCommand : public Command {
public:
    ImportCommand()
        : Command("import", "FILE.json FOLDER [--create] [--follow-links]",
                  N_("write the function file of FOLDER from its JSON form (as export prints "
                     "it; FILE - reads standard input);\n      --create makes the function "
                     "folder when it does not exist")) {}

    int run(const std::vector<std::string>& words, std::ostream&, std::ostream& err) override {
        const Arguments args = ParseArguments(words, {kCreate, kFollowLinks});
        if (!args.error.empty())
            return UsageError(err, args.error);
        if (args.positional.size() != 2 || args.positional[0].empty() || args.positional[1].empty())
            return UsageError(err,
                              Tr("The import command needs a JSON file and a function folder."));
        const std::string& file = args.positional[0];
        const std::string folder = NormalizeFolderArgument(args.positional[1]);
        const std::string name = LastComponent(folder);
        if (!IsFunctionFolderName(name))
            return Failure(err, Say("{folder} is not a function folder: its name must end in "
                                    "\"()\"; nothing was written.",
                                    {{"folder", DisplayPath(folder)}}));

        std::string text;
        if (!ReadJsonText(file, text))
            return Failure(err,
                           Say("Cannot read {file}: {reason}; nothing was written.",
                               {{"file", DisplayPath(file)}, {"reason", ReadErrnoReason(errno)}}));
        const ParsedJson parsed = ParseJson(text);
        if (!parsed.ok)
            return Failure(err, Say("{file}: {reason}; nothing was written.",
                                    {{"file", DisplayPath(file)}, {"reason", parsed.error}}));
        const FormResult form = FunctionFromJson(parsed.value);
        if (!form.ok)
            return Failure(err,
                           Say("{file}: {reason}; nothing was written.",
                               {{"file", DisplayPath(file)}, {"reason", form.error.message()}}));

        bool made = false;
        if (!IsDirectory(folder)) {
            if (!args.has(kCreate))
                return Failure(err, Say("{folder} does not exist ({option} makes it); nothing was "
                                        "written.",
                                        {{"folder", DisplayPath(folder)}, {"option", kCreate}}));
            if (mkdir(folder.c_str(), 0777) != 0)
                return Failure(
                    err, Say("Cannot create {folder}: {reason}; nothing was written.",
                             {{"folder", DisplayPath(folder)}, {"reason", ErrnoReason(errno)}}));
            made = true;
        }
        // A folder made here goes again when nothing is written into it.
        auto refuse = [&](const std::string& message) {
            if (made)
                rmdir(folder.c_str());
            return Failure(err, message);
        };
        const std::string path = GetFunctionFilePath(folder, name);
        if (!args.has(kFollowLinks)) {
            const std::string bounds = EditBounds(folder, GetLibraryRoot());
            if (const std::optional<std::string> target = LinkedOutside(path, bounds))
                return refuse(Say("{link}; nothing was written ({option} writes there).",
                                  {{"link", LinkedOutsideText(path, bounds, *target)},
                                   {"option", kFollowLinks}}));
        }
        // The file as it is now: a change by another program before the save stops it.
        // Whatever it holds, sound or not; one not there, not a file or not read whole
        // has nothing to compare.
        const FdbRead current = ReadFunctionFile(path, FdbPart::Salvage);
        FileStamp before;
        before.exists =
            current.fault != FdbFault::Missing && current.fault != FdbFault::Unreadable &&
            current.fault != FdbFault::NotRegular && current.bytes.size() == current.fileSize;
        if (before.exists)
            before.bytes = current.bytes;
        if (Status saved = form.record.Save(path, &before); !saved)
            return refuse(saved.message());
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeImportCommand() {
    return std::make_unique<ImportCommand>();
}

}  // namespace kelvane::cli
