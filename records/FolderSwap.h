#pragma once

#include <sys/stat.h>

#include <string>

#include "records/CreationRecord.h"
#include "records/UniqueFd.h"

namespace kelvane {

// Puts a whole new folder in place of a name in one step. The folder is built in a
// staging folder beside the name (hidden from every listing) under a creation record;
// Commit then exchanges it with the existing folder (renameat2 RENAME_EXCHANGE) or moves
// it to the free name (RENAME_NOREPLACE), and only then removes the replaced folder. A
// crash at any point leaves the old folder or the new one, whole, and the next operation
// in the folder rolls the rest back (Leftovers.h). Where the file system cannot exchange
// two names, the old folder is first moved aside under the record, and put back if the
// move of the new one fails.
class FolderSwap {
public:
    FolderSwap() = default;
    FolderSwap(const FolderSwap&) = delete;
    FolderSwap& operator=(const FolderSwap&) = delete;
    ~FolderSwap();  // an unfinished swap is abandoned: nothing is left

    // Rolls back leftovers in the folder dirfd, writes the record and makes the staging
    // folder. replace: name is an existing folder, to be exchanged. 0 or errno.
    int Begin(int dirfd, const std::string& name, bool replace);

    int staging() const { return m_staging.get(); }
    // A path that reaches the staging folder through its descriptor, wherever its folder
    // is moved meanwhile (through /proc where it is mounted).
    std::string StagingPath(const std::string& folderPath) const;

    struct Result {
        int error = 0;         // not in place: nothing was changed (EEXIST: the name is taken;
                               // ESTALE: the folder to replace is no longer the one expected)
        int flushError = 0;    // in place, but its folder could not be flushed
        int cleanupError = 0;  // in place, but the replaced folder could not all be removed
    };

    // Flushes the staging folder and puts it in place. expected: the folder that must
    // still stand at the name when replacing.
    Result Commit(const struct stat* expected);

    // Removes the staging folder and the record.
    void Abandon();

private:
    int MoveToFreeName(const std::string& from);

    int m_dirfd = -1;
    std::string m_name;
    bool m_replace = false;
    bool m_active = false;
    CreationRecord m_record;
    UniqueFd m_staging;
};

}  // namespace kelvane
