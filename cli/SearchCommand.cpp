#include <algorithm>
#include <memory>
#include <string>

#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "i18n/Translate.h"
#include "records/LibraryPaths.h"
#include "records/TextCodec.h"
#include "search/LibrarySearch.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::SayPlural;
using kelvane::i18n::Tr;

namespace {

std::string HitLine(const SearchHit& hit) {
    return EscapeLine(DisplayPath(hit.folderPath)) + "\t" +
           std::string(FieldKeyword(hit.match.field)) + "\t" + EscapeLine(hit.match.excerpt);
}

// Prints each hit as it is found; keeps them instead for --json.
class HitPrinter : public SearchSink {
public:
    HitPrinter(std::ostream& out, bool keep) : m_out(out), m_keep(keep) {}
    void Hit(const SearchHit& hit) override {
        if (m_keep)
            hits.push_back(hit);
        else
            m_out << HitLine(hit) << "\n";
    }
    std::vector<SearchHit> hits;

private:
    std::ostream& m_out;
    bool m_keep;
};

void PrintJson(const std::vector<SearchHit>& hits, const SearchSummary& summary,
               std::ostream& out) {
    out << "{\"hits\": [";
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const SearchHit& hit = hits[i];
        out << (i > 0 ? ",\n  " : "\n  ")
            << "{\"path\": " << JsonString(DisplayPath(hit.folderPath))
            << ", \"name\": " << JsonString(DisplayName(hit.folderName))
            << ", \"field\": " << JsonString(FieldKeyword(hit.match.field)) << ", \"parameter\": "
            << (hit.match.parameter < 0 ? std::string("null") : std::to_string(hit.match.parameter))
            << ", \"excerpt\": " << JsonString(hit.match.excerpt) << "}";
    }
    out << (hits.empty() ? "" : "\n ") << "],\n \"functions\": " << summary.functions
        << ",\n \"unreadableFiles\": " << summary.unreadableFiles
        << ",\n \"unreadableFolders\": " << summary.unreadableFolders << ",\n \"problems\": [";
    for (std::size_t i = 0; i < summary.problems.size(); ++i) {
        const SearchProblem& problem = summary.problems[i];
        out << (i > 0 ? ",\n  " : "\n  ") << "{\"path\": " << JsonString(DisplayPath(problem.path))
            << ", \"reason\": " << JsonString(problem.reason) << "}";
    }
    out << (summary.problems.empty() ? "" : "\n ") << "]}\n";
}

// Every function whose name, description or parameters hold all the words.
class SearchCommand : public Command {
public:
    SearchCommand()
        : Command("search",
                  "[--group PATH] [--field name|description|type|param-description]... "
                  "[--type T] [--dir in|out] [--json] WORDS...",
                  N_("print every function whose folder name, description, parameter types or "
                     "parameter descriptions hold all the words (in any case of Latin letters): "
                     "one line per function with its folder, the field and an excerpt; --type "
                     "and --dir ask for a parameter of that type and direction")) {}

    int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) override {
        const Arguments args =
            ParseArguments(words, {"--json"}, {"--group", "--field", "--type", "--dir"});
        if (!args.error.empty())
            return UsageError(err, args.error);
        SearchQuery query;
        query.words = args.positional;
        if (std::find(query.words.begin(), query.words.end(), "") != query.words.end())
            return UsageError(err, Tr("A word is empty."));
        if (query.words.size() > kMaxSearchWords)
            return UsageError(
                err, Say("Give at most {max} words.", {{"max", std::to_string(kMaxSearchWords)}}));
        if (!args.values("--field").empty()) {
            query.fields = 0;
            for (const std::string& keyword : args.values("--field")) {
                const auto field = FieldOfKeyword(keyword);
                if (!field)
                    return UsageError(err, Say("Unknown field {field} (name, description, type or "
                                               "param-description).",
                                               {{"field", keyword}}));
                query.fields |= FieldBit(*field);
            }
        }
        query.type = args.value("--type");
        if (args.options.count("--type") && query.type.empty())
            return UsageError(err, Tr("The type is empty."));
        const std::string direction = args.value("--dir");
        if (direction == "in")
            query.direction = DirectionFilter::kInput;
        else if (direction == "out")
            query.direction = DirectionFilter::kOutput;
        else if (args.options.count("--dir"))
            return UsageError(err, Tr("--dir is in or out."));
        if (query.words.empty() && !query.HasFilter())
            return UsageError(err, Tr("The search command needs a word, --type or --dir."));

        std::string start = GetLibraryRoot();
        if (args.options.count("--group")) {
            if (args.value("--group").empty())
                return UsageError(err, Tr("The group folder is empty."));
            start = NormalizeFolderArgument(args.value("--group"));
            if (!IsDirectory(start))
                return Failure(err, Say("{path} is not a folder.", {{"path", DisplayPath(start)}}));
        } else if (!IsDirectory(start)) {
            return Failure(err, Say("There is no function library at {path}.",
                                    {{"path", DisplayPath(start)}}));
        }

        const bool json = args.has("--json");
        HitPrinter printer(out, json);
        SearchOptions options;
        options.threads = WalkThreads();
        const SearchSummary summary = SearchLibrary(start, query, printer, options);
        if (json)
            PrintJson(printer.hits, summary, out);
        out.flush();

        for (const SearchProblem& problem : summary.problems)
            err << EscapeLine(DisplayPath(problem.path)) << ": " << problem.reason << "\n";
        const auto files = static_cast<unsigned long>(summary.unreadableFiles);
        const auto folders = static_cast<unsigned long>(summary.unreadableFolders);
        const std::string unreadFiles = SayPlural("{n} function file could not be read",
                                                  "{n} function files could not be read", files);
        const std::string unreadFolders =
            SayPlural("{n} folder could not be read", "{n} folders could not be read", folders);
        if (files > 0 && folders > 0)
            Failure(err, Say("{files}, {folders}.",
                             {{"files", unreadFiles}, {"folders", unreadFolders}}));
        else if (files > 0 || folders > 0)
            Failure(err, Say("{unread}.", {{"unread", files > 0 ? unreadFiles : unreadFolders}}));
        if (summary.hits == 0)
            return Failure(err, SayPlural("No function matches ({n} function searched).",
                                          "No function matches ({n} functions searched).",
                                          static_cast<unsigned long>(summary.functions)));
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSearchCommand() {
    return std::make_unique<SearchCommand>();
}

}  // namespace kelvane::cli
