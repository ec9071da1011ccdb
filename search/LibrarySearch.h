#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "search/SearchQuery.h"

namespace kelvane {

struct SearchHit {
    std::string folderPath;  // the function folder as the walk reached it (raw bytes)
    std::string folderName;  // its last component, ending in "()"
    SearchMatch match;
};

// A function file, or a folder, that could not be read.
struct SearchProblem {
    std::string path;  // raw bytes
    std::string reason;
};

inline constexpr std::size_t kMaxSearchProblems = 100;

struct SearchSummary {
    int functions = 0;  // function folders searched
    int hits = 0;
    int unreadableFiles = 0;              // function files needed that could not be read
    int unreadableFolders = 0;            // other folders that could not be read, wholly or in part
    std::vector<SearchProblem> problems;  // the first kMaxSearchProblems of both, in walk order
    bool stopped = false;
};

// How far a running search is; read from any thread. found grows as the walk finds
// folders, so it is the number known so far.
struct SearchCounters {
    std::atomic<long> searched{0};
    std::atomic<long> found{0};
};

class SearchSink {
public:
    virtual ~SearchSink() = default;
    // A function that matches, in walk order. Calls come from the search's threads, one
    // at a time.
    virtual void Hit(const SearchHit& hit) = 0;
};

struct SearchOptions {
    // 1: one walk on the calling thread. More: the folders directly in start are walked
    // side by side on that many threads; hits, order and counts are the same.
    int threads = 1;
    const std::atomic<bool>* stop = nullptr;  // once set, the search ends and reports no more
    SearchCounters* counters = nullptr;
    // The library root, every folder in which is a tab, "_Src" too; GetLibraryRoot() when
    // empty.
    std::string libraryRoot;
};

// Matches every function folder below start (start included) against the query, in the
// order of the walk of DirWalk.h: symbolic links followed, each folder entered once however
// many ways lead to it, "_Src" skipped below the library's top level. A function file is
// read only as far as the query needs (not at all for names alone); one that cannot be
// read is counted and reported in the summary, and its function can still match by name.
SearchSummary SearchLibrary(const std::string& start, const SearchQuery& query, SearchSink& sink,
                            const SearchOptions& options = {});

}  // namespace kelvane
