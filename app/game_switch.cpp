// The main window's switch from the launcher phase to the game phase: taken
// once, when the launcher's browser completes the site's hand-over address.
#include "app/vorn_login_dlg.h"

#include "app/game_address.h"
#include "app/game_window.h"
#include "resource.h"

namespace {

constexpr int kGameWidth = 1280;
constexpr int kGameHeight = 800;

}  // namespace

void CVorn_LoginDlg::SwitchToGame(CString url) {
    if (m_bInGame) {
        return;  // a later hand-over changes nothing
    }
    const HINSTANCE instance = AfxGetInstanceHandle();

    // The tray record, ready for the boss key; the icon shows only while hidden.
    m_nid = {};
    m_nid.cbSize = sizeof(NOTIFYICONDATAA);
#ifndef _WIN64
    // The full record the shell of Windows Vista and later reads in a 32-bit program.
    static_assert(sizeof(NOTIFYICONDATAA) == 508, "the tray record's size is the shell's, not ours");
#endif
    m_nid.hWnd = m_hWnd;
    m_nid.uID = kTrayIconId;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = kTrayCallbackMessage;
    m_nid.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));

    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
    m_hAccel = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATOR));
    ModifyStyle(0, WS_CAPTION | WS_THICKFRAME);
    MoveWindow(0, 0, kGameWidth, kGameHeight, TRUE);
    // If another program holds F11 the boss key simply stays inactive.
    RegisterHotKey(m_hWnd, ID_HOTKEY_BOSS, 0, VK_F11);

    m_nServerId = game::ServerIdFromAddress(url.str());
    m_strUserName = CString(game::UserNameFromAddress(url.str()));
    SetWindowText(game::GameTitle(m_nServerId).c_str());

    // The launcher phase's picture made the window layered; from now on it is
    // drawn normally, children included. Cleared rather than toggled, so a
    // window that never became layered does not turn into one.
    const LONG exStyle = GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    SetWindowLongA(m_hWnd, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);

    m_bInGame = true;
    RECT client;
    GetClientRect(&client);
    m_explorer.SetWindowPos(nullptr, 0, 0, client.right, client.bottom, SWP_NOMOVE | SWP_NOZORDER);

    // The skin's frame, maximised into the work area; restoring gives the
    // 0, 0, 1280 by 800 rectangle set above.
    m_skin.PrepareSkin();
    m_skin.ApplyTo(this);
    m_skin.MaximizeToWorkArea();

    m_explorer.Navigate(url, nullptr, nullptr, nullptr, nullptr);
    SetFocus();
}
