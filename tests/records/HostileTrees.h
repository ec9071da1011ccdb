#pragma once

// Trees and files a shared library folder really collects, for the tests of the walks
// and loaders: built with descriptors, so no path the test uses is longer than one name.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "records/FunctionRecord.h"

// A function file announcing count parameters, with the size that matches and nothing
// but zeros in the records: sparse, so it takes no disk space however large.
inline void MakeSparseFunctionFile(const std::string& path, std::int32_t count) {
    kelvane::FunctionRecord record;
    record.header().parameterCount = count;
    WriteBytes(path, record.Serialize());
    truncate(path.c_str(),
             static_cast<off_t>(kelvane::fdb::kHeaderSize +
                                static_cast<std::size_t>(count) * kelvane::fdb::kParameterSize));
}

// A sound function file without parameters, as F().fdb in the function folder F().
inline void MakeFunctionAt(int dirFd, const std::string& folderName) {
    mkdirat(dirFd, folderName.c_str(), 0755);
    const int folder = openat(dirFd, folderName.c_str(), O_RDONLY | O_DIRECTORY);
    const int file = openat(folder, (folderName + ".fdb").c_str(), O_WRONLY | O_CREAT, 0644);
    const std::string bytes = kelvane::FunctionRecord().Serialize();
    static_cast<void>(write(file, bytes.data(), bytes.size()));
    close(file);
    close(folder);
}

// The folder start holds d00; folder d<i> holds the function F<i>() and, but for the last,
// two symbolic links a and b, both to d<i+1>, which are kept in store: only the links lead
// there, so a walk that enters a folder once per way in does 2^n times the work.
inline void MakeLinkWeb(const std::string& start, const std::string& store, int n) {
    auto name = [](int i) { return std::string(i < 10 ? "d0" : "d") + std::to_string(i); };
    MakeDirs(start + "/" + name(0));
    for (int i = 1; i < n; ++i)
        MakeDirs(store + "/" + name(i));
    for (int i = 0; i < n; ++i) {
        const std::string dir = (i == 0 ? start : store) + "/" + name(i);
        const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
        MakeFunctionAt(fd, "F" + name(i).substr(1) + "()");
        close(fd);
        if (i + 1 < n) {
            const std::string next = store + "/" + name(i + 1);
            symlink(next.c_str(), (dir + "/a").c_str());
            symlink(next.c_str(), (dir + "/b").c_str());
        }
    }
}

// A chain of depth folders named "d" below dir, made with mkdirat: the deepest path is far
// longer than the system's path limit once depth passes about 2,000. The deepest folder
// holds the function Bottom().
inline void MakeDeepTree(const std::string& dir, int depth) {
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < depth; ++i) {
        mkdirat(fd, "d", 0755);
        const int next = openat(fd, "d", O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
    }
    MakeFunctionAt(fd, "Bottom()");
    close(fd);
}

// Removes a tree made by MakeDeepTree, which std::filesystem cannot (its paths get too long).
inline void RemoveDeepTree(const std::string& dir) {
    std::vector<int> fds{open(dir.c_str(), O_RDONLY | O_DIRECTORY)};
    while (fds.back() >= 0)
        fds.push_back(openat(fds.back(), "d", O_RDONLY | O_DIRECTORY));
    fds.pop_back();
    const int bottom = fds.back();
    const int function = openat(bottom, "Bottom()", O_RDONLY | O_DIRECTORY);
    if (function >= 0) {
        unlinkat(function, "Bottom().fdb", 0);
        close(function);
        unlinkat(bottom, "Bottom()", AT_REMOVEDIR);
    }
    for (std::size_t i = fds.size() - 1; i > 0; --i) {
        close(fds[i]);
        unlinkat(fds[i - 1], "d", AT_REMOVEDIR);
    }
    close(fds.front());
}
