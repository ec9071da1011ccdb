#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvane::bench {

// Shape of a generated library. Every group below a top-level group has fanout subgroups
// down to depth levels; every group at the last level holds functionsPerGroup functions.
// Besides, the top-level group "Wide" holds one group "All" of wideFunctions functions.
struct LibraryShape {
    int topLevelGroups = 3;
    int depth = 2;
    int fanout = 3;
    int functionsPerGroup = 5;
    int parametersPerFunction = 3;
    // Each function then gets from 0 to parametersPerFunction parameters, at random.
    bool varyParameters = false;
    int wideFunctions = 10000;
    std::uint32_t seed = 1;
};

// What was written for one function, so that a benchmark can tell which ones a query
// must find. Texts are UTF-8.
struct GeneratedFunction {
    std::string folder;  // path of the function folder
    std::string description;
    struct Parameter {
        std::string type;
        bool input;
        std::string description;
    };
    std::vector<Parameter> params;
};

// The library of the search benchmarks: 10 tabs of 10 groups of 10 groups (1,100 groups
// below the tabs), 100 functions in each of the 1,000 innermost, 0 to 4 parameters each.
inline LibraryShape SearchShape() {
    LibraryShape shape;
    shape.topLevelGroups = 10;
    shape.depth = 3;
    shape.fanout = 10;
    shape.functionsPerGroup = 100;
    shape.parametersPerFunction = 4;
    shape.varyParameters = true;
    shape.wideFunctions = 0;
    return shape;
}

struct GeneratedLibrary {
    std::string wideGroup;                 // path of the wide group
    std::vector<std::string> wideFiles;    // its function files, in creation order
    std::vector<std::string> files;        // every function file, in creation order
    std::vector<GeneratedFunction> facts;  // filled when asked for, in creation order
    int functions = 0;
    int groups = 0;
};

// Writes programDir/FunctionLibrary with the given shape; the same seed gives the same
// bytes. Files are written plainly (no fsync): this is test data.
GeneratedLibrary GenerateLibrary(const std::string& programDir, const LibraryShape& shape,
                                 bool keepFacts = false);

}  // namespace kelvane::bench
