// The three dialog templates as the dialog manager will read them.
#include <gtest/gtest.h>

#include "dialog_template.h"
#include "resource.h"
#include "resource_data.h"

namespace {

const wchar_t kBrowserClass[] = L"{8856F961-340A-11D0-A96B-00C04FD705A2}";

DialogTemplate LoadTemplate(UINT id) {
    std::vector<uint8_t> bytes = ResourceBytes(id, MAKEINTRESOURCEA(5));  // RT_DIALOG
    std::optional<DialogTemplate> dlg = ParseDialogTemplate(bytes.data(), bytes.size());
    EXPECT_TRUE(dlg.has_value()) << "template " << id;
    return dlg.value_or(DialogTemplate{});
}

struct ExpectedItem {
    uint32_t id;
    const wchar_t* className;  // nullptr: an ordinal class
    uint16_t classOrdinal;
    uint32_t style;
    RECT rect;
    const wchar_t* text;
};

void ExpectItems(const DialogTemplate& dlg, const std::vector<ExpectedItem>& expected) {
    ASSERT_EQ(expected.size(), dlg.items.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const DialogItem& item = dlg.items[i];
        const ExpectedItem& want = expected[i];
        SCOPED_TRACE(testing::Message() << "control " << want.id);
        EXPECT_EQ(want.id, item.id);
        if (want.className) {
            // Class lookup ignores case; windres stores the names upper-cased.
            EXPECT_EQ(0, _wcsicmp(want.className, item.className.c_str()));
        } else {
            EXPECT_EQ(want.classOrdinal, item.classOrdinal);
            EXPECT_TRUE(item.className.empty());
        }
        EXPECT_EQ(want.style, item.style);
        EXPECT_EQ(0u, item.exStyle);
        EXPECT_EQ(want.rect.left, item.rect.left);
        EXPECT_EQ(want.rect.top, item.rect.top);
        EXPECT_EQ(want.rect.right, item.rect.right);
        EXPECT_EQ(want.rect.bottom, item.rect.bottom);
        EXPECT_EQ(std::wstring(want.text), item.text);
    }
}

// Every text must survive the trip to the program's ANSI code page.
void ExpectGbk(const std::wstring& text) {
    BOOL lost = FALSE;
    int n = WideCharToMultiByte(936, 0, text.c_str(), -1, nullptr, 0, nullptr, &lost);
    EXPECT_GT(n, 0);
    EXPECT_FALSE(lost) << "not representable in code page 936";
}

constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;

}  // namespace

TEST(DialogTemplates, MainWindow102) {
    DialogTemplate dlg = LoadTemplate(IDD_VORN_LOGIN_DIALOG);
    EXPECT_EQ(uint32_t(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                       WS_MAXIMIZEBOX | DS_MODALFRAME | DS_SETFONT),
              dlg.style);
    EXPECT_EQ(uint32_t(WS_EX_APPWINDOW), dlg.exStyle);
    EXPECT_EQ(0, dlg.rect.left);
    EXPECT_EQ(0, dlg.rect.top);
    EXPECT_EQ(264, dlg.rect.right);
    EXPECT_EQ(123, dlg.rect.bottom);
    EXPECT_EQ(L"Halden游戏-Arvendel登陆器", dlg.caption);
    ExpectGbk(dlg.caption);
    EXPECT_EQ(12, dlg.pointSize);
    EXPECT_EQ(134, dlg.charset);
    EXPECT_EQ(0, dlg.italic);
    EXPECT_EQ(L"宋体", dlg.face);
    ExpectItems(dlg, {{IDC_EXPLORER1, kBrowserClass, 0, kChild | WS_TABSTOP, {0, 0, 168, 65}, L""}});
}

TEST(DialogTemplates, Launcher132) {
    DialogTemplate dlg = LoadTemplate(IDD_WEB_DIALOG);
    // Hidden at creation, no caption and no border: the window is the picture.
    EXPECT_EQ(uint32_t(WS_POPUP | DS_SETFONT), dlg.style);
    EXPECT_EQ(0u, dlg.exStyle);
    EXPECT_EQ(310, dlg.rect.right);
    EXPECT_EQ(227, dlg.rect.bottom);
    EXPECT_EQ(L"", dlg.caption);
    EXPECT_EQ(9, dlg.pointSize);
    EXPECT_EQ(134, dlg.charset);
    EXPECT_EQ(L"新宋体", dlg.face);
    const wchar_t* button = L"MfcButton";
    ExpectItems(dlg, {
        {IDC_EXPLORER1, kBrowserClass, 0, kChild, {52, 45, 176, 127}, L""},
        {IDC_BTN_CLOSE, button, 0, kChild, {7, 13, 63, 19}, L""},
        {IDC_BTN_MIN, button, 0, kChild, {179, 9, 63, 19}, L""},
        {IDC_BTN_FORUM, button, 0, kChild, {225, 27, 50, 14}, L""},
        {IDC_BTN_SERVICE, button, 0, kChild, {225, 59, 50, 14}, L""},
        {IDC_BTN_RECHARGE, button, 0, kChild | WS_TABSTOP, {225, 99, 50, 14}, L""},
        {IDC_BTN_HOME, button, 0, kChild | WS_TABSTOP, {225, 136, 50, 14}, L""},
    });
}

TEST(DialogTemplates, CloseConfirmation167) {
    DialogTemplate dlg = LoadTemplate(IDD_CLOSE_BTN_DLG);
    EXPECT_EQ(uint32_t(WS_POPUP | WS_BORDER | WS_SYSMENU | DS_SETFONT), dlg.style);
    EXPECT_EQ(0u, dlg.exStyle);
    EXPECT_EQ(175, dlg.rect.right);
    EXPECT_EQ(64, dlg.rect.bottom);
    EXPECT_EQ(12, dlg.pointSize);
    EXPECT_EQ(134, dlg.charset);
    EXPECT_EQ(L"宋体", dlg.face);
    const uint16_t kButton = 0x0080, kStatic = 0x0082;
    ExpectItems(dlg, {
        {IDOK, nullptr, kButton, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, {29, 43, 50, 14}, L"确定"},
        {IDCANCEL, nullptr, kButton, kChild | WS_TABSTOP | BS_PUSHBUTTON, {100, 43, 50, 14}, L"取消"},
        {0xFFFFFFFFu, nullptr, kStatic, kChild | WS_GROUP | SS_LEFT, {55, 19, 74, 8}, L"您确定离开游戏么？"},
    });
    for (const DialogItem& item : dlg.items)
        ExpectGbk(item.text);
}

TEST(DialogTemplates, ParserRejectsTruncatedTemplates) {
    std::vector<uint8_t> bytes = ResourceBytes(IDD_CLOSE_BTN_DLG, MAKEINTRESOURCEA(5));
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(ParseDialogTemplate(bytes.data(), bytes.size()).has_value());
    for (size_t cut : {size_t(0), size_t(3), size_t(30), bytes.size() - 8})
        EXPECT_FALSE(ParseDialogTemplate(bytes.data(), cut).has_value()) << cut;
    std::vector<uint8_t> classic = bytes;
    classic[2] = 0;  // not the DLGTEMPLATEEX signature
    EXPECT_FALSE(ParseDialogTemplate(classic.data(), classic.size()).has_value());
}
