#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <streambuf>

#include "bench/SyntheticLibrary.h"
#include "cli/Cli.h"
#include "exchange/JsonExport.h"

// `kelvane-cli export` (JSON, one document) of a library of 100,000 functions against the
// floor of reading every function file whole in a plain loop over their paths, both
// measured here, several rounds each, alternating; prints the medians and their ratio.
//   export_bench [DIR [ROUNDS [--keep]]]
// With --keep the library is left in DIR, and one left there by an earlier run is used as
// it is, so that builds can be compared back to back on the same files.
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Counts what is written and keeps nothing, so that the export is measured, not a disk.
class CountingBuffer : public std::streambuf {
public:
    std::size_t count = 0;

protected:
    int_type overflow(int_type c) override {
        count += traits_type::eq_int_type(c, traits_type::eof()) ? 0 : 1;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += static_cast<std::size_t>(n);
        return n;
    }
};

double ReadFloor(const std::vector<std::string>& files) {
    const auto start = Clock::now();
    char buffer[65536];
    std::size_t all = 0;
    for (const std::string& file : files) {
        const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            std::abort();
        for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
            all += static_cast<std::size_t>(got);
        close(fd);
    }
    if (all == 0)
        std::abort();
    return Seconds(start);
}

double ExportOnce(const std::string& home, std::size_t& bytes) {
    CountingBuffer sink;
    std::ostream out(&sink);
    std::ostringstream err;
    const auto start = Clock::now();
    const int code = kelvane::cli::RunCli({"--home", home, "export"}, out, err);
    const double seconds = Seconds(start);
    if (code != 0) {
        std::cerr << err.str();
        std::abort();
    }
    bytes = sink.count;
    return seconds;
}

// The same document on one thread, for comparison.
double ExportOneThread(const std::string& home) {
    CountingBuffer counted;
    std::ostream out(&counted);
    const std::string root = home + "/FunctionLibrary";
    const auto sink = kelvane::MakeJsonDocumentSink(out);
    kelvane::ExportTree tree;
    const auto start = Clock::now();
    if (!kelvane::WalkForExport(root, root, *sink, tree, 1))
        std::abort();
    return Seconds(start);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir =
        argc > 1 ? argv[1]
                 : (std::filesystem::temp_directory_path() / "kelvane-export-bench").string();
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const bool keep = argc > 3 && std::string(argv[3]) == "--keep";
    const bool reuse = keep && std::filesystem::is_directory(dir + "/FunctionLibrary");
    if (!reuse)
        std::filesystem::remove_all(dir);
    // 4 tabs of 5 x 5 groups of 1,000 functions each.
    kelvane::bench::LibraryShape shape;
    shape.topLevelGroups = 4;
    shape.depth = 3;
    shape.fanout = 5;
    shape.functionsPerGroup = 1000;
    shape.wideFunctions = 0;
    int groups = 0;
    if (!reuse)
        groups = kelvane::bench::GenerateLibrary(dir, shape).groups;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (entry.path().extension() == ".fdb")
            files.push_back(entry.path().string());
        else if (reuse && entry.is_directory() && !entry.path().string().ends_with("()") &&
                 entry.path().filename() != "FunctionLibrary")
            ++groups;
    }

    std::vector<double> floor, exports, oneThread;
    std::size_t bytes = 0;
    ReadFloor(files);  // warm the cache once
    ExportOnce(dir, bytes);
    for (int r = 0; r < rounds; ++r) {
        floor.push_back(ReadFloor(files));
        exports.push_back(ExportOnce(dir, bytes));
        oneThread.push_back(ExportOneThread(dir));
    }
    const double f = Median(floor), e = Median(exports), one = Median(oneThread);
    std::printf("functions: %zu in %d groups (%d parameters each, %d rounds, medians)\n",
                files.size(), groups, shape.parametersPerFunction, rounds);
    std::printf("read floor (open + read every file whole): %8.1f ms\n", f * 1000);
    std::printf("kelvane-cli export, JSON (in-process):     %8.1f ms, %.1f MB of JSON\n", e * 1000,
                static_cast<double>(bytes) / 1e6);
    std::printf("the same on one thread:                    %8.1f ms, ratio %.2f\n", one * 1000,
                one / f);
    std::printf("ratio export / floor:                      %8.2f  (goal: within 1.50)\n", e / f);
    if (!keep)
        std::filesystem::remove_all(dir);
    return 0;
}
