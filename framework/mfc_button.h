// CMFCButton: an image button. Normal, hot (mouse over) and disabled PNG
// images with alpha, drawn with GDI+ over the parent's own background when
// transparent; optional tooltip. The program must have started GDI+.
//
// Bound to a "MfcButton" (or BUTTON) control by DDX_Control; the control is
// made owner-drawn and its parent hands WM_DRAWITEM to this object.
#pragma once
#include <memory>
#include "wnd.h"

namespace Gdiplus { class Bitmap; }

class CMFCButton : public CWnd {
public:
    CMFCButton();
    ~CMFCButton() override;

    // PNG resources (type "PNG") of the program's module; 0 for none. Without
    // a hot or disabled image the normal one is drawn instead.
    void SetImage(UINT uiBmpResId, UINT uiBmpHotResId = 0, UINT uiBmpDsblResID = 0);
    void SetTooltip(LPCTSTR lpszToolTipText);
    bool IsHighlighted() const { return m_bHighlighted; }

    BOOL m_bTransparent = FALSE;   // draw the parent's background under the image
    BOOL m_bDrawFocus = TRUE;      // a focus rectangle when focused

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    const MessageMap* GetMessageMap() const override;

protected:
    void PreSubclassWindow() override;

private:
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    void AddTool();

    std::unique_ptr<Gdiplus::Bitmap> m_imageNormal, m_imageHot, m_imageDisabled;
    CString m_strTooltip;
    HWND m_hToolTip = nullptr;
    bool m_bHighlighted = false;
};

// The window class of template controls that are image buttons.
constexpr char kMfcButtonClass[] = "MfcButton";
