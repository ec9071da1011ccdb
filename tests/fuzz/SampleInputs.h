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
// The JSON forms of the sample function files.
std::vector<Sample> SampleFunctionForms();

// The function file as the program reads it: loaded, header read, checked and shown.
// Aborts when a loaded record does not serialize back to the bytes it came from, or its JSON
// form does not give them back.
void ExerciseFunctionFile(const std::string& bytes);

// A JSON text as import reads it; aborts when a form that was taken does not describe the
// same record again.
void ExerciseFunctionForm(const std::string& text);

}  // namespace kelvane::fuzz
