#include "records/BuildInfo.h"

#include "GeneratedBuildInfo.h"  // written by the build configuration

namespace kelvane {

std::string_view ProgramVersion() {
    return KELVANE_VERSION;
}

std::string_view ApplicationId() {
    return KELVANE_APP_ID;
}

std::string_view DataFolderFromBinary() {
    return KELVANE_DATA_FROM_BINARY;
}

}  // namespace kelvane
