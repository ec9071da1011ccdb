#include "records/LibraryPaths.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "records/TextCodec.h"

namespace kelvane {

namespace {
std::string& ProgramDirectoryOverride() {
    static std::string dir;
    return dir;
}
}  // namespace

void SetProgramDirectoryOverride(const std::string& dir) {
    // Absolute, like the binary's own directory: every path built from it must stay valid
    // whatever the working directory, and the folder browser walks it from "/".
    std::string cleaned = dir;
    if (char* resolved = realpath(dir.c_str(), nullptr)) {
        cleaned = resolved;
        std::free(resolved);
    } else if (!dir.empty() && dir.front() != '/') {
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd))
            cleaned = std::string(cwd) + "/" + dir;
    }
    while (cleaned.size() > 1 && cleaned.back() == '/')
        cleaned.pop_back();
    ProgramDirectoryOverride() = cleaned;
}

const std::string& GetProgramDirectoryOverride() {
    return ProgramDirectoryOverride();
}

std::string ProgramDirectoryOf(const std::string& programPath) {
    const auto slash = programPath.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return programPath.substr(0, slash);  // "" for a program in "/"
}

std::string GetProgramDirectory() {
    if (!ProgramDirectoryOverride().empty())
        return ProgramDirectoryOverride();
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    return ProgramDirectoryOf(std::string(buffer, static_cast<std::size_t>(length)));
}

std::string GetLibraryRoot() {
    return GetProgramDirectory() + "/" + std::string(kLibraryFolderName);
}

bool IsFunctionFolderName(std::string_view name) {
    return name.size() >= 2 && name.substr(name.size() - 2) == "()";
}

std::string GetFunctionFilePath(const std::string& folderPath, const std::string& folderName) {
    return folderPath + "/" + folderName + std::string(kFunctionFileExtension);
}

std::string GetSourceFolderPath(const std::string& folderPath) {
    return folderPath + "/" + std::string(kSourceFolderName);
}

std::string GetProjectFilePath(const std::string& folderPath, const std::string& folderName,
                               std::string_view extension) {
    std::string base = folderName;
    if (IsFunctionFolderName(base))
        base.resize(base.size() - 2);
    return GetSourceFolderPath(folderPath) + "/" + base + std::string(extension);
}

std::string MissingFileMessage(const std::string& folderPath, const std::string& folderName) {
    return DisplayPath(folderPath) + "/" + DisplayName(folderName) +
           std::string(kMissingFileSuffix);
}

std::string DisplayPath(const std::string& path) {
    if (IsValidUtf8(path))
        return path;
    std::string shown;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto slash = path.find('/', start);
        const auto end = slash == std::string::npos ? path.size() : slash;
        shown += DisplayName(std::string_view(path).substr(start, end - start));
        if (slash == std::string::npos)
            break;
        shown += '/';
        start = slash + 1;
    }
    return shown;
}

std::string LastComponent(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ParentPath(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace kelvane
