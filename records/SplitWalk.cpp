#include "records/SplitWalk.h"

#include <stdlib.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace kelvane {

namespace {

// A mount point as mountinfo writes it: space, TAB, newline and backslash as \ooo.
std::string Unescape(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

}  // namespace

bool MountsBelow(std::string_view mountInfo, const std::string& realPath) {
    const std::string prefix = realPath == "/" ? realPath : realPath + "/";
    std::istringstream lines{std::string(mountInfo)};
    for (std::string line; std::getline(lines, line);) {
        // "36 35 98:0 /root /mnt/point options ...": the fifth field.
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 5 && fields >> field; ++i) {
        }
        if (Unescape(field).starts_with(prefix))
            return true;
    }
    return false;
}

bool MountsBelow(const std::string& path) {
    std::unique_ptr<char, decltype(&free)> real(realpath(path.c_str(), nullptr), &free);
    std::ifstream file("/proc/self/mountinfo");
    if (!real || !file)
        return true;  // cannot tell: look every folder up
    std::ostringstream text;
    text << file.rdbuf();
    return MountsBelow(text.str(), real.get());
}

}  // namespace kelvane
