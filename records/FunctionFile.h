#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/Translate.h"
#include "records/FunctionRecord.h"

namespace kelvane {

// The one reader of the function-file layout: bytes or an open file in, the header and
// records or the reason they cannot be had out. Every load, listing and check reads
// through it, so they all accept and refuse the same files.

// The records of a file up to this size are taken with one read and parsed in memory.
inline constexpr std::size_t kOneReadParameters = 16;
inline constexpr std::size_t kOneReadFileBytes =
    fdb::kHeaderSize + kOneReadParameters * fdb::kParameterSize;
// A header read of a file its folder's listing named takes a page in its first read.
inline constexpr std::size_t kHeaderReadBytes = 4096;
static_assert(kHeaderReadBytes >= fdb::kHeaderSize && kHeaderReadBytes <= kOneReadFileBytes);

// Why a function file was not read.
enum class FdbFault {
    None,
    Missing,         // nothing at the name
    Unreadable,      // opening or reading failed; error holds the errno
    NotRegular,      // a folder, FIFO, device, ...
    ShortHeader,     // shorter than the header
    NegativeCount,   // the header announces fewer than no records
    CountPastEnd,    // it announces more records than the file holds
    CountOverLimit,  // it announces more than fdb::kMaxParameterCount
    TooLongToEdit,   // a WholeFile read of a file longer than fdb::kMaxFunctionFileBytes
};

// How much of a file a read takes.
enum class FdbPart {
    Header,     // the header alone, with the same checks of its count (for listings)
    Records,    // the header and the records it announces; bytes after them are not read
    WholeFile,  // every byte, kept in bytes so that a save can tell whether it changed
    // Whatever the file holds, sound or not, for showing it: the fault as a Records read
    // finds it, bytes up to fdb::kMaxFunctionFileBytes, and the records of a damaged file
    // as far as those bytes hold them whole.
    Salvage,
};

struct FdbRead {
    FdbFault fault = FdbFault::None;
    int error = 0;  // the errno of an Unreadable file
    std::uint64_t fileSize = 0;
    std::uint64_t trailingBytes = 0;  // after the last record, which a save drops
    FunctionHeader header{};
    std::vector<ParameterRecord> parameters;  // Records and WholeFile
    std::string bytes;                        // WholeFile and Salvage

    bool ok() const { return fault == FdbFault::None; }
    // Why the file was not read, worded to follow its name: "is 1000 bytes, shorter than
    // the 1372-byte header". Empty when it was.
    std::string Reason(i18n::Texts texts = i18n::Texts::Shown) const;
    // The record read (Records or WholeFile); the parameters are moved out.
    FunctionRecord TakeRecord();
};

// Reads the file at path, or name in the folder open as dirfd, without ever blocking: a
// FIFO or device is refused before it is opened. At a path, a function folder that a dead
// creation left moved aside is put back first. Nothing is allocated for records a file
// cannot hold or the limit does not allow.
FdbRead ReadFunctionFile(const std::string& path, FdbPart part = FdbPart::Records);
FdbRead ReadFunctionFileAt(int dirfd, const std::string& name, FdbPart part = FdbPart::Records);

// The same read of name in the folder open as dirfd, for a name that folder's own listing
// gave as a regular file: that stands for the check before opening, which saves a lookup
// per file in a walk. Opening it is still non-blocking and the open file checked, in case
// something else took its place since. No moved-aside folder is put back (the caller holds
// the folder open).
FdbRead ReadListedFunctionFile(int dirfd, const std::string& name, FdbPart part = FdbPart::Records);

// The same checks of bytes already in memory (a Records read that keeps no bytes).
FdbRead ParseFunctionBytes(std::string_view bytes);

}  // namespace kelvane
