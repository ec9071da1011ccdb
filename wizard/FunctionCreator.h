#pragma once

#include <string>
#include <string_view>

#include "i18n/Translate.h"
#include "records/Result.h"
#include "wizard/CodeGenerator.h"
#include "wizard/NewFunction.h"

namespace kelvane {

inline constexpr std::string_view kFdbCreateErrorMessage = i18n::N_("fdb 파일 생성 에러");
inline constexpr std::string_view kEmptyProjectMessage =
    i18n::N_("The project file is empty, so the development program was not started.");

// The two above in the language in use, as the wizard shows them.
std::string FdbCreateErrorMessage();
std::string EmptyProjectMessage();

enum class ExistingTarget {
    None,        // nothing stands at the function folder's path
    Folder,      // a folder of that name exists (with or without its function file)
    NotAFolder,  // a file or other entry has the folder's name
};

// What stands at the function folder's path (a folder that a creation which died had
// moved aside is put back first).
ExistingTarget ExamineTarget(const NewFunction& function);

// "Blur() already exists in /lib/Basic. Replace its function file and project files?"
std::string ReplaceQuestion(const NewFunction& function);

struct CreationResult {
    enum class Outcome {
        Created,
        Refused,     // the name, the record or an existing entry: nothing touched
        SaveFailed,  // the function folder or file could not be made: nothing left behind
        Failed,      // the project or the kept files could not be made, or the finished
                     // folder could not be put in place: nothing left behind
    };
    Outcome outcome = Outcome::Created;
    std::string message;          // why, when not created
    std::string warning;          // created, but said so with a reservation
    GenerationReport generation;  // paths as they are after the move
    std::string functionFolder;
    std::string functionFile;
    std::string projectFile;

    bool created() const { return outcome == Outcome::Created; }
};

// Creates the function folder, its function file and (for a DLL function) its project.
// The whole folder is first built in a hidden staging folder beside the target and then
// put in place in one step (FolderSwap.h), so a failure or a crash leaves the old function
// or the new one, never a mixture, and nothing beside them. An existing function folder
// is refused unless replace is set; then the new files replace those of the same name and
// every other file of the old folder is kept in the new one. A symbolic link to a folder
// stays, and the folder it leads to is replaced. Files missing from the skeleton do not
// stop creation: they are reported; any other failure stops it and names the reason.
CreationResult CreateFunction(const NewFunction& function, const ProgramFolders& folders,
                              bool replace, const GenerationDate& date);

// One message naming the files that could not be generated ("" when complete).
std::string GenerationGapMessage(const GenerationReport& report);

}  // namespace kelvane
