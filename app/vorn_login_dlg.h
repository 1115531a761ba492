// CVorn_LoginDlg: the program's main window, on dialog template 102. In the
// launcher phase it is a borderless layered window showing the background
// picture, with the launcher dialog laid over it and following its moves. In
// the game phase it wears the skin and offers the game menu, F5, the boss key
// (F11, the menu, the caption's tray button) and the tray icon
// (game_window.cpp).
#pragma once

#include "browser/explorer1.h"
#include "framework.h"
#include "skin/skin_win.h"

#include <shellapi.h>

#include <string>

class CVorn_LoginDlg : public CDialogEx, public CSkinOwner {
public:
    enum { IDD = 102 };  // IDD_VORN_LOGIN_DIALOG

    explicit CVorn_LoginDlg(CWnd* pParent = nullptr);

    // The launcher saw the game's address: become the game window, once.
    void SwitchToGame(CString url);

    HICON m_hIcon;
    bool m_bInGame = false;
    CExplorer1 m_explorer;
    HACCEL m_hAccel = nullptr;
    // The game window's frame; hooks nothing until the game phase.
    CSkinWin m_skin{this};
    NOTIFYICONDATAA m_nid = {};
    int m_nServerId = 0;
    CString m_strUserName;

    // Hides the game window, leaving the tray icon as the way back.
    void HideToTray() override;
    // The game menu at the cursor: refresh, clear the cache, boss key.
    void ShowGameMenu() override;
    // CSkinOwner
    bool ConfirmClose() override;
    int RechargeServerId() const override { return m_nServerId; }
    std::string RechargeUserName() const override { return m_strUserName.str(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter never ends the main window.
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const MessageMap* GetMessageMap() const override;

    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    void OnMenuRefresh();
    void OnMenuClearCache();
    void OnMenuBossKey();

private:
    // Shows the tray icon; false when the shell has no notification area.
    bool AddTrayIcon();
    // The game window is hidden and only the tray icon leads back.
    bool m_bInTray = false;
};
