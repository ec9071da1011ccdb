#include <algorithm>
#include <memory>
#include <string>
#include <thread>

#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "records/LibraryPaths.h"
#include "records/TextCodec.h"
#include "search/LibrarySearch.h"

namespace kelvane::cli {

namespace {

// More threads than this do not help a walk that waits on the file system.
constexpr unsigned kMaxThreads = 8;

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

std::string Plural(int n, const std::string& what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// Every function whose name, description or parameters hold all the words.
class SearchCommand : public Command {
public:
    SearchCommand()
        : Command("search",
                  "[--group PATH] [--field name|description|type|param-description]... "
                  "[--type T] [--dir in|out] [--json] WORDS...",
                  "print every function whose folder name, description, parameter types or "
                  "parameter descriptions hold all the words (in any case of Latin letters): "
                  "one line per function with its folder, the field and an excerpt; --type "
                  "and --dir ask for a parameter of that type and direction") {}

    int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) override {
        const Arguments args =
            ParseArguments(words, {"--json"}, {"--group", "--field", "--type", "--dir"});
        if (!args.error.empty())
            return UsageError(err, args.error);
        SearchQuery query;
        query.words = args.positional;
        if (std::find(query.words.begin(), query.words.end(), "") != query.words.end())
            return UsageError(err, "a word is empty");
        if (query.words.size() > kMaxSearchWords)
            return UsageError(err, "at most " + std::to_string(kMaxSearchWords) + " words");
        if (!args.values("--field").empty()) {
            query.fields = 0;
            for (const std::string& keyword : args.values("--field")) {
                const auto field = FieldOfKeyword(keyword);
                if (!field)
                    return UsageError(err, "unknown field " + keyword +
                                               " (name, description, type or param-description)");
                query.fields |= FieldBit(*field);
            }
        }
        query.type = args.value("--type");
        if (args.options.count("--type") && query.type.empty())
            return UsageError(err, "the type is empty");
        const std::string direction = args.value("--dir");
        if (direction == "in")
            query.direction = DirectionFilter::kInput;
        else if (direction == "out")
            query.direction = DirectionFilter::kOutput;
        else if (args.options.count("--dir"))
            return UsageError(err, "--dir is in or out");
        if (query.words.empty() && !query.HasFilter())
            return UsageError(err, "search needs a word, --type or --dir");

        std::string start = GetLibraryRoot();
        if (args.options.count("--group")) {
            if (args.value("--group").empty())
                return UsageError(err, "the group folder is empty");
            start = NormalizeFolderArgument(args.value("--group"));
            if (!IsDirectory(start))
                return Failure(err, DisplayPath(start) + " is not a folder");
        } else if (!IsDirectory(start)) {
            return Failure(err, "no function library at " + DisplayPath(start));
        }

        const bool json = args.has("--json");
        HitPrinter printer(out, json);
        SearchOptions options;
        options.threads =
            static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads));
        const SearchSummary summary = SearchLibrary(start, query, printer, options);
        if (json)
            PrintJson(printer.hits, summary, out);
        out.flush();

        for (const SearchProblem& problem : summary.problems)
            err << EscapeLine(DisplayPath(problem.path)) << ": " << problem.reason << "\n";
        std::string unread;
        if (summary.unreadableFiles > 0)
            unread = Plural(summary.unreadableFiles, "function file") + " could not be read";
        if (summary.unreadableFolders > 0)
            unread += (unread.empty() ? "" : ", ") + Plural(summary.unreadableFolders, "folder") +
                      " could not be read";
        if (!unread.empty())
            Failure(err, unread);
        if (summary.hits == 0)
            return Failure(err, "no function matches (" + Plural(summary.functions, "function") +
                                    " searched)");
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSearchCommand() {
    return std::make_unique<SearchCommand>();
}

}  // namespace kelvane::cli
