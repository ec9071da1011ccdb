#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "records/FunctionFileCheck.h"

using namespace kelvane;

namespace {

std::string Joined(const std::vector<std::string>& problems) {
    std::string all;
    for (const std::string& p : problems)
        all += p + "\n";
    return all;
}

}  // namespace

TEST(FunctionFileCheck, soundFile_hasNoProblem) {
    TempDir dir;
    const std::string bytes =
        sample::MakeRecord({"F", 0, "d", {{"int*", true, "p", {}, {}}}}).Serialize();
    WriteBytes(dir / "f.fdb", bytes);
    EXPECT_TRUE(CheckFunctionFile(dir / "f.fdb").empty());
}

TEST(FunctionFileCheck, eachKindOfDamage_isNamed) {
    TempDir dir;
    const std::string two =
        sample::MakeRecord(
            {"F", 0, "d", {{"int*", true, "p", {}, {}}, {"int*", true, "p", {}, {}}}})
            .Serialize();
    auto check = [&](const std::string& bytes) {
        WriteBytes(dir / "f.fdb", bytes);
        return Joined(CheckFunctionFile(dir / "f.fdb"));
    };
    EXPECT_NE(Joined(CheckFunctionFile(dir / "none.fdb")).find("missing"), std::string::npos);
    EXPECT_NE(check(two.substr(0, 1000)).find("shorter than the 1372-byte header"),
              std::string::npos);
    EXPECT_NE(check(two.substr(0, two.size() - 1)).find("announces 2 parameters"),
              std::string::npos);
    EXPECT_NE(check(two + "xyz").find("3 bytes after"), std::string::npos);

    std::string negative = two;
    const std::int32_t minusOne = -1;
    std::memcpy(negative.data() + offsetof(FunctionHeader, parameterCount), &minusOne, 4);
    EXPECT_NE(check(negative).find("negative"), std::string::npos);

    std::string unterminated = two;
    std::memset(unterminated.data() + fdb::kHeaderSize + fdb::kParameterSize +
                    offsetof(ParameterRecord, storedText),
                'v', fdb::kValueTextSize);
    EXPECT_EQ(check(unterminated),
              "parameter 1: the stored value text fills its 2048 bytes without a terminator\n");
}
