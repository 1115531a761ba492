// The image button: an owner-drawn BUTTON whose parent hands it WM_DRAWITEM.
// Each paint composes in a memory DC: the parent's own background (its
// WM_ERASEBKGND painted at the button's offset) when transparent, then the
// state's PNG with its alpha, then the optional focus rectangle. No frame:
// the program's buttons are flat pictures.
#include "mfc_button.h"
#include <commctrl.h>
#include <algorithm>
#include <gdiplus.h>
#include "framework_internal.h"
#include "owners/gdi_owners.h"
#include "resource_picture.h"
#include "winapp.h"

namespace {

// A PNG resource of type "PNG", copied into a premultiplied bitmap so that
// nothing depends on the stream after loading; null for 0 or a missing one.
std::unique_ptr<Gdiplus::Bitmap> LoadPngResource(UINT id) {
    if (id == 0) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> decoded = DecodeResourcePicture(AfxGetInstanceHandle(), id, "PNG");
    if (decoded->GetLastStatus() != Gdiplus::Ok) return nullptr;
    const INT w = static_cast<INT>(decoded->GetWidth()), h = static_cast<INT>(decoded->GetHeight());
    auto image = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat32bppPARGB);
    {
        Gdiplus::Graphics g(image.get());
        g.DrawImage(decoded.get(), 0, 0, w, h);
    }
    return image;
}

}  // namespace

void RegisterFrameworkClasses() {
    static bool registered = false;
    if (registered) return;
    // "MfcButton" is a BUTTON under another name, so templates can name it.
    WNDCLASSA button{};
    if (GetClassInfoA(nullptr, "Button", &button)) {
        button.lpszClassName = kMfcButtonClass;
        button.hInstance = GetModuleHandleA(nullptr);
        button.style |= CS_GLOBALCLASS;
        registered = RegisterClassA(&button) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
}

CMFCButton::CMFCButton() = default;
CMFCButton::~CMFCButton() = default;

const MessageMap* CMFCButton::GetMessageMap() const {
    static const MessageEntry entries[] = {
        MapMessage(WM_MOUSEMOVE, &CMFCButton::OnMouseMove),
        MapMessage(WM_MOUSELEAVE, &CMFCButton::OnMouseLeave),
        MapMessage(WM_ERASEBKGND, &CMFCButton::OnEraseBkgnd),
        MapMessage(WM_DESTROY, &CMFCButton::OnDestroy),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

void CMFCButton::PreSubclassWindow() {
    DWORD style = GetStyle();
    SendMessage(BM_SETSTYLE, (style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW, TRUE);
    if (!m_strTooltip.IsEmpty()) AddTool();
}

void CMFCButton::SetImage(UINT uiBmpResId, UINT uiBmpHotResId, UINT uiBmpDsblResID) {
    m_imageNormal = LoadPngResource(uiBmpResId);
    m_imageHot = LoadPngResource(uiBmpHotResId);
    m_imageDisabled = LoadPngResource(uiBmpDsblResID);
    if (m_hWnd) Invalidate(FALSE);
}

void CMFCButton::SetTooltip(LPCTSTR lpszToolTipText) {
    m_strTooltip = lpszToolTipText;
    if (m_hWnd) AddTool();
}

void CMFCButton::AddTool() {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(m_hWnd);
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = const_cast<char*>(static_cast<const char*>(m_strTooltip));
    if (m_hToolTip) {
        ::SendMessageA(m_hToolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    m_hToolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                 AfxGetInstanceHandle(), nullptr);
    if (m_hToolTip) ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CMFCButton::OnMouseMove(WPARAM, LPARAM) {
    if (!m_bHighlighted) {
        m_bHighlighted = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
        TrackMouseEvent(&track);
        Invalidate(FALSE);
    }
    return Default();
}

LRESULT CMFCButton::OnMouseLeave(WPARAM, LPARAM) {
    m_bHighlighted = false;
    Invalidate(FALSE);
    return Default();
}

// Everything is painted in DrawItem; erasing first would only flicker.
LRESULT CMFCButton::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

LRESULT CMFCButton::OnDestroy(WPARAM, LPARAM) {
    if (m_hToolTip) ::DestroyWindow(m_hToolTip);
    m_hToolTip = nullptr;
    m_bHighlighted = false;
    return Default();
}

void CMFCButton::DrawItem(LPDRAWITEMSTRUCT item) {
    const RECT rc = item->rcItem;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return;
    ScopedMemoryDC canvas(item->hDC);
    ScopedBitmap canvasBitmap(CreateCompatibleBitmap(item->hDC, w, h));
    ScopedSelection canvasSelection(canvas.get(), canvasBitmap.get());
    HDC memory = canvas.get();

    HWND parent = ::GetParent(m_hWnd);
    if (m_bTransparent && parent) {
        POINT origin{0, 0};
        MapWindowPoints(m_hWnd, parent, &origin, 1);
        POINT saved{};
        SetViewportOrgEx(memory, -origin.x, -origin.y, &saved);
        ::SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
        SetViewportOrgEx(memory, saved.x, saved.y, nullptr);
    } else {
        FillRect(memory, &rc, GetSysColorBrush(COLOR_BTNFACE));
    }

    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    Gdiplus::Bitmap* image = m_imageNormal.get();
    if (disabled && m_imageDisabled) image = m_imageDisabled.get();
    else if (!disabled && (m_bHighlighted || pressed) && m_imageHot) image = m_imageHot.get();
    if (image) {
        Gdiplus::Graphics g(memory);
        const INT iw = static_cast<INT>(image->GetWidth()), ih = static_cast<INT>(image->GetHeight());
        g.DrawImage(image, (w - iw) / 2, (h - ih) / 2, iw, ih);
    }

    if (m_bDrawFocus && (item->itemState & ODS_FOCUS)) {
        RECT frame = {3, 3, w - 3, h - 3};
        DrawFocusRect(memory, &frame);
    }

    BitBlt(item->hDC, rc.left, rc.top, w, h, memory, 0, 0, SRCCOPY);
}
