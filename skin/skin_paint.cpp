// CSkinWin's painting. Every piece of the frame is composed off screen and
// copied to the window in one block per piece: the side borders and the
// bottom strip once per window size, the caption in its buffer. A caption
// whose text and window state are as shown gets only the buttons whose frame
// changed drawn again, over a copy of what lies under them, so a hover costs
// two buttons, not the whole caption.
#include "skin/skin_win.h"

#include <algorithm>

namespace {

// Icon 128 is the program's, in the caption as in the tray.
constexpr UINT kProgramIcon = 128;
// How far a title glyph may reach past the text's measured end.
constexpr int kTitleOverhang = 4;
// The title: 10 points (tenths of a point, as a point-size font takes them).
constexpr int kTitlePointTenths = 100;
constexpr char kTitleFace[] = "黑体";
constexpr UINT kTitleFormat = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS;

// Every piece from one selection of the image: a border of a tall window is
// a hundred pieces or more.
void DrawSideBorder(const CMyBitmap& image, HDC dc, int x, int y, int height, int tileTop, int tileBottom) {
    if (!image.GetSafeHandle()) {
        return;
    }
    const int width = image.Width();
    ScopedMemoryDC memory(dc);
    ScopedSelection selected(memory.get(), image.GetSafeHandle());
    for (const skin::BorderPiece& piece : skin::SideBorderPieces(y, height, image.Height(), tileTop, tileBottom)) {
        BitBlt(dc, x, piece.destY, width, piece.sourceBottom - piece.sourceTop, memory.get(), 0, piece.sourceTop,
               SRCCOPY);
    }
}

// A frame piece width by height at (x, y) on dc, copied from its off-screen
// copy, which draw(target, x, y) fills whenever the size changed; drawn
// straight onto dc when no copy can be kept.
template <class Draw>
void PaintPiece(COffscreen& copy, HDC dc, int x, int y, int width, int height, Draw draw) {
    if (copy.Resize(dc, width, height)) {
        draw(copy.GetDC(), 0, 0);
    }
    if (copy.IsEmpty()) {
        draw(dc, x, y);
    } else {
        BitBlt(dc, x, y, width, height, copy.GetDC(), 0, 0, SRCCOPY);
    }
}

HFONT CreateTitleFont(HDC dc) {
    LOGFONTA font = {};
    font.lfHeight = -MulDiv(kTitlePointTenths, GetDeviceCaps(dc, LOGPIXELSY), 720);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, kTitleFace, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

}  // namespace

void CSkinWin::DrawTopStrip(HDC dc, int x, int y, int width) {
    const RECT size = {0, 0, width, m_nCaptionHeight};
    m_bmpTop.DrawOpaque(dc, x, y, &size, true);
}

void CSkinWin::DrawBottomStrip(HDC dc, int x, int y, int width) {
    const RECT size = {0, 0, width, m_nBottomHeight};
    m_bmpBottom.DrawOpaque(dc, x, y, &size, true);
}

void CSkinWin::DrawLeftBorder(HDC dc, int x, int y, int height) {
    DrawSideBorder(m_bmpLeft, dc, x, y, height, m_nLeftTileTop, m_nLeftTileBottom);
}

void CSkinWin::DrawRightBorder(HDC dc, int x, int y, int height) {
    DrawSideBorder(m_bmpRight, dc, x, y, height, m_nRightTileTop, m_nRightTileBottom);
}

void CSkinWin::DrawBorders(HDC dc, int x, int y, int width, int height) {
    // A side border is a hundred tile copies or more: each piece is drawn
    // once per size. Nothing is drawn for a missing image.
    if (m_bmpLeft.GetSafeHandle()) {
        PaintPiece(m_leftBorder, dc, x, y, m_nLeftWidth, height,
                   [&](HDC to, int px, int py) { DrawLeftBorder(to, px, py, height); });
    }
    if (m_bmpRight.GetSafeHandle()) {
        PaintPiece(m_rightBorder, dc, x + width - m_nRightWidth, y, m_nRightWidth, height,
                   [&](HDC to, int px, int py) { DrawRightBorder(to, px, py, height); });
    }
    if (m_bmpBottom.GetSafeHandle()) {
        const int stripWidth = width - m_nRightWidth - m_nLeftWidth;
        PaintPiece(m_bottomStrip, dc, x + m_nLeftWidth, y + height - m_nBottomHeight, stripWidth, m_nBottomHeight,
                   [&](HDC to, int px, int py) { DrawBottomStrip(to, px, py, stripWidth); });
    }
}

void CSkinWin::EnsureCaptionBuffer(HDC window, int width) {
    const int wanted = skin::CaptionBufferWidth(m_nCaptionBufferWidth, width);
    if (m_pCaptionDC.get() && wanted <= m_nCaptionBufferWidth) {
        return;
    }
    // A wider window than ever before: a new buffer, and its region with it.
    m_pCaptionDC.reset();
    m_bmpCaption.DeleteObject();
    m_bmpCaption.CreateCompatibleBitmap(window, wanted, m_nCaptionHeight);
    // Read before the bitmap is selected: GetDIBits wants it unselected.
    m_hCaptionRgn.reset(m_bmpCaption.CreateRegion(m_crTransparent));
    m_pCaptionDC.reset(CreateCompatibleDC(window));
    SelectObject(m_pCaptionDC.get(), m_bmpCaption.GetSafeHandle());
    m_captionBackground.Resize(window, wanted, m_nCaptionHeight);
    m_nCaptionBufferWidth = wanted;
    m_nCaptionWidth = 0;  // render it afresh
    // The small icon and the title font go with the buffer: made once, not
    // at every hover.
    const int iconWidth = GetSystemMetrics(SM_CXSMICON), iconHeight = GetSystemMetrics(SM_CYSMICON);
    HICON shared = LoadIconW(GetModuleHandleA(nullptr), MAKEINTRESOURCEW(kProgramIcon));
    m_captionIcon.reset(shared ? static_cast<HICON>(CopyImage(shared, IMAGE_ICON, iconWidth, iconHeight, 0)) : nullptr);
    m_titleFont.reset(CreateTitleFont(window));
}

const CSkinButton* CSkinWin::HiddenButton() const {
    // Restore shows while maximised, maximise otherwise; they share a place.
    return m_nWindowState == kMaximised ? &m_sbMaximize : &m_sbRestore;
}

bool CSkinWin::CaptionShowsCurrentText(int width) const {
    // An empty title is read from the window at the next render.
    return !m_captionBackground.IsEmpty() && width == m_nCaptionWidth && !m_strTitle.empty() &&
           m_strTitle == m_strShownTitle && m_bActive == m_bShownActive &&
           (m_nWindowState == kMaximised) == m_bShownMaximised;
}

void CSkinWin::RenderCaption(const RECT& windowRect) {
    const int width = windowRect.right - windowRect.left;
    HDC buffer = m_pCaptionDC.get();
    HDC under = m_captionBackground.IsEmpty() ? buffer : m_captionBackground.GetDC();
    m_nCaptionWidth = width;
    DrawTopStrip(under, m_nLeftWidth, 0, skin::TopStripWidth(width, Frame()));
    DrawLeftBorder(under, 0, 0, m_bmpLeft.Height());
    DrawRightBorder(under, width - m_nRightWidth, 0, m_bmpRight.Height());
    if (under != buffer) {
        BitBlt(buffer, 0, 0, width, m_nCaptionHeight, under, 0, 0, SRCCOPY);
    }

    const CSkinButton* hidden = HiddenButton();
    for (CSkinButton* button : m_buttons) {
        if (button != hidden) {
            button->Draw(buffer, windowRect, m_crTransparent, true);
            button->m_nShownState = button->m_nState;
        }
    }
    DrawIconAndTitle(buffer, width);

    m_strShownTitle = m_strTitle;
    m_bShownActive = m_bActive;
    m_bShownMaximised = m_nWindowState == kMaximised;
    // The title's pixels end where its text does, or at its rectangle's edge
    // when the text is cut short there.
    const RECT title = skin::TitleRect(m_nTitleLeft, m_nTitleTop, width, m_bmpTop.Width(), m_nTopTileRight,
                                       m_nCaptionHeight);
    RECT measured = title;
    {
        ScopedSelection fontSelected(buffer, m_titleFont.get());
        DrawTextA(buffer, m_strTitle.c_str(), static_cast<int>(m_strTitle.size()), &measured,
                  kTitleFormat | DT_CALCRECT);
    }
    m_rcShownTitleInk = title;
    m_rcShownTitleInk.right = std::min(title.right, measured.right + kTitleOverhang);
}

void CSkinWin::RenderChangedButtons(const RECT& windowRect) {
    const int width = windowRect.right - windowRect.left;
    HDC buffer = m_pCaptionDC.get();
    const RECT icon = {m_nLeftWidth, skin::kCaptionIconTop, m_nLeftWidth + GetSystemMetrics(SM_CXSMICON),
                       skin::kCaptionIconTop + GetSystemMetrics(SM_CYSMICON)};
    const CSkinButton* hidden = HiddenButton();
    for (CSkinButton* button : m_buttons) {
        if (button == hidden || button->m_nState == button->m_nShownState) {
            continue;
        }
        // The spot as a whole render draws it: what lies under the button,
        // the button, then whatever of the icon and title lies over it.
        const RECT placed = button->GetPlacedRect(windowRect);
        BitBlt(buffer, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
               m_captionBackground.GetDC(), placed.left, placed.top, SRCCOPY);
        button->Draw(buffer, windowRect, m_crTransparent, true);
        button->m_nShownState = button->m_nState;
        RECT overlap;
        if (IntersectRect(&overlap, &placed, &icon) || IntersectRect(&overlap, &placed, &m_rcShownTitleInk)) {
            ScopedRegion spot(CreateRectRgnIndirect(&placed));
            ScopedClipRegion clipped(buffer, spot.get());
            DrawIconAndTitle(buffer, width);
        }
    }
}

void CSkinWin::DrawIconAndTitle(HDC buffer, int width) {
    if (m_captionIcon.get()) {
        DrawIconEx(buffer, m_nLeftWidth, skin::kCaptionIconTop, m_captionIcon.get(), GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), 0, nullptr, DI_NORMAL);
    }

    if (m_strTitle.empty() && IsWindow(m_hTarget)) {
        char text[512] = "";
        GetWindowTextA(m_hTarget, text, sizeof text);
        m_strTitle = text;
    }
    SetTextColor(buffer, m_bActive ? m_crTitleActive : m_crTitleInactive);
    ScopedSelection fontSelected(buffer, m_titleFont.get());
    SetBkMode(buffer, TRANSPARENT);
    RECT title = skin::TitleRect(m_nTitleLeft, m_nTitleTop, width, m_bmpTop.Width(), m_nTopTileRight, m_nCaptionHeight);
    DrawTextA(buffer, m_strTitle.c_str(), static_cast<int>(m_strTitle.size()), &title, kTitleFormat);
}

void CSkinWin::PaintFrame() {
    if (!IsWindow(m_hTarget) || !m_bPrepared) {
        return;
    }
    ScopedWindowDC window = ScopedWindowDC::WholeWindow(m_hTarget);
    HDC dc = window.get();
    RECT rc = {};
    GetWindowRect(m_hTarget, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (!dc || width <= 0 || height <= 0) {
        return;
    }
    DrawBorders(dc, 0, 0, width, height);
    EnsureCaptionBuffer(dc, width);

    const bool stateChanged = m_nWindowState != kMinimised && m_nWindowState != m_nLastState;
    const bool render = width != m_nCaptionWidth || m_nHoverCode != 0 || m_nDownCode != 0 || stateChanged;
    ScopedRegion clip;
    if (render) {
        if (!stateChanged && CaptionShowsCurrentText(width)) {
            RenderChangedButtons(rc);
        } else {
            RenderCaption(rc);
        }
        if (m_bClipCaption) {
            // Below the caption, plus the caption's own shape.
            clip.reset(CreateRectRgn(0, m_nCaptionHeight, width, height));
            CombineRgn(clip.get(), clip.get(), m_hCaptionRgn.get(), RGN_XOR);
        }
    }
    if (stateChanged) {
        m_nLastState = m_nWindowState;
    }
    ScopedClipRegion clipped(dc, clip.get());
    BitBlt(dc, 0, 0, width, m_nCaptionHeight, m_pCaptionDC.get(), 0, 0, SRCCOPY);
}
