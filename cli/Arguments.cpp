#include "cli/Arguments.h"

#include <algorithm>

#include "i18n/Translate.h"

namespace kelvane::cli {

using kelvane::i18n::Say;

namespace {
bool Contains(const std::vector<std::string_view>& list, std::string_view word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}
}  // namespace

std::string Arguments::value(std::string_view option, std::string fallback) const {
    const auto it = options.find(option);
    return it == options.end() || it->second.empty() ? fallback : it->second.back();
}

const std::vector<std::string>& Arguments::values(std::string_view option) const {
    static const std::vector<std::string> none;
    const auto it = options.find(option);
    return it == options.end() ? none : it->second;
}

Arguments ParseArguments(const std::vector<std::string>& words,
                         const std::vector<std::string_view>& flags,
                         const std::vector<std::string_view>& valueOptions) {
    Arguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            parsed.positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const auto equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (Contains(flags, name) && equals == std::string::npos) {
            parsed.flags.insert(name);
        } else if (Contains(valueOptions, name)) {
            if (equals != std::string::npos) {
                parsed.options[name].push_back(word.substr(equals + 1));
            } else if (i + 1 < words.size()) {
                parsed.options[name].push_back(words[++i]);
            } else {
                parsed.error = Say("{option} needs a value.", {{"option", name}});
                return parsed;
            }
        } else {
            parsed.error = Say("Unknown option {option}.", {{"option", word}});
            return parsed;
        }
    }
    return parsed;
}

}  // namespace kelvane::cli
