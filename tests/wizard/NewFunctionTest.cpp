#include <gtest/gtest.h>

#include "records/ParamTypes.h"
#include "wizard/NewFunction.h"

using namespace kelvane;

namespace {

NewFunction Blur(std::string location) {
    return {kKindDll, "Blur", std::move(location), {"CImageByte*", "int*"}, {"CImageByte*"}};
}

}  // namespace

TEST(NewFunction, summary_listsKindNameFolderAndParametersWithCrLf) {
    const std::string expected =
        "====================\r\n함수의 형식\r\n====================\r\n\r\nDLL 함수\r\n\r\n"
        "====================\r\n함수의 이름\r\n====================\r\n\r\nBlur\r\n\r\n"
        "====================\r\n함수의 위치\r\n====================\r\n\r\n"
        "/lib/Basic/Blur()\r\n\r\n"
        "====================\r\n파라미터 정보\r\n====================\r\n"
        "Input:\r\nCImageByte*\r\nint*\r\n\r\nOutput:\r\nCImageByte*\r\n";
    EXPECT_EQ(BuildSummary(Blur("/lib/Basic/")), expected);
    // Without a final separator the line still shows the folder that will be created.
    EXPECT_EQ(BuildSummary(Blur("/lib/Basic")), expected);

    NewFunction noOutputs = Blur("/lib");
    noOutputs.outputs.clear();
    const std::string summary = BuildSummary(noOutputs);
    EXPECT_TRUE(summary.ends_with("int*\r\n\r\nOutput:\r\n")) << summary;
}

TEST(NewFunction, pathsAndSignature_followNameAndLocation) {
    const NewFunction blur = Blur("/lib");
    EXPECT_EQ(FunctionFolderPath(blur), "/lib/Blur()");
    EXPECT_EQ(FunctionFilePathOf(blur), "/lib/Blur()/Blur().fdb");
    EXPECT_EQ(ProjectFilePathOf(blur), "/lib/Blur()/_Src/Blur.dsp");
    EXPECT_EQ(BuildSignature(blur),
              "BOOL Blur( CImageByte* pIn_0, int* pIn_1, CImageByte* pOut_0 )");
    EXPECT_EQ(BuildSignature({kKindDll, "Blur", "/", {"CImageFloat*"}, {}}),
              "BOOL Blur( CImageFloat* pIn_0 )");
    EXPECT_EQ(BuildSignature({kKindDll, "Blur", "/", {"int*", "int*"}, {"double*", "CMatrix*"}}),
              "BOOL Blur( int* pIn_0, int* pIn_1, double* pOut_0, CMatrix* pOut_1 )");
}

TEST(NewFunction, record_holdsInputsThenOutputsWithValuesByType) {
    NewFunction function{kKindDll, "흐림", "/lib", {}, {"CMatrix*"}};
    for (const TypeInfo& type : kParameterTypes)
        function.inputs.emplace_back(type.name);
    const auto record = BuildFunctionRecord(function);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Serialize().size(), fdb::kHeaderSize + 10 * fdb::kParameterSize);
    EXPECT_EQ(FieldText(record->header().name), "\xc8\xe5\xb8\xb2");  // CP949
    EXPECT_EQ(FieldText(record->header().nameCopy), "\xc8\xe5\xb8\xb2");
    EXPECT_EQ(FieldText(record->header().description), "New Function");
    EXPECT_EQ(record->header().kind, 0);

    struct Expected {
        std::int32_t kind;
        const char* text;
    };
    const Expected values[] = {
        {0, "Image do not have default parameters"},
        {0, "Image do not have default parameters"},
        {0, "Image do not have default parameters"},
        {0, "Image do not have default parameters"},
        {1, "0"},
        {2, "0.0"},
        {3, ""},
        {4, "(1x1) 1.000000"},
        {5, "Sequence do not have default parameters"},
    };
    for (int i = 0; i < 9; ++i) {
        const ParameterRecord& p = record->parameter(i);
        SCOPED_TRACE(kParameterTypes[i].name);
        EXPECT_EQ(FieldText(p.typeName), kParameterTypes[i].name);
        EXPECT_EQ(p.direction, 1);
        EXPECT_EQ(FieldText(p.description), "Empty");
        EXPECT_EQ(p.defaultKind, values[i].kind);
        EXPECT_EQ(p.storedKind, values[i].kind);
        EXPECT_EQ(FieldText(p.defaultText), values[i].text);
        EXPECT_EQ(FieldText(p.storedText), values[i].text);
    }
    const ParameterRecord& out = record->parameter(9);
    EXPECT_EQ(FieldText(out.typeName), "CMatrix*");
    EXPECT_EQ(out.direction, 0);
    EXPECT_EQ(out.defaultKind, 0);
    EXPECT_EQ(FieldText(out.defaultText), "");
    EXPECT_EQ(FieldText(out.storedText), "");
}

TEST(NewFunction, nameRefusals_guardFolderAndRecordFields) {
    EXPECT_FALSE(NameRefusal("Blur"));
    EXPECT_FALSE(NameRefusal("   "));      // blanks stay allowed
    EXPECT_FALSE(NameRefusal("a\\b(c)"));  // a backslash is an ordinary character here
    EXPECT_FALSE(NameRefusal(std::string(79, 'a')));
    EXPECT_FALSE(NameRefusal("가" + std::string(77, 'a')));  // 79 bytes in CP949

    EXPECT_TRUE(NameRefusal(std::string(80, 'a')));
    EXPECT_TRUE(NameRefusal("가" + std::string(78, 'a')));  // 80 bytes in CP949
    EXPECT_TRUE(NameRefusal("a/b"));
    EXPECT_TRUE(NameRefusal(std::string("a\0b", 3)));
    EXPECT_TRUE(NameRefusal("."));
    EXPECT_TRUE(NameRefusal(".."));
    EXPECT_TRUE(NameRefusal("emoji \xF0\x9F\x98\x80"));
    EXPECT_FALSE(NameRefusal("..."));
}
