#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// An option of both programs that takes a value, read from words[at]: "--NAME VALUE" or
// "--NAME=VALUE", and "-NAME" alike.
struct ValueOption {
    std::size_t used = 0;   // the words it takes; 0 when words[at] is not the option
    std::string value;      // empty when missing
    bool lastWord = false;  // "--NAME" with no word after it
};
ValueOption ReadValueOption(const std::vector<std::string>& words, std::size_t at,
                            std::string_view name);

}  // namespace kelvane
