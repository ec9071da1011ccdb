#include <gtest/gtest.h>

#include "records/TextCodec.h"

using namespace kelvane;

TEST(TextCodec, koreanRoundTripsThroughCp949) {
    const std::string utf8 = "평균 필터로 영상을 흐리게 한다. Blur\r\n";
    const auto cp949 = Utf8ToCp949(utf8);
    ASSERT_TRUE(cp949);
    EXPECT_EQ(cp949->substr(0, 4), "\xC6\xF2\xB1\xD5");  // 평균
    EXPECT_LT(cp949->size(), utf8.size());               // two bytes per syllable, not three
    EXPECT_EQ(Cp949ToUtf8(*cp949), utf8);
    // A syllable outside KS X 1001 that CP949's extension holds.
    EXPECT_EQ(Cp949ToUtf8(*Utf8ToCp949("똠")), "똠");
}

TEST(TextCodec, textCp949CannotHold_isRefused) {
    EXPECT_FALSE(Utf8ToCp949("snow ☃ and 😀"));
    EXPECT_FALSE(Utf8ToCp949("\xC3"));          // cut UTF-8
    EXPECT_FALSE(Utf8ToCp949("\xED\xA0\x80"));  // a surrogate
    EXPECT_EQ(Utf8ToCp949("plain ascii"), "plain ascii");
    EXPECT_NE(NotCp949Message("The description").find("nothing was written"), std::string::npos);
}

TEST(TextCodec, undecodableBytes_becomeReplacementCharacters) {
    EXPECT_EQ(Cp949ToUtf8("a\xFF"
                          "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(Cp949ToUtf8("\xC7"), "\xEF\xBF\xBD");  // a lead byte at the end
}

TEST(TextCodec, fileNames_shownAsUtf8OrElseCp949) {
    EXPECT_EQ(DisplayName("필터"), "필터");
    EXPECT_EQ(DisplayName("\xC7\xCA\xC5\xCD"), "필터");
    EXPECT_EQ(DisplayName("Blur()"), "Blur()");
    EXPECT_TRUE(IsValidUtf8("필터"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));  // overlong
}
