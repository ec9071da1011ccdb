#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/TextOut.h"
#include "exchange/FunctionJson.h"
#include "exchange/FunctionSource.h"
#include "i18n/Translate.h"
#include "records/FileOps.h"
#include "records/LibraryPaths.h"
#include "records/ReadReason.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

// One line per field of the JSON form: "pointer: value", the pointer without its leading
// "/", a list as its length and then its elements, texts as one escaped line.
void PrintFlat(const Json& value, const std::string& at, std::ostream& out) {
    if (value.is_object()) {
        for (const auto& item : value.items())
            PrintFlat(item.value(), at.empty() ? item.key() : at + "/" + item.key(), out);
        return;
    }
    if (value.is_array()) {
        out << at << ": " << value.size() << "\n";
        for (std::size_t i = 0; i < value.size(); ++i)
            PrintFlat(value[i], at + "/" + std::to_string(i), out);
        return;
    }
    out << at << ": "
        << (value.is_string() ? EscapeLine(value.get_ref<const std::string&>()) : value.dump())
        << "\n";
}

// A function file as stable lines, for git's textconv: one field per line, parameters
// numbered. A damaged file is shown as far as it can be read, after what is wrong with it,
// so that every version of it can be compared.
class DumpCommand : public Command {
public:
    DumpCommand()
        : Command("dump", "FILE.fdb",
                  N_("print a function file one field per line (for git diff: see the README)")) {}

    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override {
        if (args.size() != 1 || args[0].empty())
            return UsageError(err, Tr("The dump command needs one function file."));
        FunctionFileView view;
        if (!ReadFunctionFileView(args[0], view))
            return Failure(err, Say("Cannot read {path}: {reason}.",
                                    {{"path", DisplayPath(args[0])},
                                     {"reason", errno == EINVAL ? Tr("it is not a regular file")
                                                                : ReadErrnoReason(errno)}}));
        for (const std::string& problem : view.problems)
            out << "problem: " << EscapeLine(problem) << "\n";
        if (!view.problems.empty()) {
            char hash[17];
            std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(view.hash));
            out << "file: " << view.size << " bytes, hash " << hash << "\n";
        }
        if (view.hasHeader)
            PrintFlat(FunctionToJson(view.header, view.parameters), "", out);
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeDumpCommand() {
    return std::make_unique<DumpCommand>();
}

}  // namespace kelvane::cli
