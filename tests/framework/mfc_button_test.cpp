// The image button on a dialog under Wine: its pictures with alpha over the
// parent's own background, hot and disabled states, tooltip, click.
#include <gtest/gtest.h>
#include "scripted_dialog.h"   // the Windows and OLE headers GDI+ needs first
#include <commctrl.h>
#include <gdiplus.h>
#include "owners/gdi_owners.h"

namespace {

constexpr COLORREF kParentColour = RGB(255, 0, 255);

class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(m_token); }
private:
    ULONG_PTR m_token = 0;
};

class ButtonDialog : public ScriptedDialog {
public:
    ButtonDialog() : ScriptedDialog(103) {}
    ~ButtonDialog() override = default;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 1006, m_button); }
    const MessageMap* GetMessageMap() const override {
        static const MessageEntry entries[] = {
            MapMessage(WM_CTLCOLORDLG, &ButtonDialog::OnCtlColorDlg),
            MapCommand(1006, &ButtonDialog::OnClicked),
        };
        static const MessageMap map(ScriptedDialog::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnCtlColorDlg(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_brush.get()); }
    void OnClicked() { ++clicks; }

    CMFCButton m_button;
    ScopedBrush m_brush{CreateSolidBrush(kParentColour)};
    int clicks = 0;
};

COLORREF PixelOf(HWND hWnd, int x, int y) {
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ScopedWindowDC dc(hWnd);
    return GetPixel(dc.get(), x, y);
}

BOOL CALLBACK FindTooltip(HWND h, LPARAM out) {
    char name[64];
    GetClassNameA(h, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) *reinterpret_cast<HWND*>(out) = h;
    return TRUE;
}

}  // namespace

TEST(MfcButton, PicturesWithAlphaOverTheParentStatesTooltipAndClick) {
    GdiplusSession gdiplus;
    ButtonDialog dlg;
    dlg.onInit = [&](ScriptedDialog&) {
        dlg.m_button.m_bTransparent = TRUE;
        dlg.m_button.m_bDrawFocus = FALSE;
        dlg.m_button.SetImage(200, 201, 202);
        dlg.m_button.SetTooltip("关闭");
        dlg.m_button.SetWindowPos(nullptr, 0, 0, 20, 10, SWP_NOMOVE | SWP_NOZORDER);   // the picture's size
    };
    HWND button = nullptr;
    COLORREF opaque = 0, half = 0, clear = 0, hot = 0, left = 0, disabled = 0;
    std::string tip;
    dlg.steps = {[&](ScriptedDialog&) {
        button = dlg.m_button.m_hWnd;
        EXPECT_EQ(BS_OWNERDRAW, dlg.m_button.GetStyle() & BS_TYPEMASK);
        RECT rc;
        ::GetClientRect(button, &rc);
        EXPECT_EQ(20, rc.right);
        EXPECT_EQ(10, rc.bottom);
        opaque = PixelOf(button, 2, 5);
        half = PixelOf(button, 12, 5);
        clear = PixelOf(button, 17, 5);
        ::SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        EXPECT_TRUE(dlg.m_button.IsHighlighted());
        hot = PixelOf(button, 2, 5);
        ::SendMessageA(button, WM_MOUSELEAVE, 0, 0);
        left = PixelOf(button, 2, 5);
        ::EnableWindow(button, FALSE);
        disabled = PixelOf(button, 2, 5);
        ::EnableWindow(button, TRUE);
        ::SendMessageA(button, BM_CLICK, 0, 0);

        HWND tooltip = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
        EXPECT_NE(nullptr, tooltip);
        char text[64] = "";
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.hwnd = dlg.m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = text;
        if (tooltip) ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        tip = text;
        dlg.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_EQ(RGB(255, 0, 0), opaque);
    EXPECT_EQ(kParentColour, clear);   // the parent's background, no button face
    EXPECT_GE(GetRValue(half), 250);
    EXPECT_EQ(0, GetGValue(half));
    EXPECT_NEAR(127, GetBValue(half), 4);   // half red over magenta
    EXPECT_EQ(RGB(0, 255, 0), hot);
    EXPECT_EQ(RGB(255, 0, 0), left);
    EXPECT_EQ(RGB(0, 0, 255), disabled);
    EXPECT_EQ(1, dlg.clicks);
    EXPECT_EQ(CString("关闭"), CString(tip.c_str()));
}

TEST(MfcButton, MissingPicturesDrawTheNormalOneOrNothing) {
    GdiplusSession gdiplus;
    ButtonDialog dlg;
    dlg.onInit = [&](ScriptedDialog&) {
        dlg.m_button.m_bTransparent = TRUE;
        dlg.m_button.SetImage(200, 0, 999);   // no hot picture, a missing disabled one
    };
    COLORREF hot = 0, disabled = 0, empty = 0;
    dlg.steps = {[&](ScriptedDialog&) {
        HWND button = dlg.m_button.m_hWnd;
        RECT rc;
        ::GetClientRect(button, &rc);
        const int x = (rc.right - 20) / 2 + 2, y = (rc.bottom - 10) / 2 + 5;   // centred picture
        ::SendMessageA(button, WM_MOUSEMOVE, 0, 0);
        hot = PixelOf(button, x, y);
        ::EnableWindow(button, FALSE);
        disabled = PixelOf(button, x, y);
        dlg.m_button.SetImage(0u);
        empty = PixelOf(button, x, y);
        dlg.EndDialog(1);
        return true;
    }};
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_EQ(RGB(255, 0, 0), hot);
    EXPECT_EQ(RGB(255, 0, 0), disabled);
    EXPECT_EQ(kParentColour, empty);
}
