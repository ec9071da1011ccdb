/* A fault injector for the save path, loaded with LD_PRELOAD.
 *
 *   KELVANE_FAULT=CALL:N:ERRNO   fail the Nth call of CALL with ERRNO (N counts from 1;
 *                                N = 0 fails every call)
 *   KELVANE_FAULT_PATH=PREFIX    count only calls on paths starting with PREFIX, and on
 *                                descriptors opened from such paths (default: all calls)
 *   KELVANE_FAULT_ARM=manual     start counting when the program calls kelvane_fault_arm()
 *   KELVANE_FAULT_REPORT=FILE    at exit, write "hit CALL N ERRNO" or "miss CALL" to FILE
 *
 * CALL is one of open, tmpfile, read, write, fsync, close, rename, renameat2, mkdir,
 * fchmod, unlink, link. "open" covers open, openat and creat; "tmpfile" only opens with
 * O_TMPFILE; "read" covers pread; "rename" covers rename, renameat and renameat2; "link"
 * covers linkat, "unlink" unlinkat, "mkdir" mkdirat; "fsync" covers fdatasync too. A path
 * relative to a directory descriptor counts when the descriptor does. ERRNO is a name
 * (ENOSPC) or a number.
 * Example:
 *   KELVANE_FAULT=fsync:1:EIO LD_PRELOAD=build-F/bin/libkelvane_faultshim.so prog ...
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

enum { kMaxTracked = 65536 };

static char g_call[32];
static long g_nth;
static int g_errno;
static const char* g_prefix;
static size_t g_prefixLength;
static atomic_int g_armed;
static atomic_long g_count;
static atomic_int g_hit;
static unsigned char g_tracked[kMaxTracked];

static const struct {
    const char* name;
    int value;
} kErrnoNames[] = {
    {"ENOSPC", ENOSPC}, {"EIO", EIO},       {"EDQUOT", EDQUOT}, {"EACCES", EACCES},
    {"EPERM", EPERM},   {"EROFS", EROFS},   {"EFBIG", EFBIG},   {"EINTR", EINTR},
    {"EINVAL", EINVAL}, {"ENOSYS", ENOSYS}, {"EXDEV", EXDEV},   {"EMFILE", EMFILE},
    {"ENOENT", ENOENT}, {"EEXIST", EEXIST}, {"EOPNOTSUPP", EOPNOTSUPP},
};

__attribute__((constructor)) static void Setup(void) {
    const char* spec = getenv("KELVANE_FAULT");
    if (!spec) return;
    char errnoText[32] = "";
    if (sscanf(spec, "%31[^:]:%ld:%31s", g_call, &g_nth, errnoText) != 3) {
        fprintf(stderr, "kelvane-faultshim: bad KELVANE_FAULT \"%s\"\n", spec);
        g_call[0] = '\0';
        return;
    }
    g_errno = atoi(errnoText);
    for (size_t i = 0; i < sizeof kErrnoNames / sizeof kErrnoNames[0]; ++i)
        if (strcmp(errnoText, kErrnoNames[i].name) == 0) g_errno = kErrnoNames[i].value;
    g_prefix = getenv("KELVANE_FAULT_PATH");
    g_prefixLength = g_prefix ? strlen(g_prefix) : 0;
    const char* arm = getenv("KELVANE_FAULT_ARM");
    g_armed = !(arm && strcmp(arm, "manual") == 0);
}

__attribute__((destructor)) static void Report(void) {
    const char* file = getenv("KELVANE_FAULT_REPORT");
    if (!file || !g_call[0]) return;
    FILE* out = fopen(file, "w");
    if (!out) return;
    if (g_hit) fprintf(out, "hit %s %ld %d\n", g_call, g_nth, g_errno);
    else fprintf(out, "miss %s %ld\n", g_call, atomic_load(&g_count));
    fclose(out);
}

void kelvane_fault_arm(void) { g_armed = 1; }

static int PathCounts(const char* path) {
    return !g_prefix || (path && strncmp(path, g_prefix, g_prefixLength) == 0);
}

static int FdCounts(int fd) {
    return !g_prefix || (fd >= 0 && fd < kMaxTracked && g_tracked[fd]);
}

/* A path relative to dirfd counts when dirfd was opened from a counted path. */
static int AtCounts(int dirfd, const char* path) {
    if (!g_prefix || (path && path[0] == '/') || dirfd == AT_FDCWD) return PathCounts(path);
    return FdCounts(dirfd);
}

/* True when this call (of category `call`, or the exact function `function`) is the one
 * to fail; sets errno then. */
static int Inject(const char* call, const char* function, int counts) {
    if (!g_call[0] || !g_armed || !counts) return 0;
    if (strcmp(g_call, call) != 0 && strcmp(g_call, function) != 0) return 0;
    if (atomic_fetch_add(&g_count, 1) + 1 != g_nth && g_nth != 0) return 0;
    g_hit = 1;
    errno = g_errno;
    return 1;
}

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

static void Track(int fd, int counts) {
    if (fd >= 0 && fd < kMaxTracked) g_tracked[fd] = counts ? 1 : 0;
}

static int DoOpenat(const char* function, int dirfd, const char* path, int flags, mode_t mode) {
    const int counts = AtCounts(dirfd, path);
    if ((flags & O_TMPFILE) == O_TMPFILE && Inject("tmpfile", "tmpfile", counts)) return -1;
    if (Inject("open", function, counts)) return -1;
    static int (*real)(int, const char*, int, ...);
    if (!real) real = REAL(openat);
    const int fd = real(dirfd, path, flags, mode);
    Track(fd, counts);
    return fd;
}

static mode_t ModeArg(int flags, va_list args) {
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(args, mode_t) : 0;
}

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeArg(flags, args);
    va_end(args);
    return DoOpenat("open", AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeArg(flags, args);
    va_end(args);
    return DoOpenat("open64", AT_FDCWD, path, flags, mode);
}

int openat(int dirfd, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeArg(flags, args);
    va_end(args);
    return DoOpenat("openat", dirfd, path, flags, mode);
}

int openat64(int dirfd, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeArg(flags, args);
    va_end(args);
    return DoOpenat("openat64", dirfd, path, flags, mode);
}

int creat(const char* path, mode_t mode) {
    return DoOpenat("creat", AT_FDCWD, path, O_CREAT | O_WRONLY | O_TRUNC, mode);
}

ssize_t read(int fd, void* buffer, size_t size) {
    if (Inject("read", "read", FdCounts(fd))) return -1;
    return REAL(read)(fd, buffer, size);
}

ssize_t pread(int fd, void* buffer, size_t size, off_t offset) {
    if (Inject("read", "pread", FdCounts(fd))) return -1;
    return REAL(pread)(fd, buffer, size, offset);
}

ssize_t pread64(int fd, void* buffer, size_t size, off_t offset) {
    if (Inject("read", "pread64", FdCounts(fd))) return -1;
    return REAL(pread64)(fd, buffer, size, offset);
}

ssize_t write(int fd, const void* buffer, size_t size) {
    if (Inject("write", "write", FdCounts(fd))) return -1;
    return REAL(write)(fd, buffer, size);
}

int fsync(int fd) {
    if (Inject("fsync", "fsync", FdCounts(fd))) return -1;
    return REAL(fsync)(fd);
}

int fdatasync(int fd) {
    if (Inject("fsync", "fdatasync", FdCounts(fd))) return -1;
    return REAL(fdatasync)(fd);
}

int fchmod(int fd, mode_t mode) {
    if (Inject("fchmod", "fchmod", FdCounts(fd))) return -1;
    return REAL(fchmod)(fd, mode);
}

int close(int fd) {
    const int counts = FdCounts(fd);
    if (fd >= 0 && fd < kMaxTracked) g_tracked[fd] = 0;
    if (Inject("close", "close", counts)) {
        REAL(close)(fd); /* a failed close still releases the descriptor on Linux */
        errno = g_errno;
        return -1;
    }
    return REAL(close)(fd);
}

int rename(const char* from, const char* to) {
    if (Inject("rename", "rename", PathCounts(from) || PathCounts(to))) return -1;
    return REAL(rename)(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    if (Inject("rename", "renameat", AtCounts(fromDir, from) || AtCounts(toDir, to))) return -1;
    return REAL(renameat)(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags) {
    if (Inject("rename", "renameat2", AtCounts(fromDir, from) || AtCounts(toDir, to))) return -1;
    return REAL(renameat2)(fromDir, from, toDir, to, flags);
}

int mkdir(const char* path, mode_t mode) {
    if (Inject("mkdir", "mkdir", PathCounts(path))) return -1;
    return REAL(mkdir)(path, mode);
}

int mkdirat(int dirfd, const char* path, mode_t mode) {
    if (Inject("mkdir", "mkdirat", AtCounts(dirfd, path))) return -1;
    return REAL(mkdirat)(dirfd, path, mode);
}

int unlink(const char* path) {
    if (Inject("unlink", "unlink", PathCounts(path))) return -1;
    return REAL(unlink)(path);
}

int unlinkat(int dirfd, const char* path, int flags) {
    if (Inject("unlink", "unlinkat", AtCounts(dirfd, path))) return -1;
    return REAL(unlinkat)(dirfd, path, flags);
}

int link(const char* from, const char* to) {
    if (Inject("link", "link", PathCounts(from) || PathCounts(to))) return -1;
    return REAL(link)(from, to);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    if (Inject("link", "linkat", AtCounts(fromDir, from) || AtCounts(toDir, to))) return -1;
    return REAL(linkat)(fromDir, from, toDir, to, flags);
}
