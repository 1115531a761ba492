// CSkinWin: preparation, installation, the message dispatch and the
// caption's links.
#include "skin/skin_win.h"

#include "browser/external_links.h"
#include "framework/wnd.h"

namespace {

// Bitmap resources of the skin.
enum : UINT {
    kBottom = 155, kLeft = 156, kRight = 157, kTop = 158,
    kClose = 159, kRestore = 160, kMaximize = 161, kMinimize = 162,
    kTray = 164, kSettings = 165, kForum = 166, kRecharge = 167, kHome = 168,
};

constexpr int kButtonTop = 4;
constexpr int kFirstButtonOffset = 4;
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

POINT PointFromLParam(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

CSkinWin::CSkinWin(CSkinOwner* owner) : m_pOwner(owner) {}

CSkinWin::~CSkinWin() = default;

skin::FrameMetrics CSkinWin::Frame() const {
    return skin::FrameMetrics{m_nCaptionHeight, m_nLeftWidth, m_nRightWidth, m_nBottomHeight};
}

BOOL CSkinWin::PrepareSkin() {
    const HMODULE module = GetModuleHandleA(nullptr);
    m_bmpTop.ReloadResource(kTop, RT_BITMAP, module, 0);
    m_bmpLeft.ReloadResource(kLeft, RT_BITMAP, module, 0);
    m_bmpRight.ReloadResource(kRight, RT_BITMAP, module, 0);
    m_bmpBottom.ReloadResource(kBottom, RT_BITMAP, module, 0);
    m_nCaptionHeight = m_bmpTop.Height();
    m_nLeftWidth = m_bmpLeft.Width();
    m_nRightWidth = m_bmpRight.Width();
    m_nBottomHeight = m_bmpBottom.Height();
    m_nTopTileRight = 4;
    skin::SideTileRows(m_bmpLeft.Height(), Frame(), &m_nLeftTileTop, &m_nLeftTileBottom);
    skin::SideTileRows(m_bmpRight.Height(), Frame(), &m_nRightTileTop, &m_nRightTileBottom);

    // Right to left from the window's edge; restore and maximise share a place.
    m_buttons.clear();
    int offset = kFirstButtonOffset;
    const auto place = [&](CSkinButton& button, UINT id, int code, bool advance) {
        button.LoadStrip(id, offset, kButtonTop, code);
        m_buttons.push_back(&button);
        if (advance) offset += button.Width() / button.m_nFrames;
    };
    place(m_sbClose, kClose, HTCLOSE, true);
    place(m_sbRestore, kRestore, HTMAXBUTTON, false);
    place(m_sbMaximize, kMaximize, HTMAXBUTTON, true);
    place(m_sbMinimize, kMinimize, HTMINBUTTON, true);
    place(m_sbTray, kTray, skin::kHitTray, true);
    place(m_sbSettings, kSettings, skin::kHitSettings, true);
    place(m_sbForum, kForum, skin::kHitForum, true);
    place(m_sbRecharge, kRecharge, skin::kHitRecharge, true);
    place(m_sbHome, kHome, skin::kHitHome, true);

    m_nTitleLeft = 30;
    m_nTitleTop = 0;
    m_crTitleActive = m_crTitleInactive = kWhite;
    m_bClipCaption = TRUE;
    m_crTransparent = kMagenta;
    m_bPrepared = TRUE;
    return TRUE;
}

BOOL CSkinWin::ApplyTo(CWnd* pWnd) {
    return ApplyToHandle(pWnd ? pWnd->GetSafeHwnd() : nullptr);
}

BOOL CSkinWin::ApplyToHandle(HWND hWnd) {
    if (!hWnd || !m_bPrepared) {
        return FALSE;
    }
    InstallHandle(nullptr);
    const BOOL installed = InstallHandle(hWnd);
    SetWindowLongPtrA(hWnd, GWL_STYLE, GetWindowLongPtrA(hWnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_SYSMENU));
    // The game window has a sizing frame and may be sized down to its limits.
    m_bResizable = TRUE;
    return installed;
}

LRESULT CSkinWin::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(m_hTarget)) {
        return 0;
    }
    if (!m_bPrepared) {
        return PassOn();
    }
    switch (message) {
        case WM_SIZE:
            PassOn();
            InvalidateRect(m_hTarget, nullptr, TRUE);
            PaintFrame();
            return 0;
        case WM_ACTIVATE:
            m_bActive = wParam == WA_ACTIVE || wParam == WA_CLICKACTIVE;
            PaintFrame();  // as WM_NCACTIVATE with that flag
            return 0;
        case WM_SETTEXT:
            PassOn();
            m_strTitle = lParam ? reinterpret_cast<const char*>(lParam) : "";
            PaintFrame();
            return 0;
        case WM_SHOWWINDOW:
            if (wParam) {
                // Raise and activate, recomputing the frame, without moving.
                SetWindowPos(m_hTarget, nullptr, 0, 0, 400, 400, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
            }
            PassOn();
            return 0;
        case WM_WINDOWPOSCHANGING:
        case WM_SIZING:
        case WM_NCRBUTTONUP:
            return 0;
        case WM_NCCALCSIZE:
            return OnNcCalcSize(wParam, lParam);
        case WM_NCPAINT:
            PaintFrame();
            return 0;
        case WM_NCACTIVATE:
            m_bActive = static_cast<BOOL>(wParam);
            PaintFrame();
            return wParam ? 0 : 1;
        case WM_NCHITTEST:
            return HitTest(PointFromLParam(lParam));
        case WM_NCMOUSEMOVE:
            return OnNcMouseMove(static_cast<int>(wParam), PointFromLParam(lParam));
        case WM_NCLBUTTONDOWN:
            return OnNcLButtonDown(static_cast<int>(wParam), PointFromLParam(lParam));
        case WM_NCLBUTTONUP:
            return OnNcLButtonUp(static_cast<int>(wParam));
        case WM_NCLBUTTONDBLCLK:
            return OnNcLButtonDblClk(static_cast<int>(wParam));
        case WM_NCRBUTTONDOWN:
            if (wParam == HTCAPTION) {
                const POINT p = PointFromLParam(lParam);
                ShowSystemMenu(p.x, p.y);
            }
            return 0;
        case WM_COMMAND:
            if (!OnSystemMenuCommand(wParam, lParam)) PassOn();
            return 0;
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam, lParam);
        case WM_INITMENUPOPUP:
            PassOn();
            return 0;
        default:
            return PassOn();
    }
}

LRESULT CSkinWin::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
    if (!wParam) {
        return PassOn();
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    params->rgrc[0] = skin::ClientFromWindow(params->rgrc[0], Frame());
    params->rgrc[1] = params->rgrc[0];
    return 0;
}

BOOL CSkinWin::OpenForumLink() {
    links::OpenSitePage(links::SitePage::kForum);
    return TRUE;
}

BOOL CSkinWin::OpenRechargeLink() {
    const int server = m_pOwner ? m_pOwner->RechargeServerId() : 0;
    const std::string user = m_pOwner ? m_pOwner->RechargeUserName() : std::string();
    links::OpenLink(links::FillRechargePlaceholders(links::SitePageAddress(links::SitePage::kRecharge), server, user));
    return TRUE;
}

BOOL CSkinWin::OpenHomeLink() {
    links::OpenSitePage(links::SitePage::kHome);
    return TRUE;
}
