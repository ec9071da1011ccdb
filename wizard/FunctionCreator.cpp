#include "wizard/FunctionCreator.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "i18n/Translate.h"
#include "records/AtomicSave.h"
#include "records/DirTree.h"
#include "records/FileOps.h"
#include "records/FolderSwap.h"
#include "records/Leftovers.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"
#include "records/TextCodec.h"
#include "records/UniqueFd.h"

namespace kelvane {

using i18n::Say;
using i18n::Tr;

namespace {

CreationResult Refused(std::string message) {
    CreationResult result;
    result.outcome = CreationResult::Outcome::Refused;
    result.message = std::move(message);
    return result;
}

std::string Rebased(const std::string& path, const std::string& from, const std::string& to) {
    if (path.compare(0, from.size(), from) == 0)
        return to + path.substr(from.size());
    return path;
}

// The folder that receives the function and the name it gets there: through a symbolic
// link to a folder, the folder the link leads to.
struct Place {
    std::string folder;
    std::string name;
};

Place PlaceOf(const NewFunction& function) {
    const std::string path = FunctionFolderPath(function);
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            Place place{ParentPath(real), LastComponent(real)};
            std::free(real);
            if (place.folder.empty())
                place.folder = "/";
            return place;
        }
    }
    return {LocationDirectory(function.location), FunctionFolderName(function)};
}

// Builds the messages of one creation, in the user's terms: the function and the folder it
// goes in, never the staging folder.
class Messages {
public:
    Messages(const NewFunction& function, bool replace)
        : m_name(DisplayName(FunctionFolderName(function))),
          m_location(DisplayPath(function.location)),
          m_replace(replace) {}

    std::string Failure(const std::string& reason) const {
        return m_replace ? Say("Could not replace {name} in {location}: {reason}; the function "
                               "is unchanged.",
                               {Name(), Location(), {"reason", reason}})
                         : Say("Could not create {name} in {location}: {reason}; nothing was "
                               "created.",
                               {Name(), Location(), {"reason", reason}});
    }
    std::string Writing(int error, const std::string& relative) const {
        return Failure(
            Say("{reason} (writing {file})", {{"reason", ErrnoReason(error)}, {"file", relative}}));
    }
    std::string NotRemoved(int error) const {
        return Say(
            "Replaced {name} in {location}, but the files of the replaced folder could "
            "not all be removed: {reason}; \"kelvane-cli check --clean\" tries again.",
            {Name(), Location(), {"reason", ErrnoReason(error)}});
    }
    std::string NotFlushed(int error) const {
        return Say(
            "Created {name} in {location}, but its folder could not be flushed to disk: "
            "{reason}; the change may be lost if the system stops now.",
            {Name(), Location(), {"reason", ErrnoReason(error)}});
    }

private:
    i18n::Value Name() const { return {"name", m_name}; }
    i18n::Value Location() const { return {"location", m_location}; }

    std::string m_name;
    std::string m_location;
    bool m_replace;
};

std::string Relative(const std::string& path, const std::string& folder) {
    if (path.compare(0, folder.size() + 1, folder + "/") == 0)
        return DisplayPath(path.substr(folder.size() + 1));
    return DisplayPath(path);
}

}  // namespace

std::string FdbCreateErrorMessage() {
    return Tr(kFdbCreateErrorMessage.data());
}

std::string EmptyProjectMessage() {
    return Tr(kEmptyProjectMessage.data());
}

ExistingTarget ExamineTarget(const NewFunction& function) {
    const std::string path = FunctionFolderPath(function);
    struct stat st {};
    bool found = lstat(path.c_str(), &st) == 0;
    if (!found && errno == ENOENT && RestoreMovedAside(path))
        found = lstat(path.c_str(), &st) == 0;
    if (!found)
        return ExistingTarget::None;
    if (S_ISDIR(st.st_mode))
        return ExistingTarget::Folder;
    // A symbolic link to a folder is used as the folder, as the library scan does.
    if (S_ISLNK(st.st_mode) && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return ExistingTarget::Folder;
    return ExistingTarget::NotAFolder;
}

std::string ReplaceQuestion(const NewFunction& function) {
    return Say(
        "{folder} already exists. Replace its function file and project files? Other "
        "files in the folder are kept.",
        {{"folder", DisplayPath(FunctionFolderPath(function))}});
}

std::string GenerationGapMessage(const GenerationReport& report) {
    if (report.complete())
        return {};
    std::string text = Tr("The project was not fully generated. These files could not be made:");
    for (const std::string& path : report.failedFiles)
        text += "\n" + DisplayPath(path);
    return text;
}

CreationResult CreateFunction(const NewFunction& function, const ProgramFolders& folders,
                              bool replace, const GenerationDate& date) {
    if (function.name.empty())
        return Refused(Tr("The function name is empty."));
    if (function.location.empty())
        return Refused(Tr("The location is empty."));
    if (auto refusal = NameRefusal(function.name))
        return Refused(*refusal);
    const auto record = BuildFunctionRecord(function);
    if (!record)
        return Refused(NotCp949Message(Tr("The function name")));

    const std::string folder = FunctionFolderPath(function);
    const ExistingTarget existing = ExamineTarget(function);
    if (existing == ExistingTarget::NotAFolder)
        return Refused(Say("{folder} exists and is not a folder; nothing was created.",
                           {{"folder", DisplayPath(folder)}}));
    if (existing == ExistingTarget::Folder && !replace)
        return Refused(Say("{folder} already exists; nothing was created.",
                           {{"folder", DisplayPath(folder)}}));
    const bool replacing = existing == ExistingTarget::Folder;

    CreationResult result;
    result.functionFolder = folder;
    result.functionFile = FunctionFilePathOf(function);
    result.projectFile = ProjectFilePathOf(function);
    const Messages messages(function, replacing);
    auto fail = [&](CreationResult::Outcome outcome, std::string message) {
        result.outcome = outcome;
        result.message = std::move(message);
        return result;
    };
    using Outcome = CreationResult::Outcome;

    const Place place = PlaceOf(function);
    const UniqueFd parent(open(place.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!parent.valid())
        return fail(Outcome::SaveFailed, messages.Failure(ErrnoReason(errno)));
    FolderSwap swap;
    if (const int error = swap.Begin(parent.get(), place.name, replacing))
        return fail(Outcome::SaveFailed, messages.Failure(ErrnoReason(error)));

    // The folder being replaced: its leftovers rolled back, and its function file locked
    // so that no edit is saved into it meanwhile.
    const std::string fileName = LastComponent(result.functionFile);
    UniqueFd oldFolder;
    struct stat oldFolderStat {};
    LockedFile oldFile;
    if (replacing) {
        oldFolder.reset(OpenDirectoryAt(parent.get(), place.name));
        if (!oldFolder.valid() || fstat(oldFolder.get(), &oldFolderStat) != 0)
            return fail(Outcome::Failed, messages.Failure(ReadErrnoReason(errno)));
        RollBackLeftovers(oldFolder.get());
        oldFile = LockFileAt(oldFolder.get(), fileName);
        if (oldFile.refusal == SaveOutcome::Kind::Busy)
            return fail(Outcome::Failed,
                        messages.Failure(Say("another save of {file} is in progress",
                                             {{"file", DisplayName(fileName)}})));
    }

    if (const int error = WriteNewFileAt(swap.staging(), fileName, record->Serialize()))
        return fail(Outcome::SaveFailed, messages.Writing(error, DisplayName(fileName)));
    if (function.kind == kKindDll) {
        const std::string staging = swap.StagingPath(place.folder);
        CCodeGenerator generator(function.name, folders, staging, std::string(kProgrammerText),
                                 BuildSignature(function));
        generator.SetDate(date);
        result.generation = generator.Generate();
        GenerationReport& report = result.generation;
        for (std::string& path : report.failedFiles)
            path = Rebased(path, staging, folder);
        if (report.faulty()) {
            const std::string prefix =
                report.sourceFailed ? std::string(Tr(kSourceOpenErrorMessage.data())) + "\n" : "";
            if (report.faultReading)
                return fail(Outcome::Failed,
                            prefix + messages.Failure(
                                         Say("could not read {path}: {reason}",
                                             {{"path", DisplayPath(report.faultPath)},
                                              {"reason", ReadErrnoReason(report.faultError)}})));
            return fail(
                Outcome::Failed,
                prefix + messages.Writing(report.faultError, Relative(report.faultPath, staging)));
        }
    }
    if (replacing) {
        const std::string fault =
            MergeMissing(oldFolder.get(), swap.staging(), MergeMode::LinkOrCopy);
        if (!fault.empty())
            return fail(Outcome::Failed,
                        messages.Failure(Say("could not keep {what}", {{"what", fault}})));
        // The folder keeps its permission bits and, where we may, its owner.
        static_cast<void>(fchown(swap.staging(), oldFolderStat.st_uid, oldFolderStat.st_gid));
        static_cast<void>(fchmod(swap.staging(), oldFolderStat.st_mode & 07777));
    }

    const FolderSwap::Result placed = swap.Commit(replacing ? &oldFolderStat : nullptr);
    if (placed.error == EEXIST)
        return fail(Outcome::Refused, Say("{folder} already exists; nothing was created.",
                                          {{"folder", DisplayPath(folder)}}));
    if (placed.error == ESTALE)
        return fail(Outcome::Failed,
                    messages.Failure(
                        Tr("the folder was renamed or replaced by another program meanwhile")));
    if (placed.error != 0)
        return fail(Outcome::Failed, messages.Failure(ErrnoReason(placed.error)));
    if (placed.cleanupError != 0)
        result.warning = messages.NotRemoved(placed.cleanupError);
    else if (placed.flushError != 0)
        result.warning = messages.NotFlushed(placed.flushError);
    return result;
}

}  // namespace kelvane
