// CWnd's style, placement, text and messaging operations: thin calls on the
// bound handle. A hosted control's placement goes through its site.
#include <cstdarg>
#include "control_site.h"
#include "dialog.h"
#include "occ.h"
#include "winapp.h"
#include "wnd.h"

namespace {

// The frame is not recalculated: callers change styles before the window's
// next move or size, which does that.
BOOL ModifyLong(HWND hWnd, int index, DWORD remove, DWORD add) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(hWnd, index));
    DWORD updated = (style & ~remove) | add;
    if (updated == style) return FALSE;
    SetWindowLongA(hWnd, index, static_cast<LONG>(updated));
    return TRUE;
}

}  // namespace

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)); }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd) { return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd); }
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd) { return ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd); }

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    if (m_pCtrlSite) {
        m_pCtrlSite->SetWindowPos(nullptr, x, y, nWidth, nHeight,
                                  SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
        return;
    }
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    HWND after = pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr;
    if (m_pCtrlSite) return m_pCtrlSite->SetWindowPos(after, x, y, cx, cy, nFlags);
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, nFlags);
}

void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
void CWnd::SetFocus() { ::SetFocus(m_hWnd); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }

void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                                  reinterpret_cast<LPARAM>(hIcon)));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    if (!lpszCaption && AfxGetApp()) lpszCaption = AfxGetApp()->m_pszAppName;
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID) {
    if (!pParentWnd || !pParentWnd->m_hWnd || m_hWnd) return FALSE;
    return pParentWnd->ControlContainer().CreateControl(this, clsid, pszWindowName, dwStyle, rect, nID) != nullptr;
}

void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                        const BYTE* pbParamInfo, ...) {
    if (!m_pCtrlSite) return;
    va_list args;
    va_start(args, pbParamInfo);
    // va_end must run even when the call throws.
    struct End { va_list& a; ~End() { va_end(a); } } end{args};
    m_pCtrlSite->InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
}

