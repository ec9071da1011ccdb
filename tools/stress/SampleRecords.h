#pragma once

#include <string>

namespace kelvane::stress {

// A complete function file whose description names the version; versions differ in
// their parameter count, so a torn file is told by its size as well as its bytes.
std::string SampleFunctionBytes(int version);

// A function file whose description is the decimal counter value.
std::string CounterFunctionBytes(long counter);

// The counter held by such a file's description; -1 when the file is not one.
long CounterOf(const std::string& path);

// Removes a directory tree (no error when it is gone).
void RemoveTree(const std::string& path);

}  // namespace kelvane::stress
