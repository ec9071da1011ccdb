#include <gtest/gtest.h>

#include "CliRun.h"
#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "records/FunctionRecord.h"
#include "records/TextCodec.h"

using namespace kelvane;

namespace {

// Blur() under a temporary dir with one parameter of each given type.
class CliEdit : public ::testing::Test {
protected:
    TempDir dir;
    std::string folder;
    std::string file;

    void SetUp() override {
        sample::SampleFunction spec{"Blur", 0, "Blurs", {}};
        for (const char* type : {"CImageByte*", "int*", "CMatrix*", "char*"}) {
            sample::SampleParameter param;
            param.type = type;
            spec.params.push_back(param);
        }
        ASSERT_TRUE(sample::WriteFunction(dir.path(), spec).ok());
        folder = dir / "Blur()";
        file = folder + "/Blur().fdb";
    }
    CliRun Run(std::vector<std::string> words) {
        words.insert(words.begin() + 1, folder);
        return RunCliWords(words);
    }
    FunctionRecord Reload() {
        FunctionRecord record;
        EXPECT_TRUE(record.Load(file));
        return record;
    }
    std::string Stored(int i) { return std::string(FieldText(Reload().parameter(i).storedText)); }
};

}  // namespace

TEST_F(CliEdit, addAndDeleteParameters) {
    const auto size = ReadBytes(file).size();
    CliRun added = Run({"add-param"});
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_EQ(added.out, "Added parameter 4: __Empty_Type_05.\n");
    EXPECT_EQ(ReadBytes(file).size(), size + fdb::kParameterSize);

    CliRun deleted = Run({"delete-param", "0"});
    ASSERT_EQ(deleted.code, 0) << deleted.err;
    EXPECT_EQ(std::string(FieldText(Reload().parameter(0).typeName)), "int*");
    EXPECT_EQ(Run({"delete-param", "4"}).code, 1);
    EXPECT_EQ(Run({"delete-param", "-1"}).code, 2);
    EXPECT_EQ(Run({"delete-param", "x"}).code, 2);
    EXPECT_EQ(ReadBytes(file).size(), size);
}

TEST_F(CliEdit, valuesByTypeClass) {
    ASSERT_EQ(Run({"edit", "Default Value", "1", "42"}).code, 0);
    FunctionRecord record = Reload();
    EXPECT_EQ(std::string(FieldText(record.parameter(1).defaultText)), "42");
    EXPECT_EQ(record.parameter(1).storedKind, 1);

    CliRun matrix = Run({"edit", "Stored Value", "2", "2x1", "1", "-2.5"});
    ASSERT_EQ(matrix.code, 0) << matrix.err;
    EXPECT_EQ(Stored(2), "(2x1) 1.000000 -2.500000");
    EXPECT_EQ(Reload().parameter(2).storedKind, 4);

    ASSERT_EQ(Run({"edit", "Stored Value", "0"}).code, 0);
    EXPECT_EQ(Reload().parameter(0).storedKind, 0);
    ASSERT_EQ(Run({"edit", "Stored Value", "3", ""}).code, 0);
    EXPECT_EQ(Stored(3), "");
}

TEST_F(CliEdit, badValuesWriteNothing) {
    const std::string before = ReadBytes(file);
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"edit", "Stored Value", "2", "2x2", "1", "2", "3"},
             {"edit", "Stored Value", "2", "11x1"},
             {"edit", "Stored Value", "2", "1x1", "abc"},
             {"edit", "Stored Value", "0", "5"},
             {"edit", "Default Value", "1"},
             {"edit", "Input/Output", "1", "sideways"},
             {"edit", "Parameter Type", "1", "<--Value Parameter-->"},
             {"edit", "Parameter Type", "1", "float*"},
             {"edit", "Default Value", "9", "1"},
             {"edit", "Default Value"},
             {"edit", "No Such Label", "1"},
             {"edit", "Description(Max:512 bytes)", "1", std::string(512, 'a')},
             {"edit", "Description(Max:1024 bytes)", "smile \xF0\x9F\x98\x80"},
             {"edit", "Stored Value", "1", std::string(2048, '7')},
         }) {
        const CliRun run = Run(words);
        EXPECT_NE(run.code, 0) << words[1];
        EXPECT_FALSE(run.err.empty()) << words[1];
    }
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(CliEdit, typeAndAttributeAreRefusedWithExitOne) {
    const std::string before = ReadBytes(file);
    for (const char* label : {"Type", "Attribute"}) {
        const CliRun run = Run({"edit", label, "1"});
        EXPECT_EQ(run.code, 1) << label;
        EXPECT_NE(run.err.find("cannot be changed"), std::string::npos);
    }
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(CliEdit, directionTypeAndDescriptions) {
    ASSERT_EQ(Run({"edit", "Input/Output", "1", "out"}).code, 0);
    EXPECT_EQ(Reload().parameter(1).direction, 0);
    ASSERT_EQ(Run({"edit", "Parameter Type", "0", "CMatrix*"}).code, 0);
    EXPECT_EQ(std::string(FieldText(Reload().parameter(0).typeName)), "CMatrix*");
    EXPECT_EQ(Reload().parameter(0).defaultKind, 0);

    ASSERT_EQ(Run({"edit", "Description(Max:512 bytes)", "3", "이름\n둘째 줄"}).code, 0);
    EXPECT_EQ(Cp949ToUtf8(FieldText(Reload().parameter(3).description)), "이름\r\n둘째 줄");
    ASSERT_EQ(Run({"edit", "Description(Max:1024 bytes)", std::string(1023, 'd')}).code, 0);
    EXPECT_EQ(FieldText(Reload().header().description).size(), 1023u);
}

TEST_F(CliEdit, missingFunctionFileFails) {
    const CliRun run = RunCliWords({"add-param", dir / "None()"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("None().fdb"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "None()"));
}
