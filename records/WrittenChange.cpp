#include "records/WrittenChange.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "i18n/Translate.h"
#include "records/FileOps.h"
#include "records/FileStamp.h"
#include "records/LibraryPaths.h"
#include "records/UniqueFd.h"

namespace kelvane {

using i18n::Say;

namespace {

enum class Holds { Exactly, Other, Nothing };

// What stands at path compared with bytes; when it holds them exactly, stamp describes it.
Holds Examine(const std::string& path, std::string_view bytes, FileStamp* stamp) {
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return Holds::Nothing;
    bool same = false;
    if (CompareContent(fd.get(), bytes, same) != 0 || !same)
        return Holds::Other;
    if (stamp)
        *stamp = FileStamp{true, std::string(bytes)};
    return Holds::Exactly;
}

ChangeStep Rewrite(const std::string& path, std::string_view expected, std::string_view wanted,
                   bool undo) {
    const std::string shown = DisplayPath(path);
    FileStamp stamp;
    switch (Examine(path, expected, &stamp)) {
        case Holds::Nothing:
            return {false, undo ? Say("Could not undo the change to {path}: the file was removed "
                                      "or renamed since; nothing was written.",
                                      {{"path", shown}})
                                : Say("Could not redo the change to {path}: the file was removed "
                                      "or renamed since; nothing was written.",
                                      {{"path", shown}})};
        case Holds::Other:
            return {false, undo ? Say("Could not undo the change to {path}: the file has changed "
                                      "since that change was written; it is left as it is, and "
                                      "nothing was undone.",
                                      {{"path", shown}})
                                : Say("Could not redo the change to {path}: the file has changed "
                                      "since the change was undone; it is left as it is, and "
                                      "nothing was redone.",
                                      {{"path", shown}})};
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
