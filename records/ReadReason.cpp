#include "records/ReadReason.h"

#include <cerrno>
#include <cstring>

#include "i18n/Translate.h"

namespace kelvane {

using i18n::Tr;

std::string ReadErrnoReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return Tr("no permission to read it");
        case ENOENT:
            return Tr("it does not exist");
        case ENOTDIR:
            return Tr("a part of its path is not a folder");
        case ENAMETOOLONG:
            return Tr("its path is longer than the system allows");
        case ELOOP:
            return Tr("it leads through too many symbolic links");
        case EMFILE:
        case ENFILE:
            return Tr("too many files are open at once");
        case EIO:
            return Tr("a device error occurred");
        case ENOMEM:
            return Tr("there is not enough memory");
        default:
            return std::strerror(error);
    }
}

}  // namespace kelvane
