// Writes the seed corpus of each harness: make_seeds DIR -> DIR/fdb, DIR/matrix_text,
// DIR/mat_file, DIR/function_json.
#include <filesystem>
#include <fstream>

#include "tests/fuzz/SampleInputs.h"

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::filesystem::path root = argv[1];
    auto write = [&](const char* corpus, const std::vector<kelvane::fuzz::Sample>& samples) {
        std::filesystem::create_directories(root / corpus);
        for (const auto& sample : samples)
            std::ofstream(root / corpus / sample.name, std::ios::binary) << sample.bytes;
    };
    write("fdb", kelvane::fuzz::SampleFunctionFiles());
    write("matrix_text", kelvane::fuzz::SampleMatrixTexts());
    write("mat_file", kelvane::fuzz::SampleMatFiles());
    write("function_json", kelvane::fuzz::SampleFunctionForms());
    return 0;
}
