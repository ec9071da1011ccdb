#include "cli/LibraryArgs.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace kelvane::cli {

std::string NormalizeFolderArgument(const std::string& argument) {
    std::string path = argument;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const auto slash = path.rfind('/');
    const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    if (last == "." || last == "..") {
        if (char* resolved = realpath(path.c_str(), nullptr)) {
            path = resolved;
            std::free(resolved);
        }
    }
    return path;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int WalkThreads() {
    constexpr unsigned kMaxThreads = 8;
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads));
}

}  // namespace kelvane::cli
