#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "CliRun.h"
#include "TestFiles.h"
#include "data/SampleLibrary.h"

using namespace kelvane;

// Random damage to the files of a small library, then every reading command: each run
// ends with 0 or 1 and prints a message whenever it fails.
TEST(RandomCli, damagedLibrary_readingCommandsNeverMisbehave) {
    const char* env = std::getenv("KELVANE_RANDOM_ITERATIONS");
    const int iterations = (env ? std::atoi(env) : 300) / 5;
    TempDir home;
    const std::string group = home / "FunctionLibrary/G";
    std::mt19937 rng(4740);
    for (int i = 0; i < iterations; ++i) {
        std::filesystem::remove_all(home / "FunctionLibrary");
        for (const char* name : {"A", "B"}) {
            sample::SampleFunction spec{name, static_cast<int>(rng() % 4), "설명\r\n", {}};
            for (int p = static_cast<int>(rng() % 3); p > 0; --p)
                spec.params.push_back({"double*", p % 2 == 0, "d", {}, {}});
            ASSERT_TRUE(sample::WriteFunction(group, spec));
            const std::string path = group + "/" + name + "()/" + name + "().fdb";
            std::string bytes = ReadBytes(path);
            if (rng() % 2)
                bytes.resize(rng() % (bytes.size() + 1));
            for (int flips = static_cast<int>(rng() % 8); flips > 0 && !bytes.empty(); --flips)
                bytes[rng() % bytes.size()] = static_cast<char>(rng());
            WriteBytes(path, bytes);
        }
        for (const std::vector<std::string>& words :
             {std::vector<std::string>{"list", group},
              std::vector<std::string>{"list", group, "--json"},
              std::vector<std::string>{"show", group + "/A()", "--icons"},
              std::vector<std::string>{"show", group + "/B()", "--json"},
              std::vector<std::string>{"--home", home.path(), "check"},
              std::vector<std::string>{"--home", home.path(), "tree", "G"}}) {
            const CliRun run = RunCliWords(words);
            ASSERT_TRUE(run.code == 0 || run.code == 1) << words[0] << " " << run.code;
            if (run.code == 1) {
                EXPECT_FALSE(run.err.empty()) << words[0];
            }
        }
    }
}
