#include <algorithm>
#include <memory>

#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "i18n/Translate.h"
#include "records/LibraryPaths.h"
#include "records/ParamTypes.h"
#include "records/ProgramFolders.h"
#include "wizard/FunctionCreator.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

bool IsKnownType(std::string_view name) {
    return std::any_of(kParameterTypes.begin(), kParameterTypes.end(),
                       [&](const TypeInfo& type) { return type.name == name; });
}

// A text of several lines, each printed escaped; "\r\n" ends a line as "\n" does.
void PrintLines(std::string text, std::ostream& out) {
    std::erase(text, '\r');
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        out << EscapeLine(std::string_view(text).substr(start, end - start)) << "\n";
        start = end + 1;
    }
}

// Creates a DLL function with its project, as the wizard's Finish does; never launches
// anything.
class CreateCommand : public Command {
public:
    CreateCommand()
        : Command("create", "--location DIR --name N --in TYPE... [--out TYPE...] [--replace]",
                  N_("create a DLL function: its folder, function file and project")) {}

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override {
        const Arguments parsed =
            ParseArguments(args, {"--replace"}, {"--location", "--name", "--in", "--out"});
        if (!parsed.error.empty())
            return UsageError(err, parsed.error);
        if (!parsed.positional.empty())
            return UsageError(err, Say("Unexpected argument {argument}.",
                                       {{"argument", parsed.positional.front()}}));

        NewFunction function;
        function.kind = kKindDll;
        function.name = parsed.value("--name");
        function.location = parsed.value("--location");
        function.inputs = parsed.values("--in");
        function.outputs = parsed.values("--out");
        if (function.location.empty())
            return UsageError(err, Tr("--location is needed."));
        if (function.name.empty())
            return UsageError(err, Tr("--name is needed."));
        if (function.inputs.empty())
            return UsageError(err, Tr("At least one --in is needed."));
        for (const auto* list : {&function.inputs, &function.outputs}) {
            for (const std::string& type : *list) {
                if (!IsKnownType(type))
                    return UsageError(err, Say("Unknown parameter type {type}.", {{"type", type}}));
            }
        }
        function.location = NormalizeFolderArgument(function.location);
        if (auto refusal = NameRefusal(function.name))
            return Failure(err, *refusal);

        PrintLines(BuildSummary(function), out);
        const CreationResult result = CreateFunction(
            function, GetProgramFolders(), parsed.has("--replace"), GenerationDate::Today());
        if (!result.created()) {
            if (result.outcome == CreationResult::Outcome::SaveFailed)
                return Failure(err, Say("{title}: {message}", {{"title", FdbCreateErrorMessage()},
                                                               {"message", result.message}}));
            if (ExamineTarget(function) == ExistingTarget::Folder &&
                result.outcome == CreationResult::Outcome::Refused)
                return Failure(err, Say("{message} Give --replace to replace its files.",
                                        {{"message", result.message}}));
            return Failure(err, result.message);
        }
        out << Say("Created {file}.", {{"file", EscapeLine(DisplayPath(result.functionFile))}})
            << "\n";
        if (!result.warning.empty())
            return Failure(err, result.warning);
        if (!result.generation.complete()) {
            // One file a line.
            err << "kelvane-cli: ";
            PrintLines(GenerationGapMessage(result.generation), err);
            return kExitFailure;
        }
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeCreateCommand() {
    return std::make_unique<CreateCommand>();
}

}  // namespace kelvane::cli
