#include "records/ReadReason.h"

#include <cerrno>
#include <cstring>

#include "i18n/Translate.h"

namespace kelvane {

using i18n::Tr;

std::string ReadErrnoReason(int error, i18n::Texts texts) {
    switch (error) {
        case EACCES:
        case EPERM:
            return Tr("no permission to read it", texts);
        case ENOENT:
            return Tr("it does not exist", texts);
        case ENOTDIR:
            return Tr("a part of its path is not a folder", texts);
        case ENAMETOOLONG:
            return Tr("its path is longer than the system allows", texts);
        case ELOOP:
            return Tr("it leads through too many symbolic links", texts);
        case EMFILE:
        case ENFILE:
            return Tr("too many files are open at once", texts);
        case EIO:
            return Tr("a device error occurred", texts);
        case ENOMEM:
            return Tr("there is not enough memory", texts);
        default:
            return std::strerror(error);
    }
}

}  // namespace kelvane
