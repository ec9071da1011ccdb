#include "i18n/ValueOption.h"

namespace kelvane {

ValueOption ReadValueOption(const std::vector<std::string>& words, std::size_t at,
                            std::string_view name) {
    ValueOption option;
    if (at >= words.size())
        return option;
    std::string_view word = words[at];
    if (word.starts_with("--"))
        word.remove_prefix(2);
    else if (word.starts_with("-"))
        word.remove_prefix(1);
    else
        return option;
    if (word.starts_with(name) && word.size() > name.size() && word[name.size()] == '=') {
        option.used = 1;
        option.value = word.substr(name.size() + 1);
    } else if (word == name) {
        option.lastWord = at + 1 == words.size();
        option.used = option.lastWord ? 1 : 2;
        if (!option.lastWord)
            option.value = words[at + 1];
    }
    return option;
}

}  // namespace kelvane
