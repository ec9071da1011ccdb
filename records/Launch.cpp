#include "records/Launch.h"

#include <cstdlib>

namespace kelvane {

LaunchCommand IdeLaunchCommand(const std::string& path) {
    const char* ide = std::getenv("KELVANE_IDE");
    if (ide && *ide)
        return {ide, {path}};
    return {"xdg-open", {path}};
}

LaunchCommand FileManagerLaunchCommand(const std::string& folder) {
    return {"xdg-open", {folder}};
}

}  // namespace kelvane
