#pragma once

#include <string>
#include <vector>

#include "i18n/Language.h"

namespace kelvane {

struct LaunchCommand {
    std::string program;
    std::vector<std::string> arguments;
    // Variables to set (or, without a value, remove) in the program's environment, so that
    // it sees the user's own and not the language this program chose for itself.
    std::vector<i18n::VariableToRestore> environment;
};

// The development environment on a project or workspace file: the program named by
// KELVANE_IDE when set, else xdg-open.
LaunchCommand IdeLaunchCommand(const std::string& path);

// The file manager on a folder (xdg-open).
LaunchCommand FileManagerLaunchCommand(const std::string& folder);

}  // namespace kelvane
