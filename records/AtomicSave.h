#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "records/FileStamp.h"
#include "records/UniqueFd.h"

namespace kelvane {

// How a save ended, in terms the caller turns into a message.
struct SaveOutcome {
    enum class Kind {
        Saved,
        Failed,            // error says why; nothing was changed
        Busy,              // another save of the same file holds its lock
        ReadOnly,          // the file may not be written
        NotRegular,        // a folder, FIFO, device or link stands at the name
        DanglingLink,      // a symbolic link to a file that does not exist
        Changed,           // its content is no longer the one expected
        Removed,           // it was expected but is gone
        CreatedMeanwhile,  // it did not exist, and another program created it meanwhile
        NotFlushed,        // saved, but the folder could not be flushed: error says why
    };
    Kind kind = Kind::Saved;
    int error = 0;
    bool existed = false;  // a file stood at the name when the save began

    bool ok() const { return kind == Kind::Saved; }
};

// The one save path, relative to an open folder so that the folder may be renamed while
// it runs. Rolls back what crashed saves and creations left in the folder, locks the
// existing file (a second save of it is refused while the first runs), writes the bytes
// to a file no listing shows, flushes them, renames it over the target (or links it in
// when there was none, never replacing a file made meanwhile) and flushes the folder.
// The target's permission bits and, where allowed, its owner are kept. With expected
// set, the save is refused when the content on disk is no longer the one expected.
SaveOutcome SaveFileAt(int dirfd, const std::string& name, std::string_view bytes,
                       const FileStamp* expected = nullptr);

// An existing regular file opened for writing and locked against other saves.
struct LockedFile {
    SaveOutcome::Kind refusal = SaveOutcome::Kind::Saved;  // Saved when locked or absent
    int error = 0;
    bool exists = false;
    UniqueFd fd;
    struct stat st {};
};

// Opens and locks name below dirfd the way a save does; absent is no refusal.
LockedFile LockFileAt(int dirfd, const std::string& name);

// Past the file-size limit the kernel sends SIGXFSZ, which by default kills the process
// in the middle of a write. Once this ran, such a write fails with EFBIG instead.
void IgnoreFileSizeSignal();

}  // namespace kelvane
