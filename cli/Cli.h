#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kelvane::cli {

// Runs kelvane-cli with the words after the program name:
//   [--home DIR] COMMAND [ARGS...]   or   --help   or   --version   or   COMMAND --help
// --home makes DIR the program directory for this run. Returns the exit code.
int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace kelvane::cli
