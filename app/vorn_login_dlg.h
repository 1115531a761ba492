// CVorn_LoginDlg: the program's main window, on dialog template 102. In the
// launcher phase it is a borderless layered window showing the background
// picture, with the launcher dialog laid over it and following its moves.
#pragma once

#include "browser/explorer1.h"
#include "framework.h"

#include <shellapi.h>

class CVorn_LoginDlg : public CDialogEx {
public:
    enum { IDD = 102 };  // IDD_VORN_LOGIN_DIALOG

    explicit CVorn_LoginDlg(CWnd* pParent = nullptr);

    // The launcher saw the game's address: become the game window, once.
    void SwitchToGame(CString url);

    HICON m_hIcon;
    bool m_bInGame = false;
    CExplorer1 m_explorer;
    HACCEL m_hAccel = nullptr;
    // TODO: CSkinWin m_skin, the game window's frame skin, goes here.
    NOTIFYICONDATAA m_nid = {};
    int m_nServerId = 0;
    CString m_strUserName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter never ends the main window.
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    const MessageMap* GetMessageMap() const override;

    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
};
