// The one narrow code page: the thread's, which is 936 where the tests run,
// and the same for every conversion and for the lead-byte test.
#include "text/ansi_text.h"

#include <gtest/gtest.h>

TEST(AnsiText, ChineseRoundTripsThroughCodePage936) {
    const std::wstring wide = L"\u66f4\u65b0 v1";  // 更新 v1
    const std::string gbk = "\xB8\xFC\xD0\xC2 v1";
    EXPECT_EQ(gbk, text::WideToAnsi(wide));
    EXPECT_EQ(wide, text::AnsiToWide(gbk));
    EXPECT_EQ(gbk, text::WideToAnsi(text::Utf8ToWide("\xE6\x9B\xB4\xE6\x96\xB0 v1")));
    EXPECT_TRUE(text::IsLeadByte(0xB8));
    EXPECT_FALSE(text::IsLeadByte('v'));
}

TEST(AnsiText, EmbeddedZerosAndEmptyTextSurvive) {
    EXPECT_EQ(std::string("a\0b", 3), text::WideToAnsi(std::wstring(L"a\0b", 3)));
    EXPECT_EQ(L"", text::AnsiToWide(""));
    EXPECT_EQ("", text::BstrToAnsi(nullptr));
    BSTR bstr = text::AnsiToBstr(std::string("x\0y", 3));
    ASSERT_NE(nullptr, bstr);
    EXPECT_EQ(3u, SysStringLen(bstr));
    EXPECT_EQ(std::string("x\0y", 3), text::BstrToAnsi(bstr));
    SysFreeString(bstr);
}

TEST(AnsiText, CharactersTheCodePageLacksBecomeItsDefault) {
    EXPECT_EQ("?", text::WideToAnsi(L"\u0e01"));  // a Thai letter: not in 936
}

TEST(AnsiText, SameTextOnlyWhenBothConversionsAreExact) {
    EXPECT_TRUE(text::SameText("\xB8\xFC\xD0\xC2 v1", L"\u66f4\u65b0 v1"));
    EXPECT_TRUE(text::SameText(std::string("a\0b", 3), std::wstring(L"a\0b", 3)));
    EXPECT_TRUE(text::SameText("", L""));
    EXPECT_FALSE(text::SameText("?", L"\u0e01"));     // lost to the default character
    EXPECT_FALSE(text::SameText("\xB8", L"\u66f4"));  // half a character
    EXPECT_FALSE(text::SameText("\xB8", text::AnsiToWide("\xB8")));
    EXPECT_FALSE(text::SameText("ab", L"a"));
}
