#pragma once

#include <sys/types.h>

#include <compare>
#include <map>
#include <string>
#include <vector>

namespace kelvane {

// What tells one directory from another however it is reached: its file system and inode.
struct DirIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    friend auto operator<=>(const DirIdentity&, const DirIdentity&) = default;
};

// The directories a walk has entered, each with where it was entered (for messages). A
// directory reached again through a link, below itself or elsewhere, is not entered a
// second time, so the work of a walk stays linear in the number of distinct directories.
class EnteredDirs {
public:
    // False, and nothing changes, when id was entered already.
    bool Insert(const DirIdentity& id, const std::string& where) {
        return m_where.emplace(id, where).second;
    }
    // Where id was entered; nullptr when it was not.
    const std::string* Find(const DirIdentity& id) const {
        const auto it = m_where.find(id);
        return it == m_where.end() ? nullptr : &it->second;
    }
    void Erase(const DirIdentity& id) { m_where.erase(id); }
    void Clear() { m_where.clear(); }

private:
    std::map<DirIdentity, std::string> m_where;
};

struct DirEntry {
    std::string name;  // as the file system gives it
    std::string path;  // directory + "/" + name
    // Of the directory a link leads to; inode 0 for a plain directory, which a caller that
    // needs it stats itself (most never do, and a scan of many then costs no more calls).
    DirIdentity id;
};

struct DirListing {
    std::vector<DirEntry> entries;
    // The errno of the call that failed, 0 when the whole directory was read. A directory
    // that no longer exists is an empty listing, not an error.
    int error = 0;
};

// The one directory scan of the library: the subdirectories of dir in the order the file
// system enumerates them, never sorted. Symbolic links to directories count as
// directories; "." and ".." are skipped, and so are the folders a running or crashed
// creation is building (Leftovers.h); a folder that a dead creation left moved aside is put
// back first. Each consumer applies its own skip and keep rules to the result.
[[nodiscard]] DirListing ListDirectories(const std::string& dir);

// The entries of ListDirectories alone, for callers to whom an unreadable directory is
// an empty one.
std::vector<DirEntry> ScanDirectories(const std::string& dir);

}  // namespace kelvane
