#pragma once

#include <string>

namespace kelvane::stress {

int ProbeEdit(const std::string& path);
int ProbeWrite(const std::string& path, long size);
int ProbeRename(const std::string& from, const std::string& to);

}  // namespace kelvane::stress
