#include "records/FunctionFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "i18n/Translate.h"
#include "records/Leftovers.h"
#include "records/LibraryPaths.h"
#include "records/ListedFolder.h"
#include "records/ReadReason.h"
#include "records/SameMountOpen.h"
#include "records/UniqueFd.h"

namespace kelvane {

using i18n::Say;
using i18n::SayIn;
using i18n::Tr;

namespace {

constexpr std::size_t kMebibyteShift = 20;

// Where the layout is read from: an open file, or bytes already in memory.
struct Source {
    int fd = -1;
    std::string_view bytes;
    std::uint64_t size = 0;

    // Exactly n bytes at offset: 0, or the errno of the failure (EIO for a file that
    // ended early).
    int ReadAt(void* data, std::size_t n, std::uint64_t offset) const {
        if (fd < 0) {
            if (offset + n > bytes.size())
                return EIO;
            std::memcpy(data, bytes.data() + offset, n);
            return 0;
        }
        std::size_t got = 0;
        while (got < n) {
            const ssize_t r = pread(fd, static_cast<char*>(data) + got, n - got,
                                    static_cast<off_t>(offset + got));
            if (r < 0 && errno == EINTR)
                continue;
            if (r < 0)
                return errno;
            if (r == 0)
                return EIO;
            got += static_cast<std::size_t>(r);
        }
        return 0;
    }
};

FdbRead Faulty(FdbFault fault, int error = 0) {
    FdbRead read;
    read.fault = fault;
    read.error = error;
    return read;
}

// The layout rules: a header, then exactly the records it announces (bytes after them are
// allowed), within the memory limit.
FdbRead Parse(const Source& source, FdbPart part) {
    FdbRead read;
    read.fileSize = source.size;
    auto fail = [&](FdbFault fault, int error = 0) {
        read.fault = fault;
        read.error = error;
        return std::move(read);
    };
    if (source.size < fdb::kHeaderSize)
        return fail(FdbFault::ShortHeader);
    if (const int error = source.ReadAt(&read.header, sizeof read.header, 0))
        return fail(FdbFault::Unreadable, error);
    const std::int32_t count = read.header.parameterCount;
    if (count < 0)
        return fail(FdbFault::NegativeCount);
    if (static_cast<std::uint64_t>(count) > (source.size - fdb::kHeaderSize) / fdb::kParameterSize)
        return fail(FdbFault::CountPastEnd);
    if (count > fdb::kMaxParameterCount)
        return fail(FdbFault::CountOverLimit);
    read.trailingBytes =
        source.size - fdb::kHeaderSize - static_cast<std::uint64_t>(count) * fdb::kParameterSize;
    if (part == FdbPart::Header || count == 0)
        return read;
    read.parameters.resize(static_cast<std::size_t>(count));
    if (const int error =
            source.ReadAt(read.parameters.data(), read.parameters.size() * fdb::kParameterSize,
                          fdb::kHeaderSize)) {
        read.parameters.clear();
        return fail(FdbFault::Unreadable, error);
    }
    return read;
}

FdbRead Salvage(const Source& file) {
    std::string bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(file.size, fdb::kMaxFunctionFileBytes)),
        '\0');
    if (const int error = file.ReadAt(bytes.data(), bytes.size(), 0))
        return Faulty(FdbFault::Unreadable, error);
    FdbRead read = Parse(file, FdbPart::Records);
    if (!read.ok() && read.fault != FdbFault::Unreadable && bytes.size() >= fdb::kHeaderSize) {
        // The records the bytes hold whole, however many the header announces.
        const std::size_t whole = (bytes.size() - fdb::kHeaderSize) / fdb::kParameterSize;
        const std::int32_t count = read.header.parameterCount;
        read.parameters.resize(count < 0 ? 0 : std::min(whole, static_cast<std::size_t>(count)));
        if (!read.parameters.empty())
            std::memcpy(read.parameters.data(), bytes.data() + fdb::kHeaderSize,
                        read.parameters.size() * fdb::kParameterSize);
    }
    read.bytes = std::move(bytes);
    return read;
}

// Opens name non-blocking, for a file known to be regular.
UniqueFd OpenChecked(int dirfd, const std::string& name, FdbRead& failure) {
    UniqueFd fd(openat(dirfd, name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        failure = Faulty(errno == ENOENT ? FdbFault::Missing : FdbFault::Unreadable, errno);
    return fd;
}

// Never opened unless a regular file stands at the name; non-blocking all the same, in
// case a FIFO took its place since.
UniqueFd Open(int dirfd, const std::string& name, FdbRead& failure) {
    auto fail = [&](FdbFault fault, int error) {
        failure = Faulty(fault, error);
        return UniqueFd();
    };
    struct stat st {};
    if (fstatat(dirfd, name.c_str(), &st, 0) != 0)
        return fail(errno == ENOENT ? FdbFault::Missing : FdbFault::Unreadable, errno);
    if (!S_ISREG(st.st_mode))
        return fail(FdbFault::NotRegular, 0);
    return OpenChecked(dirfd, name, failure);
}

// Room for the largest file read in one go, and one byte more: a read that fills it is not
// known to have reached the end.
std::string& OneReadBuffer() {
    thread_local std::string buffer(kOneReadFileBytes + 1, '\0');
    return buffer;
}

// A Records read of a file small enough for one read.
FdbRead ParseInOneRead(const Source& file) {
    char* data = OneReadBuffer().data();
    const std::size_t size = static_cast<std::size_t>(file.size);
    if (const int error = file.ReadAt(data, size, 0))
        return Faulty(FdbFault::Unreadable, error);
    return Parse(Source{-1, std::string_view(data, size), size}, FdbPart::Records);
}

// Reads the open file fd as part says.
FdbRead ReadOpened(const UniqueFd& fd, FdbPart part) {
    struct stat st {};
    if (fstat(fd.get(), &st) != 0)
        return Faulty(FdbFault::Unreadable, errno);
    if (!S_ISREG(st.st_mode))
        return Faulty(FdbFault::NotRegular);
    const Source file{fd.get(), {}, static_cast<std::uint64_t>(st.st_size)};
    if (part == FdbPart::Salvage)
        return Salvage(file);
    if (part == FdbPart::Records && file.size <= kOneReadFileBytes)
        return ParseInOneRead(file);
    if (part != FdbPart::WholeFile)
        return Parse(file, part);

    // The header first, so that a damaged file is named for its damage; then every byte,
    // and the record from the bytes held.
    FdbRead header = Parse(file, FdbPart::Header);
    if (!header.ok())
        return header;
    if (file.size > fdb::kMaxFunctionFileBytes) {
        header.fault = FdbFault::TooLongToEdit;
        return header;
    }
    std::string bytes(static_cast<std::size_t>(file.size), '\0');
    if (const int error = file.ReadAt(bytes.data(), bytes.size(), 0))
        return Faulty(FdbFault::Unreadable, error);
    FdbRead read = Parse(Source{-1, bytes, bytes.size()}, FdbPart::Records);
    if (read.ok())
        read.bytes = std::move(bytes);
    return read;
}

// A Records or Header read of the open file fd, on a file system where a read that ends
// short of its buffer has read the whole file: then the file needs no stat. A header read
// takes a page, where the files of functions without parameters end; past that only its
// size is looked up. Anything else is read as ReadOpened reads it, so that its fault is
// told as always: a read that fills the buffer, one that fails (a FIFO or a folder in the
// file's place), a file the layout refuses.
FdbRead ReadWithoutStat(const UniqueFd& fd, FdbPart part) {
    std::string& buffer = OneReadBuffer();
    const std::size_t want = part == FdbPart::Header ? kHeaderReadBytes : buffer.size();
    const ssize_t got = pread(fd.get(), buffer.data(), want, 0);
    if (got < 0)
        return ReadOpened(fd, part);
    const std::string_view bytes(buffer.data(), static_cast<std::size_t>(got));
    if (bytes.size() < want) {
        FdbRead read = Parse(Source{-1, bytes, bytes.size()}, part);
        return read.ok() ? std::move(read) : ReadOpened(fd, part);
    }
    if (part != FdbPart::Header)
        return ReadOpened(fd, part);
    struct stat st {};
    if (fstat(fd.get(), &st) != 0)
        return Faulty(FdbFault::Unreadable, errno);
    if (!S_ISREG(st.st_mode))
        return Faulty(FdbFault::NotRegular);
    return Parse(Source{-1, bytes, static_cast<std::uint64_t>(st.st_size)}, part);
}

}  // namespace

FdbRead ReadFunctionFileAt(int dirfd, const std::string& name, FdbPart part) {
    FdbRead failure;
    const UniqueFd fd = Open(dirfd, name, failure);
    if (!fd.valid())
        return failure;
    return ReadOpened(fd, part);
}

FdbRead ReadListedFunctionFile(int dirfd, const std::string& name, FdbPart part) {
    const bool oneRead = part == FdbPart::Records || part == FdbPart::Header;
    if (oneRead && ListedFolder::ReadsWhole(dirfd)) {
        // Neither a link nor a mount point: the file lies on the folder's file system.
        const UniqueFd fd(
            OpenOnSameMount(dirfd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
        if (fd.valid())
            return ReadWithoutStat(fd, part);
    }
    FdbRead failure;
    const UniqueFd fd = OpenChecked(dirfd, name, failure);
    if (!fd.valid())
        return failure;
    return ReadOpened(fd, part);
}

FdbRead ReadFunctionFile(const std::string& path, FdbPart part) {
    FdbRead read = ReadFunctionFileAt(AT_FDCWD, path, part);
    if (read.fault == FdbFault::Missing && RestoreMovedAside(ParentPath(path)))
        read = ReadFunctionFileAt(AT_FDCWD, path, part);
    return read;
}

FdbRead ParseFunctionBytes(std::string_view bytes) {
    return Parse(Source{-1, bytes, bytes.size()}, FdbPart::Records);
}

FunctionRecord FdbRead::TakeRecord() {
    FunctionRecord record;
    record.header() = header;
    record.ReplaceParameters(std::move(parameters));
    return record;
}

std::string FdbRead::Reason(i18n::Texts texts) const {
    const std::string count = std::to_string(header.parameterCount);
    const std::string limit = std::to_string(fdb::kMaxFunctionFileBytes >> kMebibyteShift);
    const std::string size = std::to_string(fileSize);
    switch (fault) {
        case FdbFault::None:
            return {};
        case FdbFault::Missing:
            return Tr("the function file is missing", texts);
        case FdbFault::Unreadable:
            return SayIn(texts, "cannot be read: {reason}",
                         {{"reason", ReadErrnoReason(error, texts)}});
        case FdbFault::NotRegular:
            return Tr("is not a regular file", texts);
        case FdbFault::ShortHeader:
            return SayIn(texts, "is {size} bytes, shorter than the {header}-byte header",
                         {{"size", size}, {"header", std::to_string(fdb::kHeaderSize)}});
        case FdbFault::NegativeCount:
            return SayIn(texts, "announces a negative parameter count ({count})",
                         {{"count", count}});
        case FdbFault::CountPastEnd:
            return SayIn(
                texts, "announces {count} parameters but its {size} bytes hold {held}",
                {{"count", count},
                 {"size", size},
                 {"held", std::to_string((fileSize - fdb::kHeaderSize) / fdb::kParameterSize)}});
        case FdbFault::CountOverLimit:
            return SayIn(
                texts,
                "is too large: it announces {count} parameters ({bytes} bytes); at most {max} "
                "({limit} MiB) are read",
                {{"count", count},
                 {"bytes", std::to_string(fdb::kHeaderSize +
                                          static_cast<std::uint64_t>(header.parameterCount) *
                                              fdb::kParameterSize)},
                 {"max", std::to_string(fdb::kMaxParameterCount)},
                 {"limit", limit}});
        case FdbFault::TooLongToEdit:
            return SayIn(
                texts,
                "is too large to edit: {size} bytes, more than the {limit} MiB an edit reads",
                {{"size", size}, {"limit", limit}});
    }
    return {};
}

}  // namespace kelvane
