#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvane {

// A change the program wrote to a file, kept so that it can be undone and made again: the
// bytes the file held before it and the bytes it wrote.
struct WrittenChange {
    std::string path;
    std::string before;
    std::string after;

    std::size_t size() const { return before.size() + after.size(); }
};

// How much memory the kept changes may take together; older ones are forgotten beyond it.
inline constexpr std::size_t kChangeHistoryBytes = std::size_t{256} * 1024 * 1024;

// How an undo or a redo went: done when the file now holds the bytes asked for; message
// says why not, or warns of a folder that could not be flushed although it was done.
struct ChangeStep {
    bool done = false;
    std::string message;
};

// Writes the bytes before back through the one save path, but only while the file is
// byte for byte what the change wrote; a file changed since by anyone else is left as it is.
ChangeStep UndoChange(const WrittenChange& change);
// Writes the change again, only while the file is byte for byte what it was before it.
ChangeStep RedoChange(const WrittenChange& change);

// True when path is a regular file holding exactly bytes (it is read no further than that).
bool FileHolds(const std::string& path, std::string_view bytes);

}  // namespace kelvane
