#include "records/DirScan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

#include "records/Leftovers.h"

namespace kelvane {

namespace {

std::vector<DirEntry> Scan(const std::string& dir, bool& movedAside) {
    std::vector<DirEntry> entries;
    DIR* handle = opendir(dir.c_str());
    if (!handle) return entries;
    const std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    while (const dirent* entry = readdir(handle)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (IsCreationFolder(dirfd(handle), name)) {
            movedAside = movedAside || IsMovedAsideName(name);
            continue;
        }
        std::string path = prefix + name;
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st{};
            isDirectory = stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        if (isDirectory) entries.push_back({name, std::move(path)});
    }
    closedir(handle);
    return entries;
}

}  // namespace

std::vector<DirEntry> ScanDirectories(const std::string& dir) {
    bool movedAside = false;
    std::vector<DirEntry> entries = Scan(dir, movedAside);
    // A folder that a dead creation left moved aside is put back before it is listed.
    if (movedAside && RollBackLeftoversIn(dir) > 0) entries = Scan(dir, movedAside);
    return entries;
}

}  // namespace kelvane
