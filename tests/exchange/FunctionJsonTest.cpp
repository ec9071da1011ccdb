#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "data/SampleLibrary.h"
#include "exchange/FunctionJson.h"

using namespace kelvane;

namespace {

// The record back from the text of its form, as import would read it.
FormResult ThroughText(const FunctionRecord& record) {
    const ParsedJson parsed = ParseJson(DumpJson(FunctionToJson(record), 2));
    EXPECT_TRUE(parsed.ok) << parsed.error;
    return FunctionFromJson(parsed.value);
}

FunctionRecord Sample() {
    return sample::MakeRecord(
        {"Blur",
         0,
         "평균 필터\r\nline two",
         {{"int*", true, "커널", "3", "5"}, {"CImageByte*", false, "out", {}, {}}}});
}

template <std::size_t N>
void Fill(char (&field)[N], std::size_t from, unsigned char pattern) {
    for (std::size_t i = from; i < N; ++i)
        field[i] = static_cast<char>(pattern + i);
}

}  // namespace

TEST(FunctionJson, formGivesBackTheSameBytes) {
    std::vector<FunctionRecord> records{Sample(), FunctionRecord()};

    // Patterned bytes after every terminator, in the reserved fields and the attribute.
    FunctionRecord patterned = Sample();
    Fill(patterned.header().name, 5, 0x41);
    Fill(patterned.header().description, 900, 0x80);
    std::memset(patterned.header().attribute, 0x5A, fdb::kAttributeSize);
    for (int i = 0; i < patterned.parameterCount(); ++i) {
        ParameterRecord& p = patterned.parameter(i);
        Fill(p.typeName, 20, 1);
        std::memset(p.reserved, 0xEE, fdb::kReservedSize);
        p.reserved[fdb::kReservedSize - 1] = 0;
        Fill(p.storedText, 2, 0xF0);
    }
    records.push_back(patterned);

    // Texts CP949 cannot decode, a field full to its end without a terminator, a type name
    // of 79 bytes, and a tail of one byte at the very end.
    FunctionRecord odd = Sample();
    std::memcpy(odd.header().nameCopy, "\xFF\x80ok", 5);
    std::memset(odd.header().description, 'A', fdb::kFunctionDescriptionSize);
    ParameterRecord& p = odd.parameter(0);
    std::memset(p.typeName, 'T', fdb::kTypeNameSize - 1);
    p.typeName[fdb::kTypeNameSize - 1] = '\0';
    p.description[fdb::kParameterDescriptionSize - 1] = '\x07';
    p.direction = INT32_MIN;
    p.storedKind = -1;
    records.push_back(odd);

    // ASCII texts that need one escape each (a quote, a backslash, DEL, a control), beside
    // plain ones.
    FunctionRecord escapes = Sample();
    std::strcpy(escapes.header().name, "say \"hi\"");
    std::strcpy(escapes.header().nameCopy, "C:\\lib");
    std::strcpy(escapes.header().description, "del\x7f");
    std::strcpy(escapes.parameter(0).typeName, "unit\x1f");
    std::strcpy(escapes.parameter(0).description, " ~plain~ ");
    records.push_back(escapes);

    // Every byte random but the count.
    std::mt19937 rng(4740);
    for (int round = 0; round < 20; ++round) {
        FunctionRecord random;
        random.AllocateParameters(round % 4);
        std::string bytes = random.Serialize();
        for (std::size_t i = 0; i < bytes.size(); ++i)
            if (i < offsetof(FunctionHeader, parameterCount) ||
                i >= offsetof(FunctionHeader, parameterCount) + 4)
                bytes[i] = static_cast<char>(rng());
        std::memcpy(&random.header(), bytes.data(), fdb::kHeaderSize);
        std::vector<ParameterRecord> params(static_cast<std::size_t>(round % 4));
        if (!params.empty())
            std::memcpy(params.data(), bytes.data() + fdb::kHeaderSize,
                        params.size() * fdb::kParameterSize);
        random.ReplaceParameters(params);
        records.push_back(random);
    }

    for (std::size_t i = 0; i < records.size(); ++i) {
        JsonTextWriter streamed;  // the export's writer lays the form out as a dump would
        WriteFunctionJson(streamed, records[i], 0);
        EXPECT_EQ(streamed.text(), DumpJson(FunctionToJson(records[i]), 2)) << i;
        const FormResult back = ThroughText(records[i]);
        ASSERT_TRUE(back.ok) << i << ": " << back.error.message();
        EXPECT_EQ(back.record.Serialize(), records[i].Serialize()) << i;
    }
}

TEST(FunctionJson, formIsReadableAndShowsHexOnlyWhereNeeded) {
    FunctionRecord record = sample::MakeRecord({"F", 2, "d", {{"char*", true, "p", "", ""}}});
    record.header().nameCopy[3] = '\x01';              // after "F" and its terminator
    std::memcpy(record.header().name, "\xB0\x00", 2);  // a lead byte alone
    record.parameter(0).reserved[1] = '\x10';
    EXPECT_EQ(DumpJson(FunctionToJson(record), 2), R"({
  "kind": 2,
  "name": {
    "hex": "b0"
  },
  "nameCopy": "F",
  "nameCopyTail": "0001",
  "description": "d",
  "parameters": [
    {
      "typeName": "char*",
      "direction": 1,
      "reserved": "0010",
      "description": "p",
      "defaultKind": 3,
      "defaultText": "",
      "storedKind": 3,
      "storedText": ""
    }
  ]
})");
}

TEST(FunctionJson, fieldsARecordCannotHold_areRefusedByName) {
    const Json good = FunctionToJson(Sample());
    struct Case {
        const char* change;  // a JSON merge patch, applied to the good form
        const char* message;
    };
    const Case cases[] = {
        {R"({"kind": "0"})", "/kind: must be a whole number"},
        {R"({"kind": 1.5})", "/kind: must be a whole number"},
        {R"({"kind": 2147483648})", "/kind: is 2147483648, outside the 32-bit range"},
        {R"({"name": null})", "/name: is missing"},
        {R"({"name": 7})", "/name: must be a text, or an object with \"hex\""},
        {R"({"nameCopy": "0123456789012345678901234567890123456789012345678901234567890123456789012345678901"})",
         "/nameCopy: is 82 bytes in CP949; the field holds at most 79"},
        {R"({"nameCopy": "한국어한국어한국어한국어한국어한국어한국어한국어한국어한국어한국어한국어한국어한국어한국어한국어"})",
         "/nameCopy: is 96 bytes in CP949; the field holds at most 79"},
        {R"({"description": "snow ☃"})", "/description: holds characters that cannot be stored"},
        {R"({"description": "a\u0000b"})", "/description: holds a NUL character"},
        {R"({"descriptionTail": "zz"})", "/descriptionTail: must hold only hexadecimal digits"},
        {R"({"descriptionTail": "abc"})", "/descriptionTail: must have two hexadecimal digits"},
        {R"({"name": {"hex": "41", "text": "A"}})", "/name/text: is not part of the hex form"},
        {R"({"name": {"hex": "41"}, "nameTail": "01"})", "/nameTail: cannot go with the hex form"},
        {R"({"attribute": "0102030405"})", "/attribute: holds 5 bytes; the field has room for 4"},
        {R"({"parameterCount": 2})", "/parameterCount: is not a field of a function"},
        {R"({"parameters": {}})", "/parameters: must be a list of parameters"},
        {R"({"parameters": [{}]})", "/parameters/0/typeName: is missing"},
        {R"({"parameters": [7]})", "/parameters/0: must be an object of fields"},
        {R"({"parameters": null})", "/parameters: is missing"},
    };
    for (const Case& c : cases) {
        Json form = good;
        form.merge_patch(Json::parse(c.change));
        const FormResult result = FunctionFromJson(form);
        EXPECT_FALSE(result.ok) << c.change;
        EXPECT_EQ(result.error.message().rfind(c.message, 0), 0u)
            << c.change << "\n  got: " << result.error.message();
    }
    Json tooLong = good;  // "Blur" and its terminator leave 251 bytes of its 256
    tooLong["nameTail"] = std::string(2 * 252, '0');
    EXPECT_EQ(FunctionFromJson(tooLong).error.message(),
              "/nameTail: holds 252 bytes; the field has room for 251");
    Json second = good;
    second["parameters"][1]["defaultValue"] = "3";
    EXPECT_EQ(FunctionFromJson(second).error.message(),
              "/parameters/1/defaultValue: is not a field of a parameter (unknown field)");
    second["parameters"][1].erase("defaultValue");
    second["parameters"][1]["direction"] = -2147483649LL;
    EXPECT_EQ(FunctionFromJson(second).error.pointer, "/parameters/1/direction");
    EXPECT_EQ(FunctionFromJson(Json::array()).error.message(),
              "the form: must be an object of fields");
}
