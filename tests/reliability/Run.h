#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <string>

#include "records/FunctionRecord.h"

// The outcome of a command run through the shell.
struct RunResult {
    int exitCode = -1;  // -1 when killed by a signal
    std::string output;
};

inline RunResult RunShell(const std::string& command) {
    RunResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    while (std::size_t got = fread(buffer, 1, sizeof buffer, pipe))
        result.output.append(buffer, got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// A path quoted for the shell (test paths hold no quote).
inline std::string Q(const std::string& path) {
    return "'" + path + "'";
}

// In English: the messages these tests look for are the program's own English ones.
inline std::string Cli() {
    return KELVANE_CLI " --lang en";
}

inline std::string Stress() {
    return KELVANE_STRESS;
}
// Environment that preloads the fault shim (also in a sanitized build, whose runtime
// would otherwise object to not coming first).
inline std::string PreloadShim() {
    return std::string("LD_PRELOAD=") + KELVANE_FAULTSHIM +
           " ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0";
}

// A function file of n int* parameters with the given description.
inline std::string FunctionBytes(int n, const std::string& description) {
    kelvane::FunctionRecord record;
    record.AllocateParameters(n);
    static_cast<void>(kelvane::SetFieldText(record.header().description, description));
    for (int i = 0; i < n; ++i)
        static_cast<void>(kelvane::SetFieldText(record.parameter(i).typeName, "int*"));
    return record.Serialize();
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
