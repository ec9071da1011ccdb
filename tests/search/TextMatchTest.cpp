#include "search/TextMatch.h"

#include <gtest/gtest.h>

using namespace kelvane;

TEST(FoldLatinCase, lowersLatinCapitalsOnly_andKeepsEveryOffset) {
    const struct {
        const char* text;
        const char* folded;
    } cases[] = {
        {"CMatrix* Kernel", "cmatrix* kernel"},
        {"ÀÉÎØÞ × ß", "àéîøþ × ß"},  // Latin-1; the sign × is no letter
        {"ĀĲĹŁŊŸŽ", "āĳĺłŋÿž"},      // Latin Extended-A, both pairings, and Ÿ
        {"ＡＢＺ ａ", "ａｂｚ ａ"},  // full-width
        {"영상 ΣΩ Я", "영상 ΣΩ Я"},  // not Latin: as it is
        {"\xC3", "\xC3"},            // a cut sequence stays
    };
    for (const auto& c : cases) {
        const std::string folded = FoldLatinCase(c.text);
        EXPECT_EQ(folded, c.folded) << c.text;
        EXPECT_EQ(folded.size(), std::string(c.text).size()) << c.text;
    }
}

TEST(Excerpt, cutsAroundTheMatchAtCharacterBoundaries_oneLine) {
    const std::string words = "하나 둘 셋 넷 다섯 여섯 일곱 여덟 아홉 열 열하나 열둘 ";
    const std::string text = words + words + "needle\r\nafter " + words + words;
    const std::string excerpt = Excerpt(text, text.find("needle"), 6);
    EXPECT_NE(excerpt.find("needle after"), std::string::npos) << excerpt;
    EXPECT_EQ(excerpt.rfind("…", 0), 0u);  // text left out before
    EXPECT_EQ(excerpt.substr(excerpt.size() - 3), "…");
    EXPECT_LT(excerpt.size(), text.size());
    EXPECT_EQ(excerpt.find('\r'), std::string::npos);

    EXPECT_EQ(Excerpt("Blur()", 0, 4), "Blur()");
    EXPECT_EQ(Excerpt("  two\tlines\n", 2, 3), "two lines");
}
