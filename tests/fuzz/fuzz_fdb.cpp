// The function file reader and everything that shows a loaded file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/SampleInputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelvane::fuzz::ExerciseFunctionFile(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
