#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane {

// Identity of a file's content at the moment it was read, used to notice that another
// program changed it before we write it back. Only the hash decides: a bare touch that
// changes the time but not the bytes is not a change.
struct FileStamp {
    bool exists = false;
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    std::uint64_t inode = 0;
    std::uint64_t hash = 0;
};

std::uint64_t HashBytes(std::string_view bytes);

// The hash of everything an open file holds, read from its start in pieces (the file's
// size does not decide how much memory this takes). False with errno set on a read error.
bool HashFromStart(int fd, std::uint64_t& hash);

// Stamps bytes that were just read from a file (metadata from the open descriptor).
FileStamp StampFromDescriptor(int fd, std::string_view bytes);

// Reads the file at path and stamps it; exists is false when it cannot be read.
FileStamp StampOfFile(const std::string& path);

}  // namespace kelvane
