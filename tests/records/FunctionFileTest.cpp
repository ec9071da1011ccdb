#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "TestFiles.h"
#include "records/FunctionEdits.h"
#include "records/FunctionFile.h"

using namespace kelvane;

namespace {

std::string WithCount(std::string bytes, std::int32_t count) {
    std::memcpy(bytes.data() + offsetof(FunctionHeader, parameterCount), &count, sizeof count);
    return bytes;
}

}  // namespace

// Every way of reading a file accepts and refuses the same files, for the same reason, and
// an edit says that reason without reading the file again.
TEST(FunctionFile, everyPartAndTheBytesAgreeOnTheFault) {
    TempDir dir;
    const std::string one(fdb::kHeaderSize + fdb::kParameterSize, 'x');
    const struct {
        const char* what;
        std::string bytes;
        FdbFault fault;
        std::size_t salvaged;  // the records shown of it
    } cases[] = {
        {"sound", WithCount(one, 1), FdbFault::None, 1},
        {"trailing bytes", WithCount(one + "tail", 1), FdbFault::None, 1},
        {"short", std::string(fdb::kHeaderSize - 1, '\0'), FdbFault::ShortHeader, 0},
        {"negative", WithCount(one, -3), FdbFault::NegativeCount, 0},
        {"past the end", WithCount(one, 2), FdbFault::CountPastEnd, 1},
    };
    for (const auto& c : cases) {
        const std::string path = dir / "f.fdb";
        WriteBytes(path, c.bytes);
        for (FdbPart part :
             {FdbPart::Header, FdbPart::Records, FdbPart::WholeFile, FdbPart::Salvage})
            EXPECT_EQ(ReadFunctionFile(path, part).fault, c.fault) << c.what;
        // Shown as far as it goes: the bytes, and the records they hold whole.
        const FdbRead salvaged = ReadFunctionFile(path, FdbPart::Salvage);
        EXPECT_EQ(salvaged.bytes, c.bytes) << c.what;
        EXPECT_EQ(salvaged.parameters.size(), c.salvaged) << c.what;
        const FdbRead parsed = ParseFunctionBytes(c.bytes);
        EXPECT_EQ(parsed.fault, c.fault) << c.what;
        FunctionEdit edit;
        const Status loaded = edit.Load(path);
        EXPECT_EQ(loaded.ok(), c.fault == FdbFault::None) << c.what;
        if (!loaded.ok()) {
            EXPECT_NE(loaded.message().find(parsed.Reason()), std::string::npos)
                << loaded.message();
        }
    }
}

// A file longer than an edit holds is still shown (its records are read, the rest is not),
// but not edited; the bytes a whole read keeps are those of the file.
TEST(FunctionFile, wholeReadsKeepTheBytesAndStopAtTheLimit) {
    TempDir dir;
    const std::string path = dir / "f.fdb";
    const std::string bytes = WithCount(std::string(fdb::kHeaderSize + 10, 'y'), 0);
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadFunctionFile(path, FdbPart::WholeFile).bytes, bytes);

    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(fdb::kMaxFunctionFileBytes + 1)), 0);
    EXPECT_TRUE(ReadFunctionFile(path, FdbPart::Records).ok());
    const FdbRead whole = ReadFunctionFile(path, FdbPart::WholeFile);
    EXPECT_EQ(whole.fault, FdbFault::TooLongToEdit);
    EXPECT_TRUE(whole.bytes.empty());
}
