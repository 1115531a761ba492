// The narrow string: the operations the program calls.
#include <gtest/gtest.h>
#include "cstring.h"

TEST(CString, ComparisonsAreExactAndCaseSensitive) {
    CString s("TRUE");
    EXPECT_TRUE(s == "TRUE");
    EXPECT_FALSE(s == "true");
    EXPECT_FALSE(s == "TRUE ");
    EXPECT_TRUE("TRUE" == s);
    EXPECT_TRUE(s != CString("TRUE "));
    CString null(static_cast<const char*>(nullptr));
    EXPECT_TRUE(null.IsEmpty());
    EXPECT_TRUE(null == "");
}

TEST(CString, FormatConcatenateTrim) {
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

    CString padded(" \t text\r\n");
    EXPECT_EQ("text", padded.Trim());
    CString blank(" \t");
    EXPECT_TRUE(blank.Trim().IsEmpty());
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
