// Every truncation and every single-byte change (four patterns per byte) of the sample
// files, fed to the readers under the sanitizers. Prints the case count; any crash or
// sanitizer report stops the run. "corruption_sweep N" takes every Nth length and byte
// only, for a quick run.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialogs/MatFile.h"
#include "dialogs/MatrixText.h"
#include "tests/fuzz/SampleInputs.h"

namespace {

std::size_t g_stride = 1;

template <typename Reader>
long Sweep(const std::string& bytes, Reader read) {
    long cases = 0;
    for (std::size_t length = 0; length <= bytes.size(); length += g_stride, ++cases)
        read(bytes.substr(0, length));
    const unsigned char patterns[] = {0xFF, 0x01, 0x80};
    std::string changed = bytes;
    for (std::size_t i = 0; i < bytes.size(); i += g_stride) {
        for (unsigned char pattern : patterns) {
            changed[i] = static_cast<char>(bytes[i] ^ pattern);
            read(changed);
            ++cases;
        }
        changed[i] = '\0';
        read(changed);
        ++cases;
        changed[i] = bytes[i];
    }
    return cases;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kelvane;
    if (argc > 1)
        g_stride = static_cast<std::size_t>(std::max(1, std::atoi(argv[1])));
    long fdb = 0, text = 0, mat = 0;
    for (const auto& sample : fuzz::SampleFunctionFiles())
        fdb += Sweep(sample.bytes, fuzz::ExerciseFunctionFile);
    for (const auto& sample : fuzz::SampleMatrixTexts())
        text += Sweep(sample.bytes, [](const std::string& t) {
            MatrixGrid grid;
            ParseMatrixText(t, grid);
        });
    for (const auto& sample : fuzz::SampleMatFiles())
        mat += Sweep(sample.bytes, [](const std::string& t) {
            MatrixGrid grid;
            static_cast<void>(ParseMatFile(t, grid));
        });
    std::printf(
        "corruption sweep: %ld function-file cases, %ld matrix-text cases, %ld .mat "
        "cases, %ld in all; 0 crashes, 0 sanitizer reports\n",
        fdb, text, mat, fdb + text + mat);
    return 0;
}
