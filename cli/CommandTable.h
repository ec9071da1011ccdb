#pragma once

#include <memory>
#include <vector>

#include "cli/Command.h"

namespace kelvane::cli {

// Every command of kelvane-cli, in the order --help lists them.
std::vector<std::unique_ptr<Command>> MakeCommands();

}  // namespace kelvane::cli
