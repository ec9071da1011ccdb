#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestFiles.h"
#include "data/SampleLibrary.h"
#include "records/FunctionEdits.h"
#include "records/TextCodec.h"

using namespace kelvane;

namespace {

// A function Blur() with the given parameter types, written under a temp dir.
struct FunctionEditsFile : ::testing::Test {
    TempDir dir;
    std::string path;

    void Write(const std::vector<std::string>& types) {
        sample::FunctionSpec spec{"Blur", 0, "Blurs", {}};
        for (const std::string& type : types) {
            sample::ParamSpec param;
            param.type = type;
            spec.params.push_back(param);
        }
        ASSERT_TRUE(sample::WriteFunction(dir.path(), spec).ok());
        path = dir / "Blur()/Blur().fdb";
    }
    FunctionRecord Reload() const {
        FunctionRecord record;
        EXPECT_TRUE(record.Load(path));
        return record;
    }
};

std::string Type(const FunctionRecord& record, int i) {
    return std::string(FieldText(record.parameter(i).typeName));
}

}  // namespace

TEST(FunctionEdits, labelsNameTheirFields) {
    EXPECT_EQ(FieldOfLabel("Default Value"), EditField::DefaultValue);
    EXPECT_EQ(FieldOfLabel("Description(Max:1024 bytes)"), EditField::FunctionDescription);
    EXPECT_FALSE(FieldOfLabel("Number of Parameters").has_value());
    EXPECT_FALSE(FieldOfLabel("default value").has_value());
    EXPECT_TRUE(IsParameterField(EditField::ParameterDescription));
    EXPECT_FALSE(IsParameterField(EditField::FunctionDescription));
    EXPECT_FALSE(IsEditableField(EditField::Attribute));
}

TEST_F(FunctionEditsFile, addParameterGrowsByOneRecordWithAPlaceholderInput) {
    Write({"CImageByte*", "int*"});
    const auto before = ReadBytes(path).size();
    FunctionEdit edit;
    ASSERT_TRUE(edit.Load(path).ok());
    AddParameter(edit.record());
    ASSERT_TRUE(edit.Save().ok());
    EXPECT_EQ(ReadBytes(path).size(), before + fdb::kParameterSize);
    const FunctionRecord record = Reload();
    ASSERT_EQ(record.parameterCount(), 3);
    EXPECT_EQ(Type(record, 2), "__Empty_Type_03");
    EXPECT_EQ(record.parameter(2).direction, fdb::kInput);
    EXPECT_EQ(FieldText(record.parameter(2).description), "");
    EXPECT_EQ(record.parameter(2).defaultKind, 0);
    EXPECT_EQ(record.parameter(2).storedKind, 0);
    EXPECT_EQ(Type(record, 1), "int*");

    FunctionRecord empty;
    AddParameter(empty);
    EXPECT_EQ(Type(empty, 0), "__Empty_Type_01");
}

TEST_F(FunctionEditsFile, deleteParameterShiftsTheRestAndChecksTheIndex) {
    Write({"CImageByte*", "int*", "char*"});
    FunctionRecord record = Reload();
    EXPECT_FALSE(DeleteParameter(record, 3).ok());
    EXPECT_FALSE(DeleteParameter(record, -1).ok());
    ASSERT_TRUE(DeleteParameter(record, 0).ok());
    ASSERT_EQ(record.parameterCount(), 2);
    EXPECT_EQ(Type(record, 0), "int*");
    EXPECT_EQ(Type(record, 1), "char*");
    ASSERT_TRUE(DeleteParameter(record, 1).ok());
    ASSERT_TRUE(DeleteParameter(record, 0).ok());
    ASSERT_TRUE(record.Save(path).ok());
    EXPECT_EQ(ReadBytes(path).size(), fdb::kHeaderSize);
    EXPECT_EQ(Reload().parameterCount(), 0);
}

TEST_F(FunctionEditsFile, textValueSetsBothKindsAndOnlyTheEditedText) {
    Write({"int*", "CMatrix*"});
    FunctionRecord record = Reload();
    const std::string storedBefore(FieldText(record.parameter(0).storedText));
    ASSERT_TRUE(SetTextValue(record, 0, false, "42").ok());
    EXPECT_EQ(FieldText(record.parameter(0).defaultText), "42");
    EXPECT_EQ(FieldText(record.parameter(0).storedText), storedBefore);
    EXPECT_EQ(record.parameter(0).defaultKind, 1);
    EXPECT_EQ(record.parameter(0).storedKind, 1);
    EXPECT_FALSE(SetTextValue(record, 1, false, "42").ok());  // a matrix
}

TEST_F(FunctionEditsFile, matrixValueSetsOnlyTheEditedKind) {
    Write({"CMatrix*"});
    FunctionRecord record = Reload();
    record.parameter(0).defaultKind = 4;
    ASSERT_TRUE(SetMatrixValue(record, 0, true, 2, 1, {1, 2}).ok());
    EXPECT_EQ(FieldText(record.parameter(0).storedText), "(2x1) 1.000000 2.000000");
    EXPECT_EQ(record.parameter(0).storedKind, 4);
    EXPECT_EQ(FieldText(record.parameter(0).defaultText), "(1x1) 1.000000");
    EXPECT_FALSE(SetMatrixValue(record, 0, true, 11, 1, std::vector<float>(11, 1)).ok());
    EXPECT_FALSE(SetMatrixValue(record, 0, true, 2, 2, {1, 2, 3}).ok());
    EXPECT_FALSE(SetMatrixValue(record, 0, true, 10, 10, std::vector<float>(100, 1e30f)).ok());
    EXPECT_EQ(FieldText(record.parameter(0).storedText), "(2x1) 1.000000 2.000000");
}

TEST_F(FunctionEditsFile, imageValueKeepsTextsAndClearsBothKinds) {
    Write({"CImageByte*", "int*"});
    FunctionRecord record = Reload();
    record.parameter(0).defaultKind = 3;
    record.parameter(0).storedKind = 2;
    const std::string text(FieldText(record.parameter(0).defaultText));
    ASSERT_TRUE(ClearImageValue(record, 0).ok());
    EXPECT_EQ(record.parameter(0).defaultKind, 0);
    EXPECT_EQ(record.parameter(0).storedKind, 0);
    EXPECT_EQ(FieldText(record.parameter(0).defaultText), text);
    EXPECT_FALSE(ClearImageValue(record, 1).ok());
}

TEST_F(FunctionEditsFile, typeChangeKeepsKindsAndRefusesUnknownNames) {
    Write({"CImageByte*"});
    FunctionRecord record = Reload();
    AddParameter(record);
    ASSERT_TRUE(SetTypeName(record, 1, "int*").ok());
    EXPECT_EQ(Type(record, 1), "int*");
    EXPECT_EQ(record.parameter(1).defaultKind, 0);
    EXPECT_EQ(record.parameter(1).storedKind, 0);
    for (const char* bad : {"<--Value Parameter-->", "", "float*", "int"})
        EXPECT_FALSE(SetTypeName(record, 1, bad).ok()) << bad;
    EXPECT_EQ(Type(record, 1), "int*");
    EXPECT_FALSE(SetDirection(record, 0, 2).ok());
    ASSERT_TRUE(SetDirection(record, 0, 0).ok());
    EXPECT_EQ(record.parameter(0).direction, 0);
}

TEST_F(FunctionEditsFile, textsAreStoredAsCp949AndNeverCut) {
    Write({"char*"});
    FunctionRecord record = Reload();
    ASSERT_TRUE(SetParameterDescription(record, 0, "흐림 정도").ok());
    EXPECT_EQ(Cp949ToUtf8(FieldText(record.parameter(0).description)), "흐림 정도");
    EXPECT_EQ(FieldText(record.parameter(0).description).size(), 9u);  // 4 x 2 + blank

    const std::string fits(511, 'a');
    EXPECT_TRUE(SetParameterDescription(record, 0, fits).ok());
    const Status tooLong = SetParameterDescription(record, 0, fits + "b");
    EXPECT_FALSE(tooLong.ok());
    EXPECT_NE(tooLong.message().find("511"), std::string::npos);
    EXPECT_EQ(FieldText(record.parameter(0).description), fits);
    // 256 Korean characters are 512 bytes in CP949: one too many for a parameter.
    std::string korean;
    for (int i = 0; i < 256; ++i)
        korean += "가";
    EXPECT_FALSE(SetParameterDescription(record, 0, korean).ok());
    EXPECT_TRUE(SetFunctionDescription(record, korean).ok());

    const Status emoji = SetTextValue(record, 0, true, "smile \xF0\x9F\x98\x80");
    EXPECT_FALSE(emoji.ok());
    EXPECT_NE(emoji.message().find("CP949"), std::string::npos);
    EXPECT_EQ(record.parameter(0).storedKind, 3);  // unchanged by the refusal
    EXPECT_TRUE(SetTextValue(record, 0, true, std::string(2047, 'x')).ok());
    EXPECT_FALSE(SetTextValue(record, 0, true, std::string(2048, 'x')).ok());
}

TEST_F(FunctionEditsFile, saveRefusesAFileChangedOnDiskSinceItWasRead) {
    Write({"int*"});
    FunctionEdit edit;
    ASSERT_TRUE(edit.Load(path).ok());
    FunctionRecord other = Reload();
    AddParameter(other);
    ASSERT_TRUE(other.Save(path).ok());
    const std::string theirs = ReadBytes(path);

    ASSERT_TRUE(SetTextValue(edit.record(), 0, false, "7").ok());
    const Status saved = edit.Save();
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.message().find("changed on disk"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), theirs);
}

TEST_F(FunctionEditsFile, loadFailuresAndReadOnlyFilesAreReported) {
    FunctionEdit edit;
    const Status missing = edit.Load(dir / "None()/None().fdb");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("None().fdb"), std::string::npos);

    Write({"int*"});
    WriteBytes(dir / "short.fdb", ReadBytes(path).substr(0, 100));
    EXPECT_FALSE(edit.Load(dir / "short.fdb").ok());

    ASSERT_TRUE(edit.Load(path).ok());
    chmod(path.c_str(), 0444);
    const std::string before = ReadBytes(path);
    AddParameter(edit.record());
    const Status saved = edit.Save();
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.message().find("read-only"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), before);
}
