#include "records/WrittenChange.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "records/FileOps.h"
#include "records/FileStamp.h"
#include "records/LibraryPaths.h"
#include "records/UniqueFd.h"

namespace kelvane {

namespace {

enum class Holds { Exactly, Other, Nothing };

// Reads at most limit bytes from the start of fd; false on a read error.
bool ReadAtMost(int fd, std::size_t limit, std::string& bytes) {
    bytes.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = pread(fd, bytes.data() + got, limit - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return true;
}

// What stands at path compared with bytes; when it holds them exactly, stamp describes it.
Holds Examine(const std::string& path, std::string_view bytes, FileStamp* stamp) {
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return Holds::Nothing;
    if (static_cast<std::size_t>(st.st_size) != bytes.size())
        return Holds::Other;
    // One byte more than expected tells a file that grew since fstat.
    std::string read;
    if (!ReadAtMost(fd.get(), bytes.size() + 1, read) || read != bytes)
        return Holds::Other;
    if (stamp)
        *stamp = StampFromDescriptor(fd.get(), read);
    return Holds::Exactly;
}

ChangeStep Rewrite(const std::string& path, std::string_view expected, std::string_view wanted,
                   bool undo) {
    const std::string head = std::string(undo ? "could not undo" : "could not redo") +
                             " the change to " + DisplayPath(path) + ": ";
    FileStamp stamp;
    switch (Examine(path, expected, &stamp)) {
        case Holds::Nothing:
            return {false, head + "the file was removed or renamed since; nothing was written."};
        case Holds::Other:
            return {false, head + "the file has changed since " +
                               (undo ? "that change was written" : "the change was undone") +
                               "; it is left as it is, and nothing was " +
                               (undo ? "undone." : "redone.")};
        case Holds::Exactly:
            break;
    }
    // The stamp lets the save path refuse a file changed in the moment since it was read.
    const Status saved = WriteFileAtomically(path, wanted, &stamp);
    if (saved)
        return {true, {}};
    return {FileHolds(path, wanted), saved.message()};
}

}  // namespace

ChangeStep UndoChange(const WrittenChange& change) {
    return Rewrite(change.path, change.after, change.before, true);
}

ChangeStep RedoChange(const WrittenChange& change) {
    return Rewrite(change.path, change.before, change.after, false);
}

bool FileHolds(const std::string& path, std::string_view bytes) {
    return Examine(path, bytes, nullptr) == Holds::Exactly;
}

}  // namespace kelvane
