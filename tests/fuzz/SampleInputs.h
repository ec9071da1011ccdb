#pragma once

#include <string>
#include <vector>

namespace kelvane::fuzz {

// Well-formed inputs the seed corpus and the corruption sweep start from.
struct Sample {
    std::string name;
    std::string bytes;
};

std::vector<Sample> SampleFunctionFiles();
std::vector<Sample> SampleMatrixTexts();
std::vector<Sample> SampleMatFiles();

// The function file as the program reads it: loaded, header read, checked and shown.
// Aborts when a loaded record does not serialize back to the bytes it came from.
void ExerciseFunctionFile(const std::string& bytes);

}  // namespace kelvane::fuzz
