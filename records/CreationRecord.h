#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/UniqueFd.h"

namespace kelvane {

// What a creation writes beside the function folder it makes, before anything else, and
// removes last: the program's mark, whether it makes a new folder or replaces one, and the
// folder's name. While the creation runs it holds the record's lock, so that a record
// whose lock is free is the certain trace of a creation that died; its staging folder,
// old folder and placeholder (WorkFiles.h) can then be rolled back.
struct CreationPlan {
    bool replace = false;
    std::string target;  // the function folder's name
    // Where the file system cannot move a folder to a free name without replacing what
    // appears there meanwhile, the name is first claimed with an empty folder: claiming is
    // noted before it is made, its inode once it is.
    bool claiming = false;
    std::uint64_t placeholder = 0;
};

class CreationRecord {
public:
    CreationRecord() = default;
    CreationRecord(CreationRecord&&) = default;
    CreationRecord& operator=(CreationRecord&&) = default;

    // Writes, flushes and locks a record in the folder dirfd. 0 or errno.
    int Begin(int dirfd, const CreationPlan& plan);

    std::string RecordName() const;
    std::string StagingName() const;
    std::string OldName() const;

    // Notes that the target name is about to be claimed, then the inode of the folder
    // that claimed it. 0 or errno.
    int NoteClaim();
    int NotePlaceholder(std::uint64_t inode);

    // The creation is over: removes the record. 0 or errno.
    int Finish();

private:
    int m_dirfd = -1;
    UniqueFd m_fd;
    std::string m_id;
    CreationPlan m_plan;
};

// The plan a record's bytes hold; nullopt unless they carry the mark and the id of the
// record's own name.
std::optional<CreationPlan> ParseCreationRecord(std::string_view bytes, std::string_view id);

// The longest record the program writes; a longer file is not one of its records.
inline constexpr std::size_t kMaxRecordSize = 4096;

}  // namespace kelvane
