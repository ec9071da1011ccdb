#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "records/FunctionEdits.h"
#include "records/RepeatableEdit.h"
#include "records/TextCodec.h"

// Adding, deleting, values by type, saving and refusals on disk are covered end to end by
// the window's and the command line's tests; here the field rules themselves.

using namespace kelvane;

namespace {

FunctionRecord WithTypes(const std::vector<const char*>& types) {
    FunctionRecord record;
    record.AllocateParameters(static_cast<int>(types.size()));
    for (std::size_t i = 0; i < types.size(); ++i)
        EXPECT_TRUE(SetFieldText(record.parameter(static_cast<int>(i)).typeName, types[i]));
    return record;
}

}  // namespace

TEST(FunctionEdits, addedParameterIsNamedByTheNewCount) {
    FunctionRecord record;
    ASSERT_TRUE(AddParameter(record).ok());
    EXPECT_EQ(FieldText(record.parameter(0).typeName), "__Empty_Type_01");
    EXPECT_EQ(record.parameter(0).direction, fdb::kInput);

    // One more than a load reads would make a file no command opens again.
    FunctionRecord full;
    full.AllocateParameters(fdb::kMaxParameterCount);
    EXPECT_FALSE(AddParameter(full).ok());
    EXPECT_EQ(full.parameterCount(), fdb::kMaxParameterCount);
}

TEST(FunctionEdits, textsAreStoredAsCp949AndNeverCut) {
    FunctionRecord record = WithTypes({"char*"});
    ASSERT_TRUE(SetParameterDescription(record, 0, "흐림 정도").ok());
    EXPECT_EQ(Cp949ToUtf8(FieldText(record.parameter(0).description)), "흐림 정도");
    EXPECT_EQ(FieldText(record.parameter(0).description).size(), 9u);

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
    EXPECT_EQ(record.parameter(0).storedKind, 0);  // unchanged by the refusal
    EXPECT_TRUE(SetTextValue(record, 0, true, std::string(2047, 'x')).ok());
    EXPECT_FALSE(SetTextValue(record, 0, true, std::string(2048, 'x')).ok());
}

TEST(FunctionEdits, textLeftAsShown_keepsBytesThatAreNotCp949) {
    // 0xFF is no CP949 byte, and 0xA1 0x20 no CP949 pair: both read as U+FFFD.
    const std::string odd = "a\xFF\xA1 z";
    FunctionRecord record = WithTypes({"char*"});
    ParameterRecord& p = record.parameter(0);
    struct Case {
        const char* what;
        char* field;
        std::function<Status(std::string_view)> set;
    };
    const Case cases[] = {
        {"default value", p.defaultText,
         [&](std::string_view t) { return SetTextValue(record, 0, false, t); }},
        {"stored value", p.storedText,
         [&](std::string_view t) { return SetTextValue(record, 0, true, t); }},
        {"parameter description", p.description,
         [&](std::string_view t) { return SetParameterDescription(record, 0, t); }},
        {"function description", record.header().description,
         [&](std::string_view t) { return SetFunctionDescription(record, t); }},
    };
    for (const Case& c : cases) {
        std::strcpy(c.field, odd.c_str());
        const std::string shown = Cp949ToUtf8(odd);
        EXPECT_TRUE(c.set(shown).ok()) << c.what;
        EXPECT_EQ(std::string(c.field), odd) << c.what;
        // Changed, the text is checked, and its replacement characters are refused.
        EXPECT_FALSE(c.set(shown + "!").ok()) << c.what;
        EXPECT_EQ(std::string(c.field), odd) << c.what;
    }
    EXPECT_EQ(p.defaultKind, 3);  // the kinds are still set by the value type
}

TEST(FunctionEdits, eachValueOperationChecksTheTypeClass) {
    FunctionRecord record = WithTypes({"CImageByte*", "int*", "CMatrix*", "__Empty_Type_04"});
    EXPECT_TRUE(ClearImageValue(record, 0).ok());
    EXPECT_FALSE(ClearImageValue(record, 1).ok());
    EXPECT_FALSE(SetTextValue(record, 2, false, "1").ok());
    EXPECT_FALSE(SetMatrixValue(record, 1, false, 1, 1, {1}).ok());
    EXPECT_TRUE(SetMatrixValue(record, 3, false, 1, 1, {1}).ok());  // a placeholder type
    EXPECT_FALSE(SetMatrixValue(record, 2, true, 11, 1, std::vector<float>(11, 1)).ok());
    EXPECT_FALSE(SetMatrixValue(record, 2, true, 2, 2, {1, 2, 3}).ok());
    EXPECT_FALSE(SetMatrixValue(record, 2, true, 10, 10, std::vector<float>(100, 1e30f)).ok());
    EXPECT_EQ(FieldText(record.parameter(2).storedText), "");
    EXPECT_EQ(record.parameter(2).storedKind, 0);
}

TEST(FunctionEdits, typeAndDirectionAcceptOnlyWhatTheDialogsOffer) {
    FunctionRecord record = WithTypes({"__Empty_Type_01"});
    for (const char* bad : {"<--Value Parameter-->", "", "float*", "int"})
        EXPECT_FALSE(SetTypeName(record, 0, bad).ok()) << bad;
    ASSERT_TRUE(SetTypeName(record, 0, "int*").ok());
    EXPECT_EQ(FieldText(record.parameter(0).typeName), "int*");
    EXPECT_FALSE(SetDirection(record, 0, 2).ok());
    EXPECT_FALSE(SetDirection(record, 1, 0).ok());
    EXPECT_FALSE(DeleteParameter(record, -1).ok());
}

// A change made again to the file as it is now: a parameter change only while the
// parameter at its position has the type name it had when the change was chosen.
TEST(FunctionEdits, aRepeatedChangeFindsItsParameterByPositionAndTypeName) {
    const FunctionRecord chosenOn = WithTypes({"CImageByte*", "int*"});
    const RepeatableEdit describe = RepeatableEdit::OfParameter(
        chosenOn, 1, [](FunctionRecord& r) { return SetParameterDescription(r, 1, "n"); });
    struct Case {
        std::vector<const char*> types;
        const char* refusal;  // nullptr: made
    };
    const Case cases[] = {
        {{"CImageByte*", "int*"}, nullptr},
        {{"CImageByte*", "int*", "char*"}, nullptr},
        {{"CImageByte*", "char*"}, "is now of type char*, not int*"},
        {{"int*", "CImageByte*"}, "is now of type CImageByte*, not int*"},
        {{"int*"}, "no parameter 1 (the first is 0) any more (it has 1)"},
    };
    for (const Case& c : cases) {
        FunctionRecord now = WithTypes(c.types);
        const std::string before = now.Serialize();
        const Status made = describe.ApplyTo(now);
        if (!c.refusal) {
            EXPECT_TRUE(made.ok()) << made.message();
            EXPECT_EQ(FieldText(now.parameter(1).description), "n");
            continue;
        }
        EXPECT_FALSE(made.ok());
        EXPECT_NE(made.message().find(c.refusal), std::string::npos) << made.message();
        EXPECT_EQ(now.Serialize(), before);
    }

    FunctionRecord none;
    EXPECT_TRUE(RepeatableEdit::OfFunction(AddParameter).ApplyTo(none).ok());
    EXPECT_EQ(none.parameterCount(), 1);
}
