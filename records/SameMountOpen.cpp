#include "records/SameMountOpen.h"

#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace kelvane {

namespace {

// Cleared once the kernel (or a sandbox's filter) has said it has no openat2.
std::atomic<bool> g_openat2Works{true};

}  // namespace

int OpenOnSameMount(int dirfd, const char* name, int flags) {
    if (!g_openat2Works.load(std::memory_order_relaxed)) {
        errno = ENOSYS;
        return -1;
    }
    open_how how{};
    how.flags = static_cast<unsigned>(flags);
    how.resolve = RESOLVE_NO_XDEV | RESOLVE_NO_SYMLINKS;
    const long fd = syscall(SYS_openat2, dirfd, name, &how, sizeof how);
    if (fd < 0 && errno == ENOSYS)
        g_openat2Works.store(false, std::memory_order_relaxed);
    return static_cast<int>(fd);
}

}  // namespace kelvane
