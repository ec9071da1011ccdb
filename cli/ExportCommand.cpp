#include <stdlib.h>

#include <memory>
#include <string>

#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "exchange/ExportFolder.h"
#include "exchange/FunctionJson.h"
#include "exchange/FunctionSource.h"
#include "exchange/JsonExport.h"
#include "exchange/MarkupExport.h"
#include "i18n/Translate.h"
#include "records/LibraryPaths.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::SayPlural;
using kelvane::i18n::Tr;

namespace {

constexpr std::string_view kFormat = "--format";
constexpr std::string_view kOutput = "--output";

std::string RealPath(const std::string& path) {
    std::unique_ptr<char, decltype(&free)> resolved(realpath(path.c_str(), nullptr), &free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// The whole library, a tab, a group or one function as JSON, Markdown or HTML.
class ExportCommand : public Command {
public:
    ExportCommand()
        : Command("export", "[--format json|markdown|html] [--output DIR] [PATH]",
                  N_("export the library, a tab, a group or one function (PATH, default the "
                     "library):\n      json (the form import reads) or a markdown reference on "
                     "standard output, or with --output\n      a folder: one file per function "
                     "beside an index; html needs --output")) {}

    int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) override {
        const Arguments args = ParseArguments(words, {}, {kFormat, kOutput});
        if (!args.error.empty())
            return UsageError(err, args.error);
        if (args.positional.size() > 1)
            return UsageError(err, Tr("The export command takes at most one folder."));
        const std::string format = args.value(kFormat, "json");
        if (format != "json" && format != "markdown" && format != "html")
            return UsageError(err, Tr("The format is json, markdown or html."));
        const std::string output = args.value(kOutput);
        if (args.options.count(kOutput) && output.empty())
            return UsageError(err, Tr("--output needs a folder."));
        if (format == "html" && output.empty())
            return UsageError(err,
                              Tr("An html reference is a folder of pages: give --output DIR."));
        if (!args.positional.empty() && args.positional[0].empty())
            return UsageError(err, Tr("The folder is empty."));

        const std::string libraryRoot = GetLibraryRoot();
        const std::string start =
            args.positional.empty() ? libraryRoot : NormalizeFolderArgument(args.positional[0]);
        if (!IsDirectory(start))
            return Failure(err, Say("{path} is not a folder.", {{"path", DisplayPath(start)}}));

        if (format == "json" && output.empty() && IsFunctionFolderName(LastComponent(start))) {
            FunctionRecord record;
            std::string message;
            if (!ReadFunctionFolder(start, record, message))
                return Failure(err, message);
            out << DumpJson(FunctionToJson(record), 2) << "\n";
            return kExitOk;
        }

        ExportTree tree;
        if (output.empty()) {
            std::unique_ptr<ExportSink> sink =
                format == "json" ? MakeJsonDocumentSink(out) : MakeMarkdownDocumentSink(out);
            if (Status done = WalkForExport(start, libraryRoot, *sink, tree, WalkThreads()); !done)
                return Failure(err, done.message());
            return Report(tree, err);
        }

        const std::string realStart = RealPath(start);
        const std::string outputParent =
            RealPath(ParentPath(NormalizeFolderArgument(output)).empty()
                         ? "."
                         : ParentPath(NormalizeFolderArgument(output)));
        if (!realStart.empty() && !outputParent.empty() &&
            (outputParent == realStart || outputParent.starts_with(realStart + "/")))
            return Failure(err,
                           Say("The output folder {output} is inside the exported folder "
                               "{start}; nothing was written.",
                               {{"output", DisplayPath(output)}, {"start", DisplayPath(start)}}));
        ExportFolder folder;
        if (Status begun = folder.Begin(NormalizeFolderArgument(output)); !begun)
            return Failure(err, begun.message());
        std::unique_ptr<ExportSink> sink = format == "json"       ? MakeJsonFolderSink(folder)
                                           : format == "markdown" ? MakeMarkdownFolderSink(folder)
                                                                  : MakeHtmlFolderSink(folder);
        if (Status done = WalkForExport(start, libraryRoot, *sink, tree, WalkThreads()); !done)
            return Failure(err, done.message());
        if (Status placed = folder.Commit(); !placed)
            return Failure(err, placed.message());
        if (!folder.warning().empty())
            err << "kelvane-cli: " << Say("Note: {note}", {{"note", EscapeLine(folder.warning())}})
                << "\n";
        return Report(tree, err);
    }

private:
    // Links followed out of the start, and the folders and files that could not be read.
    static int Report(const ExportTree& tree, std::ostream& err) {
        for (const std::string& note : tree.linksOut)
            err << "kelvane-cli: " << Say("Note: {note}", {{"note", EscapeLine(note)}}) << "\n";
        if (tree.unreadable == 0)
            return kExitOk;
        return Failure(err, SayPlural("{n} folder or function file could not be read; the export "
                                      "marks it as unreadable.",
                                      "{n} folders or function files could not be read; the "
                                      "export marks them as unreadable.",
                                      static_cast<unsigned long>(tree.unreadable)));
    }
};

}  // namespace

std::unique_ptr<Command> MakeExportCommand() {
    return std::make_unique<ExportCommand>();
}

}  // namespace kelvane::cli
