#pragma once

namespace kelvane {

// Opens name in the folder open as dirfd like openat, but only where name is neither a
// symbolic link nor a mount point (bind mounts included): what is opened then lies on the
// folder's own mount. Fails with ELOOP or EXDEV where it is one of those, and with ENOSYS
// where the system cannot make the check; the caller then opens it as before, and looks.
int OpenOnSameMount(int dirfd, const char* name, int flags);

}  // namespace kelvane
