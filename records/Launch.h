#pragma once

#include <string>
#include <vector>

namespace kelvane {

struct LaunchCommand {
    std::string program;
    std::vector<std::string> arguments;
};

// The development environment on a project or workspace file: the program named by
// KELVANE_IDE when set, else xdg-open.
LaunchCommand IdeLaunchCommand(const std::string& path);

// The file manager on a folder (xdg-open).
LaunchCommand FileManagerLaunchCommand(const std::string& folder);

}  // namespace kelvane
