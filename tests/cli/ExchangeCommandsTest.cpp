// export, import and dump: the library as data.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "CliRun.h"
#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "exchange/Json.h"
#include "records/FunctionRecord.h"

using namespace kelvane;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// Writes bytes of a pattern wherever the format leaves them undefined or reserved: after
// each text's terminator, in the reserved fields and the attribute.
void Pattern(const std::string& file, unsigned seed) {
    FunctionRecord record;
    ASSERT_TRUE(record.Load(file));
    unsigned next = seed;
    auto fill = [&](char* field, std::size_t size) {
        for (std::size_t i = strnlen(field, size) + 1; i < size; ++i)
            field[i] = static_cast<char>(next++ * 37 % 251);
    };
    FunctionHeader& h = record.header();
    fill(h.name, sizeof h.name);
    fill(h.nameCopy, sizeof h.nameCopy);
    fill(h.description, sizeof h.description);
    h.attribute[seed % fdb::kAttributeSize] = static_cast<std::uint8_t>(seed | 1);
    for (int i = 0; i < record.parameterCount(); ++i) {
        ParameterRecord& p = record.parameter(i);
        fill(p.typeName, sizeof p.typeName);
        fill(p.description, sizeof p.description);
        fill(p.defaultText, sizeof p.defaultText);
        fill(p.storedText, sizeof p.storedText);
        p.reserved[(seed + i) % fdb::kReservedSize] = '\x80';
    }
    WriteBytes(file, record.Serialize());
}

std::vector<std::string> FunctionFiles(const std::string& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.path().extension() == ".fdb")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

class Exchange : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sample::WriteSampleLibrary(home.path())); }
    CliRun Run(Lines words) {
        words.insert(words.begin(), {"--home", home.path()});
        return RunCliWords(words);
    }
    std::string Lib(const std::string& relative) const {
        return home / ("FunctionLibrary/" + relative);
    }
    TempDir home;
};

}  // namespace

TEST_F(Exchange, exportThenImport_givesEveryFunctionFileBackByteForByte) {
    const std::vector<std::string> files = FunctionFiles(Lib(""));
    ASSERT_EQ(files.size(), 15u);
    for (std::size_t i = 0; i < files.size(); ++i)
        Pattern(files[i], static_cast<unsigned>(i) + 1);

    // One function on standard output, exactly the form import reads.
    const CliRun one = Run({"export", fs::path(files[0]).parent_path().string()});
    ASSERT_EQ(one.code, 0) << one.err;
    WriteBytes(home / "one.json", one.out);
    ASSERT_EQ(Run({"import", home / "one.json", home / "Copy()", "--create"}).code, 0);
    EXPECT_EQ(ReadBytes(home / "Copy()/Copy().fdb"), ReadBytes(files[0]));

    // The whole library as a folder: every function beside an index naming its file.
    const CliRun all = Run({"export", "--output", home / "out"});
    ASSERT_EQ(all.code, 0) << all.err;
    const ParsedJson index = ParseJson(ReadBytes(home / "out/index.json"));
    ASSERT_TRUE(index.ok) << index.error;
    std::vector<std::pair<std::string, std::string>> pairs;  // original, exported
    std::vector<std::pair<const Json*, std::string>> stack{{&index.value, Lib("")}};
    while (!stack.empty()) {
        const auto [node, path] = stack.back();
        stack.pop_back();
        if (node->contains("file"))
            pairs.emplace_back(path + "/" + node->at("name").get<std::string>() + ".fdb",
                               home / ("out/" + node->at("file").get<std::string>()));
        for (const Json& child : node->at("children"))
            stack.emplace_back(&child, path + "/" + child.at("name").get<std::string>());
    }
    ASSERT_EQ(pairs.size(), files.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const std::string folder = home / ("back/F" + std::to_string(i) + "()");
        MakeDirs(home / "back");
        const CliRun imported = Run({"import", pairs[i].second, folder, "--create"});
        ASSERT_EQ(imported.code, 0) << imported.err;
        EXPECT_EQ(ReadBytes(folder + "/F" + std::to_string(i) + "().fdb"),
                  ReadBytes(pairs[i].first))
            << pairs[i].first;
    }
}

TEST_F(Exchange, import_refusesWhatTheRecordCannotHold_andWritesNothing) {
    const std::string blur = Lib("Basic/Filter/Blur()");
    const std::string file = blur + "/Blur().fdb";
    const std::string before = ReadBytes(file);
    const Json form = ParseJson(Run({"export", blur}).out).value;

    struct Case {
        std::string json;
        Lines extra;
        std::string message;
    };
    Json tooLong = form;
    tooLong["parameters"][2]["defaultText"] = std::string(2048, '7');
    Json wrongType = form;
    wrongType["parameters"][1]["direction"] = "in";
    Json missing = form;
    missing.erase("nameCopy");
    Json notCp949 = form;
    notCp949["description"] = "snow ☃";
    const Case cases[] = {
        {DumpJson(tooLong), {blur}, "/parameters/2/defaultText: is 2048 bytes in CP949"},
        {DumpJson(wrongType), {blur}, "/parameters/1/direction: must be a whole number"},
        {DumpJson(missing), {blur}, "/nameCopy: is missing"},
        {DumpJson(notCp949), {blur}, "/description: holds characters that cannot be stored"},
        {"{\"kind\": 0,\n}", {blur}, "it is not valid JSON: parse error at line 2, column 1"},
        {DumpJson(tooLong), {home / "New()", "--create"}, "/parameters/2/defaultText"},
        {DumpJson(form), {home / "New()"}, "does not exist (--create makes it)"},
        {DumpJson(form), {home / "NoBrackets", "--create"}, "is not a function folder"},
    };
    for (const Case& c : cases) {
        WriteBytes(home / "f.json", c.json);
        Lines words{"import", home / "f.json"};
        words.insert(words.end(), c.extra.begin(), c.extra.end());
        const CliRun run = Run(words);
        EXPECT_EQ(run.code, 1) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(SortedNames(blur), (Lines{"Blur().fdb", "_Src"}));
    EXPECT_FALSE(fs::exists(home / "New()"));
    EXPECT_FALSE(fs::exists(home / "NoBrackets"));

    // A sound change goes through the save path and replaces the file.
    Json changed = form;
    changed["description"] = "새 설명";
    WriteBytes(home / "f.json", DumpJson(changed));
    ASSERT_EQ(Run({"import", home / "f.json", blur}).code, 0);
    EXPECT_NE(Run({"show", blur}).out.find("      새 설명\n"), std::string::npos);
}

TEST(ExchangeEdges, jsonDocument_marksWhatCannotBeReadAndIsLaidOutAsAWhole) {
    TempDir home;
    ASSERT_TRUE(sample::WriteEdgeLibrary(home.path()));
    MakeDirs(home / "outside/Far()");
    symlink((home / "outside").c_str(), (home / "FunctionLibrary/Odd/Out").c_str());
    const CliRun run = RunCliWords({"--home", home.path(), "export"});
    EXPECT_EQ(run.code, 1);
    const ParsedJson parsed = ParseJson(run.out);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(DumpJson(parsed.value, 2) + "\n", run.out);  // streamed, yet as one document

    std::map<std::string, std::string> marks;  // name: why it is not a function's form
    std::vector<const Json*> stack{&parsed.value};
    while (!stack.empty()) {
        const Json& node = *stack.back();
        stack.pop_back();
        for (const char* key : {"unreadable", "repeated"})
            if (node.contains(key))
                marks[node["name"].get<std::string>()] = node[key].get<std::string>();
        for (const Json& child : node["children"])
            stack.push_back(&child);
    }
    EXPECT_EQ(marks.size(), 7u);
    EXPECT_EQ(marks["Short()"], "is 1000 bytes, shorter than the 1372-byte header");
    EXPECT_EQ(marks["Misnamed()"], "the function file is missing");
    EXPECT_EQ(marks["Back"], "reached again through a symbolic link; listed once");
    EXPECT_EQ(marks.count("Trailing()"), 0u);  // it loads: its extra bytes are not part of it
    EXPECT_EQ(run.err.find("kelvane-cli: Note: "), 0u);
    EXPECT_NE(run.err.find("Odd/Out leads through a symbolic link out of"), std::string::npos);
    EXPECT_NE(run.err.find("6 folders or function files could not be read"), std::string::npos)
        << run.err;
}

TEST_F(Exchange, dump_printsOneFieldPerLine_andADamagedFileAsFarAsItGoes) {
    sample::SampleFunction spec{"D", 1, "설명\r\nline", {{"int*", false, "n", "1", "2"}}};
    ASSERT_TRUE(sample::WriteFunction(home.path(), spec));
    const std::string file = home / "D()/D().fdb";
    FunctionRecord record;
    ASSERT_TRUE(record.Load(file));
    record.header().name[3] = 'x';
    WriteBytes(file, record.Serialize());
    const Lines expected{"kind: 1",
                         "name: D",
                         "nameTail: 0078",
                         "nameCopy: D",
                         "description: 설명\\r\\nline",
                         "parameters: 1",
                         "parameters/0/typeName: int*",
                         "parameters/0/direction: 0",
                         "parameters/0/description: n",
                         "parameters/0/defaultKind: 1",
                         "parameters/0/defaultText: 1",
                         "parameters/0/storedKind: 1",
                         "parameters/0/storedText: 2"};
    const CliRun dump = Run({"dump", file});
    EXPECT_EQ(dump.code, 0);
    EXPECT_EQ(dump.lines(), expected);

    WriteBytes(file, record.Serialize().substr(0, 2000));  // the header, half a parameter
    const Lines damaged = Run({"dump", file}).lines();
    ASSERT_EQ(damaged.size(), 2u + 6);
    EXPECT_EQ(damaged[0], "problem: announces 1 parameters but its 2000 bytes hold 0");
    EXPECT_EQ(damaged[1].rfind("file: 2000 bytes, hash ", 0), 0u);
    EXPECT_EQ(damaged.back(), "parameters: 0");
    WriteBytes(file, "short");
    EXPECT_EQ(Run({"dump", file}).lines()[0],
              "problem: is 5 bytes, shorter than the 1372-byte header");
    EXPECT_EQ(Run({"dump", home / "none.fdb"}).code, 1);
    EXPECT_EQ(Run({"dump", home.path()}).code, 1);
}
