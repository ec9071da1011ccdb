#include "records/Launch.h"

#include <cstdlib>

namespace kelvane {

LaunchCommand IdeLaunchCommand(const std::string& path) {
    const char* ide = std::getenv("KELVANE_IDE");
    if (ide && *ide)
        return {ide, {path}, i18n::EnvironmentForChildren()};
    return {"xdg-open", {path}, i18n::EnvironmentForChildren()};
}

LaunchCommand FileManagerLaunchCommand(const std::string& folder) {
    return {"xdg-open", {folder}, i18n::EnvironmentForChildren()};
}

}  // namespace kelvane
