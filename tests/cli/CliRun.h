#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

// One in-process run of kelvane-cli.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;

    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }
};

inline CliRun RunCliWords(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    CliRun run;
    run.code = kelvane::cli::RunCli(words, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}
