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
