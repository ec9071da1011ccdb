// The search of a library of 100,000 functions (SearchShape) against two floors measured in
// the same run, several rounds each, alternating; prints the medians and their ratios:
//   reading every function file whole in a plain loop, one thread
//   reading only the header of every function file
// and checks that each search finds exactly the functions that match.
//   search_bench DIR [ROUNDS] [--small]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/SyntheticLibrary.h"
#include "cli/Cli.h"
#include "records/FunctionRecord.h"
#include "records/LibraryPaths.h"
#include "search/LibrarySearch.h"

namespace {

using Clock = std::chrono::steady_clock;
using kelvane::bench::GeneratedFunction;

double Ms(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Opens and reads every file, whole or its first limit bytes.
double ReadFloor(const std::vector<std::string>& files, std::size_t limit = SIZE_MAX) {
    const auto start = Clock::now();
    char buffer[65536];
    std::size_t all = 0;
    for (const std::string& file : files) {
        const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            std::abort();
        std::size_t total = 0;
        for (ssize_t got;
             total < limit && (got = read(fd, buffer, std::min(sizeof buffer, limit - total))) > 0;)
            total += static_cast<std::size_t>(got);
        close(fd);
        all += total;
    }
    if (all == 0)
        std::abort();
    return Ms(start);
}

class Paths : public kelvane::SearchSink {
public:
    void Hit(const kelvane::SearchHit& hit) override { folders.push_back(hit.folderPath); }
    std::vector<std::string> folders;
};

struct Case {
    std::string what;
    kelvane::SearchQuery query;
    std::vector<std::string> expected;  // sorted folders
    std::vector<double> one, two, cli;
};

// A query and the folders whose function matches it, from what the generator wrote (the
// words of the descriptions never hold one another).
Case MakeCase(std::string what, kelvane::SearchQuery query,
              const std::vector<GeneratedFunction>& facts,
              const std::function<bool(const GeneratedFunction&)>& matches) {
    Case c;
    c.what = std::move(what);
    c.query = std::move(query);
    for (const GeneratedFunction& f : facts)
        if (matches(f))
            c.expected.push_back(f.folder);
    std::sort(c.expected.begin(), c.expected.end());
    return c;
}

// One search; aborts unless it found exactly the expected functions, each once.
double TimeSearch(const std::string& root, const Case& c, int threads) {
    Paths paths;
    kelvane::SearchOptions options;
    options.threads = threads;
    const auto start = Clock::now();
    const kelvane::SearchSummary summary = kelvane::SearchLibrary(root, c.query, paths, options);
    const double ms = Ms(start);
    std::sort(paths.folders.begin(), paths.folders.end());
    if (paths.folders != c.expected || summary.unreadableFiles != 0) {
        std::fprintf(stderr, "%s with %d threads: %zu hits, %zu expected\n", c.what.c_str(),
                     threads, paths.folders.size(), c.expected.size());
        std::vector<std::string> missing;
        std::set_difference(c.expected.begin(), c.expected.end(), paths.folders.begin(),
                            paths.folders.end(), std::back_inserter(missing));
        for (std::size_t i = 0; i < missing.size() && i < 5; ++i)
            std::fprintf(stderr, "  not found: %s\n", missing[i].c_str());
        for (std::size_t i = 0; i < summary.problems.size() && i < 5; ++i)
            std::fprintf(stderr, "  %s: %s\n", summary.problems[i].path.c_str(),
                         summary.problems[i].reason.c_str());
        std::exit(1);
    }
    return ms;
}

// kelvane-cli search in-process, printing into memory; checks the lines' folders.
double TimeCli(const std::string& home, const Case& c, const std::vector<std::string>& words) {
    std::ostringstream out, err;
    std::vector<std::string> args = {"--home", home, "search"};
    args.insert(args.end(), words.begin(), words.end());
    const auto start = Clock::now();
    const int code = kelvane::cli::RunCli(args, out, err);
    const double ms = Ms(start);
    std::vector<std::string> folders;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);)
        folders.push_back(line.substr(0, line.find('\t')));
    std::sort(folders.begin(), folders.end());
    if (code != 0 || folders != c.expected) {
        std::fprintf(stderr, "kelvane-cli %s: exit %d, %zu lines\n%s", c.what.c_str(), code,
                     folders.size(), err.str().c_str());
        std::exit(1);
    }
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp/kelvane-search-bench";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const bool small = argc > 3 && std::string(argv[3]) == "--small";
    kelvane::bench::LibraryShape shape = kelvane::bench::SearchShape();
    if (small) {
        shape.topLevelGroups = 3;
        shape.fanout = 3;
        shape.functionsPerGroup = 10;
    }
    std::filesystem::remove_all(dir);
    const auto library = kelvane::bench::GenerateLibrary(dir, shape, true);
    kelvane::SetProgramDirectoryOverride(dir);
    const std::string root = kelvane::GetLibraryRoot();

    using kelvane::SearchField;
    auto described = [](const char* word) {
        return [word](const GeneratedFunction& f) {
            return f.description.find(word) != std::string::npos;
        };
    };
    const kelvane::SearchFields inDescription = kelvane::FieldBit(SearchField::kDescription);
    Case description = MakeCase("description \"edge\"", {{"edge"}, inDescription, {}, {}},
                                library.facts, described("edge"));
    Case korean = MakeCase("description \"윤곽선\"", {{"윤곽선"}, inDescription, {}, {}},
                           library.facts, described("윤곽선"));
    Case type = MakeCase(
        "--type CMatrix* --dir in",
        {{}, kelvane::kAllSearchFields, "CMatrix*", kelvane::DirectionFilter::kInput},
        library.facts, [](const GeneratedFunction& f) {
            return std::any_of(f.params.begin(), f.params.end(),
                               [](const auto& p) { return p.type == "CMatrix*" && p.input; });
        });
    std::vector<Case*> cases = {&description, &korean, &type};
    const std::vector<std::string> cliWords = {"--field", "description", "edge"};

    std::vector<double> whole, headers;
    ReadFloor(library.files);  // a warm cache for everyone
    TimeSearch(root, description, 1);
    for (int r = 0; r < rounds; ++r) {
        whole.push_back(ReadFloor(library.files));
        headers.push_back(ReadFloor(library.files, kelvane::fdb::kHeaderSize));
        for (Case* c : cases) {
            c->one.push_back(TimeSearch(root, *c, 1));
            c->two.push_back(TimeSearch(root, *c, 2));
        }
        description.cli.push_back(TimeCli(dir, description, cliWords));
    }
    const double w = Median(whole), h = Median(headers);
    std::printf("%d functions in %d groups (%d rounds, medians)\n", library.functions,
                library.groups - shape.topLevelGroups, rounds);
    std::printf("%-46s %8.1f ms\n", "floor: read every file whole, one thread", w);
    std::printf("%-46s %8.1f ms\n", "floor: read every header, one thread", h);
    for (const Case* c : cases) {
        const double one = Median(c->one), two = Median(c->two);
        std::printf("search %-32s %zu hits\n", c->what.c_str(), c->expected.size());
        std::printf("  %-44s %8.1f ms  %.2f of the whole-file floor, %.2f of the header floor\n",
                    "one thread", one, one / w, one / h);
        std::printf("  %-44s %8.1f ms  %.2f of the whole-file floor, %.2f of the header floor\n",
                    "two threads", two, two / w, two / h);
    }
    const double cli = Median(description.cli);
    std::printf(
        "kelvane-cli search --field description edge %8.1f ms  %.2f of the whole-file floor\n", cli,
        cli / w);
    std::printf(
        "goals: a description search within 1.20 of the whole-file floor; with two "
        "threads below 1.00\n");
    kelvane::SetProgramDirectoryOverride("");
    return 0;
}
