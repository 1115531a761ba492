// CSkinWin's painting: borders and bottom strip straight onto the window,
// the caption composed in an off-screen buffer and copied in one block.
#include "skin/skin_win.h"

namespace {

// Icon 128 is the program's, in the caption as in the tray.
constexpr UINT kProgramIcon = 128;
// The title: 10 points (tenths of a point, as a point-size font takes them).
constexpr int kTitlePointTenths = 100;
constexpr char kTitleFace[] = "黑体";
constexpr UINT kTitleFormat = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS;

// Every piece from one selection of the image: a border of a tall window is
// a hundred pieces or more, drawn at every frame paint.
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
    DrawLeftBorder(dc, x, y, height);
    DrawRightBorder(dc, x + width - m_nRightWidth, y, height);
    DrawBottomStrip(dc, x + m_nLeftWidth, y + height - m_nBottomHeight, width - m_nRightWidth - m_nLeftWidth);
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
    m_nCaptionBufferWidth = wanted;
    m_nCaptionWidth = 0;  // render it afresh
    // The small icon and the title font go with the buffer: made once, not
    // at every hover.
    const int iconWidth = GetSystemMetrics(SM_CXSMICON), iconHeight = GetSystemMetrics(SM_CYSMICON);
    HICON shared = LoadIconW(GetModuleHandleA(nullptr), MAKEINTRESOURCEW(kProgramIcon));
    m_captionIcon.reset(shared ? static_cast<HICON>(CopyImage(shared, IMAGE_ICON, iconWidth, iconHeight, 0)) : nullptr);
    m_titleFont.reset(CreateTitleFont(window));
}

void CSkinWin::RenderCaption(const RECT& windowRect) {
    const int width = windowRect.right - windowRect.left;
    HDC buffer = m_pCaptionDC.get();
    m_nCaptionWidth = width;
    DrawTopStrip(buffer, m_nLeftWidth, 0, skin::TopStripWidth(width, Frame()));
    DrawLeftBorder(buffer, 0, 0, m_bmpLeft.Height());
    DrawRightBorder(buffer, width - m_nRightWidth, 0, m_bmpRight.Height());

    for (size_t i = 0; i < m_buttons.size(); ++i) {
        // Restore shows while maximised, maximise otherwise; they share a place.
        if (m_buttons[i] == (m_nWindowState == kMaximised ? &m_sbMaximize : &m_sbRestore)) {
            continue;
        }
        m_buttons[i]->Draw(buffer, windowRect, m_crTransparent, true);
    }

    if (m_captionIcon.get()) {
        DrawIconEx(buffer, m_nLeftWidth, 5, m_captionIcon.get(), GetSystemMetrics(SM_CXSMICON),
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
        RenderCaption(rc);
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
