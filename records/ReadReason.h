#pragma once

#include <string>

namespace kelvane {

// A short reason for the errno of an open for reading, a read or a folder listing, worded
// for the user: "no permission to read it", "its path is longer than the system allows".
std::string ReadErrnoReason(int error);

}  // namespace kelvane
