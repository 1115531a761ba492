// Template 167 created by the real dialog manager: the texts arrive in the
// program's ANSI code page (this file is compiled to GBK), the font is the
// template's, and the controls land where the dialog units put them.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "owners/gdi_owners.h"
#include "resource.h"

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

struct WindowDeleter {
    void operator()(HWND hwnd) const { DestroyWindow(hwnd); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

std::string ItemText(HWND dlg, int id) {
    char text[256] = {};
    GetDlgItemTextA(dlg, id, text, sizeof(text));
    return text;
}

RECT ChildRect(HWND dlg, int id) {
    RECT rc{};
    GetWindowRect(GetDlgItem(dlg, id), &rc);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

}  // namespace

TEST(CloseConfirmationDialog, CreatesWithGbkTextsAndTheTemplateFont) {
    ASSERT_EQ(936u, GetACP());
    Window dlg(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CLOSE_BTN_DLG), nullptr,
                                  QuietDialogProc, 0));
    ASSERT_TRUE(dlg);
    EXPECT_FALSE(IsWindowVisible(dlg.get()));
    EXPECT_EQ("确定", ItemText(dlg.get(), IDOK));
    EXPECT_EQ("取消", ItemText(dlg.get(), IDCANCEL));
    HWND label = FindWindowExA(dlg.get(), nullptr, "Static", nullptr);
    char text[64] = {};
    GetWindowTextA(label, text, sizeof(text));
    EXPECT_EQ(std::string("您确定离开游戏么？"), text);
    // Enter confirms: OK is the default button.
    EXPECT_EQ(MAKELRESULT(IDOK, DC_HASDEFID), SendMessageA(dlg.get(), DM_GETDEFID, 0, 0));

    LOGFONTA font{};
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dlg.get(), WM_GETFONT, 0, 0)), sizeof(font), &font));
    EXPECT_EQ(std::string("宋体"), font.lfFaceName);
    // The charset byte of the template is checked there; Wine's dialog
    // manager creates the font with DEFAULT_CHARSET whatever it says.
    ScopedWindowDC screen(nullptr);
    EXPECT_EQ(-MulDiv(12, GetDeviceCaps(screen.get(), LOGPIXELSY), 72), font.lfHeight);
}

TEST(CloseConfirmationDialog, ControlsSitWhereTheDialogUnitsPutThem) {
    Window dlg(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CLOSE_BTN_DLG), nullptr,
                                  QuietDialogProc, 0));
    ASSERT_TRUE(dlg);
    struct { int id; RECT units; } items[] = {{IDOK, {29, 43, 79, 57}}, {IDCANCEL, {100, 43, 150, 57}}};
    for (auto& item : items) {
        RECT expected = item.units;
        ASSERT_TRUE(MapDialogRect(dlg.get(), &expected));
        RECT actual = ChildRect(dlg.get(), item.id);
        EXPECT_EQ(expected.left, actual.left) << item.id;
        EXPECT_EQ(expected.top, actual.top) << item.id;
        EXPECT_EQ(expected.right, actual.right) << item.id;
        EXPECT_EQ(expected.bottom, actual.bottom) << item.id;
    }
    RECT frame = {0, 0, 175, 64};
    ASSERT_TRUE(MapDialogRect(dlg.get(), &frame));
    RECT client{};
    GetClientRect(dlg.get(), &client);
    EXPECT_EQ(frame.right, client.right);
    EXPECT_EQ(frame.bottom, client.bottom);
}
