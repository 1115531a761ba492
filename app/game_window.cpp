// The game window's commands around the game page: the game menu, F5, the
// boss key that hides the window to the tray, the tray icon and its menu, and
// the close confirmation the skin's close button asks for.
#include "app/game_window.h"

#include "app/close_btn_dlg.h"
#include "app/vorn_login_dlg.h"
#include "browser/browser_cache.h"
#include "resource.h"

#include <cstring>

namespace {

constexpr char kMenuRefresh[] = "刷新(F5)";
constexpr char kMenuClearCache[] = "清理缓存";
constexpr char kMenuBossKey[] = "老板键(F11)";
constexpr char kTrayMenuClose[] = "关闭";

// Sent to every top-level window when the shell (and its notification area)
// starts again.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

// A popup menu of (command, text) items, tracked at the cursor with its left
// edge there; the chosen command reaches owner as WM_COMMAND.
void TrackMenuAtCursor(HWND owner, std::initializer_list<std::pair<UINT, const char*>> items) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    HMENU menu = CreatePopupMenu();
    if (!menu) {
        return;
    }
    for (const auto& item : items) {
        AppendMenuA(menu, MF_STRING, item.first, item.second);
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN, cursor.x, cursor.y, 0, owner, nullptr);
    DestroyMenu(menu);
}

}  // namespace

bool CVorn_LoginDlg::AddTrayIcon() {
    lstrcpynA(m_nid.szTip, kTrayTip, sizeof m_nid.szTip);
    return Shell_NotifyIconA(NIM_ADD, &m_nid) != FALSE;
}

void CVorn_LoginDlg::HideToTray() {
    if (m_bInTray) {
        return;  // already hidden: nothing visible changes
    }
    // Without a notification area nothing would lead back to a running game:
    // the window then stays where it is.
    if (!AddTrayIcon()) {
        return;
    }
    m_bInTray = true;
    ShowWindow(SW_HIDE);
}

void CVorn_LoginDlg::ShowGameMenu() {
    TrackMenuAtCursor(m_hWnd, {{ID_MENU_REFRESH, kMenuRefresh},
                               {ID_MENU_CLEAR_CACHE, kMenuClearCache},
                               {ID_MENU_BOSS_KEY, kMenuBossKey}});
}

bool CVorn_LoginDlg::ConfirmClose() {
    // No parent: the framework makes the main window the owner and disables it.
    CCloseBtnDlg dlg(nullptr);
    return dlg.DoModal() == IDOK;
}

LRESULT CVorn_LoginDlg::OnHotKey(WPARAM wParam, LPARAM) {
    if (wParam == ID_HOTKEY_BOSS) {
        HideToTray();
    }
    return Default();
}

LRESULT CVorn_LoginDlg::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam != kTrayIconId) {
        return 1;
    }
    if (lParam == WM_LBUTTONUP) {
        ShowWindow(SW_SHOWNORMAL);
        Shell_NotifyIconA(NIM_DELETE, &m_nid);
        m_bInTray = false;
    } else if (lParam == WM_RBUTTONUP) {
        // The cancel command ends the program at once, without confirmation.
        TrackMenuAtCursor(m_hWnd, {{IDCANCEL, kTrayMenuClose}});
    }
    return 0;
}

LRESULT CVorn_LoginDlg::OnDestroy(WPARAM, LPARAM) {
    // Never filled in the launcher phase: then there is no icon to remove.
    if (m_nid.hWnd) {
        Shell_NotifyIconA(NIM_DELETE, &m_nid);
    }
    m_bInTray = false;
    return Default();
}

void CVorn_LoginDlg::OnMenuRefresh() { m_explorer.Refresh(); }

void CVorn_LoginDlg::OnMenuClearCache() { ClearBrowserCache(); }

void CVorn_LoginDlg::OnMenuBossKey() { HideToTray(); }

BOOL CVorn_LoginDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == ID_ACCEL_REFRESH) {
        m_explorer.Refresh();
    }
    return CDialogEx::OnCommand(wParam, lParam);
}

LRESULT CVorn_LoginDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A restarted shell forgets the icon; while hidden it is the only way back.
    if (message == TaskbarCreatedMessage() && m_bInTray) {
        AddTrayIcon();
    }
    return CDialogEx::WindowProc(message, wParam, lParam);
}
