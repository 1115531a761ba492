// The narrow string: the substring rules the program's address parsing relies on.
#include <gtest/gtest.h>
#include "cstring.h"

TEST(CString, FindReportsFirstPositionFromStartOrMinusOne) {
    CString s("a=1&serverid=12&username=abc&");
    EXPECT_EQ(3, s.Find("&serverid="));
    EXPECT_EQ(15, s.Find("&", 4));
    EXPECT_EQ(-1, s.Find("&ServerId="));
    EXPECT_EQ(-1, s.Find("a", 100));
    EXPECT_EQ(-1, s.Find("a", -1));
    EXPECT_EQ(28, s.Find('&', 16));
}

TEST(CString, MidLeftRightClampToTheText) {
    CString s("abcdef");
    EXPECT_EQ("cd", s.Mid(2, 2));
    EXPECT_EQ("ef", s.Mid(4, 100));
    EXPECT_EQ("", s.Mid(2, -3));
    EXPECT_EQ("", s.Mid(6, 1));
    EXPECT_EQ("", s.Mid(60));
    EXPECT_EQ("abc", s.Mid(-5, 3));
    EXPECT_EQ("cdef", s.Mid(2));
    EXPECT_EQ("ab", s.Left(2));
    EXPECT_EQ("abcdef", s.Left(10));
    EXPECT_EQ("", s.Left(-1));
    EXPECT_EQ("ef", s.Right(2));
    EXPECT_EQ("abcdef", s.Right(9));
    EXPECT_EQ("", s.Right(0));
}

TEST(CString, ComparisonsAreExactAndCaseSensitive) {
    CString s("TRUE");
    EXPECT_TRUE(s == "TRUE");
    EXPECT_FALSE(s == "true");
    EXPECT_FALSE(s == "TRUE ");
    EXPECT_TRUE("TRUE" == s);
    EXPECT_TRUE(s != CString("TRUE "));
    EXPECT_EQ(0, s.CompareNoCase("true"));
    EXPECT_LT(CString("a").Compare("b"), 0);
    CString null(static_cast<const char*>(nullptr));
    EXPECT_TRUE(null.IsEmpty());
    EXPECT_TRUE(null == "");
}

TEST(CString, ReplaceFormatConcatenate) {
    CString s("pay?s=[server]&u=[user]&again=[server]");
    EXPECT_EQ(2, s.Replace("[server]", "12"));
    EXPECT_EQ(1, s.Replace("[user]", "[user][user]"));   // replacement not searched again
    EXPECT_EQ("pay?s=12&u=[user][user]&again=12", s);
    EXPECT_EQ(0, s.Replace("", "x"));

    CString title;
    title.Format("%s %d服", "Halden", 12);
    EXPECT_EQ("Halden 12服", title);
    CString big;
    big.Format("%0600d", 7);   // longer than any fixed buffer
    EXPECT_EQ(600, big.GetLength());

    CString joined = CString("a") + "b" + CString("c");
    joined += "d";
    joined += 'e';
    EXPECT_EQ("abcde", joined);
    EXPECT_STREQ("abcde", static_cast<LPCTSTR>(joined));
}

TEST(CString, CaseFoldingLeavesDoubleByteTextAlone) {
    // "测" is 0xB2 0xE2 in code page 936; a trail byte in A-Z range must survive.
    CString s("AbC");
    EXPECT_EQ("abc", CString(s).MakeLower());
    EXPECT_EQ("ABC", s.MakeUpper());
    const char gbk[] = {static_cast<char>(0x81), 'A', 'B', 0};   // lead byte 0x81, trail 'A'
    CString mixed(gbk);
    mixed.MakeLower();
    EXPECT_EQ('A', mixed.GetAt(1));
    EXPECT_EQ('b', mixed.GetAt(2));
}

TEST(CString, WideConversionsUseTheAnsiCodePage) {
    CString fromWide(L"\x66F4\x65B0失败");
    EXPECT_EQ(CString("更新失败"), fromWide);
    BSTR b = CString("更新").AllocSysString();
    EXPECT_EQ(2u, SysStringLen(b));
    EXPECT_EQ(0x66F4, b[0]);
    SysFreeString(b);
    BSTR empty = CString("").AllocSysString();
    ASSERT_NE(nullptr, empty);   // an empty BSTR, not a null one
    EXPECT_EQ(0u, SysStringLen(empty));
    SysFreeString(empty);
}

TEST(CString, BufferForCApis) {
    CString s;
    char* buffer = s.GetBuffer(32);
    lstrcpyA(buffer, "value");
    s.ReleaseBuffer();
    EXPECT_EQ("value", s);
    EXPECT_EQ(5, s.GetLength());
    s.GetBuffer(10);
    s.ReleaseBuffer(2);
    EXPECT_EQ("va", s);
}
