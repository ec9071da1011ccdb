#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "infoview/GroupListModel.h"
#include "infoview/InfoTreeModel.h"
#include "records/FunctionFileCheck.h"

using namespace kelvane;

namespace {

int Iterations() {
    const char* env = std::getenv("KELVANE_RANDOM_ITERATIONS");
    return env ? std::atoi(env) : 300;
}

std::string Sound(std::mt19937& rng) {
    sample::SampleFunction spec{"Random", 0, "무작위 description", {}};
    const int count = static_cast<int>(rng() % 4);
    for (int i = 0; i < count; ++i)
        spec.params.push_back({"CMatrix*", i % 2 == 0, "p", {}, {}});
    return sample::MakeRecord(spec).Serialize();
}

// A sound file truncated, with bytes flipped, with a forged count, or plain noise.
std::string Damaged(std::mt19937& rng) {
    std::string bytes = Sound(rng);
    switch (rng() % 4) {
        case 0:
            bytes.resize(rng() % (bytes.size() + 1));
            break;
        case 1:
            for (int flips = 1 + static_cast<int>(rng() % 16); flips > 0; --flips)
                bytes[rng() % bytes.size()] = static_cast<char>(rng());
            break;
        case 2: {
            const std::int32_t count = static_cast<std::int32_t>(rng());
            std::memcpy(bytes.data() + offsetof(FunctionHeader, parameterCount), &count, 4);
            break;
        }
        default:
            bytes.assign(rng() % (fdb::kHeaderSize + 3 * fdb::kParameterSize), '\0');
            for (char& c : bytes)
                c = static_cast<char>(rng());
    }
    return bytes;
}

}  // namespace

// Whatever the bytes, loading either fails or gives a record that saves back to the
// file's records; nothing reads past a field or allocates from a forged count.
TEST(RandomFiles, damagedFunctionFiles_loadSafelyOrFail) {
    TempDir dir;
    MakeDirs(dir / "G/F()");
    const std::string path = dir / "G/F()/F().fdb";
    std::mt19937 rng(20001001);
    int loaded = 0;
    for (int i = 0; i < Iterations(); ++i) {
        const std::string bytes = Damaged(rng);
        WriteBytes(path, bytes);
        FunctionRecord record;
        const bool ok = record.Load(path);
        FunctionHeader header;
        EXPECT_EQ(ok, FunctionRecord::LoadHeader(path, header)) << i;
        EXPECT_EQ(ok, LoadInfoTree(dir / "G/F()", "F()").loaded) << i;
        const GroupListing listing = BuildGroupListing(dir / "G");
        EXPECT_EQ(ok, listing.complete) << i;
        const bool flawless = CheckFunctionFile(path).empty();
        if (flawless) {
            EXPECT_TRUE(ok) << i;
        }
        if (!ok)
            continue;
        ++loaded;
        ASSERT_GE(record.parameterCount(), 0);
        const std::string saved = record.Serialize();
        ASSERT_LE(saved.size(), bytes.size());
        EXPECT_EQ(saved, bytes.substr(0, saved.size())) << i;
    }
    EXPECT_GT(loaded, 0);
}
