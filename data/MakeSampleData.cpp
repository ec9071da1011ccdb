#include <iostream>
#include <string>

#include "data/SampleLibrary.h"

// Writes the sample data beside the binaries:
//   make_sample_data DATA_SOURCE_DIR PROGRAM_DIR [--edge]
// --edge writes the test library of odd folders and damaged files instead of the sample.
int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make_sample_data DATA_SOURCE_DIR PROGRAM_DIR [--edge]\n";
        return 2;
    }
    const std::string source = argv[1];
    const std::string programDir = argv[2];
    const bool edge = argc > 3 && std::string(argv[3]) == "--edge";
    kelvane::Status status = edge ? kelvane::sample::WriteEdgeLibrary(programDir)
                                  : kelvane::sample::WriteSampleLibrary(programDir);
    if (status && !edge)
        status = kelvane::sample::CopyProjectData(source, programDir);
    if (!status) {
        std::cerr << "make_sample_data: " << status.message() << "\n";
        return 1;
    }
    return 0;
}
