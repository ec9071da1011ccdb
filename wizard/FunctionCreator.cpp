#include "wizard/FunctionCreator.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "records/FileOps.h"
#include "records/LibraryPaths.h"
#include "records/TextCodec.h"

namespace kelvane {

namespace fs = std::filesystem;

namespace {

constexpr int kStagingAttempts = 100;

// Makes a hidden folder beside the target to build the function in; "" on failure,
// with errno set.
std::string MakeStagingFolder(const NewFunction& function) {
    std::random_device seed;
    std::mt19937 rng(seed());
    const std::string base =
        LocationDirectory(function.location) + "." + FunctionFolderName(function) + ".new-";
    for (int attempt = 0; attempt < kStagingAttempts; ++attempt) {
        const std::string path = base + std::to_string(rng() % 1000000);
        if (mkdir(path.c_str(), 0777) == 0)
            return path;
        if (errno != EEXIST)
            return {};
    }
    return {};
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

std::string Rebased(const std::string& path, const std::string& from, const std::string& to) {
    if (path.compare(0, from.size(), from) == 0)
        return to + path.substr(from.size());
    return path;
}

// Checks that every staged file can replace its counterpart: no folder where a file
// goes and no file where a folder goes.
std::optional<std::string> MergeConflict(const fs::path& staged, const fs::path& target) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(staged, error)) {
        const fs::path there = target / entry.path().filename();
        const fs::file_status status = fs::symlink_status(there, error);
        if (!fs::exists(status))
            continue;
        if (entry.is_directory()) {
            if (!fs::is_directory(status))
                return there.string();
            if (auto conflict = MergeConflict(entry.path(), there))
                return conflict;
        } else if (fs::is_directory(status)) {
            return there.string();
        }
    }
    return std::nullopt;
}

// Moves the staged files over those of the same name in target, keeping every other file.
Status MergeInto(const fs::path& staged, const fs::path& target) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(staged, error)) {
        const fs::path there = target / entry.path().filename();
        if (entry.is_directory()) {
            if (!fs::is_directory(there) && mkdir(there.c_str(), 0777) != 0)
                return Status::Fail("could not create " + DisplayPath(there.string()) + ": " +
                                    ErrnoReason(errno));
            if (Status status = MergeInto(entry.path(), there); !status)
                return status;
        } else if (rename(entry.path().c_str(), there.c_str()) != 0) {
            return Status::Fail("could not replace " + DisplayPath(there.string()) + ": " +
                                ErrnoReason(errno));
        }
    }
    return Status::Ok();
}

CreationResult Refused(std::string message) {
    CreationResult result;
    result.outcome = CreationResult::Outcome::Refused;
    result.message = std::move(message);
    return result;
}

}  // namespace

ExistingTarget ExamineTarget(const NewFunction& function) {
    struct stat st {};
    if (lstat(FunctionFolderPath(function).c_str(), &st) != 0)
        return ExistingTarget::None;
    if (S_ISDIR(st.st_mode))
        return ExistingTarget::Folder;
    // A symbolic link to a folder is used as the folder, as the library scan does.
    if (S_ISLNK(st.st_mode) && stat(FunctionFolderPath(function).c_str(), &st) == 0 &&
        S_ISDIR(st.st_mode))
        return ExistingTarget::Folder;
    return ExistingTarget::NotAFolder;
}

std::string ReplaceQuestion(const NewFunction& function) {
    return DisplayPath(FunctionFolderPath(function)) +
           " already exists. Replace its function file and project files? "
           "Other files in the folder are kept.";
}

std::string GenerationGapMessage(const GenerationReport& report) {
    if (report.complete())
        return {};
    std::string text = "The project was not fully generated. These files could not be made:";
    for (const std::string& path : report.failedFiles)
        text += "\n" + DisplayPath(path);
    return text;
}

CreationResult CreateFunction(const NewFunction& function, const ProgramFolders& folders,
                              bool replace, const GenerationDate& date) {
    if (function.name.empty())
        return Refused("The function name is empty.");
    if (function.location.empty())
        return Refused("The location is empty.");
    if (auto refusal = NameRefusal(function.name))
        return Refused(*refusal);
    const auto record = BuildFunctionRecord(function);
    if (!record)
        return Refused(NotCp949Message("The function name"));

    const std::string folder = FunctionFolderPath(function);
    const ExistingTarget existing = ExamineTarget(function);
    if (existing == ExistingTarget::NotAFolder)
        return Refused(DisplayPath(folder) + " exists and is not a folder; nothing was created.");
    if (existing == ExistingTarget::Folder && !replace)
        return Refused(DisplayPath(folder) + " already exists; nothing was created.");

    CreationResult result;
    result.functionFolder = folder;
    result.functionFile = FunctionFilePathOf(function);
    result.projectFile = ProjectFilePathOf(function);

    const std::string staging = MakeStagingFolder(function);
    if (staging.empty()) {
        result.outcome = CreationResult::Outcome::SaveFailed;
        result.message = "could not create the function folder in " +
                         DisplayPath(function.location) + ": " + ErrnoReason(errno);
        return result;
    }
    const std::string folderName = FunctionFolderName(function);
    if (Status saved = record->Save(GetFunctionFilePath(staging, folderName)); !saved) {
        RemoveTree(staging);
        result.outcome = CreationResult::Outcome::SaveFailed;
        result.message = saved.message();
        return result;
    }
    if (function.kind == kKindDll) {
        CCodeGenerator generator(function.name, folders, staging, std::string(kProgrammerText),
                                 BuildSignature(function));
        generator.SetDate(date);
        result.generation = generator.Generate();
        for (std::string& path : result.generation.failedFiles)
            path = Rebased(path, staging, folder);
    }

    Status placed = Status::Ok();
    bool merging = false;
    if (existing == ExistingTarget::None) {
        placed = RenameNoReplace(staging, folder);
    } else if (auto conflict = MergeConflict(staging, folder)) {
        placed = Status::Fail("could not replace " + DisplayPath(*conflict) +
                              ": a folder and a file stand in each other's place");
    } else {
        merging = true;
        placed = MergeInto(staging, folder);
    }
    RemoveTree(staging);
    if (!placed) {
        result.outcome = CreationResult::Outcome::MoveFailed;
        // A merge moves file after file: those moved before the failure stay replaced.
        result.message = placed.message() + (merging ? "; the files moved before it stay replaced."
                                                     : "; nothing was created.");
    }
    return result;
}

}  // namespace kelvane
