#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "bench/SyntheticLibrary.h"
#include "cli/Cli.h"
#include "records/FunctionRecord.h"

// `kelvane-cli list` on a group of 10,000 functions against the floor of opening and
// reading the same files in a plain loop, both measured here, several rounds each,
// alternating; prints the medians and their ratio.
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Opens and reads every file (whole, or only its first `limit` bytes), as a reader that
// knows the paths must at least do.
double ReadFloor(const std::vector<std::string>& files, std::size_t limit = SIZE_MAX) {
    const auto start = Clock::now();
    char buffer[65536];
    std::size_t all = 0;
    for (const std::string& file : files) {
        std::size_t total = 0;
        const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            std::abort();
        for (ssize_t got;
             total < limit && (got = read(fd, buffer, std::min(sizeof buffer, limit - total))) > 0;)
            total += static_cast<std::size_t>(got);
        close(fd);
        all += total;
    }
    if (all == 0)
        std::abort();
    return Seconds(start);
}

double ListOnce(const std::string& group) {
    std::ostringstream out, err;
    const auto start = Clock::now();
    const int code = kelvane::cli::RunCli({"list", group}, out, err);
    const double seconds = Seconds(start);
    if (code != 0) {
        std::cerr << err.str();
        std::abort();
    }
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir =
        argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "kelvane-bench").string();
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    std::filesystem::remove_all(dir);
    kelvane::bench::LibraryShape shape;
    shape.topLevelGroups = 0;
    const auto library = kelvane::bench::GenerateLibrary(dir, shape);

    std::vector<double> floor, headers, list;
    ReadFloor(library.wideFiles);  // warm the cache once
    ListOnce(library.wideGroup);
    for (int r = 0; r < rounds; ++r) {
        floor.push_back(ReadFloor(library.wideFiles));
        headers.push_back(ReadFloor(library.wideFiles, kelvane::fdb::kHeaderSize));
        list.push_back(ListOnce(library.wideGroup));
    }
    const double f = Median(floor), h = Median(headers), l = Median(list);
    std::printf("functions in the wide group: %zu (%d parameters each, %d rounds, medians)\n",
                library.wideFiles.size(), shape.parametersPerFunction, rounds);
    std::printf("read floor (open + read every file): %8.1f ms\n", f * 1000);
    std::printf("kelvane-cli list (in-process):        %8.1f ms\n", l * 1000);
    std::printf("ratio list / floor:                   %8.2f  (goal: within 1.50)\n", l / f);
    std::printf("stricter floor (open + read headers): %8.1f ms, ratio %.2f\n", h * 1000, l / h);
    std::filesystem::remove_all(dir);
    return 0;
}
