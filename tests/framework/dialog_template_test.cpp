// Reading the test program's own dialog resources.
#include <gtest/gtest.h>
#include "dialog_template.h"

namespace {

bool LoadTemplate(UINT id, DialogTemplate* out) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!found) return false;
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    return ParseDialogTemplate(bytes, SizeofResource(nullptr, found), out);
}

const CLSID kWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

}  // namespace

TEST(DialogTemplate, ExtendedTemplateItemsAndActiveXClass) {
    DialogTemplate d;
    ASSERT_TRUE(LoadTemplate(101, &d));
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(L"Browser test", d.title);
    EXPECT_EQ(L"MS Shell Dlg", d.typeface);
    EXPECT_EQ(9, d.pointSize);
    ASSERT_EQ(3u, d.items.size());
    // windres writes class names in capitals; window classes ignore case.
    EXPECT_EQ(0, lstrcmpiW(L"MfcButton", d.items[0].windowClass.text.c_str()));
    EXPECT_FALSE(d.items[0].IsActiveX());
    const TemplateItem& browser = d.items[1];
    EXPECT_TRUE(browser.IsActiveX());
    CLSID clsid{};
    ASSERT_TRUE(browser.ClassId(&clsid));
    EXPECT_TRUE(IsEqualCLSID(kWebBrowser, clsid));
    EXPECT_EQ(1001u, browser.id);
    EXPECT_EQ(10, browser.x);
    EXPECT_EQ(150, browser.cx);
    EXPECT_TRUE(browser.style & WS_VISIBLE);
    EXPECT_TRUE(d.items[2].windowClass.isOrdinal);   // PUSHBUTTON: class ordinal 0x80
    EXPECT_EQ(0x80, d.items[2].windowClass.ordinal);
    EXPECT_EQ(static_cast<DWORD>(IDCANCEL), d.items[2].id);
}

TEST(DialogTemplate, OldForm) {
    DialogTemplate d;
    ASSERT_TRUE(LoadTemplate(102, &d));
    EXPECT_FALSE(d.extended);
    ASSERT_EQ(2u, d.items.size());
    EXPECT_EQ(L"\x6807\x7B7E", d.items[0].title.text);   // 标签
    EXPECT_EQ(0xFFFFu, d.items[0].id);
    EXPECT_TRUE(d.items[1].IsActiveX());
    EXPECT_FALSE(d.items[1].style & WS_VISIBLE);
}

TEST(DialogTemplate, TruncatedBytesAreRejected) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(5));
    ASSERT_NE(nullptr, found);
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    const DWORD size = SizeofResource(nullptr, found);
    DialogTemplate d;
    for (DWORD cut : {DWORD(0), DWORD(10), size / 2, size - 20}) {
        EXPECT_FALSE(ParseDialogTemplate(bytes, cut, &d)) << cut;
    }
}
