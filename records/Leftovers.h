#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/Result.h"

namespace kelvane {

// What a crash can leave in a folder: the lock file of a save ("NAME.lock") and the hidden
// folder a function is built in before it is moved into place (".NAME.new-DIGITS").
struct Leftover {
    std::string path;
    bool isLock = false;
    bool recent = false;  // younger than kLeftoverAgeSeconds: perhaps still in use
};

inline constexpr int kLeftoverAgeSeconds = 60;

bool IsLockName(std::string_view name);
bool IsStagingName(std::string_view name);

// The leftovers directly in dir, in the order the file system lists them.
std::vector<Leftover> FindLeftovers(const std::string& dir);

// Removes a lock file or a whole staging folder.
Status RemoveLeftover(const Leftover& leftover);

}  // namespace kelvane
