#pragma once

#include <string>

#include "i18n/Translate.h"

namespace kelvane {

// A short reason for the errno of an open for reading, a read or a folder listing, worded
// for the user: "no permission to read it", "its path is longer than the system allows";
// in the language in use, or as the source text for a file that keeps it.
std::string ReadErrnoReason(int error, i18n::Texts texts = i18n::Texts::Shown);

}  // namespace kelvane
