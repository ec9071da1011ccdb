#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// Names and paths are the bytes the file system gives; the separator is "/".

inline constexpr std::string_view kLibraryFolderName = "FunctionLibrary";
inline constexpr std::string_view kSourceFolderName = "_Src";
inline constexpr std::string_view kFunctionFileExtension = ".fdb";

// The --home option: dir is then the folder of FunctionLibrary, Skel/Dll and ClassLibrary
// (made absolute); "" goes back to the lookup of ProgramFolders.h.
void SetProgramDirectoryOverride(const std::string& dir);
// The override in effect, empty when none.
const std::string& GetProgramDirectoryOverride();

// The library root the lookup of ProgramFolders.h finds.
std::string GetLibraryRoot();
// Everything before the last separator of the program's path; "" for a program in "/",
// so that the library root is then "/FunctionLibrary".
std::string ProgramDirectoryOf(const std::string& programPath);

// True when the name ends in exactly "()".
bool IsFunctionFolderName(std::string_view name);

// What a folder is in the library tree, by its name. Every folder directly in the library
// root is a tab, "_Src" too (inRoot); below, "_Src" is a function's project folder.
enum class TreeItemKind {
    Hidden,    // the source folder: never shown, never entered
    Function,  // a function folder
    Group,     // any other folder
};
TreeItemKind LibraryTreeChild(std::string_view name, bool inRoot = false);

// Why a name cannot be a folder beside others; None when it can. A name never leaves the
// folder it is made in.
enum class NameFault {
    None,
    Empty,
    Separator,  // holds "/" or NUL
    DotName,    // "." or ".."
};
NameFault FolderNameFault(std::string_view name);

std::string GetFunctionFilePath(const std::string& folderPath, const std::string& folderName);
std::string GetSourceFolderPath(const std::string& folderPath);
// folder path + "/_Src/" + name without "()" + extension (".dsw" or ".dsp")
std::string GetProjectFilePath(const std::string& folderPath, const std::string& folderName,
                               std::string_view extension);

// folder path + "/" + folder name + ".fdb 파일이 없습니다.", for display.
std::string MissingFileMessage(const std::string& folderPath, const std::string& folderName);

// A path for display: each component shown as DisplayName.
std::string DisplayPath(const std::string& path);

// path made absolute against the working directory, with "." and ".." taken out by name
// (links not followed) and no trailing separator; path itself when there is no working
// directory.
std::string AbsolutePath(const std::string& path);

// The last component of a path.
std::string LastComponent(const std::string& path);

// Everything before the last separator ("" when there is none).
std::string ParentPath(const std::string& path);

}  // namespace kelvane
