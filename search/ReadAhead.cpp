#include "search/ReadAhead.h"

#include <fcntl.h>
#include <liburing.h>
#include <linux/openat2.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

#include "records/FunctionRecord.h"
#include "records/LibraryPaths.h"

namespace kelvane {

namespace {

// Function folders read ahead per submission, and the ring's room for their calls: a look
// at each file, then an open, a read and a close of each regular one.
constexpr unsigned kWindow = 64;
constexpr unsigned kCallsPerFile = 3;
constexpr unsigned kRingEntries = kWindow * kCallsPerFile;
static_assert(kRingEntries <= 4096, "io_uring rings hold at most 4096 entries");

// A file read ahead is taken in one read, like the reader's one-read records: a header and
// a few parameters. The buffers of one submission stay within kWindowBytes, and only the
// folders on the walk's way down (kMaxGroups of them) keep theirs.
constexpr std::uint64_t kLargestFile = fdb::kHeaderSize + 16 * fdb::kParameterSize;
constexpr std::uint64_t kWindowBytes = 1 << 20;
constexpr std::size_t kMaxGroups = 8;
static_assert(kLargestFile < kWindowBytes);

std::atomic<bool> g_disabled{false};

enum Call : std::uint64_t { kLook, kOpen, kRead, kClose };

std::uint64_t Tag(std::size_t index, Call call) {
    return static_cast<std::uint64_t>(index) * 4 + call;
}

}  // namespace

struct FunctionReadAhead::Ring {
    io_uring ring{};
    bool ready = false;

    Ring() {
        if (g_disabled.load(std::memory_order_relaxed))
            return;
        // Completions are only ever waited for by the thread that made the ring.
        if (io_uring_queue_init(kRingEntries, &ring,
                                IORING_SETUP_SINGLE_ISSUER | IORING_SETUP_DEFER_TASKRUN) != 0 &&
            io_uring_queue_init(kRingEntries, &ring, 0) != 0)
            return;  // no io_uring here (kernel, seccomp, io_uring_disabled)
        io_uring_probe* probe = io_uring_get_probe_ring(&ring);
        const bool calls = probe && io_uring_opcode_supported(probe, IORING_OP_STATX) &&
                           io_uring_opcode_supported(probe, IORING_OP_OPENAT2) &&
                           io_uring_opcode_supported(probe, IORING_OP_READ) &&
                           io_uring_opcode_supported(probe, IORING_OP_CLOSE);
        if (probe)
            io_uring_free_probe(probe);
        if (!calls || io_uring_register_files_sparse(&ring, kWindow) != 0) {
            io_uring_queue_exit(&ring);
            return;
        }
        ready = true;
    }
    ~Ring() {
        if (ready)
            io_uring_queue_exit(&ring);
    }

    io_uring_sqe* Next() {
        io_uring_sqe* sqe = io_uring_get_sqe(&ring);
        if (!sqe) {  // cannot happen within kRingEntries; submit what is queued if it does
            io_uring_submit(&ring);
            sqe = io_uring_get_sqe(&ring);
        }
        return sqe;
    }

    // Submits what is queued and hands each of the expected completions to done. False
    // when the ring failed (it is then not used again).
    template <typename Done>
    bool Run(unsigned expected, Done done) {
        if (expected == 0)
            return true;
        int submitted;
        do
            submitted = io_uring_submit_and_wait(&ring, expected);
        while (submitted == -EINTR);
        if (submitted < 0) {
            ready = false;
            return false;
        }
        for (unsigned seen = 0; seen < expected;) {
            io_uring_cqe* cqe = nullptr;
            const int error = io_uring_wait_cqe(&ring, &cqe);
            if (error == -EINTR)
                continue;
            if (error != 0) {
                ready = false;
                return false;
            }
            done(cqe->user_data, cqe->res);
            io_uring_cqe_seen(&ring, cqe);
            ++seen;
        }
        return true;
    }
};

struct FunctionReadAhead::Group {
    DirIdentity id;
    std::vector<std::string> folders;  // its function folders that are not links, in order
    std::size_t begin = 0;             // the window read ahead: folders[begin, begin + size)
    struct Entry {
        std::string path;  // "X()/X().fdb"
        struct statx look {};
        bool regular = false;
        bool opened = false;
        bool read = false;
        std::string bytes;
    };
    std::vector<Entry> window;
};

FunctionReadAhead::FunctionReadAhead() : m_ring(std::make_unique<Ring>()) {}
FunctionReadAhead::~FunctionReadAhead() = default;

void FunctionReadAhead::EnableForTesting(bool enabled) {
    g_disabled.store(!enabled, std::memory_order_relaxed);
}

void FunctionReadAhead::Listed(const WalkDir& dir,
                               const std::vector<Subdirectory>& subdirectories) {
    const auto depth = static_cast<std::size_t>(dir.depth);
    if (m_groups.size() > depth)
        m_groups.resize(depth);
    if (!m_ring->ready || depth >= kMaxGroups)
        return;
    Group group;
    group.id = dir.id;
    for (const Subdirectory& sub : subdirectories)
        if (sub.id.inode == 0 && IsFunctionFolderName(sub.name))
            group.folders.push_back(sub.name);
    if (group.folders.empty())
        return;
    m_groups.resize(depth + 1);
    m_groups[depth] = std::move(group);
    Fill(m_groups[depth], dir.fd, 0);
}

void FunctionReadAhead::Fill(Group& group, int parentFd, std::size_t from) {
    group.begin = from;
    group.window.clear();
    const std::size_t end = std::min(group.folders.size(), from + kWindow);
    group.window.resize(end - from);
    for (std::size_t i = 0; i < group.window.size(); ++i) {
        const std::string& folder = group.folders[from + i];
        Group::Entry& entry = group.window[i];
        entry.path = folder + "/" + folder + std::string(kFunctionFileExtension);
        io_uring_sqe* sqe = m_ring->Next();
        io_uring_prep_statx(sqe, parentFd, entry.path.c_str(), AT_SYMLINK_NOFOLLOW,
                            STATX_TYPE | STATX_SIZE, &entry.look);
        io_uring_sqe_set_data64(sqe, Tag(i, kLook));
    }
    auto looked = [&](std::uint64_t tag, int result) {
        Group::Entry& entry = group.window[tag / 4];
        entry.regular =
            result == 0 &&
            (entry.look.stx_mask & (STATX_TYPE | STATX_SIZE)) == (STATX_TYPE | STATX_SIZE) &&
            S_ISREG(entry.look.stx_mode) && entry.look.stx_size <= kLargestFile;
    };
    if (!m_ring->Run(static_cast<unsigned>(group.window.size()), looked)) {
        group.window.clear();
        return;
    }

    // Only what was a regular file when looked at is opened; the open refuses any link on
    // the way and never waits, so what took its place since is at worst read without
    // waiting and then refused (its size differs, or the walk lists it as no file).
    open_how how{};
    how.flags = O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    std::uint64_t bytes = 0;
    unsigned expected = 0;
    for (std::size_t i = 0; i < group.window.size(); ++i) {
        Group::Entry& entry = group.window[i];
        if (!entry.regular || bytes + entry.look.stx_size + 1 > kWindowBytes)
            continue;
        bytes += entry.look.stx_size + 1;
        // One byte more than it held when looked at tells a file that has grown since.
        entry.bytes.resize(entry.look.stx_size + 1);
        const auto slot = static_cast<unsigned>(i);
        io_uring_sqe* sqe = m_ring->Next();
        io_uring_prep_openat2_direct(sqe, parentFd, entry.path.c_str(), &how, slot);
        sqe->flags |= IOSQE_IO_LINK;
        io_uring_sqe_set_data64(sqe, Tag(i, kOpen));
        sqe = m_ring->Next();
        io_uring_prep_read(sqe, static_cast<int>(slot), entry.bytes.data(),
                           static_cast<unsigned>(entry.bytes.size()), 0);
        // A short read, the usual case, must not keep the file from being closed.
        sqe->flags |= IOSQE_FIXED_FILE | IOSQE_IO_HARDLINK;
        io_uring_sqe_set_data64(sqe, Tag(i, kRead));
        sqe = m_ring->Next();
        io_uring_prep_close_direct(sqe, slot);
        io_uring_sqe_set_data64(sqe, Tag(i, kClose));
        expected += kCallsPerFile;
    }
    auto done = [&](std::uint64_t tag, int result) {
        Group::Entry& entry = group.window[tag / 4];
        switch (tag % 4) {
            case kOpen:
                entry.opened = result >= 0;
                break;
            case kRead:
                entry.read =
                    result >= 0 && static_cast<std::uint64_t>(result) == entry.look.stx_size;
                if (entry.read)
                    entry.bytes.resize(static_cast<std::size_t>(result));
                break;
            default:
                break;
        }
    };
    if (!m_ring->Run(expected, done))
        group.window.clear();
}

const std::string* FunctionReadAhead::Take(const DirIdentity& parent, int parentFd, int parentDepth,
                                           std::string_view folderName) {
    const auto depth = static_cast<std::size_t>(parentDepth);
    if (depth >= m_groups.size() || !(m_groups[depth].id == parent) || !m_ring->ready)
        return nullptr;
    Group& group = m_groups[depth];
    auto find = [&](std::size_t from, std::size_t to) -> std::size_t {
        for (std::size_t i = from; i < to; ++i)
            if (group.folders[i] == folderName)
                return i;
        return group.folders.size();
    };
    const std::size_t end = group.begin + group.window.size();
    std::size_t at = find(group.begin, end);
    if (at == group.folders.size()) {
        at = find(end, group.folders.size());
        if (at == group.folders.size())
            return nullptr;
        Fill(group, parentFd, at);
    }
    if (at - group.begin >= group.window.size())
        return nullptr;
    Group::Entry& entry = group.window[at - group.begin];
    if (!entry.opened || !entry.read)
        return nullptr;
    m_taken = std::move(entry.bytes);
    entry.read = false;
    return &m_taken;
}

}  // namespace kelvane
