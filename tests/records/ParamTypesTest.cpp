#include <gtest/gtest.h>

#include "records/ParamTypes.h"

using namespace kelvane;

TEST(ParamTypes, typeListsKeepTheirTwoOrders) {
    std::vector<std::string_view> wizard;
    for (const TypeInfo& type : kParameterTypes)
        wizard.push_back(type.name);
    EXPECT_EQ(wizard, (std::vector<std::string_view>{
                          "CImageByte*", "CImageFloat*", "CImageComplex*", "CImageRGB*", "int*",
                          "double*", "char*", "CMatrix*", "CSequence*"}));
    EXPECT_EQ(kParameterTypes[6].description, "문자열을 나타낸다.");
    EXPECT_EQ(kTypeSelectionRows.front(), "<--Image Parameter-->");
    const auto sequence = std::find(kTypeSelectionRows.begin(), kTypeSelectionRows.end(),
                                    std::string_view("<--Sequence Parameter-->"));
    const auto value = std::find(kTypeSelectionRows.begin(), kTypeSelectionRows.end(),
                                 std::string_view("<--Value Parameter-->"));
    ASSERT_LT(sequence, value);
    EXPECT_EQ(*(sequence + 1), "CSequence*");
    EXPECT_EQ(std::vector<std::string_view>(value + 1, kTypeSelectionRows.end()),
              (std::vector<std::string_view>{"int*", "double*", "char*", "CMatrix*"}));
}

TEST(ParamTypes, imageTest_comparesFiveCharactersOnly) {
    EXPECT_TRUE(IsImageType("CImageByte*"));
    EXPECT_TRUE(IsImageType("CImag"));
    EXPECT_TRUE(IsImageType("CImagination"));
    EXPECT_FALSE(IsImageType("CIma"));
    EXPECT_FALSE(IsImageType("Cimage"));
    EXPECT_FALSE(IsImageType("XImageByte*"));
    EXPECT_FALSE(IsImageType(""));
}

TEST(ParamTypes, valueTypes_areExactAndCaseSensitive) {
    EXPECT_EQ(KindOfValueType("int*"), kKindInteger);
    EXPECT_EQ(KindOfValueType("double*"), kKindReal);
    EXPECT_EQ(KindOfValueType("char*"), kKindText);
    for (const char* other : {"Int*", "int", "int* ", "CMatrix*", "__Empty_Type_01"}) {
        EXPECT_FALSE(IsValueType(other)) << other;
        EXPECT_EQ(EditClassOf(other), IsImageType(other) ? EditClass::NoValue : EditClass::Matrix)
            << other;
    }
    EXPECT_EQ(EditClassOf("char*"), EditClass::TextLine);
    EXPECT_EQ(EditClassOf("CImageRGB*"), EditClass::NoValue);
    EXPECT_EQ(EditClassOf("CSequence*"), EditClass::Matrix);
}

TEST(ParamTypes, initialValues_byType) {
    struct Case {
        const char* type;
        std::int32_t kind;
        const char* text;
    };
    for (const Case& c :
         {Case{"CImageComplex*", 0, "Image do not have default parameters"},
          Case{"CImagX", 0, "Image do not have default parameters"}, Case{"int*", 1, "0"},
          Case{"double*", 2, "0.0"}, Case{"char*", 3, ""}, Case{"CMatrix*", 4, "(1x1) 1.000000"},
          Case{"CSequence*", 5, "Sequence do not have default parameters"}}) {
        const auto initial = InitialValueOf(c.type);
        ASSERT_TRUE(initial) << c.type;
        EXPECT_EQ(initial->kind, c.kind) << c.type;
        EXPECT_EQ(initial->text, c.text) << c.type;
    }
    EXPECT_FALSE(InitialValueOf("Int*"));
}

TEST(ParamTypes, valueDisplay_dependsOnKindOnly) {
    EXPECT_EQ(ValueDisplayText(0, "whatever", true), "Image do not have a default parameter");
    EXPECT_EQ(ValueDisplayText(0, "whatever", false), "Image do not have a stored parameter");
    for (std::int32_t kind : {1, 2, 3, 4})
        EXPECT_EQ(ValueDisplayText(kind, "7.5", true), "7.5");
    for (std::int32_t kind : {5, 6, -1})
        EXPECT_EQ(ValueDisplayText(kind, "x", false), "Unknown Parameter Type");
}

TEST(ParamTypes, placeholderNames_haveAtLeastTwoDigits) {
    EXPECT_EQ(PlaceholderTypeName(1), "__Empty_Type_01");
    EXPECT_EQ(PlaceholderTypeName(3), "__Empty_Type_03");
    EXPECT_EQ(PlaceholderTypeName(12), "__Empty_Type_12");
    EXPECT_EQ(PlaceholderTypeName(100), "__Empty_Type_100");
}

TEST(ParamTypes, matrixText_formAndLimit) {
    EXPECT_EQ(FormatMatrixText(1, 1, {1.0f}), "(1x1) 1.000000");
    EXPECT_EQ(FormatMatrixText(2, 2, {0, 0, 0, 0}), "(2x2) 0.000000 0.000000 0.000000 0.000000");
    EXPECT_EQ(FormatMatrixText(3, 2, {1, 2, 3, 0.5f, 0, -1}),
              "(3x2) 1.000000 2.000000 3.000000 0.500000 0.000000 -1.000000");
    EXPECT_EQ(FormatMatrixText(0, 4, {}), "(0x4)");
    EXPECT_FALSE(FormatMatrixText(2, 2, {1, 2, 3}));  // too few elements

    // 100 elements of 1e30 take far more than a value field holds: refused, never cut.
    const std::vector<float> large(100, 1e30f);
    EXPECT_FALSE(FormatMatrixText(10, 10, large));
    const auto fits = FormatMatrixText(10, 10, std::vector<float>(100, -9999.5f));
    ASSERT_TRUE(fits);
    EXPECT_LE(fits->size(), kValueTextCapacity);
}
