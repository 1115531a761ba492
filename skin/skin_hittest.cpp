// CSkinWin's hit testing and the caption's mouse: button frames, dragging
// and sizing through the system's own loops, and the buttons' actions.
#include "skin/skin_win.h"

namespace {

bool Contains(const RECT& r, POINT q) {
    return q.x >= r.left && q.x < r.right && q.y >= r.top && q.y < r.bottom;
}

}  // namespace

int CSkinWin::HitTest(POINT screen) {
    RECT rc = {};
    GetWindowRect(m_hTarget, &rc);
    const POINT q = {screen.x - rc.left, screen.y - rc.top};
    for (CSkinButton* button : m_buttons) {
        button->SetState(0);
        if (Contains(button->GetPlacedRect(rc), q)) {
            button->SetState(1);  // later buttons keep their frames
            return button->m_nHitCode;
        }
    }
    const SIZE icon = {GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
    return skin::FrameHitCode(q, rc.right - rc.left, rc.bottom - rc.top, Frame(), icon, m_bResizable != FALSE,
                              m_nWindowState == kMaximised);
}

LRESULT CSkinWin::OnNcMouseMove(int hit, POINT p) {
    if (skin::IsResizeCode(hit) || (hit == HTCAPTION && m_nWindowState != kMaximised)) {
        PassOn();
    }
    m_nHoverCode = hit;
    RECT rc = {};
    GetWindowRect(m_hTarget, &rc);
    const POINT q = {p.x - rc.left, p.y - rc.top};
    for (CSkinButton* button : m_buttons) {
        button->SetState(0);
        if (Contains(button->GetPlacedRect(rc), q)) {
            button->SetState(2);
            m_nHoverCode = button->m_nHitCode;
        }
    }
    m_nDownCode = 0;
    if (hit != m_nLastHitCode) {
        PaintFrame();
        m_nLastHitCode = hit;
    }
    return 0;
}

LRESULT CSkinWin::OnNcLButtonDown(int hit, POINT p) {
    m_nDownCode = m_nHoverCode = hit;
    PaintFrame();
    if (skin::IsResizeCode(hit) || (hit == HTCAPTION && m_nWindowState != kMaximised)) {
        // The window's own procedure runs the system's sizing or moving loop;
        // a maximised window is never dragged by its caption.
        PassOn();
    } else if (hit == HTSYSMENU) {
        ShowSystemMenu(p.x, p.y);
    }
    return 0;
}

void CSkinWin::ClearCodesAndPaint() {
    m_nDownCode = m_nHoverCode = 0;
    PaintFrame();
}

LRESULT CSkinWin::OnNcLButtonUp(int hit) {
    // The release decides, wherever the press was.
    switch (hit) {
        case HTCLOSE: {
            const HWND target = m_hTarget;
            if (m_pOwner && m_pOwner->ConfirmClose()) {
                SendMessageA(target, WM_CLOSE, 0, 0);
            }
            return 0;
        }
        case HTMINBUTTON: MinimizeWindow(); break;
        case HTMAXBUTTON: ToggleMaximised(); break;
        case skin::kHitSettings: if (m_pOwner) m_pOwner->ShowGameMenu(); break;
        case skin::kHitTray: if (m_pOwner) m_pOwner->HideToTray(); break;
        case skin::kHitForum: OpenForumLink(); break;
        case skin::kHitRecharge: OpenRechargeLink(); break;
        case skin::kHitHome: OpenHomeLink(); break;
        default: return 0;
    }
    ClearCodesAndPaint();
    return 0;
}

LRESULT CSkinWin::OnNcLButtonDblClk(int hit) {
    if (hit == HTCAPTION && m_bResizable) {
        ToggleMaximised();
        ClearCodesAndPaint();
    }
    return 0;
}
