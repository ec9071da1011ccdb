#include "records/ReadReason.h"

#include <cerrno>
#include <cstring>

namespace kelvane {

std::string ReadErrnoReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "no permission to read it";
        case ENOENT:
            return "it does not exist";
        case ENOTDIR:
            return "a part of its path is not a folder";
        case ENAMETOOLONG:
            return "its path is longer than the system allows";
        case ELOOP:
            return "it leads through too many symbolic links";
        case EMFILE:
        case ENFILE:
            return "too many files are open at once";
        case EIO:
            return "a device error occurred";
        case ENOMEM:
            return "there is not enough memory";
        default:
            return std::strerror(error);
    }
}

}  // namespace kelvane
