#include <gtest/gtest.h>

#include "exchange/ExportNames.h"
#include "exchange/Json.h"
#include "exchange/MarkupText.h"

using namespace kelvane;

TEST(ExchangeText, jsonNeverActsOnATerminalAndKeepsBadBytesOut) {
    struct Case {
        std::string text;
        std::string json;
    };
    const Case cases[] = {
        {"q\"\\\x01\n\t", R"("q\"\\\u0001\n\t")"},
        {"a\x1b[2Jb", R"("a\u001b[2Jb")"},
        {"del\x7f", R"("del\u007f")"},
        {"c1\xc2\x9b"
         "x",
         R"("c1\u009bx")"},
        {"한\xc2\xa0", "\"한\xc2\xa0\""},  // a no-break space is no control
        {"bad\xff", "\"bad\xef\xbf\xbd\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DumpJson(Json(c.text)), c.json) << c.json;
}

TEST(ExchangeText, parseRefusesWhatCannotBeReadFaithfully) {
    EXPECT_TRUE(ParseJson(R"({"a": [1, {"b": 2}]})").ok);
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {R"({"a": 1, "a": 2})", "the field \"a\" appears twice in one object"},
        {std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']'),
         "it is nested more than 16 levels deep"},
        {"{\"a\": \n  x}", "it is not valid JSON: parse error at line 2, column 3"},
        {"\"\xff\"", "it is not valid JSON"},
        {std::string(kMaxJsonBytes + 1, ' '), "it is 67108865 bytes long, more than the 64 MiB"},
    };
    for (const Case& c : cases) {
        const ParsedJson parsed = ParseJson(c.text);
        EXPECT_FALSE(parsed.ok) << c.error;
        EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << parsed.error;
    }
}

TEST(ExchangeText, markupShowsTextAsItIs) {
    struct Case {
        std::string text;
        std::string html;
        std::string markdown;
    };
    const Case cases[] = {
        {"<script>&'\"", "&lt;script&gt;&amp;&#39;&quot;", "&lt;script&gt;&amp;'\""},
        {"a\r\nb\nc", "a<br>b<br>c", "a<br>b<br>c"},
        {"esc\x1b[31m", "esc\\x1b[31m", "esc\\x1b\\[31m"},
        {"*b* _i_ `c` [l](x) |t| ~s~ \\", "*b* _i_ `c` [l](x) |t| ~s~ \\",
         "\\*b\\* \\_i\\_ \\`c\\` \\[l\\](x) \\|t\\| \\~s\\~ \\\\"},
        {"# h", "# h", "\\# h"},
        {"- item", "- item", "\\- item"},
        {"12. x", "12. x", "12\\. x"},
        {"1.5 mm", "1.5 mm", "1.5 mm"},
        {"===", "===", "\\==="},
        {"a-b #c", "a-b #c", "a-b #c"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HtmlLines(c.text), c.html) << c.text;
        EXPECT_EQ(MarkdownText(c.text), c.markdown) << c.text;
    }
    EXPECT_EQ(HtmlEscape("a\r\nb"), "a b");
}

TEST(ExchangeText, exportFileNamesAreSafeAndUnique) {
    ExportNamer namer;
    const std::string longName(200, 'z');
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases = {
        {{"Basic", "Filter", "Blur()"}, "basic-filter-blur"},
        {{"Basic", "Filter", "Blur()"}, "basic-filter-blur-2"},
        {{"BASIC", "filter", "BLUR()"}, "basic-filter-blur-3"},  // case-insensitive systems
        {{"Basic", "Filter", "Blur-2()"}, "basic-filter-blur-2-2"},
        {{"..", "()"}, "function"},
        {{"영상", "평균()"}, "function-2"},
        {{"a/b\\c", "../x()"}, "a-b-c-x"},
        {{longName}, std::string(68, 'z')},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(namer.Name(path), name);
}
