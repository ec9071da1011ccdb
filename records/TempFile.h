#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "records/UniqueFd.h"

namespace kelvane {

// A new file in a folder that no directory listing shows until it is given a name: made
// with O_TMPFILE where the file system has it (a crash then leaves nothing), else created
// under a temporary name at once. It is locked from birth, so a temporary name in use is
// never taken for a leftover.
class TempFile {
public:
    // 0, or the errno of the failure.
    int Create(int dirfd, mode_t mode);

    int fd() const { return m_fd.get(); }
    // Its temporary name, or "" while it has none.
    const std::string& name() const { return m_name; }

    // Gives it the temporary name certified by its inode (see WorkFiles.h). 0 or errno.
    int GiveTemporaryName();

    // Puts it in place as name, which must not exist: EEXIST when it does. 0 or errno.
    int LinkAs(const std::string& name);

    // Puts it in place as name, replacing what stands there, by renaming its temporary
    // name (given first if need be). 0 or errno; on failure it keeps its temporary name.
    int RenameOver(const std::string& name);

    // Removes its temporary name, if it has one, and closes it.
    void Discard();

    // Closes it, keeping whatever names it has.
    void Close() { m_fd.reset(); }

    // Hands over the descriptor, and the lock with it, once the file is in place.
    UniqueFd TakeDescriptor() { return std::move(m_fd); }

private:
    int m_dirfd = -1;
    UniqueFd m_fd;
    std::string m_name;
};

// Writes all of bytes at the descriptor's offset; false with errno set.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace kelvane
