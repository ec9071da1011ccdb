#include "records/OutsideLinks.h"

#include <cstdlib>

#include "i18n/Translate.h"
#include "records/LibraryPaths.h"

namespace kelvane {

using i18n::Say;

namespace {

std::optional<std::string> RealPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return std::nullopt;
    std::string result = resolved;
    std::free(resolved);
    return result;
}

bool IsBelow(const std::string& path, const std::string& folder) {
    if (folder == "/")
        return !path.empty() && path.front() == '/';
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

}  // namespace

std::string EditBounds(const std::string& functionFolder, const std::string& libraryRoot) {
    if (IsBelow(AbsolutePath(functionFolder), libraryRoot))
        return libraryRoot;
    const std::optional<std::string> folder = RealPath(functionFolder);
    const std::optional<std::string> root = RealPath(libraryRoot);
    if (folder && root && IsBelow(*folder, *root))
        return libraryRoot;
    return functionFolder;
}

std::optional<std::string> LinkedOutside(const std::string& file, const std::string& bounds) {
    const std::optional<std::string> target = RealPath(file);
    const std::optional<std::string> inside = RealPath(bounds);
    if (!target || !inside || IsBelow(*target, *inside))
        return std::nullopt;
    return target;
}

std::string LinkedOutsideText(const std::string& file, const std::string& bounds,
                              const std::string& target) {
    return Say("{file} leads through a symbolic link out of {bounds}, to {target}",
               {{"file", DisplayPath(file)},
                {"bounds", DisplayPath(bounds)},
                {"target", DisplayPath(target)}});
}

}  // namespace kelvane
