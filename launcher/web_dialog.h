// CWebDialog: the launcher. A borderless popup over the main window, all
// colour key except its browser (the launcher page from clientAddr) and six
// image buttons. It runs the update step while it initialises, and hands the
// player to the game when its browser completes the game's address.
#pragma once

#include "framework.h"

#include "browser/explorer1.h"
#include "owners/gdi_owners.h"

class CWebDialog : public CDialogEx {
public:
    explicit CWebDialog(CWnd* pParent);
    ~CWebDialog() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The one browser event of control 1001 the launcher acts on.
    void OnNavigateComplete2(LPDISPATCH pDisp, VARIANT* URL);

    // The links to the site's pages in the default browser.
    void OnBnClickedForum();
    void OnBnClickedRecharge();
    void OnBnClickedHome();
    void OnBnClickedService();

    // Completes a staged update, checks for a newer version and hands over to
    // the updater when there is one (then the process ends here).
    void RunUpdateStep();

    const MessageMap* GetMessageMap() const override;
    const EventSinkMap* GetEventSinkMap() const override;

    const COLORREF m_crKey;
    ScopedGdiObject<HBRUSH> m_brKey;  // paints the whole dialog surface in the key colour
    CExplorer1 m_explorer;
    CMFCButton m_btnClose;
    CMFCButton m_btnMin;
    CMFCButton m_btnService;
    CMFCButton m_btnForum;
    CMFCButton m_btnHome;
    CMFCButton m_btnRecharge;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColorDlg(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddTooltips(WPARAM wParam, LPARAM lParam);
    void OnBnClickedClose();
    void OnBnClickedMin();

    void MakeColourKeyed();
    void PlaceButtons();
    // The image button of launcher::kButtons[index].
    CMFCButton& Button(size_t index);
};
