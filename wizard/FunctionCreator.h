#pragma once

#include <string>
#include <string_view>

#include "records/Result.h"
#include "wizard/CodeGenerator.h"
#include "wizard/NewFunction.h"

namespace kelvane {

inline constexpr std::string_view kFdbCreateErrorMessage = "fdb 파일 생성 에러";

enum class ExistingTarget {
    None,        // nothing stands at the function folder's path
    Folder,      // a folder of that name exists (with or without its function file)
    NotAFolder,  // a file or other entry has the folder's name
};

ExistingTarget ExamineTarget(const NewFunction& function);

// "Blur() already exists in /lib/Basic. Replace its function file and project files?"
std::string ReplaceQuestion(const NewFunction& function);

struct CreationResult {
    enum class Outcome {
        Created,
        Refused,     // the name, the record or an existing entry: nothing touched
        SaveFailed,  // the function file could not be written: nothing left behind
        MoveFailed,  // the finished folder could not be put in place: nothing left behind
    };
    Outcome outcome = Outcome::Created;
    std::string message;          // why, when not created
    GenerationReport generation;  // paths as they are after the move
    std::string functionFolder;
    std::string functionFile;
    std::string projectFile;

    bool created() const { return outcome == Outcome::Created; }
};

// Creates the function folder, its function file and (for a DLL function) its project.
// Everything is first built in a hidden folder beside the target and then moved into
// place, so a failure leaves nothing half-made. An existing function folder is refused
// unless replace is set; then the new files replace those of the same name in it and
// every other file in it stays. Generation gaps do not stop creation: they are reported.
CreationResult CreateFunction(const NewFunction& function, const ProgramFolders& folders,
                              bool replace, const GenerationDate& date);

// One message naming the files that could not be generated ("" when complete).
std::string GenerationGapMessage(const GenerationReport& report);

}  // namespace kelvane
