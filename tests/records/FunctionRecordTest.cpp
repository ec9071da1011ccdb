#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "TestFiles.h"
#include "records/FunctionRecord.h"

using namespace kelvane;

namespace {

// A file of count parameter records, every byte but the count pseudo-random.
std::string RandomFunctionFile(int count, unsigned seed, std::size_t trailing = 0) {
    std::mt19937 rng(seed);
    std::string bytes(fdb::kHeaderSize + count * fdb::kParameterSize + trailing, '\0');
    for (char& c : bytes)
        c = static_cast<char>(rng());
    const std::int32_t n = count;
    std::memcpy(bytes.data() + offsetof(FunctionHeader, parameterCount), &n, sizeof n);
    return bytes;
}

}  // namespace

TEST(FunctionRecord, loadThenSave_isByteIdenticalIncludingUndefinedBytes) {
    TempDir dir;
    for (int count : {0, 1, 3}) {
        const std::string bytes = RandomFunctionFile(count, 7u + count);
        WriteBytes(dir / "f.fdb", bytes);
        FunctionRecord record;
        ASSERT_TRUE(record.Load(dir / "f.fdb"));
        EXPECT_EQ(record.parameterCount(), count);
        ASSERT_TRUE(record.Save(dir / "g.fdb").ok());
        EXPECT_EQ(ReadBytes(dir / "g.fdb"), bytes);
    }
}

TEST(FunctionRecord, shortOrInconsistentFiles_failToLoadAndLeaveObjectAlone) {
    TempDir dir;
    FunctionRecord record;
    record.AllocateParameters(2);

    WriteBytes(dir / "short.fdb", std::string(1000, '\0'));
    EXPECT_FALSE(record.Load(dir / "short.fdb"));

    std::string threeAnnouncedTwoPresent = RandomFunctionFile(3, 1);
    threeAnnouncedTwoPresent.resize(fdb::kHeaderSize + 2 * fdb::kParameterSize);
    WriteBytes(dir / "truncated.fdb", threeAnnouncedTwoPresent);
    EXPECT_FALSE(record.Load(dir / "truncated.fdb"));

    for (std::int32_t bad : {-1, INT32_MIN, INT32_MAX}) {
        std::string bytes = RandomFunctionFile(0, 2);
        std::memcpy(bytes.data() + offsetof(FunctionHeader, parameterCount), &bad, sizeof bad);
        WriteBytes(dir / "bad.fdb", bytes);
        EXPECT_FALSE(record.Load(dir / "bad.fdb")) << bad;
    }
    EXPECT_FALSE(record.Load(dir / "missing.fdb"));
    EXPECT_EQ(record.parameterCount(), 2);
}

TEST(FunctionRecord, trailingBytesLoad_andAreDroppedBySave) {
    TempDir dir;
    const std::string bytes = RandomFunctionFile(2, 3, 100);
    WriteBytes(dir / "f.fdb", bytes);
    FunctionRecord record;
    ASSERT_TRUE(record.Load(dir / "f.fdb"));
    ASSERT_TRUE(record.Save(dir / "f.fdb").ok());
    EXPECT_EQ(ReadBytes(dir / "f.fdb"), bytes.substr(0, bytes.size() - 100));
}

TEST(FunctionRecord, emptyFunction_isExactlyTheHeader) {
    TempDir dir;
    FunctionRecord record;
    ASSERT_TRUE(record.Save(dir / "e.fdb").ok());
    EXPECT_EQ(ReadBytes(dir / "e.fdb").size(), fdb::kHeaderSize);
    ASSERT_TRUE(record.Load(dir / "e.fdb"));
    EXPECT_EQ(record.parameterCount(), 0);
}

TEST(FunctionRecord, saveIntoMissingDirectory_failsAndCreatesNothing) {
    TempDir dir;
    FunctionRecord record;
    const Status status = record.Save(dir / "nowhere/f.fdb");
    EXPECT_FALSE(status.ok());
    // No file was there, so none is said to be unchanged.
    EXPECT_NE(status.message().find("the folder does not exist; nothing was written"),
              std::string::npos)
        << status.message();
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
}

TEST(FunctionRecord, textFields_neverPassTheirEnd) {
    ParameterRecord p{};
    const std::string name79(79, 'T');
    p.direction = 1;
    ASSERT_TRUE(SetFieldText(p.typeName, name79));
    EXPECT_EQ(p.direction, 1);
    EXPECT_EQ(FieldText(p.typeName), name79);
    EXPECT_FALSE(SetFieldText(p.typeName, std::string(80, 'T')));

    std::memset(p.typeName, 'X', sizeof p.typeName);  // no terminator at all
    EXPECT_EQ(FieldText(p.typeName).size(), fdb::kTypeNameSize);
    EXPECT_FALSE(FieldTerminated(p.typeName));
}

TEST(FunctionRecord, loadHeader_followsTheSameRuleAsLoad) {
    TempDir dir;
    FunctionHeader header{};
    WriteBytes(dir / "ok.fdb", RandomFunctionFile(2, 5));
    ASSERT_TRUE(FunctionRecord::LoadHeader(dir / "ok.fdb", header));
    EXPECT_EQ(header.parameterCount, 2);

    std::string truncated = RandomFunctionFile(2, 5);
    truncated.pop_back();
    WriteBytes(dir / "truncated.fdb", truncated);
    EXPECT_FALSE(FunctionRecord::LoadHeader(dir / "truncated.fdb", header));
    WriteBytes(dir / "short.fdb", std::string(fdb::kHeaderSize - 1, '\0'));
    EXPECT_FALSE(FunctionRecord::LoadHeader(dir / "short.fdb", header));
    EXPECT_FALSE(FunctionRecord::LoadHeader(dir.path(), header));
}

TEST(FunctionRecord, notARegularFile_failsWithoutBlocking) {
    TempDir dir;
    FunctionRecord record;
    EXPECT_FALSE(record.Load(dir.path()));
    ASSERT_EQ(mkfifo((dir / "pipe.fdb").c_str(), 0600), 0);
    EXPECT_FALSE(record.Load(dir / "pipe.fdb"));  // would hang if it opened the pipe
    FunctionHeader header{};
    EXPECT_FALSE(FunctionRecord::LoadHeader(dir / "pipe.fdb", header));
}

TEST(FunctionRecord, allocateParameters_replacesTheArrayAndCount) {
    FunctionRecord record;
    record.AllocateParameters(3);
    EXPECT_EQ(record.parameterCount(), 3);
    EXPECT_EQ(record.parameters().size(), 3u);
    EXPECT_EQ(record.Serialize().size(), fdb::kHeaderSize + 3 * fdb::kParameterSize);
    record.AllocateParameters(0);
    EXPECT_EQ(record.parameterCount(), 0);
    EXPECT_EQ(record.Serialize().size(), fdb::kHeaderSize);
}
