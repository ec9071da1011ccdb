#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// What a file held when it was read, to notice that another program changed it before we
// write it back. Only the bytes decide: a bare touch that changes the time but not the
// bytes is not a change.
struct FileStamp {
    bool exists = false;
    std::string bytes;
};

// Whether the open file holds exactly bytes, read from its start in pieces (however long
// the file, this takes no more memory): 0 with same set, or the errno of a failed read.
int CompareContent(int fd, std::string_view bytes, bool& same);

}  // namespace kelvane
