// The JSON form reader of import.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/SampleInputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelvane::fuzz::ExerciseFunctionForm(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
