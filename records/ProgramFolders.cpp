#include "records/ProgramFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "i18n/Translate.h"
#include "i18n/ValueOption.h"
#include "records/BuildInfo.h"
#include "records/LibraryPaths.h"

namespace kelvane {

using i18n::Say;

namespace {

// The folder for XDG_DATA_HOME when it is unset, relative to the home folder.
constexpr std::string_view kDefaultDataHome = ".local/share";
// Large enough for any account entry getpwuid_r returns.
constexpr std::size_t kPasswdBufferSize = 16384;

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Variable(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    return value ? value : "";
}

std::string AccountHome() {
    std::vector<char> buffer(kPasswdBufferSize);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
        return found->pw_dir;
    return {};
}

std::string BinaryFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return AbsoluteFolder(".");
    return ProgramDirectoryOf(std::string(buffer, static_cast<std::size_t>(length)));
}

// $XDG_DATA_HOME when it is an absolute path (the base directory rules ignore a relative
// one), else ~/.local/share.
std::string DataHome(const ProgramEnvironment& env) {
    if (!env.xdgDataHome.empty() && env.xdgDataHome.front() == '/')
        return env.xdgDataHome;
    const std::string home = env.userHome == "/" ? std::string() : env.userHome;
    return home + "/" + std::string(kDefaultDataHome);
}

std::string Joined(const std::string& dir, std::string_view name) {
    return dir + "/" + std::string(name);
}

}  // namespace

ProgramFolders ProgramFolders::InHome(const std::string& home, FolderSource source) {
    ProgramFolders folders;
    folders.source = source;
    folders.libraryRoot = Joined(home, kLibraryFolderName);
    folders.skeleton = Joined(home, kSkeletonSubpath);
    folders.classLibrary = Joined(home, kClassLibraryFolderName);
    return folders;
}

std::string ProgramFolders::SampleLibrary() const {
    return Joined(dataFolder, kSampleLibraryFolderName);
}

HomeOption ReadHomeOption(const std::vector<std::string>& words, std::size_t at) {
    const ValueOption read = ReadValueOption(words, at, "home");
    return {read.used, read.value, read.lastWord};
}

std::string HomeMissingMessage() {
    return Say("--home needs a directory.");
}

std::string AbsoluteFolder(const std::string& dir) {
    // Absolute, like the binary's own folder: every path built from it must stay valid
    // whatever the working directory, and the folder browser walks it from "/".
    std::string cleaned = dir;
    if (char* resolved = realpath(dir.c_str(), nullptr)) {
        cleaned = resolved;
        std::free(resolved);
    } else if (!dir.empty()) {
        cleaned = AbsolutePath(dir);
    }
    while (cleaned.size() > 1 && cleaned.back() == '/')
        cleaned.pop_back();
    return cleaned;
}

ProgramFolders FindProgramFolders(const ProgramEnvironment& env) {
    ProgramFolders folders;
    if (!env.homeOption.empty())
        folders = ProgramFolders::InHome(AbsoluteFolder(env.homeOption), FolderSource::HomeOption);
    else if (!env.homeVariable.empty())
        folders =
            ProgramFolders::InHome(AbsoluteFolder(env.homeVariable), FolderSource::HomeVariable);
    else if (IsFolder(Joined(env.binaryFolder, kLibraryFolderName)) ||
             IsFolder(Joined(env.binaryFolder, kSkeletonTopFolder)))
        folders = ProgramFolders::InHome(env.binaryFolder, FolderSource::BesideBinary);
    else {
        const std::string user = Joined(DataHome(env), kDataFolderName);
        folders.source = FolderSource::Installed;
        folders.userFolder = user;
        folders.libraryRoot = Joined(user, kLibraryFolderName);
        // The user's own skeleton and class library win over the installed ones.
        const std::string userSkeleton = Joined(user, kSkeletonSubpath);
        const std::string userClasses = Joined(user, kClassLibraryFolderName);
        folders.skeleton =
            IsFolder(userSkeleton) ? userSkeleton : Joined(env.dataFolder, kSkeletonSubpath);
        folders.classLibrary =
            IsFolder(userClasses) ? userClasses : Joined(env.dataFolder, kClassLibraryFolderName);
    }
    folders.dataFolder = env.dataFolder;
    return folders;
}

ProgramEnvironment CurrentEnvironment() {
    ProgramEnvironment env;
    env.homeOption = GetProgramDirectoryOverride();
    env.homeVariable = Variable(kHomeVariable);
    env.xdgDataHome = Variable("XDG_DATA_HOME");
    env.userHome = Variable("HOME");
    if (env.userHome.empty() || env.userHome.front() != '/')
        env.userHome = AccountHome();
    while (env.userHome.size() > 1 && env.userHome.back() == '/')
        env.userHome.pop_back();
    env.binaryFolder = BinaryFolder();
    env.dataFolder = std::filesystem::path(Joined(env.binaryFolder, DataFolderFromBinary()))
                         .lexically_normal()
                         .string();
    while (env.dataFolder.size() > 1 && env.dataFolder.back() == '/')
        env.dataFolder.pop_back();
    return env;
}

ProgramFolders GetProgramFolders() {
    return FindProgramFolders(CurrentEnvironment());
}

}  // namespace kelvane
