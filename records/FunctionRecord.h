#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/FileStamp.h"
#include "records/Result.h"

namespace kelvane {

// On-disk layout of a function file: one header, then parameterCount parameter records.
// The structs are the file layout itself; they are read and written whole.
namespace fdb {
inline constexpr std::size_t kHeaderSize = 1372;
inline constexpr std::size_t kParameterSize = 4740;

inline constexpr std::size_t kNameSize = 256;
inline constexpr std::size_t kNameCopySize = 80;
inline constexpr std::size_t kFunctionDescriptionSize = 1024;
inline constexpr std::size_t kAttributeSize = 4;

inline constexpr std::size_t kTypeNameSize = 80;
inline constexpr std::size_t kReservedSize = 40;
inline constexpr std::size_t kParameterDescriptionSize = 512;
inline constexpr std::size_t kValueTextSize = 2048;

inline constexpr std::int32_t kInput = 1;
inline constexpr std::int32_t kOutput = 0;

// The most memory one function file may take: a file whose announced records would need
// more is refused before anything is allocated for them, and an edit (which holds the
// whole file) refuses a longer file.
inline constexpr std::size_t kMaxFunctionFileBytes = 64 * 1024 * 1024;
inline constexpr std::int32_t kMaxParameterCount =
    static_cast<std::int32_t>((kMaxFunctionFileBytes - kHeaderSize) / kParameterSize);
static_assert(kMaxParameterCount == 14157);
}  // namespace fdb

static_assert(std::endian::native == std::endian::little, "records are stored little-endian");

struct FunctionHeader {
    std::int32_t kind;
    char name[fdb::kNameSize];
    char nameCopy[fdb::kNameCopySize];
    char description[fdb::kFunctionDescriptionSize];
    std::uint8_t attribute[fdb::kAttributeSize];
    std::int32_t parameterCount;
};

static_assert(sizeof(FunctionHeader) == fdb::kHeaderSize);
static_assert(offsetof(FunctionHeader, kind) == 0);
static_assert(offsetof(FunctionHeader, name) == 4);
static_assert(offsetof(FunctionHeader, nameCopy) == 260);
static_assert(offsetof(FunctionHeader, description) == 340);
static_assert(offsetof(FunctionHeader, attribute) == 1364);
static_assert(offsetof(FunctionHeader, parameterCount) == 1368);

struct ParameterRecord {
    char typeName[fdb::kTypeNameSize];
    std::int32_t direction;
    std::uint8_t reserved[fdb::kReservedSize];
    char description[fdb::kParameterDescriptionSize];
    std::int32_t defaultKind;
    char defaultText[fdb::kValueTextSize];
    std::int32_t storedKind;
    char storedText[fdb::kValueTextSize];
};

static_assert(sizeof(ParameterRecord) == fdb::kParameterSize);
static_assert(offsetof(ParameterRecord, typeName) == 0);
static_assert(offsetof(ParameterRecord, direction) == 80);
static_assert(offsetof(ParameterRecord, reserved) == 84);
static_assert(offsetof(ParameterRecord, description) == 124);
static_assert(offsetof(ParameterRecord, defaultKind) == 636);
static_assert(offsetof(ParameterRecord, defaultText) == 640);
static_assert(offsetof(ParameterRecord, storedKind) == 2688);
static_assert(offsetof(ParameterRecord, storedText) == 2692);

// Reads a NUL-terminated field without ever passing its end: an unterminated field
// yields all of its bytes.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
    std::size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return std::string_view(field, length);
}

template <std::size_t N>
bool FieldTerminated(const char (&field)[N]) {
    return FieldText(field).size() < N;
}

// Stores text (already in the file's encoding) into a field; refuses text that does not
// fit with its terminator. The bytes after the terminator are left as they were.
template <std::size_t N>
[[nodiscard]] bool SetFieldText(char (&field)[N], std::string_view text) {
    if (text.size() >= N)
        return false;
    text.copy(field, text.size());
    field[text.size()] = '\0';
    return true;
}

// A whole function file held in memory: the header bytes as read, and the parameter array.
class FunctionRecord {
public:
    FunctionRecord();

    // Reads the file (ReadFunctionFile in FunctionFile.h; callers that need to know why a
    // read failed use it directly). On failure the object is left as it was. When stamp is
    // given it receives the bytes read, which needs the whole file in memory, so a file
    // longer than fdb::kMaxFunctionFileBytes then fails too.
    [[nodiscard]] bool Load(const std::string& path, FileStamp* stamp = nullptr);

    // Writes the whole object through the atomic save path: the old file stays intact on
    // any failure. With expected set, the save is refused when the file on disk is no
    // longer the one that was loaded.
    [[nodiscard]] Status Save(const std::string& path, const FileStamp* expected = nullptr) const;

    // Reads only the header, with the same success rule as Load. For listings, which need
    // no parameter.
    [[nodiscard]] static bool LoadHeader(const std::string& path, FunctionHeader& header);

    // Frees the array and gives the object n zeroed records.
    void AllocateParameters(int n);

    // Replaces the array with the given records and sets the count to match.
    void ReplaceParameters(std::vector<ParameterRecord> records);

    FunctionHeader& header() { return m_header; }
    const FunctionHeader& header() const { return m_header; }
    int parameterCount() const { return m_header.parameterCount; }
    ParameterRecord& parameter(int i) { return m_parameters[static_cast<std::size_t>(i)]; }
    const ParameterRecord& parameter(int i) const {
        return m_parameters[static_cast<std::size_t>(i)];
    }
    const std::vector<ParameterRecord>& parameters() const { return m_parameters; }

    // The bytes Save would write.
    std::string Serialize() const;

private:
    FunctionHeader m_header;
    std::vector<ParameterRecord> m_parameters;
};

}  // namespace kelvane
