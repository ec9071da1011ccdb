#include "records/LibraryPaths.h"

#include <filesystem>
#include <system_error>

#include "i18n/Translate.h"
#include "records/ProgramFolders.h"
#include "records/TextCodec.h"

namespace kelvane {

using i18n::Say;

namespace {
std::string& ProgramDirectoryOverride() {
    static std::string dir;
    return dir;
}
}  // namespace

void SetProgramDirectoryOverride(const std::string& dir) {
    ProgramDirectoryOverride() = dir.empty() ? std::string() : AbsoluteFolder(dir);
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

std::string GetLibraryRoot() {
    return GetProgramFolders().libraryRoot;
}

bool IsFunctionFolderName(std::string_view name) {
    return name.size() >= 2 && name.substr(name.size() - 2) == "()";
}

TreeItemKind LibraryTreeChild(std::string_view name, bool inRoot) {
    if (name == kSourceFolderName && !inRoot)
        return TreeItemKind::Hidden;
    return IsFunctionFolderName(name) ? TreeItemKind::Function : TreeItemKind::Group;
}

NameFault FolderNameFault(std::string_view name) {
    if (name.empty())
        return NameFault::Empty;
    if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos)
        return NameFault::Separator;
    if (name == "." || name == "..")
        return NameFault::DotName;
    return NameFault::None;
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return path;
    std::string plain = absolute.lexically_normal().string();
    while (plain.size() > 1 && plain.back() == '/')
        plain.pop_back();
    return plain;
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
    // The original program's words, the folder name glued to ".fdb".
    return Say("{folder}/{name}.fdb 파일이 없습니다.",
               {{"folder", DisplayPath(folderPath)}, {"name", DisplayName(folderName)}});
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
