#include <cstdlib>
#include <iostream>
#include <string>

#include "bench/SyntheticLibrary.h"

// make_synthetic_library PROGRAM_DIR [--groups N] [--depth N] [--fanout N]
//     [--functions N] [--params N] [--vary-params] [--wide N] [--seed N]
int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]).rfind("--", 0) == 0) {
        std::cerr << "usage: make_synthetic_library PROGRAM_DIR [--groups N] [--depth N] "
                     "[--fanout N] [--functions N] [--params N] [--vary-params] [--wide N] "
                     "[--seed N]\n";
        return 2;
    }
    kelvane::bench::LibraryShape shape;
    for (int i = 2; i < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--vary-params") {
            shape.varyParameters = true;
            --i;
            continue;
        }
        if (i + 1 >= argc) {
            std::cerr << option << " needs a value\n";
            return 2;
        }
        const int value = std::atoi(argv[i + 1]);
        if (option == "--groups")
            shape.topLevelGroups = value;
        else if (option == "--depth")
            shape.depth = value;
        else if (option == "--fanout")
            shape.fanout = value;
        else if (option == "--functions")
            shape.functionsPerGroup = value;
        else if (option == "--params")
            shape.parametersPerFunction = value;
        else if (option == "--wide")
            shape.wideFunctions = value;
        else if (option == "--seed")
            shape.seed = static_cast<std::uint32_t>(value);
        else {
            std::cerr << "unknown option " << option << "\n";
            return 2;
        }
    }
    const auto library = kelvane::bench::GenerateLibrary(argv[1], shape);
    std::cout << library.groups << " groups, " << library.functions << " functions\n";
    return 0;
}
