#include "records/Leftovers.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "records/FileOps.h"
#include "records/LibraryPaths.h"

namespace kelvane {

namespace {

constexpr std::string_view kStagingMark = ".new-";

}  // namespace

bool IsLockName(std::string_view name) {
    return name.size() > kLockSuffix.size() && name.ends_with(kLockSuffix);
}

bool IsStagingName(std::string_view name) {
    if (name.size() < 2 || name.front() != '.')
        return false;
    const auto mark = name.rfind(kStagingMark);
    if (mark == std::string_view::npos || mark == 0)
        return false;
    const std::string_view digits = name.substr(mark + kStagingMark.size());
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

std::vector<Leftover> FindLeftovers(const std::string& dir) {
    std::vector<Leftover> found;
    DIR* stream = opendir(dir.c_str());
    if (!stream)
        return found;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = readdir(stream)) {
        const std::string_view name = entry->d_name;
        const bool lock = IsLockName(name);
        if (!lock && !IsStagingName(name))
            continue;
        const std::string path = dir + "/" + std::string(name);
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0)
            continue;
        if (lock ? !S_ISREG(st.st_mode) : !S_ISDIR(st.st_mode))
            continue;
        found.push_back({path, lock, now - st.st_mtime < kLeftoverAgeSeconds});
    }
    closedir(stream);
    return found;
}

Status RemoveLeftover(const Leftover& leftover) {
    std::error_code error;
    if (leftover.isLock)
        std::filesystem::remove(leftover.path, error);
    else
        std::filesystem::remove_all(leftover.path, error);
    if (error)
        return Status::Fail("could not remove " + DisplayPath(leftover.path) + ": " +
                            ErrnoReason(error.value()));
    return Status::Ok();
}

}  // namespace kelvane
