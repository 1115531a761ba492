// CSkinWin: the game window's frame, painted from the program's bitmaps. A
// window hook that answers the non-client messages itself: the client area
// shrinks by the frame images, the caption (icon, title, nine image buttons)
// is composed off screen and copied in one block, and so are the borders and
// the bottom strip, drawn once per window size. Its hit testing and mouse
// handling drive the caption buttons, dragging and sizing; the window
// maximises into the work area, restores and minimises under the skin's own
// control rather than the system's maximised state.
//
// Painting: skin_paint.cpp. Hit testing and the caption's mouse handling:
// skin_hittest.cpp. Window commands and the system menu: skin_commands.cpp.
#pragma once

#include "owners/gdi_owners.h"
#include "skin/frame_geometry.h"
#include "skin/offscreen.h"
#include "skin/skin_bitmap.h"
#include "skin/subclass_wnd.h"

#include <string>
#include <vector>

// What the caption's buttons ask of the window that wears the skin.
class CSkinOwner {
public:
    virtual void ShowGameMenu() = 0;
    virtual void HideToTray() = 0;
    // Asks the player whether to leave the game; true to close the window.
    virtual bool ConfirmClose() = 0;
    // The server number and user name the recharge address is filled with.
    virtual int RechargeServerId() const = 0;
    virtual std::string RechargeUserName() const = 0;

protected:
    ~CSkinOwner() = default;
};

class CSkinWin : public CSubclassWnd {
public:
    // Window states under the skin.
    enum { kNormal = 0, kMaximised = 1, kMinimised = 2 };

    explicit CSkinWin(CSkinOwner* owner = nullptr);
    ~CSkinWin() override;

    // Loads the frame images and the caption buttons and lays them out.
    BOOL PrepareSkin();
    // Hooks pWnd (after taking any earlier hook of this object off) and drops
    // its WS_SYSMENU; FALSE without a window or before PrepareSkin.
    BOOL ApplyTo(CWnd* pWnd);
    BOOL ApplyToHandle(HWND hWnd);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Painting (skin_paint.cpp).
    void PaintFrame();
    void DrawTopStrip(HDC dc, int x, int y, int width);
    void DrawBottomStrip(HDC dc, int x, int y, int width);
    void DrawLeftBorder(HDC dc, int x, int y, int height);
    void DrawRightBorder(HDC dc, int x, int y, int height);
    void DrawBorders(HDC dc, int x, int y, int width, int height);

    // Hit testing and the caption's mouse (skin_hittest.cpp).
    int HitTest(POINT screen);

    // Window commands (skin_commands.cpp).
    BOOL MaximizeToWorkArea();
    BOOL RestoreWindow();
    BOOL MinimizeWindow();
    BOOL ShowSystemMenu(int x, int y);

    // The caption's links, opened in the default browser.
    BOOL OpenForumLink();
    BOOL OpenRechargeLink();
    BOOL OpenHomeLink();

    skin::FrameMetrics Frame() const;

    std::vector<CSkinButton*> m_buttons;
    std::string m_strTitle;
    CMyBitmap m_bmpTop, m_bmpLeft, m_bmpRight, m_bmpBottom;
    int m_nLastHitCode = -1;
    int m_nHoverCode = 0;
    int m_nDownCode = 0;
    int m_nTopTileRight = 0;
    int m_nLeftTileTop = 0, m_nLeftTileBottom = 0;
    int m_nRightTileTop = 0, m_nRightTileBottom = 0;
    CSkinButton m_sbMinimize, m_sbRestore, m_sbClose, m_sbMaximize, m_sbSettings, m_sbTray, m_sbRecharge, m_sbHome,
        m_sbForum;
    RECT m_rcRestore = {};
    int m_nWindowState = kNormal;
    int m_nLastState = kNormal;
    // Resize zones and the caption double-click; set once the skin is applied.
    BOOL m_bResizable = FALSE;
    int m_nCaptionHeight = 0;
    int m_nLeftWidth = 0;
    int m_nRightWidth = 0;
    int m_nBottomHeight = 0;
    int m_nTitleLeft = 0, m_nTitleTop = 0;
    COLORREF m_crTitleActive = 0, m_crTitleInactive = 0;
    COLORREF m_crTransparent = 0;
    BOOL m_bClipCaption = FALSE;
    BOOL m_bPrepared = FALSE;
    BOOL m_bActive = FALSE;
    // The caption buffer: declared bitmap first, so the context that holds it
    // selected goes first.
    CMyBitmap m_bmpCaption;
    ScopedDC m_pCaptionDC;
    ScopedRegion m_hCaptionRgn;
    int m_nCaptionWidth = 0;        // the window width last rendered
    int m_nCaptionBufferWidth = 0;  // the buffer's own width
    // The caption's small icon and title font, made with the buffer.
    ScopedIcon m_captionIcon;
    ScopedFont m_titleFont;
    // What lies under the caption's buttons (top strip and side borders), as
    // wide as the buffer: a button whose frame changed is redrawn over it.
    COffscreen m_captionBackground;
    // What the caption buffer shows besides the buttons' frames.
    std::string m_strShownTitle;
    BOOL m_bShownActive = FALSE;
    bool m_bShownMaximised = false;
    RECT m_rcShownTitleInk = {};  // where the title's pixels may lie
    // The side borders and the bottom strip at the window's size.
    COffscreen m_leftBorder, m_rightBorder, m_bottomStrip;

private:
    LRESULT OnNcMouseMove(int hit, POINT p);
    LRESULT OnNcLButtonDown(int hit, POINT p);
    LRESULT OnNcLButtonUp(int hit);
    LRESULT OnNcLButtonDblClk(int hit);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    // TRUE when wParam named a system-menu item and was carried out.
    bool OnSystemMenuCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    void ClearCodesAndPaint();
    void ToggleMaximised();
    void RestoreFromMinimised(bool keepLastState);
    void EnsureCaptionBuffer(HDC window, int width);
    bool CaptionShowsCurrentText(int width) const;
    void RenderCaption(const RECT& windowRect);
    void RenderChangedButtons(const RECT& windowRect);
    void DrawIconAndTitle(HDC buffer, int width);
    // The button drawn at the shared restore and maximise place now.
    const CSkinButton* HiddenButton() const;

    CSkinOwner* m_pOwner;
};

// A point carried in lParam of the non-client messages (screen coordinates).
POINT PointFromLParam(LPARAM lParam);
