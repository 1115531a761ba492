// CSkinWin's window commands: maximised into the work area (never the
// system's maximised state), restored to the saved rectangle, minimised and
// restored to the earlier state, and the system menu.
#include "skin/skin_win.h"

BOOL CSkinWin::MaximizeToWorkArea() {
    GetWindowRect(m_hTarget, &m_rcRestore);
    m_nWindowState = kMaximised;
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(m_hTarget, work.left, work.top, work.right - work.left, work.bottom - work.top, TRUE);
    UpdateWindow(m_hTarget);
    return TRUE;
}

BOOL CSkinWin::RestoreWindow() {
    if (m_nWindowState == kMaximised) {
        MoveWindow(m_hTarget, m_rcRestore.left, m_rcRestore.top, m_rcRestore.right - m_rcRestore.left,
                   m_rcRestore.bottom - m_rcRestore.top, TRUE);
        m_nWindowState = kNormal;
        UpdateWindow(m_hTarget);
    }
    return TRUE;
}

BOOL CSkinWin::MinimizeWindow() {
    // The state to come back to, taken now: a restore from maximised paints
    // before its state changes, so the last paint may still say maximised.
    if (m_nWindowState != kMinimised) {
        m_nLastState = m_nWindowState;
    }
    m_nWindowState = kMinimised;
    ShowWindow(m_hTarget, SW_MINIMIZE);
    return TRUE;
}

BOOL CSkinWin::ShowSystemMenu(int x, int y) {
    // The menu is the window's own; it is borrowed, not destroyed.
    TrackPopupMenu(GetSystemMenu(m_hTarget, FALSE), 0, x, y, 0, m_hTarget, nullptr);
    return TRUE;
}

void CSkinWin::ToggleMaximised() {
    if (m_nWindowState == kMaximised) {
        RestoreWindow();
    } else {
        MaximizeToWorkArea();
    }
}

void CSkinWin::RestoreFromMinimised(bool keepLastState) {
    ShowWindow(m_hTarget, SW_RESTORE);
    m_nWindowState = m_nLastState;
    if (!keepLastState) {
        m_nLastState = kMinimised;  // so the next paint renders the caption again
    }
    PaintFrame();
}

LRESULT CSkinWin::OnSysCommand(WPARAM wParam, LPARAM) {
    if (wParam == SC_MAXIMIZE) {
        MaximizeToWorkArea();
    } else if (wParam == SC_RESTORE && m_nWindowState == kMaximised) {
        RestoreWindow();
    } else if (wParam == SC_RESTORE && m_nWindowState == kMinimised) {
        RestoreFromMinimised(false);
    } else {
        PassOn();
    }
    return 0;
}

bool CSkinWin::OnSystemMenuCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) {
        return false;
    }
    HMENU menu = GetSystemMenu(m_hTarget, FALSE);
    bool found = false;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count && !found; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        found = id != static_cast<UINT>(-1) && id == wParam;
    }
    if (!found) {
        return false;
    }
    if (wParam == SC_MAXIMIZE) {
        MaximizeToWorkArea();
    } else if (wParam == SC_MINIMIZE) {
        MinimizeWindow();
    } else if (wParam == SC_RESTORE && m_nWindowState == kMaximised) {
        RestoreWindow();
    } else if (wParam == SC_RESTORE && m_nWindowState == kMinimised) {
        RestoreFromMinimised(true);
    } else {
        // Close, move, size: to the window's own procedure as system commands.
        SendMessageA(m_hTarget, WM_SYSCOMMAND, wParam, lParam);
    }
    return true;
}
