#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::cli {

// The words of one command split into positional words, flags and options with values.
// Only words starting with "--" are options, so "-1.5" is a positional word; after a
// bare "--" every word is positional. "--name=value" and "--name value" are the same.
struct Arguments {
    std::vector<std::string> positional;
    std::set<std::string, std::less<>> flags;                              // e.g. "--json"
    std::map<std::string, std::vector<std::string>, std::less<>> options;  // repeatable
    std::string error;  // set when a word is not understood; empty on success

    bool has(std::string_view flag) const { return flags.count(flag) != 0; }
    // The last value given for the option, or fallback.
    std::string value(std::string_view option, std::string fallback = {}) const;
    const std::vector<std::string>& values(std::string_view option) const;
};

Arguments ParseArguments(const std::vector<std::string>& words,
                         const std::vector<std::string_view>& flags,
                         const std::vector<std::string_view>& valueOptions = {});

}  // namespace kelvane::cli
