#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/Result.h"

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

// Loads a function file, sets its description and saves it with change detection, as an
// editing command does.
Status EditDescription(const std::string& path, const std::string& text);

// Loads a counter file, adds one and saves it with change detection.
Status IncrementCounter(const std::string& path);

// The names in dir that belong to the program's work ("" prefix: all names), sorted.
std::vector<std::string> NamesIn(const std::string& dir, std::string_view prefix = {});

// Writes a small project skeleton into programDir/Skel/Dll.
void WriteSkeleton(const std::string& programDir);

}  // namespace kelvane::stress
